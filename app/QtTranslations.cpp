#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

QStringList qtTranslationFolders(const QString &programFolder)
{
    return {QDir(programFolder).filePath(QStringLiteral("translations")),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool loadQtTranslations(QCoreApplication *application, const QString &programFolder)
{
    for (const QString &folder : qtTranslationFolders(programFolder)) {
        auto *translator = new QTranslator(application);
        // qtbase_zh_CN holds the widgets' texts; qt_zh_CN is the older catalogue of the same.
        if (translator->load(QStringLiteral("qtbase_zh_CN"), folder) ||
            translator->load(QStringLiteral("qt_zh_CN"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}
