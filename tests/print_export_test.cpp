// Keeping and looking closer at pages: every page of a chapter, the 奇门遁甲 views and both
// articles exported to PDF and read back with poppler's tools; printing through the printer path;
// failed exports; the picture viewer opened from a page and worked with the keys; copying.
#include "app/MDIForm1.h"
#include "app/Startup.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/PdfTextMap.h"
#include "common/PictureBox.h"
#include "common/Pictures.h"
#include "common/Pinyin.h"
#include "common/Printing.h"
#include "common/TextForm.h"
#include "common/TextFormWidgets.h"
#include "content/Catalogue.h"
#include "viewer/Fllhb.h"
#include "viewer/PageCommands.h"
#include "viewer/PictureViewer.h"
#include "viewer/TextPane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <memory>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

QString runTool(const QString &program, const QStringList &arguments, QString *complaints = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromUtf8(process.readAllStandardError()));
    if (complaints)
        *complaints = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString withoutSpaces(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// Where two texts first differ, with a little of each from there; empty when they are the same.
QString difference(const QString &actual, const QString &expected)
{
    if (actual == expected)
        return QString();
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual.at(at) == expected.at(at))
        ++at;
    return QStringLiteral("at %1 of %2/%3: read \"%4\", shown \"%5\"")
        .arg(at)
        .arg(actual.size())
        .arg(expected.size())
        .arg(actual.mid(at, 24), expected.mid(at, 24));
}

// A document's text as it is drawn: every paragraph in order, a numbered item after its number.
QString drawnText(const QTextDocument *document)
{
    QString text;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // A bullet is a shape, a number is text.
        const QTextList *list = block.textList();
        if (list && list->format().style() <= QTextListFormat::ListDecimal)
            text += list->itemText(block);
        text += block.text();
    }
    return text;
}

// What poppler's tools read from a PDF file.
struct PdfReading {
    QString title;
    int pages = 0;
    QString text;       // without any white space, so line breaks of the layout do not matter
    QString complaints; // what pdfinfo found wrong with the file's structure (its cross-references)
    struct Image {
        int width;
        int height;
        int xPpi;
        int yPpi;
    };
    QList<Image> images;

    explicit PdfReading(const QString &file)
    {
        const QString info = runTool(QStringLiteral("pdfinfo"), {file}, &complaints);
        title = QRegularExpression(QStringLiteral("^Title:\\s*(.*)$"), QRegularExpression::MultilineOption)
                    .match(info)
                    .captured(1)
                    .trimmed();
        pages = QRegularExpression(QStringLiteral("^Pages:\\s*(\\d+)"), QRegularExpression::MultilineOption)
                    .match(info)
                    .captured(1)
                    .toInt();
        // As the text layer has it: a radical where the page shows an ideograph is a fault.
        text = withoutSpaces(runTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")}));
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        const QStringList lines = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}).split('\n');
        for (const QString &line : lines.mid(2)) {
            const QStringList column = line.simplified().split(' ');
            if (column.size() >= 14 && column.at(2) == QStringLiteral("image"))
                images.append(
                    {column.at(3).toInt(), column.at(4).toInt(), column.at(12).toInt(), column.at(13).toInt()});
        }
    }
};

} // namespace

class PrintExportTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void exportPage_data();
    void exportPage();
    void exportPage_withPinyin_data();
    void exportPage_withPinyin();
    void exportPage_traditional_data();
    void exportPage_traditional();
    void exportArticle_data();
    void exportArticle();
    void printThroughThePrinter();
    void everyFace_data();
    void everyFace();
    void failedExport_data();
    void failedExport();
    void suggestedName();
    void pictureViewer_data();
    void pictureViewer();
    void pictureViewer_missingFile_oneMessage();
    void copy();

  private:
    Fllhb *openChapter(const QString &shortTitle);
    void goTo(Fllhb *viewer, const QString &entry, const QString &buttons);
    PageCommands *commands(Fllhb *viewer) const { return viewer->pageCommands(); }
    QString installed(const QString &relative) const { return m_install.filePath(relative); }

    QTemporaryDir m_install;
    QTemporaryDir m_out;
    MDIForm1 *m_frame = nullptr;
    QList<msgbox::Shown> m_boxes;
    QString m_chosen; // what the stand-in of the save dialog answers
    int m_asked = 0;
};

