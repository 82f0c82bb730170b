#pragma once
// A pass over an article page's HTML before the view lays it out. Tables nested within tables cost
// the layout time that grows exponentially with the depth (a few hundred bytes of nested tables can
// freeze the view for minutes), so tables deeper than a few levels are flattened: their table, row
// and cell tags are dropped and their content runs on as ordinary text of the cell around them.

#include <QString>

class QTextFrame;

namespace pagesanitiser {

/// Tables up to this depth are kept as they are; the book's pages use at most two.
inline constexpr int kMaxTableDepth = 6;

/// The page with every table nested deeper than kMaxTableDepth flattened. Anything else, including
/// comments, quoted attribute values and text, is left exactly as it was. Whatever the input, the
/// result, read by the view, holds no table deeper than kMaxTableDepth.
QString flattenDeepTables(const QString &html);

/// How deep the tables inside a frame of a text document nest (0: no table).
int tableDepth(QTextFrame *frame);

} // namespace pagesanitiser
