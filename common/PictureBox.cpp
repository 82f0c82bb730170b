#include "common/PictureBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace {

// A screen reader hears a picture box as a picture, by its name and description.
QAccessibleInterface *pictureBoxAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(&pictureBoxAccessible), true);
    Q_UNUSED(accessible);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPicture(const QImage &picture, const QImage &scaled, const QSize &pictureSize)
{
    m_picture = picture;
    m_scaled = scaled;
    m_pictureSize = pictureSize.isValid() ? pictureSize : picture.size();
    updateOpaque();
    update();
}

void PictureBox::setBorder(bool border)
{
    m_border = border;
    updateOpaque();
    update();
}

QSize PictureBox::scaledSize() const
{
    const QRect inner = m_border ? rect().adjusted(1, 1, -1, -1) : rect();
    return inner.isEmpty() ? QSize() : inner.size() * devicePixelRatioF();
}

QImage PictureBox::scaledForBox(const QImage &picture) const
{
    const QSize target = scaledSize();
    if (picture.isNull() || target.isEmpty())
        return QImage();
    // Scaled in a 32-bit format: the smooth scaling of 8-bit and indexed pictures takes a slow path.
    const QImage source = picture.hasAlphaChannel() ? picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                                    : picture.convertToFormat(QImage::Format_RGB32);
    QImage scaled =
        source.size() == target ? source : source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatioF());
    return scaled;
}

void PictureBox::updateOpaque()
{
    // An opaque picture fills the whole box (the border is drawn over its edge), so what lies
    // under the box need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.isNull() && !m_picture.hasAlphaChannel());
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect inner = m_border ? rect().adjusted(1, 1, -1, -1) : rect();
    if (!m_picture.isNull() && inner.width() > 0 && inner.height() > 0) {
        const QSize target = inner.size() * devicePixelRatioF();
        if (m_scaled.isNull() || m_scaled.size() != target)
            m_scaled = scaledForBox(m_picture);
        m_scaled.setDevicePixelRatio(devicePixelRatioF());
        painter.drawImage(inner.topLeft(), m_scaled);
    }
    if (m_border) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
