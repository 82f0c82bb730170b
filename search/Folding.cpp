#include "search/Folding.h"

#include "search/FoldingTables.h"

#include <QChar>

#include <algorithm>

namespace search {

namespace {

// Punctuation without a compatibility form of its own, as it is typed on an ASCII keyboard.
char32_t asciiPunctuation(char32_t c)
{
    switch (c) {
    case 0x3002:
        return U'.'; // 。
    case 0x3001:
        return U','; // 、
    case 0x201C:
    case 0x201D:
        return U'"'; // “ ”
    case 0x2018:
    case 0x2019:
        return U'\''; // ‘ ’
    case 0x3010:
        return U'['; // 【
    case 0x3011:
        return U']'; // 】
    case 0x300A:
    case 0x3008:
        return U'<'; // 《 〈
    case 0x300B:
    case 0x3009:
        return U'>'; // 》 〉
    default:
        return c;
    }
}

bool isSpace(char32_t c)
{
    return c <= 0x20 || c == 0x7F || QChar::isSpace(c) || QChar::category(c) == QChar::Other_Control;
}

// Calls out(folded) for each character the code point folds to (none for white space).
template <typename Emit> void foldCodePoint(char32_t c, Emit &&out)
{
    if (c < 0x80) {
        if (!isSpace(c))
            out(c >= U'A' && c <= U'Z' ? c + 0x20 : c);
        return;
    }
    // The unified ideographs have no compatibility forms; only the variant table applies.
    if (c >= 0x4E00 && c <= 0x9FFF) {
        out(simplifiedOf(c));
        return;
    }
    if (isSpace(c))
        return;
    const QString normalized = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KC);
    for (const char32_t d : normalized.toUcs4()) {
        if (isSpace(d))
            continue;
        out(simplifiedOf(asciiPunctuation(QChar::toCaseFolded(d))));
    }
}

void appendCodePoint(QString &text, char32_t c)
{
    if (QChar::requiresSurrogates(c)) {
        text.append(QChar(QChar::highSurrogate(c)));
        text.append(QChar(QChar::lowSurrogate(c)));
    } else {
        text.append(QChar(char16_t(c)));
    }
}

// Walks the code points of a text: f(codePoint, index, length in UTF-16 units).
template <typename F> void forEachCodePoint(QStringView text, F &&f)
{
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text[i + 1]), int(i), 2);
            i += 2;
        } else {
            f(char32_t(c.unicode()), int(i), 1);
            ++i;
        }
    }
}

} // namespace

char32_t simplifiedOf(char32_t c)
{
    const tables::SimplifiedPair *begin = tables::kSimplified;
    const tables::SimplifiedPair *end = begin + tables::kSimplifiedCount;
    const auto found = std::lower_bound(
        begin, end, c, [](const tables::SimplifiedPair &pair, char32_t value) { return pair.traditional < value; });
    return found != end && found->traditional == c ? found->simplified : c;
}

void FoldedText::append(QStringView original, std::uint8_t textId, int offset)
{
    forEachCodePoint(original, [&](char32_t c, int index, int length) {
        foldCodePoint(c, [&](char32_t folded) {
            const qsizetype before = text.size();
            appendCodePoint(text, folded);
            for (qsizetype i = before; i < text.size(); ++i)
                origins.push_back({textId, offset + index, offset + index + length});
        });
    });
}

void FoldedText::appendSeparator()
{
    // A line feed never survives folding, so no folded word contains it.
    text.append(QLatin1Char('\n'));
    origins.push_back(origins.empty() ? Origin{} : Origin{origins.back().text, origins.back().end, origins.back().end});
}

QString foldWord(QStringView word)
{
    QString folded;
    forEachCodePoint(word,
                     [&](char32_t c, int, int) { foldCodePoint(c, [&](char32_t d) { appendCodePoint(folded, d); }); });
    return folded;
}

QStringList queryWords(const QString &query)
{
    QStringList words;
    qsizetype start = -1;
    auto close = [&](qsizetype end) {
        if (start < 0)
            return;
        const QString word = foldWord(QStringView(query).sliced(start, end - start));
        if (!word.isEmpty() && !words.contains(word))
            words.append(word);
        start = -1;
    };
    for (qsizetype i = 0; i < query.size(); ++i) {
        if (query[i].isSpace())
            close(i);
        else if (start < 0)
            start = i;
    }
    close(query.size());
    return words;
}

} // namespace search
