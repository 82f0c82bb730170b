// The keyboard path through the frame: F10 or a lone Alt into the menu bar (arrow keys, Enter,
// Esc) with the captions as they are, the catalogue's titles with Tab and Enter or Space, and the
// viewer's controls in tab order.
#include "common/PictureBox.h"
#include "frame_support.h"

#include "app/MDIForm1.h"
#include "app/Startup.h"
#include "viewer/Fllhb.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>

class FrameKeyboardTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup()
    {
        delete m_frame;
        m_install.reset();
    }
    void menuBar_keyboardNavigation_data();
    void menuBar_keyboardNavigation();
    void menuBar_captionsAsTabled();
    void catalogueTitles_tabAndOpen_data();
    void catalogueTitles_tabAndOpen();
    void viewer_tabOrder_data();
    void viewer_tabOrder();

  private:
    QWidget *focus() const { return QApplication::focusWidget(); }
    // A key as the user types it: an open menu has the keyboard, otherwise the focus widget.
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *target = QApplication::activePopupWidget();
        if (!target)
            target = focus() ? focus() : static_cast<QWidget *>(m_frame);
        QTest::keyClick(target, key, modifiers);
    }
    QList<Fllhb *> viewers() const { return openViewers(); }

    std::unique_ptr<ViewerInstallation> m_install;
    MDIForm1 *m_frame = nullptr;
};

void FrameKeyboardTest::init()
{
    m_install = std::make_unique<ViewerInstallation>();
    m_frame = startFrame(*m_install);
    QVERIFY(m_frame);
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
}

void FrameKeyboardTest::menuBar_keyboardNavigation_data()
{
    QTest::addColumn<Qt::Key>("start");
    QTest::newRow("F10") << Qt::Key_F10;
    QTest::newRow("lone Alt") << Qt::Key_Alt;
}

void FrameKeyboardTest::menuBar_keyboardNavigation()
{
    QFETCH(Qt::Key, start);
    QMenuBar *bar = m_frame->menuBar();
    type(start, start == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
    QCOMPARE(bar->activeAction(), bar->actions().at(0)); // 符咒心得
    QCOMPARE(focus(), bar);

    // Esc leaves the menu bar; the same key again comes back to it.
    type(Qt::Key_Escape);
    QVERIFY(!bar->activeAction());
    type(start, start == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
    QCOMPARE(bar->activeAction(), bar->actions().at(0));

    // Right twice to 灵箓汇编, Down opens it at its first chapter, Enter opens that chapter.
    type(Qt::Key_Right);
    type(Qt::Key_Right);
    QCOMPARE(bar->activeAction()->text(), "灵箓汇编");
    type(Qt::Key_Down);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), "灵箓汇编");
    QCOMPARE(menu->activeAction()->objectName(), "祝由秘字");
    type(Qt::Key_Down);
    QCOMPARE(menu->activeAction()->objectName(), "奇门符咒");
    type(Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(Module1::captionOf(viewers().first()), "灵箓汇编-奇门遁甲");
    QVERIFY(!bar->activeAction());
    QVERIFY(viewers().first()->isAncestorOf(focus())); // the keyboard is in the new viewer

    // Left from 灵箓汇编's open menu moves to the previous entry and Esc twice leaves all.
    type(start, start == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
    type(Qt::Key_Left); // wraps round to 退出
    QCOMPARE(bar->activeAction()->objectName(), "退出");
    type(Qt::Key_Escape);
    QVERIFY(!bar->activeAction());
    QVERIFY(viewers().first()->isAncestorOf(focus()));
    QVERIFY(m_install->boxes.isEmpty());
}

void FrameKeyboardTest::menuBar_captionsAsTabled()
{
    QStringList captions;
    for (QAction *action : m_frame->menuBar()->actions())
        captions << action->text();
    QCOMPARE(captions,
             (QStringList{"符咒心得", "祝由须知", "灵箓汇编", "阅读(&R)", "窗口", "查找(&F)", "关于(&I)", "退出"}));
}

void FrameKeyboardTest::catalogueTitles_tabAndOpen_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first title, Enter") << 1 << Qt::Key_Return << "灵箓汇编-奇门遁甲";
    QTest::newRow("fourth title, Space") << 4 << Qt::Key_Space << "灵箓汇编-日常琐事";
    QTest::newRow("last title, keypad Enter") << 12 << Qt::Key_Enter << "灵箓汇编-隐身飞升";
}

void FrameKeyboardTest::catalogueTitles_tabAndOpen()
{
    QFETCH(int, tabs);
    QFETCH(Qt::Key, key);
    QFETCH(QString, caption);
    // The titles in grid order, row by row.
    const QStringList order{"Label16", "Label29", "Label33", "Label22", "Label30", "Label21",
                            "Label23", "Label24", "Label19", "Label25", "Label18", "Label17"};
    for (int tab = 0; tab < tabs; ++tab) {
        type(Qt::Key_Tab);
        QVERIFY(focus());
        QCOMPARE(focus()->objectName(), order.at(tab));
    }
    type(key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(Module1::captionOf(viewers().first()), caption);
    QCOMPARE(m_frame->area()->activeSubWindow(), Module1::subWindowOf(viewers().first()));
    QVERIFY(m_install->boxes.isEmpty());
}

void FrameKeyboardTest::viewer_tabOrder_data()
{
    QTest::addColumn<QString>("chapter");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("entry page") << "日常琐事" << 0 << QStringList{"Combo1", "Text3", "Text2"};
    QTest::newRow("panel") << "奇门符咒" << 1
                           << QStringList{"Combo1",   "Text3",     "Text2",     "Command7", "Command13", "Command1",
                                          "Command2", "Command3",  "Command4",  "Command5", "Command6",  "Command8",
                                          "Command9", "Command10", "Command11", "Command12"};
}

void FrameKeyboardTest::viewer_tabOrder()
{
    QFETCH(QString, chapter);
    QFETCH(int, entry);
    QFETCH(QStringList, order);
    m_frame->findChild<QAction *>(chapter)->trigger();
    Fllhb *viewer = viewers().first();
    if (entry > 0) {
        viewer->findChild<QComboBox *>("Combo1")->setFocus();
        type(Qt::Key_Down); // the list from the keyboard selects the next entry
        QCOMPARE(viewer->findChild<QComboBox *>("Combo1")->currentIndex(), entry);
    }
    QCOMPARE(focus(), viewer->findChild<QComboBox *>("Combo1"));
    // Round the window twice: Tab stays inside the viewer and takes every control in turn.
    for (int round = 0; round < 2; ++round) {
        for (int i = 1; i <= order.size(); ++i) {
            type(Qt::Key_Tab);
            QCOMPARE(focus()->objectName(), order.at(i % order.size()));
        }
    }
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focus()->objectName(), order.last());
    // A panel button pressed with Space does what a click does.
    if (auto *day = viewer->findChild<QPushButton *>("Command1")) {
        if (day->isVisible()) {
            day->setFocus();
            type(Qt::Key_Space);
            QCOMPARE(pictureNumberOf(viewer->findChild<PictureBox *>("Image1")), 79);
        }
    }
}

QTEST_MAIN(FrameKeyboardTest)
#include "frame_keyboard_test.moc"
