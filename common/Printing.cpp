#include "common/Printing.h"

#include "common/Module1.h"
#include "common/MsgBox.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>

namespace printing {

namespace {

FileChooser g_fileChooser;
PrintDialog g_printDialog;
QString g_lastFolder; // where the last PDF of this run was saved

// Sheets have room for about this many dots per inch: plenty for text and pictures, small numbers.
constexpr int kPdfResolution = 300;

QPageLayout a4Layout()
{
    const double margin = kMarginMillimetres;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin),
                       QPageLayout::Millimeter);
}

QString safeFileName(const QString &name)
{
    QString safe;
    for (const QChar c : name)
        safe.append(c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c) ? QLatin1Char('_') : c);
    safe = safe.trimmed();
    while (safe.endsWith(QLatin1Char('.')))
        safe.chop(1);
    safe.truncate(120);
    return safe.isEmpty() ? Module1::appTitle() : safe;
}

void reportPdfFailure(const QString &fileName, const QString &reason)
{
    msgbox::show(QStringLiteral("无法导出PDF文件：%1\r\n%2").arg(QDir::toNativeSeparators(fileName), reason));
}

} // namespace

void setFileChooser(FileChooser chooser)
{
    g_fileChooser = std::move(chooser);
}

void setPrintDialog(PrintDialog dialog)
{
    g_printDialog = std::move(dialog);
}

QString suggestedPdfPath(const QString &name)
{
    QString folder = g_lastFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(safeFileName(name) + QStringLiteral(".pdf"));
}

Actions makeActions(QWidget *window, QObject *owner, const std::function<void()> &print,
                    const std::function<void()> &exportPdf)
{
    Actions actions;
    actions.print = new QAction(QStringLiteral("打印…"), owner);
    actions.print->setObjectName(QStringLiteral("打印"));
    actions.print->setShortcut(QKeySequence::Print);
    actions.print->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    window->addAction(actions.print);
    QObject::connect(actions.print, &QAction::triggered, owner, print);
    actions.exportPdf = new QAction(QStringLiteral("导出PDF…"), owner);
    actions.exportPdf->setObjectName(QStringLiteral("导出PDF"));
    QObject::connect(actions.exportPdf, &QAction::triggered, owner, exportPdf);
    return actions;
}

void Actions::addTo(QMenu *menu) const
{
    menu->addSeparator();
    menu->addAction(print);
    menu->addAction(exportPdf);
}

void print(QWidget *parent, const QString &name, const Renderer &render)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4Layout());
    printer.setDocName(name);
    printer.setCreator(Module1::appTitle());

    bool accepted = false;
    if (g_printDialog) {
        accepted = g_printDialog(printer);
    } else {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("打印"));
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted)
        return;
    if (!printer.isValid() || !render(printer))
        msgbox::show(QStringLiteral("无法打印“%1”：打印机没有准备好。").arg(name));
}

void exportPdf(QWidget *parent, const QString &name, const Renderer &render)
{
    const QString suggested = suggestedPdfPath(name);
    // The standard dialog asks before an existing file is replaced.
    const QString chosen = g_fileChooser ? g_fileChooser(suggested)
                                         : QFileDialog::getSaveFileName(parent, QStringLiteral("导出PDF"), suggested,
                                                                        QStringLiteral("PDF 文件 (*.pdf)"));
    if (chosen.isEmpty())
        return;
    if (writePdf(chosen, name, render))
        g_lastFolder = QFileInfo(chosen).absolutePath();
}

bool writePdf(const QString &fileName, const QString &name, const Renderer &render)
{
    const QFileInfo target(fileName);
    if (!target.absoluteDir().exists()) {
        reportPdfFailure(fileName, QStringLiteral("文件夹不存在。"));
        return false;
    }
    if (target.isDir()) {
        reportPdfFailure(fileName, QStringLiteral("这是一个文件夹的名字。"));
        return false;
    }

    // The whole document is made in memory first, so that nothing reaches the disk unless it is
    // complete.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(a4Layout());
        writer.setResolution(kPdfResolution);
        writer.setTitle(name);
        writer.setCreator(Module1::appTitle());
        if (!render(writer)) {
            reportPdfFailure(fileName, QStringLiteral("无法生成文件的内容。"));
            return false;
        }
    }

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        reportPdfFailure(fileName, QStringLiteral("拒绝访问，无法在这里写入文件（%1）。").arg(file.errorString()));
        return false;
    }
    // A short write (a full disk, a limit on file sizes) is not an error to the file itself, so the
    // count is checked; either way the temporary file is removed and a file of the same name stays
    // as it was.
    const bool written = file.write(pdf.data()) == pdf.data().size();
    if (!written)
        file.cancelWriting();
    if (!written || !file.commit()) {
        reportPdfFailure(fileName, QStringLiteral("写入文件时出错，磁盘可能已满。文件没有保存。"));
        return false;
    }
    return true;
}

} // namespace printing
