#pragma once
// Folding texts for matching. The book's texts and the words typed are folded the same way, one
// character at a time:
//  - white space of every kind is dropped (the four-space indents, spaces inside lines, the
//    ideographic space), so a word matches across them;
//  - compatibility forms are replaced by their plain forms (NFKC): full-width letters, digits and
//    punctuation become ASCII, so "（" and "(" or "：" and ":" are the same;
//  - the Chinese full stop, enumeration comma, quotation marks and brackets, which have no
//    compatibility form, are mapped onto their ASCII counterparts;
//  - letters are case-folded;
//  - a traditional character becomes its simplified form (the Unicode Han database's table).
// Each folded character remembers where in the original text it came from, so that a hit can be
// shown in the text as it is displayed.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace search {

/// Where a folded character came from: a place [start, end) in one of a document's texts.
struct Origin {
    std::uint8_t text = 0;
    int start = 0;
    int end = 0;
};

struct FoldedText {
    QString text;
    std::vector<Origin> origins; // one per character of text

    /// Appends the folding of original, whose first character stands at offset in text number
    /// textId. A field separator keeps a match from running from one field into the next.
    void append(QStringView original, std::uint8_t textId, int offset);
    void appendSeparator();
};

/// The simplified form of a traditional character; any other character is returned as it is.
char32_t simplifiedOf(char32_t c);

/// The folding of one word as typed.
QString foldWord(QStringView word);

/// The words of a query: split at white space, each folded; words that fold to nothing are left out.
QStringList queryWords(const QString &query);

} // namespace search
