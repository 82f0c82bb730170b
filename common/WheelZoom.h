#pragma once
// Ctrl with the wheel over a text asks for larger or smaller text instead of scrolling it.

#include <QWheelEvent>

namespace wheelzoom {

// With Ctrl held, takes the event and calls zoom(true) for a turn away from the reader, zoom(false)
// towards, nothing for a sideways one; returns false, leaving the event, without Ctrl.
template <typename Zoom> bool take(QWheelEvent *event, Zoom &&zoom)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    if (event->angleDelta().y() != 0)
        zoom(event->angleDelta().y() > 0);
    event->accept();
    return true;
}

} // namespace wheelzoom
