#pragma once
// The 阅读 menu and what it commands: the contents panel at the left of the frame, 后退 and 前进
// through the pages shown in this run, the favourites and the recent pages kept for the reader,
// the text size of every pane and article page, and 繁體字: every text of the program in
// traditional characters (臺灣 or 香港). Every page shown (a list selection, a panel
// button, an article, a search hit, a contents row) is recorded; pages are opened again by their
// address through openPage.

#include "common/TextForm.h"
#include "content/PageAddress.h"
#include "reader/History.h"
#include "reader/ReaderSettings.h"

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

class QAction;
class QDockWidget;
class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QWidget;

namespace reader {
class ContentsPanel;
}
namespace search {
struct Jump;
}

class ReaderTools : public QObject
{
    Q_OBJECT

  public:
    // Starts reading the reader's settings file on another thread; once the frame's first events
    // have run, shows the contents panel if the reader left it open.
    ReaderTools(QMainWindow *frame, QMdiArea *area,
                const QString &settingsFile = reader::ReaderSettings::defaultFileName());
    ~ReaderTools() override;

    // 阅读(&R) with its commands, added to the menu bar where it stands now.
    QMenu *addMenu(QMenuBar *bar);

    // Opens a page and records it: the contents rows, the favourites, the recent pages.
    void open(const content::PageAddress &page);
    // Opens a hit of the search and records its page.
    void openSearchHit(const search::Jump &jump);

    void goBack();
    void goForward();
    void toggleFavourite();
    void showContents(bool shown);
    void setTextPercent(int percent);
    // Pinyin over the incantations of every viewer (注音), kept for the next run.
    void showPinyin(bool shown);
    // 繁體字 on or off, and its form; the conversion is loaded on another thread the first time.
    void setTraditional(bool traditional);
    void setCharacterForm(const QString &form);

    const reader::History &history() const { return m_history; }
    // The settings as read (waiting for the reading, the first time).
    const reader::ReaderSettings &settings() const { return const_cast<ReaderTools *>(this)->kept(); }
    // The page of the window in front, if it shows one.
    std::optional<content::PageAddress> pageInFront() const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void windowActivated(QMdiSubWindow *sub);
    void watch(QWidget *window);
    void addressChanged(QWidget *window, const content::PageAddress &page);
    void pageShown(const content::PageAddress &page);
    void openWithoutRecording(const content::PageAddress &page);
    void updateCommands();
    void applyTextSize(QWidget *window) const;
    void applyPinyin(QWidget *window) const;
    void scheduleSave();
    void applyCharacterForm();
    QDockWidget *contentsDock();

    QMainWindow *m_frame;
    QMdiArea *m_area;
    reader::History m_history;
    reader::ReaderSettings &kept();
    void settingsRead();

    // The settings file is read on another thread while the frame is built and painted first.
    QFuture<reader::ReaderSettings> m_reading;
    std::optional<reader::ReaderSettings> m_settings;
    QTimer m_saveTimer;
    QDockWidget *m_dock = nullptr;
    reader::ContentsPanel *m_panel = nullptr;
    QAction *m_contents = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_favourite = nullptr;
    QAction *m_zoomIn = nullptr;
    QAction *m_zoomOut = nullptr;
    QAction *m_zoomReset = nullptr;
    QAction *m_pinyin = nullptr;
    QAction *m_traditional = nullptr;
    QAction *m_taiwan = nullptr;
    QAction *m_hongKong = nullptr;
    // The latest form asked for: a conversion loaded for an older one is dropped.
    int m_formRequest = 0;
    std::optional<textform::Form> m_loadingForm; // the form whose conversion is loading
    bool m_navigating = false;                   // a page is being opened from here: it is recorded once, at the end
    QList<QPointer<QWidget>> m_watched;
};
