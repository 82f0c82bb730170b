#include "catalogue/Fmulu.h"

#include "app/Module1.h"

Fmulu::Fmulu(ChapterOpener openChapter, ArticleOpener openArticle, QWidget *parent)
    : QWidget(parent)
    , m_openChapter(std::move(openChapter))
    , m_openArticle(std::move(openArticle))
{
    setObjectName(QStringLiteral("Fmulu"));
    setWindowTitle(QStringLiteral("目录"));
    Module1::registerLoadedWindow(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 255, 255));
    setPalette(pal);
}
