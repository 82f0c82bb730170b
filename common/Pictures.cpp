#include "common/Pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace Pictures {

QImage load(const QString &fileName, QString *errorDescription)
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
    QImage image = reader.read();
    if (image.isNull())
        return fail(QStringLiteral("无效的图片：%1 不是可以识别的图片格式，或者文件已经损坏。").arg(shown));
    if (errorDescription)
        errorDescription->clear();
    return image;
}

} // namespace Pictures

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

void PictureBox::setBorder(bool border)
{
    m_border = border;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect inner = m_border ? rect().adjusted(1, 1, -1, -1) : rect();
    if (!m_picture.isNull() && inner.width() > 0 && inner.height() > 0) {
        const QSize target = inner.size() * devicePixelRatioF();
        if (m_scaled.isNull() || m_scaled.size() != target) {
            m_scaled = QPixmap::fromImage(
                m_picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            m_scaled.setDevicePixelRatio(devicePixelRatioF());
        }
        painter.drawPixmap(inner.topLeft(), m_scaled);
    }
    if (m_border) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
