// pinyintables: writes the readings of the incantations' characters from the Unicode Han database.
//
//   pinyintables READINGS OUT.cpp
//
// READINGS is Unihan_Readings.txt, or the same file compressed with bzip2 (".bz2", read through
// `bzip2 -dc`). For every character of the incantations and of the book's reviewed words the output
// holds its Mandarin readings with tone marks, the usual one first: those of kHanyuPinlu by their
// frequency, then kMandarin, kXHC1983 and kHanyuPinyin, every toned reading before the neutral
// tone. A character is marked as having several readings when kHanyuPinlu counts more than one
// with a tone mark, or, without counts, kXHC1983 lists more than one.
// It fails on a Han character of the incantations that the database gives no reading.
#include "content/Readings.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

namespace {

bool readDatabaseFile(const QString &fileName, QByteArray *text, QString *error)
{
    if (fileName.endsWith(QStringLiteral(".bz2"))) {
        QProcess bzip2;
        bzip2.start(QStringLiteral("bzip2"), {QStringLiteral("-dc"), fileName});
        if (!bzip2.waitForFinished(120000) || bzip2.exitStatus() != QProcess::NormalExit || bzip2.exitCode() != 0) {
            *error = QStringLiteral("bzip2 -dc %1 failed: %2").arg(fileName, bzip2.errorString());
            return false;
        }
        *text = bzip2.readAllStandardOutput();
    } else {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString());
            return false;
        }
        *text = file.readAll();
    }
    if (text->isEmpty()) {
        *error = QStringLiteral("%1 is empty").arg(fileName);
        return false;
    }
    return true;
}

bool isHan(char32_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c >= 0x20000;
}

struct Fields {
    QList<std::pair<QString, int>> pinlu; // reading and its count
    QStringList mandarin;
    QStringList xhc;
    QStringList hanyu;
};

// "64238.010:zhèn,zhēn 64238.020:tián" -> zhèn zhēn tián.
QStringList located(const QString &value)
{
    QStringList list;
    for (const QString &item : value.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        for (const QString &reading : item.mid(item.indexOf(QLatin1Char(':')) + 1).split(QLatin1Char(',')))
            if (!reading.isEmpty())
                list.append(QString(reading).remove(QLatin1Char('*')));
    return list;
}

// True when a syllable carries a tone mark.
bool hasTone(const QString &syllable)
{
    QString decomposed = syllable.normalized(QString::NormalizationForm_D);
    decomposed.remove(QStringLiteral("u\u0308"));
    for (const QChar c : decomposed)
        if (c.category() == QChar::Mark_NonSpacing)
            return true;
    return false;
}

QString hex(char32_t c)
{
    return QStringLiteral("0x") + QString::number(uint(c), 16).toUpper();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: pinyintables READINGS OUT.cpp\n");
        return 2;
    }
    QString error;
    QByteArray database;
    if (!readDatabaseFile(QString::fromLocal8Bit(argv[1]), &database, &error)) {
        std::fprintf(stderr, "pinyintables: %s\n", qPrintable(error));
        return 1;
    }

    std::set<char32_t> wanted;
    std::set<char32_t> incantation;
    for (const QString &paragraph : content::incantations())
        for (const char32_t c : paragraph.toUcs4())
            if (isHan(c)) {
                wanted.insert(c);
                incantation.insert(c);
            }
    for (const content::ReviewedReading &reviewed : content::reviewedReadings())
        for (const char32_t c : QString::fromUtf8(reviewed.word).toUcs4())
            if (isHan(c))
                wanted.insert(c);

    std::map<char32_t, Fields> fields;
    static const QRegularExpression pinluItem(QStringLiteral("^(.+)\\((\\d+)\\)$"));
    for (const QByteArray &line : database.split('\n')) {
        if (!line.startsWith("U+"))
            continue;
        const QList<QByteArray> parts = line.trimmed().split('\t');
        if (parts.size() != 3)
            continue;
        bool ok = false;
        const char32_t c = char32_t(parts[0].mid(2).toUInt(&ok, 16));
        if (!ok || !wanted.count(c))
            continue;
        const QString value = QString::fromUtf8(parts[2]);
        Fields &f = fields[c];
        if (parts[1] == "kHanyuPinlu") {
            for (const QString &item : value.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const QRegularExpressionMatch match = pinluItem.match(item);
                if (match.hasMatch())
                    f.pinlu.append({match.captured(1), match.captured(2).toInt()});
            }
        } else if (parts[1] == "kMandarin") {
            f.mandarin = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        } else if (parts[1] == "kXHC1983") {
            f.xhc = located(value);
        } else if (parts[1] == "kHanyuPinyin") {
            f.hanyu = located(value);
        }
    }

    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "pinyintables: cannot write %s\n", argv[2]);
        return 1;
    }
    QTextStream stream(&out);
    stream << "// Generated by tools/pinyintables from the Unicode Han database; do not edit.\n"
              "#include \"common/PinyinTables.h\"\n\n"
              "namespace pinyin::tables {\n\n"
              "const CharacterPinyin kPinyin[] = {\n";
    int unread = 0;
    std::size_t count = 0;
    for (const char32_t c : wanted) {
        Fields &f = fields[c];
        std::stable_sort(f.pinlu.begin(), f.pinlu.end(),
                         [](const auto &a, const auto &b) { return a.second > b.second; });
        QStringList readings;
        auto add = [&](const QString &reading) {
            if (!reading.isEmpty() && !readings.contains(reading))
                readings.append(reading);
        };
        // A reading in the neutral tone (地 as de in 慢慢地, 西 as xi in 东西) is how the syllable sounds
        // inside some spoken words, however often it is counted: every toned reading comes first.
        for (const bool toned : {true, false}) {
            for (const auto &[reading, frequency] : f.pinlu)
                if (hasTone(reading) == toned)
                    add(reading);
            for (const QStringList *list : {&f.mandarin, &f.xhc, &f.hanyu})
                for (const QString &reading : *list)
                    if (hasTone(reading) == toned)
                        add(reading);
        }
        if (readings.isEmpty()) {
            if (incantation.count(c)) {
                std::fprintf(stderr, "pinyintables: no reading for U+%04X\n", uint(c));
                ++unread;
            }
            continue;
        }
        // The neutral tone (no mark) is how a syllable sounds inside some words, not another reading.
        QStringList modern;
        for (const auto &[reading, frequency] : f.pinlu)
            if (!modern.contains(reading) && hasTone(reading))
                modern.append(reading);
        if (modern.isEmpty())
            for (const QString &reading : f.xhc)
                if (!modern.contains(reading))
                    modern.append(reading);
        stream << "{" << hex(c) << ",\"" << readings.join(QLatin1Char(' ')) << "\","
               << (modern.size() > 1 ? "true" : "false") << "},\n";
        ++count;
    }
    stream << "};\nconst std::size_t kPinyinCount = " << count << ";\n\n} // namespace pinyin::tables\n";
    stream.flush();
    if (out.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "pinyintables: writing %s failed\n", argv[2]);
        return 1;
    }
    return unread ? 1 : 0;
}
