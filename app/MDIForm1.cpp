#include "app/MDIForm1.h"

#include "about/FrmAbout1.h"
#include "app/ChapterOpener.h"
#include "app/ReaderTools.h"
#include "app/SearchCommand.h"
#include "articles/ArticlePage.h"
#include "articles/PageFile.h"
#include "catalogue/Fmulu.h"
#include "common/ChildWindows.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/Pictures.h"
#include "common/TextFormWidgets.h"
#include "common/Twips.h"
#include "common/WindowArrangement.h"
#include "content/TableOfContents.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <functional>

namespace {

// The menu bar's look stays the desktop's; only a lone Alt takes it into keyboard navigation, as
// on Windows: arrow keys move along it and open the menus, Enter runs a command, Esc leaves.
class MenuBarStyle : public QProxyStyle
{
  public:
    MenuBarStyle()
        : QProxyStyle(new textform::Style(QStyleFactory::create(textform::baseStyleName())))
    {
    }
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

MDIForm1::MDIForm1(QWidget *parent)
    : QMainWindow(parent)
{
    // The catalogue's background is the largest picture of the first paint: its reading starts
    // now, beside the font set-up that the menus and titles wait for; so does the window icon's.
    Fmulu::preloadBackground();
    pictures::preloadAppIcon();
    // Every text is drawn through the style that shows it in the characters the reader chose.
    textform::installStyle();
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(Module1::appTitle());
    Module1::registerLoadedWindow(this);

    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setBackground(palette().brush(QPalette::Dark));
    m_area->viewport()->installEventFilter(this);
    // Closing the active child brings back the one used before it.
    m_area->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_reader = new ReaderTools(this, m_area);
    connect(m_area, &QMdiArea::subWindowActivated, this, &MDIForm1::keepCatalogueBehind);
    // Installed after the area's own filter, so Ctrl+Tab reaches the window walk first.
    qApp->installEventFilter(this);
    setCentralWidget(m_area);
    Module1::setMdiArea(m_area);

    createMenus();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(18000);
    connect(m_timer1, &QTimer::timeout, this, &MDIForm1::timerTick);
    m_timer1->start();

    // The restored size; the frame opens maximised.
    resize(twips::toPixels(8085), twips::toPixels(5430) + menuBar()->sizeHint().height());
    setWindowState(Qt::WindowMaximized);

    loadCatalogue();
    // By now the other thread has read the icon.
    setWindowIcon(pictures::appIcon());
}

MDIForm1::~MDIForm1()
{
    // The child windows close after this destructor has run, and the area reports each activation
    // change on the way: the frame and its reader tools no longer hear them.
    disconnect(m_area, nullptr, this, nullptr);
    disconnect(m_area, nullptr, m_reader, nullptr);
    if (Module1::mdiArea() == m_area)
        Module1::setMdiArea(nullptr);
}

void MDIForm1::loadCatalogue()
{
    try {
        auto *page = new Fmulu(&OpenChapterWindow, &OpenArticlePage);
        m_catalogue = Module1::addChildWindow(page);
        if (m_catalogue) {
            // The catalogue is the frame's backdrop: no frame, no close box, always as large as the
            // client area.
            m_catalogue->setWindowFlags(Qt::FramelessWindowHint);
            m_catalogue->setAttribute(Qt::WA_DeleteOnClose, false);
            m_catalogue->setWindowTitle(page->windowTitle());
            m_catalogue->move(0, 0);
            m_catalogue->installEventFilter(this); // raised by a click, it goes back behind at once
            fitCatalogue();
            m_catalogue->show();
        }
    } catch (const std::exception &error) {
        msgbox::show(QStringLiteral("Error:0 ") + QString::fromLocal8Bit(error.what()));
    }
}

void MDIForm1::createMenus()
{
    QMenuBar *bar = menuBar();
    auto *barStyle = new MenuBarStyle;
    barStyle->setParent(bar);
    bar->setStyle(barStyle);
    auto command = [this](QMenu *menu, const QString &name, const QString &caption, auto handler) {
        QAction *action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [](QMenu *menu, const QString &name) { menu->addSeparator()->setObjectName(name); };
    auto chapter = [](const QString &shortTitle) { return [shortTitle] { OpenChapterWindow(shortTitle); }; };

    // The articles, then the 灵箓汇编 menu, as the table of contents lists them.
    const content::TableOfContents &contents = content::TableOfContents::instance();
    for (const content::Article &article : contents.articles()) {
        const QString name = article.name;
        const int shift = article.shift;
        command(nullptr, name, name, [name, shift] { OpenArticlePage(name, shift); });
    }

    QMenu *book = bar->addMenu(QStringLiteral("灵箓汇编"));
    book->setObjectName(QStringLiteral("灵箓汇编"));
    for (const content::BookMenuItem &item : contents.bookMenu()) {
        if (item.chapter)
            command(book, item.chapter->menuItem, item.chapter->menuItem, chapter(item.chapter->shortTitle));
        else
            separator(book, item.separatorName);
    }

    m_reader->addMenu(bar);
    m_windowMenu = bar->addMenu(QStringLiteral("窗口"));
    m_windowMenu->setObjectName(QStringLiteral("窗口"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MDIForm1::fillWindowMenu);
    fillWindowMenu();

    // 查找 works from anywhere in the frame with Ctrl+F.
    command(nullptr, QStringLiteral("查找"), QStringLiteral("查找(&F)"), [this] {
        showSearchPanel(this, m_reader);
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    command(nullptr, QStringLiteral("关于"), QStringLiteral("关于(&I)"), &MDIForm1::showAbout);
    command(nullptr, QStringLiteral("退出"), QStringLiteral("退出"), &MDIForm1::close);
}

void MDIForm1::fillWindowMenu()
{
    // The four arrangement commands, then the list of open child windows, rebuilt on every opening.
    m_windowMenu->clear();
    auto arrange = [this](const QString &name, const QString &caption, void (MDIForm1::*handler)()) {
        QAction *action = m_windowMenu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
    };
    arrange(QStringLiteral("层叠"), QStringLiteral("层叠(&C)"), &MDIForm1::cascade);
    arrange(QStringLiteral("横向平铺"), QStringLiteral("横向平铺(&H)"), &MDIForm1::tileHorizontally);
    arrange(QStringLiteral("纵向平铺"), QStringLiteral("纵向平铺(&V)"), &MDIForm1::tileVertically);
    arrange(QStringLiteral("排列图标"), QStringLiteral("排列图标(&B)"), &MDIForm1::arrangeIcons);

    const QList<QMdiSubWindow *> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    int number = 0;
    for (QMdiSubWindow *window : windows) {
        ++number;
        QAction *action = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == m_area->activeSubWindow());
        // The catalogue is listed, but it is the backdrop: it never comes in front of the others.
        action->setEnabled(window != m_catalogue);
        connect(action, &QAction::triggered, this, [this, window] { m_area->setActiveSubWindow(window); });
    }
}

void MDIForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitCatalogue();
}

bool MDIForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize)
        fitCatalogue();
    if (watched == m_catalogue && event->type() == QEvent::ZOrderChange &&
        m_area->subWindowList(QMdiArea::StackingOrder).value(0) != m_catalogue)
        m_catalogue->lower();
    if (walkWindows(watched, event) || menuKey(watched, event) || historyButton(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool MDIForm1::menuKey(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    if (key->key() == Qt::Key_F4 && key->modifiers() == Qt::ControlModifier) {
        // Ctrl+F4 closes the active child window; the catalogue has no close box and stays.
        QMdiSubWindow *active = m_area->activeSubWindow();
        if (active && active != m_catalogue)
            active->close();
        return true;
    }
    if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::NoModifier)
        return false;
    // F10 does what a lone Alt does: the menu bar's own keyboard navigation starts (or ends). The
    // menu bar watches for exactly this sequence.
    QKeyEvent altOverride(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(widget, &altOverride);
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(widget, &altDown);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &altUp);
    return true;
}

bool MDIForm1::historyButton(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    const auto button = static_cast<QMouseEvent *>(event)->button();
    if (!widget || widget->window() != this || (button != Qt::BackButton && button != Qt::ForwardButton))
        return false;
    if (button == Qt::BackButton)
        m_reader->goBack();
    else
        m_reader->goForward();
    return true;
}

QMdiSubWindow *MDIForm1::lastUsedWindow() const
{
    return childwindows::usedBefore(m_area, m_catalogue).value(0);
}

void MDIForm1::keepCatalogueBehind(QMdiSubWindow *activated)
{
    if (!m_catalogue)
        return;
    // Closing a window, a click on the backdrop or the focus moving onto it would make the
    // catalogue the active child, raised and maximised over the open viewers: the window used
    // last before it takes its place. With nothing else open the catalogue stays active.
    if (activated == m_catalogue) {
        if (QMdiSubWindow *other = lastUsedWindow())
            m_area->setActiveSubWindow(other);
    }
    if (m_catalogue->isMaximized()) {
        m_catalogue->showNormal();
        fitCatalogue();
    }
    m_catalogue->lower();
}

bool MDIForm1::walkWindows(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Control && event->type() == QEvent::KeyRelease) {
        m_walk.clear(); // the walk ends with the Ctrl key
        return false;
    }
    if (event->type() != QEvent::KeyPress || !(key->modifiers() & Qt::ControlModifier) ||
        (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab))
        return false;

    m_walk.removeAll(nullptr); // closed meanwhile
    if (m_walk.isEmpty() || !m_walk.contains(m_area->activeSubWindow())) {
        m_walk.clear();
        for (QMdiSubWindow *window : childwindows::usedBefore(m_area, m_catalogue))
            m_walk.append(window);
        m_walkIndex = 0;
    }
    m_walkIndex = std::max(0, int(m_walk.indexOf(m_area->activeSubWindow())));
    if (m_walk.size() > 1) {
        const int step = key->key() == Qt::Key_Backtab ? -1 : 1;
        m_walkIndex = (m_walkIndex + step + int(m_walk.size())) % int(m_walk.size());
        m_area->setActiveSubWindow(m_walk.at(m_walkIndex));
    }
    return true;
}

void MDIForm1::fitCatalogue()
{
    // Only the size follows the client area; the position stays where it is.
    if (m_catalogue && m_area)
        m_catalogue->resize(m_area->viewport()->size());
}

void MDIForm1::timerTick()
{
    // In use or protected: the next tick tries again. A link of that name is removed, never followed.
    pagefile::removePages();
}

void MDIForm1::sendCatalogueBack()
{
    if (m_catalogue)
        m_catalogue->lower();
}

QList<QMdiSubWindow *> MDIForm1::arrangeableWindows() const
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::StackingOrder))
        if (window != m_catalogue && window->isVisible() && !window->isMinimized())
            windows.append(window);
    return windows;
}

