#pragma once
// The book's own readings of its incantations, reviewed where a character has several: each
// reading with the word it belongs to (a word of one character is that character's reading
// wherever no longer word covers it). They come before the Unicode Han database's readings.

#include <QString>
#include <QStringList>

#include <vector>

namespace content {

struct ReviewedReading {
    const char *word;      // UTF-8, as the incantations write it
    const char *syllables; // pinyin with tone marks, one syllable a character, separated by spaces
};

const std::vector<ReviewedReading> &reviewedReadings();

// Every paragraph of the incantations: the [咒语] sections of the pages and of the 奇门遁甲 views.
QStringList incantations();

} // namespace content
