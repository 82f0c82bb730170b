#include "app/ReaderTools.h"

#include "app/PageOpener.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "common/ChildWindows.h"
#include "common/TextForm.h"
#include "common/TextFormWidgets.h"
#include "content/TableOfContents.h"
#include "reader/ContentsPanel.h"
#include "reader/TextSize.h"
#include "search/SearchIndex.h"
#include "viewer/Fllhb.h"
#include "viewer/PictureViewer.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// The section headings of an article as its page shows them; none when its file cannot be read.
QStringList articleHeadings(const QString &name)
{
    const content::Article *article = content::TableOfContents::instance().articleByName(name);
    QString error;
    const std::optional<QString> page = article ? readArticlePage(name, article->shift, &error) : std::nullopt;
    if (!page)
        return {};
    QTextDocument document;
    document.setHtml(*page);
    return Fwangye::sectionHeadings(&document);
}

std::optional<content::PageAddress> pageOf(QWidget *window)
{
    content::PageAddress page;
    if (auto *viewer = qobject_cast<Fllhb *>(window))
        page = viewer->address();
    else if (auto *article = qobject_cast<Fwangye *>(window))
        page = article->address();
    if (!page.isValid())
        return std::nullopt;
    return page;
}

QAction *command(QMenu *menu, const QString &name, const QString &caption, const QList<QKeySequence> &keys = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcuts(keys);
    return action;
}

} // namespace

ReaderTools::ReaderTools(QMainWindow *frame, QMdiArea *area, const QString &settingsFile)
    : QObject(frame)
    , m_frame(frame)
    , m_area(area)
    , m_reading(QtConcurrent::run([settingsFile] { return reader::ReaderSettings(settingsFile); }))
{
    setObjectName(QStringLiteral("ReaderTools"));
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(1000);
    connect(&m_saveTimer, &QTimer::timeout, this, [this] { kept().save(); });
    connect(m_area, &QMdiArea::subWindowActivated, this, &ReaderTools::windowActivated);
}

ReaderTools::~ReaderTools()
{
    if (m_saveTimer.isActive())
        kept().save();
    else
        m_reading.waitForFinished();
}

reader::ReaderSettings &ReaderTools::kept()
{
    if (!m_settings)
        m_settings = m_reading.result();
    return *m_settings;
}

void ReaderTools::settingsRead()
{
    if (kept().contentsShown() && m_contents)
        m_contents->setChecked(true);
    if (kept().pinyinShown() && m_pinyin)
        m_pinyin->setChecked(true);
    if (m_traditional) {
        (kept().characterForm() == reader::ReaderSettings::kHongKong ? m_hongKong : m_taiwan)->setChecked(true);
        m_traditional->setChecked(kept().traditional() && m_traditional->isEnabled());
    }
    applyCharacterForm();
    updateCommands();
}

