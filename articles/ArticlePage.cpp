#include "articles/ArticlePage.h"

void OpenArticlePage(const QString &name, int shift)
{
    Q_UNUSED(name);
    Q_UNUSED(shift);
}
