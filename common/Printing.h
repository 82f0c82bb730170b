#pragma once
// Printing a document and keeping it as a PDF file, for every window that has something to print.
// A window supplies a renderer that draws its document onto A4 sheets; this takes care of the
// printer dialog, the choice of the file, the PDF's title and writing the file safely.
//
// Tests replace the two dialogs through the seams below, so nothing modal runs.

#include <QString>

#include <functional>

class QAction;
class QMenu;
class QObject;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace printing {

// Draws the document onto a device that makes sheets (a printer or the PDF writer), beginning and
// ending its own painter; the device is set to A4 with the margins below. False when the drawing
// could not be done.
using Renderer = std::function<bool(QPagedPaintDevice &sheets)>;

// The margins of every sheet, in millimetres.
constexpr double kMarginMillimetres = 15;

// 打印…: the printer dialog, then the document on the chosen printer. The name is the print job's
// document name.
void print(QWidget *parent, const QString &name, const Renderer &render);

// 导出PDF…: asks where to save the file, suggesting the name, then writes it.
void exportPdf(QWidget *parent, const QString &name, const Renderer &render);

// The two commands of a window that prints: 打印… (Ctrl+P wherever the focus is inside the window)
// and 导出PDF…, owned by owner and running the given handlers.
struct Actions {
    QAction *print = nullptr;
    QAction *exportPdf = nullptr;

    // Adds both to a context menu, after a separator.
    void addTo(QMenu *menu) const;
};
Actions makeActions(QWidget *window, QObject *owner, const std::function<void()> &print,
                    const std::function<void()> &exportPdf);

// Writes the document as a PDF file whose title is the name. The file appears only when it is
// complete: it is written to a temporary file in the same folder and renamed over the target at the
// end. On failure (no such folder, no permission, the disk full) one message box says so and no file
// is left behind; an existing file of that name stays as it was.
bool writePdf(const QString &fileName, const QString &name, const Renderer &render);

// The file the save dialog suggests: the name, made safe as a file name, with ".pdf", in the folder
// last saved to in this run, at first the user's documents folder.
QString suggestedPdfPath(const QString &name);

// The save dialog's stand-in: given the suggested path, returns the chosen one (empty: cancelled).
using FileChooser = std::function<QString(const QString &suggestedPath)>;
void setFileChooser(FileChooser chooser);

// The printer dialog's stand-in: sets up the printer and returns whether to print.
using PrintDialog = std::function<bool(QPrinter &printer)>;
void setPrintDialog(PrintDialog dialog);

} // namespace printing
