#include "app/QtTranslations.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("灵箓汇编"));
    QApplication::setApplicationVersion(QStringLiteral(LINGLU_VERSION));
    loadQtTranslations(&app, QCoreApplication::applicationDirPath());

    if (!Module1::Main(&QDate::currentDate, QCoreApplication::applicationDirPath()))
        return 0;
    return app.exec();
}
