// The pictures around the book: the cosmological background of the catalogue page and the About
// box, the catalogue's banner, and the program's icon.

#include "Ink.h"
#include "Pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace picgen {

namespace {

constexpr double kPi = std::numbers::pi;

QPointF polar(QPointF centre, double radius, double angleDegrees)
{
    const double a = angleDegrees * kPi / 180;
    return centre + QPointF(std::cos(a) * radius, -std::sin(a) * radius);
}

// The earlier-heaven order around a circle, 乾 at the top (south), then counter-clockwise:
// 兑, 离, 震 down the left; 巽, 坎, 艮, 坤 down the right.
struct RingTrigram {
    Trigram trigram;
    double angle;
};
const RingTrigram kEarlierHeaven[8] = {
    {Trigram::Qian, 90}, {Trigram::Dui, 135}, {Trigram::Li, 180}, {Trigram::Zhen, 225},
    {Trigram::Kun, 270}, {Trigram::Gen, 315}, {Trigram::Kan, 0},  {Trigram::Xun, 45},
};

} // namespace

// The background: an even diaper of celestial marks on a clear ground, so the catalogue's cyan
// is the colour of the page and the pattern reads the same from the top-left corner at any window
// size. Rings of the eight trigrams and auspicious clouds alternate on a diagonal lattice, joined
// by dotted threads, with small stars between them. The whole picture repeats every kGlobeTile
// pixels in both directions (its top-left tile is seamless), and it is as large as the catalogue
// page on a 2560 × 1440 screen. It is stored with a palette of sixteen entries: two inks, each at
// a few strengths, and the clear ground, which keeps the file small and quick to read.
QImage drawGlobe()
{
    const QImage tile = drawGlobeTile();
    const int P = kGlobeTile;
    const QSize size = kGlobeSize;
    QImage image(size, QImage::Format_Indexed8);
    image.fill(0);
    image.setColorTable(tile.colorTable());
    for (int y = 0; y < size.height(); ++y) {
        const uchar *from = tile.constScanLine(y % P);
        uchar *to = image.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            to[x] = from[x % P];
    }
    // Where a larger page goes on past the picture, the pattern thins out instead of breaking off.
    const int fade = 24;
    for (int y = 0; y < size.height(); ++y) {
        uchar *line = image.scanLine(y);
        const double fy = std::clamp((size.height() - 1 - y) / double(fade), 0.0, 1.0);
        for (int x = 0; x < size.width(); ++x) {
            const double f = std::min(fy, std::clamp((size.width() - 1 - x) / double(fade), 0.0, 1.0));
            if (f < 1 && line[x] != 0)
                line[x] = uchar(globeIndex(globeInkOf(line[x]), int(globeLevelOf(line[x]) * f)));
        }
    }
    return image;
}

int globeIndex(int ink, int level)
{
    if (level <= 0)
        return 0;
    return ink == 0 ? std::min(level, kGlobeLevels[0]) : kGlobeLevels[0] + std::min(level, kGlobeLevels[1]);
}

int globeInkOf(int index)
{
    return index > kGlobeLevels[0] ? 1 : 0;
}

int globeLevelOf(int index)
{
    return index == 0 ? 0 : index > kGlobeLevels[0] ? index - kGlobeLevels[0] : index;
}

