#pragma once
// Reading the Unicode Han database's files (Debian's unicode-data) for the build's table generators:
// a whole file, compressed with bzip2 or not, its data lines, the readings of a reading field, and
// what the generators write of them.

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace unihan {

// The whole file; a name ending in ".bz2" is read through `bzip2 -dc`. False, with *error saying
// why, for a file that cannot be read or is empty.
inline bool readFile(const QString &fileName, QByteArray *text, QString *error)
{
    if (fileName.endsWith(QStringLiteral(".bz2"))) {
        QProcess bzip2;
        bzip2.start(QStringLiteral("bzip2"), {QStringLiteral("-dc"), fileName});
        if (!bzip2.waitForFinished(120000) || bzip2.exitStatus() != QProcess::NormalExit || bzip2.exitCode() != 0) {
            *error = QStringLiteral("bzip2 -dc %1 failed: %2 %3")
                         .arg(fileName, bzip2.errorString(), QString::fromLocal8Bit(bzip2.readAllStandardError()));
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

// "U+93AE" -> 0x93AE; 0 when the field is not a code point.
inline char32_t codePoint(QByteArrayView field)
{
    if (!field.startsWith("U+"))
        return 0;
    bool ok = false;
    const uint value = field.sliced(2).toUInt(&ok, 16);
    return ok ? char32_t(value) : 0;
}

// Calls back with (character, field name, value) for each data line of a database file.
template <typename Handler> void forEachLine(const QByteArray &text, Handler &&handler)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start);
        start = end + 1;
        if (line.isEmpty() || line.front() == '#')
            continue;
        const qsizetype tab1 = line.indexOf('\t');
        const qsizetype tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
        if (tab2 < 0)
            continue;
        const char32_t character = codePoint(line.first(tab1));
        if (character)
            handler(character, line.sliced(tab1 + 1, tab2 - tab1 - 1), line.sliced(tab2 + 1).trimmed());
    }
}

// The readings of one reading field, with their tone marks: "zhèn" (kMandarin),
// "64238.010:zhèn,zhēn 64238.020:tián" (kHanyuPinyin, several locations separated by spaces),
// "1470.040:zhèn" (kXHC1983, which marks some readings with an asterisk).
inline QStringList readingsOf(QByteArrayView value)
{
    QStringList readings;
    for (const QString &item : QString::fromUtf8(value).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        for (const QString &reading :
             item.mid(item.indexOf(QLatin1Char(':')) + 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
            if (const QString plain = QString(reading).remove(QLatin1Char('*')); !plain.isEmpty())
                readings.append(plain);
    return readings;
}

// True when a syllable carries a tone mark (ü's diaeresis is not one).
inline bool hasTone(const QString &syllable)
{
    QString decomposed = syllable.normalized(QString::NormalizationForm_D);
    decomposed.remove(QStringLiteral("u\u0308"));
    for (const QChar c : decomposed)
        if (c.category() == QChar::Mark_NonSpacing)
            return true;
    return false;
}

// A code point as C++ source writes it: 0x93AE.
inline QString hex(char32_t c)
{
    return QStringLiteral("0x") + QString::number(uint(c), 16).toUpper();
}

} // namespace unihan
