// The fault matrix: every file the program reads, given each fault a file can have (missing, empty,
// cut in half, not a picture, a folder of that name, unreadable), plus a read-only installation
// folder and a temporary page that cannot be written. Each action shows at most one message, never
// a stacked or endless run of them, and never crashes or hangs; what the windows show afterwards is
// checked as well.
#include "robust_support.h"

#include "about/FrmAbout1.h"
#include "app/ChapterOpener.h"
#include "app/MDIForm1.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "articles/PageFile.h"
#include "catalogue/Fmulu.h"
#include "common/PictureBox.h"
#include "common/Pictures.h"
#include "content/Catalogue.h"
#include "viewer/Fllhb.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <atomic>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace robust;

Q_DECLARE_METATYPE(robust::Fault)

namespace {

// Picture 055 is the first page of 日常琐事; 077 the overview of 玉女反闭诀, 079 the 子丑日 chart.
const QString kChapter = QStringLiteral("日常琐事");
constexpr int kFirstPicture = 55;
constexpr int kOverviewPicture = 77;
constexpr int kFirstChartPicture = 79;

MDIForm1 *openFrame()
{
    auto *frame = new MDIForm1;
    frame->show();
    return frame;
}

Fmulu *catalogueOf(MDIForm1 *frame)
{
    return frame->catalogueWindow() ? qobject_cast<Fmulu *>(frame->catalogueWindow()->widget()) : nullptr;
}

Fllhb *viewerOf(MDIForm1 *frame, const QString &shortTitle)
{
    for (Fllhb *viewer : childForms<Fllhb>(frame))
        if (Module1::captionOf(viewer) == QStringLiteral("灵箓汇编-") + shortTitle)
            return viewer;
    return nullptr;
}

const PictureBox *imageOf(const QWidget *form)
{
    return form->findChild<const PictureBox *>(QStringLiteral("Image1"));
}

int shownNumber(const QWidget *form)
{
    const PictureBox *box = imageOf(form);
    return box ? shownPictureNumber(box->picture(), box->pictureSize()) : -2;
}

// Which faults a picture loader reports. A JPEG or BMP cut in half still decodes (the missing part
// is left blank), so it is shown without a message; a PNG or GIF cut in half does not decode.
bool reportedForJpeg(Fault fault)
{
    return fault != Fault::Truncated;
}

void addFaultRows()
{
    QTest::addColumn<Fault>("fault");
    for (Fault fault : allFaults())
        QTest::newRow(faultName(fault)) << fault;
}

} // namespace

class RobustFaultsTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanup();

    void entryPicture_data() { addFaultRows(); }
    void entryPicture();
    void qimenChart_data() { addFaultRows(); }
    void qimenChart();
    void background_data() { addFaultRows(); }
    void background();
    void gif_data() { addFaultRows(); }
    void gif();
    void bannerBitmap_data();
    void bannerBitmap();
    void bannerBox_waitsWhileOpen();
    void bannerBox_notEndless();
    void articleFile_data();
    void articleFile();
    void readOnlyInstallation_data();
    void readOnlyInstallation();
    void installedCopy();
    void temPage_data();
    void temPage();
    void temPage_hardLinkNotWrittenThrough();
    void temPage_swappedForLinkMeanwhile();

  private:
    // Skips the case when permission bits would not stop this process (root, as CI runs).
    bool skipUnreadableAsRoot(Fault fault);
    bool m_permissionsApply = true;
    // The per-user runtime folder of this run, where a page goes that the installation cannot take.
    QTemporaryDir m_runtime;
};

