#include "viewer/PictureCache.h"

namespace viewer {

size_t qHash(const PictureKey &key, size_t seed)
{
    return qHashMulti(seed, key.picture, key.box.width(), key.box.height());
}

PictureCache::PictureCache(qsizetype byteLimit)
    : m_byteLimit(byteLimit)
{
}

const ReadyPicture *PictureCache::find(const PictureKey &key, const FileStamp &current)
{
    const auto found = m_index.constFind(key);
    if (found == m_index.constEnd())
        return nullptr;
    const List::iterator it = found.value();
    if (!current.isFile() || !(it->picture.stamp == current)) {
        erase(it);
        return nullptr;
    }
    m_entries.splice(m_entries.begin(), m_entries, it);
    return &it->picture;
}

const ReadyPicture *PictureCache::peek(const PictureKey &key) const
{
    const auto found = m_index.constFind(key);
    return found == m_index.constEnd() ? nullptr : &found.value()->picture;
}

void PictureCache::insert(const PictureKey &key, const ReadyPicture &picture)
{
    remove(key);
    const qsizetype size = picture.image.sizeInBytes();
    if (picture.image.isNull() || size > m_byteLimit)
        return;
    m_entries.push_front({key, picture});
    m_index.insert(key, m_entries.begin());
    m_bytes += size;
    while (m_bytes > m_byteLimit)
        erase(std::prev(m_entries.end()));
}

void PictureCache::remove(const PictureKey &key)
{
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd())
        erase(found.value());
}

void PictureCache::clear()
{
    m_entries.clear();
    m_index.clear();
    m_bytes = 0;
}

void PictureCache::erase(List::iterator it)
{
    m_bytes -= it->picture.image.sizeInBytes();
    m_index.remove(it->key);
    m_entries.erase(it);
}

PictureCache &PictureCache::shared()
{
    // Room for a chapter's neighbourhood and a few panel views at full-HD box sizes.
    static PictureCache cache(24 << 20);
    return cache;
}

} // namespace viewer
