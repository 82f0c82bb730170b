#pragma once

#include <QString>

// Opens the article of this name: raises its window if one is open under that caption, otherwise
// decodes AppPath + "\god\" + name + ".god" with the shift into "\tem.htm" and shows it.
void OpenArticlePage(const QString &name, int shift);