void RobustFaultsTest::initTestCase()
{
    m_permissionsApply = permissionsApply();
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void RobustFaultsTest::cleanup()
{
    closeAllWindows();
}

bool RobustFaultsTest::skipUnreadableAsRoot(Fault fault)
{
#ifdef _WIN32
    if (fault == Fault::NamedPipe)
        return true; // no named pipes in the file system (the skip message says root, but this is rare)
#endif
    return fault == Fault::Unreadable && !m_permissionsApply;
}

void RobustFaultsTest::entryPicture()
{
    QFETCH(Fault, fault);
    if (skipUnreadableAsRoot(fault))
        QSKIP("running as root: permission bits do not stop reading");
    Installation installation;
    QVERIFY(applyFault(installation.path(pictureName(kFirstPicture)), fault));
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    const content::Chapter *chapter = content::Catalogue::instance().chapterByShortTitle(kChapter);
    QVERIFY(chapter);
    const QStringList names = content::Catalogue::entryNames(*chapter);

    // Opening the chapter: one message at most, and the chapter keeps its whole list; no fault
    // holds it up for long or makes it grow.
    {
        Watchdog watchdog("opening a chapter with a faulty picture", 5, 300);
        OpenChapterWindow(kChapter);
    }
    Fllhb *viewer = viewerOf(frame, kChapter);
    QVERIFY(viewer);
    const int expected = reportedForJpeg(fault) ? 1 : 0;
    QCOMPARE(boxes.count(), expected);
    if (expected)
        QVERIFY2(boxes.shown().first().text.contains(QStringLiteral("055.jpg")),
                 qPrintable(boxes.shown().first().text));
    // A picture too large to show is said to be so, not called damaged.
    if (fault == Fault::HugePicture)
        QVERIFY2(boxes.shown().first().text.contains(QStringLiteral("太大")), qPrintable(boxes.shown().first().text));
    auto *combo = viewer->findChild<QComboBox *>(QStringLiteral("Combo1"));
    QCOMPARE(combo->count(), names.size());
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(viewer->findChild<QLabel *>(QStringLiteral("Label2"))->text(), names.first());
    QCOMPARE(shownNumber(viewer), expected ? -1 : kFirstPicture);

    // Moving on works; coming back reports the same failure once more, no more.
    boxes.clear();
    viewer->chooseEntry(1);
    QCOMPARE(boxes.count(), 0);
    QVERIFY(shownNumber(viewer) >= 0);
    const int second = shownNumber(viewer);
    viewer->chooseEntry(0);
    QCOMPARE(boxes.count(), expected);
    QCOMPARE(shownNumber(viewer), expected ? second : kFirstPicture);
    viewer->grab(); // painting a partial or missing picture is fine too
}

void RobustFaultsTest::qimenChart()
{
    QFETCH(Fault, fault);
    if (skipUnreadableAsRoot(fault))
        QSKIP("running as root: permission bits do not stop reading");
    Installation installation;
    QVERIFY(applyFault(installation.path(pictureName(kFirstChartPicture)), fault));
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    OpenChapterWindow(QStringLiteral("奇门遁甲"));
    Fllhb *viewer = viewerOf(frame, QStringLiteral("奇门遁甲"));
    QVERIFY(viewer);
    auto *combo = viewer->findChild<QComboBox *>(QStringLiteral("Combo1"));
    viewer->chooseEntry(combo->findText(QStringLiteral("玉女反闭诀")));
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(shownNumber(viewer), kOverviewPicture);

    // 子丑日: one message; the chart's width share is in force, the overview's picture stays.
    {
        Watchdog watchdog("showing a faulty chart", 5, 300);
        viewer->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    }
    const int expected = reportedForJpeg(fault) ? 1 : 0;
    QCOMPARE(boxes.count(), expected);
    QCOMPARE(viewer->pictureWidthFactor(), 2.5);
    QCOMPARE(shownNumber(viewer), expected ? kOverviewPicture : kFirstChartPicture);

    // The next chart is unaffected.
    boxes.clear();
    viewer->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(shownNumber(viewer), kFirstChartPicture + 1);
}

void RobustFaultsTest::background()
{
    // The catalogue page and the About box both load the background; any fault leaves it plain.
    QFETCH(Fault, fault);
    if (skipUnreadableAsRoot(fault))
        QSKIP("running as root: permission bits do not stop reading");
    Installation installation;
    QVERIFY(applyFault(installation.path(kGlobe), fault));
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    Fmulu *catalogue = catalogueOf(frame);
    QVERIFY(catalogue);
    const QImage page = catalogue->grab().toImage();
    QCOMPARE(page.pixelColor(2, 2), QColor(0, 255, 255)); // the plain cyan page
    {
        FrmAbout1 about(frame);
        about.show();
        about.grab();
        about.close();
    }
    QCOMPARE(boxes.count(), 0);
}

void RobustFaultsTest::gif()
{
    QFETCH(Fault, fault);
    if (skipUnreadableAsRoot(fault))
        QSKIP("running as root: permission bits do not stop reading");
    Installation installation;
    QVERIFY(applyFault(installation.path(kGif), fault));
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    Fmulu *catalogue = catalogueOf(frame);
    QVERIFY(catalogue);
    catalogue->grab();
    QCOMPARE(boxes.count(), 0);
    QVERIFY(imageOf(catalogue)->picture().isNull()); // an empty banner until the first tick
    catalogue->timerTick();
    QCOMPARE(boxes.count(), 0);
    QVERIFY(!imageOf(catalogue)->picture().isNull()); // the bitmaps do not depend on the GIF
}

void RobustFaultsTest::bannerBitmap_data()
{
    QTest::addColumn<int>("banner"); // index into kBanners: 3 is llhbd, the first one shown
    QTest::addColumn<Fault>("fault");
    for (int banner : {3, 0, 1, 2})
        for (Fault fault : allFaults())
            QTest::addRow("%s %s", qPrintable(kBanners[banner].mid(9)), faultName(fault)) << banner << fault;
}

void RobustFaultsTest::bannerBitmap()
{
    QFETCH(int, banner);
    QFETCH(Fault, fault);
    if (skipUnreadableAsRoot(fault))
        QSKIP("running as root: permission bits do not stop reading");
    Installation installation;
    const QString file = installation.path(kBanners[banner]);
    const QByteArray good = [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QVERIFY(applyFault(file, fault));
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    Fmulu *catalogue = catalogueOf(frame);
    QVERIFY(catalogue);
    const PictureBox *image = imageOf(catalogue);

    // The cycle is d, a, b, c: llhbd is reached on tick 1, llhba on tick 2, and so on; a tick that
    // fails leaves the step where the previous picture put it.
    const int reachedOnTick = banner == 3 ? 1 : banner + 2;
    const int stuckStep = banner == 3 ? 0 : banner + 1;
    constexpr int ticks = 8;
    {
        // Ticks come every 50 ms: each must be over long before the next.
        Watchdog watchdog("banner ticks with a faulty bitmap", 3, 300);
        QElapsedTimer clock;
        clock.start();
        for (int tick = 1; tick <= ticks; ++tick)
            catalogue->timerTick();
        QVERIFY2(clock.elapsed() < ticks * 50, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    }

    switch (fault) {
    case Fault::Missing:
    case Fault::Directory:
    case Fault::NamedPipe:
        // Not a file of that name: the banner is hidden for good, silently.
        QCOMPARE(boxes.count(), 0);
        QVERIFY(image->isHidden());
        if (fault == Fault::Directory)
            QVERIFY(QDir().rmdir(file));
        if (fault == Fault::NamedPipe)
            QVERIFY(QFile::remove(file));
        QVERIFY(writeFile(file, good));
        catalogue->timerTick();
        QVERIFY(image->isHidden());
        QCOMPARE(boxes.count(), 0);
        break;
    case Fault::Truncated:
        // Half a bitmap still decodes: shown, the cycle goes on.
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!image->isHidden());
        QCOMPARE(catalogue->bannerStep(), (ticks - 1) % 4 + 1);
        break;
    case Fault::Empty:
    case Fault::NotAPicture:
    case Fault::Unreadable:
    case Fault::ScanBomb:
    case Fault::HugePicture: {
        // One message for the fault, however many ticks meet the file afterwards; the banner
        // keeps its picture and the cycle its step.
        QVERIFY(ticks > reachedOnTick);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.maxDepth(), 1);
        QVERIFY(boxes.shown().first().text.contains(kBanners[banner].mid(9)));
        QVERIFY(!image->isHidden());
        QCOMPARE(catalogue->bannerStep(), stuckStep);
        // Repaired, the next tick shows it and the cycle moves on.
        boxes.clear();
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(writeFile(file, good));
        catalogue->timerTick();
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(image->picture().size(), QSize(64, 32));
        QCOMPARE(catalogue->bannerStep(), stuckStep + 1);
        break;
    }
    }
}

void RobustFaultsTest::bannerBox_waitsWhileOpen()
{
    // A real message box runs a modal loop in which the 50 ms timer keeps firing. While a box is
    // open no tick may show another: the recorder holds each box open for 300 ms, running the
    // event loop as a modal box does (a stretch of time the box is open, not a wait for a result).
    Installation installation;
    QVERIFY(applyFault(installation.path(kBanners[3]), Fault::NotAPicture));
    BoxRecorder boxes;
    boxes.setWhileOpen([] { QTest::qWait(300); });
    MDIForm1 *frame = openFrame();
    Fmulu *catalogue = catalogueOf(frame);
    QVERIFY(catalogue);
    QSignalSpy ticks(catalogue->findChild<QTimer *>(QStringLiteral("Timer1")), &QTimer::timeout);
    QVERIFY(ticks.isValid());
    QTRY_VERIFY_WITH_TIMEOUT(boxes.count() >= 1, 5000);
    // Ticks go on after the box was closed: twenty of them show no second box.
    const qsizetype closedAt = ticks.count();
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= closedAt + 20, 30000);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.maxDepth(), 1);
}

