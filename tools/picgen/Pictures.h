#pragma once
// Everything the generator draws. Each function makes one picture (or one set) from fixed inputs;
// none keeps state, so pictures can be drawn on several threads at once.

#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>

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
// about 540 × 1000 pixels on a 1920 × 1080 screen.
constexpr QSize kNormalSize(560, 1040);
// Widths of the other shares: wide pages twice, the 玉女反闭 overview 1.75 times, day charts 2.5 times.
QSize scaledWidth(double factor);

std::uint64_t seedFor(int pictureNumber, std::uint64_t salt = 0);

QImage drawTalisman(const PageInfo &page);
QImage drawSecretCharacter(const PageInfo &page);
// 072 to 084: the 奇门遁甲 figures, talismans and day charts.
QImage drawQimenPicture(int number);

// The background of the catalogue page and the About box (transparent where it fades out).
QImage drawGlobe();
// The catalogue banner: frames a, b, c, d (shown d, a, b, c, d, …).
std::array<QImage, 4> drawBannerFrames();
// The program's icon at one size.
QImage drawIcon(int size);

} // namespace picgen
