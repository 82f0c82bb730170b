#include "articles/ArticleCodec.h"

#include <algorithm>
#include <cstdio>

namespace articlecodec {

namespace {

constexpr unsigned char kCr = 0x0D;
constexpr unsigned char kLf = 0x0A;

bool isLeadByte(unsigned byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// The shift as a value from 0 to 65535, so that any int shift adds modulo 65536.
std::uint32_t normalisedShift(int shift)
{
    const long long s = static_cast<long long>(shift) % 65536;
    return static_cast<std::uint32_t>(s < 0 ? s + 65536 : s);
}

void appendCharacter(std::string &out, std::uint32_t value)
{
    if (value > 0xFF)
        out.push_back(static_cast<char>(value >> 8));
    out.push_back(static_cast<char>(value & 0xFF));
}

std::string hexBytes(std::string_view bytes)
{
    std::string text;
    char buffer[4];
    for (unsigned char byte : bytes) {
        std::snprintf(buffer, sizeof buffer, "%s%02X", text.empty() ? "" : " ", byte);
        text += buffer;
    }
    return text;
}

} // namespace

bool ArticleReader::feed(const unsigned char *data, std::size_t size)
{
    if (m_stopped)
        return false;
    // At most one code per byte: room for all of them up front keeps the loop free of growth
    // checks that cost more than the work itself.
    std::size_t count = m_codes.size();
    m_codes.resize(count + size);
    std::uint16_t *codes = m_codes.data();

    std::size_t i = 0;
    while (i < size) {
        if (count >= kMaxCharacters) {
            m_stopped = true;
            break;
        }
        if (!m_afterCr && !m_atLineStart && m_pendingLead < 0) {
            // Inside a line with no character half read, the common case, in a tight loop. A CR, a
            // lead byte at the end of this piece or before a CR, and the cap are left to the steps
            // below.
            // Each character takes at least one byte, so stopping after as many bytes as the cap
            // leaves room for keeps the count within it.
            const std::size_t end = std::min(size, i + (kMaxCharacters - count));
            while (i < end) {
                const unsigned byte = data[i];
                if (byte == kCr)
                    break;
                if (isLeadByte(byte)) {
                    if (i + 1 >= size || data[i + 1] == kCr)
                        break;
                    codes[count++] = static_cast<std::uint16_t>(byte << 8 | data[i + 1]);
                    i += 2;
                } else {
                    codes[count++] = static_cast<std::uint16_t>(byte);
                    ++i;
                }
            }
            if (i >= size || count >= kMaxCharacters)
                continue;
        }

        const unsigned byte = data[i++];
        if (m_afterCr) {
            m_afterCr = false;
            if (byte == kLf)
                continue; // the LF of a CR LF pair
        }
        if (m_atLineStart) {
            // The test comes before each line: the line that crossed the limit was read whole.
            if (count >= kReadLimit) {
                m_stopped = true;
                break;
            }
            m_atLineStart = false;
        }
        if (byte == kCr) {
            if (m_pendingLead >= 0)
                codes[count++] = static_cast<std::uint16_t>(m_pendingLead);
            m_pendingLead = -1;
            m_atLineStart = true;
            m_afterCr = true;
        } else if (m_pendingLead >= 0) {
            codes[count++] = static_cast<std::uint16_t>(m_pendingLead << 8 | byte);
            m_pendingLead = -1;
        } else if (isLeadByte(byte)) {
            m_pendingLead = static_cast<int>(byte);
        } else {
            codes[count++] = static_cast<std::uint16_t>(byte);
        }
    }
    m_codes.resize(count);
    return !m_stopped;
}

void ArticleReader::finish()
{
    if (m_pendingLead >= 0)
        m_codes.push_back(static_cast<std::uint16_t>(m_pendingLead));
    m_pendingLead = -1;
}

std::vector<std::uint16_t> readArticleText(const unsigned char *data, std::size_t size)
{
    ArticleReader reader;
    if (data)
        reader.feed(data, size);
    reader.finish();
    return reader.takeCodes();
}

std::string decodeText(const std::vector<std::uint16_t> &codes, int shift)
{
    const std::uint32_t s = normalisedShift(shift);
    // Every character decodes to one or two bytes: write into room for two and trim once.
    std::string out(codes.size() * 2, '\0');
    char *p = out.data();
    for (std::uint16_t code : codes) {
        const std::uint32_t value = (code + s) & 0xFFFF;
        if (value > 0xFF)
            *p++ = static_cast<char>(value >> 8);
        *p++ = static_cast<char>(value & 0xFF);
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return out;
}

std::string decodeArticle(const unsigned char *data, std::size_t size, int shift)
{
    return decodeText(readArticleText(data, size), shift);
}

Encoded encodeArticle(std::string_view page, int shift, std::size_t maxLineBytes)
{
    const std::uint32_t s = normalisedShift(shift);
    if (maxLineBytes < 2)
        maxLineBytes = 2;
    Encoded result;
    std::string &out = result.bytes;
    out.reserve(page.size() + page.size() / 32 + 2);
    std::size_t lineBytes = 0;

    for (std::size_t i = 0; i < page.size();) {
        // One character of the page, split the way the decoded page is read as GBK.
        const unsigned first = static_cast<unsigned char>(page[i]);
        const bool pair = isLeadByte(first) && i + 1 < page.size();
        const std::size_t length = pair ? 2 : 1;
        const std::uint32_t value = pair ? (first << 8 | static_cast<unsigned char>(page[i + 1])) : first;

        // The code that decodes to this character: the value less the shift. It must itself be a
        // character as reading splits the file: one byte that is not a lead byte, or a lead byte
        // with its trail byte.
        const std::uint32_t code = (value + 65536 - s) & 0xFFFF;
        const bool single = code <= 0x80 || code == 0xFF;
        const bool twoByte = code >= 0x8100 && code <= 0xFEFF;
        if (!single && !twoByte) {
            result.error = "byte offset " + std::to_string(i) + ": the character " + hexBytes(page.substr(i, length)) +
                           " has no code that decodes to it with shift " + std::to_string(shift);
            return result;
        }
        if ((code & 0xFF) == kCr || (twoByte && (code >> 8) == kCr)) {
            result.error = "byte offset " + std::to_string(i) + ": the character " + hexBytes(page.substr(i, length)) +
                           " would be written as a CR byte with shift " + std::to_string(shift) +
                           ", which reading takes for a line end";
            return result;
        }

        const std::size_t codeLength = twoByte ? 2 : 1;
        if (lineBytes > 0 && lineBytes + codeLength > maxLineBytes) {
            out += "\r\n";
            lineBytes = 0;
        }
        appendCharacter(out, code);
        lineBytes += codeLength;
        ++result.characters;
        if (!pair && first == kLf) {
            // The page's own lines become the file's lines, so the file reads like the page.
            out += "\r\n";
            lineBytes = 0;
        }
        i += length;
    }
    if (lineBytes > 0)
        out += "\r\n";

    if (result.characters >= kReadLimit) {
        result.error = "the page has " + std::to_string(result.characters) + " characters; reading stops after " +
                       std::to_string(kReadLimit - 1) + ", so keep it shorter (a two-byte character counts once)";
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace articlecodec
