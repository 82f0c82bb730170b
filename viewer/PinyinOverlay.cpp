#include "viewer/PinyinOverlay.h"

#include "common/Pinyin.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
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
        font.setPixelSize(std::max(6, textFont.pixelSize() / 2));
    else
        font.setPointSizeF(std::max(4.0, textFont.pointSizeF() / 2));
    return font;
}

void annotate(QTextDocument *document, int firstBlock, const QFont &textFont, const QStringList &ownLines)
{
    const double room = roomAbove(textFont, document->documentLayout()->paintDevice());
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->findBlockByNumber(firstBlock); block.isValid(); block = block.next()) {
        // The book's own characters carry the readings; the paragraph as shown only where they are
        // missing or do not match it.
        const QString own = ownLines.value(block.blockNumber() - firstBlock);
        const QString text = own.size() == block.text().size() ? own : block.text();
        block.setUserData(new BlockReadings(pinyin::readingsOf(text)));
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
    // The paragraphs that carry readings get back the plain paragraph's format they had.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (!block.userData())
            continue;
        block.setUserData(nullptr);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(QTextBlockFormat());
    }
    cursor.endEditBlock();
}

void paint(QPainter *painter, const QTextDocument *document, const QRectF &area, const QFont &textFont)
{
    const QFont font = readingFont(textFont);
    const QFontMetricsF metrics(font, painter->device());
    const double room = metrics.height();
    painter->save();
    painter->setFont(font);
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
            const double cell = std::abs(right - left);
            const double top = lines->position().y() + line.y() - room;
            const double width = metrics.horizontalAdvance(reading.syllable);
            const double centre = lines->position().x() + std::min(left, right) + cell / 2;
            painter->save();
            painter->translate(centre, top + metrics.ascent());
            // A reading wider than its character is narrowed to it, less a small gap: readings never
            // run together.
            const double space = cell * 0.92;
            if (width > space && space > 0)
                painter->scale(space / width, 1);
            painter->drawText(QPointF(-width / 2, 0), reading.syllable);
            painter->restore();
        }
    }
    painter->restore();
}

} // namespace pinyinoverlay
