// The 奇门遁甲 chapter: its page routine and the button panel Frame1 with the overview of
// 玉女反闭诀, six day charts, five figure pages and the hide/show toggle of the picture.
//
// Every view button works in the same order: caption of Command13, layout values, layout, saved
// factor, picture, texts. A picture that cannot be loaded stops the button there with its message,
// so the new caption and layout stay while the previous picture and texts remain.
#include "viewer/Fllhb.h"

#include "app/Fonts.h"
#include "content/Catalogue.h"
#include "viewer/TextPane.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kHidePicture = QStringLiteral("隐藏图形");
const QString kShowPicture = QStringLiteral("显示图形");

// The pictures and factors of the views.
constexpr int kOverviewPicture = 77;
constexpr int kFirstDayChartPicture = 79;
constexpr double kOverviewFactor = 1.75;
constexpr double kDayChartFactor = 2.5;
constexpr double kFigureFactor = 1;

QPushButton *addButton(QWidget *frame, const QString &name, const QString &caption, double top,
                       double width = 855, double pointSize = 10.5)
{
    auto *button = new QPushButton(caption, frame);
    button->setObjectName(name);
    button->setFont(Fonts::songTi(pointSize));
    button->setGeometry(viewer::toPixels({0, float(top), float(width), 435}));
    return button;
}

} // namespace

void Fllhb::createPanel()
{
    m_frame1 = new QWidget(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_boxes.frame1 = {10935, 720, 855, 7095};

    // Boxes relative to the frame, in twips, as the panel is drawn from top to bottom.
    addButton(m_frame1, QStringLiteral("Command7"), QStringLiteral("返  回"), 0);
    m_command13 = addButton(m_frame1, QStringLiteral("Command13"), kHidePicture, 480, 868, 9);

    auto *label3 = new QLabel(QStringLiteral("每日布局速成图"), m_frame1);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setTextFormat(Qt::PlainText);
    label3->setAlignment(Qt::AlignCenter);
    label3->setWordWrap(true);
    label3->setFont(Fonts::songTi(10.5));
    label3->setAutoFillBackground(true);
    QPalette colours = label3->palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 192));
    colours.setColor(QPalette::Window, QColor(0, 255, 0));
    label3->setPalette(colours);
    label3->setGeometry(viewer::toPixels({0, 960, 915, 435}));

    const QString dayCaptions[] = {QStringLiteral("子丑日"), QStringLiteral("寅卯日"), QStringLiteral("辰巳日"),
                                   QStringLiteral("午未日"), QStringLiteral("申酉日"), QStringLiteral("戌亥日")};
    for (int day = 0; day < 6; ++day) {
        QPushButton *button = addButton(m_frame1, QStringLiteral("Command%1").arg(day + 1), dayCaptions[day],
                                        1440 + 480 * day);
        const int picture = kFirstDayChartPicture + day;
        connect(button, &QPushButton::clicked, this, [this, picture] { showDayChart(picture); });
    }

    // The figure buttons in the order of the catalogue's figure views: 乙奇, 丙奇, 丁奇, 禹罡, 四纵五横.
    const QString figureCaptions[] = {QStringLiteral("乙  奇"), QStringLiteral("丙  奇"), QStringLiteral("丁  奇"),
                                      QStringLiteral("禹  罡"), QStringLiteral("四纵五横")};
    for (int figure = 0; figure < 5; ++figure) {
        const bool narrowFont = figure == 4;
        QPushButton *button = addButton(m_frame1, QStringLiteral("Command%1").arg(8 + figure), figureCaptions[figure],
                                        4440 + 480 * figure, narrowFont ? 868 : 855, narrowFont ? 9 : 10.5);
        connect(button, &QPushButton::clicked, this,
                [this, figure] { showFigure(content::Catalogue::instance().figureViews().at(std::size_t(figure))); });
    }

    connect(m_frame1->findChild<QPushButton *>(QStringLiteral("Command7")), &QPushButton::clicked, this,
            &Fllhb::showOverview);
    connect(m_command13, &QPushButton::clicked, this, &Fllhb::togglePicture);

    m_frame1->hide();
}

void Fllhb::ShowQimenPage()
{
    const content::Catalogue &book = content::Catalogue::instance();
    if (m_label2->text() == QStringLiteral("真人步斗法")) {
        // SelectEntry has just laid the window out with the normal width; the layout stays.
        const content::QimenView &page = book.zhenRenBuDou();
        if (!loadPicture(page.pictureNumber))
            return;
        showSections(m_combo1->currentText(), page);
    }
    if (m_label2->text() == QStringLiteral("玉女反闭诀")) {
        m_frame1->show();
        showOverview();
    }
}

void Fllhb::showSections(const QString &headingTitle, const content::QimenView &view)
{
    m_text3->setText(content::ComposeSection(headingTitle, content::kLabelUsage, view.upper));
    m_text2->setText(content::ComposeSection(headingTitle, content::kLabelIncantation, view.lower));
}

void Fllhb::showOverview()
{
    m_command13->setText(kHidePicture);
    m_pictureWidthFactor = kOverviewFactor;
    m_textWidthReduction = m_boxes.frame1.width;
    LayoutViewer();
    m_savedPictureWidthFactor = m_pictureWidthFactor;
    const content::QimenView &overview = content::Catalogue::instance().yuNvFanBiOverview();
    if (!loadPicture(kOverviewPicture))
        return;
    showSections(m_combo1->currentText(), overview);
}

void Fllhb::showDayChart(int pictureNumber)
{
    m_command13->setText(kHidePicture);
    m_pictureWidthFactor = kDayChartFactor;
    LayoutViewer();
    m_savedPictureWidthFactor = m_pictureWidthFactor;
    loadPicture(pictureNumber); // the charts leave the texts as they are
}

void Fllhb::showFigure(const content::QimenView &view)
{
    m_command13->setText(kHidePicture);
    m_pictureWidthFactor = kFigureFactor;
    LayoutViewer();
    m_savedPictureWidthFactor = m_pictureWidthFactor;
    if (!loadPicture(view.pictureNumber))
        return;
    showSections(view.headingTitle, view);
}

void Fllhb::togglePicture()
{
    // The picture stays loaded; hidden, it is drawn at zero width.
    if (m_command13->text() != kHidePicture) {
        m_command13->setText(kHidePicture);
        m_pictureWidthFactor = m_savedPictureWidthFactor;
    } else {
        m_command13->setText(kShowPicture);
        m_pictureWidthFactor = 0;
    }
    LayoutViewer();
}
