#include "common/PdfTextMap.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cctype>
#include <functional>
#include <iterator>
#include <optional>

namespace pdftextmap {

namespace {

struct Equivalent {
    char32_t look;      // a radical or a stroke
    char32_t ideograph; // the ideograph it looks like
};

// Unicode's equivalent unified ideographs, one row for each radical and stroke, sorted: generated
// at build time from EquivalentUnifiedIdeograph.txt of the Unicode data (Debian's unicode-data).
constexpr Equivalent kEquivalents[] = {
#include "EquivalentIdeographs.inc"
};

// One UTF-16 code unit or surrogate pair in a map's hexadecimal form, <4E00> or <D840DCCA>.
std::optional<char32_t> codeOf(const QByteArray &hex)
{
    if (hex.size() != 4 && hex.size() != 8)
        return std::nullopt;
    bool ok = false;
    const uint first = hex.left(4).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    if (hex.size() == 4)
        return QChar::isSurrogate(first) ? std::nullopt : std::optional<char32_t>(first);
    const uint second = hex.mid(4).toUInt(&ok, 16);
    if (!ok || !QChar::isHighSurrogate(first) || !QChar::isLowSurrogate(second))
        return std::nullopt;
    return QChar::surrogateToUcs4(char16_t(first), char16_t(second));
}

QByteArray hexOf(char32_t code)
{
    QByteArray hex;
    for (const QChar unit : QString::fromUcs4(&code, 1))
        hex += QByteArray::number(unit.unicode(), 16).toUpper().rightJustified(4, '0');
    return hex;
}

// What the face of the map being mended draws for a look-alike.
using Reading = std::function<char32_t(char32_t lookAlike)>;

char32_t meant(char32_t code, const Reading &reading)
{
    if (!isLookAlike(code))
        return code;
    const char32_t ideograph = reading ? reading(code) : 0;
    return ideograph ? ideograph : unifiedIdeograph(code);
}

// A destination <hex> of a map, mended when it is a single look-alike.
QByteArray mendedDestination(const QByteArray &hex, const Reading &reading)
{
    const std::optional<char32_t> code = codeOf(hex);
    if (!code || meant(*code, reading) == *code)
        return hex;
    return hexOf(meant(*code, reading));
}

QByteArray mendedDestinations(const QByteArray &text, const Reading &reading)
{
    static const QRegularExpression token(QStringLiteral("<([0-9A-Fa-f]*)>"));
    QByteArray mended;
    qsizetype done = 0;
    const QString source = QString::fromLatin1(text);
    for (const QRegularExpressionMatch &match : token.globalMatch(source)) {
        mended += text.mid(done, match.capturedStart(1) - done);
        mended += mendedDestination(match.captured(1).toLatin1(), reading);
        done = match.capturedEnd(1);
    }
    return mended + text.mid(done);
}

// One line of a bfrange section: <first> <last> <destination> (the destination counting up with
// the glyphs) or <first> <last> [<destination> …] (one for each glyph).
QByteArray mendedRange(const QByteArray &line, const Reading &reading)
{
    static const QRegularExpression range(
        QStringLiteral("^(\\s*<([0-9A-Fa-f]{1,8})>\\s*<([0-9A-Fa-f]{1,8})>\\s*)(.*)$"));
    const QRegularExpressionMatch match = range.match(QString::fromLatin1(line));
    if (!match.hasMatch())
        return line;
    const QByteArray sources = match.captured(1).toLatin1();
    const QByteArray rest = match.captured(4).toLatin1();
    const uint first = match.captured(2).toUInt(nullptr, 16);
    const uint last = match.captured(3).toUInt(nullptr, 16);
    if (rest.startsWith('[') || first == last)
        return sources + mendedDestinations(rest, reading);

    // A counting range is written out one destination a glyph when one of them is mended.
    static const QRegularExpression single(QStringLiteral("^<([0-9A-Fa-f]{4})>(.*)$"));
    const QRegularExpressionMatch destination = single.match(QString::fromLatin1(rest));
    const std::optional<char32_t> start =
        destination.hasMatch() ? codeOf(destination.captured(1).toLatin1()) : std::nullopt;
    if (!start || last < first || last - first > 0xFF)
        return line;
    bool mends = false;
    QByteArray each = "[";
    for (uint i = 0; i <= last - first; ++i) {
        const char32_t code = *start + i;
        mends = mends || meant(code, reading) != code;
        each += '<' + hexOf(meant(code, reading)) + "> ";
    }
    return mends ? sources + each + ']' + destination.captured(2).toLatin1() : line;
}

// The map's text with its bfrange and bfchar sections mended; the rest as it was.
QByteArray mendedMap(const QByteArray &map, const Reading &reading)
{
    enum class Section { None, Range, Char } section = Section::None;
    QList<QByteArray> lines = map.split('\n');
    for (QByteArray &line : lines) {
        const QByteArray word = line.trimmed();
        if (word.endsWith("beginbfrange"))
            section = Section::Range;
        else if (word.endsWith("beginbfchar"))
            section = Section::Char;
        else if (word == "endbfrange" || word == "endbfchar")
            section = Section::None;
        else if (section == Section::Range)
            line = mendedRange(line, reading);
        else if (section == Section::Char) {
            // <glyph> <destination>: the first token stays.
            const qsizetype close = line.indexOf('>');
            if (close >= 0)
                line = line.left(close + 1) + mendedDestinations(line.mid(close + 1), reading);
        }
    }
    return lines.join('\n');
}

// One entry of the cross-reference table: where its ten-digit offset stands, and the offset.
struct XrefEntry {
    qsizetype field = 0;
    qsizetype offset = 0;
    bool inUse = false;
};

struct Xref {
    qsizetype start = 0;      // where "xref" begins
    qsizetype startField = 0; // where the number after "startxref" begins
    qsizetype startFieldLength = 0;
    QList<XrefEntry> entries; // by object number
};

std::optional<Xref> readXref(const QByteArray &pdf)
{
    Xref xref;
    const qsizetype keyword = pdf.lastIndexOf("startxref");
    if (keyword < 0)
        return std::nullopt;
    xref.startField = keyword + qsizetype(sizeof("startxref") - 1);
    while (xref.startField < pdf.size() && QChar::isSpace(pdf.at(xref.startField)))
        ++xref.startField;
    qsizetype end = xref.startField;
    while (end < pdf.size() && std::isdigit(static_cast<unsigned char>(pdf.at(end))))
        ++end;
    xref.startFieldLength = end - xref.startField;
    bool ok = false;
    xref.start = pdf.mid(xref.startField, xref.startFieldLength).toLongLong(&ok);
    if (!ok || xref.start <= 0 || xref.start >= keyword || !pdf.mid(xref.start).startsWith("xref"))
        return std::nullopt;

    // Subsections "first count", each followed by count entries of 20 bytes.
    qsizetype at = pdf.indexOf('\n', xref.start) + 1;
    while (at > 0 && at < keyword && !pdf.mid(at).startsWith("trailer")) {
        const qsizetype lineEnd = pdf.indexOf('\n', at);
        const QList<QByteArray> header = pdf.mid(at, lineEnd - at).simplified().split(' ');
        bool firstOk = false;
        bool countOk = false;
        const qsizetype firstObject = header.size() == 2 ? header.at(0).toLongLong(&firstOk) : -1;
        const qsizetype count = header.size() == 2 ? header.at(1).toLongLong(&countOk) : -1;
        if (!firstOk || !countOk || lineEnd < 0 || firstObject < 0 || count < 0 || lineEnd + 1 + count * 20 > keyword)
            return std::nullopt;
        at = lineEnd + 1;
        if (xref.entries.size() < firstObject + count)
            xref.entries.resize(firstObject + count);
        for (qsizetype i = 0; i < count; ++i, at += 20) {
            XrefEntry &entry = xref.entries[firstObject + i];
            entry.field = at;
            entry.offset = pdf.mid(at, 10).toLongLong(&ok);
            entry.inUse = ok && pdf.at(at + 17) == 'n';
            if (!ok)
                return std::nullopt;
        }
    }
    return xref;
}

// A change of the file: the bytes [at, at + length) become replacement.
struct Edit {
    qsizetype at = 0;
    qsizetype length = 0;
    QByteArray replacement;
};

// The edits that mend the map of object number, none when it needs none.
std::optional<QList<Edit>> mendObject(const QByteArray &pdf, const Xref &xref, qsizetype number, const Reading &reading)
{
    if (number <= 0 || number >= xref.entries.size() || !xref.entries.at(number).inUse)
        return std::nullopt;
    const qsizetype object = xref.entries.at(number).offset;
    const QByteArray header = QByteArray::number(number) + " 0 obj";
    if (object <= 0 || object >= xref.start || !pdf.mid(object).startsWith(header))
        return std::nullopt;
    const qsizetype keyword = pdf.indexOf("stream", object + header.size());
    if (keyword < 0 || keyword >= xref.start)
        return std::nullopt;
    static const QRegularExpression lengthEntry(QStringLiteral("/Length\\s+(\\d+)\\s*(R?)"));
    const QString dictionary = QString::fromLatin1(pdf.mid(object, keyword - object));
    const QRegularExpressionMatch length = lengthEntry.match(dictionary);
    if (!length.hasMatch() || !length.captured(2).isEmpty() || dictionary.contains(QLatin1String("/Filter")))
        return std::nullopt; // a length elsewhere or a compressed map: not what this reads
    qsizetype data = keyword + qsizetype(sizeof("stream") - 1);
    if (pdf.mid(data, 2) == "\r\n")
        data += 2;
    else if (pdf.at(data) == '\n')
        data += 1;
    else
        return std::nullopt;
    const qsizetype size = length.captured(1).toLongLong();
    if (data + size > xref.start)
        return std::nullopt;

    const QByteArray map = pdf.mid(data, size);
    const QByteArray mended = mendedMap(map, reading);
    QList<Edit> edits;
    if (mended == map)
        return edits;
    if (mended.size() != size)
        edits.append({object + length.capturedStart(1), length.capturedLength(1), QByteArray::number(mended.size())});
    edits.append({data, size, mended});
    return edits;
}

} // namespace

bool isLookAlike(char32_t code)
{
    return (code >= 0x2E80 && code <= 0x2FDF) || (code >= 0x31C0 && code <= 0x31EF);
}

char32_t unifiedIdeograph(char32_t code)
{
    const auto found = std::lower_bound(std::begin(kEquivalents), std::end(kEquivalents), code,
                                        [](const Equivalent &row, char32_t look) { return row.look < look; });
    return found != std::end(kEquivalents) && found->look == code ? found->ideograph : code;
}

QByteArray withIdeographs(const QByteArray &pdf, const FaceReading &faces)
{
    const std::optional<Xref> xref = readXref(pdf);
    if (!xref)
        return pdf;

    // Each font names its map: /ToUnicode 25 0 R.
    QList<Edit> edits;
    QList<qsizetype> seen;
    const QByteArray name = "/ToUnicode";
    for (qsizetype at = pdf.indexOf(name); at >= 0 && at < xref->start; at = pdf.indexOf(name, at + 1)) {
        const QList<QByteArray> words = pdf.mid(at + name.size(), 24).simplified().split(' ');
        bool ok = false;
        const qsizetype number =
            words.size() >= 3 && words.at(1) == "0" && words.at(2).startsWith('R') ? words.at(0).toLongLong(&ok) : 0;
        if (!ok)
            return pdf;
        if (seen.contains(number))
            continue;
        seen.append(number);
        // The font that names the map names its face a little before: /BaseFont /NotoSerifCJKsc-Regular.
        const qsizetype object = pdf.lastIndexOf(" obj", at);
        const qsizetype base = pdf.lastIndexOf("/BaseFont /", at);
        QByteArray face;
        if (base > object && object >= 0) {
            const qsizetype begin = base + qsizetype(sizeof("/BaseFont /") - 1);
            qsizetype end = begin;
            while (end < at && !QChar::isSpace(pdf.at(end)) && pdf.at(end) != '/' && pdf.at(end) != '>')
                ++end;
            face = pdf.mid(begin, end - begin);
        }
        const Reading reading = faces && !face.isEmpty()
                                    ? Reading([&faces, face](char32_t lookAlike) { return faces(face, lookAlike); })
                                    : Reading();
        const std::optional<QList<Edit>> mended = mendObject(pdf, *xref, number, reading);
        if (!mended)
            return pdf;
        edits += *mended;
    }
    if (edits.isEmpty())
        return pdf;
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.at < b.at; });

    // The edits in order; every offset after an edit moves by what the edits before it added.
    QByteArray out;
    out.reserve(pdf.size() + 4096);
    qsizetype done = 0;
    QList<std::pair<qsizetype, qsizetype>> shifts; // from this old offset on, this much further
    qsizetype shift = 0;
    for (const Edit &edit : edits) {
        if (edit.at < done)
            return pdf;
        out += pdf.mid(done, edit.at - done);
        out += edit.replacement;
        done = edit.at + edit.length;
        shift += edit.replacement.size() - edit.length;
        shifts.append({done, shift});
    }
    out += pdf.mid(done);
    const auto moved = [&shifts](qsizetype offset) {
        qsizetype by = 0;
        for (const auto &[from, total] : shifts)
            if (offset >= from)
                by = total;
        return offset + by;
    };
    if (shift == 0)
        return out;
    for (const XrefEntry &entry : xref->entries)
        if (entry.inUse)
            out.replace(moved(entry.field), 10, QByteArray::number(moved(entry.offset)).rightJustified(10, '0'));
    out.replace(moved(xref->startField), xref->startFieldLength, QByteArray::number(moved(xref->start)));
    return out;
}

} // namespace pdftextmap
