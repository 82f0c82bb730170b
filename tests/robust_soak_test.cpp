// Soak: 100,000 banner ticks, and 200 rounds of opening and closing every chapter. Neither may make
// the program grow: the objects it holds come back to the same count, and resident memory stays
// flat (within allocator noise). Built with AddressSanitizer, the memory figure is the sanitizer's
// quarantine rather than the program's, so there only the object counts are checked and
// LeakSanitizer checks the rest at exit.
#include "robust_support.h"

#include "app/ChapterOpener.h"
#include "app/MDIForm1.h"
#include "catalogue/Fmulu.h"
#include "content/Catalogue.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#define LINGLU_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINGLU_UNDER_ASAN 1
#endif
#endif

using namespace robust;

namespace {

// Growth allowed between the warmed-up and the final figure: the allocator keeps some freed
// memory, and the font and pixmap caches fill up to their limits.
constexpr qint64 kNoiseKiB = 6 * 1024;

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void checkFlat(const char *what, qint64 warmKiB, qint64 endKiB)
{
    std::printf("%s: resident memory %lld KiB after warm-up, %lld KiB at the end (%+lld KiB)\n", what,
                static_cast<long long>(warmKiB), static_cast<long long>(endKiB),
                static_cast<long long>(endKiB - warmKiB));
#ifdef LINGLU_UNDER_ASAN
    Q_UNUSED(warmKiB)
    Q_UNUSED(endKiB)
#else
    if (warmKiB > 0)
        QVERIFY2(endKiB - warmKiB <= kNoiseKiB, what);
#endif
}

} // namespace

class RobustSoakTest : public QObject
{
    Q_OBJECT

  private slots:
    void cleanup() { closeAllWindows(); }
    void bannerTicks_memoryFlat();
    void chapterCycles_memoryFlat();
};

void RobustSoakTest::bannerTicks_memoryFlat()
{
    Installation installation;
    BoxRecorder boxes;
    MDIForm1 *frame = new MDIForm1;
    frame->show();
    auto *catalogue = qobject_cast<Fmulu *>(frame->catalogueWindow()->widget());
    QVERIFY(catalogue);
    // The ticks are counted here; the window's own timer must not add any.
    catalogue->findChild<QTimer *>(QStringLiteral("Timer1"))->stop();

    constexpr int total = 100000;
    constexpr int warmUp = 2000;
    qint64 warm = 0;
    qsizetype objects = 0;
    for (int tick = 1; tick <= total; ++tick) {
        catalogue->timerTick();
        if (tick % 500 == 0) {
            catalogue->repaint(); // the banner drawn as the user sees it
            settle();
        }
        if (tick == warmUp) {
            warm = residentKiB();
            objects = frame->findChildren<QObject *>().size();
        }
    }
    settle();
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(catalogue->bannerStep(), (total - 1) % 4 + 1);
    QCOMPARE(frame->findChildren<QObject *>().size(), objects);
    checkFlat("100000 banner ticks", warm, residentKiB());
}

void RobustSoakTest::chapterCycles_memoryFlat()
{
    Installation installation;
    BoxRecorder boxes;
    MDIForm1 *frame = new MDIForm1;
    frame->show();
    const qsizetype loaded = Module1::loadedWindows().size();

    constexpr int rounds = 200;
    constexpr int warmUp = 10;
    qint64 warm = 0;
    qsizetype objects = 0;
    for (int round = 1; round <= rounds; ++round) {
        for (const content::Chapter &chapter : content::Catalogue::instance().chapters()) {
            OpenChapterWindow(chapter.shortTitle);
            QMdiSubWindow *viewer = frame->area()->activeSubWindow();
            QVERIFY(viewer && viewer != frame->catalogueWindow());
            viewer->close();
            settle();
        }
        if (round == warmUp) {
            warm = residentKiB();
            objects = frame->findChildren<QObject *>().size();
        }
    }
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(frame->area()->subWindowList().size(), 1); // the catalogue alone
    QCOMPARE(frame->findChildren<QObject *>().size(), objects);
    QCOMPARE(Module1::loadedWindows().size(), loaded);
    checkFlat("200 rounds of every chapter", warm, residentKiB());
}

QTEST_MAIN(RobustSoakTest)
#include "robust_soak_test.moc"
