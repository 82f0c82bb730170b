#pragma once
// The 奇门遁甲 chapter's button panel Frame1: 返  回 (the overview of 玉女反闭诀), the hide/show toggle
// of the picture, the label 每日布局速成图, six day charts and five figure pages. The panel only
// offers the buttons; the viewer it stands in carries out what they ask for. The caption of
// Command13 is the panel's state: it says whether the picture is shown.

#include <QWidget>

class QPushButton;

class QimenPanel : public QWidget
{
    Q_OBJECT

  public:
    explicit QimenPanel(QWidget *parent = nullptr);

    // Command13 reads "隐藏图形" while the picture is shown and "显示图形" while it is hidden.
    void setPictureShown(bool shown);
    bool pictureShown() const;
    bool pictureHidden() const;

  signals:
    void overviewClicked();         // Command7
    void togglePictureClicked();    // Command13
    void dayChartClicked(int day);  // Command1 to Command6: 0 for 子丑日 … 5 for 戌亥日
    void figureClicked(int figure); // Command8 to Command12: 乙奇, 丙奇, 丁奇, 禹罡, 四纵五横

  private:
    QPushButton *m_command13 = nullptr;
};
