// The program's start-up exactly as its main() runs it, on the build's installation folder, ending
// as soon as the catalogue page has painted for the first time.
#include "FirstPaint.h"

#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("灵箓汇编"));
    QApplication::setApplicationVersion(QStringLiteral(LINGLU_VERSION));
    bench::FirstPaint firstPaint(QStringLiteral("Fmulu"));

    if (!Module1::Main(&QDate::currentDate, QStringLiteral(LINGLU_BENCH_BIN_DIR)))
        return 1;
    return app.exec();
}