void RobustFaultsTest::bannerBox_notEndless()
{
    // A user who closes the message at once gets it back 50 ms later, and again after every
    // closing: the frame takes no input while a box is open, so the program can hardly be used or
    // even quit. One report of a damaged banner file is enough.
    Installation installation;
    QVERIFY(applyFault(installation.path(kBanners[3]), Fault::NotAPicture));
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    Fmulu *catalogue = catalogueOf(frame);
    QVERIFY(catalogue);
    QSignalSpy ticks(catalogue->findChild<QTimer *>(QStringLiteral("Timer1")), &QTimer::timeout);
    QVERIFY(ticks.isValid());
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 20, 30000); // twenty ticks, each trying the damaged picture
    QVERIFY2(boxes.count() <= 1, qPrintable(QStringLiteral("%1 boxes in twenty ticks").arg(boxes.count())));
}

void RobustFaultsTest::articleFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("shift");
    QTest::addColumn<Fault>("fault");
    for (const auto &[name, shift] :
         {std::pair{QStringLiteral("符咒心得"), 2}, std::pair{QStringLiteral("祝由须知"), 3}})
        for (Fault fault : allFaults())
            QTest::addRow("%s %s", qPrintable(name), faultName(fault)) << name << shift << fault;
}

void RobustFaultsTest::articleFile()
{
    QFETCH(QString, name);
    QFETCH(int, shift);
    QFETCH(Fault, fault);
    if (skipUnreadableAsRoot(fault))
        QSKIP("running as root: permission bits do not stop reading");
    Installation installation;
    QVERIFY(applyFault(installation.path(articleName(name)), fault));
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    const bool unreadable =
        fault == Fault::Missing || fault == Fault::Directory || fault == Fault::Unreadable || fault == Fault::NamedPipe;

    for (int opening = 1; opening <= 2; ++opening) {
        boxes.clear();
        {
            Watchdog watchdog("opening a faulty article file", 5, 300);
            OpenArticlePage(name, shift);
            QCoreApplication::processEvents();
        }
        const QList<Fwangye *> pages = childForms<Fwangye>(frame);
        if (unreadable) {
            // One message naming the file; no window, no page written.
            QCOMPARE(boxes.count(), 1);
            QVERIFY2(boxes.shown().first().text.contains(name + QStringLiteral(".god")),
                     qPrintable(boxes.shown().first().text));
            QVERIFY(pages.isEmpty());
            QVERIFY(!QFileInfo::exists(installation.path(kTemPage)));
        } else {
            // Whatever the bytes, they decode to some page: a window, no message.
            QCOMPARE(boxes.count(), 0);
            QVERIFY(!pages.isEmpty());
            QVERIFY(pages.size() <= opening);
            QVERIFY(QFileInfo(installation.path(kTemPage)).isFile());
            pages.last()->grab();
        }
    }
    if (fault == Fault::Empty) {
        const QList<Fwangye *> pages = childForms<Fwangye>(frame);
        QCOMPARE(pages.size(), 1); // no title: the caption stays the name, and is found again
        QVERIFY(pages.first()->WebBrowser1()->toPlainText().isEmpty());
        QCOMPARE(QFileInfo(installation.path(kTemPage)).size(), 0);
    }
}

