#include "viewer/PrintedEntry.h"

#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/TextForm.h"
#include "viewer/EntryPrintLayout.h"
#include "viewer/PinyinOverlay.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr double kMillimetresPerInch = 25.4;
const QColor kHeadingColour(0, 0, 192); // as the viewer's title
const QColor kRuleColour(128, 128, 128);

// Appends the lines of a pane's text as paragraphs of one font; spaces are kept as they are.
void appendSection(QTextCursor &cursor, const QString &text, const QFont &font, double spaceBefore)
{
    QTextCharFormat format;
    format.setFont(font);
    QTextBlockFormat block;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (int i = 0; i < lines.size(); ++i) {
        block.setTopMargin(i == 0 ? spaceBefore : 0);
        cursor.insertBlock(block, format);
        cursor.insertText(lines.at(i), format);
    }
}

// A picture with transparent parts goes onto white paper as one opaque picture.
QImage onPaper(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture;
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    return opaque;
}

} // namespace

bool PrintedEntry::render(QPagedPaintDevice &sheets) const
{
    QPainter painter;
    if (!painter.begin(&sheets))
        return false;
    const double dotsPerMillimetre = sheets.logicalDpiY() / kMillimetresPerInch;

    const QFont headerFont = fonts::songTi(9);
    const QFontMetricsF headerMetrics(headerFont, &sheets);
    viewer::EntryPrintSheet sheet;
    sheet.printable = QRectF(0, 0, sheets.width(), sheets.height());
    sheet.headerHeight = headerMetrics.height() * 1.5;
    sheet.gap = 5 * dotsPerMillimetre;

    // The texts: the heading line, then the two panes' sections, laid out for the sheet's own dots.
    QTextDocument texts;
    texts.documentLayout()->setPaintDevice(&sheets);
    texts.setDocumentMargin(0);
    QTextCursor cursor(&texts);
    QTextCharFormat headingFormat;
    headingFormat.setFont(fonts::kaiTi(15.75));
    headingFormat.setForeground(kHeadingColour);
    QTextBlockFormat headingBlock;
    headingBlock.setAlignment(Qt::AlignHCenter);
    headingBlock.setBottomMargin(3 * dotsPerMillimetre);
    cursor.setBlockFormat(headingBlock);
    cursor.insertText(heading, headingFormat);
    appendSection(cursor, upper, fonts::kaiTi(15), 0);
    if (!lower.isEmpty()) {
        const int lowerFirstBlock = texts.blockCount();
        appendSection(cursor, lower, fonts::songTi(12), 4 * dotsPerMillimetre);
        if (lowerReadings)
            pinyinoverlay::annotate(&texts, lowerFirstBlock + 1, fonts::songTi(12),
                                    lowerOwn.split(QStringLiteral("\r\n")).mid(1));
    }

    const viewer::TextHeightForWidth textHeight = [&texts](double width) {
        texts.setTextWidth(width);
        return texts.size().height();
    };
    const viewer::EntryPrintLayout layout = viewer::layOutEntryPrint(sheet, picture.size(), textHeight);

    // Header: chapter on the left, entry on the right, a thin rule below.
    painter.setFont(headerFont);
    painter.setPen(Qt::black);
    painter.drawText(layout.header, Qt::AlignLeft | Qt::AlignVCenter,
                     textform::shown(Module1::appTitle()) + QStringLiteral(" · ") + chapter);
    painter.drawText(layout.header, Qt::AlignRight | Qt::AlignVCenter, entry);
    QPen rule(kRuleColour);
    rule.setWidthF(0.3 * dotsPerMillimetre);
    painter.setPen(rule);
    painter.drawLine(layout.header.bottomLeft(), layout.header.bottomRight());

    if (!layout.picture.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(layout.picture, onPaper(picture));
    }

    const double scale = layout.textScale;
    texts.setTextWidth(layout.text.width() / scale);
    painter.translate(layout.text.topLeft());
    painter.scale(scale, scale);
    const QRectF textArea(0, 0, layout.text.width() / scale, layout.text.height() / scale);
    texts.drawContents(&painter, textArea);
    if (lowerReadings) {
        painter.setPen(Qt::black);
        pinyinoverlay::paint(&painter, &texts, textArea, fonts::songTi(12));
    }
    return painter.end();
}
