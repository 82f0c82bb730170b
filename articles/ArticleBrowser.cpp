#include "articles/ArticleBrowser.h"

#include "articles/ReadingColumn.h"
#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/WheelZoom.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <QStyle>

ArticleBrowser::ArticleBrowser(QWidget *parent)
    : QTextBrowser(parent)
    , m_resources(Module1::AppPath())
{
    setOpenExternalLinks(false);
    // Every link comes here first; the view itself never navigates.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ArticleBrowser::followLink);
    m_pictures.adopt(document());
}

void ArticleBrowser::openPage(const QString &pageFile)
{
    m_resources.setPageFile(pageFile);
    setSource(QUrl::fromLocalFile(pageFile), QTextDocument::HtmlResource);
}

void ArticleBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    QTextBrowser::doSetSource(name, type);
    m_pictures.adopt(document());
}

QVariant ArticleBrowser::loadResource(int type, const QUrl &name)
{
    return m_resources.load(type, name);
}

void ArticleBrowser::followLink(const QUrl &link)
{
    QUrl target;
    switch (m_resources.follow(link, source(), &target)) {
    case ArticleResources::Link::InPage:
        scrollToAnchor(target.fragment());
        break;
    case ArticleResources::Link::OpenPage:
        setSource(target, QTextDocument::HtmlResource);
        break;
    case ArticleResources::Link::Refused:
        break;
    }
}

void ArticleBrowser::wheelEvent(QWheelEvent *event)
{
    if (!wheelzoom::take(event, [this](bool larger) { emit zoomRequested(larger); }))
        QTextBrowser::wheelEvent(event);
}

bool ArticleBrowser::event(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        setColumn(static_cast<QResizeEvent *>(event)->size().width());
    return QTextBrowser::event(event);
}

void ArticleBrowser::setColumnScale(double scale)
{
    m_columnScale = scale;
    setColumn(width());
}

void ArticleBrowser::setColumn(int width)
{
    // One ideograph of the body text (CJK characters are one em wide); the column is centred
    // beside a vertical scroll bar, which long pages have.
    const int character =
        QFontMetrics(fonts::songTi(articles::kBodyPointSize * m_columnScale)).horizontalAdvance(QChar(0x4E2D));
    const int view = width - 2 * frameWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int side = articles::columnMargin(view, character, 0);
    if (viewportMargins() != QMargins(side, 0, side, 0))
        setViewportMargins(side, 0, side, 0);
}
