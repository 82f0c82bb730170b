// The program's benchmarks, each set against a baseline measured in the same run:
//   pages     SelectEntry plus one full repaint of the maximised viewer, for every list entry of
//             every chapter, against decoding the same JPEG alone;
//   startup   process start to the catalogue's first paint, against an empty Qt main window;
//   articles  OpenArticlePage read to rendered, against rendering the decoded page in a plain
//             QTextBrowser; the decoder's throughput against memcpy of the same bytes;
//   memory    peak resident memory with all ten chapters and both articles open, against the
//             empty Qt main window.
// Run with no argument for all of them (scripts/bench); the installation folder is the build's.
#include "FirstPaint.h"
#include "Harness.h"

#include "app/ChapterOpener.h"
#include "app/MDIForm1.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/Pictures.h"
#include "articles/ArticleCodec.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "catalogue/Fmulu.h"
#include "content/Catalogue.h"
#include "viewer/Fllhb.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>

#include <cstring>

using namespace bench;

namespace {

const QString kBinDir = QStringLiteral(LINGLU_BENCH_BIN_DIR);
int g_boxes = 0;

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The frame as a user has it: maximised over the whole screen (set by hand, since a bare X server
// has no window manager to maximise it).
MDIForm1 *openFrame()
{
    auto *frame = new MDIForm1;
    frame->show();
    frame->setGeometry(QGuiApplication::primaryScreen()->geometry());
    settle();
    return frame;
}

int pictureOf(const content::Chapter &chapter, int index, const QString &name)
{
    if (const content::Page *page = content::Catalogue::pageOf(chapter, name))
        return page->pictureNumber;
    // The two 奇门遁甲 entries: 真人步斗法, then the overview of 玉女反闭诀.
    return index == 0 ? content::Catalogue::instance().zhenRenBuDou().pictureNumber : 77;
}

QString picturePath(int number)
{
    return kBinDir + QStringLiteral("/picture/") + content::pictureDigits(number) + QStringLiteral(".jpg");
}

void benchPages(Report &report)
{
    MDIForm1 *frame = openFrame();
    // The banner keeps ticking behind the viewers, as it does for a user.
    std::vector<double> switches;
    std::vector<double> decodes;
    // Where a switch's time goes: the picture box scales the picture to its size once per page.
    std::vector<double> smoothScales, bilinearDraws, selects, repaints;
    // LINGLU_BENCH_QUICK=1: two chapters, one round (for profiling under callgrind).
    const bool quick = qEnvironmentVariableIntValue("LINGLU_BENCH_QUICK") == 1;
    const int rounds = quick ? 1 : 3;
    const auto &chapters = content::Catalogue::instance().chapters();
    QSize viewerSize;
    for (const content::Chapter &chapter : chapters) {
        if (quick && &chapter - chapters.data() >= 2)
            break;
        OpenChapterWindow(chapter.shortTitle);
        QMdiSubWindow *sub = frame->area()->activeSubWindow();
        auto *viewer = qobject_cast<Fllhb *>(sub->widget());
        const QStringList names = content::Catalogue::entryNames(chapter);
        settle();
        viewerSize = sub->size();
        for (int round = 0; round <= rounds; ++round) { // round 0 warms caches and is not counted
            for (int index = 0; index < names.size(); ++index) {
                const double switchMs = timeMs([&] {
                    viewer->chooseEntry(index);
                    sub->repaint();
                });
                const QString file = picturePath(pictureOf(chapter, index, names[index]));
                const double decodeMs = timeMs([&] {
                    QImageReader reader(file);
                    const QImage image = reader.read();
                    Q_UNUSED(image)
                });
                if (round > 0) {
                    switches.push_back(switchMs);
                    decodes.push_back(decodeMs);
                }
                if (round == 1) {
                    // The same switch split in two: the selection, then the repaint.
                    const int other = index + 1 < names.size() ? index + 1 : 0;
                    viewer->chooseEntry(other);
                    sub->repaint();
                    selects.push_back(timeMs([&] { viewer->chooseEntry(index); }));
                    repaints.push_back(timeMs([&] { sub->repaint(); }));
                    const auto *box = viewer->findChild<PictureBox *>(QStringLiteral("Image1"));
                    const QImage picture = box->picture();
                    const QSize size = box->size();
                    if (!picture.isNull() && !size.isEmpty()) {
                        smoothScales.push_back(timeMs([&] {
                            const QImage scaled = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                            Q_UNUSED(scaled)
                        }));
                        QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
                        bilinearDraws.push_back(timeMs([&] {
                            QPainter painter(&canvas);
                            painter.setRenderHint(QPainter::SmoothPixmapTransform);
                            painter.drawImage(QRect(QPoint(0, 0), size), picture);
                        }));
                    }
                }
            }
            settle();
        }
    }
    std::printf("pages: %zu switches of a %dx%d viewer\n", switches.size() / rounds, viewerSize.width(),
                viewerSize.height());
    const Stats page = summarise(switches);
    const Stats decode = summarise(decodes);
    report.add({QStringLiteral("page switch + repaint"), page, QStringLiteral("ms"), QStringLiteral("JPEG decode alone"),
                decode, QStringLiteral("ratio <= 2.0, p95 < 16 ms"), page.median <= 2.0 * decode.median && page.p95 < 16});
    report.add({QStringLiteral("  SelectEntry alone"), summarise(selects), QStringLiteral("ms"),
                QStringLiteral("JPEG decode alone"), decode, QStringLiteral("(breakdown)"), true});
    report.add({QStringLiteral("  repaint after it"), summarise(repaints), QStringLiteral("ms"),
                QStringLiteral("JPEG decode alone"), decode, QStringLiteral("(breakdown)"), true});
    report.add({QStringLiteral("  smooth scale to box"), summarise(smoothScales), QStringLiteral("ms"),
                QStringLiteral("JPEG decode alone"), decode, QStringLiteral("(breakdown)"), true});
    report.add({QStringLiteral("  bilinear draw instead"), summarise(bilinearDraws), QStringLiteral("ms"),
                QStringLiteral("JPEG decode alone"), decode, QStringLiteral("(breakdown)"), true});
    delete frame;
    settle();
}

// Runs a child program until it prints its "painted" line; returns the time taken and the peak
// resident memory the child reported.
std::pair<double, long long> startOnce(const QString &program, const QStringList &arguments = {})
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const Clock::time_point start = Clock::now();
    child.start(program, arguments);
    QByteArray output;
    while (!output.contains('\n') && child.waitForReadyRead(30000))
        output += child.readAllStandardOutput();
    const double elapsed = millisecondsSince(start);
    child.waitForFinished(30000);
    output += child.readAllStandardOutput();
    const QList<QByteArray> words = output.trimmed().split(' ');
    if (words.size() != 2 || words[0] != "painted") {
        std::fprintf(stderr, "%s: no first paint (%s)\n", qPrintable(program), output.constData());
        return {0, 0};
    }
    return {elapsed, words[1].toLongLong()};
}

void benchStartup(Report &report, Stats *baselinePeak)
{
    const QString dir = QCoreApplication::applicationDirPath();
    std::vector<double> app, baseline, withText, baselineKiB;
    constexpr int runs = 15;
    for (int run = 0; run <= runs; ++run) { // run 0 warms the file cache and is not counted
        const auto [appMs, appKiB] = startOnce(dir + QStringLiteral("/bench_startup_app"));
        const auto [baseMs, baseKiB] = startOnce(dir + QStringLiteral("/bench_startup_baseline"));
        const auto [textMs, textKiB] = startOnce(dir + QStringLiteral("/bench_startup_baseline"), {QStringLiteral("--text")});
        Q_UNUSED(appKiB)
        Q_UNUSED(textKiB)
        if (run == 0)
            continue;
        app.push_back(appMs);
        baseline.push_back(baseMs);
        withText.push_back(textMs);
        baselineKiB.push_back(double(baseKiB) / 1024);
    }
    const Stats program = summarise(app);
    const Stats empty = summarise(baseline);
    report.add({QStringLiteral("start-up to catalogue painted"), program, QStringLiteral("ms"),
                QStringLiteral("empty Qt main window"), empty, QStringLiteral("ratio <= 1.3"),
                program.median <= 1.3 * empty.median});
    report.add({QStringLiteral("  the same"), program, QStringLiteral("ms"), QStringLiteral("main window, Chinese menu"),
                summarise(withText), QStringLiteral("(what text itself costs)"), true});
    *baselinePeak = summarise(baselineKiB);
}

Fwangye *newestArticle(MDIForm1 *frame)
{
    const QList<QMdiSubWindow *> subs = frame->area()->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        if (auto *page = qobject_cast<Fwangye *>((*it)->widget()))
            return page;
    return nullptr;
}

void benchArticles(Report &report)
{
    MDIForm1 *frame = openFrame();
    constexpr int runs = 20;
    for (const auto &[name, shift] : {std::pair{QStringLiteral("符咒心得"), 2}, std::pair{QStringLiteral("祝由须知"), 3}}) {
        std::vector<double> opens, renders;
        for (int run = 0; run <= runs; ++run) {
            // Read, decode, write, show, wait for the completion that sets the title, paint.
            Fwangye *page = nullptr;
            const double openMs = timeMs([&] {
                OpenArticlePage(name, shift);
                page = newestArticle(frame);
                QCoreApplication::processEvents();
                if (page)
                    Module1::subWindowOf(page)->repaint();
            });
            if (!page) {
                std::fprintf(stderr, "articles: %s did not open\n", qPrintable(name));
                break;
            }
            QMdiSubWindow *sub = Module1::subWindowOf(page);

            // The same page rendered by a plain view of the same size.
            const QString html = page->WebBrowser1()->toHtml();
            QTextBrowser plain(frame->area());
            plain.setGeometry(page->WebBrowser1()->geometry());
            plain.show();
            const double renderMs = timeMs([&] {
                plain.setHtml(html);
                plain.repaint();
            });
            sub->close();
            settle();
            if (run > 0) {
                opens.push_back(openMs);
                renders.push_back(renderMs);
            }
        }
        const Stats open = summarise(opens);
        report.add({QStringLiteral("OpenArticlePage ") + name, open, QStringLiteral("ms"),
                    QStringLiteral("setHtml + repaint alone"), summarise(renders), QStringLiteral("< 50 ms"),
                    open.p95 < 50});
    }
    delete frame;
    settle();

    // Decoder throughput on the real files, and on one long line of 64 KB (read whole: it stays
    // under the number of characters at which reading stops inside a line).
    QByteArray big(64 << 10, 'a');
    for (qsizetype i = 0; i + 1 < big.size(); i += 7)
        big[i] = char(0xB0), big[i + 1] = char(0xA1);
    const QList<std::pair<QString, QByteArray>> inputs = {
        {QStringLiteral("符咒心得.god"), [] {
             QFile f(kBinDir + QStringLiteral("/god/符咒心得.god"));
             f.open(QIODevice::ReadOnly);
             return f.readAll();
         }()},
        {QStringLiteral("祝由须知.god"), [] {
             QFile f(kBinDir + QStringLiteral("/god/祝由须知.god"));
             f.open(QIODevice::ReadOnly);
             return f.readAll();
         }()},
        {QStringLiteral("one 64 KB line"), big}};
    for (const auto &[label, bytes] : inputs) {
        if (bytes.isEmpty())
            continue;
        const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
        const std::size_t size = std::size_t(bytes.size());
        std::vector<char> target(size);
        // Enough repetitions for a sample of some milliseconds.
        const int repeat = std::max(1, int((8u << 20) / size));
        std::vector<double> decodeRates, copyRates;
        std::size_t sink = 0;
        for (int sample = 0; sample < 15; ++sample) {
            const double decodeMs = timeMs([&] {
                for (int i = 0; i < repeat; ++i)
                    sink += ArticleCodec::decodeArticle(data, size, 2).size();
            });
            const double copyMs = timeMs([&] {
                for (int i = 0; i < repeat; ++i) {
                    std::memcpy(target.data(), data, size);
                    sink += std::size_t(target[i % size]);
                }
            });
            const double megabytes = double(size) * repeat / 1e6;
            decodeRates.push_back(megabytes / (decodeMs / 1000));
            copyRates.push_back(megabytes / (copyMs / 1000));
        }
        if (sink == 0)
            std::printf(" ");
        const Stats decode = summarise(decodeRates);
        // Rates: the "p95" column shows the 5th percentile (the slow end) by negating.
        std::vector<double> negated;
        for (double rate : decodeRates)
            negated.push_back(-rate);
        Stats shown = decode;
        shown.p95 = -summarise(negated).p95;
        report.add({QStringLiteral("decoder ") + label + QStringLiteral(" (%1 KB)").arg(size / 1024), shown,
                    QStringLiteral("MB/s"), QStringLiteral("memcpy"), summarise(copyRates), QStringLiteral(">= 500 MB/s"),
                    decode.median >= 500});
    }
}

// In a process of its own: everything open, then the peak.
int memoryChild()
{
    MDIForm1 *frame = openFrame();
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters()) {
        OpenChapterWindow(chapter.shortTitle);
        frame->area()->activeSubWindow()->repaint();
    }
    OpenArticlePage(QStringLiteral("符咒心得"), 2);
    OpenArticlePage(QStringLiteral("祝由须知"), 3);
    settle();
    for (QMdiSubWindow *sub : frame->area()->subWindowList()) {
        frame->area()->setActiveSubWindow(sub);
        sub->repaint();
    }
    QElapsedTimer ticks;
    ticks.start();
    while (ticks.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("painted %lld\n", peakResidentKiB());
    std::fflush(stdout);
    std::_Exit(0);
}

void benchMemory(Report &report, const Stats &baselinePeak)
{
    std::vector<double> peaks;
    for (int run = 0; run < 3; ++run)
        peaks.push_back(double(startOnce(QCoreApplication::applicationFilePath(), {QStringLiteral("memory-child")}).second) / 1024);
    const Stats peak = summarise(peaks);
    report.add({QStringLiteral("peak memory, everything open"), peak, QStringLiteral("MB"),
                QStringLiteral("empty Qt main window"), baselinePeak, QStringLiteral("<= 150 MB"), peak.median <= 150});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("灵箓汇编"));
    Module1::setAppPath(kBinDir);
    // A message box would stop the run; count them instead (there should be none).
    MsgBox::setObserver([](const MsgBox::Shown &box) {
        ++g_boxes;
        std::fprintf(stderr, "message: %s\n", qPrintable(box.text));
    });

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == QStringLiteral("memory-child"))
        return memoryChild();
    const auto wanted = [&](const char *name) {
        return arguments.isEmpty() || arguments.contains(QString::fromLatin1(name));
    };

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::printf("platform %s, screen %dx%d, installation %s\n", qPrintable(QGuiApplication::platformName()),
                screen.width(), screen.height(), qPrintable(kBinDir));
    Report report;
    Stats baselinePeak;
    if (wanted("pages"))
        benchPages(report);
    if (wanted("startup") || wanted("memory"))
        benchStartup(report, &baselinePeak);
    if (wanted("articles"))
        benchArticles(report);
    if (wanted("memory"))
        benchMemory(report, baselinePeak);
    report.print();
    if (g_boxes)
        std::printf("%d message boxes were shown: the installation folder is incomplete\n", g_boxes);
    return 0;
}
