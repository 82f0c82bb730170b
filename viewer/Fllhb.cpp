#include "viewer/Fllhb.h"

#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/Pictures.h"
#include "common/Twips.h"
#include "content/Catalogue.h"
#include "content/PictureNumbers.h"
#include "viewer/PageCommands.h"
#include "viewer/PictureLoader.h"
#include "viewer/QimenPanel.h"
#include "viewer/TextPane.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>

#include <cmath>

using viewer::Box;
using viewer::LayoutScope;

namespace {

// The client size of a restored viewer, in twips.
constexpr double kRestoredWidth = 11880;
constexpr double kRestoredHeight = 8055;

// The panes' own text sizes, in points.
constexpr double kUpperPanePoints = 15;
constexpr double kLowerPanePoints = 12;

// The factors of the 奇门遁甲 panel's views.
constexpr double kOverviewFactor = 1.75;
constexpr double kDayChartFactor = 2.5;
constexpr double kFigureFactor = 1;

void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor())
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Base, background);
    }
    widget->setPalette(palette);
}

} // namespace

Fllhb::Fllhb(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Fllhb"));
    setWindowTitle(Module1::appTitle());
    setWindowIcon(pictures::appIcon());
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(background);
    Module1::registerLoadedWindow(this);

    createControls();
    placeControls();
    m_pageCommands = new PageCommands(this);
    resize(sizeHint());
    connect(&viewer::PictureLoader::instance(), &viewer::PictureLoader::pictureReady, this, &Fllhb::pictureReady);

    LoadChapter();
}

QSize Fllhb::sizeHint() const
{
    return QSize(twips::toPixels(kRestoredWidth), twips::toPixels(kRestoredHeight));
}

