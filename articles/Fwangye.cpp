#include "articles/Fwangye.h"

#include "articles/ReadingColumn.h"
#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/Printing.h"
#include "common/TextFormWidgets.h"
#include "common/Twips.h"

#include <QAbstractTextDocumentLayout>
#include <QMdiSubWindow>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>

#include <memory>
#include <vector>

namespace {

// The view sits this far from the window's left and top edges and is this much smaller than the
// window's client area (in twips).
constexpr double kViewOffset = 45;
constexpr double kViewShrink = 100;
// The client size of a restored article page: room for a comfortable line of text.
constexpr double kRestoredWidth = 9000;
constexpr double kRestoredHeight = 6750;
// The articles' sections are their second-level headings (the first is the article's title).
constexpr int kSectionHeadingLevel = 2;

} // namespace

Fwangye::Fwangye(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Fwangye"));
    Module1::registerLoadedWindow(this);

    m_webBrowser1 = new ArticleBrowser(this);
    m_webBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    m_webBrowser1->move(twips::toPixels(kViewOffset), twips::toPixels(kViewOffset));
    // The pages are set in a serif face: the one their style sheets name (宋体) or its stand-in,
    // and for a page that names none, the same.
    fonts::installSubstitutes();
    m_webBrowser1->document()->setDefaultFont(fonts::songTi(articles::kBodyPointSize));

    // Loading a page completes before its title is read: the title is taken once the event loop
    // has delivered the completion.
    connect(m_webBrowser1, &QTextBrowser::sourceChanged, this, &Fwangye::navigationComplete, Qt::QueuedConnection);

    m_printing = printing::makeActions(
        this, this, [this] { printArticle(); }, [this] { exportPdf(); });
    connect(m_webBrowser1->verticalScrollBar(), &QScrollBar::valueChanged, this, &Fwangye::reportAddress);
    connect(m_webBrowser1, &ArticleBrowser::zoomRequested, this, &Fwangye::textZoomRequested);
    m_webBrowser1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_webBrowser1, &QWidget::customContextMenuRequested, this, &Fwangye::showContextMenu);

    resize(sizeHint());
}

QSize Fwangye::sizeHint() const
{
    return QSize(twips::toPixels(kRestoredWidth), twips::toPixels(kRestoredHeight));
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
    m_appliedScale = 1; // a new document, at its own sizes
    setTextScale(m_textScale);
}

void Fwangye::setTextScale(double scale)
{
    m_textScale = scale;
    if (qFuzzyCompare(scale, m_appliedScale))
        return;
    // Every run of text keeps its size relative to the others: each is scaled by the same ratio;
    // the document's default font is set for the scale.
    const double ratio = scale / m_appliedScale;
    QTextDocument *document = m_webBrowser1->document();
    // The text at the top of the view stays there.
    const int topOfView = m_webBrowser1->cursorForPosition(QPoint(0, 0)).position();
    document->setDefaultFont(fonts::songTi(articles::kBodyPointSize * scale));
    struct Run {
        int start;
        int end;
        double points;
    };
    std::vector<Run> runs; // gathered first: changing a run may join it with its neighbour
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().hasProperty(QTextFormat::FontPointSize))
                runs.push_back({fragment.position(), fragment.position() + fragment.length(),
                                fragment.charFormat().fontPointSize() * ratio});
        }
    }
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const Run &run : runs) {
        QTextCharFormat sized;
        sized.setFontPointSize(run.points);
        cursor.setPosition(run.start);
        cursor.setPosition(run.end, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(sized);
    }
    cursor.endEditBlock();
    m_appliedScale = scale;
    m_webBrowser1->setColumnScale(scale);
    const QTextBlock top = document->findBlock(topOfView);
    m_webBrowser1->verticalScrollBar()->setValue(int(document->documentLayout()->blockBoundingRect(top).top()));
}

void Fwangye::navigationComplete()
{
    // No title available: the caption stays as it was.
    const QString title = m_webBrowser1->document()->metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty())
        setCaption(title);
    textform::showDocument(m_webBrowser1->document());
    reportAddress();
}

void Fwangye::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The reader switched 繁體字: the page's text in the other characters, at the same place.
    if (event->type() == QEvent::LanguageChange) {
        const int top = m_webBrowser1->verticalScrollBar()->value();
        textform::showDocument(m_webBrowser1->document());
        m_webBrowser1->verticalScrollBar()->setValue(top);
    }
}

QStringList Fwangye::sectionHeadings() const
{
    return sectionHeadings(m_webBrowser1->document());
}

QStringList Fwangye::sectionHeadings(const QTextDocument *document)
{
    QStringList headings;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == kSectionHeadingLevel && !block.text().trimmed().isEmpty())
            headings.append(textform::keyText(block));
    return headings;
}

bool Fwangye::scrollToSection(const QString &heading)
{
    QTextDocument *document = m_webBrowser1->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != kSectionHeadingLevel || textform::keyText(block) != heading)
            continue;
        const QRectF box = document->documentLayout()->blockBoundingRect(block);
        m_webBrowser1->verticalScrollBar()->setValue(int(box.top()));
        return true;
    }
    return false;
}

content::PageAddress Fwangye::address() const
{
    // The section is the last heading at or above the top of the view, with a line's room.
    QTextDocument *document = m_webBrowser1->document();
    const int top = m_webBrowser1->verticalScrollBar()->value() + m_webBrowser1->fontMetrics().height();
    QString section;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != kSectionHeadingLevel)
            continue;
        if (document->documentLayout()->blockBoundingRect(block).top() > top)
            break;
        section = textform::keyText(block);
    }
    return content::PageAddress::article(m_articleName, section);
}

void Fwangye::reportAddress()
{
    const content::PageAddress now = address();
    if (now == m_reported)
        return;
    m_reported = now;
    emit addressChanged(now);
}

void Fwangye::showContextMenu(const QPoint &position)
{
    // The browser's own menu (copy, select all, links), then the article's print commands.
    const std::unique_ptr<QMenu> menu(m_webBrowser1->createStandardContextMenu(position));
    m_printing.addTo(menu.get());
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
    printing::print(this, documentName(), [this](QPagedPaintDevice &sheets) { return renderArticle(sheets); });
}

void Fwangye::exportPdf()
{
    printing::exportPdf(this, documentName(), [this](QPagedPaintDevice &sheets) { return renderArticle(sheets); });
}

void Fwangye::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Each size is set on its own; a size that would be negative (a minimised window) is left as it was.
    const int width = twips::toPixels(twips::fromPixels(event->size().width()) - kViewShrink);
    const int height = twips::toPixels(twips::fromPixels(event->size().height()) - kViewShrink);
    if (width >= 0)
        m_webBrowser1->resize(width, m_webBrowser1->height());
    if (height >= 0)
        m_webBrowser1->resize(m_webBrowser1->width(), height);
}
