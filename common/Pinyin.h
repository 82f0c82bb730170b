#pragma once
// Pinyin over the incantations: the reading of each Han character of a text. The book's reviewed
// words (content/Readings) come first, the longest that fits; every other character takes the
// usual reading the Unicode Han database gives it.

#include <QList>
#include <QString>

namespace pinyin {

struct Reading {
    int position = 0;      // in UTF-16 units of the text
    int length = 1;        // 2 for a character outside the Basic Multilingual Plane
    QString syllable;      // with tone marks
    bool reviewed = false; // the book's own choice
    bool several = false;  // the character has more than one reading in modern usage
};

// The readings of the Han characters of a text, in order; one the database does not know is left out.
QList<Reading> readingsOf(const QString &text);

// True for a character that pinyin is set over.
bool isHan(char32_t c);

} // namespace pinyin
