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

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

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

// Characters round a circle from startAngle, each upright towards the centre; step > 0 runs
// counter-clockwise.
void ringOfText(QPainter &painter, QPointF centre, double radius, const QString &text, double startAngle, double step,
                int pixelSize, const QColor &colour, bool brush = false)
{
    painter.save();
    painter.setFont(brush ? brushFont(pixelSize) : printFont(pixelSize));
    painter.setPen(colour);
    for (int i = 0; i < text.size(); ++i) {
        const double angle = startAngle + i * step;
        painter.save();
        painter.translate(polar(centre, radius, angle));
        painter.rotate(90 - angle);
        painter.drawText(QRectF(-pixelSize, -pixelSize * 0.6, 2 * pixelSize, pixelSize * 1.2), Qt::AlignCenter, text.mid(i, 1));
        painter.restore();
    }
    painter.restore();
}

} // namespace

// The background: a pale wash that fades out to the right and to the bottom, with a celestial
// chart (star field, the 二十八宿, the twelve branches, the trigrams) around an armillary
// sphere holding the 太极. It is as large as a maximised catalogue page, and the chart is centred
// where that page puts its banner, so the rings frame the banner; the top-left part, which the
// About box shows under its texts, stays light and quiet.
QImage drawGlobe()
{
    const QSize size(1920, 1000);
    const double W = size.width();
    const double H = size.height();
    Rng rng(seedFor(1000));

    QImage wash(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(wash.scanLine(y));
        const double fy = 1 - smoothstep(0.55, 1.0, y / H);
        for (int x = 0; x < size.width(); ++x) {
            const double fx = 1 - smoothstep(0.45, 1.0, x / W);
            const int alpha = int(std::lround(236 * fx * fy));
            line[x] = qPremultiply(qRgba(250, 252, 244, alpha));
        }
    }

    QImage chart(size, QImage::Format_ARGB32_Premultiplied);
    chart.fill(Qt::transparent);
    const QColor indigo(38, 58, 118);
    const QColor bronze(150, 106, 44);
    const QColor cinnabar(178, 44, 32);
    const QPointF c(960, 615);
    {
        QPainter p(&chart);
        p.setRenderHint(QPainter::Antialiasing);

        // Stars everywhere, faint; the Dipper in the upper left, joined.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 900; ++i) {
            QColor star = rng.chance(0.7) ? indigo : bronze;
            star.setAlpha(rng.between(40, 140));
            p.setBrush(star);
            const double r = rng.chance(0.08) ? rng.range(1.6, 2.6) : rng.range(0.6, 1.4);
            p.drawEllipse(QPointF(rng.range(4, W - 30), rng.range(4, H - 30)), r, r);
        }
        const QPointF dipper[7] = {{300, 480}, {312, 532}, {384, 548}, {392, 504}, {452, 480}, {504, 462}, {566, 482}};
        QColor faint = indigo;
        faint.setAlpha(110);
        p.setPen(QPen(faint, 1.4));
        for (int i = 0; i < 6; ++i)
            p.drawLine(dipper[i], dipper[i + 1]);
        p.drawLine(dipper[3], dipper[0]);
        p.setPen(Qt::NoPen);
        p.setBrush(faint);
        for (const QPointF &s : dipper)
            p.drawEllipse(s, 3.5, 3.5);

        // Rings with ticks; the banner covers the middle of the chart.
        auto ring = [&](double radius, double width, const QColor &colour) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(colour, width));
            p.drawEllipse(c, radius, radius);
        };
        ring(440, 3.5, bronze);
        ring(431, 1.2, bronze);
        for (int i = 0; i < 360; i += 3) {
            p.setPen(QPen(bronze, i % 30 == 0 ? 2.4 : 1));
            p.drawLine(polar(c, 431, i), polar(c, i % 30 == 0 ? 414 : i % 15 == 0 ? 419 : 424, i));
        }
        // The twenty-eight lodges: the eastern seven centred on the east (left), then on round
        // through north, west and south.
        ring(392, 1.2, indigo);
        const double lodge = 360.0 / 28;
        ringOfText(p, c, 403, u8("角亢氐房心尾箕斗牛女虚危室壁奎娄胃昴毕觜参井鬼柳星张翼轸"), 180 - 3 * lodge, lodge, 20,
                   indigo);
        // The twelve branches: 子 in the north (bottom), 卯 east, 午 south, 酉 west. At the
        // maximised size they stand just clear of the banner's corners.
        ring(346, 1.2, indigo);
        for (int i = 0; i < 12; ++i) {
            p.setPen(QPen(indigo, 1));
            p.drawLine(polar(c, 346, 15 + 30 * i), polar(c, 392, 15 + 30 * i));
        }
        ringOfText(p, c, 369, u8("子丑寅卯辰巳午未申酉戌亥"), -90, -30, 30, cinnabar, true);
        // The trigrams, bottom lines inwards; the banner hides most of them on a maximised page.
        ring(282, 1.2, indigo);
        for (const RingTrigram &t : kEarlierHeaven)
            drawTrigram(p, polar(c, 312, t.angle), 44, 6, t.trigram, 90 - t.angle, indigo);

        // The armillary sphere: its outline, the meridians, the equator and the tilted ecliptic.
        QRadialGradient shade(c + QPointF(-70, -80), 300);
        shade.setColorAt(0, QColor(255, 250, 230, 120));
        shade.setColorAt(1, QColor(190, 160, 100, 70));
        p.setBrush(shade);
        p.setPen(QPen(bronze, 4));
        p.drawEllipse(c, 230, 230);
        p.setBrush(Qt::NoBrush);
        for (const double w : {70.0, 138.0, 195.0}) {
            p.setPen(QPen(bronze, 1.8));
            p.drawEllipse(c, w, 230.0);
        }
        p.setPen(QPen(bronze, 2.4));
        p.drawEllipse(c, 230.0, 54.0);
        p.save();
        p.translate(c);
        p.rotate(-23.5);
        p.setPen(QPen(cinnabar, 3.6));
        p.drawEllipse(QPointF(0, 0), 238.0, 72.0);
        p.setPen(QPen(cinnabar, 1.2));
        for (int i = 0; i < 24; ++i) {
            const double a = i * 15 * kPi / 180;
            const QPointF at(std::cos(a) * 238, std::sin(a) * 72);
            p.drawLine(at * 0.97, at * 1.03);
        }
        p.restore();
        // The polar axis through the sphere.
        p.setPen(QPen(bronze, 3.5));
        p.drawLine(polar(c, 268, 113.5), polar(c, 268, -66.5));
        drawTaiji(p, c, 80, -20, QColor(30, 30, 40), QColor(252, 248, 236));
    }

    // Keep the top-left corner calm: the chart shows only faintly there. Towards the right and
    // bottom edges everything fades out, so the picture ends softly on the catalogue's colour.
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(chart.scanLine(y));
        const double bottomFade = 1 - smoothstep(H - 24, H - 2, y);
        for (int x = 0; x < size.width(); ++x) {
            const double outside = std::max({(x - 470.0) / 260.0, (y - 360.0) / 220.0, 0.0});
            const double keep = (0.32 + 0.68 * smoothstep(0.0, 1.0, outside)) * bottomFade
                * (1 - smoothstep(W - 24, W - 2, x));
            const QRgb px = line[x];
            line[x] = qRgba(int(qRed(px) * keep), int(qGreen(px) * keep), int(qBlue(px) * keep), int(qAlpha(px) * keep));
        }
    }
    QPainter p(&wash);
    p.drawImage(0, 0, chart);
    p.end();
    return wash;
}

// The banner: the title 灵箓汇编 under a 太极 in a ring of trigrams, on a night sky. Between
// frames only the two bead rings turn, by a quarter of their spacing and in opposite directions:
// four frames make one seamless turn, with no change of brightness from frame to frame.
std::array<QImage, 4> drawBannerFrames()
{
    const QSize size(600, 480);
    const QPointF c(300, 196);
    std::array<QImage, 4> frames;

    // Everything that does not move, drawn once.
    QImage still(size, QImage::Format_RGB32);
    {
        QPainter p(&still);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, size.height());
        sky.setColorAt(0, QColor(18, 30, 74));
        sky.setColorAt(1, QColor(8, 12, 38));
        p.fillRect(QRect(QPoint(0, 0), size), sky);
        Rng rng(seedFor(1001));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 140; ++i) {
            p.setBrush(QColor(255, 244, 210, rng.between(60, 200)));
            const double r = rng.range(0.5, 1.6);
            p.drawEllipse(QPointF(rng.range(0, size.width()), rng.range(0, size.height())), r, r);
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
        p.setRenderHint(QPainter::Antialiasing);
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
