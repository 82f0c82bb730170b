#pragma once
// Where a printed entry page puts its parts on one sheet, as plain arithmetic: the header line
// with chapter and entry at the top, below it the picture at its true proportions, as large as
// it can be beside or above the texts, and the texts in the rest.
//
// All lengths are in one unit of the caller's choosing (the printer's pixels, say). How tall the
// texts come out for a given width is asked of the caller, who lays them out in the right fonts.

#include <QRectF>
#include <QSizeF>

#include <functional>

namespace viewer {

// The height the texts need when set this wide, unscaled.
using TextHeightForWidth = std::function<double(double width)>;

struct EntryPrintLayout {
    enum Arrangement { PictureBeside, PictureAbove, TextOnly };

    Arrangement arrangement = TextOnly;
    QRectF header;
    QRectF picture; // empty with TextOnly
    // The texts are set at text.width() / textScale and drawn scaled by textScale, so that a text
    // too long for the sheet at its own size still fits, in smaller letters.
    QRectF text;
    double textScale = 1;
};

struct EntryPrintSheet {
    QRectF printable;    // the sheet less its margins
    double headerHeight; // the header line
    double gap;          // between header, picture and texts
};

// The texts keep at least these shares of the width (picture beside) or the height (picture
// above); the picture keeps at least this share of the body where the texts crowd it.
constexpr double kLeastTextShare = 0.4;
constexpr double kLeastPictureShare = 0.25;
// Text is never drawn smaller than this share of its own size.
constexpr double kSmallestTextScale = 0.3;

// Picks the arrangement that gives the larger picture while the texts fit at their own size; if
// they fit only one way, that one; if they fit neither way, beside for an upright picture and above
// for a wide one, with the texts shrunk. An empty picture size gives the texts the whole body.
EntryPrintLayout layOutEntryPrint(const EntryPrintSheet &sheet, const QSizeF &pictureSize,
                                  const TextHeightForWidth &textHeight);

// The largest scale, up to 1 and down to kSmallestTextScale, at which the texts fit into a box of
// this size.
double fitTextScale(double width, double height, const TextHeightForWidth &textHeight);

} // namespace viewer
