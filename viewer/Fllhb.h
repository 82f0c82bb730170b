#pragma once
// The viewer window of one chapter: the list of the chapter's entries in the title band, the
// picture on the left, two text panes on the right, and for 奇门遁甲 the button panel Frame1
// (QimenPanel). The viewer holds the page routines and the three layout values; the panel's
// buttons ask it for their views.

#include "viewer/ViewerLayout.h"

#include <QWidget>

class PictureBox;
class QComboBox;
class QLabel;
class QimenPanel;
class TextPane;

namespace content {
struct Chapter;
struct QimenView;
}

class Fllhb : public QWidget
{
    Q_OBJECT

public:
    // Creates the controls, then runs LoadChapter for the chapter named by CurrentChapter.
    explicit Fllhb(QWidget *parent = nullptr);

    // The window's load step: category caption, the list, and the first entry's page.
    void LoadChapter();
    // Runs whenever an item of Combo1 is selected: title, layout reset, panel hidden, the page.
    void SelectEntry();
    // The proportional layout of all controls from the client size and the three layout values.
    void LayoutViewer();

    // The page routines: chapters 2 to 10, and 奇门遁甲.
    void ShowEntryPage(const content::Chapter &chapter);
    void ShowQimenPage();

    // Selects a list item as the user does with the mouse or the keyboard.
    void chooseEntry(int index);

    double pictureWidthFactor() const { return m_pictureWidthFactor; }
    double textWidthReduction() const { return m_textWidthReduction; }
    double savedPictureWidthFactor() const { return m_savedPictureWidthFactor; }
    const viewer::ViewerBoxes &boxes() const { return m_boxes; }

    // The restored client size: what a cascaded viewer is given.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void setLabelText(QLabel *label, viewer::Box &box, const QString &text);
    void layOut(viewer::LayoutScope scope);
    void placeControls();
    bool loadPicture(int pictureNumber);
    void showSections(const QString &headingTitle, const content::QimenView &view);

    // The panel's buttons. Each view works in the same order: caption of Command13, layout
    // values, layout, saved factor, picture, texts.
    void showOverview();                       // Command7 "返  回"
    void showDayChart(int day);                // Command1 to Command6
    void showFigure(int figure);               // Command8 to Command12
    void togglePicture();                      // Command13

    QLabel *m_label1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QLabel *m_label2 = nullptr;
    PictureBox *m_image1 = nullptr;
    TextPane *m_text3 = nullptr;
    TextPane *m_text2 = nullptr;
    QimenPanel *m_frame1 = nullptr;

    viewer::ViewerBoxes m_boxes;
    double m_pictureWidthFactor = 1;
    double m_textWidthReduction = 0;
    double m_savedPictureWidthFactor = 0;
};
