#pragma once
// Opening an installation file for reading only when it is an ordinary file. A named pipe, a
// device or a socket put in a file's place is refused without ever blocking: a pipe would stop
// the reading thread in open() or read() until a writer comes, a device such as /dev/zero never
// ends. A size bound refuses a file too large to be one of ours before a byte is read.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace regularfile {

enum class Refusal {
    None,       // opened
    Missing,    // nothing of that name
    Folder,     // a folder of that name
    NotRegular, // a pipe, device or socket
    Denied,     // no permission
    TooLarge    // larger than the bound
};

/// Opens the file read-only if it is a regular file of at most maxBytes (no bound when negative).
/// A link is followed; what it leads to must be a regular file. The file is opened without
/// blocking and checked once open, so a pipe swapped in after the first look is refused too.
Refusal open(QFile &file, const QString &path, qint64 maxBytes = -1);

/// Reads an opened file to its end, at most maxBytes (no bound when negative). The buffer is
/// sized by the file's own size, not by the bound: QIODevice::read(maxBytes) would first allocate
/// the whole bound (32 MB for a picture) for a file of a few kilobytes. A file that grew since it
/// was opened is read up to the bound; one that shrank, to its new end.
QByteArray readAll(QFile &file, qint64 maxBytes = -1);

} // namespace regularfile
