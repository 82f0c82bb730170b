// The frame's part in showing chapters: one viewer per chapter from the menu and the catalogue,
// closing and reopening, the arrangement commands with the catalogue kept behind, and the timer
// that removes the temporary article page.
#include "viewer_support.h"

#include "app/ChapterOpener.h"
#include "app/MDIForm1.h"
#include "app/Startup.h"
#include "viewer/Fllhb.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace viewertest;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void chapterCommand_opensOneViewerPerChapter();
    void qimenMenuItemAndCatalogueLabel_shareOneViewer();
    void closedViewer_isFreed_andReopensAtFirstPage();
    void secondChapter_standsInFrontOfTheFirst();
    void minimisedViewer_laysOutAgainWhenBroughtBack();
    void arrangement_keepsCatalogueBehind_data();
    void arrangement_keepsCatalogueBehind();
    void timer_deletesTemporaryPage();
    void timer_ignoresWhatItCannotDelete();

private:
    QList<Fllhb *> viewers() const;
    QMdiSubWindow *subOf(Fllhb *viewer) const { return Module1::subWindowOf(viewer); }
    void trigger(const char *menuItem);
    void openFromCatalogue(const char *label, const QString &shortTitle);

    std::unique_ptr<Installation> m_install;
    std::unique_ptr<BoxRecorder> m_boxes;
    MDIForm1 *m_frame = nullptr;
};

void MainWindowTest::init()
{
    m_install = std::make_unique<Installation>();
    m_boxes = std::make_unique<BoxRecorder>();
    m_frame = Module1::Main([] { return QDate(2026, 5, 1); }, m_install->path());
    QVERIFY(m_frame);
    m_frame->resize(1280, 900);
    m_frame->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void MainWindowTest::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
    m_boxes.reset();
    m_install.reset();
}

QList<Fllhb *> MainWindowTest::viewers() const
{
    QList<Fllhb *> found;
    for (QWidget *window : Module1::loadedWindows())
        if (auto *viewer = qobject_cast<Fllhb *>(window))
            found.append(viewer);
    return found;
}

void MainWindowTest::trigger(const char *menuItem)
{
    auto *action = m_frame->findChild<QAction *>(QString::fromUtf8(menuItem));
    QVERIFY2(action, menuItem);
    action->trigger();
}

void MainWindowTest::openFromCatalogue(const char *label, const QString &shortTitle)
{
    // The catalogue's chapter titles call the opener with their short title.
    if (auto *title = m_frame->findChild<QLabel *>(QString::fromLatin1(label)))
        QTest::mouseClick(title, Qt::LeftButton);
    else
        OpenChapterWindow(shortTitle);
}

void MainWindowTest::chapterCommand_opensOneViewerPerChapter()
{
    trigger("日常琐事");
    QCOMPARE(viewers().size(), 1);
    QPointer<Fllhb> viewer = viewers().first();
    QMdiSubWindow *sub = subOf(viewer);
    QVERIFY(sub);
    QCOMPARE(Module1::captionOf(viewer), "灵箓汇编-日常琐事");
    QCOMPARE(Module1::CurrentChapter(), "日常琐事");
    QVERIFY(sub->isMaximized());
    QCOMPARE(m_frame->area()->subWindowList(QMdiArea::StackingOrder).last(), sub);
    QCOMPARE(viewer->findChild<QLabel *>("Label2")->text(), "镇刑克法");
    viewer->chooseEntry(3);

    // Again from the menu, and from the catalogue, with the viewer restored and then minimised:
    // no new window, the same one maximised in front, still at the entry the user chose.
    sub->showNormal();
    trigger("日常琐事");
    sub->showMinimized();
    openFromCatalogue("Label22", "日常琐事");
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(viewers().first(), viewer.data());
    QVERIFY(sub->isMaximized());
    QCOMPARE(m_frame->area()->activeSubWindow(), sub);
    QCOMPARE(viewer->findChild<QComboBox *>("Combo1")->currentIndex(), 3);
    QVERIFY(m_boxes->shown().isEmpty());
}

void MainWindowTest::qimenMenuItemAndCatalogueLabel_shareOneViewer()
{
    trigger("奇门符咒");
    openFromCatalogue("Label16", "奇门遁甲");
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(Module1::captionOf(viewers().first()), "灵箓汇编-奇门遁甲");
    QCOMPARE(viewers().first()->findChild<QLabel *>("Label1")->text(), "奇门遁甲符咒：");
}

void MainWindowTest::closedViewer_isFreed_andReopensAtFirstPage()
{
    trigger("隐身飞升");
    QPointer<Fllhb> first = viewers().first();
    first->chooseEntry(5);
    subOf(first)->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(viewers().isEmpty());

    trigger("隐身飞升");
    QCOMPARE(viewers().size(), 1);
    Fllhb *fresh = viewers().first();
    QCOMPARE(fresh->findChild<QComboBox *>("Combo1")->currentIndex(), 0);
    QCOMPARE(fresh->findChild<QLabel *>("Label2")->text(), "诸葛隐身法");
}

