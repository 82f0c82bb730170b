#include "common/Pinyin.h"

#include "common/PinyinTables.h"
#include "content/Readings.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace pinyin {

namespace {

struct Word {
    QString text;
    QStringList syllables;
};

// The reviewed words by their first character, longest first.
const QHash<QChar, QList<Word>> &wordsByFirst()
{
    static const QHash<QChar, QList<Word>> words = [] {
        QHash<QChar, QList<Word>> byFirst;
        for (const content::ReviewedReading &reviewed : content::reviewedReadings()) {
            Word word{QString::fromUtf8(reviewed.word),
                      QString::fromUtf8(reviewed.syllables).split(QLatin1Char(' '), Qt::SkipEmptyParts)};
            if (word.text.isEmpty() || word.syllables.size() != word.text.toUcs4().size())
                continue; // a malformed row is no reading (the content test names it)
            byFirst[word.text.front()].append(word);
        }
        for (QList<Word> &list : byFirst)
            std::stable_sort(list.begin(), list.end(),
                             [](const Word &a, const Word &b) { return a.text.size() > b.text.size(); });
        return byFirst;
    }();
    return words;
}

const tables::CharacterPinyin *databaseReading(char32_t c)
{
    const tables::CharacterPinyin *end = tables::kPinyin + tables::kPinyinCount;
    const tables::CharacterPinyin *found = std::lower_bound(
        tables::kPinyin, end, c, [](const tables::CharacterPinyin &row, char32_t key) { return row.character < key; });
    return found != end && found->character == c ? found : nullptr;
}

// The character at a position of a text, a surrogate pair read as one.
char32_t characterAt(const QString &text, int at)
{
    const QChar first = text.at(at);
    if (first.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(at + 1));
    return first.unicode();
}

} // namespace

bool isHan(char32_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c >= 0x20000;
}

QList<Reading> readingsOf(const QString &text)
{
    QList<Reading> readings;
    int i = 0;
    while (i < text.size()) {
        const char32_t c = characterAt(text, i);
        const int length = c > 0xFFFF ? 2 : 1;
        if (!isHan(c)) {
            i += length;
            continue;
        }
        const QList<Word> words = wordsByFirst().value(text.at(i));
        auto word = std::find_if(words.begin(), words.end(),
                                 [&](const Word &w) { return QStringView(text).mid(i).startsWith(w.text); });
        if (word != words.end()) {
            int at = i;
            for (const QString &syllable : word->syllables) {
                const char32_t each = characterAt(text, at);
                const int size = each > 0xFFFF ? 2 : 1;
                const tables::CharacterPinyin *row = databaseReading(each);
                readings.append({at, size, syllable, true, row && row->several});
                at += size;
            }
            i = at;
            continue;
        }
        if (const tables::CharacterPinyin *row = databaseReading(c)) {
            const QString all = QString::fromUtf8(row->readings);
            readings.append({i, length, all.section(QLatin1Char(' '), 0, 0), false, row->several});
        }
        i += length;
    }
    return readings;
}

} // namespace pinyin
