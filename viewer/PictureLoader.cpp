#include "viewer/PictureLoader.h"

#include "common/Module1.h"
#include "common/Pictures.h"
#include "content/Catalogue.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>

namespace viewer {

QString pictureFile(int pictureNumber)
{
    return Module1::appFile(QStringLiteral("\\picture\\") + content::pictureDigits(pictureNumber) +
                            QStringLiteral(".jpg"));
}

ReadyPicture decodeForBox(const QString &fileName, const QSize &box, QString *failure)
{
    ReadyPicture ready;
    // The stamp is taken before reading: a file changed while it is read gets a newer stamp than
    // the one kept, so the picture is read again when it is next asked for.
    ready.stamp = FileStamp::of(fileName);
    QImage image = pictures::load(fileName, failure, box, &ready.pictureSize);
    if (image.isNull())
        return ready;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (!box.isEmpty() && image.size() != box)
        image = image.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ready.image = std::move(image);
    return ready;
}

PictureLoader &PictureLoader::instance()
{
    // Owned by the application, so it goes before the application's threads do.
    static PictureLoader *loader = new PictureLoader(QCoreApplication::instance());
    return *loader;
}

PictureLoader::PictureLoader(QObject *parent)
    : QObject(parent)
    , m_cache(PictureCache::shared())
{
    // One background decoder: the user-interface thread keeps the other core.
    m_pool.setMaxThreadCount(1);
    connect(&m_watcher, &QFutureWatcher<ReadyPicture>::finished, this, &PictureLoader::finished);
}

bool PictureLoader::load(int pictureNumber, const QSize &box, ReadyPicture *picture, QString *failure)
{
    const PictureKey key{pictureNumber, box};
    const QString file = pictureFile(pictureNumber);
    if (m_running && m_runningKey == key) {
        // Being decoded in the background right now: the rest of that work is the shortest way.
        m_watcher.waitForFinished();
        finished();
    }
    if (const ReadyPicture *cached = m_cache.find(key, FileStamp::of(file))) {
        *picture = *cached;
        return true;
    }
    ReadyPicture decoded = decodeForBox(file, box, failure);
    if (decoded.image.isNull())
        return false;
    m_cache.insert(key, decoded);
    *picture = std::move(decoded);
    return true;
}

void PictureLoader::prefetch(const QList<PictureKey> &keys)
{
    m_queue.clear();
    for (const PictureKey &key : keys)
        if (!m_cache.contains(key) && !(m_running && m_runningKey == key) && !m_queue.contains(key))
            m_queue.append(key);
    startNext();
}

void PictureLoader::startNext()
{
    while (!m_running && !m_queue.isEmpty()) {
        const PictureKey key = m_queue.takeFirst();
        if (m_cache.contains(key))
            continue;
        m_running = true;
        m_runningKey = key;
        m_watcher.setFuture(QtConcurrent::run(
            &m_pool, [file = pictureFile(key.picture), box = key.box] { return decodeForBox(file, box); }));
    }
}

void PictureLoader::finished()
{
    if (!m_running)
        return; // already taken by a selection that waited for it
    m_running = false;
    const ReadyPicture result = m_watcher.future().result();
    const PictureKey key = m_runningKey;
    if (!result.image.isNull())
        m_cache.insert(key, result);
    startNext();
    if (!result.image.isNull())
        emit pictureReady(key);
}

} // namespace viewer
