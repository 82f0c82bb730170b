#include "articles/Fwangye.h"

#include "common/Module1.h"
#include "common/Twips.h"

#include <QFile>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QStringDecoder>

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
    // A byte order mark or a declared character set other than gb2312 is honoured; gb2312, or no
    // declaration at all, means GBK.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(page);
    const bool declared = QStringConverter::encodingForData(page).has_value()
        || page.first(qMin(page.size(), qsizetype(1024))).toLower().contains("charset=");
    if (!decoder.isValid() || !declared
        || QString::fromLatin1(decoder.name()).compare(QLatin1String("GB2312"), Qt::CaseInsensitive) == 0)
        decoder = QStringDecoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(page);
    return decoder.decode(page);
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

Fwangye::Fwangye(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Fwangye"));
    Module1::registerLoadedWindow(this);

    m_webBrowser1 = new ArticleBrowser(this);
    m_webBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    m_webBrowser1->move(Twips::toPixels(kViewOffset), Twips::toPixels(kViewOffset));
    m_webBrowser1->setOpenExternalLinks(true);

    // Loading a page completes before its title is read: the title is taken once the event loop
    // has delivered the completion.
    connect(m_webBrowser1, &QTextBrowser::sourceChanged, this, &Fwangye::navigationComplete, Qt::QueuedConnection);

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
