#pragma once
// The temporary page "\tem.htm": where an opened article's decoded page is written, and how the
// main window's timer deletes it again.
//
// The page is never written through an existing directory entry. It goes to a new file of a unique
// name in the same folder, created exclusively and without following links, and that file is then
// renamed over "tem.htm". So a hard link, a symbolic link or a named pipe called "tem.htm" is never
// opened: whatever file it leads to stays untouched, and nothing can block the writer. When the
// installation folder cannot be written (an installation owned by another user, a read-only
// medium), the page goes to the same name in a private folder of the user's own.

#include <QString>

#include <string>

namespace pagefile {

/// The file name of the page inside whichever folder holds it.
inline constexpr char kName[] = "tem.htm";

struct Written {
    bool ok = false;
    QString path;  // the page file that now holds the page, when ok
    QString error; // the description for the user, naming the page file, when not ok
};

/// Writes the page into the installation folder, or, when that folder cannot be written, into
/// the private folder.
Written writePage(const std::string &page);

/// Writes the page as folder + "/tem.htm". notWritable is set when the folder itself refused the
/// new file (no permission, a read-only file system), the case in which another folder may serve.
Written writeInto(const QString &folder, const std::string &page, bool *notWritable = nullptr);

/// The user's private folder for the page, created (mode 0700) when missing; empty when none can
/// be made or the one there is not safe (not a folder of this user's, open to others).
QString privateFolder(QString *error = nullptr);

/// The timer's tick: deletes "tem.htm" in the installation folder and in the private folder. A
/// link of that name, dangling or not, is removed itself and never followed; a folder of that name
/// is left alone. Failures are ignored: the next tick tries again.
void removePages();

/// Deletes one page file as the timer does; false when nothing was removed.
bool removePage(const QString &path);

} // namespace pagefile
