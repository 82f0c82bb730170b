#pragma once
// Finds the program's windows again: the loaded windows in load order (the frame, the catalogue,
// viewers, article pages, the About box while it is open), then the frame's other child windows
// (picture viewers). Chapter viewers and article pages are found by their captions, as the openers
// have always found them; a picture viewer by the picture it shows.

#include <QList>
#include <QString>

#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace childwindows {

QList<QWidget *> all();

// The first window, in that order, that matches.
QWidget *find(const std::function<bool(QWidget *)> &matches);

template <typename Window> Window *find(const std::function<bool(Window *)> &matches)
{
    return qobject_cast<Window *>(find([&matches](QWidget *window) {
        auto *typed = qobject_cast<Window *>(window);
        return typed && matches(typed);
    }));
}

// The first window whose caption is this text, compared whole and exactly.
QWidget *captioned(const QString &caption);

// The frame's child windows the reader used before, most recent first: shown ones only, and never
// leftOut (the catalogue, which is the backdrop and not a window the reader goes back to).
QList<QMdiSubWindow *> usedBefore(QMdiArea *area, const QMdiSubWindow *leftOut);

} // namespace childwindows
