#pragma once
// Where the 窗口 menu's arrangement commands put the frame's child windows, as plain arithmetic
// on the client area's size (pixels). The frame sends the catalogue to the back and leaves it out;
// the windows come in their stacking order, back to front, and keep it.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace arrangement {

// 层叠: each window at its preferred size (never larger than the client area), one step further
// down and right than the window behind it; a window that would reach past the client area
// starts again at the top-left corner.
QList<QRect> cascade(const QSize &client, const QList<QSize> &preferred, int step);

// 横向平铺: one above another, each as wide as the client area and an equal share of its height.
QList<QRect> tileHorizontally(const QSize &client, int count);

// 纵向平铺: side by side, each as tall as the client area and an equal share of its width.
QList<QRect> tileVertically(const QSize &client, int count);

// 排列图标: the minimised windows (their sizes, in creation order) along the bottom edge, left to
// right, in rows that grow upwards when one row is full. The top-left corner of each.
QList<QPoint> arrangeIcons(const QSize &client, const QList<QSize> &icons);

} // namespace arrangement