void RobustFaultsTest::readOnlyInstallation_data()
{
    QTest::addColumn<bool>("privateFolder");
    QTest::newRow("private folder") << true;
    QTest::newRow("no private folder") << false;
}

void RobustFaultsTest::readOnlyInstallation()
{
    QFETCH(bool, privateFolder);
    if (!m_permissionsApply)
        QSKIP("running as root: a read-only folder can still be written");
    Installation installation;
    const QString blocked = m_runtime.filePath(QStringLiteral("linglu"));
    QDir(blocked).removeRecursively(); // an earlier row's private folder
    if (!privateFolder)
        QVERIFY(writeFile(blocked, "a file where the private folder would be"));
    const auto unblocked = qScopeGuard([&] { QFile::remove(blocked); });
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    QVERIFY(QFile::setPermissions(installation.root(), readOnly));
    const auto writable =
        qScopeGuard([&] { QFile::setPermissions(installation.root(), readOnly | QFileDevice::WriteOwner); });
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();

    // Chapters and pictures only read: no message.
    OpenChapterWindow(kChapter);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(shownNumber(viewerOf(frame, kChapter)), kFirstPicture);

    OpenArticlePage(QStringLiteral("符咒心得"), 2);
    QCoreApplication::processEvents();
    const QList<Fwangye *> pages = childForms<Fwangye>(frame);
    QCOMPARE(pages.size(), 1);
    const QString privatePage = blocked + QStringLiteral("/tem.htm");
    if (privateFolder) {
        // The page goes to the user's own folder, closed to others, and is shown from there.
        QCOMPARE(boxes.count(), 0);
        QVERIFY(pages.first()->WebBrowser1()->toPlainText().contains(QStringLiteral("试验用的文章")));
        QVERIFY(QFileInfo(privatePage).isFile());
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(blocked).permissions() & others, QFileDevice::Permissions());
        // The timer deletes it there as well, and says nothing.
        frame->timerTick();
        QVERIFY(!QFileInfo::exists(privatePage));
        QCOMPARE(boxes.count(), 0);
    } else {
        // Neither folder can take the page: one message, a window without content.
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.shown().first().text.contains(QStringLiteral("tem.htm")));
        QVERIFY(pages.first()->WebBrowser1()->toPlainText().isEmpty());
        // The deletion timer finds nothing to do and says nothing.
        frame->timerTick();
        QCOMPARE(boxes.count(), 1);
    }
}

