#include "common/RegularFile.h"

#include <QFileInfo>

#include <algorithm>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace regularfile {

Refusal open(QFile &file, const QString &path, qint64 maxBytes)
{
    // A first look, which opens nothing: most refusals end here, before any device is touched.
    const QFileInfo info(path);
    if (!info.exists())
        return Refusal::Missing;
    if (info.isDir())
        return Refusal::Folder;
    if (!info.isFile())
        return Refusal::NotRegular;
    if (maxBytes >= 0 && info.size() > maxBytes)
        return Refusal::TooLarge;

#ifdef _WIN32
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refusal::Denied;
    if (maxBytes >= 0 && file.size() > maxBytes) {
        file.close();
        return Refusal::TooLarge;
    }
    return Refusal::None;
#else
    // Opened without blocking, then looked at again: what was opened is what is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Refusal::Missing : Refusal::Denied;
    struct stat st;
    Refusal refusal = Refusal::None;
    if (::fstat(fd, &st) != 0)
        refusal = Refusal::Denied;
    else if (S_ISDIR(st.st_mode))
        refusal = Refusal::Folder;
    else if (!S_ISREG(st.st_mode))
        refusal = Refusal::NotRegular;
    else if (maxBytes >= 0 && st.st_size > maxBytes)
        refusal = Refusal::TooLarge;
    if (refusal != Refusal::None) {
        ::close(fd);
        return refusal;
    }
    // Reads of a regular file do not block anyway; the flag goes so that reading sees no EAGAIN.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refusal::Denied;
    }
    return Refusal::None;
#endif
}

QByteArray readAll(QFile &file, qint64 maxBytes)
{
    QByteArray bytes;
    const qint64 size = file.size();
    if (size > 0)
        bytes = file.read(maxBytes >= 0 ? std::min(size, maxBytes) : size);
    // Whatever the file has beyond the size it had (it grew, or its size said nothing), in steps,
    // still within the bound.
    char chunk[16384];
    while (maxBytes < 0 || bytes.size() < maxBytes) {
        const qint64 wanted =
            maxBytes < 0 ? qint64(sizeof chunk) : std::min<qint64>(sizeof chunk, maxBytes - bytes.size());
        const qint64 got = file.read(chunk, wanted);
        if (got <= 0)
            break;
        bytes.append(chunk, got);
    }
    return bytes;
}

} // namespace regularfile