QImage drawGlobeTile()
{
    const int P = kGlobeTile;
    // Two inks: a pale one for the rings, clouds and threads, a deep teal for trigrams and stars.
    const QRgb inks[2] = {qRgb(255, 255, 250), qRgb(0, 96, 120)};
    const int strongest[2] = {150, 96};

    QImage art(P, P, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    QImage deep(P, P, QImage::Format_ARGB32_Premultiplied);
    deep.fill(Qt::transparent);
    {
        QPainter pale(&art);
        QPainter dark(&deep);
        for (QPainter *p : {&pale, &dark})
            p->setRenderHint(QPainter::Antialiasing);
        const QColor white(Qt::white);
        // Every mark is drawn at its place and at the places one tile away, so the tile wraps.
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QPointF o(dx * P, dy * P);
                // A ring of trigrams on every corner of the tile.
                const QPointF ring = o;
                pale.setBrush(Qt::NoBrush);
                pale.setPen(QPen(white, 2.0));
                pale.drawEllipse(ring, 36, 36);
                pale.setPen(QPen(white, 1.0));
                pale.drawEllipse(ring, 17, 17);
                for (const RingTrigram &t : kEarlierHeaven)
                    drawTrigram(dark, polar(ring, 27, t.angle), 11, 1.7, t.trigram, 90 - t.angle, Qt::black);
                dark.setPen(Qt::NoPen);
                dark.setBrush(Qt::black);
                dark.drawEllipse(ring, 3.2, 3.2);

                // A cloud in the middle of the tile: two scrolls curling apart over a tail.
                const QPointF cloud = o + QPointF(P / 2.0, P / 2.0);
                QPen cloudPen(white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
                pale.setPen(cloudPen);
                pale.setBrush(Qt::NoBrush);
                for (int side = -1; side <= 1; side += 2) {
                    pale.drawPath(spiral(cloud + QPointF(0, 4), cloud + QPointF(side * 13, -3), 1.3, side > 0));
                }
                QPainterPath tail(cloud + QPointF(-22, 12));
                tail.cubicTo(cloud + QPointF(-8, 20), cloud + QPointF(10, 8), cloud + QPointF(26, 16));
                pale.drawPath(tail);

                // Dotted threads from each ring towards the clouds around it.
                QPen thread(white, 1.6, Qt::DotLine, Qt::RoundCap);
                thread.setDashPattern({0.5, 3.0});
                pale.setPen(thread);
                for (int k = 0; k < 4; ++k) {
                    const double a = 45 + 90 * k;
                    pale.drawLine(polar(ring, 44, a), polar(ring, P * 0.707 - 34, a));
                }
                // Small stars halfway along the tile's edges.
                dark.setPen(Qt::NoPen);
                dark.setBrush(Qt::black);
                for (const QPointF &star : {o + QPointF(P / 2.0, 0), o + QPointF(0, P / 2.0)}) {
                    QPainterPath sparkle;
                    sparkle.moveTo(star + QPointF(0, -7));
                    sparkle.quadTo(star, star + QPointF(7, 0));
                    sparkle.quadTo(star, star + QPointF(0, 7));
                    sparkle.quadTo(star, star + QPointF(-7, 0));
                    sparkle.quadTo(star, star + QPointF(0, -7));
                    dark.drawPath(sparkle);
                }
            }
        }
    }

    // Down to the palette: each pixel takes the ink that covers it more, at the nearest strength.
    QList<QRgb> table{qRgba(0, 0, 0, 0)};
    for (int ink = 0; ink < 2; ++ink)
        for (int level = 1; level <= kGlobeLevels[ink]; ++level) {
            const int alpha = int(std::lround(strongest[ink] * double(level) / kGlobeLevels[ink]));
            table.append(qRgba(qRed(inks[ink]), qGreen(inks[ink]), qBlue(inks[ink]), alpha));
        }
    QImage tile(P, P, QImage::Format_Indexed8);
    tile.fill(0);
    tile.setColorTable(table);
    for (int y = 0; y < P; ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(art.constScanLine(y));
        const auto *d = reinterpret_cast<const QRgb *>(deep.constScanLine(y));
        uchar *out = tile.scanLine(y);
        for (int x = 0; x < P; ++x) {
            const int coverPale = qAlpha(a[x]);
            const int coverDeep = qAlpha(d[x]);
            const int ink = coverDeep >= coverPale ? 1 : 0;
            const int cover = std::max(coverPale, coverDeep);
            out[x] = uchar(globeIndex(ink, int(std::lround(cover / 255.0 * kGlobeLevels[ink]))));
        }
    }
    return tile;
}

