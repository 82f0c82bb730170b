#pragma once
// Shared by the viewer's tests: an installation folder with small pictures whose width tells
// their number, and the message boxes shown meanwhile.

#include "app/Module1.h"
#include "app/MsgBox.h"
#include "app/Pictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

namespace viewertest {

// Picture NNN is (100 + NNN) pixels wide, so a test can tell which one a PictureBox shows.
inline int pictureNumberOf(const PictureBox *box)
{
    return box && box->hasPicture() ? box->picture().width() - 100 : -1;
}

inline QString picturePath(const QTemporaryDir &dir, int number)
{
    return dir.filePath(QStringLiteral("picture/%1.jpg").arg(number, 3, 10, QLatin1Char('0')));
}

inline bool writePicture(const QTemporaryDir &dir, int number)
{
    QImage image(100 + number, 24, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((number * 37) % 360, 120, 230));
    return image.save(picturePath(dir, number), "JPG", 80);
}

// A fresh installation folder holding pictures 000 to 249; AppPath points at it.
class Installation
{
public:
    Installation()
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("picture"));
        for (int number = 0; number <= 249; ++number)
            writePicture(m_dir, number);
        Module1::setAppPath(m_dir.path());
    }
    const QTemporaryDir &dir() const { return m_dir; }
    QString path() const { return m_dir.path(); }
    bool removePicture(int number) const { return QFile::remove(picturePath(m_dir, number)); }
    bool restorePicture(int number) const { return writePicture(m_dir, number); }

private:
    QTemporaryDir m_dir;
};

// Records every message box instead of showing it.
class BoxRecorder
{
public:
    BoxRecorder()
    {
        MsgBox::setObserver([this](const MsgBox::Shown &box) { m_shown.append(box); });
    }
    ~BoxRecorder() { MsgBox::setObserver({}); }
    const QList<MsgBox::Shown> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QList<MsgBox::Shown> m_shown;
};

} // namespace viewertest
