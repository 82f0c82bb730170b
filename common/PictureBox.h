#pragma once

#include <QImage>
#include <QWidget>

// A picture stretched to fill the box (aspect ratio not kept), with an optional single-line border.
// The scaled copy is kept until the picture or the size changes, so repaints stay cheap; a caller
// that already has a copy scaled for the box hands it over with the picture. Where an opaque
// picture covers the box, nothing under it is painted first.
class PictureBox : public QWidget
{
    Q_OBJECT

  public:
    explicit PictureBox(QWidget *parent = nullptr);

    // The picture to show; scaled, when given, is the same picture already at scaledSize(), and
    // pictureSize the size of the picture in its file (the picture's own size when not given).
    void setPicture(const QImage &picture, const QImage &scaled = QImage(), const QSize &pictureSize = QSize());
    const QImage &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    QSize pictureSize() const { return m_pictureSize; }

    // The size, in device pixels, a picture is scaled to: the box inside its border.
    QSize scaledSize() const;
    // The picture scaled for this box as the box itself would scale it.
    QImage scaledForBox(const QImage &picture) const;

    void setBorder(bool border);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    void updateOpaque();

    QImage m_picture;
    QImage m_scaled;
    QSize m_pictureSize;
    bool m_border = false;
};
