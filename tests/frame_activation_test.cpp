// Which child window is active and in front after closing, switching and arranging: the window
// used before comes back, and the catalogue stays the backdrop, never active while another window
// is open, never maximised, never in front of a viewer.
#include "frame_support.h"

#include "app/MDIForm1.h"
#include "app/Startup.h"
#include "viewer/Fllhb.h"

#include <QAction>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QTest>

#include <memory>

class FrameActivationTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup()
    {
        delete m_frame;
        m_install.reset();
    }
    void closing_bringsBackTheWindowUsedBefore_data();
    void closing_bringsBackTheWindowUsedBefore();
    void ctrlTab_walksTheViewersOnly();
    void clickAfterArranging_keepsTheArrangement_data();
    void clickAfterArranging_keepsTheArrangement();
    void clickOnTheBackdrop_leavesTheActiveWindow();

  private:
    QMdiArea *area() const { return m_frame->area(); }
    QMdiSubWindow *catalogue() const { return m_frame->catalogueWindow(); }
    QMdiSubWindow *open(const char *chapter)
    {
        m_frame->findChild<QAction *>(QString::fromUtf8(chapter))->trigger();
        return area()->activeSubWindow();
    }
    // QTest's key clicks press and release their modifiers around the key; here Ctrl stays down.
    void tabWithCtrlHeld(Qt::Key key = Qt::Key_Tab)
    {
        const Qt::KeyboardModifiers held =
            key == Qt::Key_Backtab ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
        QKeyEvent press(QEvent::KeyPress, key, held);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, held);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
    }
    QMdiSubWindow *front() const { return area()->subWindowList(QMdiArea::StackingOrder).last(); }
    QPoint titleBar(QMdiSubWindow *window) const
    {
        const int height = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        return {window->width() / 3, height / 2};
    }
    // The catalogue's place: at the back, in the normal state, as large as the client area, and
    // active only while it is the only open window.
    void verifyBackdrop() const
    {
        QCOMPARE(area()->subWindowList(QMdiArea::StackingOrder).first(), catalogue());
        QVERIFY(!catalogue()->isMaximized());
        QCOMPARE(catalogue()->size(), area()->viewport()->size());
        const bool alone = area()->subWindowList().size() == 1;
        QCOMPARE(area()->activeSubWindow() == catalogue(), alone);
    }

    std::unique_ptr<ViewerInstallation> m_install;
    MDIForm1 *m_frame = nullptr;
};

void FrameActivationTest::init()
{
    m_install = std::make_unique<ViewerInstallation>();
    m_frame = startFrame(*m_install);
    QVERIFY(m_frame);
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
}

void FrameActivationTest::closing_bringsBackTheWindowUsedBefore_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close()") << "close";
    QTest::newRow("Ctrl+F4") << "ctrl+f4";
    QTest::newRow("system menu") << "menu";
}

void FrameActivationTest::closing_bringsBackTheWindowUsedBefore()
{
    QFETCH(QString, how);
    auto closeActive = [&] {
        QPointer<QMdiSubWindow> active = area()->activeSubWindow();
        if (how == "ctrl+f4")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
        else if (how == "menu")
            active->systemMenu()->actions().last()->trigger();
        else
            active->close();
        QTRY_VERIFY(active.isNull());
    };

    QMdiSubWindow *first = open("夜行护身");
    QMdiSubWindow *second = open("修身养性");
    QMdiSubWindow *third = open("治病驱魔");
    area()->setActiveSubWindow(first); // used last: first, before it third, then second
    QCOMPARE(front(), first);

    closeActive();
    QCOMPARE(area()->activeSubWindow(), third);
    QCOMPARE(front(), third);
    QVERIFY(third->isMaximized());
    verifyBackdrop();
    QCOMPARE(area()->subWindowList(QMdiArea::StackingOrder).at(1), second); // still open behind

    closeActive();
    QCOMPARE(area()->activeSubWindow(), second);
    QCOMPARE(front(), second);
    verifyBackdrop();

    closeActive();
    QCOMPARE(area()->subWindowList(), QList<QMdiSubWindow *>{catalogue()});
    verifyBackdrop();
    // The catalogue has no close box: Ctrl+F4 leaves it open.
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_frame, Qt::Key_F4,
                    Qt::ControlModifier);
    QCOMPARE(area()->subWindowList(), QList<QMdiSubWindow *>{catalogue()});
    QVERIFY(catalogue()->isVisible());
    QVERIFY(m_install->boxes.isEmpty());
}

