#pragma once
// A name of the book as pinyin: the toneless readings of each of its characters, so that a word
// typed in Latin letters finds it. A word matches a run of consecutive characters when it can be
// cut into pieces, one per character, each piece the start of one of that character's readings:
// whole syllables ("zhenzhai"), initials ("zzxj") or a mix ("zhenzxj"); the last piece may be an
// unfinished syllable, so the name is found while it is being typed. A character with several
// readings matches any of them; "u" also stands for ü, which the readings write "v".

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace search {

class PinyinName
{
  public:
    explicit PinyinName(const QString &name);

    struct Match {
        int start = -1; // in the name's UTF-16 units; -1: no match
        int length = 0;
    };

    /// The first run of the name that the word (lower-case a to z) matches.
    Match find(QStringView word) const;

    /// A word that can only be pinyin: Latin letters a to z and nothing else.
    static bool isPinyinWord(QStringView word);

    /// The readings of one character of the book's names; empty for any other character.
    static std::vector<QByteArray> readingsOf(char32_t c);

  private:
    bool matchFrom(std::size_t character, QStringView word, qsizetype offset, std::vector<bool> &failed,
                   std::size_t *end) const;

    struct Character {
        int position = 0; // in the name
        int length = 1;
        std::vector<QByteArray> readings;
    };
    std::vector<Character> m_characters;
};

} // namespace search