void RobustFaultsTest::installedCopy()
{
    // The program's own installation folder, installed the way the README tells users to and made
    // read-only, given by the test command (run as an ordinary user or from a read-only mount):
    // both real articles open and show their pages from the user's private folder.
    const QString installed = qEnvironmentVariable("LINGLU_INSTALLED_DIR");
    if (installed.isEmpty())
        QSKIP("no installed copy given (LINGLU_INSTALLED_DIR)");
    QVERIFY2(QFileInfo(installed + QStringLiteral("/god")).isDir(), qPrintable(installed));
    Module1::setAppPath(installed);
    bool notWritable = false;
    QVERIFY2(!pagefile::writeInto(installed, "x", &notWritable).ok && notWritable,
             "the installed copy can be written: make it read-only first");
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    for (const auto &[name, shift] :
         {std::pair{QStringLiteral("符咒心得"), 2}, std::pair{QStringLiteral("祝由须知"), 3}}) {
        OpenArticlePage(name, shift);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.count(), 0);
        const Fwangye *page = childForms<Fwangye>(frame).last();
        QCOMPARE(Module1::captionOf(const_cast<Fwangye *>(page)), name); // the page's own title
        QVERIFY(page->WebBrowser1()->toPlainText().size() > 1000);
        QVERIFY(QFileInfo(page->WebBrowser1()->source().toLocalFile()).isFile());
        QVERIFY(!page->WebBrowser1()->source().toLocalFile().startsWith(installed));
    }
    QVERIFY(!QFileInfo::exists(installed + QStringLiteral("/tem.htm")));
    frame->timerTick();
    QVERIFY(!QFileInfo::exists(childForms<Fwangye>(frame).last()->WebBrowser1()->source().toLocalFile()));
    QCOMPARE(boxes.count(), 0);
}