// The banner: the title 灵箓汇编 under a 太极 in a ring of trigrams, on a night sky. Between
// frames only the two bead rings turn, by a quarter of their spacing and in opposite directions:
// four frames make one seamless turn, with no change of brightness from frame to frame.
// The picture is drawn for the shape of the catalogue's banner box (kBannerSize), so the box's
// stretch keeps the rings round; the figure is laid out on a 480-unit height and centred across.
std::array<QImage, 4> drawBannerFrames()
{
    const QSize size = kBannerSize;
    const double scale = size.height() / 480.0;
    const double logicalWidth = size.width() / scale;
    const double shift = (logicalWidth - 600) / 2;
    const QPointF c(300, 196);
    std::array<QImage, 4> frames;
    auto begin = [&](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.translate(shift, 0);
    };

    // Everything that does not move, drawn once.
    QImage still(size, QImage::Format_RGB32);
    {
        QPainter p(&still);
        begin(p);
        const QRectF all(-shift, 0, logicalWidth, 480);
        QLinearGradient sky(0, 0, 0, 480);
        sky.setColorAt(0, QColor(18, 30, 74));
        sky.setColorAt(1, QColor(8, 12, 38));
        p.fillRect(all.adjusted(-1, -1, 1, 1), sky);
        Rng rng(seedFor(1001));
        p.setPen(Qt::NoPen);
        const int starCount = int(140 * logicalWidth / 600);
        for (int i = 0; i < starCount; ++i) {
            p.setBrush(QColor(255, 244, 210, rng.between(60, 200)));
            const double r = rng.range(0.5, 1.6);
            p.drawEllipse(QPointF(rng.range(all.left(), all.right()), rng.range(0, 480)), r, r);
        }
        QRadialGradient halo(c, 190);
        halo.setColorAt(0, QColor(255, 210, 120, 90));
        halo.setColorAt(1, QColor(255, 210, 120, 0));
        p.setBrush(halo);
        p.drawEllipse(c, 190, 190);

        const QColor gold(236, 196, 96);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(gold, 3));
        p.drawEllipse(c, 128, 128);
        p.setPen(QPen(gold, 1.5));
        p.drawEllipse(c, 84, 84);
        for (const RingTrigram &t : kEarlierHeaven)
            drawTrigram(p, polar(c, 106, t.angle), 34, 4.5, t.trigram, 90 - t.angle, gold);
        drawTaiji(p, c, 70, 0, QColor(20, 20, 30), QColor(250, 244, 226));

        // The title, in the brush, gold with a dark edge.
        const QString title = u8("灵箓汇编");
        const double cell = 104;
        for (int i = 0; i < title.size(); ++i) {
            const QRectF box(c.x() - 2 * cell + i * cell + 6, 360, cell - 12, 96);
            const QPainterPath glyph = fitPath(textPath(title.mid(i, 1), brushFont()), box, 1.0);
            p.strokePath(glyph, QPen(QColor(60, 20, 10), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.fillPath(glyph, QColor(250, 214, 110));
        }
    }

    for (int frame = 0; frame < 4; ++frame) {
        QImage image = still;
        QPainter p(&image);
        begin(p);
        p.setPen(Qt::NoPen);
        // Outer ring: 32 beads turning clockwise; each frame moves them a quarter step, so the
        // fifth frame is the first again.
        const int beads = 32;
        const double step = 360.0 / beads;
        const double phase = frame * step / 4;
        for (int i = 0; i < beads; ++i) {
            const double angle = 90 - i * step - phase;
            p.setBrush(i % 4 == 0 ? QColor(250, 222, 140) : QColor(232, 186, 92));
            const double r = i % 4 == 0 ? 6.0 : 3.6;
            p.drawEllipse(polar(c, 150, angle), r, r);
        }
        // Inner ring: 24 small flames turning the other way.
        const int flames = 24;
        const double flameStep = 360.0 / flames;
        for (int i = 0; i < flames; ++i) {
            const double angle = i * flameStep + frame * flameStep / 4;
            const QPointF tip = polar(c, 176, angle);
            const QPointF left = polar(c, 164, angle - 3.2);
            const QPointF right = polar(c, 164, angle + 3.2);
            p.setBrush(QColor(220, 70, 40, 220));
            p.drawPolygon(QPolygonF{tip, left, right});
        }
        frames[std::size_t(frame)] = image;
    }
    return frames;
}

// The icon: a slip of yellow talisman paper with the character 灵 in vermilion and a seal; at the
// small sizes only the slip and a bold character, so it still reads at 16 pixels.
QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const bool small = size <= 32;

    const QRectF slip = small ? QRectF(40, 6, 176, 244) : QRectF(58, 8, 140, 240);
    // Shadow, paper, edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(slip.translated(6, 5), 8, 8);
    QLinearGradient paper(slip.topLeft(), slip.bottomRight());
    paper.setColorAt(0, QColor(252, 222, 110));
    paper.setColorAt(1, QColor(232, 184, 64));
    p.setBrush(paper);
    p.setPen(QPen(QColor(176, 120, 30), small ? 10 : 3));
    p.drawRoundedRect(slip, 8, 8);

    const QColor ink(206, 34, 24);
    if (small) {
        inkText(p, u8("灵"), slip.adjusted(14, 18, -14, -18), brushFont(), ink, 26, 1.6);
        return image;
    }
    // The three hooks of the head.
    Rng rng(seedFor(1002));
    for (int k = -1; k <= 1; ++k) {
        const double x = 128 + k * 30;
        QPainterPath hook(QPointF(x - 3, 24 + (k ? 6 : 0)));
        hook.cubicTo(x + 6, 34, x - 5, 44, x + 1, 52);
        hook.lineTo(x - 8, 46);
        StrokeStyle style;
        style.width = 7;
        style.taperEnd = 0.25;
        style.wobble = 0.05;
        brushStroke(p, hook, style, ink, rng);
    }
    inkText(p, u8("灵"), QRectF(72, 58, 112, 118), brushFont(), ink, 6, 1.4);
    // A swirl below and the seal.
    StrokeStyle foot;
    foot.width = 6;
    foot.wobble = 0.05;
    brushStroke(p, spiral(QPointF(128, 182), QPointF(116, 206), 1.6, true), foot, ink, rng);
    p.save();
    p.translate(160, 212);
    p.rotate(-6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 20, 40));
    p.drawRect(QRectF(-20, -20, 40, 40));
    inkText(p, u8("印"), QRectF(-15, -15, 30, 30), printFont(), QColor(255, 236, 200), 1, 1.0);
    p.restore();
    return image;
}

} // namespace picgen
