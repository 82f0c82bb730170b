// What Qt itself shows inside the program: message boxes with the text, one OK button and the
// application title, no icon; and Qt's own words (OK, a child window's system menu, a pane's
// context menu) in Chinese once Qt's translations are loaded.
#include "app/QtTranslations.h"
#include "common/Module1.h"
#include "common/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class QtTextsTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void messageBox_textOkAndTitleOnly_data();
    void messageBox_textOkAndTitleOnly();
    void qtWords_inChinese_data();
    void qtWords_inChinese();
    void translations_foundBesideTheProgramFirst();

  private:
    bool m_translated = false;
};

void QtTextsTest::initTestCase()
{
    QTemporaryDir empty;
    m_translated = loadQtTranslations(qApp, empty.path());
}

void QtTextsTest::messageBox_textOkAndTitleOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::newRow("failure") << "文件未找到" << QString() << "灵箓汇编";
    QTest::newRow("own caption") << "此时系统信息无效"
                                 << "关于"
                                 << "关于";
}

void QtTextsTest::messageBox_textOkAndTitleOnly()
{
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    // The box runs its own modal loop; it is read and closed from inside that loop.
    std::unique_ptr<QMessageBox> seen;
    QString buttonText;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = std::make_unique<QMessageBox>();
        seen->setWindowTitle(box->windowTitle());
        seen->setText(box->text());
        seen->setIcon(box->icon());
        if (box->buttons().size() == 1)
            buttonText = box->buttons().first()->text();
        box->done(QMessageBox::Ok);
    });
    msgbox::show(text, caption);
    QVERIFY(seen);
    QCOMPARE(seen->text(), text);
    QCOMPARE(seen->windowTitle(), title);
    QCOMPARE(seen->icon(), QMessageBox::NoIcon);
    QVERIFY(!buttonText.isEmpty()); // exactly one button
    if (m_translated)
        QCOMPARE(buttonText, "确定");
}

void QtTextsTest::qtWords_inChinese_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("expected");
    QTest::newRow("system menu: close") << "system menu"
                                        << "关闭";
    QTest::newRow("system menu: move") << "system menu"
                                       << "移动";
    QTest::newRow("pane menu: copy") << "pane menu"
                                     << "复制";
    QTest::newRow("pane menu: select all") << "pane menu"
                                           << "全选";
}

void QtTextsTest::qtWords_inChinese()
{
    if (!m_translated)
        QSKIP("Qt's Chinese translations are not installed (package qt6-translations-l10n)");
    QFETCH(QString, where);
    QFETCH(QString, expected);
    QStringList texts;
    if (where == "system menu") {
        QMdiSubWindow window;
        for (QAction *action : window.systemMenu()->actions())
            texts << action->text();
    } else {
        QPlainTextEdit pane;
        pane.setReadOnly(true);
        pane.setPlainText("符咒");
        pane.selectAll();
        std::unique_ptr<QMenu> menu(pane.createStandardContextMenu());
        for (QAction *action : menu->actions())
            texts << action->text();
    }
    const QString all = texts.join('|');
    QVERIFY2(all.contains(expected), qPrintable(all));
}

void QtTextsTest::translations_foundBesideTheProgramFirst()
{
    const QStringList folders = qtTranslationFolders("/opt/linglu");
    QCOMPARE(folders.size(), 2);
    QCOMPARE(folders.first(), "/opt/linglu/translations");
    QCOMPARE(folders.last(), QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    // A damaged file beside the program is passed over for Qt's own folder.
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkdir("translations"));
    QFile damaged(program.filePath("translations/qtbase_zh_CN.qm"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a translation");
    damaged.close();
    QCOMPARE(loadQtTranslations(qApp, program.path()), m_translated);
}

QTEST_MAIN(QtTextsTest)
#include "qt_texts_test.moc"