QMenu *ReaderTools::addMenu(QMenuBar *bar)
{
    QMenu *menu = bar->addMenu(QStringLiteral("阅读(&R)"));
    menu->setObjectName(QStringLiteral("阅读"));
    m_contents = command(menu, QStringLiteral("章节目录"), QStringLiteral("章节目录(&T)"));
    m_contents->setCheckable(true);
    connect(m_contents, &QAction::toggled, this, &ReaderTools::showContents);
    menu->addSeparator();
    // 繁體字 switches; the two forms beside it choose how it writes. Without OpenCC's data files
    // the three are disabled and say why.
    m_traditional = command(menu, QStringLiteral("繁體字"), QStringLiteral("繁體字(&Z)"));
    m_traditional->setCheckable(true);
    auto *forms = new QActionGroup(menu);
    m_taiwan = command(menu, QStringLiteral("臺灣"), QStringLiteral("臺灣(&W)"));
    m_hongKong = command(menu, QStringLiteral("香港"), QStringLiteral("香港(&G)"));
    for (QAction *form : {m_taiwan, m_hongKong}) {
        form->setCheckable(true);
        forms->addAction(form);
    }
    m_taiwan->setChecked(true);
    const QString unavailable = textform::unavailableReason();
    if (!unavailable.isEmpty()) {
        for (QAction *item : {m_traditional, m_taiwan, m_hongKong}) {
            item->setEnabled(false);
            item->setToolTip(unavailable);
        }
        menu->setToolTipsVisible(true);
    }
    connect(m_traditional, &QAction::toggled, this, &ReaderTools::setTraditional);
    connect(m_taiwan, &QAction::triggered, this, [this] { setCharacterForm(reader::ReaderSettings::kTaiwan); });
    connect(m_hongKong, &QAction::triggered, this, [this] { setCharacterForm(reader::ReaderSettings::kHongKong); });
    menu->addSeparator();
    m_back = command(menu, QStringLiteral("后退"), QStringLiteral("后退(&B)"), {QKeySequence(Qt::ALT | Qt::Key_Left)});
    connect(m_back, &QAction::triggered, this, &ReaderTools::goBack);
    m_forward =
        command(menu, QStringLiteral("前进"), QStringLiteral("前进(&F)"), {QKeySequence(Qt::ALT | Qt::Key_Right)});
    connect(m_forward, &QAction::triggered, this, &ReaderTools::goForward);
    menu->addSeparator();
    m_favourite =
        command(menu, QStringLiteral("加入收藏"), QStringLiteral("加入收藏(&A)"), {QKeySequence(Qt::CTRL | Qt::Key_D)});
    connect(m_favourite, &QAction::triggered, this, &ReaderTools::toggleFavourite);
    menu->addSeparator();
    m_zoomIn = command(menu, QStringLiteral("放大"), QStringLiteral("放大(&I)"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    connect(m_zoomIn, &QAction::triggered, this,
            [this] { setTextPercent(reader::TextSize::larger(kept().textPercent())); });
    m_zoomOut =
        command(menu, QStringLiteral("缩小"), QStringLiteral("缩小(&O)"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    connect(m_zoomOut, &QAction::triggered, this,
            [this] { setTextPercent(reader::TextSize::smaller(kept().textPercent())); });
    m_zoomReset =
        command(menu, QStringLiteral("原始大小"), QStringLiteral("原始大小(&R)"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(m_zoomReset, &QAction::triggered, this, [this] { setTextPercent(100); });
    menu->addSeparator();
    m_pinyin = command(menu, QStringLiteral("注音"), QStringLiteral("注音(&P)"));
    m_pinyin->setCheckable(true);
    connect(m_pinyin, &QAction::toggled, this, &ReaderTools::showPinyin);

    updateCommands();
    QTimer::singleShot(0, this, &ReaderTools::settingsRead);
    return menu;
}

std::optional<content::PageAddress> ReaderTools::pageInFront() const
{
    QMdiSubWindow *active = m_area->activeSubWindow();
    return active ? pageOf(active->widget()) : std::nullopt;
}

void ReaderTools::windowActivated(QMdiSubWindow *sub)
{
    QWidget *window = sub ? sub->widget() : nullptr;
    const bool isNew = window && !m_watched.contains(window);
    if (isNew)
        watch(window);
    // A window opened by the reader (a chapter, an article) shows a page: it is recorded; a window
    // brought forward again only moves the contents panel's selection.
    const std::optional<content::PageAddress> page = pageOf(window);
    if (page && isNew && !m_navigating)
        pageShown(*page);
    else if (page && m_panel)
        m_panel->showCurrent(*page);
    updateCommands();
}

void ReaderTools::watch(QWidget *window)
{
    m_watched.removeAll(nullptr);
    m_watched.append(window);
    if (auto *viewer = qobject_cast<Fllhb *>(window)) {
        connect(viewer, &Fllhb::addressChanged, this,
                [this, viewer](const content::PageAddress &page) { addressChanged(viewer, page); });
        connect(viewer, &Fllhb::textZoomRequested, this, [this](bool larger) {
            setTextPercent(larger ? reader::TextSize::larger(kept().textPercent())
                                  : reader::TextSize::smaller(kept().textPercent()));
        });
    } else if (auto *article = qobject_cast<Fwangye *>(window)) {
        connect(article, &Fwangye::addressChanged, this,
                [this, article](const content::PageAddress &page) { addressChanged(article, page); });
        connect(article, &Fwangye::textZoomRequested, this, [this](bool larger) {
            setTextPercent(larger ? reader::TextSize::larger(kept().textPercent())
                                  : reader::TextSize::smaller(kept().textPercent()));
        });
    }
    applyTextSize(window);
    applyPinyin(window);
}

void ReaderTools::addressChanged(QWidget *window, const content::PageAddress &page)
{
    if (m_navigating)
        return;
    // A new entry or view of a viewer is a page shown; an article scrolled to another section is
    // the same page, and only the panel's selection follows it.
    if (qobject_cast<Fllhb *>(window))
        pageShown(page);
    else if (m_panel && m_area->activeSubWindow() && m_area->activeSubWindow()->widget() == window)
        m_panel->showCurrent(page);
    updateCommands();
}

void ReaderTools::pageShown(const content::PageAddress &page)
{
    m_history.record(page);
    kept().addRecent(page.withoutSection());
    if (m_panel) {
        m_panel->setKeptPages(kept().favourites(), kept().recent());
        m_panel->showCurrent(page);
    }
    scheduleSave();
    updateCommands();
}

void ReaderTools::openWithoutRecording(const content::PageAddress &page)
{
    m_navigating = true;
    QWidget *window = openPage(page);
    m_navigating = false;
    if (window && !m_watched.contains(window))
        watch(window);
    if (m_panel)
        m_panel->showCurrent(page);
    updateCommands();
}

void ReaderTools::open(const content::PageAddress &page)
{
    m_navigating = true;
    QWidget *window = openPage(page);
    m_navigating = false;
    if (!window)
        return;
    if (!m_watched.contains(window))
        watch(window);
    // The page as its window shows it (a picture that could not be read leaves the one before);
    // an article at the section it was asked for.
    const std::optional<content::PageAddress> shown = page.isArticle() ? std::optional(page) : pageOf(window);
    if (shown)
        pageShown(*shown);
}

void ReaderTools::openSearchHit(const search::Jump &jump)
{
    m_navigating = true;
    ::openSearchHit(jump);
    m_navigating = false;
    QMdiSubWindow *active = m_area->activeSubWindow();
    if (active && !m_watched.contains(active->widget()))
        watch(active->widget());
    if (const std::optional<content::PageAddress> page = pageInFront())
        pageShown(jump.page.isArticle() ? jump.page : *page);
}

void ReaderTools::goBack()
{
    if (const std::optional<content::PageAddress> page = m_history.back())
        openWithoutRecording(*page);
}

void ReaderTools::goForward()
{
    if (const std::optional<content::PageAddress> page = m_history.forward())
        openWithoutRecording(*page);
}

void ReaderTools::toggleFavourite()
{
    const std::optional<content::PageAddress> page = pageInFront();
    if (!page)
        return;
    kept().toggleFavourite(page->withoutSection());
    if (m_panel)
        m_panel->setKeptPages(kept().favourites(), kept().recent());
    scheduleSave();
    updateCommands();
}

QDockWidget *ReaderTools::contentsDock()
{
    if (m_dock)
        return m_dock;
    m_dock = new QDockWidget(QStringLiteral("章节目录"), m_frame);
    m_dock->setObjectName(QStringLiteral("ContentsDock"));
    m_dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_panel = new reader::ContentsPanel(m_dock);
    m_dock->setWidget(m_panel);
    m_frame->addDockWidget(Qt::LeftDockWidgetArea, m_dock);
    m_frame->resizeDocks({m_dock}, {qBound(220, m_frame->width() / 6, 360)}, Qt::Horizontal);
    m_panel->setKeptPages(kept().favourites(), kept().recent());
    connect(m_panel, &reader::ContentsPanel::pageActivated, this, &ReaderTools::open);
    // The dock's own close button unchecks the command (the frame going away leaves it as it is).
    m_dock->installEventFilter(this);
    // The book's rows read the articles' headings from their files: after the panel is on screen.
    QTimer::singleShot(0, m_panel, [this] {
        m_panel->setBook(reader::bookRows(&articleHeadings));
        if (const std::optional<content::PageAddress> page = pageInFront())
            m_panel->showCurrent(*page);
    });
    return m_dock;
}

bool ReaderTools::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dock && event->type() == QEvent::Close)
        QTimer::singleShot(0, this, [this] { showContents(false); });
    return QObject::eventFilter(watched, event);
}

void ReaderTools::showContents(bool shown)
{
    if (shown) {
        QDockWidget *dock = contentsDock();
        dock->show();
        dock->raise();
        m_panel->setFocus();
    } else if (m_dock) {
        m_dock->hide();
        if (QMdiSubWindow *active = m_area->activeSubWindow())
            active->widget()->setFocus();
    }
    if (kept().contentsShown() != shown) {
        kept().setContentsShown(shown);
        scheduleSave();
    }
    if (m_contents && m_contents->isChecked() != shown)
        m_contents->setChecked(shown);
}

void ReaderTools::setTextPercent(int percent)
{
    kept().setTextPercent(percent);
    for (QWidget *window : childwindows::all())
        applyTextSize(window);
    scheduleSave();
    updateCommands();
}

void ReaderTools::setTraditional(bool traditional)
{
    if (m_traditional && m_traditional->isChecked() != traditional)
        m_traditional->setChecked(traditional); // runs this again through its signal
    if (kept().traditional() != traditional) {
        kept().setTraditional(traditional);
        scheduleSave();
    }
    applyCharacterForm();
}

void ReaderTools::setCharacterForm(const QString &form)
{
    if (kept().characterForm() != form) {
        kept().setCharacterForm(form);
        scheduleSave();
    }
    if (m_taiwan)
        (kept().characterForm() == reader::ReaderSettings::kHongKong ? m_hongKong : m_taiwan)->setChecked(true);
    applyCharacterForm();
}

void ReaderTools::applyCharacterForm()
{
    const bool available = m_traditional && m_traditional->isEnabled();
    const textform::Form form = !kept().traditional() || !available ? textform::Form::Simplified
                                                                    : textform::formFromName(kept().characterForm());
    if (form == textform::current() || form == textform::Form::Simplified) {
        ++m_formRequest; // a conversion still loading is not wanted any more
        m_loadingForm.reset();
        if (form != textform::current()) {
            textform::uninstall();
            textform::refreshWidgets();
        }
        return;
    }
    if (m_loadingForm == form)
        return; // on its way
    // OpenCC's dictionaries take some tens of milliseconds to load: on another thread, so the
    // first paint and the menu never wait for them. The windows show the new form once loaded.
    m_loadingForm = form;
    const int request = ++m_formRequest;
    QtConcurrent::run([form] {
        return std::shared_ptr<const textform::Converter>(textform::Converter::load(form));
    }).then(this, [this, request](std::shared_ptr<const textform::Converter> converter) {
        if (request != m_formRequest)
            return;
        m_loadingForm.reset();
        if (!converter)
            return;
        textform::install(std::move(converter));
        textform::refreshWidgets();
    });
}

void ReaderTools::applyTextSize(QWidget *window) const
{
    const double scale = settings().textPercent() / 100.0;
    if (auto *viewer = qobject_cast<Fllhb *>(window))
        viewer->setTextScale(scale);
    else if (auto *article = qobject_cast<Fwangye *>(window))
        article->setTextScale(scale);
}

void ReaderTools::showPinyin(bool shown)
{
    if (kept().pinyinShown() != shown) {
        kept().setPinyinShown(shown);
        scheduleSave();
    }
    for (QWidget *window : childwindows::all())
        applyPinyin(window);
    if (m_pinyin && m_pinyin->isChecked() != shown)
        m_pinyin->setChecked(shown);
}

void ReaderTools::applyPinyin(QWidget *window) const
{
    if (auto *viewer = qobject_cast<Fllhb *>(window))
        viewer->setPinyinShown(settings().pinyinShown());
}

void ReaderTools::updateCommands()
{
    if (!m_back)
        return;
    m_back->setEnabled(m_history.canGoBack());
    m_forward->setEnabled(m_history.canGoForward());
    const std::optional<content::PageAddress> page = pageInFront();
    m_favourite->setEnabled(page.has_value());
    // Until the settings are read (just after start-up) the commands show what they would for
    // an empty file.
    const bool isKept = page && m_settings && m_settings->isFavourite(page->withoutSection());
    m_favourite->setText(isKept ? QStringLiteral("移出收藏(&A)") : QStringLiteral("加入收藏(&A)"));
    // The picture viewer keeps the same keys for its own zoom.
    QMdiSubWindow *active = m_area->activeSubWindow();
    const bool picture = active && qobject_cast<PictureViewer *>(active->widget());
    const int percent = m_settings ? m_settings->textPercent() : 100;
    m_zoomIn->setEnabled(!picture && percent < reader::TextSize::steps().last());
    m_zoomOut->setEnabled(!picture && percent > reader::TextSize::steps().first());
    m_zoomReset->setEnabled(!picture);
}

void ReaderTools::scheduleSave()
{
    m_saveTimer.start();
}