void PrintExportTest::initTestCase()
{
    // The installation's own pictures and articles: each picture a link to the built one, so a
    // test may remove one without touching the build.
    const QDir bin(qEnvironmentVariable("LINGLU_BIN_DIR"));
    QVERIFY2(bin.exists(QStringLiteral("picture/085.jpg")), qPrintable(bin.path()));
    QDir install(m_install.path());
    install.mkpath(QStringLiteral("picture"));
    install.mkpath(QStringLiteral("god"));
    for (const QFileInfo &file : QDir(bin.filePath(QStringLiteral("picture"))).entryInfoList(QDir::Files))
        QVERIFY(QFile::link(file.absoluteFilePath(), install.filePath(QStringLiteral("picture/") + file.fileName())));
    for (const QFileInfo &file : QDir(bin.filePath(QStringLiteral("god"))).entryInfoList(QDir::Files))
        QVERIFY(QFile::copy(file.absoluteFilePath(), install.filePath(QStringLiteral("god/") + file.fileName())));
    for (const char *tool : {"pdfinfo", "pdftotext", "pdfimages"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);

    msgbox::setObserver([this](const msgbox::Shown &box) { m_boxes.append(box); });
    printing::setFileChooser([this](const QString &) {
        ++m_asked;
        return m_chosen;
    });
    m_frame = Module1::Main([] { return QDate(2026, 5, 1); }, m_install.path());
    QVERIFY(m_frame);
    m_frame->resize(1400, 900);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void PrintExportTest::init()
{
    m_boxes.clear();
    m_asked = 0;
}

void PrintExportTest::cleanup()
{
    // Only the catalogue stays open between tests.
    for (QMdiSubWindow *sub : m_frame->area()->subWindowList())
        if (sub != m_frame->catalogueWindow())
            delete sub;
}

void PrintExportTest::cleanupTestCase()
{
    delete m_frame;
    printing::setFileChooser({});
    printing::setPrintDialog({});
    msgbox::setObserver({});
}

Fllhb *PrintExportTest::openChapter(const QString &shortTitle)
{
    Module1::CurrentChapter() = shortTitle;
    auto *viewer = new Fllhb;
    QMdiSubWindow *sub = Module1::addChildWindow(viewer);
    sub->setWindowTitle(QStringLiteral("灵箓汇编-") + shortTitle);
    sub->showMaximized();
    return viewer;
}

void PrintExportTest::goTo(Fllhb *viewer, const QString &entry, const QString &buttons)
{
    viewer->chooseEntry(viewer->findChild<QComboBox *>(QStringLiteral("Combo1"))->findText(entry));
    for (const QString &button : buttons.split(',', Qt::SkipEmptyParts))
        viewer->findChild<QPushButton *>(button)->click();
}

void PrintExportTest::exportPage_data()
{
    QTest::addColumn<QString>("chapter");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("pictures");

    // Every page of 祝由秘字: wide pages and the one of normal width.
    const content::Chapter *chapter = content::Catalogue::instance().chapterByShortTitle(QStringLiteral("祝由秘字"));
    for (const QString &entry : content::Catalogue::entryNames(*chapter))
        QTest::newRow(qPrintable(entry)) << chapter->shortTitle << entry << QString() << entry << 1;
    // Every page of 日常琐事, whose texts hold many characters that the faces share with radicals.
    const content::Chapter *daily = content::Catalogue::instance().chapterByShortTitle(QStringLiteral("日常琐事"));
    for (const QString &entry : content::Catalogue::entryNames(*daily))
        QTest::newRow(qPrintable(daily->shortTitle + ' ' + entry))
            << daily->shortTitle << entry << QString() << entry << 1;
    // The 奇门遁甲 views are named after what they show.
    const QString qimen = QStringLiteral("奇门遁甲");
    QTest::newRow("真人步斗法") << qimen << "真人步斗法" << QString() << "真人步斗法" << 1;
    QTest::newRow("overview") << qimen << "玉女反闭诀" << QString() << "玉女反闭诀" << 1;
    QTest::newRow("day chart") << qimen << "玉女反闭诀"
                               << "Command4"
                               << "每日布局速成图（午未日）" << 1;
    QTest::newRow("figure") << qimen << "玉女反闭诀"
                            << "Command9"
                            << "丙奇符式" << 1;
    QTest::newRow("picture hidden") << qimen << "玉女反闭诀"
                                    << "Command1,Command13"
                                    << "每日布局速成图（子丑日）" << 0;
    // A page with a heading of its own.
    QTest::newRow("heading title") << "镇宅兴家"
                                   << "镇刀兵舌谋害恶毕和之鬼法" << QString() << "镇刀兵舌谋害恶毕和之鬼法" << 1;
}

void PrintExportTest::exportPage()
{
    QFETCH(QString, chapter);
    QFETCH(QString, entry);
    QFETCH(QString, buttons);
    QFETCH(QString, title);
    QFETCH(int, pictures);

    Fllhb *viewer = openChapter(chapter);
    goTo(viewer, entry, buttons);
    QCOMPARE(commands(viewer)->pictureTitle(), title);

    m_chosen = m_out.filePath(QStringLiteral("page %1.pdf").arg(QTest::currentDataTag()));
    commands(viewer)->exportPdfAction()->trigger();
    QCOMPARE(m_asked, 1);
    QCOMPARE(m_boxes.size(), 0);

    const PdfReading pdf(m_chosen);
    QCOMPARE(pdf.title, title);
    QCOMPARE(pdf.pages, 1);
    QVERIFY2(pdf.complaints.isEmpty(), qPrintable(pdf.complaints));
    // The header names chapter and entry; the heading line and first paragraph of each section are
    // there in full.
    // The text layer holds exactly what the sheet shows: the header, the heading and both panes.
    const QString headerEntry = chapter == QStringLiteral("奇门遁甲") ? viewer->currentEntry() : title;
    const QString shown = Module1::appTitle() + QStringLiteral(" · ") + chapter + headerEntry + title +
                          viewer->findChild<TextPane *>(QStringLiteral("Text3"))->text() +
                          viewer->findChild<TextPane *>(QStringLiteral("Text2"))->text();
    QVERIFY2(difference(pdf.text, withoutSpaces(shown)).isEmpty(),
             qPrintable(difference(pdf.text, withoutSpaces(shown))));
    QVERIFY2(pdf.text.contains(withoutSpaces(chapter)), qPrintable(pdf.text.left(200)));
    QVERIFY(pdf.text.contains(withoutSpaces(title)));
    for (const char *pane : {"Text3", "Text2"}) {
        const QStringList lines = viewer->findChild<TextPane *>(QLatin1String(pane))->text().split("\r\n");
        for (const QString &line : lines.mid(0, 2))
            QVERIFY2(pdf.text.contains(withoutSpaces(line)), qPrintable(pane + QStringLiteral(": ") + line));
    }

    QCOMPARE(pdf.images.size(), pictures);
    if (pictures) {
        // The picture at full resolution, drawn at its own proportions.
        const QSize size = QImageReader(viewer->pictureFile()).size();
        QCOMPARE(QSize(pdf.images.first().width, pdf.images.first().height), size);
        QVERIFY2(qAbs(pdf.images.first().xPpi - pdf.images.first().yPpi) <= 1,
                 qPrintable(QStringLiteral("%1 x %2 ppi").arg(pdf.images.first().xPpi).arg(pdf.images.first().yPpi)));
    }
}

void PrintExportTest::exportPage_withPinyin_data()
{
    QTest::addColumn<QString>("chapter");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("buttons");
    QTest::newRow("form I page") << "日常琐事"
                                 << "除臭虫夜出灵符" << QString();
    QTest::newRow("真人步斗法") << "奇门遁甲"
                                << "真人步斗法" << QString();
    QTest::newRow("figure") << "奇门遁甲"
                            << "玉女反闭诀"
                            << "Command9";
}

// With 注音 on, the sheet carries what the pane shows: the readings above the incantation's
// characters, and the characters themselves in their order.
void PrintExportTest::exportPage_withPinyin()
{
    QFETCH(QString, chapter);
    QFETCH(QString, entry);
    QFETCH(QString, buttons);
    Fllhb *viewer = openChapter(chapter);
    goTo(viewer, entry, buttons);
    viewer->setPinyinShown(true);
    TextPane *pane = viewer->lowerPane();
    QVERIFY(pane->showsReadings());

    m_chosen = m_out.filePath(QStringLiteral("pinyin %1.pdf").arg(QTest::currentDataTag()));
    commands(viewer)->exportPdfAction()->trigger();
    QCOMPARE(m_boxes.size(), 0);
    const PdfReading pdf(m_chosen);
    QCOMPARE(pdf.pages, 1);
    QVERIFY2(pdf.complaints.isEmpty(), qPrintable(pdf.complaints));

    // The readings of the incantation's first paragraph of some length: the first few stand on one
    // line together.
    const QStringList lines = pane->text().split("\r\n");
    QList<pinyin::Reading> readings;
    for (int i = 1; i < lines.size() && readings.size() < 4; ++i)
        readings = pinyin::readingsOf(lines.at(i));
    QVERIFY(readings.size() >= 4);
    QString first;
    for (const pinyin::Reading &reading : readings.mid(0, 4))
        first += reading.syllable;
    QVERIFY2(pdf.text.contains(first), qPrintable(first + " not in " + pdf.text.left(400)));
    // Every syllable of the pane appears, and no character is lost between the readings.
    int at = 0;
    for (const QString &line : lines.mid(1))
        for (const pinyin::Reading &reading : pinyin::readingsOf(line)) {
            const int found = pdf.text.indexOf(line.mid(reading.position, reading.length), at);
            QVERIFY2(found >= 0, qPrintable(line.mid(reading.position, reading.length) + " of " + line));
            at = found + 1;
            QVERIFY2(pdf.text.contains(reading.syllable), qPrintable(reading.syllable));
        }
    viewer->setPinyinShown(false);
}

void PrintExportTest::exportPage_traditional_data()
{
    QTest::addColumn<QString>("chapter");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("readings");
    QTest::newRow("镇宅兴家") << "镇宅兴家"
                              << "镇刀兵舌谋害恶毕和之鬼法" << false;
    QTest::newRow("with 注音") << "日常琐事"
                               << "除臭虫夜出灵符" << true;
}

// With 繁體字 on, the sheet and its text layer hold the page as shown: the header, the heading and
// both panes in traditional characters, and with 注音 the readings unchanged.
void PrintExportTest::exportPage_traditional()
{
    QFETCH(QString, chapter);
    QFETCH(QString, entry);
    QFETCH(bool, readings);
    std::shared_ptr<const textform::Converter> taiwan = textform::Converter::load(textform::Form::Taiwan);
    if (!taiwan)
        QSKIP("OpenCC's data files are not installed");
    Fllhb *viewer = openChapter(chapter);
    goTo(viewer, entry, QString());
    viewer->setPinyinShown(readings);
    textform::install(taiwan);
    textform::refreshWidgets();
    const QString own = Module1::appTitle() + QStringLiteral(" · ") + chapter + entry + entry +
                        viewer->upperPane()->text() + viewer->lowerPane()->text();
    const QString shown = withoutSpaces(textform::shown(own));
    QVERIFY(shown != withoutSpaces(own));

    m_chosen = m_out.filePath(QStringLiteral("traditional %1.pdf").arg(QTest::currentDataTag()));
    commands(viewer)->exportPdfAction()->trigger();
    textform::uninstall();
    textform::refreshWidgets();
    viewer->setPinyinShown(false);
    QCOMPARE(m_boxes.size(), 0);
    const PdfReading pdf(m_chosen);
    QVERIFY2(pdf.complaints.isEmpty(), qPrintable(pdf.complaints));
    QString text = pdf.text;
    const QString incantation = viewer->lowerPane()->text().section(QStringLiteral("\r\n"), 1);
    for (const pinyin::Reading &reading : pinyin::readingsOf(incantation)) {
        const qsizetype at = text.indexOf(reading.syllable);
        QVERIFY2(!readings || at >= 0, qPrintable(reading.syllable));
        if (at >= 0)
            text.remove(at, reading.syllable.size());
    }
    QVERIFY2(difference(text, shown).isEmpty(), qPrintable(difference(text, shown)));
}

void PrintExportTest::exportArticle_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("shift");
    QTest::newRow("符咒心得") << "符咒心得" << 2;
    QTest::newRow("祝由须知") << "祝由须知" << 3;
}

void PrintExportTest::exportArticle()
{
    QFETCH(QString, name);
    QFETCH(int, shift);

    OpenArticlePage(name, shift);
    Fwangye *page = nullptr;
    for (QMdiSubWindow *sub : m_frame->area()->subWindowList())
        if (auto *form = qobject_cast<Fwangye *>(sub->widget()))
            page = form;
    QVERIFY(page);
    QTRY_VERIFY(!page->WebBrowser1()->toPlainText().isEmpty());
    QCOMPARE(Module1::captionOf(page), name);

    m_chosen = m_out.filePath(name + QStringLiteral(".pdf"));
    page->findChild<QAction *>(QStringLiteral("导出PDF"))->trigger();
    QCOMPARE(m_boxes.size(), 0);

    const PdfReading pdf(m_chosen);
    QCOMPARE(pdf.title, name);
    QVERIFY2(pdf.pages >= 2, qPrintable(QString::number(pdf.pages)));
    // The heading, the first paragraph and the last one: the whole document, page after page.
    QStringList paragraphs = page->WebBrowser1()->toPlainText().split('\n', Qt::SkipEmptyParts);
    paragraphs.removeAll(QString());
    QCOMPARE(paragraphs.first(), name);
    // A paragraph that runs over a page break has that page's number in the middle of its text,
    // so digits are left out of both sides.
    const QRegularExpression digits(QStringLiteral("[0-9]"));
    const QString printed = QString(pdf.text).remove(digits);
    for (const QString &paragraph : {paragraphs.at(1), paragraphs.last()})
        QVERIFY2(printed.contains(withoutSpaces(paragraph).remove(digits)), qPrintable(paragraph));
    // Exactly the article's text, sheet after sheet.
    const QString shown = withoutSpaces(drawnText(page->WebBrowser1()->document())).remove(digits);
    QVERIFY2(difference(printed, shown).isEmpty(), qPrintable(difference(printed, shown)));
    QCOMPARE(pdf.images.size(), 0);
}

void PrintExportTest::printThroughThePrinter()
{
    Fllhb *viewer = openChapter(QStringLiteral("日常琐事"));
    goTo(viewer, QStringLiteral("镇食井不利灵符"), QString());
    const QString printed = m_out.filePath(QStringLiteral("printed.pdf"));
    int dialogs = 0;
    printing::setPrintDialog([&](QPrinter &printer) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    });
    const auto restore = qScopeGuard([] { printing::setPrintDialog({}); });

    // Ctrl+P from a pane prints the page.
    QMdiSubWindow *sub = Module1::subWindowOf(viewer);
    m_frame->area()->setActiveSubWindow(sub);
    QApplication::setActiveWindow(m_frame);
    auto *text3 = viewer->findChild<TextPane *>(QStringLiteral("Text3"));
    text3->setFocus();
    QTRY_VERIFY(text3->hasFocus());
    QTest::keyClick(text3, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialogs, 1);
    QCOMPARE(m_boxes.size(), 0);

    const PdfReading pdf(printed);
    QCOMPARE(pdf.title, QStringLiteral("镇食井不利灵符"));
    QCOMPARE(pdf.pages, 1);
    QCOMPARE(pdf.images.size(), 1);
    const QString shown = withoutSpaces(QStringLiteral("灵箓汇编 · 日常琐事镇食井不利灵符镇食井不利灵符") +
                                        viewer->upperPane()->text() + viewer->lowerPane()->text());
    QVERIFY2(difference(pdf.text, shown).isEmpty(), qPrintable(difference(pdf.text, shown)));

    // Cancelled in the dialog: nothing is printed.
    QFile::remove(printed);
    printing::setPrintDialog([&](QPrinter &) { return false; });
    commands(viewer)->printAction()->trigger();
    QVERIFY(!QFile::exists(printed));
    QCOMPARE(m_boxes.size(), 0);
}

