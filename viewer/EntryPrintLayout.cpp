#include "viewer/EntryPrintLayout.h"

#include <algorithm>

namespace viewer {

namespace {

// Halving an interval this often finds a length to well under a printer pixel on any sheet.
constexpr int kSearchSteps = 24;

// The largest x in [low, high] for which fits(x) holds, given that it holds for every x below a
// threshold and for none above it; low when it does not even hold there.
template <typename Fits> double largestFitting(double low, double high, Fits fits)
{
    if (fits(high))
        return high;
    for (int step = 0; step < kSearchSteps; ++step) {
        const double middle = (low + high) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle;
    }
    return low;
}

// The picture at its proportions (width / height), as large as it fits into width x height.
QSizeF fitted(double aspect, double width, double height)
{
    width = std::max(width, 0.0);
    height = std::max(height, 0.0);
    if (width / height > aspect)
        return QSizeF(height * aspect, height);
    return QSizeF(width, width / aspect);
}

EntryPrintLayout beside(const QRectF &body, double aspect, double gap, const TextHeightForWidth &textHeight)
{
    auto pictureFor = [&](double width) { return fitted(aspect, width, body.height()); };
    auto textWidthBeside = [&](const QSizeF &picture) { return body.width() - gap - picture.width(); };
    auto fits = [&](double width) { return textHeight(textWidthBeside(pictureFor(width))) <= body.height(); };

    const double widest = body.width() * (1 - kLeastTextShare) - gap;
    const double narrowest = std::min(widest, body.width() * kLeastPictureShare);
    const QSizeF picture = pictureFor(largestFitting(narrowest, widest, fits));

    EntryPrintLayout layout;
    layout.arrangement = EntryPrintLayout::PictureBeside;
    layout.picture = QRectF(body.topLeft(), picture);
    layout.text = QRectF(body.left() + picture.width() + gap, body.top(), textWidthBeside(picture), body.height());
    layout.textScale = fitTextScale(layout.text.width(), layout.text.height(), textHeight);
    return layout;
}

EntryPrintLayout above(const QRectF &body, double aspect, double gap, const TextHeightForWidth &textHeight)
{
    const double needed = textHeight(body.width());
    const double highest = body.height() * (1 - kLeastTextShare) - gap;
    const double lowest = std::min(highest, body.height() * kLeastPictureShare);
    const double height = std::clamp(body.height() - gap - needed, lowest, highest);
    const QSizeF picture = fitted(aspect, body.width(), height);

    EntryPrintLayout layout;
    layout.arrangement = EntryPrintLayout::PictureAbove;
    layout.picture = QRectF(QPointF(body.left() + (body.width() - picture.width()) / 2, body.top()), picture);
    const double textTop = body.top() + picture.height() + gap;
    layout.text = QRectF(body.left(), textTop, body.width(), body.bottom() - textTop);
    layout.textScale = fitTextScale(layout.text.width(), layout.text.height(), textHeight);
    return layout;
}

double area(const QRectF &rect)
{
    return rect.width() * rect.height();
}

} // namespace

double fitTextScale(double width, double height, const TextHeightForWidth &textHeight)
{
    if (width <= 0 || height <= 0)
        return kSmallestTextScale;
    // Set wider and drawn smaller, the texts take fewer lines and each line less height.
    return largestFitting(kSmallestTextScale, 1,
                          [&](double scale) { return textHeight(width / scale) * scale <= height; });
}

EntryPrintLayout layOutEntryPrint(const EntryPrintSheet &sheet, const QSizeF &pictureSize,
                                  const TextHeightForWidth &textHeight)
{
    const QRectF &page = sheet.printable;
    const QRectF header(page.left(), page.top(), page.width(), sheet.headerHeight);
    const double bodyTop = header.bottom() + sheet.gap;
    const QRectF body(page.left(), bodyTop, page.width(), std::max(page.bottom() - bodyTop, 0.0));

    EntryPrintLayout layout;
    if (pictureSize.isEmpty() || body.isEmpty()) {
        layout.text = body;
        layout.textScale = fitTextScale(body.width(), body.height(), textHeight);
    } else {
        const double aspect = pictureSize.width() / pictureSize.height();
        const EntryPrintLayout side = beside(body, aspect, sheet.gap, textHeight);
        const EntryPrintLayout top = above(body, aspect, sheet.gap, textHeight);
        // Where the texts must shrink either way, the two come out within a few per cent of each
        // other; the picture's shape decides, so that similar pages look alike.
        const bool sideBetter = side.textScale == 1 && top.textScale == 1   ? area(side.picture) >= area(top.picture)
                                : side.textScale == 1 || top.textScale == 1 ? side.textScale == 1
                                                                            : aspect < 1;
        layout = sideBetter ? side : top;
    }
    layout.header = header;
    return layout;
}

} // namespace viewer
