#include "viewer/QimenPanel.h"

#include "common/Fonts.h"
#include "common/Twips.h"
#include "content/Catalogue.h"
#include "content/PictureNumbers.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString kHidePicture = QStringLiteral("隐藏图形");
const QString kShowPicture = QStringLiteral("显示图形");

// A button of the panel. A screen reader hears its caption without the spacing ("返回" for "返  回")
// and a description of what it shows.
QPushButton *addButton(QWidget *frame, const QString &name, const QString &caption, double top, double width = 855,
                       double pointSize = 10.5, const QString &description = QString())
{
    auto *button = new QPushButton(caption, frame);
    button->setObjectName(name);
    if (caption.contains(QLatin1Char(' ')))
        button->setAccessibleName(QString(caption).remove(QLatin1Char(' ')));
    button->setAccessibleDescription(description);
    button->setFont(fonts::songTi(pointSize));
    button->setGeometry(twips::toPixels({0, float(top), float(width), 435}));
    return button;
}

} // namespace

QimenPanel::QimenPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    setAccessibleName(QStringLiteral("奇门遁甲按钮栏"));
    setAccessibleDescription(QStringLiteral("玉女反闭诀的总览、每日布局速成图和五幅图"));

    // Boxes relative to the frame, in twips, as the panel is drawn from top to bottom.
    QPushButton *command7 = addButton(this, QStringLiteral("Command7"), QStringLiteral("返  回"), 0, 855, 10.5,
                                      QStringLiteral("回到玉女反闭诀的总览"));
    m_command13 =
        addButton(this, QStringLiteral("Command13"), kHidePicture, 480, 868, 9, QStringLiteral("隐藏或显示左边的图"));

    auto *label3 = new QLabel(QStringLiteral("每日布局速成图"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setTextFormat(Qt::PlainText);
    label3->setAlignment(Qt::AlignCenter);
    label3->setWordWrap(true);
    label3->setFont(fonts::songTi(10.5));
    label3->setAutoFillBackground(true);
    QPalette colours = label3->palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 192));
    colours.setColor(QPalette::Window, QColor(0, 255, 0));
    label3->setPalette(colours);
    label3->setGeometry(twips::toPixels({0, 960, 915, 435}));

    // The day charts, pictures 079 to 084 in the buttons' order.
    for (int day = 0; day < content::picturenumbers::kDayCharts; ++day) {
        const QString caption = content::dayChartName(day);
        QPushButton *button = addButton(this, QStringLiteral("Command%1").arg(day + 1), caption, 1440 + 480 * day, 855,
                                        10.5, caption + QStringLiteral("的布局图"));
        connect(button, &QPushButton::clicked, this, [this, day] { emit dayChartClicked(day); });
    }

    // The figure buttons in the order of the catalogue's figure views: 乙奇, 丙奇, 丁奇, 禹罡, 四纵五横.
    const QString figureCaptions[] = {QStringLiteral("乙  奇"), QStringLiteral("丙  奇"), QStringLiteral("丁  奇"),
                                      QStringLiteral("禹  罡"), QStringLiteral("四纵五横")};
    for (int figure = 0; figure < 5; ++figure) {
        const bool narrowFont = figure == 4;
        QPushButton *button =
            addButton(this, QStringLiteral("Command%1").arg(8 + figure), figureCaptions[figure], 4440 + 480 * figure,
                      narrowFont ? 868 : 855, narrowFont ? 9 : 10.5,
                      QString(figureCaptions[figure]).remove(QLatin1Char(' ')) + QStringLiteral("图"));
        connect(button, &QPushButton::clicked, this, [this, figure] { emit figureClicked(figure); });
    }

    connect(command7, &QPushButton::clicked, this, &QimenPanel::overviewClicked);
    connect(m_command13, &QPushButton::clicked, this, &QimenPanel::togglePictureClicked);
}

void QimenPanel::setPictureShown(bool shown)
{
    m_command13->setText(shown ? kHidePicture : kShowPicture);
}

bool QimenPanel::pictureShown() const
{
    return m_command13->text() == kHidePicture;
}

bool QimenPanel::pictureHidden() const
{
    return m_command13->text() == kShowPicture;
}
