#pragma once
// Loading the installation's pictures, with a description of the failure worded for the user, and
// the picture box that shows one stretched to its size.

#include <QImage>
#include <QWidget>

namespace Pictures {

// Reads a picture file. On failure returns a null image and, when asked, a description that names
// the file and says what went wrong (missing, a folder, no access, not a picture or damaged).
QImage load(const QString &fileName, QString *errorDescription = nullptr);

} // namespace Pictures

// A picture stretched to fill the box (aspect ratio not kept), with an optional single-line border.
// The scaled copy is kept until the picture or the size changes, so repaints stay cheap.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }

    void setBorder(bool border);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QPixmap m_scaled;
    bool m_border = false;
};
