#include "viewer/PictureZoom.h"

#include <algorithm>
#include <cmath>

namespace viewer {

namespace {

// Two scales this close count as the same, so that a step lands on a landmark exactly once.
bool nearlyEqual(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

} // namespace

double PictureZoom::fitScale(const QSizeF &picture, const QSizeF &window)
{
    if (picture.width() <= 0 || picture.height() <= 0 || window.width() <= 0 || window.height() <= 0)
        return 0;
    return std::min(window.width() / picture.width(), window.height() / picture.height());
}

void PictureZoom::setPicture(const QSizeF &size)
{
    m_picture = size;
    fit();
}

void PictureZoom::setWindow(const QSizeF &size)
{
    m_window = size;
    clampCentre();
}

void PictureZoom::setDevicePixelRatio(double ratio)
{
    if (ratio > 0)
        m_devicePixelRatio = ratio;
}

double PictureZoom::scale() const
{
    return m_fitted ? fitScale(m_picture, m_window) : m_scale;
}

double PictureZoom::smallestScale() const
{
    const double fitted = fitScale(m_picture, m_window);
    return fitted > 0 ? std::min(fitted, actualSizeScale()) : actualSizeScale();
}

double PictureZoom::largestScale() const
{
    return std::max(fitScale(m_picture, m_window), kMostScreenPixels * actualSizeScale());
}

void PictureZoom::fit()
{
    m_fitted = true;
    m_centre = QPointF(m_picture.width() / 2, m_picture.height() / 2);
}

void PictureZoom::actualSize()
{
    zoomTo(actualSizeScale(), windowCentre());
}

void PictureZoom::zoomIn(const QPointF &anchor)
{
    stepTo(scale() * kStep, anchor);
}

void PictureZoom::zoomOut(const QPointF &anchor)
{
    stepTo(scale() / kStep, anchor);
}

void PictureZoom::stepTo(double target, const QPointF &anchor)
{
    const double current = scale();
    if (current <= 0)
        return;
    const double fitted = fitScale(m_picture, m_window);
    for (const double landmark : {fitted, actualSizeScale()}) {
        const bool passes = (current < landmark && landmark < target) || (target < landmark && landmark < current);
        if ((passes || nearlyEqual(target, landmark)) && !nearlyEqual(current, landmark))
            target = landmark;
    }
    target = std::clamp(target, smallestScale(), largestScale());
    if (nearlyEqual(target, fitted))
        fit();
    else
        zoomTo(target, anchor);
}

void PictureZoom::zoomTo(double target, const QPointF &anchor)
{
    const double current = scale();
    if (current <= 0)
        return;
    target = std::clamp(target, smallestScale(), largestScale());
    // The picture point under the anchor stays under it.
    const QPointF underAnchor = (anchor - pictureRect().topLeft()) / current;
    m_fitted = false;
    m_scale = target;
    m_centre = underAnchor + (windowCentre() - anchor) / target;
    clampCentre();
}

void PictureZoom::panBy(const QPointF &delta)
{
    const double current = scale();
    if (current <= 0)
        return;
    m_centre -= delta / current;
    clampCentre();
}

void PictureZoom::clampCentre()
{
    const double current = scale();
    if (current <= 0)
        return;
    auto clampAxis = [](double centre, double picture, double window) {
        if (picture <= window)
            return picture / 2;
        return std::clamp(centre, window / 2, picture - window / 2);
    };
    m_centre.setX(clampAxis(m_centre.x(), m_picture.width(), m_window.width() / current));
    m_centre.setY(clampAxis(m_centre.y(), m_picture.height(), m_window.height() / current));
}

QRectF PictureZoom::pictureRect() const
{
    const double current = scale();
    if (current <= 0)
        return QRectF();
    const QPointF centre = m_fitted ? QPointF(m_picture.width() / 2, m_picture.height() / 2) : m_centre;
    const QSizeF size = m_picture * current;
    return QRectF(windowCentre() - centre * current, size);
}

} // namespace viewer
