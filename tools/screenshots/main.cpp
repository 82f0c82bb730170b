// Takes the pictures of the program that the README shows: starts it on a copy of an installation
// folder (so that nothing in the original changes), shows the catalogue, a chapter, the 奇门遁甲
// panel and an article, and saves each view of the main window as a PNG.
//   screenshots INSTALL_DIR OUT_DIR [--review]
// With --review it saves instead a chapter, the 奇门遁甲 panel and an article, each as the book
// gives it and again with 繁體字 and 注音 on, to look them over at the screen's size.
// Meant for a real display server of the wanted size (scripts/screenshots starts Xvfb).

#include "app/MDIForm1.h"
#include "app/PageOpener.h"
#include "app/ReaderTools.h"
#include "app/Startup.h"
#include "articles/ArticlePage.h"
#include "common/MsgBox.h"
#include "common/TextForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImageWriter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool copyTree(const QString &from, const QString &to)
{
    int copied = 0;
    const QDir root(QFileInfo(from).absoluteFilePath());
    QDirIterator it(root.path(), QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().isDir())
            continue;
        const QString source = it.fileInfo().absoluteFilePath();
        const QString target = to + QLatin1Char('/') + root.relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target))
            return false;
        ++copied;
    }
    return copied > 0;
}

// The window as drawn, at the screen's pixel size, in full colour: reduced to a palette, the banner's
// night sky broke into bands of the wrong colour.
bool save(QWidget *window, const QString &path)
{
    settle(700);
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImageWriter writer(path, "png");
    writer.setQuality(0); // the PNG writer's strongest compression
    if (!writer.write(image)) {
        QTextStream(stderr) << "screenshots: cannot write " << path << ": " << writer.errorString() << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

// 繁體字 loads its conversion on another thread: waits until the windows show it (臺灣).
void waitForTaiwan()
{
    QElapsedTimer waited;
    waited.start();
    while (textform::current() != textform::Form::Taiwan && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("灵箓汇编"));
    const QStringList args = QApplication::arguments();
    const bool review = args.size() == 4 && args.at(3) == QStringLiteral("--review");
    if (args.size() != 3 && !review) {
        QTextStream(stderr) << "usage: screenshots INSTALL_DIR OUT_DIR [--review]\n";
        return 2;
    }
    const QString out = args.at(2);
    // The reader's settings of a fresh user: nothing kept, nothing of the developer's changed.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QTemporaryDir copy;
    if (!copy.isValid() || !copyTree(args.at(1), copy.path()) || !QDir().mkpath(out)) {
        QTextStream(stderr) << "screenshots: cannot copy " << args.at(1) << " or create " << out << '\n';
        return 1;
    }

    // A message box would mean a broken installation: report it and fail instead of waiting.
    bool ok = true;
    msgbox::setObserver([&ok](const msgbox::Shown &box) {
        QTextStream(stderr) << "screenshots: message box: " << box.text << '\n';
        ok = false;
    });
    MDIForm1 *frame = Module1::Main([] { return QDate::currentDate(); }, copy.path());
    if (!frame)
        return 1;
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    if (review) {
        const QString size = QStringLiteral("%1x%2").arg(frame->width()).arg(frame->height());
        for (const bool converted : {false, true}) {
            if (converted) {
                frame->findChild<QAction *>(QStringLiteral("注音"))->trigger();
                frame->findChild<QAction *>(QStringLiteral("繁體字"))->trigger();
                waitForTaiwan();
            }
            const QString form = converted ? QStringLiteral("-traditional-pinyin-") : QStringLiteral("-plain-");
            const auto shoot = [&](const content::PageAddress &page, const QString &name) {
                ok = openPage(page) &&
                     save(frame, out + QLatin1Char('/') + name + form + size + QStringLiteral(".png")) && ok;
            };
            shoot(content::PageAddress::entry(QStringLiteral("日常琐事"), QStringLiteral("除臭虫夜出灵符")),
                  QStringLiteral("chapter"));
            shoot(content::PageAddress::entry(QStringLiteral("奇门遁甲"), QStringLiteral("玉女反闭诀")),
                  QStringLiteral("panel"));
            shoot(content::PageAddress::dayChart(0), QStringLiteral("chart"));
            shoot(content::PageAddress::article(QStringLiteral("祝由须知")), QStringLiteral("article"));
        }
        frame->close();
        return ok ? 0 : 1;
    }
    ok = save(frame, out + QStringLiteral("/catalogue.png")) && ok;

    openPage(content::PageAddress::entry(QStringLiteral("日常琐事"), QStringLiteral("镇刑克法")));
    ok = save(frame, out + QStringLiteral("/chapter.png")) && ok;

    // 玉女反闭诀 with the chart of 子丑日, reached through the list and the panel's button.
    if (!openPage(content::PageAddress::dayChart(0))) {
        QTextStream(stderr) << "screenshots: the 奇门遁甲 viewer did not show the chart of 子丑日\n";
        return 1;
    }
    ok = save(frame, out + QStringLiteral("/panel.png")) && ok;

    OpenArticlePage(QStringLiteral("符咒心得"), 2);
    ok = save(frame, out + QStringLiteral("/article.png")) && ok;

    // The contents panel open beside a page reached from it.
    frame->findChild<QAction *>(QStringLiteral("章节目录"))->trigger();
    QApplication::processEvents();
    frame->readerTools()->open(content::PageAddress::entry(QStringLiteral("夜行护身"), QStringLiteral("压鬼怪祟人法")));
    ok = save(frame, out + QStringLiteral("/reading.png")) && ok;

    // 注音: pinyin over the incantations of a page.
    frame->findChild<QAction *>(QStringLiteral("章节目录"))->trigger();
    frame->findChild<QAction *>(QStringLiteral("注音"))->trigger();
    frame->readerTools()->open(
        content::PageAddress::entry(QStringLiteral("日常琐事"), QStringLiteral("除臭虫夜出灵符")));
    ok = save(frame, out + QStringLiteral("/pinyin.png")) && ok;
    frame->findChild<QAction *>(QStringLiteral("注音"))->trigger();

    // 繁體字: the same chapter in traditional characters (臺灣), once the conversion has loaded.
    frame->findChild<QAction *>(QStringLiteral("章节目录"))->trigger();
    frame->findChild<QAction *>(QStringLiteral("繁體字"))->trigger();
    waitForTaiwan();
    frame->readerTools()->open(content::PageAddress::entry(QStringLiteral("日常琐事"), QStringLiteral("镇刑克法")));
    ok = save(frame, out + QStringLiteral("/traditional.png")) && ok;
    frame->findChild<QAction *>(QStringLiteral("繁體字"))->trigger();

    frame->close();
    return ok ? 0 : 1;
}
