#include "common/Pictures.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace Pictures {

QImage load(const QString &fileName, QString *errorDescription, const QSize &scaledSize, QSize *pictureSize)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    auto fail = [&](const QString &description) {
        if (errorDescription)
            *errorDescription = description;
        return QImage();
    };

    const QFileInfo info(fileName);
    if (!info.exists())
        return fail(QStringLiteral("文件未找到：%1").arg(shown));
    if (info.isDir())
        return fail(QStringLiteral("无法打开图片文件：%1 是一个文件夹，不是图片文件。").arg(shown));

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("拒绝访问，无法读取图片文件：%1").arg(shown));
    if (file.size() == 0)
        return fail(QStringLiteral("图片文件是空的：%1").arg(shown));

    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QSize ownSize = reader.size();
    if (pictureSize)
        *pictureSize = ownSize;
    if (!scaledSize.isEmpty())
        reader.setScaledSize(scaledSize);
    QImage image = reader.read();
    if (image.isNull())
        return fail(QStringLiteral("无效的图片：%1 不是可以识别的图片格式，或者文件已经损坏。").arg(shown));
    if (errorDescription)
        errorDescription->clear();
    return image;
}

} // namespace Pictures

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
    QImage scaled = source.size() == target ? source
                                            : source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
