#pragma once
// The two tables the search folds texts with, generated at build time from the Unicode Han
// database (tools/searchtables): traditional characters and the simplified form each one stands
// for, and the toneless pinyin readings of the characters in the book's entry names.

#include <cstddef>

namespace search::tables {

struct SimplifiedPair {
    char32_t traditional;
    char32_t simplified;
};

// Sorted by the traditional character.
extern const SimplifiedPair kSimplified[];
extern const std::size_t kSimplifiedCount;

struct CharacterReadings {
    char32_t character;
    const char *syllables; // lower-case, toneless, space-separated; ü is written v
};

// Sorted by the character.
extern const CharacterReadings kReadings[];
extern const std::size_t kReadingsCount;

} // namespace search::tables
