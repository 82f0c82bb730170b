// The smallest Qt Widgets program: an empty main window, shown maximised. It ends as soon as its
// client area has painted for the first time.
#include "FirstPaint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    bench::FirstPaint firstPaint(QStringLiteral("client"));
    QMainWindow window;
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    window.setCentralWidget(client);
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    return app.exec();
}
