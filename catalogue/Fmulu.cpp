#include "catalogue/Fmulu.h"

#include "catalogue/CatalogueLayout.h"
#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/PictureReadAhead.h"
#include "common/Pictures.h"
#include "common/TextForm.h"
#include "common/Twips.h"
#include "content/TableOfContents.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <array>
#include <iterator>
#include <vector>

namespace {

const QColor kPageColour(0, 255, 255);
const QColor kHighlightColour(255, 0, 255);
constexpr double kTitlePointSize = 21.75;
constexpr int kBannerInterval = 50; // ms
// The page's size as designed, in twips; the frame sizes it at once.
constexpr int kDesignWidth = 11940;
constexpr int kDesignHeight = 7950;

// A title: a label that runs its action when clicked (pressed and released over it), or from the
// keyboard: Tab reaches it, Enter or Space opens it, and its border drawn as a focus frame shows
// where the keyboard is. Screen readers see it as a button.
class TitleLabel : public QLabel
{
  public:
    TitleLabel(std::function<void()> onClick, QWidget *parent)
        : QLabel(parent)
        , m_onClick(std::move(onClick))
    {
        setFocusPolicy(Qt::TabFocus);
    }

    void activate() { m_onClick(); }

    // The caption, shown in the characters the reader chose (繁體字); the title opens what it
    // opens whatever it shows. A label that takes the focus draws its text through a text document
    // of its own, not through the style that converts what the other widgets draw, so the title
    // sets its converted text itself.
    void setCaption(const QString &caption)
    {
        m_caption = caption;
        setText(textform::shown(caption));
    }

  protected:
    void changeEvent(QEvent *event) override
    {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::LanguageChange && !m_caption.isEmpty())
            setText(textform::shown(m_caption));
    }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        event->accept();
        if (m_onClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_onClick();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && !event->isAutoRepeat() &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            if (m_onClick)
                m_onClick();
            return;
        }
        QLabel::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        // The border, two pixels wide in the highlight colour, is the focus frame; the text is
        // sized to fit the border exactly, so nothing is drawn inside it.
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Active, QPalette::Highlight), 2);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

  private:
    std::function<void()> m_onClick;
    QString m_caption;
};

class TitleAccessible : public QAccessibleWidget
{
  public:
    explicit TitleAccessible(TitleLabel *title)
        : QAccessibleWidget(title, QAccessible::Button)
    {
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<TitleLabel *>(widget())->activate();
    }
};

QAccessibleInterface *titleAccessible(const QString &, QObject *object)
{
    if (auto *title = dynamic_cast<TitleLabel *>(object))
        return new TitleAccessible(title);
    return nullptr;
}

} // namespace

namespace {

QString backgroundFile()
{
    return Module1::appFile(QStringLiteral("\\picture\\globe.png"));
}

// The background as the page shows it: the picture laid over the page's colour once, here, so
// that every paint is a plain copy instead of a blend of a palette picture. A palette picture is
// laid over the colour one palette entry at a time (sixteen blends instead of one per pixel) and
// then expanded by table look-up: for the 2560x1440 background that is a tenth of the cost of
// painting it over the colour pixel by pixel.
QImage readBackground(const QString &fileName)
{
    QImage picture = pictures::load(fileName);
    if (!picture.hasAlphaChannel())
        return picture;
    if (picture.format() == QImage::Format_Indexed8) {
        QList<QRgb> table = picture.colorTable();
        const int pageRed = kPageColour.red(), pageGreen = kPageColour.green(), pageBlue = kPageColour.blue();
        for (QRgb &entry : table) {
            const int alpha = qAlpha(entry);
            const auto over = [alpha](int colour, int page) {
                return (colour * alpha + page * (255 - alpha) + 127) / 255;
            };
            entry = qRgb(over(qRed(entry), pageRed), over(qGreen(entry), pageGreen), over(qBlue(entry), pageBlue));
        }
        picture.setColorTable(table);
        return picture.convertToFormat(QImage::Format_RGB32);
    }
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(kPageColour);
    QPainter(&opaque).drawImage(0, 0, picture);
    return opaque;
}

QString bannerStartFile()
{
    return Module1::appFile(QStringLiteral("\\picture\\") + Module1::bannerStartFileName());
}

QImage readPicture(const QString &fileName)
{
    return pictures::load(fileName);
}

// The pictures read ahead for the next catalogue page.
PictureReadAhead g_background;
PictureReadAhead g_bannerStart;

} // namespace

