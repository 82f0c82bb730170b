#pragma once
// The commands a viewer offers for the page it shows: 查看原图 (the picture viewer, also by a double
// click on the picture), 复制图片, 打印… (Ctrl+P) and 导出PDF…. The picture's context menu holds all
// four; the two panes keep their own menu (copy, select all) and add the two print commands.

#include <QObject>
#include <QString>

class Fllhb;
class PictureViewer;
class QAction;
class QMenu;
class QTextEdit;
struct PrintedEntry;

class PageCommands : public QObject
{
    Q_OBJECT

  public:
    explicit PageCommands(Fllhb *viewer);

    // What the picture shown is called: the entry whose page it belongs to, or for 奇门遁甲 the
    // view the panel shows. Empty before any picture was shown.
    QString pictureTitle() const;

    // 查看原图: reads the picture's file again at full resolution and shows it in a child window
    // of its own, or brings forward the one already showing it. Null when the file cannot be
    // read any more (the message has been shown).
    PictureViewer *showOriginalPicture();
    void copyPicture();
    void printPage();
    void exportPdf();

    // The page as it goes onto paper; false (with its message shown) when the picture's file can no
    // longer be read.
    bool printedEntry(PrintedEntry *page) const;

    QAction *printAction() const { return m_print; }
    QAction *exportPdfAction() const { return m_exportPdf; }

    // The context menus of the picture and of a pane; the caller owns the menu.
    QMenu *pictureMenu();
    QMenu *paneMenu(QTextEdit *pane, const QPoint &position);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    Fllhb *m_viewer;
    QAction *m_showOriginal;
    QAction *m_copyPicture;
    QAction *m_print;
    QAction *m_exportPdf;
};
