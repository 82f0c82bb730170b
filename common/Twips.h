#pragma once
// Twips, the unit the windows are designed in: 15 twips make one logical pixel. The one conversion
// between the two, and the one box type the layouts work on.

#include <QRect>
#include <QtGlobal>

namespace twips {

inline constexpr double kPerPixel = 15.0;

// A length in twips as logical pixels, rounded to the nearest (halves away from zero).
constexpr int toPixels(double twips)
{
    return qRound(twips / kPerPixel);
}

// A length in logical pixels as twips.
constexpr double fromPixels(double pixels)
{
    return pixels * kPerPixel;
}

// A rectangle given in twips, each figure rounded to pixels on its own.
constexpr QRect toPixels(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

/// One control's box in twips, held in single precision as the controls hold them. A width or
/// height that would come out negative is refused: the box keeps its previous value.
struct Box {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    void setLeft(double value) { left = float(value); }
    void setTop(double value) { top = float(value); }
    bool setWidth(double value)
    {
        if (value < 0)
            return false;
        width = float(value);
        return true;
    }
    bool setHeight(double value)
    {
        if (value < 0)
            return false;
        height = float(value);
        return true;
    }

    bool operator==(const Box &) const = default;
};

// Where a box stands on screen.
constexpr QRect toPixels(const Box &box)
{
    return toPixels(box.left, box.top, box.width, box.height);
}

} // namespace twips
