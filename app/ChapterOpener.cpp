#include "app/ChapterOpener.h"

#include "common/ChildWindows.h"
#include "common/Module1.h"
#include "viewer/Fllhb.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// Maximises a loaded window and brings it in front of the frame's other child windows.
void maximiseAndRaise(QWidget *window)
{
    if (QMdiSubWindow *sub = Module1::subWindowOf(window)) {
        sub->showMaximized();
        if (QMdiArea *area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        sub->raise();
        return;
    }
    window->showMaximized();
    window->raise();
}

} // namespace

void OpenChapterWindow(const QString &shortTitle)
{
    Module1::CurrentChapter() = shortTitle;
    const QString wanted = Module1::chapterCaption(Module1::CurrentChapter());

    // The viewer of a chapter is found again by its caption; windows are searched in load order.
    if (QWidget *window = childwindows::captioned(wanted)) {
        maximiseAndRaise(window);
        return;
    }

    // A new viewer loads its chapter from CurrentChapter while it is created, before its caption.
    auto *viewer = new Fllhb;
    viewer->setWindowTitle(wanted);
    if (QMdiSubWindow *sub = Module1::addChildWindow(viewer))
        sub->setWindowTitle(wanted);
    else
        viewer->setAttribute(Qt::WA_DeleteOnClose); // no frame: the viewer stands alone
    maximiseAndRaise(viewer);
}

Fllhb *chapterViewer(const QString &shortTitle)
{
    return qobject_cast<Fllhb *>(childwindows::captioned(Module1::chapterCaption(shortTitle)));
}
