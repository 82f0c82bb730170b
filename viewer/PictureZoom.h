#pragma once
// How the picture viewer maps a picture onto its window, as plain arithmetic: the whole picture
// fitted to the window, or a chosen scale with the part of the picture that is shown.
//
// Sizes and places in the window are logical pixels; the picture is measured in its own pixels.
// The scale is logical pixels per picture pixel, so at "1:1" (one picture pixel on one screen
// pixel) it is 1 / device pixel ratio.

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace viewer {

class PictureZoom
{
  public:
    // One zoom step multiplies or divides the scale by this.
    static constexpr double kStep = 1.25;
    // At most this many screen pixels per picture pixel.
    static constexpr double kMostScreenPixels = 8;

    // The largest scale at which the whole picture fits the window; 0 for an empty picture or window.
    static double fitScale(const QSizeF &picture, const QSizeF &window);

    void setPicture(const QSizeF &size);
    void setWindow(const QSizeF &size);
    void setDevicePixelRatio(double ratio);

    // Fitted, the picture follows the window's size; any zoom leaves that mode, fit() returns to it.
    bool isFitted() const { return m_fitted; }
    double scale() const;
    double actualSizeScale() const { return 1 / m_devicePixelRatio; }
    // The zoom range: from the smaller of fit and 1:1 up to the larger of fit and eight screen
    // pixels per picture pixel.
    double smallestScale() const;
    double largestScale() const;

    void fit();
    void actualSize();
    // Zoom in or out by one step, keeping the picture point under anchor (a window point) in
    // place. A step that would pass the fitted scale or 1:1 stops there, so both can be reached
    // by stepping.
    void zoomIn(const QPointF &anchor);
    void zoomOut(const QPointF &anchor);
    void zoomTo(double scale, const QPointF &anchor);
    void zoomIn() { zoomIn(windowCentre()); }
    void zoomOut() { zoomOut(windowCentre()); }

    // Moves the picture by delta window pixels (a drag moves it with the mouse); a picture
    // narrower or lower than the window stays centred in that direction.
    void panBy(const QPointF &delta);

    // Where the picture stands in the window.
    QRectF pictureRect() const;

  private:
    QPointF windowCentre() const { return QPointF(m_window.width() / 2, m_window.height() / 2); }
    void stepTo(double target, const QPointF &anchor);
    void clampCentre();

    QSizeF m_picture;
    QSizeF m_window;
    double m_devicePixelRatio = 1;
    bool m_fitted = true;
    double m_scale = 1;
    // The picture point shown in the middle of the window, in picture pixels.
    QPointF m_centre;
};

} // namespace viewer
