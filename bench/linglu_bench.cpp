// The program's benchmarks, each set against a baseline measured in the same run:
//   pages     a page switch (SelectEntry plus one full repaint of the maximised viewer) to the
//             next entry, once the background has prefetched it, and a first visit of a page
//             whose picture is in no cache, for every list entry of every chapter, against
//             decoding the same JPEG alone;
//   startup   process start to the catalogue's first paint, against a main window with one
//             Chinese menu title (and an empty one);
//   chapter   OpenChapterWindow 镇宅兴家 to the maximised viewer painted, against an empty
//             maximised child window;
//   articles  OpenArticlePage read to rendered, against rendering the decoded page in a plain
//             QTextBrowser; the decoder's throughput against memcpy of the same bytes;
//   traditional  every page's two sections converted into traditional characters (臺灣), the
//             book's corrections included, against composing the same sections;
//   pinyin    注音 set on every page's incantation in a lower pane and laid out, against showing
//             the same section plainly;
//   memory    peak resident memory with all ten chapters and both articles open, against the
//             empty Qt main window;
//   idle      CPU used over 30 s (LINGLU_BENCH_IDLE_SECONDS) with the catalogue showing, and with
//             a maximised viewer over it, against an idle empty Qt main window.
// Run with no argument for all of them (scripts/bench); "--json FILE" writes the figures as JSON.
// The installation folder is the build's. Under callgrind (scripts/bench --callgrind) each timed
// region is counted on its own and dumped under the figure's name.
#include "FirstPaint.h"
#include "Harness.h"

#include "app/ChapterOpener.h"
#include "app/MDIForm1.h"
#include "articles/ArticleCodec.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "catalogue/Fmulu.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/Pictures.h"
#include "common/TextForm.h"
#include "content/Catalogue.h"
#include "content/PictureNumbers.h"
#include "content/TableOfContents.h"
#include "viewer/Fllhb.h"
#include "viewer/PictureLoader.h"
#include "viewer/TextPane.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>

#include <sys/resource.h>

#include <cstring>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define LINGLU_CALLGRIND 1
#endif

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
    return index == 0 ? content::Catalogue::instance().zhenRenBuDou().pictureNumber
                      : content::picturenumbers::kOverview;
}

QString picturePath(int number)
{
    return kBinDir + QStringLiteral("/picture/") + content::pictureDigits(number) + QStringLiteral(".jpg");
}

// Under callgrind: counts only what runs between measureStart and measureStop, and dumps the
// counts gathered so far under a figure's name. Without callgrind these do nothing.
bool underCallgrind()
{
#ifdef LINGLU_CALLGRIND
    return RUNNING_ON_VALGRIND;
#else
    return false;
#endif
}
void measureStart()
{
#ifdef LINGLU_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
#endif
}
void measureStop()
{
#ifdef LINGLU_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
#endif
}
void dumpCounts(const char *name)
{
#ifdef LINGLU_CALLGRIND
    CALLGRIND_DUMP_STATS_AT(name);
#else
    Q_UNUSED(name)
#endif
}

// Times one piece of work, counted under callgrind.
template <typename Work> double measuredMs(Work &&work)
{
    measureStart();
    const double ms = timeMs(work);
    measureStop();
    return ms;
}

