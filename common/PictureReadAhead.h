#pragma once
// A picture read on another thread while the user-interface thread does other work, taken by the
// next one who asks for the same file. Nothing is shown from that thread: a file that cannot be
// read leaves the picture empty, as it would when read on the spot.

#include <QFuture>
#include <QImage>
#include <QString>

class PictureReadAhead
{
  public:
    using Reader = QImage (*)(const QString &fileName);

    // Starts reading the file on Qt's thread pool.
    void start(const QString &fileName, Reader read);

    // The picture read ahead when it is of this file, or else read now. A picture read ahead is
    // taken once.
    QImage take(const QString &fileName, Reader read);

  private:
    QString m_fileName;
    QFuture<QImage> m_picture;
};
