#include "common/WindowArrangement.h"

namespace arrangement {

QList<QRect> cascade(const QSize &client, const QList<QSize> &preferred, int step)
{
    QList<QRect> boxes;
    int offset = 0;
    for (const QSize &wanted : preferred) {
        const QSize size = wanted.boundedTo(client);
        if (offset > 0 && (offset + size.width() > client.width() || offset + size.height() > client.height()))
            offset = 0;
        boxes.append(QRect(QPoint(offset, offset), size));
        offset += qMax(1, step);
    }
    return boxes;
}

QList<QRect> tileHorizontally(const QSize &client, int count)
{
    QList<QRect> boxes;
    const int height = count > 0 ? client.height() / count : 0;
    for (int i = 0; i < count; ++i)
        boxes.append(QRect(0, i * height, client.width(), height));
    return boxes;
}

QList<QRect> tileVertically(const QSize &client, int count)
{
    QList<QRect> boxes;
    const int width = count > 0 ? client.width() / count : 0;
    for (int i = 0; i < count; ++i)
        boxes.append(QRect(i * width, 0, width, client.height()));
    return boxes;
}

QList<QPoint> arrangeIcons(const QSize &client, const QList<QSize> &icons)
{
    QList<QPoint> places;
    int left = 0;
    int bottom = client.height();
    for (const QSize &size : icons) {
        if (left > 0 && left + size.width() > client.width()) {
            left = 0;
            bottom -= size.height();
        }
        places.append(QPoint(left, bottom - size.height()));
        left += size.width();
    }
    return places;
}

} // namespace arrangement
