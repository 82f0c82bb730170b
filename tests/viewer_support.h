#pragma once
// Shared by the viewer's tests: an installation folder whose picture NNN is (100 + NNN) pixels
// wide, so a test can tell which one is shown, and the message boxes shown meanwhile.
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/Pictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

struct Installation {
    QTemporaryDir dir;
    QList<MsgBox::Shown> boxes;

    explicit Installation(QSize pictureSize = QSize(0, 24))
    {
        QDir(dir.path()).mkdir("picture");
        for (int number = 0; number <= 249; ++number) {
            QImage image(pictureSize.width() + 100 + number, pictureSize.height(), QImage::Format_RGB32);
            image.fill(QColor::fromHsv(number * 37 % 360, 120, 230));
            image.save(picture(number), "JPG", 85);
        }
        Module1::setAppPath(dir.path());
        MsgBox::setObserver([this](const MsgBox::Shown &box) { boxes.append(box); });
    }
    ~Installation() { MsgBox::setObserver({}); }
    QString picture(int number) const { return dir.filePath(QString::asprintf("picture/%03d.jpg", number)); }
    bool remove(int number) const { return QFile::remove(picture(number)); }
};

inline int pictureNumberOf(const PictureBox *box)
{
    // The box holds a copy scaled for its size; the picture's own size tells the number.
    return box && box->hasPicture() ? box->pictureSize().width() - 100 : -1;
}
