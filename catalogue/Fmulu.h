#pragma once
// The catalogue page: the frame's backdrop with the twelve titles and the banner.

#include <QWidget>

#include <functional>

class Fmulu : public QWidget
{
    Q_OBJECT

public:
    using ChapterOpener = std::function<void(const QString &shortTitle)>;
    using ArticleOpener = std::function<void(const QString &name, int shift)>;

    Fmulu(ChapterOpener openChapter, ArticleOpener openArticle, QWidget *parent = nullptr);

private:
    ChapterOpener m_openChapter;
    ArticleOpener m_openArticle;
};
