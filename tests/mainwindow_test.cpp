// The frame's part in showing chapters: one viewer per chapter from the menu and the catalogue,
// the arrangement commands with the catalogue kept behind, and the timer that removes "\tem.htm".
#include "frame_support.h"

#include "app/ChapterOpener.h"
#include "app/MDIForm1.h"
#include "app/Startup.h"
#include "catalogue/Fmulu.h"
#include "viewer/Fllhb.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

class MainWindowTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup()
    {
        delete m_frame;
        m_install.reset();
    }
    void chapterCommands_oneViewerPerChapter();
    void arrangement_keepsCatalogueBehind_data();
    void arrangement_keepsCatalogueBehind();
    void timer_deletesTemporaryPage();
    void banner_onlyCheckedWhileCovered();

  private:
    QList<Fllhb *> viewers() const { return openViewers(); }
    void trigger(const QString &item) { m_frame->findChild<QAction *>(item)->trigger(); }
    QMdiSubWindow *sub(int viewer) const { return Module1::subWindowOf(viewers().at(viewer)); }

    std::unique_ptr<ViewerInstallation> m_install;
    MDIForm1 *m_frame = nullptr;
};

void MainWindowTest::init()
{
    m_install = std::make_unique<ViewerInstallation>();
    m_frame = startFrame(*m_install);
    QVERIFY(m_frame);
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void MainWindowTest::chapterCommands_oneViewerPerChapter()
{
    trigger("日常琐事");
    QPointer<Fllhb> viewer = viewers().value(0);
    QCOMPARE(Module1::captionOf(viewer), "灵箓汇编-日常琐事");
    QVERIFY(sub(0)->isMaximized());
    viewer->chooseEntry(3);

    // Again from the menu and from the catalogue's title (which passes the short title), with the
    // viewer restored, then minimised: the same viewer comes back maximised, in front, unchanged.
    sub(0)->showNormal();
    trigger("日常琐事");
    sub(0)->showMinimized();
    auto *title = m_frame->findChild<QLabel *>("Label22");
    QVERIFY2(title, "the catalogue has no title Label22");
    QTest::mouseClick(title, Qt::LeftButton);
    QCOMPARE(viewers(), QList<Fllhb *>{viewer});
    QVERIFY(sub(0)->isMaximized());
    QCOMPARE(m_frame->area()->subWindowList(QMdiArea::StackingOrder).last(), sub(0));
    QCOMPARE(viewer->findChild<QComboBox *>("Combo1")->currentIndex(), 3);
    QCOMPARE(viewer->boxes().text2.top, float(0.51 * viewer->height() * 15)); // laid out again

    // 奇门符咒 opens 奇门遁甲 in front of the first; closing frees a viewer, reopening starts afresh.
    trigger("奇门符咒");
    OpenChapterWindow("奇门遁甲");
    QCOMPARE(viewers().size(), 2);
    QCOMPARE(Module1::captionOf(m_frame->area()->subWindowList(QMdiArea::StackingOrder).last()->widget()),
             "灵箓汇编-奇门遁甲");
    Module1::subWindowOf(viewer)->close();
    QTRY_VERIFY(viewer.isNull());
    trigger("日常琐事");
    QCOMPARE(viewers().size(), 2);
    QCOMPARE(viewers().at(1)->findChild<QComboBox *>("Combo1")->currentIndex(), 0);
    QVERIFY(m_install->boxes.isEmpty());
}

void MainWindowTest::arrangement_keepsCatalogueBehind_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"层叠", "横向平铺", "纵向平铺", "排列图标"})
        QTest::newRow(command) << QString::fromUtf8(command);
}

void MainWindowTest::arrangement_keepsCatalogueBehind()
{
    QFETCH(QString, command);
    for (const char *chapter : {"夜行护身", "修身养性", "治病驱魔"})
        trigger(QString::fromUtf8(chapter));
    sub(1)->showMinimized();
    QMdiSubWindow *catalogue = m_frame->catalogueWindow();
    catalogue->raise(); // brought forward through the window list

    trigger(command);
    QMdiArea *area = m_frame->area();
    const QSize client = area->viewport()->size();
    QCOMPARE(area->subWindowList(QMdiArea::StackingOrder).first(), catalogue);
    QVERIFY(catalogue->isVisible());
    QCOMPARE(catalogue->size(), client);
    if (command == "横向平铺") {
        QCOMPARE(sub(0)->width(), client.width());
        QCOMPARE(sub(2)->y(), sub(0)->geometry().bottom() + 1);
    } else if (command == "纵向平铺") {
        QCOMPARE(sub(0)->height(), client.height());
        QCOMPARE(sub(2)->x(), sub(0)->geometry().right() + 1);
    } else if (command == "层叠") {
        QVERIFY(sub(2)->pos() != sub(0)->pos());
        QCOMPARE(viewers().at(0)->size(), QSize(792, 537)); // the restored client size
    } else {
        QCOMPARE(sub(1)->geometry().bottom() + 1, client.height());
    }
}

void MainWindowTest::timer_deletesTemporaryPage()
{
    auto *timer = m_frame->findChild<QTimer *>("Timer1");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 18000);
    const QString page = Module1::appFile("\\tem.htm");
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    m_frame->timerTick();
    QVERIFY(!QFile::exists(page));
    m_frame->timerTick();        // nothing there: nothing happens
    QVERIFY(QDir().mkdir(page)); // cannot be deleted as a file: ignored, silently
    m_frame->timerTick();
    QVERIFY(QFileInfo(page).isDir());
    QVERIFY(m_install->boxes.isEmpty());
}

void MainWindowTest::banner_onlyCheckedWhileCovered()
{
    const QString pictures = m_install->root() + "/picture/";
    for (const char *name : {"llhba.bmp", "llhbb.bmp", "llhbc.bmp", "llhbd.bmp"}) {
        QImage frame(16, 8, QImage::Format_RGB32);
        frame.fill(Qt::darkCyan);
        QVERIFY(frame.save(pictures + name, "BMP"));
    }
    auto *catalogue = qobject_cast<Fmulu *>(m_frame->catalogueWindow()->widget());
    QVERIFY(catalogue);
    catalogue->findChild<QTimer *>("Timer1")->stop();
    auto *banner = catalogue->findChild<QWidget *>("Image1");
    catalogue->timerTick();
    QCOMPARE(catalogue->bannerStep(), 1);
    QVERIFY(!catalogue->isCovered());

    // A maximised viewer hides the whole page: the cycle waits.
    trigger("镇宅兴家");
    QVERIFY(catalogue->isCovered());
    for (int tick = 0; tick < 5; ++tick)
        catalogue->timerTick();
    QCOMPARE(catalogue->bannerStep(), 1);

    // Restored to a smaller size, it leaves part of the page in view: the cycle goes on.
    sub(0)->showNormal();
    sub(0)->resize(300, 200);
    QVERIFY(!catalogue->isCovered());
    catalogue->timerTick();
    QCOMPARE(catalogue->bannerStep(), 2);

    // Covered again, the files are still checked on every tick.
    sub(0)->showMaximized();
    QVERIFY(catalogue->isCovered());
    QVERIFY(QFile::remove(pictures + "llhbc.bmp"));
    catalogue->timerTick();
    QVERIFY(banner->isHidden());
    QCOMPARE(catalogue->bannerStep(), 2);
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