void Fllhb::createControls()
{
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setTextFormat(Qt::PlainText);
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setFont(fonts::liShu(26.25));
    setColours(m_label1, QColor(0, 0, 255));
    m_boxes.label1 = {315, 0, 3255, 525};
    setLabelText(m_label1, m_boxes.label1, QStringLiteral("灵箓汇编分类"));

    // List only, in insertion order: the chapter's entries as the book lists them.
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditable(false);
    m_combo1->setInsertPolicy(QComboBox::InsertAtBottom);
    m_combo1->setFont(fonts::kaiTi(15));
    m_combo1->setMaxVisibleItems(20);
    m_combo1->setAccessibleName(QStringLiteral("条目"));
    m_combo1->setAccessibleDescription(QStringLiteral("本章的条目；选中一条，即显示它的图和文字"));
    m_boxes.combo1 = {3570, 105, 4260, 420};
    connect(m_combo1, &QComboBox::activated, this, &Fllhb::SelectEntry);
    // On Linux a screen reader names a list by its current item and takes what the list is for from
    // the label that belongs to it: the chapter's caption, heard as "<caption>条目".
    m_label1->setBuddy(m_combo1);

    m_label2 = new QLabel(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setTextFormat(Qt::PlainText);
    m_label2->setAlignment(Qt::AlignCenter);
    m_label2->setFont(fonts::kaiTi(15.75));
    setColours(m_label2, QColor(0, 0, 192));
    m_boxes.label2 = {7860, 120, 3645, 315};
    setLabelText(m_label2, m_boxes.label2, QStringLiteral("具体的灵箓汇编内容标题"));

    m_image1 = new PictureBox(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setBorder(true);
    m_image1->setAccessibleName(QStringLiteral("图"));
    m_boxes.image1 = {360, 720, 2940, 7125};

    m_text3 = new TextPane(this);
    m_text3->setObjectName(QStringLiteral("Text3"));
    m_text3->setFont(fonts::kaiTi(kUpperPanePoints));
    m_text3->setAccessibleName(QStringLiteral("上栏文字"));
    m_text3->setAccessibleDescription(QStringLiteral("本页的第一段：用法、说明或解说"));
    setColours(m_text3, QColor(255, 0, 255), QColor(192, 255, 255));
    m_boxes.text3 = {3420, 720, 8340, 2670};

    m_text2 = new TextPane(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setFont(fonts::songTi(kLowerPanePoints));
    m_text2->setAccessibleName(QStringLiteral("下栏文字"));
    m_text2->setAccessibleDescription(QStringLiteral("本页的第二段：说明、解说或咒语"));
    setColours(m_text2, QColor(255, 0, 0), QColor(192, 255, 192));
    m_boxes.text2 = {3420, 3465, 8340, 4335};

    for (TextPane *pane : {m_text3, m_text2})
        connect(pane, &TextPane::zoomRequested, this, &Fllhb::textZoomRequested);

    m_frame1 = new QimenPanel(this);
    m_boxes.frame1 = {10935, 720, 855, 7095};
    connect(m_frame1, &QimenPanel::overviewClicked, this, &Fllhb::showOverview);
    connect(m_frame1, &QimenPanel::dayChartClicked, this, &Fllhb::showDayChart);
    connect(m_frame1, &QimenPanel::figureClicked, this, &Fllhb::showFigure);
    connect(m_frame1, &QimenPanel::togglePictureClicked, this, &Fllhb::togglePicture);
    m_frame1->hide();
}

void Fllhb::setLabelText(QLabel *label, Box &box, const QString &text)
{
    // The label sizes itself to its text; its left and top stay where they are.
    label->setText(text);
    const QFontMetricsF metrics(label->font());
    box.setWidth(twips::fromPixels(std::ceil(metrics.horizontalAdvance(text))));
    box.setHeight(twips::fromPixels(std::ceil(metrics.height())));
    label->setGeometry(twips::toPixels(box));
    if (label == m_label1)
        label->setAccessibleName(text + QStringLiteral("条目")); // what the list it labels is for
}

void Fllhb::placeControls()
{
    m_label1->setGeometry(twips::toPixels(m_boxes.label1));
    m_combo1->setGeometry(twips::toPixels(m_boxes.combo1));
    m_label2->setGeometry(twips::toPixels(m_boxes.label2));
    m_image1->setGeometry(twips::toPixels(m_boxes.image1));
    m_text3->setGeometry(twips::toPixels(m_boxes.text3));
    m_text2->setGeometry(twips::toPixels(m_boxes.text2));
    m_frame1->setGeometry(twips::toPixels(m_boxes.frame1));
}

void Fllhb::LoadChapter()
{
    m_pictureWidthFactor = 1;
    m_textWidthReduction = 0;

    const content::Chapter *chapter = content::Catalogue::instance().chapterByShortTitle(Module1::CurrentChapter());
    if (!chapter)
        return; // the window keeps its initial texts, an empty list and the hidden panel

    setLabelText(m_label1, m_boxes.label1, chapter->categoryCaption);
    const QStringList names = content::Catalogue::entryNames(*chapter);
    m_combo1->addItem(names.first());
    m_combo1->setCurrentIndex(0);
    SelectEntry();

    // SelectEntry has shown the first page through the page routine, which reports its own
    // failure. The page is not loaded a second time: that would only repeat the same picture and
    // texts, or, with the picture missing, a second message; and a failure must not cost the
    // chapter the rest of its list.
    m_combo1->addItems(names.mid(1));
}

void Fllhb::chooseEntry(int index)
{
    m_combo1->setCurrentIndex(index);
    SelectEntry();
}

void Fllhb::setTextScale(double scale)
{
    m_text3->setFont(fonts::kaiTi(kUpperPanePoints * scale));
    m_text2->setFont(fonts::songTi(kLowerPanePoints * scale));
}

void Fllhb::setPinyinShown(bool shown)
{
    m_text2->setPinyinShown(shown);
}

const content::Chapter *Fllhb::chapter() const
{
    return content::Catalogue::instance().chapterByCaption(m_label1->text());
}

QString Fllhb::currentEntry() const
{
    return m_label2->text();
}

void Fllhb::setAddress(const content::PageAddress &address)
{
    if (address == m_address)
        return;
    m_address = address;
    if (!m_settling)
        emit addressChanged(m_address);
}

bool Fllhb::showAddress(const content::PageAddress &address)
{
    const content::Chapter *shown = chapter();
    if (address.isArticle() || !shown || shown->shortTitle != address.chapter())
        return false;
    const int index = m_combo1->findText(address.entryName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;

    const content::PageAddress before = m_address;
    m_settling = true;
    // A view of the panel is reached from the panel, which its list entry shows; the panel already
    // on screen is used as it is.
    const bool panelShown = !m_frame1->isHidden() && m_combo1->currentIndex() == index;
    if (address.kind() == content::PageAddress::Kind::Entry || !panelShown)
        chooseEntry(index);
    if (address.kind() == content::PageAddress::Kind::DayChart)
        showDayChart(address.viewIndex());
    else if (address.kind() == content::PageAddress::Kind::Figure)
        showFigure(address.viewIndex());
    m_settling = false;
    if (m_address != before)
        emit addressChanged(m_address);
    return m_address == address;
}

void Fllhb::SelectEntry()
{
    setLabelText(m_label2, m_boxes.label2, m_combo1->currentText());
    m_pictureWidthFactor = 1;
    m_textWidthReduction = 0;
    layOut(LayoutScope::Selection);
    m_frame1->hide();

    const content::Chapter *shown = chapter();
    if (!shown)
        return;
    if (shown->hasPanel)
        ShowQimenPage();
    else
        ShowEntryPage(*shown);
}

void Fllhb::LayoutViewer()
{
    layOut(LayoutScope::Full);
}

void Fllhb::layOut(LayoutScope scope)
{
    viewer::LayoutInput input;
    input.clientWidth = twips::fromPixels(width());
    input.clientHeight = twips::fromPixels(height());
    input.pictureWidthFactor = m_pictureWidthFactor;
    input.textWidthReduction = m_textWidthReduction;
    input.panesShiftedLeft = !m_frame1->isHidden() && m_frame1->pictureHidden();
    viewer::layoutBoxes(m_boxes, input, scope);
    placeControls();
}

void Fllhb::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutViewer();
    refreshPictureForBox();
}

QString Fllhb::pictureFile() const
{
    return m_pictureNumber < 0 ? QString() : viewer::pictureFile(m_pictureNumber);
}

// The page of an entry of chapters 2 to 10: wide layout first, then the picture, then the upper
// and the lower pane. A picture that cannot be loaded stops the page with its message, so the
// previous picture and texts stay.
void Fllhb::ShowEntryPage(const content::Chapter &chapter)
{
    const content::Page *page = content::Catalogue::pageOf(chapter, m_label2->text());
    if (!page)
        return;

    if (page->widePicture) {
        m_pictureWidthFactor = 2;
        LayoutViewer();
    }
    if (!loadPicture(page->pictureNumber))
        return;

    const QString heading = page->headingTitle.isEmpty() ? m_combo1->currentText() : page->headingTitle;
    m_text3->setText(content::ComposeSection(heading, page->upper.label, page->upper.paragraphs));
    m_text2->setIncantation(page->lower && page->lower->label == content::kLabelIncantation);
    if (page->lower)
        m_text2->setText(content::ComposeSection(heading, page->lower->label, page->lower->paragraphs));
    else
        m_text2->setText(QString()); // no lower section: nothing of the previous page stays
    setAddress(content::PageAddress::entry(chapter.shortTitle, m_label2->text()));
}

// The 奇门遁甲 chapter: 真人步斗法 is a page like the others; 玉女反闭诀 shows the panel and its
// overview. A picture that cannot be loaded stops a view with its message, so the new caption and
// layout stay while the previous picture and texts remain.
void Fllhb::ShowQimenPage()
{
    const content::Catalogue &book = content::Catalogue::instance();
    if (m_label2->text() == content::kZhenRenBuDou) {
        // SelectEntry has just laid the window out with the normal width; the layout stays.
        const content::QimenView &page = book.zhenRenBuDou();
        if (!loadPicture(page.pictureNumber))
            return;
        showSections(m_combo1->currentText(), page);
        setAddress(content::PageAddress::entry(chapter()->shortTitle, content::kZhenRenBuDou));
    }
    if (m_label2->text() == content::kYuNvFanBi) {
        m_frame1->show();
        showOverview();
    }
}

void Fllhb::showSections(const QString &headingTitle, const content::QimenView &view)
{
    m_text3->setText(content::ComposeSection(headingTitle, content::kLabelUsage, view.upper));
    m_text2->setIncantation(true);
    m_text2->setText(content::ComposeSection(headingTitle, content::kLabelIncantation, view.lower));
}

void Fllhb::showOverview()
{
    m_frame1->setPictureShown(true);
    m_pictureWidthFactor = kOverviewFactor;
    m_textWidthReduction = m_boxes.frame1.width;
    LayoutViewer();
    m_savedPictureWidthFactor = m_pictureWidthFactor;
    const content::QimenView &overview = content::Catalogue::instance().yuNvFanBiOverview();
    if (!loadPicture(content::picturenumbers::kOverview))
        return;
    showSections(m_combo1->currentText(), overview);
    setAddress(content::PageAddress::overview());
}

void Fllhb::showDayChart(int day)
{
    m_frame1->setPictureShown(true);
    m_pictureWidthFactor = kDayChartFactor;
    LayoutViewer();
    m_savedPictureWidthFactor = m_pictureWidthFactor;
    // The charts leave the texts as they are.
    if (loadPicture(content::picturenumbers::kFirstDayChart + day, content::dayChartName(day)))
        setAddress(content::PageAddress::dayChart(day));
}

void Fllhb::showFigure(int figure)
{
    const content::QimenView &view = content::Catalogue::instance().figureViews().at(std::size_t(figure));
    m_frame1->setPictureShown(true);
    m_pictureWidthFactor = kFigureFactor;
    LayoutViewer();
    m_savedPictureWidthFactor = m_pictureWidthFactor;
    if (!loadPicture(view.pictureNumber, view.headingTitle))
        return;
    showSections(view.headingTitle, view);
    setAddress(content::PageAddress::figure(figure));
}

void Fllhb::togglePicture()
{
    // The picture stays loaded; hidden, it is drawn at zero width.
    if (!m_frame1->pictureShown()) {
        m_frame1->setPictureShown(true);
        m_pictureWidthFactor = m_savedPictureWidthFactor;
    } else {
        m_frame1->setPictureShown(false);
        m_pictureWidthFactor = 0;
    }
    LayoutViewer();
}

// The picture: shown from the shared cache when its file is unchanged, decoded at once otherwise;
// the pictures of the neighbouring entries and of the panel's views decoded in the background,
// each for the box it will be shown in.
bool Fllhb::loadPicture(int pictureNumber, const QString &view)
{
    viewer::ReadyPicture ready;
    QString failure;
    if (!viewer::PictureLoader::instance().load(pictureNumber, m_image1->scaledSize(), &ready, &failure)) {
        msgbox::show(failure);
        return false;
    }
    m_pictureNumber = pictureNumber;
    m_pictureStamp = ready.stamp;
    m_wantedPicture = {};
    m_image1->setPicture(ready.image, ready.image, ready.pictureSize);
    // Which talisman is shown, for a screen reader: the entry, the panel's view, the picture.
    QString description = m_label2->text();
    if (!view.isEmpty())
        description += QStringLiteral("，") + view;
    m_image1->setAccessibleDescription(description + QStringLiteral("，图 ") + content::pictureDigits(pictureNumber));
    prefetchNeighbours();
    return true;
}

QSize Fllhb::pictureBoxFor(double factor, double reduction) const
{
    viewer::ViewerBoxes boxes = m_boxes;
    viewer::LayoutInput input;
    input.clientWidth = twips::fromPixels(width());
    input.clientHeight = twips::fromPixels(height());
    input.pictureWidthFactor = factor;
    input.textWidthReduction = reduction;
    viewer::layoutBoxes(boxes, input, viewer::LayoutScope::Selection);
    // The picture box's inside: its border takes a pixel on each side.
    const QSize inner = twips::toPixels(boxes.image1).size() - QSize(2, 2);
    return inner.isEmpty() ? QSize() : inner * devicePixelRatioF();
}

void Fllhb::prefetchNeighbours(const QList<viewer::PictureKey> &first)
{
    const content::Chapter *chapter = this->chapter();
    if (!chapter)
        return;
    QList<viewer::PictureKey> keys = first;
    const auto add = [&](int picture, double factor, double reduction) {
        const QSize box = pictureBoxFor(factor, reduction);
        if (!box.isEmpty())
            keys.append({picture, box});
    };
    if (!m_frame1->isHidden())
        for (const PanelView &view : panelViews())
            add(view.picture, view.factor, m_boxes.frame1.width);

    // The next and previous two entries of the list, nearest first.
    const int current = m_combo1->currentIndex();
    for (int step : {1, -1, 2, -2}) {
        const int index = current + step;
        if (index < 0 || index >= m_combo1->count())
            continue;
        const QString name = m_combo1->itemText(index);
        if (chapter->hasPanel) {
            for (const PanelView &view : entryViews())
                if (view.entry == name)
                    add(view.picture, view.factor, view.reduction ? m_boxes.frame1.width : 0);
        } else if (const content::Page *page = content::Catalogue::pageOf(*chapter, name)) {
            add(page->pictureNumber, page->widePicture ? 2 : 1, 0);
        }
    }

    // Never more than half the cache, so that prefetching does not push out what was just seen.
    viewer::PictureLoader &loader = viewer::PictureLoader::instance();
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        bytes += qsizetype(keys[i].box.width()) * keys[i].box.height() * 4;
        if (bytes > loader.cache().byteLimit() / 2) {
            keys.resize(i);
            break;
        }
    }
    loader.prefetch(keys);
}

void Fllhb::refreshPictureForBox()
{
    // After a resize the picture is first stretched from the copy at hand; the copy for the new
    // box comes from the cache or the background, and only of the file as it was when shown.
    const QSize box = m_image1->scaledSize();
    if (m_pictureNumber < 0 || box.isEmpty() || box == m_image1->picture().size())
        return;
    viewer::PictureLoader &loader = viewer::PictureLoader::instance();
    m_wantedPicture = {m_pictureNumber, box};
    if (const viewer::ReadyPicture *ready = loader.cache().peek(m_wantedPicture);
        ready && ready->stamp == m_pictureStamp) {
        m_image1->setPicture(ready->image, ready->image, ready->pictureSize);
        m_wantedPicture = {};
        prefetchNeighbours();
        return;
    }
    // The neighbours too: their boxes have changed with this one.
    prefetchNeighbours({m_wantedPicture});
}

void Fllhb::pictureReady(const viewer::PictureKey &key)
{
    if (m_wantedPicture.picture < 0 || !(key == m_wantedPicture) || m_image1->scaledSize() != key.box)
        return;
    const viewer::ReadyPicture *ready = viewer::PictureLoader::instance().cache().peek(key);
    if (!ready || !(ready->stamp == m_pictureStamp))
        return; // the file has changed since it was shown: the next selection reads it again
    m_image1->setPicture(ready->image, ready->image, ready->pictureSize);
    m_wantedPicture = {};
}

QList<Fllhb::PanelView> Fllhb::panelViews()
{
    QList<PanelView> views{{QString(), content::picturenumbers::kOverview, kOverviewFactor, true}};
    for (const content::QimenView &figure : content::Catalogue::instance().figureViews())
        views.append({QString(), figure.pictureNumber, kFigureFactor, true});
    for (int day = 0; day < content::picturenumbers::kDayCharts; ++day)
        views.append({QString(), content::picturenumbers::kFirstDayChart + day, kDayChartFactor, true});
    return views;
}

QList<Fllhb::PanelView> Fllhb::entryViews()
{
    return {{content::kZhenRenBuDou, content::Catalogue::instance().zhenRenBuDou().pictureNumber, 1, false},
            {content::kYuNvFanBi, content::picturenumbers::kOverview, kOverviewFactor, true}};
}
