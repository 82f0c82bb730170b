#include "common/Printing.h"

#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/PdfTextMap.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QHash>
#include <QMenu>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRawFont>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>

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

// The PostScript name of a face from its naming table (name 6), as the PDF writer names the face.
QByteArray postscriptName(const QByteArray &table)
{
    const auto number = [&table](qsizetype at) {
        return at >= 0 && at + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + at) : 0;
    };
    const int count = number(2);
    const int strings = number(4);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + 12 * qsizetype(i);
        if (number(record + 6) != 6)
            continue;
        const int platform = number(record);
        const QByteArray bytes = table.mid(strings + number(record + 10), number(record + 8));
        if (platform == 1)
            return bytes; // Macintosh: one byte a character
        QByteArray name;  // Unicode and Windows: UTF-16, big-endian, ASCII in a PostScript name
        for (qsizetype at = 1; at < bytes.size(); at += 2)
            name += bytes.at(at);
        return name;
    }
    return QByteArray();
}

// The faces the program draws with, by PostScript name: for each look-alike (a radical or a stroke)
// the ideograph the face draws with the same glyph, looked up among the unified ideographs first,
// then the compatibility ideographs, then extension A.
QHash<QByteArray, QHash<char32_t, char32_t>> readFaces()
{
    QStringList families;
    for (const QFont &font : {fonts::liShu(12), fonts::kaiTi(12), fonts::songTi(12), fonts::fangSong(12)})
        for (const QString &family : font.families())
            if (!families.contains(family))
                families.append(family);
    QString looks;
    for (char32_t code = 0x2E80; code <= 0x31EF; ++code)
        if (pdftextmap::isLookAlike(code))
            looks += QChar(code);
    QString ideographs;
    for (const auto &[first, last] : {std::pair{0x4E00, 0x9FFF}, std::pair{0xF900, 0xFAFF}, std::pair{0x3400, 0x4DBF}})
        for (int code = first; code <= last; ++code)
            ideographs += QChar(code);

    QHash<QByteArray, QHash<char32_t, char32_t>> faces;
    for (const QString &family : families) {
        for (const bool bold : {false, true}) {
            QFont font(family);
            font.setBold(bold);
            const QRawFont raw = QRawFont::fromFont(font);
            const QByteArray name = raw.isValid() ? postscriptName(raw.fontTable("name")) : QByteArray();
            if (name.isEmpty() || faces.contains(name))
                continue;
            QHash<quint32, char32_t> ideographOf; // by glyph: the first ideograph drawn with it
            const QList<quint32> glyphs = raw.glyphIndexesForString(ideographs);
            for (qsizetype i = 0; i < glyphs.size() && i < ideographs.size(); ++i)
                if (glyphs.at(i) != 0 && !ideographOf.contains(glyphs.at(i)))
                    ideographOf.insert(glyphs.at(i), ideographs.at(i).unicode());
            QHash<char32_t, char32_t> reading;
            const QList<quint32> lookGlyphs = raw.glyphIndexesForString(looks);
            for (qsizetype i = 0; i < lookGlyphs.size() && i < looks.size(); ++i)
                if (ideographOf.contains(lookGlyphs.at(i)))
                    reading.insert(looks.at(i).unicode(), ideographOf.value(lookGlyphs.at(i)));
            faces.insert(name, reading);
            faces.insert(QByteArray(name).replace(' ', '_'), reading); // as the writer may spell it
        }
    }
    return faces;
}

char32_t faceReading(const QByteArray &postscriptName, char32_t lookAlike)
{
    static const QHash<QByteArray, QHash<char32_t, char32_t>> faces = readFaces();
    return faces.value(postscriptName).value(lookAlike);
}

// The text of a PDF file the printer wrote, mended in place; the file is replaced only when the
// mended one is complete, and left as the printer wrote it otherwise.
void mendPdfFile(const QString &fileName)
{
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly))
        return;
    const QByteArray written = in.readAll();
    in.close();
    const QByteArray mended = pdftextmap::withIdeographs(written, faceReading);
    if (mended == written)
        return;
    QSaveFile out(fileName);
    if (out.open(QIODevice::WriteOnly) && out.write(mended) == mended.size())
        out.commit();
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
    if (!printer.isValid() || !render(printer)) {
        msgbox::show(QStringLiteral("无法打印“%1”：打印机没有准备好。").arg(name));
        return;
    }
    // Printed to a PDF file: its text is mended as an exported file's is.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        mendPdfFile(printer.outputFileName());
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
    const QByteArray bytes = pdftextmap::withIdeographs(pdf.data(), faceReading);
    const bool written = file.write(bytes) == bytes.size();
    if (!written)
        file.cancelWriting();
    if (!written || !file.commit()) {
        reportPdfFailure(fileName, QStringLiteral("写入文件时出错，磁盘可能已满。文件没有保存。"));
        return false;
    }
    return true;
}

} // namespace printing