// Lets the background decoder finish and its results reach the cache, as they do while a user
// reads a page.
void waitForPrefetch()
{
    viewer::PictureLoader &loader = viewer::PictureLoader::instance();
    QElapsedTimer waited;
    waited.start();
    while (loader.isBusy() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    settle();
}

void printSampleCount(const char *name, std::size_t count)
{
    // scripts/bench divides each dump's count by this.
    std::printf("samples %s: %zu\n", name, count);
}

void benchPages(Report &report)
{
    MDIForm1 *frame = openFrame();
    // The banner keeps ticking behind the viewers, as it does for a user.
    std::vector<double> switches, firstVisits, decodes;
    // LINGLU_BENCH_QUICK=1 (set under callgrind): two chapters, one round.
    const bool quick = qEnvironmentVariableIntValue("LINGLU_BENCH_QUICK") == 1 || underCallgrind();
    const int rounds = quick ? 1 : 2;
    const auto &chapters = content::Catalogue::instance().chapters();
    QSize viewerSize;
    viewer::PictureCache &cache = viewer::PictureLoader::instance().cache();
    for (const content::Chapter &chapter : chapters) {
        if (quick && &chapter - chapters.data() >= 2)
            break;
        OpenChapterWindow(chapter.shortTitle);
        QMdiSubWindow *sub = frame->area()->activeSubWindow();
        auto *viewer = qobject_cast<Fllhb *>(sub->widget());
        const QStringList names = content::Catalogue::entryNames(chapter);
        settle();
        viewerSize = sub->size();
        waitForPrefetch();
        // Round 0 warms the glyph caches and is not counted. Each round steps through the list
        // as a reader does: one entry after the other, the next one prefetched meanwhile.
        for (int round = 0; round <= rounds; ++round) {
            for (int index = 0; index < names.size(); ++index) {
                const double switchMs = measuredMs([&] {
                    viewer->chooseEntry(index);
                    sub->repaint();
                });
                waitForPrefetch();
                if (round > 0)
                    switches.push_back(switchMs);
            }
            dumpCounts(round == 0 ? "warm-up" : "page switch");
        }
        // First visits: the same pages with nothing in the cache and nothing prefetched.
        for (int round = 0; round <= rounds; ++round) {
            for (int index = 0; index < names.size(); ++index) {
                waitForPrefetch();
                cache.clear();
                const double firstMs = measuredMs([&] {
                    viewer->chooseEntry(index);
                    sub->repaint();
                });
                if (round > 0)
                    firstVisits.push_back(firstMs);
            }
            dumpCounts(round == 0 ? "warm-up" : "page switch first visit");
        }
        waitForPrefetch();
        for (int round = 0; round <= rounds; ++round) {
            for (int index = 0; index < names.size(); ++index) {
                const QString file = picturePath(pictureOf(chapter, index, names[index]));
                const double decodeMs = measuredMs([&] {
                    QImageReader reader(file);
                    const QImage image = reader.read();
                    Q_UNUSED(image)
                });
                if (round > 0)
                    decodes.push_back(decodeMs);
            }
            dumpCounts(round == 0 ? "warm-up" : "page switch baseline");
        }
    }
    printSampleCount("page switch", switches.size());
    printSampleCount("page switch first visit", firstVisits.size());
    printSampleCount("page switch baseline", decodes.size());
    std::printf("pages: %zu switches of a %dx%d viewer\n", switches.size() / rounds, viewerSize.width(),
                viewerSize.height());
    const Stats page = summarise(switches);
    const Stats first = summarise(firstVisits);
    const Stats decode = summarise(decodes);
    report.add({QStringLiteral("page switch"), page, QStringLiteral("ms"), QStringLiteral("JPEG decode alone"), decode,
                QStringLiteral("ratio <= 1.2, p95 <= 5 ms"), page.median <= 1.2 * decode.median && page.p95 <= 5});
    report.add({QStringLiteral("page switch first visit"), first, QStringLiteral("ms"),
                QStringLiteral("JPEG decode alone"), decode, QStringLiteral("ratio <= 1.5"),
                first.median <= 1.5 * decode.median});
    delete frame;
    settle();
}

// An empty child window, maximised in the frame and painted: what any child window costs.
double openEmptyChild(MDIForm1 *frame)
{
    QMdiSubWindow *sub = nullptr;
    const double ms = measuredMs([&] {
        auto *child = new QWidget;
        sub = frame->area()->addSubWindow(child);
        sub->showMaximized();
        frame->area()->setActiveSubWindow(sub);
        QCoreApplication::processEvents();
        sub->repaint();
    });
    sub->close();
    delete sub;
    settle();
    return ms;
}

void benchChapter(Report &report)
{
    MDIForm1 *frame = openFrame();
    const QString title = QStringLiteral("镇宅兴家");
    std::vector<double> opens, empties;
    const int runs = underCallgrind() ? 3 : 12;
    double firstOpen = 0;
    for (int run = 0; run <= runs; ++run) { // run 0 loads the fonts' glyphs and is not counted
        QMdiSubWindow *sub = nullptr;
        const double openMs = measuredMs([&] {
            OpenChapterWindow(title);
            sub = frame->area()->activeSubWindow();
            QCoreApplication::processEvents();
            sub->repaint();
        });
        dumpCounts(run == 0 ? "warm-up" : "chapter open");
        waitForPrefetch();
        sub->close();
        settle();
        viewer::PictureLoader::instance().cache().clear();
        const double emptyMs = openEmptyChild(frame);
        dumpCounts(run == 0 ? "warm-up" : "chapter open baseline");
        if (run == 0) {
            firstOpen = openMs;
            continue;
        }
        opens.push_back(openMs);
        empties.push_back(emptyMs);
    }
    printSampleCount("chapter open", opens.size());
    printSampleCount("chapter open baseline", empties.size());
    const Stats open = summarise(opens);
    report.add({QStringLiteral("chapter open 镇宅兴家"), open, QStringLiteral("ms"),
                QStringLiteral("empty maximised child window"), summarise(empties), QStringLiteral("<= 20 ms"),
                open.median <= 20});
    Stats once;
    once.count = 1;
    once.median = once.p95 = firstOpen;
    Line first{QStringLiteral("  the first in the process"),
               once,
               QStringLiteral("ms"),
               QStringLiteral("(loads the glyphs)"),
               Stats(),
               QStringLiteral("(breakdown)"),
               true};
    first.json = false;
    report.add(first);
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
        const auto [textMs, textKiB] =
            startOnce(dir + QStringLiteral("/bench_startup_baseline"), {QStringLiteral("--text")});
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
    const Stats text = summarise(withText);
    report.add({QStringLiteral("start-up"), program, QStringLiteral("ms"),
                QStringLiteral("main window, one Chinese title"), text, QStringLiteral("ratio <= 1.5"),
                program.median <= 1.5 * text.median});
    Line empty{QStringLiteral("  the same"),
               program,
               QStringLiteral("ms"),
               QStringLiteral("empty Qt main window"),
               summarise(baseline),
               QStringLiteral("(no text at all)"),
               true};
    empty.json = false;
    report.add(empty);
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

// 繁體字: each page's two sections as the panes show them, converted by a loaded conversion (the
// dictionaries' loading, once per run, is reported beside it), against composing them.
void benchTraditional(Report &report)
{
    QElapsedTimer loading;
    loading.start();
    const std::unique_ptr<textform::Converter> converter = textform::Converter::load(textform::Form::Taiwan);
    const double loadMs = double(loading.nsecsElapsed()) / 1e6;
    if (!converter) {
        std::printf("traditional: %s\n", qPrintable(textform::unavailableReason()));
        return;
    }
    std::vector<double> converts;
    std::vector<double> composes;
    for (int run = 0; run < 5; ++run) {
        for (const content::Page *page : content::Catalogue::instance().distinctPages()) {
            QElapsedTimer clock;
            clock.start();
            QString text = content::ComposeSection(page->headingTitle, page->upper.label, page->upper.paragraphs);
            if (page->lower)
                text += content::ComposeSection(page->headingTitle, page->lower->label, page->lower->paragraphs);
            const double composeMs = double(clock.nsecsElapsed()) / 1e6;
            clock.restart();
            const QString shown = converter->convert(text);
            const double convertMs = double(clock.nsecsElapsed()) / 1e6;
            if (shown.size() != text.size())
                std::printf("traditional: a page changed its length\n");
            if (run > 0) { // the first round warms the caches
                converts.push_back(convertMs);
                composes.push_back(composeMs);
            }
        }
    }
    const Stats convert = summarise(converts);
    report.add({QStringLiteral("page in traditional characters"), convert, QStringLiteral("ms"),
                QStringLiteral("composing the page"), summarise(composes), QStringLiteral("< 1 ms"), convert.p95 < 1});
    Stats once;
    once.count = 1;
    once.median = once.p95 = once.min = once.max = loadMs;
    Line load{QStringLiteral("  loading the conversion (once, on another thread)"),
              once,
              QStringLiteral("ms"),
              QStringLiteral("(reads the dictionaries)"),
              Stats(),
              QStringLiteral("(breakdown)"),
              true};
    load.json = false;
    report.add(load);
}

void benchArticles(Report &report)
{
    MDIForm1 *frame = openFrame();
    constexpr int runs = 20;
    for (const content::Article &article : content::TableOfContents::instance().articles()) {
        const QString &name = article.name;
        const int shift = article.shift;
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
    const QList<std::pair<QString, QByteArray>> inputs = {{QStringLiteral("符咒心得.god"),
                                                           [] {
                                                               QFile f(kBinDir + QStringLiteral("/god/符咒心得.god"));
                                                               f.open(QIODevice::ReadOnly);
                                                               return f.readAll();
                                                           }()},
                                                          {QStringLiteral("祝由须知.god"),
                                                           [] {
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
                    sink += articlecodec::decodeArticle(data, size, 2).size();
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
                    QStringLiteral("MB/s"), QStringLiteral("memcpy"), summarise(copyRates),
                    QStringLiteral(">= 500 MB/s"), decode.median >= 500});
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
    for (const content::Article &article : content::TableOfContents::instance().articles())
        OpenArticlePage(article.name, article.shift);
    settle();
    for (QMdiSubWindow *sub : frame->area()->subWindowList()) {
        frame->area()->setActiveSubWindow(sub);
        sub->repaint();
    }
    // A reader's session: a dozen pages of the last chapter, so that the cache fills to its bound.
    if (auto *viewer = qobject_cast<Fllhb *>(frame->area()->activeSubWindow()->widget()))
        for (int index = 0; index < 12; ++index) {
            viewer->chooseEntry(index);
            frame->area()->activeSubWindow()->repaint();
            waitForPrefetch();
        }
    waitForPrefetch();
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
        peaks.push_back(
            double(startOnce(QCoreApplication::applicationFilePath(), {QStringLiteral("memory-child")}).second) / 1024);
    const Stats peak = summarise(peaks);
    Line line{QStringLiteral("memory"),
              peak,
              QStringLiteral("MB"),
              QStringLiteral("empty Qt main window"),
              baselinePeak,
              QStringLiteral("<= 100 MB, everything open"),
              peak.median <= 100};
    line.extra.insert(QStringLiteral("peak_mb"), peak.median);
    line.extra.insert(QStringLiteral("baseline_peak_mb"), baselinePeak.median);
    report.add(line);
}

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1000 +
           (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1000;
}

// In a process of its own: the catalogue alone, a maximised viewer over it, or an empty main
// window; two seconds to settle, then the process's CPU time (all threads) over the given time.
int idleChild(const QString &mode, int seconds)
{
    QMainWindow *empty = nullptr;
    if (mode == QStringLiteral("baseline") || mode == QStringLiteral("timer")) {
        empty = new QMainWindow;
        empty->setCentralWidget(new QWidget);
        empty->show();
        empty->setGeometry(QGuiApplication::primaryScreen()->geometry());
        // "timer": the same window woken every 50 ms, as the banner's timer wakes the program.
        if (mode == QStringLiteral("timer")) {
            auto *timer = new QTimer(empty);
            QObject::connect(timer, &QTimer::timeout, empty, [] {});
            timer->start(50);
        }
    } else {
        openFrame();
        if (mode == QStringLiteral("viewer"))
            OpenChapterWindow(QStringLiteral("镇宅兴家"));
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double cpuBefore = cpuMs();
    clock.restart();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    measureStart();
    QCoreApplication::exec();
    measureStop();
    const double wall = double(clock.elapsed());
    std::printf("painted %.3f\n", (cpuMs() - cpuBefore) / wall * 100);
    std::fflush(stdout);
    std::_Exit(0);
}

void benchIdle(Report &report)
{
    const int seconds = qEnvironmentVariableIsSet("LINGLU_BENCH_IDLE_SECONDS")
                            ? qEnvironmentVariableIntValue("LINGLU_BENCH_IDLE_SECONDS")
                            : 30;
    const auto percent = [&](const char *mode) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("idle-child"), QString::fromLatin1(mode), QString::number(seconds)});
        child.waitForFinished((seconds + 30) * 1000);
        const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
        return words.size() == 2 ? words[1].toDouble() : -1.0;
    };
    const double base = percent("baseline");
    const double catalogue = percent("catalogue");
    const double covered = percent("viewer");
    const double woken = percent("timer");
    const auto figure = [](double value) {
        Stats stats;
        stats.count = 1;
        stats.median = stats.p95 = value;
        return stats;
    };
    Line idle{QStringLiteral("idle"),
              figure(catalogue),
              QStringLiteral("%"),
              QStringLiteral("idle empty Qt main window"),
              figure(base),
              QStringLiteral("<= 0.5 % of a core, catalogue showing"),
              catalogue >= 0 && catalogue <= 0.5};
    idle.extra.insert(QStringLiteral("cpu_percent"), catalogue);
    idle.extra.insert(QStringLiteral("baseline_cpu_percent"), base);
    idle.extra.insert(QStringLiteral("seconds"), seconds);
    report.add(idle);
    Line behind{QStringLiteral("idle behind a maximised viewer"),
                figure(covered),
                QStringLiteral("%"),
                QStringLiteral("idle empty Qt main window"),
                figure(base),
                QStringLiteral("<= 0.1 % of a core"),
                covered >= 0 && covered <= 0.1};
    behind.extra.insert(QStringLiteral("cpu_percent"), covered);
    behind.extra.insert(QStringLiteral("baseline_cpu_percent"), base);
    behind.extra.insert(QStringLiteral("seconds"), seconds);
    report.add(behind);
    Line floor{QStringLiteral("  (the floor)"),
               figure(woken),
               QStringLiteral("%"),
               QStringLiteral("empty window, 50 ms timer"),
               figure(base),
               QStringLiteral("(breakdown)"),
               true};
    floor.json = false;
    report.add(floor);
}

} // namespace

// 注音: the readings set on a page's incantation in a lower pane (read, room made and the
// characters spaced for them, the lines laid out again), against showing the same section plainly.
void benchPinyin(Report &report)
{
    TextPane pane;
    pane.resize(700, 400);
    pane.setIncantation(true);
    std::vector<double> readings;
    std::vector<double> plain;
    for (int run = 0; run < 3; ++run) {
        for (const content::Page *page : content::Catalogue::instance().distinctPages()) {
            if (!page->lower || page->lower->label != content::kLabelIncantation)
                continue;
            const QString text =
                content::ComposeSection(page->headingTitle, page->lower->label, page->lower->paragraphs);
            pane.setPinyinShown(false);
            QElapsedTimer clock;
            clock.start();
            pane.setText(text);
            pane.document()->size(); // laid out
            const double plainMs = double(clock.nsecsElapsed()) / 1e6;
            clock.restart();
            pane.setPinyinShown(true);
            pane.document()->size();
            const double readingsMs = double(clock.nsecsElapsed()) / 1e6;
            if (run > 0) { // the first round warms the caches
                readings.push_back(readingsMs);
                plain.push_back(plainMs);
            }
        }
    }
    const Stats set = summarise(readings);
    report.add({QStringLiteral("注音 set on a page"), set, QStringLiteral("ms"),
                QStringLiteral("the page shown plainly"), summarise(plain), QStringLiteral("< 16 ms"), set.p95 < 16});
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("灵箓汇编"));
    Module1::setAppPath(kBinDir);
    // A message box would stop the run; count them instead (there should be none).
    msgbox::setObserver([](const msgbox::Shown &box) {
        ++g_boxes;
        std::fprintf(stderr, "message: %s\n", qPrintable(box.text));
    });

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == QStringLiteral("memory-child"))
        return memoryChild();
    if (arguments.value(0) == QStringLiteral("idle-child"))
        return idleChild(arguments.value(1), arguments.value(2).toInt());
    QString jsonFile;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--json")); at >= 0) {
        jsonFile = arguments.value(at + 1);
        arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    }
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
    if (wanted("chapter"))
        benchChapter(report);
    if (wanted("startup") || wanted("memory"))
        benchStartup(report, &baselinePeak);
    if (wanted("memory"))
        benchMemory(report, baselinePeak);
    if (wanted("idle"))
        benchIdle(report);
    if (wanted("articles"))
        benchArticles(report);
    if (wanted("traditional"))
        benchTraditional(report);
    if (wanted("pinyin"))
        benchPinyin(report);
    report.print();
    if (!jsonFile.isEmpty() && !report.writeJson(jsonFile))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(jsonFile));
    if (g_boxes)
        std::printf("%d message boxes were shown: the installation folder is incomplete\n", g_boxes);
    return 0;
}
