#pragma once
// Everything the generator draws. Each function makes one picture (or one set) from fixed inputs;
// none keeps state, so pictures can be drawn on several threads at once.

#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace picgen {

// What a page tells about its picture.
struct PageInfo {
    int number = 0;
    QString name;    // the entry name, e.g. 镇宅安家符（室中鬼祟）
    QString chapter; // the chapter's short title
    char form = 'U'; // U, E, I or N
    bool wide = false;
};

// A normal picture fills about 28 % of a maximised window's width and its full height, stretched:
// about 540 × 1000 pixels on a 1920 × 1080 screen. The pictures are laid out in these units and
// drawn kPictureScale times as large (1120 × 2080 pixels for a normal one), sharp enough for print
// and for screens of twice the density; the viewer decodes them at the size of its box.
constexpr QSize kNormalSize(560, 1040);
constexpr int kPictureScale = 2;
// Widths of the other shares: wide pages twice, the 玉女反闭 overview 1.75 times, day charts 2.5 times.
QSize scaledWidth(double factor);

std::uint64_t seedFor(int pictureNumber, std::uint64_t salt = 0);

// Where a picture put its parts, in the picture's own (unscaled) coordinates, so that it can be
// checked that they keep clear of each other: written texts must not run into each other nor be
// crossed by a line, and a seal must cover neither a main character nor a text.
struct Layout {
    struct Text {
        QString text;
        QRectF box; // the space the text takes
    };
    std::vector<Text> texts;
    // Lines, arrows, rings, grid strokes and other marks, each as the area it covers.
    std::vector<QPainterPath> marks;
    // The characters a talisman is written for (its body), by the space their ink takes.
    std::vector<QRectF> mainCharacters;
    // The seal's outline; empty when the picture has none.
    std::vector<QPolygonF> seals;
};

// Each takes an optional layout to fill in with what it draws.
QImage drawTalisman(const PageInfo &page, Layout *layout = nullptr);
QImage drawSecretCharacter(const PageInfo &page, Layout *layout = nullptr);
// An incantation talisman's left flank: 吾奉 and the power its incantation calls on, then 敕.
// Empty for the other forms.
QString flankInvocation(const PageInfo &page);
// 072 to 084: the 奇门遁甲 figures, talismans and day charts.
QImage drawQimenPicture(int number, Layout *layout = nullptr);

// The outline of a seal of the given size turned by the given angle about its centre.
QPolygonF sealOutline(QPointF centre, double size, double angleDegrees);
// A place for a seal among candidates, in order: the first where a seal of the size (or, failing
// that, of a smaller size down to minimumSize) stays clear of every box to keep. Returns false when
// none fits; centre and size are then left as they are.
bool placeSeal(const std::vector<QPointF> &candidates, const std::vector<QRectF> &keep, double &size,
               double minimumSize, double angleDegrees, QPointF &centre, const QRectF &within);

// The background of the catalogue page and the About box: an even pattern on a clear ground that
// repeats every kGlobeTile pixels, as large as the page on a 2560 × 1440 screen, with a palette of
// the clear ground and two inks at kGlobeLevels strengths each.
constexpr int kGlobeTile = 160;
constexpr QSize kGlobeSize(2560, 1440);
constexpr int kGlobeLevels[2] = {8, 7};
QImage drawGlobe();
// One seamless tile of the pattern (the picture's top-left corner).
QImage drawGlobeTile();
// Palette entries: 0 is the clear ground; ink 0 or 1 at a strength of 1 … kGlobeLevels[ink].
int globeIndex(int ink, int level);
int globeInkOf(int index);
int globeLevelOf(int index);

// The catalogue's banner box changes its shape with the window: from about 1.17 wide to 1 high on
// a maximised 1280 × 720 screen to 0.93 on a 2560 × 1440 one (1.07 at 1600 × 900, 1.01 at
// 1920 × 1080). The banner is drawn for the shape that halves the stretch between the extremes
// (1.043), so that stretching it into the box keeps circles round within 3.5 % at 1600 × 900 and
// 1920 × 1080, 9 % at 1366 × 768 and 12 % at the two extremes: one picture cannot fit them all.
constexpr QSize kBannerSize(702, 673);
// The catalogue banner: frames a, b, c, d (shown d, a, b, c, d, …).
std::array<QImage, 4> drawBannerFrames();
// The program's icon at one size.
QImage drawIcon(int size);

} // namespace picgen
