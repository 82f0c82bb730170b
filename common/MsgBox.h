#pragma once
// The one way the program shows a message box: OK button only, the application title as default
// caption. Tests install an observer, so boxes are recorded instead of run as modal loops.

#include <QString>

#include <functional>

namespace MsgBox {

enum Style {
    Plain,      // no icon (the clock warning)
    Critical,   // an error's description
    Information // a notice
};

// Shows the box and returns when the user has closed it.
void show(const QString &text, const QString &caption = QString(), Style style = Critical);

// True while a box shown through here is open. A timer whose tick may show a box waits while
// this holds, so ticks never stack boxes on each other.
bool isOpen();

struct Shown {
    QString caption;
    QString text;
};
using Observer = std::function<void(const Shown &)>;

// With an observer installed, show() hands the box to it instead of opening a window; isOpen()
// holds while the observer runs. Pass an empty function to show real boxes again.
void setObserver(Observer observer);

} // namespace MsgBox
