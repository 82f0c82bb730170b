#pragma once
// The viewer window of one chapter: the list of the chapter's entries in the title band, the
// picture on the left, two text panes on the right, and for 奇门遁甲 the button panel Frame1
// (QimenPanel). The viewer holds the page routines and the three layout values; the panel's
// buttons ask it for their views.

#include "content/PageAddress.h"
#include "viewer/PictureCache.h"
#include "viewer/ViewerLayout.h"

#include <QWidget>

class PageCommands;
class PictureBox;
class QComboBox;
class QLabel;
class QimenPanel;
class TextPane;

namespace content {
struct Chapter;
struct QimenView;
} // namespace content

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

    // The page shown: the entry, or the panel's view, whose picture and texts are on screen. A page
    // whose picture could not be read leaves the address of the page before it.
    const content::PageAddress &address() const { return m_address; }
    // Shows a page of this viewer's chapter as the reader reaches it: the entry selected in
    // Combo1, then the panel's button of the view. False when the chapter has no such page.
    bool showAddress(const content::PageAddress &address);
    // The chapter, as Label1 names it, and the entry, as Label2 names it.
    const content::Chapter *chapter() const;
    QString currentEntry() const;

    // The text size of the two panes, as a share of their own (1 for 100 %); the boxes stay.
    void setTextScale(double scale);
    // Pinyin over the incantations of the lower pane (注音).
    void setPinyinShown(bool shown);

    PictureBox *pictureBox() const { return m_image1; }
    TextPane *upperPane() const { return m_text3; }
    TextPane *lowerPane() const { return m_text2; }

    double pictureWidthFactor() const { return m_pictureWidthFactor; }
    double textWidthReduction() const { return m_textWidthReduction; }
    double savedPictureWidthFactor() const { return m_savedPictureWidthFactor; }
    const viewer::ViewerBoxes &boxes() const { return m_boxes; }

    // The number of the picture Image1 shows (its file is viewer::pictureFile of it), -1 while it
    // shows none.
    int pictureNumber() const { return m_pictureNumber; }
    // That picture's file; empty while it shows none.
    QString pictureFile() const;
    // The page's commands: picture viewer, copy, print and PDF.
    PageCommands *pageCommands() const { return m_pageCommands; }

    // The restored client size: what a cascaded viewer is given.
    QSize sizeHint() const override;

  signals:
    // A new page is shown: another entry, or another view of the panel.
    void addressChanged(const content::PageAddress &address);
    // Ctrl and the wheel over a pane ask for larger or smaller text.
    void textZoomRequested(bool larger);

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    void createControls();
    void setLabelText(QLabel *label, viewer::Box &box, const QString &text);
    void layOut(viewer::LayoutScope scope);
    void placeControls();
    bool loadPicture(int pictureNumber, const QString &view = QString());

    // A view that a panel button or a list entry of 奇门遁甲 shows: its picture, its width factor,
    // and whether the panes leave room for the panel.
    struct PanelView {
        QString entry;
        int picture;
        double factor;
        bool reduction;
    };
    static QList<PanelView> panelViews(); // the panel's buttons, top to bottom
    static QList<PanelView> entryViews(); // 真人步斗法 and 玉女反闭诀

    // The picture box's inside for a layout with this factor and reduction, in device pixels.
    QSize pictureBoxFor(double factor, double reduction) const;
    // Decodes in the background, for the boxes they will be shown in, the pictures of the next
    // and previous two entries and, while the panel is shown, of its views; after those in first.
    void prefetchNeighbours(const QList<viewer::PictureKey> &first = {});
    void refreshPictureForBox();
    void pictureReady(const viewer::PictureKey &key);
    void setAddress(const content::PageAddress &address);
    void showSections(const QString &headingTitle, const content::QimenView &view);

    // The panel's buttons. Each view works in the same order: caption of Command13, layout
    // values, layout, saved factor, picture, texts.
    void showOverview();         // Command7 "返  回"
    void showDayChart(int day);  // Command1 to Command6
    void showFigure(int figure); // Command8 to Command12
    void togglePicture();        // Command13

    QLabel *m_label1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QLabel *m_label2 = nullptr;
    PictureBox *m_image1 = nullptr;
    TextPane *m_text3 = nullptr;
    TextPane *m_text2 = nullptr;
    QimenPanel *m_frame1 = nullptr;

    int m_pictureNumber = -1;
    viewer::FileStamp m_pictureStamp;   // the shown picture's file when it was read
    viewer::PictureKey m_wantedPicture; // the shown picture for a new box size, while it is awaited
    PageCommands *m_pageCommands = nullptr;
    content::PageAddress m_address;
    bool m_settling = false; // showAddress is under way: one change is reported, at its end

    viewer::ViewerBoxes m_boxes;
    double m_pictureWidthFactor = 1;
    double m_textWidthReduction = 0;
    double m_savedPictureWidthFactor = 0;
};
