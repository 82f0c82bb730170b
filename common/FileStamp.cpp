#include "common/FileStamp.h"

#include <QDateTime>
#include <QFileInfo>

FileStamp FileStamp::of(const QString &fileName)
{
    QFileInfo info(fileName);
    info.setCaching(false);
    return of(info);
}

FileStamp FileStamp::of(const QFileInfo &info)
{
    FileStamp stamp;
    if (!info.isFile())
        return stamp;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch();
    stamp.changed = info.metadataChangeTime().toMSecsSinceEpoch();
    return stamp;
}
