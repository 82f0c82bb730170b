#include "viewer/PageCommands.h"

#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/Pictures.h"
#include "common/Printing.h"
#include "content/Catalogue.h"
#include "viewer/Fllhb.h"
#include "viewer/PictureViewer.h"
#include "viewer/PrintedEntry.h"
#include "viewer/QimenPanel.h"
#include "viewer/TextPane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

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

    auto *image1 = viewer->findChild<PictureBox *>(QStringLiteral("Image1"));
    image1->setContextMenuPolicy(Qt::CustomContextMenu);
    image1->installEventFilter(this);
    connect(image1, &QWidget::customContextMenuRequested, this, [this, image1](const QPoint &position) {
        const std::unique_ptr<QMenu> menu(pictureMenu());
        menu->exec(image1->mapToGlobal(position));
    });
    for (const char *name : {"Text3", "Text2"}) {
        auto *pane = viewer->findChild<TextPane *>(QLatin1String(name));
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

QMenu *PageCommands::paneMenu(QPlainTextEdit *pane, const QPoint &position)
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
    if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && watched->objectName() == QStringLiteral("Image1")) {
        showOriginalPicture();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QString PageCommands::pictureTitle() const
{
    const int number = m_viewer->pictureNumber();
    if (number < 0)
        return QString();
    const QString entry = m_viewer->findChild<QLabel *>(QStringLiteral("Label2"))->text();
    const QString caption = m_viewer->findChild<QLabel *>(QStringLiteral("Label1"))->text();
    const content::Catalogue &book = content::Catalogue::instance();
    const content::Chapter *chapter = book.chapterByCaption(caption);
    if (!chapter)
        return entry;

    if (chapter->hasPanel) {
        if (number == book.zhenRenBuDou().pictureNumber)
            return QStringLiteral("真人步斗法");
        if (number == book.yuNvFanBiOverview().pictureNumber)
            return QStringLiteral("玉女反闭诀");
        for (const content::QimenView &figure : book.figureViews())
            if (figure.pictureNumber == number)
                return figure.headingTitle;
        if (number >= QimenPanel::kFirstDayChartPicture && number < QimenPanel::kFirstDayChartPicture + QimenPanel::kDayCharts) {
            const auto *button = m_viewer->findChild<QPushButton *>(
                QStringLiteral("Command%1").arg(number - QimenPanel::kFirstDayChartPicture + 1));
            return QStringLiteral("每日布局速成图（%1）").arg(button ? button->text() : content::pictureDigits(number));
        }
        return entry;
    }

    // The entry in Label2, unless its picture failed to load and the previous page's stays.
    const content::Page *page = content::Catalogue::pageOf(*chapter, entry);
    if (page && page->pictureNumber == number)
        return entry;
    for (const content::Entry &other : chapter->entries)
        if (other.page && other.page->pictureNumber == number)
            return other.name;
    return entry;
}

PictureViewer *PageCommands::showOriginalPicture()
{
    const QString file = m_viewer->pictureFile();
    if (file.isEmpty())
        return nullptr;
    const QString title = pictureTitle();

    // The viewer already showing this picture under this title comes forward.
    if (QMdiArea *area = Module1::mdiArea()) {
        for (QMdiSubWindow *sub : area->subWindowList()) {
            auto *open = qobject_cast<PictureViewer *>(sub->widget());
            if (open && open->fileName() == file && sub->windowTitle() == title) {
                area->setActiveSubWindow(sub);
                return open;
            }
        }
    }

    QString failure;
    const QImage picture = Pictures::load(file, &failure);
    if (picture.isNull()) {
        MsgBox::show(failure);
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
    const QImage picture = Pictures::load(file, &failure);
    if (picture.isNull()) {
        MsgBox::show(failure);
        return;
    }
    QApplication::clipboard()->setImage(picture);
}

bool PageCommands::printedEntry(PrintedEntry *page) const
{
    const QString caption = m_viewer->findChild<QLabel *>(QStringLiteral("Label1"))->text();
    const content::Chapter *chapter = content::Catalogue::instance().chapterByCaption(caption);
    page->chapter = chapter ? chapter->shortTitle : caption;
    page->heading = pictureTitle();
    const QString entry = m_viewer->findChild<QLabel *>(QStringLiteral("Label2"))->text();
    page->entry = chapter && chapter->hasPanel ? entry : page->heading;
    if (page->heading.isEmpty())
        page->heading = page->entry = entry;
    page->upper = m_viewer->findChild<TextPane *>(QStringLiteral("Text3"))->text();
    page->lower = m_viewer->findChild<TextPane *>(QStringLiteral("Text2"))->text();

    // A picture the user has hidden (奇门遁甲's 隐藏图形) is left off the sheet too.
    page->picture = QImage();
    const QString file = m_viewer->pictureFile();
    if (file.isEmpty() || m_viewer->pictureWidthFactor() == 0)
        return true;
    QString failure;
    page->picture = Pictures::load(file, &failure);
    if (page->picture.isNull()) {
        MsgBox::show(failure);
        return false;
    }
    return true;
}

void PageCommands::printPage()
{
    PrintedEntry page;
    if (!printedEntry(&page))
        return;
    Printing::print(m_viewer, page.heading, [&page](QPagedPaintDevice &sheets) { return page.render(sheets); });
}

void PageCommands::exportPdf()
{
    PrintedEntry page;
    if (!printedEntry(&page))
        return;
    Printing::exportPdf(m_viewer, page.heading, [&page](QPagedPaintDevice &sheets) { return page.render(sheets); });
}
