#pragma once
// The program-wide state: the installation folder and the file names formed from it, the chapter
// being opened, the application title, the loaded windows in load order and the frame's
// child-window area.

#include <QList>
#include <QString>
#include <QStringList>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace Module1 {

// "灵箓汇编": the caption of every message box that names none of its own.
QString appTitle();

// The folder of the executable, without a trailing separator. Set once before any window exists.
const QString &AppPath();
void setAppPath(const QString &path);

// A file of the installation: AppPath followed by a backslash-led relative name such as
// "\picture\078.jpg", with the backslashes mapped onto the platform's separator.
QString appFile(const QString &backslashRelativeName);

// The caption of a chapter's viewer, "灵箓汇编-" followed by the chapter's short title: the caption
// by which the viewer is found again.
QString chapterCaption(const QString &shortTitle);

// The file of the article of this name: AppPath + "\god\" + name + ".god".
QString articleFile(const QString &name);

// The catalogue banner's pictures, as file names inside "\picture\": the one shown until the
// first tick, and the four the ticks cycle through (a, b, c, d).
QString bannerStartFileName();
QStringList bannerFileNames();

// The short title of the chapter being opened; written by OpenChapterWindow, read by the viewer.
QString &CurrentChapter();

// Every window the program has loaded, in load order: the frame, the catalogue, viewers, article
// pages and the About box while it is open. Windows register themselves when they are created and
// drop out when they are destroyed.
void registerLoadedWindow(QWidget *window);
QList<QWidget *> loadedWindows();

// The caption by which a loaded window is found (its sub-window's title inside the frame).
QString captionOf(QWidget *window);

// The frame's child-window area, set by the main window while it exists.
QMdiArea *mdiArea();
void setMdiArea(QMdiArea *area);

// Puts a form into the frame as a child window and returns the sub-window that holds it.
QMdiSubWindow *addChildWindow(QWidget *form);

// The sub-window that holds a form, or null while it stands alone.
QMdiSubWindow *subWindowOf(QWidget *form);

} // namespace Module1
