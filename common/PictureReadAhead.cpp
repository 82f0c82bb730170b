#include "common/PictureReadAhead.h"

#include <QtConcurrent/QtConcurrentRun>

void PictureReadAhead::start(const QString &fileName, Reader read)
{
    m_fileName = fileName;
    m_picture = QtConcurrent::run(read, fileName);
}

QImage PictureReadAhead::take(const QString &fileName, Reader read)
{
    const bool ahead = m_picture.isValid() && m_fileName == fileName;
    const QImage picture = ahead ? m_picture.result() : read(fileName);
    m_picture = QFuture<QImage>();
    m_fileName.clear();
    return picture;
}
