// searchtables: writes the search's folding tables from the Unicode Han database.
//
//   searchtables VARIANTS READINGS OUT.cpp
//
// VARIANTS and READINGS are Unihan_Variants.txt and Unihan_Readings.txt, or the same files
// compressed with bzip2 (".bz2", read through `bzip2 -dc`). The output is a C++ source holding
//  - every kSimplifiedVariant pair: a traditional character and the simplified character it folds
//    to (a character that lists itself among its simplified forms is already simplified and is left
//    alone);
//  - for every character of the book's entry names, chapter titles and heading titles, its
//    Mandarin readings from kMandarin, kHanyuPinyin and kXHC1983, without tone marks, ü written v.
#include "content/Catalogue.h"
#include "tools/UnihanFile.h"

#include <QFile>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <set>

namespace {

// "zhèn" -> "zhen", "lǜ" -> "lv".
QString toneless(const QString &syllable)
{
    // ü, with or without a tone mark, decomposes to u and a diaeresis.
    QString decomposed = syllable.toLower().normalized(QString::NormalizationForm_D);
    decomposed.replace(QStringLiteral("u\u0308"), QStringLiteral("v"));
    QString plain;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        plain.append(c);
    }
    for (const QChar c : plain)
        if (c < QLatin1Char('a') || c > QLatin1Char('z'))
            return {};
    return plain;
}

// The toneless syllables of one reading field.
QStringList syllablesOf(QByteArrayView value)
{
    QStringList syllables;
    for (const QString &reading : unihan::readingsOf(value))
        if (const QString syllable = toneless(reading); !syllable.isEmpty())
            syllables.append(syllable);
    return syllables;
}

// The characters whose readings the search needs: those of the names it matches pinyin against.
std::set<char32_t> namedCharacters()
{
    std::set<char32_t> characters;
    auto add = [&](const QString &text) {
        for (const char32_t c : text.toUcs4())
            characters.insert(c);
    };
    const content::Catalogue &book = content::Catalogue::instance();
    for (const content::Chapter &chapter : book.chapters()) {
        add(chapter.shortTitle);
        for (const content::Entry &entry : chapter.entries) {
            add(entry.name);
            if (entry.page)
                add(entry.page->headingTitle);
        }
    }
    for (const content::QimenView &view : book.figureViews())
        add(view.headingTitle);
    return characters;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: searchtables VARIANTS READINGS OUT.cpp\n");
        return 2;
    }
    QString error;
    QByteArray variants;
    QByteArray readings;
    if (!unihan::readFile(QString::fromLocal8Bit(argv[1]), &variants, &error) ||
        !unihan::readFile(QString::fromLocal8Bit(argv[2]), &readings, &error)) {
        std::fprintf(stderr, "searchtables: %s\n", qPrintable(error));
        return 1;
    }

    // Traditional -> simplified.
    std::map<char32_t, char32_t> simplified;
    unihan::forEachLine(variants, [&](char32_t character, QByteArrayView field, QByteArrayView value) {
        if (field != "kSimplifiedVariant")
            return;
        char32_t first = 0;
        bool listsItself = false;
        for (const QByteArray &item : value.toByteArray().split(' ')) {
            const char32_t target = unihan::codePoint(item);
            if (!target)
                continue;
            if (target == character)
                listsItself = true;
            if (!first)
                first = target;
        }
        if (first && !listsItself)
            simplified[character] = first;
    });
    // A simplified form that is itself listed as traditional folds on to the end of the chain.
    for (auto &pair : simplified) {
        for (int step = 0; step < 4; ++step) {
            const auto next = simplified.find(pair.second);
            if (next == simplified.end() || next->second == pair.first)
                break;
            pair.second = next->second;
        }
    }

    // Readings of the named characters.
    const std::set<char32_t> named = namedCharacters();
    std::map<char32_t, QStringList> syllables;
    unihan::forEachLine(readings, [&](char32_t character, QByteArrayView field, QByteArrayView value) {
        if (field != "kMandarin" && field != "kHanyuPinyin" && field != "kXHC1983")
            return;
        if (!named.count(character))
            return;
        QStringList &list = syllables[character];
        for (const QString &syllable : syllablesOf(value))
            if (!list.contains(syllable))
                list.append(syllable);
    });
    if (simplified.empty() || syllables.empty()) {
        std::fprintf(stderr, "searchtables: the database files hold no variants or no readings\n");
        return 1;
    }
    int unread = 0;
    for (const char32_t c : named)
        if (((c >= 0x3400 && c <= 0x9FFF) || c >= 0x20000) && !syllables.count(c)) {
            std::fprintf(stderr, "searchtables: no reading for U+%04X\n", uint(c));
            ++unread;
        }

    QFile out(QString::fromLocal8Bit(argv[3]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "searchtables: cannot write %s\n", argv[3]);
        return 1;
    }
    QTextStream stream(&out);
    stream << "// Generated by tools/searchtables from the Unicode Han database; do not edit.\n"
              "#include \"search/FoldingTables.h\"\n\n"
              "namespace search::tables {\n\n"
              "const SimplifiedPair kSimplified[] = {\n";
    int column = 0;
    for (const auto &[from, to] : simplified) {
        stream << "{" << unihan::hex(from) << "," << unihan::hex(to) << "},";
        if (++column % 6 == 0)
            stream << "\n";
    }
    stream << "\n};\nconst std::size_t kSimplifiedCount = " << simplified.size() << ";\n\n"
           << "const CharacterReadings kReadings[] = {\n";
    for (auto &[character, list] : syllables) {
        list.sort();
        stream << "{" << unihan::hex(character) << ",\"" << list.join(QLatin1Char(' ')) << "\"},\n";
    }
    stream << "};\nconst std::size_t kReadingsCount = " << syllables.size() << ";\n\n"
           << "} // namespace search::tables\n";
    stream.flush();
    if (out.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "searchtables: writing %s failed\n", argv[3]);
        return 1;
    }
    std::printf("searchtables: %zu traditional characters, readings of %zu named characters (%d without)\n",
                simplified.size(), syllables.size(), unread);
    return 0;
}
