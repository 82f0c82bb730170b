#pragma once
// The one way the program shows a message box: the text, an OK button only and the application
// title as default caption, without an icon. Tests install an observer, so boxes are recorded instead of run as modal
// loops.

#include <QString>

#include <functional>

namespace msgbox {

// Shows the box, its caption and text in the characters the reader chose (繁體字), and returns when
// the user has closed it.
void show(const QString &text, const QString &caption = QString());

// True while a box shown through here is open. A timer whose tick may show a box waits while
// this holds, so ticks never stack boxes on each other.
bool isOpen();

struct Shown {
    QString caption;
    QString text;
};
using Observer = std::function<void(const Shown &)>;

// With an observer installed, show() hands the box to it, as it would be shown, instead of opening
// a window; isOpen() holds while the observer runs. Pass an empty function to show real boxes again.
void setObserver(Observer observer);

} // namespace msgbox
