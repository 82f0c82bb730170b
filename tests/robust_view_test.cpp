// Hostile article pages: a page that names devices, pipes, files outside the installation or
// thousands of pictures, that nests tables deep, or that links to anything at all. The article
// view reads only regular files inside the installation folder, each once, within bounds; it
// neither hangs nor grows, and no link leads it out of the installation.
#include "robust_support.h"

#include "articles/ArticleBrowser.h"
#include "articles/ArticlePage.h"
#include "articles/ArticleResources.h"
#include "articles/Fwangye.h"
#include "articles/PageSanitiser.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace robust;

namespace {

const QString kArticle = QStringLiteral("符咒心得");
constexpr int kShift = 2;

QByteArray pageWithBody(const QByteArray &body)
{
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
           "<title>hostile</title></head><body>" +
           body + "</body></html>";
}

bool writeArticle(const Installation &installation, const QByteArray &page)
{
    const articlecodec::Encoded encoded =
        articlecodec::encodeArticle(std::string_view(page.constData(), std::size_t(page.size())), kShift, 200);
    return encoded.ok && writeFile(installation.path(articleName(kArticle)),
                                   QByteArray(encoded.bytes.data(), qsizetype(encoded.bytes.size())));
}

// Opens the test article in a frame of its own, which the test's clean-up closes.
Fwangye *openArticleInNewFrame()
{
    auto *frame = new MDIForm1;
    frame->show();
    OpenArticlePage(kArticle, kShift);
    QCoreApplication::processEvents();
    return childForms<Fwangye>(frame).value(0);
}

QByteArray nestedTables(int depth)
{
    QByteArray html;
    for (int i = 0; i < depth; ++i)
        html += "<table><tr><td>x";
    for (int i = 0; i < depth; ++i)
        html += "</td></tr></table>";
    return html;
}

// Records what would have gone to the desktop's browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class RobustViewTest : public QObject
{
    Q_OBJECT

  private slots:
    void cleanup() { closeAllWindows(); }
    void hostilePage_data();
    void hostilePage();
    void failedPicture_notReadAgain();
    void links_data();
    void links();
    void flattenDeepTables_data();
    void flattenDeepTables();
};

void RobustViewTest::hostilePage_data()
{
    // What the page holds, and which files of the installation the view may read for it (besides
    // the page itself).
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("maxFilesRead");
    QTest::newRow("picture of /dev/zero") << QByteArray("<img src=\"/dev/zero\">") << 1;
    QTest::newRow("picture of file:///dev/urandom") << QByteArray("<img src=\"file:///dev/urandom\">") << 1;
    QTest::newRow("style sheet /dev/zero") << QByteArray("<link rel=\"stylesheet\" href=\"/dev/zero\"><p>x</p>") << 1;
    QTest::newRow("style sheet import") << QByteArray("<style>@import url(/dev/zero);</style><p>x</p>") << 1;
    QTest::newRow("background /dev/zero")
        << QByteArray("<table background=\"/dev/zero\"><tr><td>x</td></tr></table>") << 1;
    QTest::newRow("picture outside: /etc/passwd") << QByteArray("<img src=\"../../../../../../etc/passwd\">") << 1;
    QTest::newRow("a name with NUL characters") << QByteArray("<img src=\"picture/%00%00001.jpg\">") << 1;
    QTest::newRow("link in the installation to /dev/zero") << QByteArray("<img src=\"picture/zero.png\">") << 1;
    QTest::newRow("pipe in the installation")
        << QByteArray("<img src=\"picture/pipe.png\"><link rel=\"stylesheet\" href=\"pipe.css\">") << 2;
    QTest::newRow("data URL picture") << QByteArray("<img src=\"data:image/png;base64,iVBORw0KGgo=\">") << 1;
    QByteArray many;
    for (int i = 0; i < 860; ++i)
        many += "<img src=\"picture/globe.png?" + QByteArray::number(i) + "\">";
    QTest::newRow("860 pictures of globe.png") << many << 2;
    QByteArray distinct;
    for (int i = 0; i < 250; ++i)
        distinct += "<img src=\"picture/" + QByteArray::number(i).rightJustified(3, '0') + ".jpg\">";
    QTest::newRow("every picture of the installation") << distinct << ArticleResources::kMaxFiles;
    QTest::newRow("tables nested 20 deep") << nestedTables(20) << 1;
    QTest::newRow("tables nested 200 deep") << nestedTables(200) << 1;
}

void RobustViewTest::hostilePage()
{
    QFETCH(QByteArray, body);
    QFETCH(int, maxFilesRead);
    Installation installation;
    QVERIFY(writeArticle(installation, pageWithBody(body)));
    QFile::link(QStringLiteral("/dev/zero"), installation.path(QStringLiteral("\\picture\\zero.png")));
#ifndef _WIN32
    ::mkfifo(QFile::encodeName(installation.path(QStringLiteral("\\picture\\pipe.png"))).constData(), 0644);
    ::mkfifo(QFile::encodeName(installation.path(QStringLiteral("\\pipe.css"))).constData(), 0644);
#endif
    BoxRecorder boxes;
    auto *frame = new MDIForm1;
    frame->show();

    resetPeakKiB();
    const qint64 before = peakKiB();
    QElapsedTimer clock;
    clock.start();
    Fwangye *page = nullptr;
    {
        // Opening, laying out and painting it twice: a second or so at most, and no growth worth
        // speaking of.
        Watchdog watchdog("the hostile page", 10, 300);
        OpenArticlePage(kArticle, kShift);
        QCoreApplication::processEvents();
        const QList<Fwangye *> pages = childForms<Fwangye>(frame);
        QCOMPARE(pages.size(), 1);
        page = pages.first();
        page->grab();
        page->WebBrowser1()->verticalScrollBar()->setValue(page->WebBrowser1()->verticalScrollBar()->maximum());
        page->grab();
    }
    const qint64 elapsed = clock.elapsed();
    const qint64 grown = before >= 0 ? peakKiB() - before : 0;
    qInfo("opened and painted twice in %lld ms, peak grew by %lld KiB", static_cast<long long>(elapsed),
          static_cast<long long>(grown));
    QCOMPARE(boxes.count(), 0);
    QVERIFY2(elapsed < 3000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    QVERIFY2(grown < 200 * 1024, qPrintable(QStringLiteral("%1 KiB").arg(grown)));

    // Nothing but the page and regular files of the installation was read.
    auto *browser = qobject_cast<ArticleBrowser *>(page->WebBrowser1());
    QVERIFY(browser);
    const QString root = QFileInfo(installation.root()).canonicalFilePath() + QLatin1Char('/');
    const QStringList read = browser->resources().filesRead();
    QVERIFY2(read.size() <= maxFilesRead, qPrintable(read.join(QLatin1Char(' '))));
    for (const QString &file : read) {
        QVERIFY2(file.startsWith(root), qPrintable(file));
        QVERIFY2(!file.contains(QLatin1String("pipe")) || read.size() <= maxFilesRead, qPrintable(file));
    }
    QVERIFY(read.isEmpty() || read.first() == root + QStringLiteral("tem.htm"));
}

void RobustViewTest::failedPicture_notReadAgain()
{
    // A picture that fails to decode is asked for again on every layout and paint; the view answers
    // from what it remembers, without reading or decoding it again.
    Installation installation;
    QVERIFY(applyFault(installation.path(pictureName(7)), Fault::NotAPicture));
    QVERIFY(
        writeArticle(installation, pageWithBody("<img src=\"picture/007.jpg\"><img src=\"picture/007.jpg?again\">")));
    BoxRecorder boxes;
    Fwangye *page = openArticleInNewFrame();
    QVERIFY(page);
    for (int i = 0; i < 5; ++i) {
        page->resize(page->width() - 10, page->height());
        page->grab();
    }
    auto *browser = qobject_cast<ArticleBrowser *>(page->WebBrowser1());
    QCOMPARE(browser->resources().filesRead().size(), 2); // the page and the picture, once
    QCOMPARE(boxes.count(), 0);
}

void RobustViewTest::links_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("leaves"); // whether the view shows another page afterwards
    QTest::newRow("/etc/passwd") << "/etc/passwd" << false;
    QTest::newRow("file:///etc/passwd") << "file:///etc/passwd" << false;
    QTest::newRow("the program itself") << "linglu" << false;
    QTest::newRow("/dev/zero") << "/dev/zero" << false;
    QTest::newRow("a picture of the installation") << "picture/001.jpg" << false;
    QTest::newRow("http") << "http://example.invalid/" << false;
    QTest::newRow("mailto") << "mailto:someone@example.invalid" << false;
    QTest::newRow("in-page anchor") << "#end" << false;
    QTest::newRow("a pipe named as a page") << "pipe.htm" << false;
    QTest::newRow("another page of the installation") << "other.htm" << true;
}

void RobustViewTest::links()
{
    QFETCH(QString, href);
    QFETCH(bool, leaves);
    Installation installation;
    QByteArray body = "<p><a href=\"" + href.toUtf8() + "\">link</a></p>";
    for (int i = 0; i < 200; ++i)
        body += "<p>line</p>";
    body += "<p><a name=\"end\">end</a></p>";
    QVERIFY(writeArticle(installation, pageWithBody(body)));
    QVERIFY(writeFile(installation.path(QStringLiteral("\\other.htm")), "<html><body>other page</body></html>"));
    QVERIFY(writeFile(installation.path(QStringLiteral("\\linglu")), QByteArray(1 << 20, '\x7f')));
#ifndef _WIN32
    ::mkfifo(QFile::encodeName(installation.path(QStringLiteral("\\pipe.htm"))).constData(), 0644);
#endif
    UrlRecorder desktop;
    for (const char *scheme : {"http", "https", "mailto", "file"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &desktop, "open");
    const auto unhandled = qScopeGuard([] {
        for (const char *scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    });
    BoxRecorder boxes;
    Fwangye *page = openArticleInNewFrame();
    QVERIFY(page);
    QTextBrowser *browser = page->WebBrowser1();
    browser->resize(400, 300);
    page->grab();
    const QUrl shown = browser->source();
    {
        Watchdog watchdog("following a link", 5, 200);
        // The view resolves the link as a click on it would.
        emit browser->anchorClicked(shown.resolved(QUrl(href)));
        QCoreApplication::processEvents();
        page->grab();
    }
    QVERIFY(desktop.urls.isEmpty());
    QCOMPARE(boxes.count(), 0);
    if (leaves) {
        QVERIFY(browser->toPlainText().contains(QStringLiteral("other page")));
    } else {
        QCOMPARE(browser->source(), shown);
        QVERIFY(browser->toPlainText().contains(QStringLiteral("line")));
    }
    if (href.startsWith(QLatin1Char('#')))
        QVERIFY(browser->verticalScrollBar()->value() > 0); // the anchor was scrolled to
}

void RobustViewTest::flattenDeepTables_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("tables"); // table tags kept
    QTest::newRow("no tables") << "<p>text</p>" << 0;
    QTest::newRow("two levels") << QString::fromLatin1(nestedTables(2)) << 2;
    QTest::newRow("at the bound") << QString::fromLatin1(nestedTables(pagesanitiser::kMaxTableDepth))
                                  << pagesanitiser::kMaxTableDepth;
    QTest::newRow("far beyond") << QString::fromLatin1(nestedTables(50)) << pagesanitiser::kMaxTableDepth;
    QTest::newRow("unclosed") << QString::fromLatin1(QByteArray("<table><tr><td>").repeated(30))
                              << pagesanitiser::kMaxTableDepth;
    QTest::newRow("in a comment") << QString::fromLatin1("<!--" + nestedTables(20) + "-->") << 20;
    QTest::newRow("in an attribute") << "<p title=\"<table><table>\">x</p>" << 2;
    QTest::newRow("upper case") << QString::fromLatin1(nestedTables(10).toUpper()) << pagesanitiser::kMaxTableDepth;
    // Stray closing tags, then a row outside any table: the view's parser opens a table of its own
    // for it, one level more than the tags count. Every table is flattened then.
    QTest::newRow("a stray row") << QString::fromLatin1(nestedTables(2) + QByteArray("</td></tr></table>").repeated(3) +
                                                        "<tr><td>" + nestedTables(6))
                                 << 0;
}

void RobustViewTest::flattenDeepTables()
{
    QFETCH(QString, html);
    QFETCH(int, tables);
    const QString flat = pagesanitiser::flattenDeepTables(html);
    QCOMPARE(int(flat.count(QStringLiteral("<table"), Qt::CaseInsensitive)), tables);
    QCOMPARE(flat.count(QLatin1Char('x')), html.count(QLatin1Char('x'))); // the text stays
    if (tables == int(html.count(QStringLiteral("<table"), Qt::CaseInsensitive)))
        QCOMPARE(flat, html);
    // As the view reads it, nothing nests deeper than the bound.
    QTextDocument document;
    document.setHtml(flat);
    QVERIFY(pagesanitiser::tableDepth(document.rootFrame()) <= pagesanitiser::kMaxTableDepth);
}

QTEST_MAIN(RobustViewTest)
#include "robust_view_test.moc"
