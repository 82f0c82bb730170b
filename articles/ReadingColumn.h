#pragma once
// The article pages' reading column: the text is set in a column of about forty characters of the
// pages' body text, centred in the view, so that on a wide window a line stays easy to follow from
// its end back to the start of the next. A view narrower than that uses its whole width.

namespace articles {

inline constexpr int kColumnCharacters = 40;
// The size of the article pages' body text, as their style sheets set it.
inline constexpr double kBodyPointSize = 11;

// The left and right margin that centres a column of kColumnCharacters characters, each
// characterWidth pixels wide, in a view viewWidth pixels wide; never less than minimumMargin (and
// just that when the character has no width).
int columnMargin(int viewWidth, int characterWidth, int minimumMargin);

} // namespace articles