void MDIForm1::restoreStacking(const QList<QMdiSubWindow *> &bottomToTop, QMdiSubWindow *active)
{
    // Restoring a maximised window raises it; the arrangement keeps the order the windows had,
    // with the active window in front and still active.
    for (QMdiSubWindow *window : bottomToTop)
        window->raise();
    if (active && active != m_catalogue) {
        active->raise();
        if (m_area->activeSubWindow() != active)
            m_area->setActiveSubWindow(active);
    }
    sendCatalogueBack();
}

void MDIForm1::cascade()
{
    // The catalogue stays the backdrop, left out of the cascade. The windows keep their stacking
    // order: the front one ends at the bottom right of the cascade, each one title bar further.
    arrange([this](const QList<QMdiSubWindow *> &windows) {
        QList<QSize> preferred;
        for (QMdiSubWindow *window : windows) {
            if (window->isMaximized() || window->isShaded())
                window->showNormal();
            preferred.append(window->sizeHint());
        }
        const int step = m_area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first());
        return arrangement::cascade(m_area->viewport()->size(), preferred, step);
    });
}

void MDIForm1::tileHorizontally()
{
    arrange([this](const QList<QMdiSubWindow *> &windows) {
        return arrangement::tileHorizontally(m_area->viewport()->size(), int(windows.size()));
    });
}

