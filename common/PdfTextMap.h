#pragma once
// The text layer of the PDF files the program writes: which character each drawn glyph stands for.
//
// Qt's PDF writer gives every embedded font a map from glyphs back to characters (the ToUnicode
// map), and for each glyph it takes the lowest character the font's own table gives that glyph.
// The CJK faces draw an ideograph and its look-alike radical (日 and ⽇ U+2F47, 食 and ⻝ U+2EDD)
// or stroke (一 and ㇐ U+31D0) with one glyph, and the radicals come first, so a reader that copies
// or searches the text gets radicals where the page shows ideographs. The book never shows a
// radical or a stroke on its own, so here the map is mended: each glyph that maps to one of them
// maps to the ideograph instead. Which ideograph is the face's to say (a simplified face draws ⼾
// as 户, not as the 戶 of Unicode's table). Plain byte work on the writer's output.

#include <QByteArray>

#include <functional>

namespace pdftextmap {

/// Whether the code is a radical (CJK Radicals Supplement, Kangxi Radicals) or a CJK stroke: the
/// look-alikes that come before the ideographs.
bool isLookAlike(char32_t code);

/// The ideograph a look-alike looks like, after Unicode's table of equivalent unified ideographs;
/// any other code as it is.
char32_t unifiedIdeograph(char32_t code);

/// What a face draws with the glyph that the writer took for a look-alike: the ideograph, for a
/// face known by its PostScript name (as the PDF names it); 0 for a face it does not know.
using FaceReading = std::function<char32_t(const QByteArray &postscriptName, char32_t lookAlike)>;

/// The PDF with every ToUnicode map mended: a glyph that maps to a look-alike maps to the ideograph
/// that its face draws with it (faces), or else to the look-alike's unified ideograph. Only the
/// maps' streams change; their lengths, the cross-reference table and its start are kept right
/// when a stream grows. A file that is not laid out as Qt's writer lays it out (no
/// cross-reference table, a map it cannot read), or one with nothing to mend, comes back unchanged.
QByteArray withIdeographs(const QByteArray &pdf, const FaceReading &faces = {});

} // namespace pdftextmap
