#pragma once
// The readings of the incantations' characters, generated at build time from the Unicode Han
// database by tools/pinyintables (common/CMakeLists.txt runs it).

#include <cstddef>

namespace pinyin::tables {

struct CharacterPinyin {
    char32_t character;
    const char *readings; // with tone marks, separated by spaces, the usual one first
    bool several;         // modern usage reads it in more than one way
};

// Sorted by character.
extern const CharacterPinyin kPinyin[];
extern const std::size_t kPinyinCount;

} // namespace pinyin::tables
