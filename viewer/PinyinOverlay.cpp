#include "viewer/PinyinOverlay.h"

#include "common/Pinyin.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace pinyinoverlay {

namespace {

// The readings of one paragraph, kept with it.
class BlockReadings : public QTextBlockUserData
{
  public:
    explicit BlockReadings(QList<pinyin::Reading> readings)
        : readings(std::move(readings))
    {
    }
    QList<pinyin::Reading> readings;
};

// The room above each line: the readings' own line height.
double roomAbove(const QFont &textFont, const QPaintDevice *device)
{
    return QFontMetricsF(readingFont(textFont), device).height();
}

} // namespace

QFont readingFont(const QFont &textFont)
{
    QFont font(textFont);
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Segoe UI"), QStringLiteral("Arial")});
    font.setBold(false);
    font.setItalic(false);
    if (textFont.pixelSize() > 0)
        font.setPixelSize(std::max(7, textFont.pixelSize() * 3 / 5));
    else
        font.setPointSizeF(std::max(5.0, textFont.pointSizeF() * 0.6));
    return font;
}

void annotate(QTextDocument *document, int firstBlock, const QFont &textFont, const QStringList &ownLines)
{
    const QPaintDevice *device = document->documentLayout()->paintDevice();
    const double room = roomAbove(textFont, device);
    const QFontMetricsF readingMetrics(readingFont(textFont), device);
    const QFontMetricsF textMetrics(textFont, device);
    // The text layout scales an absolute letter spacing from the screen's dots to the device's.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double spacingScale = device && screen ? device->logicalDpiY() / screen->logicalDotsPerInchY() : 1.0;
    // Between two readings, at least the width of a space.
    const double gap = 1.5 * readingMetrics.horizontalAdvance(QLatin1Char('i'));
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->findBlockByNumber(firstBlock); block.isValid(); block = block.next()) {
        // The book's own characters carry the readings; the paragraph as shown only where they are
        // missing or do not match it.
        const QString shown = block.text();
        const QString own = ownLines.value(block.blockNumber() - firstBlock);
        const QString text = own.size() == shown.size() ? own : shown;
        const QList<pinyin::Reading> readings = pinyin::readingsOf(text);
        // A reading wider than its character moves the next character away, as far as the two
        // readings need to stand side by side centred over their characters: the line is set wider
        // rather than a reading squeezed until it can no longer be read.
        const auto halfWidth = [&](const pinyin::Reading &reading) {
            return (readingMetrics.horizontalAdvance(reading.syllable) + gap -
                    textMetrics.horizontalAdvance(shown.mid(reading.position, reading.length))) /
                   2;
        };
        for (qsizetype i = 0; i < readings.size(); ++i) {
            const pinyin::Reading &reading = readings.at(i);
            const int end = reading.position + reading.length;
            // What the reading and the next one stand out over their characters, less what stands
            // between the two characters (a mark or a space); after the last one, less the rest.
            const int nextStart = i + 1 < readings.size() ? readings.at(i + 1).position : int(shown.size());
            double needed = halfWidth(reading) - textMetrics.horizontalAdvance(shown.mid(end, nextStart - end));
            if (i + 1 < readings.size())
                needed += halfWidth(readings.at(i + 1));
            if (needed <= 0)
                continue;
            QTextCharFormat wider;
            wider.setFontLetterSpacingType(QFont::AbsoluteSpacing);
            wider.setFontLetterSpacing(needed / spacingScale);
            cursor.setPosition(block.position() + reading.position);
            cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(wider);
        }
        block.setUserData(new BlockReadings(readings));
        // Room after every line; the first paragraph's first line gets its room above it, every
        // other line finds it after the line before.
        QTextBlockFormat format = block.blockFormat();
        format.setLineHeight(room, QTextBlockFormat::LineDistanceHeight);
        if (block.blockNumber() == firstBlock)
            format.setTopMargin(format.topMargin() + room);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
}

void clear(QTextDocument *document)
{
    // The paragraphs that carry readings get back the plain paragraph's formats they had.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (!block.userData())
            continue;
        block.setUserData(nullptr);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(QTextBlockFormat());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(QTextCharFormat());
    }
    cursor.endEditBlock();
}

QList<Placed> place(const QTextDocument *document, const QRectF &area, const QFont &textFont,
                    const QPaintDevice *device)
{
    const QFontMetricsF metrics(readingFont(textFont), device);
    const QFontMetricsF textMetrics(textFont, device);
    const double room = metrics.height();
    QList<Placed> placed;
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const auto *data = dynamic_cast<const BlockReadings *>(block.userData());
        if (!data || data->readings.isEmpty())
            continue;
        const QRectF bounds = layout->blockBoundingRect(block);
        if (bounds.bottom() < area.top() - room || bounds.top() > area.bottom() + room)
            continue; // only the paragraphs in sight
        const QTextLayout *lines = block.layout();
        for (const pinyin::Reading &reading : data->readings) {
            const QTextLine line = lines->lineForTextPosition(reading.position);
            if (!line.isValid())
                continue;
            const double left = line.cursorToX(reading.position);
            const double right = line.cursorToX(reading.position + reading.length);
            // The character itself, without the room set after it.
            const double glyph = textMetrics.horizontalAdvance(block.text().mid(reading.position, reading.length));
            const double top = lines->position().y() + line.y() - room;
            const double width = metrics.horizontalAdvance(reading.syllable);
            // Centred over its character. One that would stand out before the start of its line
            // starts with the line, narrowed to end where it would have ended.
            const double lineStart = lines->position().x() + line.x();
            const double x = lines->position().x() + std::min(left, right) + glyph / 2 - width / 2;
            const double drawn = x < lineStart ? std::max(width / 2, x + width - lineStart) : width;
            placed.append({QRectF(std::max(x, lineStart), top, drawn, room), reading.syllable, width});
        }
    }
    return placed;
}

void paint(QPainter *painter, const QTextDocument *document, const QRectF &area, const QFont &textFont)
{
    const QFont font = readingFont(textFont);
    const double ascent = QFontMetricsF(font, painter->device()).ascent();
    painter->save();
    painter->setFont(font);
    for (const Placed &reading : place(document, area, textFont, painter->device())) {
        painter->save();
        painter->translate(reading.box.left(), reading.box.top() + ascent);
        if (reading.box.width() < reading.width)
            painter->scale(reading.box.width() / reading.width, 1);
        painter->drawText(QPointF(0, 0), reading.syllable);
        painter->restore();
    }
    painter->restore();
}

} // namespace pinyinoverlay
