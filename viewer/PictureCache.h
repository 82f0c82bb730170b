#pragma once
// The viewer's pictures, ready to show: each decoded and scaled for one box size, kept with the
// stamp of the file it came from. Bounded in bytes; the least recently used picture goes first.
// Used on the user-interface thread only: decoding happens elsewhere, the results come back here.

#include "common/FileStamp.h"

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>

#include <list>

namespace viewer {

using ::FileStamp;

struct PictureKey {
    int picture = -1; // the picture number of "\picture\NNN.jpg"
    QSize box;        // device pixels

    bool operator==(const PictureKey &) const = default;
};
size_t qHash(const PictureKey &key, size_t seed = 0);

struct ReadyPicture {
    QImage image;      // scaled to the key's box
    QSize pictureSize; // the picture's own size in its file
    FileStamp stamp;   // the file as it was just before it was read
};

class PictureCache
{
  public:
    explicit PictureCache(qsizetype byteLimit);

    // The picture for the key if the file still has the stamp it was read with; a picture whose
    // file has changed or gone is dropped. A hit becomes the most recently used.
    const ReadyPicture *find(const PictureKey &key, const FileStamp &current);
    bool contains(const PictureKey &key) const { return m_index.contains(key); }
    // The picture for the key as it was read, without looking at the file or the order.
    const ReadyPicture *peek(const PictureKey &key) const;

    // Keeps a picture, replacing one of the same key, then drops the least recently used until
    // the bound holds. A picture larger than the whole bound is not kept.
    void insert(const PictureKey &key, const ReadyPicture &picture);
    void remove(const PictureKey &key);
    void clear();

    qsizetype bytes() const { return m_bytes; }
    qsizetype byteLimit() const { return m_byteLimit; }
    int count() const { return int(m_index.size()); }

    // The one cache all viewers share: pictures of one chapter are often seen again in another.
    static PictureCache &shared();

  private:
    struct Entry {
        PictureKey key;
        ReadyPicture picture;
    };
    using List = std::list<Entry>; // front: most recently used

    void erase(List::iterator it);

    qsizetype m_byteLimit;
    qsizetype m_bytes = 0;
    List m_entries;
    QHash<PictureKey, List::iterator> m_index;
};

} // namespace viewer
