// Start-up: the clock check, AppPath and the file names formed from it, the message-box seam, and
// the main window that start-up creates.
#include "app/MDIForm1.h"
#include "app/Startup.h"
#include "common/Module1.h"
#include "common/MsgBox.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

class StartupTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void clockCheck_data();
    void clockCheck();
    void clockWarning_exactText();
    void appFile_mapsBackslashesOntoTheFolder();
    void msgBox_defaultCaptionAndOpenState();
    void mainWindow_menuBarInOrder();

  private:
    QList<msgbox::Shown> m_shown;
};

void StartupTest::init()
{
    m_shown.clear();
    msgbox::setObserver([this](const msgbox::Shown &box) { m_shown.append(box); });
}

void StartupTest::cleanup()
{
    msgbox::setObserver({});
    QList<QPointer<QWidget>> roots;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (!window->parentWidget())
            roots.append(window);
    qDeleteAll(roots);
}

void StartupTest::clockCheck_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("starts");
    QTest::newRow("2003") << QDate(2003, 12, 31) << false;
    QTest::newRow("1999") << QDate(1999, 1, 1) << false;
    QTest::newRow("2004") << QDate(2004, 1, 1) << true;
    QTest::newRow("2007") << QDate(2007, 6, 15) << true;
    QTest::newRow("2099") << QDate(2099, 12, 31) << true;
}

void StartupTest::clockCheck()
{
    QFETCH(QDate, today);
    QFETCH(bool, starts);
    QTemporaryDir dir;
    Module1::setAppPath(QStringLiteral("/unset"));

    MDIForm1 *frame = Module1::Main([today] { return today; }, dir.path());
    QCOMPARE(frame != nullptr, starts);
    if (starts) {
        QVERIFY(m_shown.isEmpty());
        QCOMPARE(Module1::AppPath(), dir.path());
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->windowTitle(), "灵箓汇编");
        QVERIFY(frame->windowState() & Qt::WindowMaximized);
        QCOMPARE(Module1::loadedWindows().first(), frame);
    } else {
        // The warning, then nothing: no window, and AppPath not even recorded.
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown.first().caption, "灵箓汇编");
        QCOMPARE(m_shown.first().text, Module1::clockWarningText());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QVERIFY(Module1::loadedWindows().isEmpty());
        QCOMPARE(Module1::AppPath(), "/unset");
    }
}

void StartupTest::clockWarning_exactText()
{
    QCOMPARE(Module1::clockWarningText(), "******** 警告 ********\r\n\r\n计算机系统时钟错误！！！\r\n\r\n"
                                          "请将计算机的日期恢复到当前日期后再重新启动本程序！！！");
}

void StartupTest::appFile_mapsBackslashesOntoTheFolder()
{
    Module1::setAppPath(QStringLiteral("/opt/linglu/"));
    QCOMPARE(Module1::AppPath(), "/opt/linglu");
    QCOMPARE(Module1::appFile("\\picture\\078.jpg"), "/opt/linglu/picture/078.jpg");
    QCOMPARE(Module1::appFile("\\god\\符咒心得.god"), "/opt/linglu/god/符咒心得.god");
    QCOMPARE(Module1::appFile("\\tem.htm"), "/opt/linglu/tem.htm");
}

void StartupTest::msgBox_defaultCaptionAndOpenState()
{
    bool openWhileShown = false;
    msgbox::setObserver([&](const msgbox::Shown &box) {
        m_shown.append(box);
        openWhileShown = msgbox::isOpen();
    });
    QVERIFY(!msgbox::isOpen());
    msgbox::show("文件未找到");
    msgbox::show("正文", "标题");
    QVERIFY(openWhileShown);
    QVERIFY(!msgbox::isOpen());
    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown.at(0).caption, "灵箓汇编");
    QCOMPARE(m_shown.at(1).caption, "标题");
}

void StartupTest::mainWindow_menuBarInOrder()
{
    QTemporaryDir dir;
    MDIForm1 *frame = Module1::Main([] { return QDate(2026, 1, 1); }, dir.path());
    QVERIFY(frame);
    QStringList top;
    for (QAction *action : frame->menuBar()->actions())
        top << action->text();
    QCOMPARE(top,
             QStringList({"符咒心得", "祝由须知", "灵箓汇编", "阅读(&R)", "窗口", "查找(&F)", "关于(&I)", "退出"}));

    QMenu *book = frame->menuBar()->findChild<QMenu *>("灵箓汇编");
    QVERIFY(book);
    QStringList items;
    for (QAction *action : book->actions())
        items << (action->isSeparator() ? action->objectName() : action->text());
    QCOMPARE(items, QStringList({"祝由秘字", "奇门符咒", "xian6", "镇宅兴家", "夜行护身", "日常琐事", "治病驱魔",
                                 "xian8", "驱煞转运", "问世通灵", "修身养性", "隐身飞升"}));

    QMenu *windows = frame->menuBar()->findChild<QMenu *>("窗口");
    QVERIFY(windows);
    QStringList arrangement;
    for (QAction *action : windows->actions().mid(0, 4))
        arrangement << action->text();
    QCOMPARE(arrangement, QStringList({"层叠(&C)", "横向平铺(&H)", "纵向平铺(&V)", "排列图标(&B)"}));
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
