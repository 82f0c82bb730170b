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

// Unicode's equivalent unified ideographs (EquivalentUnifiedIdeograph.txt of the Unicode 15 data,
// as Debian's unicode-data installs it), one row for each radical and stroke, sorted.
constexpr Equivalent kEquivalents[] = {
    {0x2E81, 0x5382},  {0x2E82, 0x4E5B},  {0x2E83, 0x4E5A},  {0x2E84, 0x4E59},  {0x2E85, 0x4EBB},  {0x2E86, 0x5182},
    {0x2E87, 0x20628}, {0x2E88, 0x5200},  {0x2E89, 0x5202},  {0x2E8A, 0x535C},  {0x2E8B, 0x353E},  {0x2E8C, 0x5C0F},
    {0x2E8D, 0x5C0F},  {0x2E8E, 0x5140},  {0x2E8F, 0x5C23},  {0x2E90, 0x5C22},  {0x2E91, 0x21BC2}, {0x2E92, 0x5DF3},
    {0x2E93, 0x5E7A},  {0x2E94, 0x5F51},  {0x2E95, 0x2B739}, {0x2E96, 0x5FC4},  {0x2E97, 0x5FC3},  {0x2E98, 0x624C},
    {0x2E99, 0x6535},  {0x2E9B, 0x65E1},  {0x2E9C, 0x65E5},  {0x2E9D, 0x6708},  {0x2E9E, 0x6B7A},  {0x2E9F, 0x6BCD},
    {0x2EA0, 0x6C11},  {0x2EA1, 0x6C35},  {0x2EA2, 0x6C3A},  {0x2EA3, 0x706C},  {0x2EA4, 0x722B},  {0x2EA5, 0x722B},
    {0x2EA6, 0x4E2C},  {0x2EA7, 0x725B},  {0x2EA8, 0x72AD},  {0x2EA9, 0x738B},  {0x2EAA, 0x24D14}, {0x2EAB, 0x76EE},
    {0x2EAC, 0x793A},  {0x2EAD, 0x793B},  {0x2EAE, 0x25AD7}, {0x2EAF, 0x7CF9},  {0x2EB0, 0x7E9F},  {0x2EB1, 0x7F53},
    {0x2EB2, 0x7F52},  {0x2EB3, 0x34C1},  {0x2EB4, 0x5197},  {0x2EB5, 0x2626B}, {0x2EB6, 0x7F8A},  {0x2EB7, 0x2634C},
    {0x2EB8, 0x2634B}, {0x2EB9, 0x8002},  {0x2EBA, 0x8080},  {0x2EBB, 0x807F},  {0x2EBC, 0x8089},  {0x2EBD, 0x26951},
    {0x2EBE, 0x8279},  {0x2EBF, 0x8279},  {0x2EC0, 0x8279},  {0x2EC1, 0x864E},  {0x2EC2, 0x8864},  {0x2EC3, 0x8980},
    {0x2EC4, 0x897F},  {0x2EC5, 0x89C1},  {0x2EC6, 0x89D2},  {0x2EC7, 0x278B2}, {0x2EC8, 0x8BA0},  {0x2EC9, 0x8D1D},
    {0x2ECA, 0x27FB7}, {0x2ECB, 0x8F66},  {0x2ECC, 0x8FB6},  {0x2ECD, 0x8FB6},  {0x2ECE, 0x8FB6},  {0x2ECF, 0x9091},
    {0x2ED0, 0x9485},  {0x2ED1, 0x9577},  {0x2ED2, 0x9578},  {0x2ED3, 0x957F},  {0x2ED4, 0x95E8},  {0x2ED5, 0x28E0F},
    {0x2ED6, 0x961D},  {0x2ED7, 0x96E8},  {0x2ED8, 0x9752},  {0x2ED9, 0x97E6},  {0x2EDA, 0x9875},  {0x2EDB, 0x98CE},
    {0x2EDC, 0x98DE},  {0x2EDD, 0x98DF},  {0x2EDE, 0x2967F}, {0x2EDF, 0x98E0},  {0x2EE0, 0x9963},  {0x2EE1, 0x29810},
    {0x2EE2, 0x9A6C},  {0x2EE3, 0x9AA8},  {0x2EE4, 0x9B3C},  {0x2EE5, 0x9C7C},  {0x2EE6, 0x9E1F},  {0x2EE7, 0x5364},
    {0x2EE8, 0x9EA6},  {0x2EE9, 0x9EC4},  {0x2EEA, 0x9EFE},  {0x2EEB, 0x6589},  {0x2EEC, 0x9F50},  {0x2EED, 0x6B6F},
    {0x2EEE, 0x9F7F},  {0x2EEF, 0x7ADC},  {0x2EF0, 0x9F99},  {0x2EF1, 0x9F9C},  {0x2EF2, 0x4E80},  {0x2EF3, 0x9F9F},
    {0x2F00, 0x4E00},  {0x2F01, 0x4E28},  {0x2F02, 0x4E36},  {0x2F03, 0x4E3F},  {0x2F04, 0x4E59},  {0x2F05, 0x4E85},
    {0x2F06, 0x4E8C},  {0x2F07, 0x4EA0},  {0x2F08, 0x4EBA},  {0x2F09, 0x513F},  {0x2F0A, 0x5165},  {0x2F0B, 0x516B},
    {0x2F0C, 0x5182},  {0x2F0D, 0x5196},  {0x2F0E, 0x51AB},  {0x2F0F, 0x51E0},  {0x2F10, 0x51F5},  {0x2F11, 0x5200},
    {0x2F12, 0x529B},  {0x2F13, 0x52F9},  {0x2F14, 0x5315},  {0x2F15, 0x531A},  {0x2F16, 0x5338},  {0x2F17, 0x5341},
    {0x2F18, 0x535C},  {0x2F19, 0x5369},  {0x2F1A, 0x5382},  {0x2F1B, 0x53B6},  {0x2F1C, 0x53C8},  {0x2F1D, 0x53E3},
    {0x2F1E, 0x56D7},  {0x2F1F, 0x571F},  {0x2F20, 0x58EB},  {0x2F21, 0x5902},  {0x2F22, 0x590A},  {0x2F23, 0x5915},
    {0x2F24, 0x5927},  {0x2F25, 0x5973},  {0x2F26, 0x5B50},  {0x2F27, 0x5B80},  {0x2F28, 0x5BF8},  {0x2F29, 0x5C0F},
    {0x2F2A, 0x5C22},  {0x2F2B, 0x5C38},  {0x2F2C, 0x5C6E},  {0x2F2D, 0x5C71},  {0x2F2E, 0x5DDB},  {0x2F2F, 0x5DE5},
    {0x2F30, 0x5DF1},  {0x2F31, 0x5DFE},  {0x2F32, 0x5E72},  {0x2F33, 0x5E7A},  {0x2F34, 0x5E7F},  {0x2F35, 0x5EF4},
    {0x2F36, 0x5EFE},  {0x2F37, 0x5F0B},  {0x2F38, 0x5F13},  {0x2F39, 0x5F50},  {0x2F3A, 0x5F61},  {0x2F3B, 0x5F73},
    {0x2F3C, 0x5FC3},  {0x2F3D, 0x6208},  {0x2F3E, 0x6236},  {0x2F3F, 0x624B},  {0x2F40, 0x652F},  {0x2F41, 0x6534},
    {0x2F42, 0x6587},  {0x2F43, 0x6597},  {0x2F44, 0x65A4},  {0x2F45, 0x65B9},  {0x2F46, 0x65E0},  {0x2F47, 0x65E5},
    {0x2F48, 0x66F0},  {0x2F49, 0x6708},  {0x2F4A, 0x6728},  {0x2F4B, 0x6B20},  {0x2F4C, 0x6B62},  {0x2F4D, 0x6B79},
    {0x2F4E, 0x6BB3},  {0x2F4F, 0x6BCB},  {0x2F50, 0x6BD4},  {0x2F51, 0x6BDB},  {0x2F52, 0x6C0F},  {0x2F53, 0x6C14},
    {0x2F54, 0x6C34},  {0x2F55, 0x706B},  {0x2F56, 0x722A},  {0x2F57, 0x7236},  {0x2F58, 0x723B},  {0x2F59, 0x723F},
    {0x2F5A, 0x7247},  {0x2F5B, 0x7259},  {0x2F5C, 0x725B},  {0x2F5D, 0x72AC},  {0x2F5E, 0x7384},  {0x2F5F, 0x7389},
    {0x2F60, 0x74DC},  {0x2F61, 0x74E6},  {0x2F62, 0x7518},  {0x2F63, 0x751F},  {0x2F64, 0x7528},  {0x2F65, 0x7530},
    {0x2F66, 0x758B},  {0x2F67, 0x7592},  {0x2F68, 0x7676},  {0x2F69, 0x767D},  {0x2F6A, 0x76AE},  {0x2F6B, 0x76BF},
    {0x2F6C, 0x76EE},  {0x2F6D, 0x77DB},  {0x2F6E, 0x77E2},  {0x2F6F, 0x77F3},  {0x2F70, 0x793A},  {0x2F71, 0x79B8},
    {0x2F72, 0x79BE},  {0x2F73, 0x7A74},  {0x2F74, 0x7ACB},  {0x2F75, 0x7AF9},  {0x2F76, 0x7C73},  {0x2F77, 0x7CF8},
    {0x2F78, 0x7F36},  {0x2F79, 0x7F51},  {0x2F7A, 0x7F8A},  {0x2F7B, 0x7FBD},  {0x2F7C, 0x8001},  {0x2F7D, 0x800C},
    {0x2F7E, 0x8012},  {0x2F7F, 0x8033},  {0x2F80, 0x807F},  {0x2F81, 0x8089},  {0x2F82, 0x81E3},  {0x2F83, 0x81EA},
    {0x2F84, 0x81F3},  {0x2F85, 0x81FC},  {0x2F86, 0x820C},  {0x2F87, 0x821B},  {0x2F88, 0x821F},  {0x2F89, 0x826E},
    {0x2F8A, 0x8272},  {0x2F8B, 0x8278},  {0x2F8C, 0x864D},  {0x2F8D, 0x866B},  {0x2F8E, 0x8840},  {0x2F8F, 0x884C},
    {0x2F90, 0x8863},  {0x2F91, 0x897E},  {0x2F92, 0x898B},  {0x2F93, 0x89D2},  {0x2F94, 0x8A00},  {0x2F95, 0x8C37},
    {0x2F96, 0x8C46},  {0x2F97, 0x8C55},  {0x2F98, 0x8C78},  {0x2F99, 0x8C9D},  {0x2F9A, 0x8D64},  {0x2F9B, 0x8D70},
    {0x2F9C, 0x8DB3},  {0x2F9D, 0x8EAB},  {0x2F9E, 0x8ECA},  {0x2F9F, 0x8F9B},  {0x2FA0, 0x8FB0},  {0x2FA1, 0x8FB5},
    {0x2FA2, 0x9091},  {0x2FA3, 0x9149},  {0x2FA4, 0x91C6},  {0x2FA5, 0x91CC},  {0x2FA6, 0x91D1},  {0x2FA7, 0x9577},
    {0x2FA8, 0x9580},  {0x2FA9, 0x961C},  {0x2FAA, 0x96B6},  {0x2FAB, 0x96B9},  {0x2FAC, 0x96E8},  {0x2FAD, 0x9751},
    {0x2FAE, 0x975E},  {0x2FAF, 0x9762},  {0x2FB0, 0x9769},  {0x2FB1, 0x97CB},  {0x2FB2, 0x97ED},  {0x2FB3, 0x97F3},
    {0x2FB4, 0x9801},  {0x2FB5, 0x98A8},  {0x2FB6, 0x98DB},  {0x2FB7, 0x98DF},  {0x2FB8, 0x9996},  {0x2FB9, 0x9999},
    {0x2FBA, 0x99AC},  {0x2FBB, 0x9AA8},  {0x2FBC, 0x9AD8},  {0x2FBD, 0x9ADF},  {0x2FBE, 0x9B25},  {0x2FBF, 0x9B2F},
    {0x2FC0, 0x9B32},  {0x2FC1, 0x9B3C},  {0x2FC2, 0x9B5A},  {0x2FC3, 0x9CE5},  {0x2FC4, 0x9E75},  {0x2FC5, 0x9E7F},
    {0x2FC6, 0x9EA5},  {0x2FC7, 0x9EBB},  {0x2FC8, 0x9EC3},  {0x2FC9, 0x9ECD},  {0x2FCA, 0x9ED1},  {0x2FCB, 0x9EF9},
    {0x2FCC, 0x9EFD},  {0x2FCD, 0x9F0E},  {0x2FCE, 0x9F13},  {0x2FCF, 0x9F20},  {0x2FD0, 0x9F3B},  {0x2FD1, 0x9F4A},
    {0x2FD2, 0x9F52},  {0x2FD3, 0x9F8D},  {0x2FD4, 0x9F9C},  {0x2FD5, 0x9FA0},  {0x31C6, 0x200CC}, {0x31CF, 0x4E40},
    {0x31D0, 0x4E00},  {0x31D1, 0x4E28},  {0x31D2, 0x4E3F},  {0x31D3, 0x4E3F},  {0x31D4, 0x4E36},  {0x31D5, 0x200CD},
    {0x31D6, 0x4E5B},  {0x31D7, 0x200CA}, {0x31D8, 0x200CE}, {0x31D9, 0x2010C}, {0x31DA, 0x4E85},  {0x31DB, 0x21FE8},
    {0x31DC, 0x200CB}, {0x31DD, 0x4E40},  {0x31DE, 0x200D1}, {0x31DF, 0x4E5A},  {0x31E0, 0x4E59},  {0x31E1, 0x2010E},
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
