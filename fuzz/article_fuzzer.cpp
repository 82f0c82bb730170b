// Feeds arbitrary bytes to the article reader and decoder.
//
// Input layout: the first byte picks the shift (any int, extremes included), the second how the
// file is cut into pieces for the reader and how long the encoder's lines may be; the rest is the
// article file. Besides running under the sanitizers, every input is checked against:
//  - a plain second reading of the same bytes, written from the file format alone;
//  - the same file fed to the reader in small pieces (a CR LF pair or a two-byte character split
//    between two reads must not change the text);
//  - the encoder: a page it accepts must decode back to exactly that page.
#include "articles/ArticleCodec.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "article_fuzzer: %s\n", what);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fail("check failed: " #condition);                                                                         \
    } while (0)

int shiftFrom(std::uint8_t byte)
{
    static const int extremes[32] = {INT_MIN, INT_MIN + 1, INT_MAX,   INT_MAX - 1,   -1,     -2,     -3,
                                     -255,    -256,        -257,      -65535,        -65536, -65537, 65535,
                                     65536,   65537,       65536 + 2, 65536 * 2 + 3, 0x7FFF, 0x8000, 0xFEFF,
                                     0xFF00,  0xFFFF - 2,  256,       257,           0x7F,   0x80,   0xFF,
                                     -0x7F,   -0x80,       1 << 24,   -(1 << 24) + 3};
    if (byte < 0xC0)
        return byte;
    if (byte < 0xE0)
        return -(byte - 0xBF);
    return extremes[byte - 0xE0];
}

// The file format read a second time, as directly as it is described: lines end at CR or CR LF;
// before each line, reading stops once 32768 characters have been read; within a line a byte from
// 0x81 to 0xFE takes the next byte of the line as its partner, a lead byte at a line's end stands
// alone; no more than kMaxCharacters are ever read, even inside a line.
std::vector<std::uint16_t> referenceRead(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint16_t> codes;
    std::size_t pos = 0;
    while (pos < size) {
        if (codes.size() >= articlecodec::kReadLimit)
            break;
        std::size_t end = pos;
        while (end < size && data[end] != 0x0D)
            ++end;
        for (std::size_t i = pos; i < end;) {
            if (codes.size() >= articlecodec::kMaxCharacters)
                return codes;
            const unsigned byte = data[i];
            if (byte >= 0x81 && byte <= 0xFE && i + 1 < end) {
                codes.push_back(static_cast<std::uint16_t>(byte << 8 | data[i + 1]));
                i += 2;
            } else {
                codes.push_back(static_cast<std::uint16_t>(byte));
                i += 1;
            }
        }
        pos = end;
        if (pos < size) {
            ++pos; // the CR
            if (pos < size && data[pos] == 0x0A)
                ++pos; // its LF
        }
    }
    return codes;
}

std::string referenceDecode(const std::vector<std::uint16_t> &codes, int shift)
{
    const long long s = ((static_cast<long long>(shift) % 65536) + 65536) % 65536;
    std::string out;
    for (std::uint16_t code : codes) {
        const long long v = (code + s) % 65536;
        if (v > 255)
            out.push_back(static_cast<char>(v / 256));
        out.push_back(static_cast<char>(v % 256));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const int shift = size > 0 ? shiftFrom(data[0]) : 2;
    const unsigned piece = size > 1 ? 1u + data[1] : 64u;
    const std::uint8_t *file = size > 2 ? data + 2 : data + size;
    const std::size_t fileSize = size > 2 ? size - 2 : 0;

    // Whole file at once.
    const std::vector<std::uint16_t> codes = articlecodec::readArticleText(file, fileSize);
    const std::string decoded = articlecodec::decodeText(codes, shift);
    FUZZ_CHECK(decoded.size() >= codes.size() && decoded.size() <= 2 * codes.size());
    FUZZ_CHECK(codes.size() <= fileSize);
    FUZZ_CHECK(decoded == articlecodec::decodeArticle(file, fileSize, shift));

    // The format read a second time.
    FUZZ_CHECK(codes == referenceRead(file, fileSize));
    FUZZ_CHECK(decoded == referenceDecode(codes, shift));

    // The same file in pieces, as the article window reads it from disk.
    articlecodec::ArticleReader reader;
    for (std::size_t at = 0; at < fileSize; at += piece) {
        const std::size_t length = fileSize - at < piece ? fileSize - at : piece;
        if (!reader.feed(file + at, length))
            break;
    }
    reader.finish();
    FUZZ_CHECK(reader.codes() == codes);

    // Encoding the page again gives a file that decodes to the same page.
    const articlecodec::Encoded encoded = articlecodec::encodeArticle(decoded, shift, piece);
    if (encoded.ok) {
        FUZZ_CHECK(encoded.error.empty());
        const auto *bytes = reinterpret_cast<const std::uint8_t *>(encoded.bytes.data());
        FUZZ_CHECK(articlecodec::decodeArticle(bytes, encoded.bytes.size(), shift) == decoded);
    } else {
        FUZZ_CHECK(!encoded.error.empty());
    }
    return 0;
}