void RobustFaultsTest::temPage_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("directory") << "directory";
    QTest::newRow("read-only") << "read-only";
    QTest::newRow("link to another file") << "link";
    QTest::newRow("dangling link") << "dangling link";
    QTest::newRow("named pipe") << "named pipe";
}

void RobustFaultsTest::temPage()
{
    QFETCH(QString, obstacle);
    const bool directory = obstacle == QStringLiteral("directory");
    if (obstacle == QStringLiteral("read-only") && !m_permissionsApply)
        QSKIP("running as root: a read-only file can still be written");
    Installation installation;
    const QString page = installation.path(kTemPage);
    const QString other = installation.path(QStringLiteral("\\other.txt"));
    if (directory) {
        QVERIFY(QDir().mkdir(page));
        QVERIFY(writeFile(page + QStringLiteral("/keep.txt"), "kept"));
    } else if (obstacle == QStringLiteral("link")) {
        // Writing through the link would overwrite a file that is not the program's own.
        QVERIFY(writeFile(other, "precious"));
        if (!QFile::link(other, page))
            QSKIP("this file system has no symbolic links");
    } else if (obstacle == QStringLiteral("dangling link")) {
        // Following it would create the file it names.
        if (!QFile::link(other, page))
            QSKIP("this file system has no symbolic links");
    } else if (obstacle == QStringLiteral("named pipe")) {
#ifdef _WIN32
        QSKIP("no named pipes in the file system here");
#else
        QCOMPARE(::mkfifo(QFile::encodeName(page).constData(), 0644), 0);
#endif
    } else {
        QVERIFY(writeFile(page, "old"));
        QVERIFY(QFile::setPermissions(page, QFileDevice::ReadOwner));
    }
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();

    {
        // Opening a pipe for writing would wait for a reader for ever.
        Watchdog watchdog("opening an article with an obstacle at tem.htm", 5);
        OpenArticlePage(QStringLiteral("祝由须知"), 3);
        QCoreApplication::processEvents();
    }
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.shown().first().text.contains(QStringLiteral("tem.htm")));
    QCOMPARE(childForms<Fwangye>(frame).size(), 1);
    QVERIFY(childForms<Fwangye>(frame).first()->WebBrowser1()->toPlainText().isEmpty());

    // The timer says nothing; a folder of that name is left alone with what it holds.
    frame->timerTick();
    QCOMPARE(boxes.count(), 1);
    if (directory) {
        QVERIFY(QFileInfo(page).isDir());
        QVERIFY(QFileInfo::exists(page + QStringLiteral("/keep.txt")));
    }
    if (obstacle == QStringLiteral("link")) {
        QFile kept(other);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("precious"));
        QVERIFY(!QFileInfo(page).isSymLink()); // the timer removed the link itself
    }
    if (obstacle == QStringLiteral("dangling link") || obstacle == QStringLiteral("named pipe")) {
        QVERIFY(!QFileInfo::exists(other));
        QVERIFY(!QFileInfo(page).isSymLink());
        QVERIFY(!QFileInfo::exists(page)); // removed by the timer, so later openings work
    }

    // The other article meets the same obstacle, or, once the timer removed the read-only file,
    // none.
    boxes.clear();
    OpenArticlePage(QStringLiteral("符咒心得"), 2);
    QCoreApplication::processEvents();
    QCOMPARE(boxes.count(), QFileInfo::exists(page) && directory ? 1 : 0);
}

