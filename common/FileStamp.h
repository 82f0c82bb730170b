#pragma once
// What a file looked like when it was read: a picture is only shown again from what was read
// while its file still looks the same. A stamp with size -1 means there was no regular file.

#include <QtGlobal>

class QFileInfo;
class QString;

struct FileStamp {
    qint64 size = -1;
    qint64 modified = 0; // ms since the epoch
    qint64 changed = 0;  // metadata change (permissions, links), ms since the epoch

    bool isFile() const { return size >= 0; }
    bool operator==(const FileStamp &) const = default;

    // Reads the file's stamp now (never a cached one).
    static FileStamp of(const QString &fileName);
    // The stamp of a file already looked at.
    static FileStamp of(const QFileInfo &info);
};
