#include "viewer/ViewerLayout.h"

#include <algorithm>
#include <cmath>

namespace viewer {

void layoutBoxes(ViewerBoxes &b, const LayoutInput &in, LayoutScope scope)
{
    const double W = in.clientWidth;
    const double H = in.clientHeight;
    const double f = in.pictureWidthFactor;
    const double r = in.textWidthReduction;
    // Each step reads the boxes afresh: a value set above is the one used below.
    auto at = [](float twips) { return double(twips); };

    b.image1.setLeft(0.01 * W);                                       // 1
    b.image1.setWidth(f * (0.28 * W));                                // 2
    b.image1.setTop(at(b.label1.height));                             // 3
    b.image1.setHeight(0.99 * H - at(b.image1.top));                  // 4
    b.text2.setLeft(0.02 * W + at(b.image1.width));                   // 5
    b.text3.setLeft(0.02 * W + at(b.image1.width));                   // 6
    b.text2.setWidth((0.99 * W - at(b.text2.left)) - r);              // 7
    b.text3.setWidth((0.99 * W - at(b.text3.left)) - r);              // 8
    b.text3.setTop(at(b.label1.height));                              // 9
    b.text3.setHeight(0.5 * H - at(b.text3.top));                     // 10
    b.text2.setTop(0.51 * H);                                         // 11
    b.text2.setHeight(0.99 * H - at(b.text2.top));                    // 12
    b.label1.setLeft(0);                                              // 13
    b.label1.setTop(0);                                               // 14
    b.combo1.setLeft(at(b.label1.left) + at(b.label1.width));         // 15
    b.combo1.setTop((at(b.label1.height) - at(b.combo1.height)) / 2); // 16
    b.label2.setLeft(at(b.combo1.left) + at(b.combo1.width));         // 17
    b.label2.setTop((at(b.label1.height) - at(b.label2.height)) / 2); // 18
    if (scope == LayoutScope::Selection)
        return;

    b.frame1.setTop(at(b.image1.top));                                  // 19
    b.frame1.setHeight(at(b.image1.height));                            // 20
    b.frame1.setLeft(0.005 * W + at(b.text3.width) + at(b.text3.left)); // 21
    // The shift never carries a pane past the picture's left edge: any further and the first
    // characters of every line would stand outside the window.
    auto shifted = [&](float left) { return std::max(at(left) - kHiddenPictureShift, at(b.image1.left)); };
    if (in.panesShiftedLeft)
        b.text2.setLeft(shifted(b.text2.left)); // 22
    if (in.panesShiftedLeft)
        b.text3.setLeft(shifted(b.text3.left)); // 23
}

} // namespace viewer
