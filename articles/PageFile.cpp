#include "articles/PageFile.h"

#include "common/Module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pagefile {

namespace {

QString shown(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

// A name no other writer uses, beside the page: the page's own name with a random tail.
QString uniqueNameIn(const QString &folder)
{
    const quint64 tail = QRandomGenerator::system()->generate64();
    return folder + QStringLiteral("/.%1.%2").arg(QLatin1String(kName)).arg(tail, 16, 16, QLatin1Char('0'));
}

// The folder the private page lives in, without creating it.
QString privateFolderPath()
{
    const QString folderName = QStringLiteral("/linglu");
#ifndef _WIN32
    // The per-session runtime folder first (private to the user by definition), the cache next.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime + folderName;
#endif
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : cache + folderName;
}

// What stands at the page's name now, looked at without following a link.
enum class Existing { Nothing, RegularFile, ReadOnlyFile, Link, Folder, Other };

Existing existingAt(const QString &path)
{
#ifdef _WIN32
    const QFileInfo info(path);
    if (info.isSymLink() || info.isJunction())
        return Existing::Link;
    if (!info.exists())
        return Existing::Nothing;
    if (info.isDir())
        return Existing::Folder;
    if (!info.isFile())
        return Existing::Other;
    return info.isWritable() ? Existing::RegularFile : Existing::ReadOnlyFile;
#else
    struct stat st;
    const QByteArray native = QFile::encodeName(path);
    if (::lstat(native.constData(), &st) != 0)
        return Existing::Nothing;
    if (S_ISLNK(st.st_mode))
        return Existing::Link;
    if (S_ISDIR(st.st_mode))
        return Existing::Folder;
    if (!S_ISREG(st.st_mode))
        return Existing::Other;
    // A page the user protected against writing is left as it is, as it would be on a system
    // where a read-only file cannot be replaced.
    return ::access(native.constData(), W_OK) == 0 ? Existing::RegularFile : Existing::ReadOnlyFile;
#endif
}

Written failed(const QString &error)
{
    Written result;
    result.error = error;
    return result;
}

#ifndef _WIN32
bool writeAll(int fd, const std::string &bytes)
{
    const char *data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t done = ::write(fd, data, left);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += done;
        left -= std::size_t(done);
    }
    return true;
}
#endif

} // namespace

Written writeInto(const QString &folder, const std::string &page, bool *notWritable)
{
    if (notWritable)
        *notWritable = false;
    const QString target = folder + QLatin1Char('/') + QLatin1String(kName);

    switch (existingAt(target)) {
    case Existing::Folder:
        return failed(QStringLiteral("无法写入临时文件：%1 是一个文件夹。").arg(shown(target)));
    case Existing::Link:
        return failed(QStringLiteral("无法写入临时文件：%1 是一个指向其他文件的链接。").arg(shown(target)));
    case Existing::Other:
        return failed(QStringLiteral("无法写入临时文件：%1 不是普通文件。").arg(shown(target)));
    case Existing::ReadOnlyFile:
        return failed(QStringLiteral("拒绝访问，无法写入临时文件：%1").arg(shown(target)));
    case Existing::Nothing:
    case Existing::RegularFile:
        break;
    }
    const QString denied = QStringLiteral("拒绝访问，无法写入临时文件：%1").arg(shown(target));
    const QString diskFull = QStringLiteral("写入临时文件时出错（磁盘可能已满）：%1").arg(shown(target));

#ifdef _WIN32
    // A new file (never an existing one), then moved over the page's name: the move replaces the
    // directory entry, link or not.
    QString fresh;
    QFile file;
    for (int attempt = 0; attempt < 8; ++attempt) {
        fresh = uniqueNameIn(folder);
        file.setFileName(fresh);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (QFileInfo::exists(fresh))
            continue;
        if (notWritable)
            *notWritable = true;
        return failed(denied);
    }
    if (!file.isOpen())
        return failed(denied);
    const bool complete = file.write(page.data(), qint64(page.size())) == qint64(page.size()) && file.flush();
    file.close();
    if (!complete || file.error() != QFileDevice::NoError) {
        QFile::remove(fresh);
        return failed(diskFull);
    }
    if (!MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(fresh).utf16()),
                     reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(target).utf16()),
                     MOVEFILE_REPLACE_EXISTING)) {
        QFile::remove(fresh);
        return failed(denied);
    }
