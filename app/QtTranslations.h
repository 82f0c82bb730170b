#pragma once
// Qt's own texts (the OK button, a child window's system menu, a text pane's context menu) in
// Chinese, like the rest of the program.

#include <QStringList>

class QCoreApplication;

// The folders searched for Qt's translation files, in order: a "translations" folder beside the
// program (where the deployment tool puts them on Windows), then Qt's own translations folder.
QStringList qtTranslationFolders(const QString &programFolder);

// Installs Qt's simplified Chinese translation into the application from the first folder that
// holds it. Returns false, and changes nothing, when none does; Qt then speaks English.
bool loadQtTranslations(QCoreApplication *application, const QString &programFolder);
