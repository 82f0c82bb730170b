// The About box: what it shows on every opening, how it closes, and the system-information button
// on a system where nothing is registered.
#include "about/FrmAbout1.h"
#include "about/SysInfo.h"
#include "common/Module1.h"
#include "common/MsgBox.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class AboutTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void captionAndVersion_onEveryOpening();
    void fixedTexts();
    void enterAndEscape_close_data();
    void enterAndEscape_close();
    void missingOrBrokenBackground_opensSilently_data();
    void missingOrBrokenBackground_opensSilently();
    void sysInfo_nothingFound_showsMessage();

  private:
    QTemporaryDir m_dir;
    QList<msgbox::Shown> m_shown;
};

void AboutTest::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).mkpath(QStringLiteral("picture"));
    Module1::setAppPath(m_dir.path());
    m_shown.clear();
    msgbox::setObserver([this](const msgbox::Shown &box) { m_shown.append(box); });
}

void AboutTest::cleanup()
{
    msgbox::setObserver({});
    QFile::remove(m_dir.filePath(QStringLiteral("picture/globe.png")));
}

void AboutTest::captionAndVersion_onEveryOpening()
{
    for (int opening = 0; opening < 2; ++opening) {
        FrmAbout1 about;
        about.show();
        QCOMPARE(about.windowTitle(), "关于 灵箓汇编");
        QCOMPARE(about.findChild<QLabel *>("lblVersion")->text(), "版本 1.0.0");
        QCOMPARE(about.findChild<QLabel *>("lblTitle")->text(), "灵箓汇编");
        QVERIFY(Module1::loadedWindows().contains(&about));
    }
    QCOMPARE(FrmAbout1::versionText(), "版本 " LINGLU_VERSION);
}

void AboutTest::fixedTexts()
{
    FrmAbout1 about;
    QCOMPARE(about.size(), QSize(578, 432));
    QCOMPARE(about.findChild<QLabel *>("lblDescription")->text(),
             "    符咒是一种与鬼神沟通的语言文字工具。鬼神无语言、无文字，符咒的要素代表了鬼神的语言、文字。"
             "用的得当，能上达神明，下通幽府，有不可思议的功效。");
    const QString ten(10, ' ');
    QCOMPARE(about.findChild<QLabel *>("lblDisclaimer")->text(), "警告：" + QString(23, ' ') + "天地备兮难量！" + ten +
                                                                     "神机妙兮莫测！" + ten + "非贤人兮莫传！" + ten +
                                                                     "不听劝兮有凶！");
    auto *ok = about.findChild<QPushButton *>("cmdOK");
    QCOMPARE(ok->text(), "确定");
    QVERIFY(ok->isDefault());
    QCOMPARE(about.findChild<QPushButton *>("cmdSysInfo")->text(), "系统信息");
}

void AboutTest::enterAndEscape_close_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void AboutTest::enterAndEscape_close()
{
    QFETCH(int, key);
    FrmAbout1 about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.isVisible());
    QTest::keyClick(&about, Qt::Key(key));
    QVERIFY(!about.isVisible());
    QVERIFY(m_shown.isEmpty());
}

void AboutTest::missingOrBrokenBackground_opensSilently_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("this is no picture");
}

void AboutTest::missingOrBrokenBackground_opensSilently()
{
    QFETCH(QByteArray, content);
    if (!content.isEmpty()) {
        QFile file(m_dir.filePath(QStringLiteral("picture/globe.png")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    FrmAbout1 about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.windowTitle(), "关于 灵箓汇编");
    QVERIFY(m_shown.isEmpty());
}

void AboutTest::sysInfo_nothingFound_showsMessage()
{
    std::string value = "stale";
    QVERIFY(
        !sysinfo::GetKeyValue(sysinfo::Root::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value));
    QVERIFY(value.empty());

    // No desktop tool on the search path either.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", m_dir.path().toLocal8Bit());
    FrmAbout1 about;
    about.show();
    about.findChild<QPushButton *>("cmdSysInfo")->click();
    qputenv("PATH", path);

    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().text, "此时系统信息无效");
    QCOMPARE(m_shown.first().caption, "灵箓汇编");
    QVERIFY(about.isVisible());
}

QTEST_MAIN(AboutTest)
#include "about_test.moc"