#else
    QString fresh;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        fresh = uniqueNameIn(folder);
        fd = ::open(QFile::encodeName(fresh).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST && errno != EINTR) {
            const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
            if (notWritable)
                *notWritable = refused;
            return failed(refused ? denied : diskFull);
        }
    }
    if (fd < 0)
        return failed(denied);
    const bool complete = writeAll(fd, page);
    const bool closed = ::close(fd) == 0;
    if (!complete || !closed) {
        ::unlink(QFile::encodeName(fresh).constData());
        return failed(diskFull);
    }
    // The rename replaces whatever directory entry has the page's name by now (a link that was
    // swapped in meanwhile included) without opening it.
    if (::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(target).constData()) != 0) {
        const int why = errno;
        ::unlink(QFile::encodeName(fresh).constData());
        if (why == EISDIR || why == ENOTEMPTY || why == EEXIST)
            return failed(QStringLiteral("无法写入临时文件：%1 是一个文件夹。").arg(shown(target)));
        return failed(denied);
    }
#endif
    Written result;
    result.ok = true;
    result.path = target;
    return result;
}

QString privateFolder(QString *error)
{
    const QString folder = privateFolderPath();
    auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return QString();
    };
    if (folder.isEmpty())
        return refuse(QStringLiteral("没有可以写入的用户文件夹。"));
    const QString parent = QFileInfo(folder).path();
    if (!QDir().mkpath(parent))
        return refuse(QStringLiteral("拒绝访问，无法建立文件夹：%1").arg(shown(parent)));
#ifdef _WIN32
    // The user's local application data folder is the user's own.
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder))
        return refuse(QStringLiteral("拒绝访问，无法建立文件夹：%1").arg(shown(folder)));
    if (QFileInfo(folder).isSymLink() || QFileInfo(folder).isJunction())
        return refuse(QStringLiteral("文件夹不安全：%1").arg(shown(folder)));
#else
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return refuse(QStringLiteral("拒绝访问，无法建立文件夹：%1").arg(shown(folder)));
    // Only a real folder of this user's, closed to everybody else, holds the page.
    struct stat st;
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return refuse(QStringLiteral("文件夹不安全：%1").arg(shown(folder)));
    if ((st.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return refuse(QStringLiteral("文件夹不安全：%1").arg(shown(folder)));
#endif
    return folder;
}

Written writePage(const std::string &page)
{
    bool notWritable = false;
    const Written inInstallation = writeInto(Module1::AppPath(), page, &notWritable);
    if (inInstallation.ok || !notWritable)
        return inInstallation;
    // The installation folder is not ours to write: the user's private folder serves instead.
    const QString folder = privateFolder();
    if (folder.isEmpty())
        return inInstallation;
    const Written inPrivate = writeInto(folder, page);
    return inPrivate.ok ? inPrivate : inInstallation;
}

bool removePage(const QString &path)
{
    const QFileInfo info(path);
    // QFileInfo looks at a link itself: a dangling link is a link, not a missing file.
    if (!info.isSymLink() && (!info.exists() || info.isDir()))
        return false;
#ifdef _WIN32
    return QFile::remove(path);
#else
    return ::unlink(QFile::encodeName(path).constData()) == 0;
#endif
}

void removePages()
{
    removePage(Module1::appFile(QStringLiteral("\\tem.htm")));
    const QString folder = privateFolderPath();
    if (folder.isEmpty())
        return;
    const QFileInfo info(folder);
    if (info.isDir() && !info.isSymLink())
        removePage(folder + QLatin1Char('/') + QLatin1String(kName));
}

} // namespace pagefile
