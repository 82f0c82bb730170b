#pragma once
// Pinyin set small above each Han character of some paragraphs of a text document: each line of
// those paragraphs gets room above it, and the readings are painted into that room, centred over
// their characters; a character whose reading is wider gets room after it, so that readings stand
// side by side at their full width. The document's text stays as it is: selection, copying and
// search see only the characters. Used by the lower pane and by the printed page alike.

#include <QFont>
#include <QList>
#include <QRectF>
#include <QStringList>

class QPaintDevice;
class QPainter;
class QTextDocument;

namespace pinyinoverlay {

// The face the readings are set in: a sans serif with the tone marks, at three fifths of the text's size.
QFont readingFont(const QFont &textFont);

// Gives the paragraphs from firstBlock on their readings and the room above each of their lines.
// The readings are read from the book's own lines of those paragraphs (ownLines, one a paragraph,
// as long as the paragraphs): the document may show them in traditional characters. The readings
// are kept with the paragraphs (plain paragraphs, as a plain text makes them); clear() gives them
// back their plain format.
void annotate(QTextDocument *document, int firstBlock, const QFont &textFont, const QStringList &ownLines);
void clear(QTextDocument *document);

// Where a reading is painted, in document coordinates: its box (narrower than its width only where
// it is narrowed to start with its line), its syllable and the width it takes unnarrowed.
struct Placed {
    QRectF box;
    QString syllable;
    double width = 0;
};
QList<Placed> place(const QTextDocument *document, const QRectF &area, const QFont &textFont,
                    const QPaintDevice *device);

// Paints the readings of the paragraphs that meet the area, in document coordinates. The painter
// is set up so that the document's origin is at its origin.
void paint(QPainter *painter, const QTextDocument *document, const QRectF &area, const QFont &textFont);

} // namespace pinyinoverlay
