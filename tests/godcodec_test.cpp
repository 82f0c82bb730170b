// The godcodec tool: a readable page in, an article file out that decodes to the page in GBK byte
// for byte; pages it must refuse; and the article files the build made.
#include "articles/ArticleCodec.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray decoded(const QByteArray &file, int shift)
{
    return QByteArray::fromStdString(articlecodec::decodeArticle(
        reinterpret_cast<const unsigned char *>(file.constData()), size_t(file.size()), shift));
}

QByteArray readAll(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

} // namespace

class GodcodecTest : public QObject
{
    Q_OBJECT

  private slots:
    void encode_decodesToTheGbkPage_data();
    void encode_decodesToTheGbkPage();
    void encode_refuses_data();
    void encode_refuses();
    void builtArticleFiles_decodeToTheirPages_data();
    void builtArticleFiles_decodeToTheirPages();

  private:
    int run(const QStringList &arguments, QString *errors = nullptr);
    QTemporaryDir m_dir;
};

int GodcodecTest::run(const QStringList &arguments, QString *errors)
{
    QProcess tool;
    tool.start(qEnvironmentVariable("GODCODEC"), arguments);
    if (!tool.waitForFinished(30000))
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(tool.readAllStandardError());
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

void GodcodecTest::encode_decodesToTheGbkPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("shift");
    const QString html = "<html>\n<head><meta charset=\"gb2312\"><title>符咒心得</title></head>\n"
                         "<body><h1>灵箓汇编</h1><p>朱砂、黄纸，丙午日午时书。</p></body>\n</html>\n";
    QTest::newRow("shift 2") << html << 2;
    QTest::newRow("shift 3") << html << 3;
    QTest::newRow("CR LF lines, gbk") << QString(html).replace("gb2312", "gbk").replace("\n", "\r\n") << 3;
}

void GodcodecTest::encode_decodesToTheGbkPage()
{
    QFETCH(QString, page);
    QFETCH(int, shift);
    const QString source = m_dir.filePath("页.html"), god = m_dir.filePath("页.god"), back = m_dir.filePath("页.htm");
    writeAll(source, page.toUtf8());

    QString errors;
    QCOMPARE(run({"encode", "--shift", QString::number(shift), source, god}, &errors), 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    const QByteArray encoded = readAll(god);
    QStringEncoder gbk("GBK");
    const QByteArray expected = gbk.encode(page);
    QCOMPARE(decoded(encoded, shift), expected);
    QVERIFY(!encoded.contains(expected.left(20)));

    QCOMPARE(run({"decode", "--shift", QString::number(shift), god, back}), 0);
    QCOMPARE(readAll(back), expected);
}

void GodcodecTest::encode_refuses_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("reason");
    const QByteArray head = "<html><head><meta charset=gb2312><title>t</title></head>";
    QTest::newRow("character outside GBK") << head + "<p>符😀</p>"
                                           << "line 1, column 61: GBK has no character U+1f600";
    QTest::newRow("not UTF-8") << head + "<p>\xB7\xFB</p>"
                               << "not valid UTF-8";
    QTest::newRow("no GBK declaration") << QByteArray("<html><head><meta charset=utf-8>符</html>") << "gb2312 or gbk";
    QTest::newRow("declaration too late") << "<html>" + QByteArray(1100, ' ') + "<meta charset=gb2312>"
                                          << "gb2312 or gbk";
    QTest::newRow("too long to be read whole") << head + QByteArray("符").repeated(33000) << "characters";
}

void GodcodecTest::encode_refuses()
{
    QFETCH(QByteArray, page);
    QFETCH(QString, reason);
    const QString source = m_dir.filePath("bad.html"), god = m_dir.filePath("bad.god");
    writeAll(source, page);
    QString errors;
    QCOMPARE(run({"encode", "--shift", "2", source, god}, &errors), 1);
    QVERIFY2(errors.contains(reason), qPrintable(errors));
    QVERIFY(!QFile::exists(god));
}

void GodcodecTest::builtArticleFiles_decodeToTheirPages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("shift");
    QTest::newRow("符咒心得") << "符咒心得" << 2;
    QTest::newRow("祝由须知") << "祝由须知" << 3;
}

void GodcodecTest::builtArticleFiles_decodeToTheirPages()
{
    QFETCH(QString, name);
    QFETCH(int, shift);
    const QString god = qEnvironmentVariable("LINGLU_BIN_DIR") + "/god/" + name + ".god";
    // The build writes every article file before this test (it depends on them): one missing is a fault.
    QVERIFY2(QFile::exists(god), qPrintable(god + " was not built"));
    QStringDecoder gbk("GBK");
    const QString page = gbk.decode(decoded(readAll(god), shift));
    QVERIFY(!gbk.hasError());
    const auto title = QRegularExpression("<title>(.*?)</title>", QRegularExpression::CaseInsensitiveOption |
                                                                      QRegularExpression::DotMatchesEverythingOption)
                           .match(page);
    QCOMPARE(title.captured(1).trimmed(), name);
}

QTEST_GUILESS_MAIN(GodcodecTest)
#include "godcodec_test.moc"
