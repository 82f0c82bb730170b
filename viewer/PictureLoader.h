#pragma once
// Where the viewers get their pictures: from the shared cache when the file has not changed since
// it was read, otherwise decoded at once; and, in the background, the pictures the user is likely
// to ask for next, so that those show at once. Lives on the user-interface thread; the background
// work sees only file names and sizes and hands back finished pictures.

#include "viewer/PictureCache.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QThreadPool>

namespace viewer {

// The file of a picture number: AppPath + "\picture\NNN.jpg".
QString pictureFile(int pictureNumber);

// Reads a picture file decoded for a box of the given size (device pixels): a JPEG larger than the
// box is decoded at a reduced size in the decoder itself, then scaled to the box exactly. An empty
// box gives the picture at its own size. Safe on any thread; shows nothing. On failure the image is
// null and the description says what went wrong.
ReadyPicture decodeForBox(const QString &fileName, const QSize &box, QString *failure = nullptr);

class PictureLoader : public QObject
{
    Q_OBJECT

  public:
    static PictureLoader &instance();

    // The picture for the box: from the cache if its file still has the stamp it was read with,
    // else decoded now. A failure returns false with its description, at once.
    bool load(int pictureNumber, const QSize &box, ReadyPicture *picture, QString *failure);

    // Replaces the background queue with these, nearest first; each is decoded into the cache
    // unless it is there already. Failures are dropped: a selection of that picture reports its
    // own when it happens.
    void prefetch(const QList<PictureKey> &keys);

    // True while background work is queued or running.
    bool isBusy() const { return m_running || !m_queue.isEmpty(); }

    PictureCache &cache() { return m_cache; }

  signals:
    // A background decode has put this picture into the cache.
    void pictureReady(const viewer::PictureKey &key);

  private:
    explicit PictureLoader(QObject *parent);
    void startNext();
    void finished();

    PictureCache &m_cache;
    QThreadPool m_pool;
    QList<PictureKey> m_queue;
    bool m_running = false;
    PictureKey m_runningKey;
    QFutureWatcher<ReadyPicture> m_watcher;
};

} // namespace viewer
