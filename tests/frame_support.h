#pragma once
// Shared by the frame's tests: the program started on a test installation as its start-up starts
// it, in a normal window of 1280 × 900, and the viewers it has open.
#include "viewer_support.h"

#include "app/MDIForm1.h"
#include "app/Startup.h"
#include "common/Module1.h"
#include "viewer/Fllhb.h"

#include <QDate>
#include <QList>

// The frame on that installation, on a day the clock check accepts (1 May 2026), shown normal.
inline MDIForm1 *startFrame(const ViewerInstallation &installation)
{
    MDIForm1 *frame = Module1::Main([] { return QDate(2026, 5, 1); }, installation.root());
    if (frame) {
        frame->showNormal();
        frame->resize(1280, 900);
    }
    return frame;
}

// The viewers open, in the order they were loaded.
inline QList<Fllhb *> openViewers()
{
    QList<Fllhb *> found;
    for (QWidget *window : Module1::loadedWindows())
        if (auto *viewer = qobject_cast<Fllhb *>(window))
            found.append(viewer);
    return found;
}
