#include "catalogue/CatalogueLayout.h"

namespace cataloguelayout {

void layout(float clientWidth, float clientHeight, Boxes &b)
{
    const float H = b.Label16.height;
    const float W16 = b.Label16.width;
    const float W29 = b.Label29.width;
    const float rowGap = (clientHeight - 5 * H) / 6;
    const float columnGap = (clientWidth - 2 * W16 - 2 * W29) / 5;

    // Each step reads what the steps before it have set.
    b.Label16.left = b.Label30.left = b.Label23.left = b.Label19.left = b.Label18.left = columnGap;
    b.Label29.left = 2 * columnGap + W16;
    b.Label33.left = columnGap + b.Label29.left + b.Label29.width;
    b.Label22.left = columnGap + b.Label33.left + b.Label33.width;
    b.Label21.left = b.Label24.left = b.Label25.left = b.Label17.left = b.Label22.left;
    b.Image1.left = b.Label29.left;
    b.Image1.setWidth(2 * W29 + columnGap); // a negative size is refused
    b.Label16.top = b.Label29.top = b.Label33.top = b.Label22.top = rowGap;
    b.Label30.top = b.Label21.top = 2 * rowGap + H;
    b.Label23.top = b.Label24.top = 3 * rowGap + 2 * H;
    b.Label19.top = b.Label25.top = 4 * rowGap + 3 * H;
    b.Label18.top = b.Label17.top = 5 * rowGap + 4 * H;
    b.Image1.top = 2 * rowGap + H + kBannerDrop;
    b.Image1.setHeight(3 * rowGap + 4 * H - kBannerDrop);
}

} // namespace cataloguelayout