void Fmulu::preloadBackground()
{
    // Two tasks, so that on two cores both pictures are ready by the time the titles are sized.
    g_background.start(backgroundFile(), readBackground);
    g_bannerStart.start(bannerStartFile(), readPicture);
}

Fmulu::Fmulu(ChapterOpener openChapter, ArticleOpener openArticle, QWidget *parent)
    : QWidget(parent)
    , m_openChapter(std::move(openChapter))
    , m_openArticle(std::move(openArticle))
{
    setObjectName(QStringLiteral("Fmulu"));
    setWindowTitle(QStringLiteral("目录"));
    setAccessibleName(QStringLiteral("目录"));
    setAccessibleDescription(QStringLiteral("十个章节与两篇文章的标题，按 Tab 键逐个选中，按回车键或空格键打开"));
    Module1::registerLoadedWindow(this);
    // Activated, the page takes the keyboard itself, so no title shows a focus frame until Tab
    // reaches it; the page is not a stop of its own in the Tab order.
    setFocusPolicy(Qt::ClickFocus);
    // The page paints its colour and picture itself; the titles are transparent over it.
    setAttribute(Qt::WA_OpaquePaintEvent);

    createTitles();

    m_image1 = new PictureBox(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setAccessibleName(QStringLiteral("横幅"));
    m_image1->setAccessibleDescription(QStringLiteral("目录中间轮换显示的横幅图画"));

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kBannerInterval);
    connect(m_timer1, &QTimer::timeout, this, &Fmulu::timerTick);

    resize(twips::toPixels(kDesignWidth), twips::toPixels(kDesignHeight));

    // Load: the two pictures. A missing or unreadable file leaves that picture empty, silently.
    // The background's transparent parts are laid over the page's colour as it is read (a palette
    // picture entry by entry, any other once, pixel by pixel), so that every paint is a plain copy.
    m_background = g_background.take(backgroundFile(), readBackground);
    m_image1->setPicture(g_bannerStart.take(bannerStartFile(), readPicture));

    m_timer1->start();
}

void Fmulu::createTitles()
{
    static const bool accessibleTitles = (QAccessible::installFactory(&titleAccessible), true);
    Q_UNUSED(accessibleTitles);
    const QFont font = fonts::liShu(kTitlePointSize);
    // The twelve titles in grid order, from the table of contents: a title that names an article
    // opens it with the article's shift, the others open their chapter by its short title.
    for (const content::CatalogueTitle &row : content::TableOfContents::instance().catalogueGrid()) {
        std::function<void()> open;
        QString opens;
        if (const content::Article *article = row.article) {
            const int shift = article->shift;
            opens = article->name;
            open = [this, opens, shift] { m_openArticle(opens, shift); };
        } else if (row.chapter) {
            opens = row.chapter->shortTitle;
            open = [this, opens] { m_openChapter(opens); };
        }
        auto *label = new TitleLabel(std::move(open), this);
        label->setObjectName(row.label);
        label->setCaption(row.caption);
        label->setAccessibleName(row.caption);
        label->setAccessibleDescription((row.article ? QStringLiteral("打开文章") : QStringLiteral("打开章节")) +
                                        QStringLiteral("“") + opens + QStringLiteral("”"));
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setCursor(Qt::PointingHandCursor);
        if (row.article) { // the articles stand out
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, kHighlightColour);
            label->setPalette(palette);
        }
        label->resize(twips::toPixels(row.designWidth), twips::toPixels(row.designHeight));
        label->resize(label->sizeHint()); // the title takes the size its text needs
    }
}

QLabel *Fmulu::title(const QString &name) const
{
    return findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
}

void Fmulu::paintEvent(QPaintEvent *)
{
    // The picture at its natural size from the top-left corner; the colour wherever it does not reach.
    QPainter painter(this);
    const QRegion uncovered = QRegion(rect()).subtracted(QRect(QPoint(0, 0), m_background.size()));
    for (const QRect &part : uncovered)
        painter.fillRect(part, kPageColour);
    if (!m_background.isNull())
        painter.drawImage(QPoint(0, 0), m_background);
}

