#pragma once
// Loading the installation's pictures, with a description of the failure worded for the user, and
// the picture box that shows one stretched to its size.

#include <QIcon>
#include <QImage>
#include <QWidget>

namespace pictures {

// Reads a picture file. On failure returns a null image and, when asked, a description that names
// the file and says what went wrong (missing, a folder, not a regular file, no access, too large to
// show, not a picture or damaged). Only a regular file is opened, without blocking; its size, its
// declared dimensions and the decoder's memory are bounded before decoding, and a JPEG of
// absurdly many scans is refused. Safe to call from any thread; it never shows a message.
// With a scaled size the picture comes back at that size; a JPEG larger than it is decoded at a
// reduced size by the decoder itself, which costs a fraction of a full decode. The picture's own
// size, as its file gives it, goes to pictureSize when asked.
QImage load(const QString &fileName, QString *errorDescription = nullptr, const QSize &scaledSize = QSize(),
            QSize *pictureSize = nullptr);

// The program's window icon, "\picture\linglu.png", read the first time it is asked for and then
// shared by every window (reading it costs more than many a window's whole construction).
QIcon appIcon();
// Starts reading the window icon on another thread, for the next appIcon() to take if the
// installation folder is still the same.
void preloadAppIcon();

} // namespace pictures

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
