#include "articles/ReadingColumn.h"

#include <algorithm>

namespace articles {

int columnMargin(int viewWidth, int characterWidth, int minimumMargin)
{
    // Without a measurable character there is no column to centre: the text keeps the whole width.
    if (characterWidth <= 0)
        return minimumMargin;
    return std::max((viewWidth - kColumnCharacters * characterWidth) / 2, minimumMargin);
}

} // namespace articles
