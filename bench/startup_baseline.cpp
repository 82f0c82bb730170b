// The smallest Qt Widgets program: an empty main window, shown maximised. It ends as soon as its
// client area has painted for the first time. With "--text" the window also has a menu bar with
// one Chinese title, the least a program with Chinese text pays: the font system's start.
#include "FirstPaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    bench::FirstPaint firstPaint(QStringLiteral("client"));
    QMainWindow window;
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    window.setCentralWidget(client);
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        window.menuBar()->addMenu(QStringLiteral("灵箓汇编"));
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    return app.exec();
}