void MainWindowTest::secondChapter_standsInFrontOfTheFirst()
{
    trigger("镇宅兴家");
    trigger("问世通灵");
    QCOMPARE(viewers().size(), 2);
    const QList<QMdiSubWindow *> stack = m_frame->area()->subWindowList(QMdiArea::StackingOrder);
    QCOMPARE(Module1::captionOf(stack.last()->widget()), "灵箓汇编-问世通灵");
    QCOMPARE(Module1::captionOf(stack.at(stack.size() - 2)->widget()), "灵箓汇编-镇宅兴家");
    QVERIFY(subOf(viewers().first())->isVisible());
}

void MainWindowTest::minimisedViewer_laysOutAgainWhenBroughtBack()
{
    trigger("驱煞转运");
    Fllhb *viewer = viewers().first();
    const viewer::ViewerBoxes maximised = viewer->boxes();
    subOf(viewer)->showMinimized();
    trigger("驱煞转运");
    QVERIFY(subOf(viewer)->isMaximized());
    QCOMPARE(viewer->boxes().image1, maximised.image1);
    QCOMPARE(viewer->boxes().text2, maximised.text2);
    QCOMPARE(viewer->boxes().text2.top, float(0.51 * viewer->height() * 15));
}

void MainWindowTest::arrangement_keepsCatalogueBehind_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("cascade") << "层叠";
    QTest::newRow("tile horizontally") << "横向平铺";
    QTest::newRow("tile vertically") << "纵向平铺";
    QTest::newRow("arrange icons") << "排列图标";
}

void MainWindowTest::arrangement_keepsCatalogueBehind()
{
    QFETCH(QString, command);
    trigger("夜行护身");
    trigger("修身养性");
    trigger("治病驱魔");
    QMdiSubWindow *catalogue = m_frame->catalogueWindow();
    QVERIFY(catalogue);
    catalogue->raise(); // the user brought it forward through the window list
    subOf(viewers().at(1))->showMinimized();

    trigger(command.toUtf8().constData());
    QMdiArea *area = m_frame->area();
    const QList<QMdiSubWindow *> stack = area->subWindowList(QMdiArea::StackingOrder);
    QCOMPARE(stack.first(), catalogue);
    QVERIFY(catalogue->isVisible());
    QCOMPARE(catalogue->size(), area->viewport()->size());
    QCOMPARE(viewers().size(), 3);

    const QSize client = area->viewport()->size();
    const QList<Fllhb *> open = {viewers().at(0), viewers().at(2)};
    if (command == "横向平铺") {
        for (Fllhb *viewer : open)
            QCOMPARE(subOf(viewer)->width(), client.width());
        QVERIFY(subOf(open.at(0))->y() != subOf(open.at(1))->y());
    } else if (command == "纵向平铺") {
        for (Fllhb *viewer : open)
            QCOMPARE(subOf(viewer)->height(), client.height());
        QVERIFY(subOf(open.at(0))->x() != subOf(open.at(1))->x());
    } else if (command == "层叠") {
        QVERIFY(!subOf(open.at(0))->isMaximized());
        QVERIFY(subOf(open.at(0))->pos() != subOf(open.at(1))->pos());
        // Each cascaded viewer keeps its restored client size, 11880 × 8055 twips.
        for (Fllhb *viewer : open)
            QCOMPARE(viewer->size(), QSize(792, 537));
    } else {
        // The minimised viewer lines up along the bottom edge.
        QMdiSubWindow *icon = subOf(viewers().at(1));
        QCOMPARE(icon->geometry().bottom() + 1, client.height());
        QCOMPARE(icon->x(), 0);
    }
    // A viewer laid out in its new box keeps the panes inside it.
    for (Fllhb *viewer : open)
        QCOMPARE(viewer->boxes().text2.top, float(0.51 * viewer->height() * 15));
}

void MainWindowTest::timer_deletesTemporaryPage()
{
    auto *timer = m_frame->findChild<QTimer *>("Timer1");
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 18000);

    const QString page = Module1::appFile("\\tem.htm");
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><title>x</title></html>");
    file.close();
    m_frame->timerTick();
    QVERIFY(!QFile::exists(page));
    m_frame->timerTick(); // nothing left: nothing happens, nothing is said
    QVERIFY(m_boxes->shown().isEmpty());
}

void MainWindowTest::timer_ignoresWhatItCannotDelete()
{
    // A folder of that name cannot be deleted as a file: the tick says nothing and tries again later.
    QVERIFY(QDir(m_install->path()).mkdir("tem.htm"));
    m_frame->timerTick();
    m_frame->timerTick();
    QVERIFY(QFileInfo(Module1::appFile("\\tem.htm")).isDir());
    QVERIFY(m_boxes->shown().isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
