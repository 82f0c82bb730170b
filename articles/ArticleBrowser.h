#pragma once
// The HTML view of an article page, closed to everything outside the installation: it loads only
// what ArticleResources allows, follows links only to anchors of its page and to other pages of
// the installation, and never hands a link to another program. Its pictures are laid out and
// painted by ArticlePictures, at the cost of what the window shows.

#include "articles/ArticlePictures.h"
#include "articles/ArticleResources.h"

#include <QTextBrowser>

class ArticleBrowser : public QTextBrowser
{
    Q_OBJECT

  public:
    explicit ArticleBrowser(QWidget *parent = nullptr);

    /// Shows a page file: the installation's "tem.htm" or the one in the user's private folder.
    void openPage(const QString &pageFile);

    QVariant loadResource(int type, const QUrl &name) override;

    const ArticleResources &resources() const { return m_resources; }
    const ArticlePictures &pictures() const { return m_pictures; }

    // The reading column grows with the text: forty characters of the body text at this share of
    // its own size (1 for 100 %), as far as the view allows.
    void setColumnScale(double scale);

  signals:
    // Ctrl and the wheel ask for larger or smaller text; the reader's text size decides.
    void zoomRequested(bool larger);

  protected:
    // Every page shown gets the view's own picture handler and the bound on its pictures.
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

    // A new width sets the reading column (articles/ReadingColumn.h) as side margins of the view.
    // They depend on the width alone, so a page is laid out once when it loads.
    bool event(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

  private:
    void followLink(const QUrl &link);
    void setColumn(int viewWidth);

    ArticleResources m_resources;
    double m_columnScale = 1;
    ArticlePictures m_pictures;
};
