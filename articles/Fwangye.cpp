#include "articles/Fwangye.h"

#include "articles/ReadingColumn.h"
#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/Printing.h"
#include "common/Twips.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QResizeEvent>

#include <memory>

namespace {

// The view sits this far from the window's left and top edges and is this much smaller than the
// window's client area (in twips).
constexpr double kViewOffset = 45;
constexpr double kViewShrink = 100;
// The client size of a restored article page: room for a comfortable line of text.
constexpr double kRestoredWidth = 9000;
constexpr double kRestoredHeight = 6750;

} // namespace

Fwangye::Fwangye(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Fwangye"));
    Module1::registerLoadedWindow(this);

    m_webBrowser1 = new ArticleBrowser(this);
    m_webBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    m_webBrowser1->move(Twips::toPixels(kViewOffset), Twips::toPixels(kViewOffset));
    // The pages are set in a serif face: the one their style sheets name (宋体) or its stand-in,
    // and for a page that names none, the same.
    Fonts::installSubstitutes();
    m_webBrowser1->document()->setDefaultFont(Fonts::songTi(articles::kBodyPointSize));

    // Loading a page completes before its title is read: the title is taken once the event loop
    // has delivered the completion.
    connect(m_webBrowser1, &QTextBrowser::sourceChanged, this, &Fwangye::navigationComplete, Qt::QueuedConnection);

    m_print = new QAction(QStringLiteral("打印…"), this);
    m_print->setObjectName(QStringLiteral("打印"));
    m_print->setShortcut(QKeySequence::Print);
    m_print->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_print);
    connect(m_print, &QAction::triggered, this, &Fwangye::printArticle);
    m_exportPdf = new QAction(QStringLiteral("导出PDF…"), this);
    m_exportPdf->setObjectName(QStringLiteral("导出PDF"));
    connect(m_exportPdf, &QAction::triggered, this, &Fwangye::exportPdf);
    m_webBrowser1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_webBrowser1, &QWidget::customContextMenuRequested, this, &Fwangye::showContextMenu);

    resize(sizeHint());
}

QSize Fwangye::sizeHint() const
{
    return QSize(Twips::toPixels(kRestoredWidth), Twips::toPixels(kRestoredHeight));
}

void Fwangye::setCaption(const QString &caption)
{
    setWindowTitle(caption);
    if (QMdiSubWindow *sub = Module1::subWindowOf(this))
        sub->setWindowTitle(caption);
}

void Fwangye::navigate(const QString &fileName)
{
    m_webBrowser1->openPage(fileName);
}

void Fwangye::navigationComplete()
{
    // No title available: the caption stays as it was.
    const QString title = m_webBrowser1->document()->metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty())
        setCaption(title);
}

void Fwangye::showContextMenu(const QPoint &position)
{
    // The browser's own menu (copy, select all, links), then the article's print commands.
    const std::unique_ptr<QMenu> menu(m_webBrowser1->createStandardContextMenu(position));
    menu->addSeparator();
    menu->addAction(m_print);
    menu->addAction(m_exportPdf);
    menu->exec(m_webBrowser1->viewport()->mapToGlobal(position));
}

QString Fwangye::documentName() const
{
    return Module1::captionOf(const_cast<Fwangye *>(this));
}

bool Fwangye::renderArticle(QPagedPaintDevice &sheets) const
{
    // A copy, so that the page on screen keeps its own layout.
    const std::unique_ptr<QTextDocument> document(m_webBrowser1->document()->clone());
    document->print(&sheets);
    return true;
}

void Fwangye::printArticle()
{
    Printing::print(this, documentName(), [this](QPagedPaintDevice &sheets) { return renderArticle(sheets); });
}

void Fwangye::exportPdf()
{
    Printing::exportPdf(this, documentName(), [this](QPagedPaintDevice &sheets) { return renderArticle(sheets); });
}

void Fwangye::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Each size is set on its own; a size that would be negative (a minimised window) is left as it was.
    const int width = Twips::toPixels(Twips::fromPixels(event->size().width()) - kViewShrink);
    const int height = Twips::toPixels(Twips::fromPixels(event->size().height()) - kViewShrink);
    if (width >= 0)
        m_webBrowser1->resize(width, m_webBrowser1->height());
    if (height >= 0)
        m_webBrowser1->resize(m_webBrowser1->width(), height);
}
