#pragma once

#include <QString>

#include <optional>

// Opens the article of this name: raises its window if one is open under that caption, otherwise
// decodes AppPath + "\god\" + name + ".god" with the shift into "\tem.htm" and shows it.
void OpenArticlePage(const QString &name, int shift);

class Fwangye;

// The article page window of the article of this name, found by its caption as the opener finds
// it; null while none is open.
Fwangye *articleWindow(const QString &name);

// The page of the article of this name, decoded in memory as the article window would show it;
// nothing is written. Nothing, with the reason in *error, when the file cannot be read.
std::optional<QString> readArticlePage(const QString &name, int shift, QString *error);