void FrameActivationTest::ctrlTab_walksTheViewersOnly()
{
    QMdiSubWindow *first = open("夜行护身");
    QMdiSubWindow *second = open("修身养性");
    QMdiSubWindow *third = open("治病驱魔");
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && third->isAncestorOf(focus));

    // Ctrl+Tab once: the window used before; Tab again with Ctrl held: the one before that.
    QTest::keyPress(focus, Qt::Key_Control);
    tabWithCtrlHeld();
    QCOMPARE(area()->activeSubWindow(), second);
    tabWithCtrlHeld();
    QCOMPARE(area()->activeSubWindow(), first);
    tabWithCtrlHeld(); // round again, past the catalogue
    QCOMPARE(area()->activeSubWindow(), third);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control);
    QCOMPARE(front(), third);
    verifyBackdrop();

    // Ctrl+Shift+Tab goes the other way, to the window used longest ago: the walk has used
    // second, first and third in this order.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control);
    QCOMPARE(area()->activeSubWindow(), second);
    QCOMPARE(front(), second);
    QVERIFY(second->isMaximized());
    verifyBackdrop();
}

void FrameActivationTest::clickAfterArranging_keepsTheArrangement_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"层叠", "横向平铺", "纵向平铺"})
        QTest::newRow(command) << QString::fromUtf8(command);
}

void FrameActivationTest::clickAfterArranging_keepsTheArrangement()
{
    QFETCH(QString, command);
    QMdiSubWindow *first = open("夜行护身");
    QMdiSubWindow *second = open("修身养性");
    QMdiSubWindow *third = open("治病驱魔");
    area()->setActiveSubWindow(second);

    m_frame->findChild<QAction *>(command)->trigger();
    QCOMPARE(area()->activeSubWindow(), second); // the arrangement leaves the active window active
    QCOMPARE(front(), second);
    verifyBackdrop();
    const QRect arranged[] = {first->geometry(), second->geometry(), third->geometry()};
    QVERIFY(!second->isMaximized());

    // Clicks on the title bars, one after another: each comes in front, nothing moves.
    for (QMdiSubWindow *window : {first, third, second, first}) {
        QTest::mouseClick(window, Qt::LeftButton, {}, titleBar(window));
        QCOMPARE(area()->activeSubWindow(), window);
        QCOMPARE(front(), window);
        verifyBackdrop();
    }
    QCOMPARE(first->geometry(), arranged[0]);
    QCOMPARE(second->geometry(), arranged[1]);
    QCOMPARE(third->geometry(), arranged[2]);
    for (QMdiSubWindow *window : {first, second, third})
        QVERIFY(!window->isMaximized());

    // Closing the front window of the arrangement leaves the others where they are.
    first->close();
    QTRY_COMPARE(area()->subWindowList().size(), 3);
    QCOMPARE(area()->activeSubWindow(), second);
    QCOMPARE(second->geometry(), arranged[1]);
    verifyBackdrop();
}

void FrameActivationTest::clickOnTheBackdrop_leavesTheActiveWindow()
{
    open("夜行护身");
    QMdiSubWindow *second = open("修身养性");
    m_frame->findChild<QAction *>("层叠")->trigger();
    // The bottom right corner of the client area lies outside the cascade.
    const QPoint corner(catalogue()->width() - 5, catalogue()->height() - 5);
    QVERIFY(!second->geometry().contains(corner));
    QTest::mouseClick(catalogue()->widget(), Qt::LeftButton, {}, catalogue()->widget()->mapFrom(catalogue(), corner));
    QCOMPARE(area()->activeSubWindow(), second);
    QCOMPARE(front(), second);
    verifyBackdrop();
    catalogue()->setFocus(); // the focus moving onto it does not activate it either
    QCOMPARE(area()->activeSubWindow(), second);
    verifyBackdrop();
}

QTEST_MAIN(FrameActivationTest)
#include "frame_activation_test.moc"
