// Hostile article pages: a page that names devices, pipes, files outside the installation or
// thousands of pictures, that nests tables deep, or that links to anything at all. The article
// view reads only regular files inside the installation folder, each once, within bounds; it
// neither hangs nor grows, and no link leads it out of the installation.
#include "robust_support.h"
#include "sanitizer_slowdown.h"

#include "articles/ArticleBrowser.h"
#include "articles/ArticlePage.h"
#include "articles/ArticlePictures.h"
#include "articles/ArticleResources.h"
#include "articles/Fwangye.h"
#include "articles/PageSanitiser.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
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
    void pictureBounds();
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
    // The background picture (2560×1440) named again and again, each name with a query of its own
    // (one or two characters, so that 860 of them fit into an article): at one pixel's width all of
    // them stand in the first lines; then as many as fit at a tiny and at a huge declared size.
    const auto many = [](const QByteArray &size, int count) {
        const QByteArray digits = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        QByteArray pictures;
        for (int i = 0; i < count; ++i) {
            const QByteArray query = i < digits.size()
                                         ? digits.mid(i, 1)
                                         : digits.mid(i / digits.size() - 1, 1) + digits.at(i % digits.size());
            pictures += "<img src=picture/globe.png?" + query + ' ' + size + '>';
        }
        return pictures;
    };
    QTest::newRow("860 pictures of globe.png") << many("width=1", 860) << 2;
    QTest::newRow("globe.png at a tiny size") << many("width=2 height=1", 660) << 2;
    QTest::newRow("globe.png at a huge size") << many("width=90000 height=50000", 560) << 2;
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
    // The installation's background as the build draws it: 2560×1440, sixteen colours.
    QImage background(2560, 1440, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int i = 0; i < 16; ++i)
        colours.append(QColor::fromHsv(i * 22, 90, 240).rgb());
    background.setColorTable(colours);
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            background.scanLine(y)[x] = uchar(((x / 40) ^ (y / 40)) % 16);
    QVERIFY(writeFile(installation.path(kGlobe), encodedPicture(background, "PNG")));
    BoxRecorder boxes;
    auto *frame = new MDIForm1;
    frame->show();

    resetPeakKiB();
    const qint64 before = peakKiB();
    QElapsedTimer clock;
    clock.start();
    Fwangye *page = nullptr;
    qint64 slowest = 0; // the longest the program was busy at one go
    QString slowestStep;
    {
        // Opening it, then in a full-HD window and in a small one laying it out and painting it
        // while scrolling through it, as the reader does: a second at most at any one step, three
        // in all, and no growth worth speaking of.
        Watchdog watchdog("the hostile page", 20, 300);
        QElapsedTimer step;
        step.start();
        const auto done = [&](const QString &what) {
            if (step.elapsed() > slowest) {
                slowest = step.elapsed();
                slowestStep = what;
            }
            step.restart();
        };
        frame->resize(1920, 1080);
        OpenArticlePage(kArticle, kShift);
        QCoreApplication::processEvents();
        const QList<Fwangye *> pages = childForms<Fwangye>(frame);
        QCOMPARE(pages.size(), 1);
        page = pages.first();
        done(QStringLiteral("opening"));
        for (const QSize window : {QSize(1920, 1080), QSize(400, 300)}) {
            frame->resize(window);
            QCoreApplication::processEvents();
            QScrollBar *scroll = page->WebBrowser1()->verticalScrollBar();
            for (int i = 0; i <= 4; ++i) {
                scroll->setValue(scroll->maximum() * i / 4);
                page->grab();
                done(QStringLiteral("painting at %1×%2, %3/4 down").arg(window.width()).arg(window.height()).arg(i));
            }
        }
    }
    const qint64 elapsed = clock.elapsed();
    const qint64 grown = before >= 0 ? peakKiB() - before : 0;
    qInfo("opened and painted ten times in %lld ms (slowest step %lld ms: %s), peak grew by %lld KiB",
          static_cast<long long>(elapsed), static_cast<long long>(slowest), qPrintable(slowestStep),
          static_cast<long long>(grown));
    QCOMPARE(boxes.count(), 0);
    // The page that kept the program busy took 37 s to over a minute; a sanitizer build is slower
    // by a few times, and its bounds with it.
    QVERIFY2(slowest < 1000 * kSanitizerSlowdown, qPrintable(QStringLiteral("%1 ms %2").arg(slowest).arg(slowestStep)));
    QVERIFY2(elapsed < 3000 * kSanitizerSlowdown, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
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
    // Each picture was scaled once for each size it is drawn at (and its halvings on the way), not
    // once for every name and paint.
    QVERIFY2(browser->pictures().copiesMade() <= 16, qPrintable(QString::number(browser->pictures().copiesMade())));
}

void RobustViewTest::pictureBounds()
{
    // A page that names more pictures than the bound lays out the first ones only; a declared size
    // is laid out as declared, a picture's own shape completes one length, and nothing is laid out
    // larger than the bound, in its declared shape.
    QTextDocument document;
    const QImage picture(200, 100, QImage::Format_RGB32);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("p.png")), picture);
    QString html = QStringLiteral("<p><img src=p.png width=40><img src=p.png height=30 width=7>"
                                  "<img src=p.png width=90000 height=45000><img src=p.png></p><p>");
    for (int i = 4; i < ArticlePictures::kMaxPicturesPerPage + 10; ++i)
        html += QStringLiteral("<img src=p.png>"); // one fragment of many pictures
    document.setHtml(html + QStringLiteral("</p>"));
    QCOMPARE(ArticlePictures::leaveOutBeyondBound(&document), 10);

    ArticlePictures pictures;
    QList<QSizeF> sizes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (int i = 0; i < it.fragment().length(); ++i)
                sizes.append(
                    pictures.intrinsicSize(&document, it.fragment().position() + i, it.fragment().charFormat()));
    QCOMPARE(sizes.size(), ArticlePictures::kMaxPicturesPerPage + 10);
    QCOMPARE(sizes.at(0), QSizeF(40, 20));
    QCOMPARE(sizes.at(1), QSizeF(7, 30));
    QCOMPARE(sizes.at(2), QSizeF(ArticlePictures::kMaxLaidOutSide, ArticlePictures::kMaxLaidOutSide / 2));
    QCOMPARE(sizes.at(3), QSizeF(200, 100));
    QCOMPARE(sizes.at(ArticlePictures::kMaxPicturesPerPage - 1), QSizeF(200, 100));
    QCOMPARE(sizes.at(ArticlePictures::kMaxPicturesPerPage), QSizeF(0, 0));
    QCOMPARE(sizes.last(), QSizeF(0, 0));

    // One copy a size, the same one every time; a small one made from the halvings.
    const QImage small = pictures.scaled(picture, QSize(20, 10));
    QCOMPARE(pictures.copiesMade(), 4); // 100×50, 50×25, 25×12, then 20×10 from the last
    QCOMPARE(pictures.scaled(picture, QSize(20, 10)).cacheKey(), small.cacheKey());
    QCOMPARE(pictures.scaled(picture, QSize(30, 15)).size(), QSize(30, 15)); // from 50×25, kept
    QCOMPARE(pictures.copiesMade(), 5);
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
