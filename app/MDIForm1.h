#pragma once
// The program's only top-level window: a multiple-document frame with the menu bar, the catalogue
// page as its backdrop, and the timer that removes the temporary article page.

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class ReaderTools;

class MDIForm1 : public QMainWindow
{
    Q_OBJECT

  public:
    explicit MDIForm1(QWidget *parent = nullptr);
    ~MDIForm1() override;

    QMdiArea *area() const { return m_area; }
    QMdiSubWindow *catalogueWindow() const { return m_catalogue; }
    ReaderTools *readerTools() const { return m_reader; }

    // Menu commands, callable from tests and the scripted session.
    void cascade();
    void tileHorizontally();
    void tileVertically();
    void arrangeIcons();
    void showAbout();
    // Timer1: deletes the temporary article page if it exists, AppPath + "\tem.htm" or, where the
    // installation folder could not take it, the one in the user's private folder.
    void timerTick();

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // The catalogue is the backdrop: it never becomes the active child while another one is
    // open, is never maximised and always stays behind the others.
    void keepCatalogueBehind(QMdiSubWindow *activated);
    QMdiSubWindow *lastUsedWindow() const;
    // Ctrl+Tab and Ctrl+Shift+Tab walk the open viewers and article pages, most recently used
    // first; the catalogue is not among them.
    bool walkWindows(QObject *watched, QEvent *event);
    // F10 takes the menu bar into keyboard navigation, as a lone Alt does; Ctrl+F4 closes the
    // active child window.
    bool menuKey(QObject *watched, QEvent *event);
    // The mouse's back and forward buttons anywhere in the frame go back and forward.
    bool historyButton(QObject *watched, QEvent *event);
    void restoreStacking(const QList<QMdiSubWindow *> &bottomToTop, QMdiSubWindow *active);
    void loadCatalogue();
    void createMenus();
    void fillWindowMenu();
    void fitCatalogue();
    void sendCatalogueBack();
    QList<QMdiSubWindow *> arrangeableWindows() const;
    // Puts the catalogue at the back, then the shown, not minimised windows (in stacking order)
    // into the boxes the arithmetic gives them, keeping their order and the active window.
    void arrange(const std::function<QList<QRect>(const QList<QMdiSubWindow *> &)> &boxesFor);

    QMdiArea *m_area = nullptr;
    QMdiSubWindow *m_catalogue = nullptr;
    QMenu *m_windowMenu = nullptr;
    ReaderTools *m_reader = nullptr;
    QTimer *m_timer1 = nullptr;
    QList<QPointer<QMdiSubWindow>> m_walk; // the windows of a Ctrl+Tab walk while Ctrl is held
    int m_walkIndex = 0;
};
