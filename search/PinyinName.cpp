#include "search/PinyinName.h"

#include "search/FoldingTables.h"

#include <QList>

#include <algorithm>

namespace search {

namespace {

// A typed letter against a letter of a reading: "u" is also ü (written v).
bool sameLetter(QChar typed, char reading)
{
    return typed == QLatin1Char(reading) || (typed == QLatin1Char('u') && reading == 'v');
}

} // namespace

std::vector<QByteArray> PinyinName::readingsOf(char32_t c)
{
    const tables::CharacterReadings *begin = tables::kReadings;
    const tables::CharacterReadings *end = begin + tables::kReadingsCount;
    const auto found = std::lower_bound(
        begin, end, c, [](const tables::CharacterReadings &entry, char32_t value) { return entry.character < value; });
    if (found == end || found->character != c)
        return {};
    std::vector<QByteArray> readings;
    for (const QByteArray &syllable : QByteArray(found->syllables).split(' '))
        if (!syllable.isEmpty())
            readings.push_back(syllable);
    return readings;
}

PinyinName::PinyinName(const QString &name)
{
    for (qsizetype i = 0; i < name.size();) {
        Character character;
        character.position = int(i);
        char32_t c = name[i].unicode();
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name[i], name[i + 1]);
            character.length = 2;
        }
        character.readings = readingsOf(c);
        i += character.length;
        m_characters.push_back(std::move(character));
    }
}

bool PinyinName::isPinyinWord(QStringView word)
{
    if (word.isEmpty())
        return false;
    return std::all_of(word.begin(), word.end(),
                       [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); });
}

bool PinyinName::matchFrom(std::size_t character, QStringView word, qsizetype offset, std::vector<bool> &failed,
                           std::size_t *end) const
{
    if (offset == word.size()) {
        *end = character;
        return true;
    }
    if (character >= m_characters.size())
        return false;
    // Each (character, place in the word) that cannot be finished is tried once only.
    const std::size_t key = character * std::size_t(word.size() + 1) + std::size_t(offset);
    if (failed[key])
        return false;
    const QStringView rest = word.sliced(offset);
    for (const QByteArray &reading : m_characters[character].readings) {
        // The longest common start of the reading and the rest of the word.
        qsizetype common = 0;
        while (common < reading.size() && common < rest.size() && sameLetter(rest[common], reading[common]))
            ++common;
        // The word may end inside this syllable; otherwise the character takes any start of its
        // reading, the longest first, and the next character goes on from there.
        for (qsizetype taken = common; taken >= 1; --taken)
            if (matchFrom(character + 1, word, offset + taken, failed, end))
                return true;
    }
    failed[key] = true;
    return false;
}

PinyinName::Match PinyinName::find(QStringView word) const
{
    if (!isPinyinWord(word) || m_characters.empty())
        return {};
    std::vector<bool> failed(m_characters.size() * std::size_t(word.size() + 1));
    for (std::size_t first = 0; first < m_characters.size(); ++first) {
        std::size_t end = 0;
        if (matchFrom(first, word, 0, failed, &end)) {
            const Character &last = m_characters[end - 1];
            const int start = m_characters[first].position;
            return {start, last.position + last.length - start};
        }
    }
    return {};
}

} // namespace search
