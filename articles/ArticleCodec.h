#pragma once
// Article files (".god"): an HTML page in GBK whose every character code has been lowered by a
// small shift, stored in lines. This is plain C++ on bytes, with no toolkit behind it, so that it
// can be tested and fuzzed on its own; the article window and the godcodec tool both build on it.
//
// Characters. Within a line, a byte from 0x81 to 0xFE together with the byte after it is one
// two-byte character whose code is lead × 256 + trail; every other byte is a character whose code
// is its value. A lead byte that ends its line or the file has no partner and is a character by
// itself.
//
// Decoding adds the shift to every code, modulo 65536: a result up to 255 is one byte, anything
// larger is two bytes, high byte first. So a two-byte character has the shift added to its trail
// byte, with a carry into the lead byte when the trail byte passes 0xFF.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace articlecodec {

/// Reading stops before the next line once the text holds this many characters or more (a
/// two-byte character counts once). The line that crosses the limit is still read whole.
inline constexpr std::size_t kReadLimit = 32768;

/// Reading never holds more characters than this, even inside the line that crosses kReadLimit: a
/// damaged file of one endless line would otherwise be read whole into memory, and the article
/// view would freeze while it lays out one enormous unbreakable line. Real article lines are far
/// shorter, so for them nothing changes.
inline constexpr std::size_t kMaxCharacters = 2 * kReadLimit;

/// Reads an article file piece by piece, so that a file of any size is read only as far as needed
/// (and never beyond kMaxCharacters).
/// Lines end at CR or at a CR LF pair, and the terminator is dropped; a lone LF is an ordinary
/// character of its line. The lines are joined without separator.
class ArticleReader
{
  public:
    /// Takes the next bytes of the file. Returns false once reading has stopped at the limit; the
    /// rest of the file need not be fed.
    bool feed(const unsigned char *data, std::size_t size);
    /// The end of the file: a lead byte still waiting for its partner becomes a character alone.
    void finish();

    bool stopped() const { return m_stopped; }
    const std::vector<std::uint16_t> &codes() const { return m_codes; }
    std::vector<std::uint16_t> takeCodes() { return std::move(m_codes); }

  private:
    std::vector<std::uint16_t> m_codes;
    int m_pendingLead = -1;    // a lead byte whose trail byte has not been seen yet
    bool m_atLineStart = true; // the next byte begins a new line
    bool m_afterCr = false;    // the last byte was a CR: an LF right after it belongs to it
    bool m_stopped = false;
};

/// The text of a whole article file in memory, as character codes.
std::vector<std::uint16_t> readArticleText(const unsigned char *data, std::size_t size);

/// Adds the shift to every code and writes the resulting characters as GBK bytes.
std::string decodeText(const std::vector<std::uint16_t> &codes, int shift);

/// What an article file holds: the page it decodes to. Any bytes are accepted.
std::string decodeArticle(const unsigned char *data, std::size_t size, int shift);

struct Encoded {
    bool ok = false;
    std::string bytes;          // the article file: CR LF lines
    std::size_t characters = 0; // characters in the file, counted as reading counts them
    std::string error;          // why the page cannot be encoded, when !ok
};

/// The inverse: an article file that decodes to exactly these GBK bytes with this shift. Lines end
/// with CR LF after every line of the page and whenever a line reaches maxLineBytes, always between
/// two characters. Fails when a character has no code that decodes to it, when the file would hold
/// a CR byte of its own, or when the page has kReadLimit characters or more (reading would cut it).
Encoded encodeArticle(std::string_view page, int shift, std::size_t maxLineBytes = 100);

} // namespace articlecodec
