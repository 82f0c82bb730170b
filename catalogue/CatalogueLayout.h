#pragma once
// Where the catalogue puts its twelve titles and its banner for a given client size. Plain
// arithmetic in single precision on twips, kept free of widgets so that it can be checked to the
// last half twip.

#include "common/Twips.h"

namespace cataloguelayout {

using Box = twips::Box;

// The controls the layout places, by their names on the page. Label sizes are read, never changed.
struct Boxes {
    Box Label16, Label29, Label33, Label22; // row 1
    Box Label30, Label21;                   // row 2
    Box Label23, Label24;                   // row 3
    Box Label19, Label25;                   // row 4
    Box Label18, Label17;                   // row 5
    Box Image1;                             // the banner, columns 2 and 3 below row 1
};

// The titles' boxes in grid order: row by row, left to right.
inline constexpr Box Boxes::*kTitlesInGridOrder[] = {
    &Boxes::Label16, &Boxes::Label29, &Boxes::Label33, &Boxes::Label22, &Boxes::Label30, &Boxes::Label21,
    &Boxes::Label23, &Boxes::Label24, &Boxes::Label19, &Boxes::Label25, &Boxes::Label18, &Boxes::Label17,
};

// The banner's top lies this far below row 2's top, and its height is shortened by as much.
inline constexpr float kBannerDrop = 915;

// Lays the page out for a client area of width by height twips. Four columns and five rows share
// the space equally: the gaps between them, and before and after them, are equal. Too small an area
// gives negative gaps (titles overlap or start outside the area). A negative banner width or height
// is refused and the banner keeps its previous value; every other position is still assigned.
void layout(float clientWidth, float clientHeight, Boxes &boxes);

} // namespace cataloguelayout