void RobustFaultsTest::temPage_hardLinkNotWrittenThrough()
{
    // A hard link looks like any file; only replacing the name, never writing into the file, keeps
    // the other name's content.
    Installation installation;
    const QString page = installation.path(kTemPage);
    const QString other = installation.path(QStringLiteral("\\other.txt"));
    QVERIFY(writeFile(other, "precious"));
#ifdef _WIN32
    QSKIP("hard links are made differently here");
#else
    if (::link(QFile::encodeName(other).constData(), QFile::encodeName(page).constData()) != 0)
        QSKIP("this file system has no hard links");
#endif
    BoxRecorder boxes;
    MDIForm1 *frame = openFrame();
    OpenArticlePage(QStringLiteral("祝由须知"), 3);
    QCoreApplication::processEvents();
    QCOMPARE(boxes.count(), 0);
    QFile kept(other);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("precious"));
    QFile written(page);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("<title>"));
    const QList<Fwangye *> pages = childForms<Fwangye>(frame);
    QCOMPARE(pages.size(), 1);
    QVERIFY(!pages.first()->WebBrowser1()->toPlainText().isEmpty());
    // Only the page and the other file are there: no half-written file is left behind.
    QCOMPARE(QDir(installation.root()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

void RobustFaultsTest::temPage_swappedForLinkMeanwhile()
{
#ifdef _WIN32
    QSKIP("symbolic links need privileges here");
#else
    // Another process swaps tem.htm between a file and a link to a file elsewhere, as fast as it
    // can, while the page is written again and again. Whatever it catches, the other file stays as
    // it was: the page is never opened by its name.
    Installation installation;
    const QString page = installation.path(kTemPage);
    const QString victim = installation.path(QStringLiteral("\\victim.txt"));
    QVERIFY(writeFile(victim, "precious"));
    const QByteArray pageName = QFile::encodeName(page);
    const QByteArray linkName = QFile::encodeName(installation.path(QStringLiteral("\\swap-link")));
    const QByteArray fileName = QFile::encodeName(installation.path(QStringLiteral("\\swap-file")));
    std::atomic<bool> stop = false;
    std::thread swapper([&] {
        while (!stop) {
            ::symlink(QFile::encodeName(victim).constData(), linkName.constData());
            ::rename(linkName.constData(), pageName.constData());
            std::this_thread::sleep_for(std::chrono::microseconds(20));
            const int fd = ::open(fileName.constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0)
                ::close(fd);
            ::rename(fileName.constData(), pageName.constData());
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
    });
    const std::string content = "<html><title>x</title></html>";
    int written = 0;
    {
        Watchdog watchdog("writing the page while it is swapped", 20);
        for (int attempt = 0; attempt < 20000 && written < 50; ++attempt) {
            const pagefile::Written result = pagefile::writeInto(installation.root(), content);
            written += result.ok ? 1 : 0;
        }
    }
    stop = true;
    swapper.join();
    QFile kept(victim);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("precious"));
    QVERIFY2(written > 0, "the page was never written");
    qInfo("%d writings succeeded between swaps", written);
#endif
}

QTEST_MAIN(RobustFaultsTest)
#include "robust_faults_test.moc"