void MDIForm1::tileVertically()
{
    arrange([this](const QList<QMdiSubWindow *> &windows) {
        return arrangement::tileVertically(m_area->viewport()->size(), int(windows.size()));
    });
}

void MDIForm1::arrange(const std::function<QList<QRect>(const QList<QMdiSubWindow *> &)> &boxesFor)
{
    sendCatalogueBack();
    QMdiSubWindow *active = m_area->activeSubWindow();
    const QList<QMdiSubWindow *> windows = arrangeableWindows();
    if (windows.isEmpty())
        return;
    const QList<QRect> boxes = boxesFor(windows);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(boxes.at(i));
    }
    restoreStacking(windows, active);
}

void MDIForm1::arrangeIcons()
{
    sendCatalogueBack();
    // Minimised child windows line up along the bottom edge, left to right, in creation order.
    QList<QMdiSubWindow *> icons;
    QList<QSize> sizes;
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (window != m_catalogue && window->isMinimized()) {
            icons.append(window);
            sizes.append(window->size());
        }
    }
    const QList<QPoint> places = arrangement::arrangeIcons(m_area->viewport()->size(), sizes);
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(places.at(i));
}

void MDIForm1::showAbout()
{
    FrmAbout1 about(this);
    about.exec();
}

void MDIForm1::closeEvent(QCloseEvent *event)
{
    // Closing the frame ends the program with every child window.
    event->accept();
    QTimer::singleShot(0, qApp, &QApplication::quit);
}
