// The article view: how a page file's bytes become text (the declared character set, GBK through the
// system's conversion where there is one) and the reading column the text is set in.
#include "articles/Fwangye.h"
#include "articles/GbkText.h"
#include "articles/ReadingColumn.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

class ArticleViewTest : public QObject
{
    Q_OBJECT

  private slots:
    void gbkToText_data();
    void gbkToText();
    void pageCharset_data();
    void pageCharset();
    void columnMargin_data();
    void columnMargin();
    void longLines_holdAboutFortyCharacters_data();
    void longLines_holdAboutFortyCharacters();

  private:
    QString writePage(const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_pages = 0;
};

void ArticleViewTest::gbkToText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ASCII") << QByteArray("<p>a&b</p>") << "<p>a&b</p>";
    // 箓 lies outside GB2312 proper (its trail byte is below 0xA1): GBK has it.
    QTest::newRow("the book's name") << QByteArray::fromHex("c1e9b982bbe3b1e0") << "灵箓汇编";
    QTest::newRow("mixed") << QByteArray::fromHex("3c623e d5e6c8cb 3c2f623e") << "<b>真人</b>";
}

void ArticleViewTest::gbkToText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const std::optional<QString> decoded = articles::gbkToText(bytes);
    QVERIFY(decoded.has_value());
    QCOMPARE(*decoded, text);
}

QString ArticleViewTest::writePage(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(QStringLiteral("page%1.htm").arg(++m_pages));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void ArticleViewTest::pageCharset_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    const QByteArray gbk = QByteArray::fromHex("c1e9b982bbe3b1e0");
    const QByteArray utf8 = QString::fromUtf8("灵箓汇编").toUtf8();
    auto meta = [](const char *charset) {
        return QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + charset + "\">";
    };
    QTest::newRow("gb2312 read as GBK") << meta("gb2312") << gbk << "灵箓汇编";
    QTest::newRow("gbk") << meta("gbk") << gbk << "灵箓汇编";
    QTest::newRow("GBK in capitals") << meta("GBK") << gbk << "灵箓汇编";
    QTest::newRow("no declaration means GBK") << QByteArray() << gbk << "灵箓汇编";
    QTest::newRow("utf-8 honoured") << meta("utf-8") << utf8 << "灵箓汇编";
    QTest::newRow("byte order mark honoured") << QByteArray("\xEF\xBB\xBF") << utf8 << "灵箓汇编";
}

void ArticleViewTest::pageCharset()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    const QByteArray page = head.startsWith('\xEF') ? head + "<html><body>" + body + "</body></html>"
                                                    : "<html><head>" + head + "</head><body>" + body + "</body></html>";
    const QString path = writePage(page);
    QVERIFY(!path.isEmpty());
    ArticleBrowser view;
    view.openPage(path);
    QCOMPARE(view.toPlainText().trimmed(), text);
}

void ArticleViewTest::columnMargin_data()
{
    QTest::addColumn<int>("viewWidth");
    QTest::addColumn<int>("characterWidth");
    QTest::addColumn<int>("margin");
    QTest::newRow("full-HD view, 11 pt text") << 1880 << 15 << 640;
    QTest::newRow("1366 view") << 1326 << 15 << 363;
    QTest::newRow("just the column") << 600 << 15 << 4;
    QTest::newRow("narrower than the column") << 400 << 15 << 4;
    QTest::newRow("no view") << 0 << 15 << 4;
    QTest::newRow("character without width") << 1880 << 0 << 4;
}

void ArticleViewTest::columnMargin()
{
    QFETCH(int, viewWidth);
    QFETCH(int, characterWidth);
    QFETCH(int, margin);
    QCOMPARE(articles::columnMargin(viewWidth, characterWidth, 4), margin);
}

void ArticleViewTest::longLines_holdAboutFortyCharacters_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("wide window") << 1880 << 38 << 41;
    QTest::newRow("narrowed after loading") << -800 << 38 << 41;
    QTest::newRow("narrow window: the whole width") << 400 << 15 << 30;
}

void ArticleViewTest::longLines_holdAboutFortyCharacters()
{
    QFETCH(int, width);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    // A paragraph of one repeated ideograph in the article pages' body style; its second line is a
    // whole line without the first line's indent.
    QByteArray paragraph;
    for (int i = 0; i < 200; ++i)
        paragraph += QByteArray::fromHex("d5e6");
    const QString path =
        writePage("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                  "</head><body style=\"font-size: 11pt;\"><p>" +
                  paragraph + "</p></body></html>");
    QVERIFY(!path.isEmpty());
    ArticleBrowser view;
    // A negative width: load the page wide, then narrow the window to that width.
    view.resize(width < 0 ? 1880 : width, 600);
    view.show();
    view.openPage(path);
    if (width < 0)
        view.resize(-width, 600);
    QCoreApplication::processEvents();
    QTextDocument *document = view.document();
    QTextBlock block = document->begin();
    while (block.isValid() && block.length() < 100)
        block = block.next();
    QVERIFY(block.isValid());
    QTextLayout *layout = block.layout();
    QVERIFY(layout->lineCount() >= 2);
    const int characters = layout->lineAt(1).textLength();
    QVERIFY2(characters >= minimum && characters <= maximum, qPrintable(QString::number(characters)));
}

QTEST_MAIN(ArticleViewTest)
#include "article_view_test.moc"