void PrintExportTest::everyFace_data()
{
    QTest::addColumn<QFont>("font");
    QTest::newRow("隶书") << fonts::liShu(12);
    QTest::newRow("楷体_GB2312") << fonts::kaiTi(12);
    QTest::newRow("宋体") << fonts::songTi(12);
    QFont bold = fonts::songTi(12); // the articles' headings
    bold.setBold(true);
    QTest::newRow("宋体, bold") << bold;
    QTest::newRow("仿宋_GB2312") << fonts::fangSong(12);
}

void PrintExportTest::everyFace()
{
    QFETCH(QFont, font);

    // Every ideograph that a radical or a stroke looks like, the Kangxi radicals' first and in their
    // order (一丨丶丿乙亅二亠人儿…), so that the writer's map counts them up as one run that has to be
    // written out glyph by glyph, and the file grows; and any other ideograph that one of the faces
    // of the chain draws with the glyph of a radical or a stroke.
    QString looks;
    QString ideographs;
    for (const auto &[first, last] :
         {std::pair{0x2F00, 0x2FDF}, std::pair{0x2E80, 0x2EFF}, std::pair{0x31C0, 0x31EF}}) {
        for (char32_t code = first; code <= char32_t(last); ++code) {
            looks += QString::fromUcs4(&code, 1);
            const char32_t ideograph = pdftextmap::unifiedIdeograph(code);
            if (ideograph >= 0x4E00 && ideograph < 0xA000 && !ideographs.contains(QChar(ideograph)))
                ideographs += QChar(ideograph);
        }
    }
    for (const QString &family : font.families()) {
        QFont face(family);
        face.setBold(font.bold());
        const QRawFont raw = QRawFont::fromFont(face);
        QHash<quint32, char32_t> shared; // glyph → the radical or stroke drawn with it
        const QList<quint32> lookGlyphs = raw.glyphIndexesForString(looks);
        for (qsizetype i = 0; i < lookGlyphs.size(); ++i)
            if (lookGlyphs.at(i) != 0)
                shared.insert(lookGlyphs.at(i), looks.at(i).unicode());
        QString all;
        for (char32_t code = 0x4E00; code < 0xA000; ++code)
            all += QString::fromUcs4(&code, 1);
        const QList<quint32> glyphs = raw.glyphIndexesForString(all);
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            if (shared.contains(glyphs.at(i)) && !ideographs.contains(all.at(i)))
                ideographs += all.at(i);
    }
    QVERIFY2(ideographs.size() > 250, qPrintable(QString::number(ideographs.size())));

    const QString file = m_out.filePath(QStringLiteral("faces %1.pdf").arg(QTest::currentDataTag()));
    QVERIFY(printing::writePdf(file, QStringLiteral("faces"), [&](QPagedPaintDevice &sheets) {
        QPainter painter;
        if (!painter.begin(&sheets))
            return false;
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, sheets.width(), sheets.height()), Qt::TextWrapAnywhere, ideographs);
        return painter.end();
    }));
    const PdfReading pdf(file);
    QVERIFY2(pdf.complaints.isEmpty(), qPrintable(pdf.complaints));
    QVERIFY2(difference(pdf.text, ideographs).isEmpty(), qPrintable(difference(pdf.text, ideographs)));
}