void Fmulu::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void Fmulu::layoutPage()
{
    using cataloguelayout::Box;
    // The titles in grid order, the layout's boxes in the same order, then the banner.
    const std::vector<content::CatalogueTitle> &grid = content::TableOfContents::instance().catalogueGrid();
    std::vector<std::pair<QWidget *, Box *>> placed;
    cataloguelayout::Boxes boxes;
    for (std::size_t i = 0; i < grid.size() && i < std::size(cataloguelayout::kTitlesInGridOrder); ++i)
        placed.emplace_back(title(grid[i].label), &(boxes.*cataloguelayout::kTitlesInGridOrder[i]));
    placed.emplace_back(m_image1, &boxes.Image1);

    const auto twips = [](int pixels) { return float(twips::fromPixels(pixels)); };
    for (const auto &[widget, box] : placed) {
        const QRect g = widget->geometry();
        *box = {twips(g.x()), twips(g.y()), twips(g.width()), twips(g.height())};
    }
    cataloguelayout::layout(twips(width()), twips(height()), boxes);
    for (const auto &[widget, box] : placed)
        widget->setGeometry(twips::toPixels(*box));
}

bool Fmulu::isCovered() const
{
    if (!isVisible() || window()->isMinimized())
        return true;
    // From the page up to its window: a visible sibling stacked in front that holds all of what is
    // still to be seen covers the page (children are kept in stacking order, the front one last).
    QRect seen = rect();
    for (const QWidget *widget = this; !widget->isWindow(); widget = widget->parentWidget()) {
        const QWidget *parent = widget->parentWidget();
        seen = QRect(widget->mapTo(parent, seen.topLeft()), seen.size()).intersected(parent->rect());
        if (seen.isEmpty())
            return true;
        const QObjectList &siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget *>(widget)) + 1; i < siblings.size(); ++i) {
            const auto *sibling = qobject_cast<const QWidget *>(siblings.at(i));
            if (sibling && !sibling->isWindow() && sibling->isVisible() && sibling->geometry().contains(seen))
                return true;
        }
    }
    return false;
}

void Fmulu::timerTick()
{
    // While a message box is open, and above all this tick's own box in its nested event loop,
    // ticks wait: boxes never stack, and the first tick after the box is closed tries the same
    // picture again.
    if (msgbox::isOpen())
        return;

    // Every tick checks all four pictures; once one is gone the banner is hidden for good.
    const QStringList files = BannerCycle::files();
    std::array<QFileInfo, 4> found;
    for (std::size_t i = 0; i < found.size(); ++i) {
        found[i] = QFileInfo(Module1::appFile(files.at(qsizetype(i))));
        if (!found[i].isFile())
            m_image1->hide();
    }
    if (m_image1->isHidden())
        return;
    // Nobody can see the banner: the check above is all this tick does, and the cycle waits.
    if (isCovered())
        return;

    const std::size_t index = std::size_t(files.indexOf(m_banner.current()));
    BannerFrame &frame = m_frames[index];
    const QFileInfo &file = found[index];
    // A picture is read from its file when it is first shown and again whenever the file has
    // changed since, by its size or time; the stamp is the one from before the reading, so a file
    // changed while it is read is read again.
    const FileStamp stamp = FileStamp::of(file);
    if (frame.picture.isNull() || frame.stamp.size != stamp.size || frame.stamp.modified != stamp.modified) {
        QString error;
        const QImage picture = pictures::load(file.filePath(), &error);
        if (picture.isNull()) {
            // The banner keeps its picture and the step its value, so every tick tries the same
            // picture again. The failure is reported once: told again every 50 ms after each
            // closing, the user could hardly reach the program behind the boxes.
            frame = BannerFrame();
            if (error != m_reportedFailure) {
                m_reportedFailure = error;
                msgbox::show(error);
            }
            return;
        }
        frame = BannerFrame();
        frame.picture = picture;
        frame.stamp = stamp;
    }
    m_reportedFailure.clear();
    // Scaled once for the box's size, not on every tick.
    if (frame.scaled.isNull() || frame.scaled.size() != m_image1->scaledSize())
        frame.scaled = m_image1->scaledForBox(frame.picture);
    m_image1->setPicture(frame.picture, frame.scaled);
    m_banner.advance();
}
