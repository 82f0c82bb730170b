#pragma once
// Loading the installation's pictures, with a description of the failure worded for the user.

#include <QIcon>
#include <QImage>

namespace pictures {

// Reads a picture file. On failure returns a null image and, when asked, a description that names
// the file and says what went wrong (missing, a folder, not a regular file, no access, too large to
// show, not a picture or damaged). Only a regular file is opened, without blocking; its size, its
// declared dimensions and the decoder's memory are bounded before decoding, and a JPEG of
// absurdly many scans is refused. Safe to call from any thread; it never shows a message.
// With a scaled size the picture comes back at that size; a JPEG larger than it is decoded at a
// reduced size by the decoder itself, which costs a fraction of a full decode. The picture's own
// size, as its file gives it, goes to pictureSize when asked.
QImage load(const QString &fileName, QString *errorDescription = nullptr, const QSize &scaledSize = QSize(),
            QSize *pictureSize = nullptr);

// The program's window icon, "\picture\linglu.png", read the first time it is asked for and then
// shared by every window (reading it costs more than many a window's whole construction).
QIcon appIcon();
// Starts reading the window icon on another thread, for the next appIcon() to take if the
// installation folder is still the same.
void preloadAppIcon();

} // namespace pictures
