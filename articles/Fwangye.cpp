#include "articles/Fwangye.h"

#include "articles/GbkText.h"
#include "articles/ReadingColumn.h"
#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/Printing.h"
#include "common/Twips.h"

#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QMenu>
#include <QResizeEvent>
#include <QStyle>
#include <QStringDecoder>

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

QString ArticleBrowser::decodePage(const QByteArray &page)
{

    // A byte order mark or a declared character set other than gb2312 or gbk is honoured; gb2312,
    // gbk, or no declaration at all, means GBK, converted as the system converts code page 936.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(page);
    const bool declared = QStringConverter::encodingForData(page).has_value()
        || page.first(qMin(page.size(), qsizetype(1024))).toLower().contains("charset=");
    const QString declaredName = QString::fromLatin1(decoder.name());
    const bool gbk = declaredName.compare(QLatin1String("GB2312"), Qt::CaseInsensitive) == 0
        || declaredName.compare(QLatin1String("GBK"), Qt::CaseInsensitive) == 0
        || declaredName.compare(QLatin1String("windows-936"), Qt::CaseInsensitive) == 0;
    if (!decoder.isValid() || !declared || gbk) {
        const std::optional<QString> text = articles::gbkToText(page);
        return text ? *text : QString::fromLatin1(page);
    }
    return QString(decoder.decode(page));
}

QVariant ArticleBrowser::loadResource(int type, const QUrl &name)
{
    if (type != QTextDocument::HtmlResource || !name.isLocalFile())
        return QTextBrowser::loadResource(type, name);
    QFile file(name.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return QTextBrowser::loadResource(type, name);
    return decodePage(file.readAll());
}

bool ArticleBrowser::event(QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        // One ideograph of the body text (CJK characters are one em wide); the column is centred
        // beside a vertical scroll bar, which long pages have.
        const int character = QFontMetrics(Fonts::songTi(articles::kBodyPointSize)).horizontalAdvance(QChar(0x4E2D));
        const int view = static_cast<QResizeEvent *>(event)->size().width() - 2 * frameWidth()
            - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int side = articles::columnMargin(view, character, 0);
        if (viewportMargins() != QMargins(side, 0, side, 0))
            setViewportMargins(side, 0, side, 0);
    }
    return QTextBrowser::event(event);
}

Fwangye::Fwangye(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Fwangye"));
    Module1::registerLoadedWindow(this);

    m_webBrowser1 = new ArticleBrowser(this);
    m_webBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    m_webBrowser1->move(Twips::toPixels(kViewOffset), Twips::toPixels(kViewOffset));
    m_webBrowser1->setOpenExternalLinks(true);
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
    m_webBrowser1->setSource(QUrl::fromLocalFile(fileName), QTextDocument::HtmlResource);
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
