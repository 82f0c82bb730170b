#pragma once
// The viewer's proportional layout as plain arithmetic over the controls' boxes, without widgets,
// so that it can be worked out and checked for any client size.

#include "common/Twips.h"

namespace viewer {

using Box = twips::Box;

// The controls the layout moves.
struct ViewerBoxes {
    Box label1;
    Box combo1;
    Box label2;
    Box image1;
    Box text3;
    Box text2;
    Box frame1;
};

// What the layout reads besides the boxes themselves.
struct LayoutInput {
    double clientWidth = 0;        // W, twips
    double clientHeight = 0;       // H, twips
    double pictureWidthFactor = 1; // f
    double textWidthReduction = 0; // r, twips
    // The panel is shown and its picture hidden (Frame1 visible, Command13 reads "显示图形"): both
    // panes then stand 1500 twips further left, but no further left than the picture's left edge.
    bool panesShiftedLeft = false;
};

// The layout has 23 steps. A list selection runs only steps 1 to 18: the panel is about to be
// hidden, so Frame1 is not placed and the panes are not shifted.
enum class LayoutScope { Selection, Full };

// How far both panes move left while the panel is shown with its picture hidden, in twips.
constexpr double kHiddenPictureShift = 1500;

// Runs the steps in order. Each value is worked out in double precision from what the boxes hold
// at that moment, so a later step sees the result of an earlier one, and is stored as a float.
void layoutBoxes(ViewerBoxes &boxes, const LayoutInput &input, LayoutScope scope = LayoutScope::Full);

} // namespace viewer
