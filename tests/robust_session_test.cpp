// A whole session on a copy of the real installation folder: every chapter, every entry, all
// thirteen panel buttons, both articles twice, the About box, every arrangement command and timer
// ticks. Afterwards every file of the folder is as it was (same names, sizes and contents): the
// only file the program writes is tem.htm, which the article creates and the timer deletes. The
// working directory stays empty too.
#include "robust_support.h"

#include "app/MDIForm1.h"
#include "articles/Fwangye.h"
#include "catalogue/Fmulu.h"
#include "content/Catalogue.h"
#include "viewer/Fllhb.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace robust;

namespace {

// Every file and folder below root with its size and hash.
QMap<QString, QString> listing(const QString &root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = QDir(root).relativeFilePath(path);
        if (info.isDir()) {
            entries.insert(relative, QStringLiteral("folder"));
            continue;
        }
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (file.open(QIODevice::ReadOnly))
            hash.addData(&file);
        entries.insert(relative,
                       QStringLiteral("%1 bytes %2").arg(info.size()).arg(QString::fromLatin1(hash.result().toHex())));
    }
    return entries;
}

bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QFileInfoList entries = QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyTree(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

} // namespace

class RobustSessionTest : public QObject
{
    Q_OBJECT

  private slots:
    void wholeSession_touchesOnlyTemPage();
};

void RobustSessionTest::wholeSession_touchesOnlyTemPage()
{
    // The installation the build made, copied; where the build has not made it, the small one.
    const QString built = qEnvironmentVariable("LINGLU_BIN_DIR");
    QTemporaryDir copy;
    std::unique_ptr<Installation> small;
    QString root;
    if (!built.isEmpty() && QFileInfo::exists(built + QStringLiteral("/picture/249.jpg")) &&
        QFileInfo::exists(built + QStringLiteral("/god/祝由须知.god"))) {
        QVERIFY(copyTree(built + QStringLiteral("/picture"), copy.filePath(QStringLiteral("picture"))));
        QVERIFY(copyTree(built + QStringLiteral("/god"), copy.filePath(QStringLiteral("god"))));
        root = copy.path();
        Module1::setAppPath(root);
    } else {
        qWarning("no built installation in LINGLU_BIN_DIR; using a small generated one");
        small = std::make_unique<Installation>();
        root = small->root();
    }
    const QString temPage = root + QStringLiteral("/tem.htm");
    QVERIFY(!QFileInfo::exists(temPage));
    const QMap<QString, QString> before = listing(root);

    QTemporaryDir workingDirectory;
    const QString previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workingDirectory.path()));

    BoxRecorder boxes;
    {
        MDIForm1 frame;
        frame.show();
        auto *catalogue = qobject_cast<Fmulu *>(frame.catalogueWindow()->widget());
        QVERIFY(catalogue);
        auto trigger = [&](const char *name) {
            auto *action = frame.findChild<QAction *>(QString::fromUtf8(name));
            QVERIFY2(action, name);
            action->trigger();
        };

        // Every chapter from its menu command, every entry of its list.
        int entriesShown = 0;
        for (const char *command : {"祝由秘字", "奇门符咒", "镇宅兴家", "夜行护身", "日常琐事", "治病驱魔", "驱煞转运",
                                    "问世通灵", "修身养性", "隐身飞升"}) {
            trigger(command);
            auto *viewer = qobject_cast<Fllhb *>(frame.area()->activeSubWindow()->widget());
            QVERIFY2(viewer, command);
            auto *combo = viewer->findChild<QComboBox *>(QStringLiteral("Combo1"));
            for (int index = 0; index < combo->count(); ++index, ++entriesShown)
                viewer->chooseEntry(index);
            catalogue->timerTick();
        }
        QCOMPARE(entriesShown, 243);

        // The panel: the overview of 玉女反闭诀, then all thirteen buttons (the toggle twice).
        trigger("奇门符咒");
        auto *qimen = qobject_cast<Fllhb *>(frame.area()->activeSubWindow()->widget());
        QVERIFY(qimen);
        qimen->chooseEntry(
            qimen->findChild<QComboBox *>(QStringLiteral("Combo1"))->findText(QStringLiteral("玉女反闭诀")));
        for (int button = 1; button <= 13; ++button) {
            auto *command = qimen->findChild<QPushButton *>(QStringLiteral("Command%1").arg(button));
            QVERIFY(command);
            command->click();
            if (button == 13)
                command->click();
        }

        // Both articles twice: from the menu, then from the catalogue's titles.
        trigger("符咒心得");
        QCoreApplication::processEvents();
        QVERIFY(QFileInfo(temPage).isFile());
        trigger("祝由须知");
        QCoreApplication::processEvents();
        for (const char *title : {"Label29", "Label33"}) {
            auto *label = catalogue->findChild<QLabel *>(QString::fromLatin1(title));
            QVERIFY(label);
            QTest::mouseClick(label, Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        QVERIFY(childForms<Fwangye>(&frame).size() >= 2);

        // The About box, opened modally and closed.
        bool aboutShown = false;
        QTimer::singleShot(100, [&] {
            if (QWidget *about = QApplication::activeModalWidget()) {
                aboutShown = true;
                about->close();
            }
        });
        trigger("关于");
        QVERIFY(aboutShown);

        // Every arrangement command, then a minute and a half of the frame's timer and some banner
        // ticks.
        frame.cascade();
        frame.tileHorizontally();
        frame.tileVertically();
        frame.arrangeIcons();
        for (QMdiSubWindow *sub : frame.area()->subWindowList())
            if (sub != frame.catalogueWindow())
                sub->showMinimized();
        frame.arrangeIcons();
        for (int tick = 0; tick < 40; ++tick)
            catalogue->timerTick();
        QVERIFY(QFileInfo(temPage).isFile());
        for (int tick = 0; tick < 5; ++tick)
            frame.timerTick();
        QVERIFY(!QFileInfo::exists(temPage));
    }
    QDir::setCurrent(previousDirectory);

    QCOMPARE(boxes.count(), 0);
    QCOMPARE(listing(root), before);
    QVERIFY(QDir(workingDirectory.path()).isEmpty());
}

QTEST_MAIN(RobustSessionTest)
#include "robust_session_test.moc"