void PrintExportTest::failedExport_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("a folder of that name") << "folder";
    QTest::newRow("read-only folder") << "read-only";
#ifdef Q_OS_LINUX
    QTest::newRow("disk full while writing") << "full";
#endif
}

void PrintExportTest::failedExport()
{
    QFETCH(QString, fault);

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("镇食井不利灵符.pdf"));
    // A file of that name from before stays as it was.
    const QByteArray before("an older file");
    if (fault != QStringLiteral("missing") && fault != QStringLiteral("folder")) {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(before);
    }
    m_chosen = target;
    if (fault == QStringLiteral("missing"))
        m_chosen = dir.filePath(QStringLiteral("no such folder/page.pdf"));
    if (fault == QStringLiteral("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("镇食井不利灵符.pdf")));
    if (fault == QStringLiteral("read-only")) {
        if (::geteuid() == 0)
            QSKIP("running as root: a read-only folder can still be written");
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    const auto writable = qScopeGuard([&] {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    const QStringList listed = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    Fllhb *viewer = openChapter(QStringLiteral("日常琐事"));
    goTo(viewer, QStringLiteral("镇食井不利灵符"), QString());
    {
#ifdef Q_OS_LINUX
        // A limit on the size of any file this process writes fails the write as a full disk does.
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const auto unlimit = qScopeGuard([&] { setrlimit(RLIMIT_FSIZE, &previous); });
        auto *oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const auto handler = qScopeGuard([&] { std::signal(SIGXFSZ, oldHandler); });
        if (fault == QStringLiteral("full")) {
            rlimit small = previous;
            small.rlim_cur = 16 * 1024;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
#endif
        commands(viewer)->exportPdf();
    }

    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes.first().text.startsWith(QStringLiteral("无法导出PDF文件：") + QDir::toNativeSeparators(m_chosen)),
             qPrintable(m_boxes.first().text));
    QCOMPARE(m_boxes.first().caption, QStringLiteral("灵箓汇编"));
    // Nothing new in the folder, no temporary file left, the older file untouched.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), listed);
    if (QFileInfo(target).isFile()) {
        QFile old(target);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
    }
}

void PrintExportTest::suggestedName()
{
    // The entry's name, with what a file name cannot hold replaced, in the folder last saved to.
    QString suggested;
    printing::setFileChooser([&](const QString &path) {
        suggested = path;
        return QString();
    });
    const auto restore = qScopeGuard([this] {
        printing::setFileChooser([this](const QString &) {
            ++m_asked;
            return m_chosen;
        });
    });
    printing::exportPdf(nullptr, QStringLiteral("镇宅安家符（室中狐狸）"), [](QPagedPaintDevice &) { return true; });
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("镇宅安家符（室中狐狸）.pdf"));
    QCOMPARE(QFileInfo(printing::suggestedPdfPath(QStringLiteral("a/b:c?"))).fileName(), QStringLiteral("a_b_c_.pdf"));
    QCOMPARE(m_boxes.size(), 0); // cancelled: nothing written, nothing said

    printing::setFileChooser([this](const QString &) { return m_out.filePath(QStringLiteral("sub/x.pdf")); });
    QDir(m_out.path()).mkdir(QStringLiteral("sub"));
    printing::exportPdf(nullptr, QStringLiteral("x"), [](QPagedPaintDevice &sheets) {
        QPainter painter(&sheets);
        painter.drawText(100, 100, QStringLiteral("x"));
        return true;
    });
    QCOMPARE(QFileInfo(printing::suggestedPdfPath(QStringLiteral("y"))).absolutePath(),
             m_out.filePath(QStringLiteral("sub")));
}

void PrintExportTest::pictureViewer_data()
{
    QTest::addColumn<QString>("chapter");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("byDoubleClick");

    QTest::newRow("talisman") << "日常琐事"
                              << "镇食井不利灵符" << QString() << "镇食井不利灵符" << true;
    QTest::newRow("祝由秘字 page") << "祝由秘字"
                                   << "治病总符" << QString() << "治病总符" << false;
    QTest::newRow("day chart") << "奇门遁甲"
                               << "玉女反闭诀"
                               << "Command2"
                               << "每日布局速成图（寅卯日）" << true;
    QTest::newRow("figure") << "奇门遁甲"
                            << "玉女反闭诀"
                            << "Command11"
                            << "禹罡式" << false;
}

void PrintExportTest::pictureViewer()
{
    QFETCH(QString, chapter);
    QFETCH(QString, entry);
    QFETCH(QString, buttons);
    QFETCH(QString, title);
    QFETCH(bool, byDoubleClick);

    Fllhb *viewer = openChapter(chapter);
    goTo(viewer, entry, buttons);
    auto *image1 = viewer->findChild<PictureBox *>(QStringLiteral("Image1"));
    const QRect image1Box = image1->geometry();
    const QSize boxPicture = image1->picture().size();
    const int windows = m_frame->area()->subWindowList().size();

    auto open = [&] {
        if (byDoubleClick)
            QTest::mouseDClick(image1, Qt::LeftButton, {}, image1->rect().center());
        else
            viewer->findChild<QAction *>(QStringLiteral("查看原图"))->trigger();
    };
    open();
    QMdiSubWindow *sub = m_frame->area()->activeSubWindow();
    QVERIFY(sub);
    auto *shown = qobject_cast<PictureViewer *>(sub->widget());
    QVERIFY(shown);
    QCOMPARE(sub->windowTitle(), title);
    QCOMPARE(m_frame->area()->subWindowList().size(), windows + 1);
    // The file at full resolution, whatever the page's box holds; the page itself is unchanged.
    QCOMPARE(shown->picture().size(), QImageReader(viewer->pictureFile()).size());
    QCOMPARE(image1->picture().size(), boxPicture);

    // Fitted at its proportions, then zoomed and moved with the keys.
    QVERIFY(sub->isMaximized());
    const viewer::PictureZoom &zoom = shown->zoom();
    QVERIFY(zoom.isFitted());
    const QRectF fitted = zoom.pictureRect();
    const QSize full = shown->picture().size();
    QVERIFY(qAbs(fitted.width() / fitted.height() - double(full.width()) / full.height()) < 1e-9);
    QVERIFY(qAbs(fitted.width() - shown->width()) < 0.5 || qAbs(fitted.height() - shown->height()) < 0.5);

    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(zoom.scale(), 1 / shown->devicePixelRatioF());
    QTest::keyClick(shown, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(zoom.scale(), 1.25 / shown->devicePixelRatioF());
    QTest::keyClick(shown, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(zoom.scale(), 1 / shown->devicePixelRatioF());
    while (zoom.pictureRect().width() <= shown->width() || zoom.pictureRect().height() <= shown->height())
        QTest::keyClick(shown, Qt::Key_Plus, Qt::ControlModifier);
    const QPointF before = zoom.pictureRect().topLeft();
    QTest::keyClick(shown, Qt::Key_Down);
    QTest::keyClick(shown, Qt::Key_Right);
    const QPointF after = zoom.pictureRect().topLeft();
    QVERIFY2(
        after.y() < before.y() && after.x() < before.x(),
        qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
    // A drag moves the picture with the mouse.
    QTest::mousePress(shown, Qt::LeftButton, {}, QPoint(300, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(340, 320), shown->mapToGlobal(QPointF(340, 320)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(shown, &move);
    QTest::mouseRelease(shown, Qt::LeftButton, {}, QPoint(340, 320));
    QCOMPARE(zoom.pictureRect().topLeft(), after + QPointF(40, 20));
    QTest::keyClick(shown, Qt::Key_9, Qt::ControlModifier);
    QVERIFY(zoom.isFitted());

    // Asked again, the open viewer comes forward instead of a second one.
    m_frame->area()->setActiveSubWindow(Module1::subWindowOf(viewer));
    open();
    QCOMPARE(m_frame->area()->activeSubWindow(), sub);
    QCOMPARE(m_frame->area()->subWindowList().size(), windows + 1);

    // Esc closes it.
    QPointer<QMdiSubWindow> closing(sub);
    QTest::keyClick(shown, Qt::Key_Escape);
    QTRY_VERIFY(!closing);
    QCOMPARE(m_frame->area()->subWindowList().size(), windows);
    // Back on the page, nothing of it has changed.
    m_frame->area()->setActiveSubWindow(Module1::subWindowOf(viewer));
    QCOMPARE(image1->geometry(), image1Box);
    QCOMPARE(image1->picture().size(), boxPicture);
    QCOMPARE(m_boxes.size(), 0);
}

void PrintExportTest::pictureViewer_missingFile_oneMessage()
{
    Fllhb *viewer = openChapter(QStringLiteral("日常琐事"));
    goTo(viewer, QStringLiteral("镇舟车不利灵符"), QString());
    const QString file = viewer->pictureFile();
    const QString link = QFile::symLinkTarget(file);
    QVERIFY(QFile::remove(file));
    const auto restore = qScopeGuard([&] { QFile::link(link, file); });
    const int windows = m_frame->area()->subWindowList().size();

    QVERIFY(!commands(viewer)->showOriginalPicture());
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes.first().text.contains(QDir::toNativeSeparators(file)));
    QCOMPARE(m_frame->area()->subWindowList().size(), windows);

    // Printing needs the picture too: one message, no dialog.
    m_boxes.clear();
    commands(viewer)->exportPdf();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_asked, 0);
}

void PrintExportTest::copy()
{
    Fllhb *viewer = openChapter(QStringLiteral("日常琐事"));
    goTo(viewer, QStringLiteral("镇食井不利灵符"), QString());
    QClipboard *clipboard = QApplication::clipboard();

    viewer->findChild<QAction *>(QStringLiteral("复制图片"))->trigger();
    QCOMPARE(clipboard->image().size(), QImageReader(viewer->pictureFile()).size());

    // The panes' own copying still works, and their menu keeps its entries and adds the print ones.
    auto *text2 = viewer->findChild<TextPane *>(QStringLiteral("Text2"));
    text2->selectAll();
    text2->copy();
    QCOMPARE(clipboard->text(), text2->toPlainText());
    const std::unique_ptr<QMenu> paneMenu(commands(viewer)->paneMenu(text2, QPoint(5, 5)));
    QStringList names;
    for (const QAction *action : paneMenu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    QVERIFY2(names.contains(QStringLiteral("edit-copy")) && names.contains(QStringLiteral("select-all")),
             qPrintable(names.join(' ')));
    QCOMPARE(names.mid(names.size() - 3), QStringList({"-", "打印", "导出PDF"}));
    QCOMPARE(paneMenu->actions().at(names.indexOf("打印"))->text(), "打印…");
    QCOMPARE(paneMenu->actions().at(names.indexOf("打印"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

    const std::unique_ptr<QMenu> pictureMenu(commands(viewer)->pictureMenu());
    names.clear();
    for (const QAction *action : pictureMenu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(names, QStringList({"查看原图", "复制图片", "-", "打印…", "导出PDF…"}));
}

QTEST_MAIN(PrintExportTest)
#include "print_export_test.moc"
