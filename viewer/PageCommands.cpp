#include "viewer/PageCommands.h"

#include "common/ChildWindows.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/Pictures.h"
#include "common/Printing.h"
#include "common/TextForm.h"
#include "content/Catalogue.h"
#include "viewer/Fllhb.h"
#include "viewer/PictureViewer.h"
#include "viewer/PrintedEntry.h"
#include "viewer/TextPane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

namespace {

QAction *makeAction(QObject *owner, const QString &name, const QString &text)
{
    auto *action = new QAction(text, owner);
    action->setObjectName(name);
    return action;
}

} // namespace

PageCommands::PageCommands(Fllhb *viewer)
    : QObject(viewer)
    , m_viewer(viewer)
{
    setObjectName(QStringLiteral("PageCommands"));
    m_showOriginal = makeAction(this, QStringLiteral("查看原图"), QStringLiteral("查看原图"));
    m_copyPicture = makeAction(this, QStringLiteral("复制图片"), QStringLiteral("复制图片"));
    m_print = makeAction(this, QStringLiteral("打印"), QStringLiteral("打印…"));
    m_exportPdf = makeAction(this, QStringLiteral("导出PDF"), QStringLiteral("导出PDF…"));
    connect(m_showOriginal, &QAction::triggered, this, &PageCommands::showOriginalPicture);
    connect(m_copyPicture, &QAction::triggered, this, &PageCommands::copyPicture);
    connect(m_print, &QAction::triggered, this, &PageCommands::printPage);
    connect(m_exportPdf, &QAction::triggered, this, &PageCommands::exportPdf);

    // Ctrl+P prints wherever the focus is inside the viewer.
    m_print->setShortcut(QKeySequence::Print);
    m_print->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    viewer->addAction(m_print);

    PictureBox *image1 = viewer->pictureBox();
    image1->setContextMenuPolicy(Qt::CustomContextMenu);
    image1->installEventFilter(this);
    connect(image1, &QWidget::customContextMenuRequested, this, [this, image1](const QPoint &position) {
        const std::unique_ptr<QMenu> menu(pictureMenu());
        menu->exec(image1->mapToGlobal(position));
    });
    for (TextPane *pane : {viewer->upperPane(), viewer->lowerPane()}) {
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint &position) {
            const std::unique_ptr<QMenu> menu(paneMenu(pane, position));
            menu->exec(pane->viewport()->mapToGlobal(position));
        });
    }
}

QMenu *PageCommands::pictureMenu()
{
    auto *menu = new QMenu(m_viewer);
    const bool shown = m_viewer->pictureNumber() >= 0;
    m_showOriginal->setEnabled(shown);
    m_copyPicture->setEnabled(shown);
    menu->addAction(m_showOriginal);
    menu->addAction(m_copyPicture);
    menu->addSeparator();
    menu->addAction(m_print);
    menu->addAction(m_exportPdf);
    return menu;
}

QMenu *PageCommands::paneMenu(QTextEdit *pane, const QPoint &position)
{
    // The pane's own menu (copy, select all), then the page's print commands.
    QMenu *menu = pane->createStandardContextMenu(position);
    menu->addSeparator();
    menu->addAction(m_print);
    menu->addAction(m_exportPdf);
    return menu;
}

bool PageCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
        watched == m_viewer->pictureBox()) {
        showOriginalPicture();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QString PageCommands::pictureTitle() const
{
    return m_viewer->pictureNumber() < 0 ? QString() : m_viewer->address().title();
}

PictureViewer *PageCommands::showOriginalPicture()
{
    const QString file = m_viewer->pictureFile();
    if (file.isEmpty())
        return nullptr;
    const QString title = pictureTitle();

    // The viewer already showing this picture under this title comes forward.
    PictureViewer *open = childwindows::find<PictureViewer>(
        [&](PictureViewer *viewer) { return viewer->fileName() == file && Module1::captionOf(viewer) == title; });
    if (QMdiSubWindow *sub = Module1::subWindowOf(open)) {
        sub->mdiArea()->setActiveSubWindow(sub);
        return open;
    }

    QString failure;
    const QImage picture = pictures::load(file, &failure);
    if (picture.isNull()) {
        msgbox::show(failure);
        return nullptr;
    }
    auto *viewer = new PictureViewer(picture, file, title);
    if (QMdiSubWindow *sub = Module1::addChildWindow(viewer)) {
        sub->setWindowTitle(title);
        sub->show();
        sub->mdiArea()->setActiveSubWindow(sub);
    } else {
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->resize(viewer->sizeHint());
        viewer->show();
    }
    viewer->setFocus();
    return viewer;
}

void PageCommands::copyPicture()
{
    const QString file = m_viewer->pictureFile();
    if (file.isEmpty())
        return;
    QString failure;
    const QImage picture = pictures::load(file, &failure);
    if (picture.isNull()) {
        msgbox::show(failure);
        return;
    }
    QApplication::clipboard()->setImage(picture);
}

bool PageCommands::printedEntry(PrintedEntry *page) const
{
    const content::Chapter *chapter = m_viewer->chapter();
    page->chapter = chapter ? chapter->shortTitle : QString();
    page->heading = pictureTitle();
    // 奇门遁甲 names the list entry beside the view; elsewhere the page is the entry.
    page->entry = chapter && chapter->hasPanel ? m_viewer->currentEntry() : page->heading;
    if (page->heading.isEmpty())
        page->heading = page->entry = m_viewer->currentEntry();
    page->upper = m_viewer->upperPane()->text();
    page->lower = m_viewer->lowerPane()->text();
    page->lowerReadings = m_viewer->lowerPane()->showsReadings();
    page->lowerOwn = page->lower;
    // What is printed or exported is what the window shows: in the characters the reader chose.
    for (QString *text : {&page->chapter, &page->heading, &page->entry, &page->upper, &page->lower})
        *text = textform::shown(*text);

    // A picture the user has hidden (奇门遁甲's 隐藏图形) is left off the sheet too.
    page->picture = QImage();
    const QString file = m_viewer->pictureFile();
    if (file.isEmpty() || m_viewer->pictureWidthFactor() == 0)
        return true;
    QString failure;
    page->picture = pictures::load(file, &failure);
    if (page->picture.isNull()) {
        msgbox::show(failure);
        return false;
    }
    return true;
}

void PageCommands::printPage()
{
    PrintedEntry page;
    if (!printedEntry(&page))
        return;
    printing::print(m_viewer, page.heading, [&page](QPagedPaintDevice &sheets) { return page.render(sheets); });
}

void PageCommands::exportPdf()
{
    PrintedEntry page;
    if (!printedEntry(&page))
        return;
    printing::exportPdf(m_viewer, page.heading, [&page](QPagedPaintDevice &sheets) { return page.render(sheets); });
}
