// The pictures of the 奇门遁甲 chapter: the 四纵五横 grid (072), the 禹步 step figure (073), the
// talismans of the three 奇 (074–076), the 玉女反闭 overview (077), the 步斗 chart of the Dipper
// (078) and the six daily layout charts (079–084).

#include "Ink.h"
#include "Pictures.h"

#include "content/PictureNumbers.h"

#include <QFontMetricsF>
#include <QPainterPathStroker>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace picgen {

namespace {

constexpr double kPi = std::numbers::pi;

const QString &numerals()
{
    static const QString digits = u8("〇一二三四五六七八九十");
    return digits;
}
QString numeral(int n)
{
    return n <= 10 ? numerals().mid(n, 1) : numerals().mid(10, 1) + numerals().mid(n - 10, 1);
}

QColor redInk()
{
    return QColor(196, 40, 30);
}

// The area a line of the given width along a centre line covers.
QPainterPath covered(const QPainterPath &centre, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centre);
}

void mark(Layout &layout, const QPainterPath &centre, double width)
{
    layout.marks.push_back(covered(centre, width));
}
void markArea(Layout &layout, const QPainterPath &area)
{
    layout.marks.push_back(area);
}
void markLine(Layout &layout, QPointF from, QPointF to, double width)
{
    QPainterPath line(from);
    line.lineTo(to);
    mark(layout, line, width);
}
void markRect(Layout &layout, const QRectF &rect)
{
    QPainterPath area;
    area.addRect(rect);
    markArea(layout, area);
}
void markDisc(Layout &layout, QPointF centre, double radius)
{
    QPainterPath area;
    area.addEllipse(centre, radius, radius);
    markArea(layout, area);
}
void markRing(Layout &layout, QPointF centre, double rx, double ry, double width)
{
    QPainterPath ring;
    ring.addEllipse(centre, rx, ry);
    mark(layout, ring, width);
}

// A trigram drawn and recorded by the square it turns in.
void trigram(Layout &layout, QPainter &painter, QPointF centre, double width, double barHeight, Trigram which,
             double angleDegrees, const QColor &colour)
{
    drawTrigram(painter, centre, width, barHeight, which, angleDegrees, colour);
    QPainterPath area;
    area.addRect(QRectF(-width / 2, -barHeight * 2.2, width, barHeight * 4.4));
    markArea(layout, QTransform().translate(centre.x(), centre.y()).rotate(angleDegrees).map(area));
}

void foot(Layout &layout, QPainter &painter, const QPainterPath &print, const QColor &colour)
{
    painter.fillPath(print, colour);
    markArea(layout, print);
}

void label(Layout &layout, QPainter &painter, const QString &text, const QRectF &box, int pixelSize,
           const QColor &colour, bool brush = false, int flags = Qt::AlignCenter)
{
    painter.save();
    painter.setFont(brush ? brushFont(pixelSize) : printFont(pixelSize));
    painter.setPen(colour);
    QRectF used;
    painter.drawText(box, flags, text, &used);
    painter.restore();
    layout.texts.push_back({text, used});
}

QRectF textBox(const QString &text, const QRectF &box, int pixelSize, bool brush, int flags)
{
    return QFontMetricsF(brush ? brushFont(pixelSize) : printFont(pixelSize)).boundingRect(box, flags, text);
}

// Whether a box keeps clear of every text and mark recorded so far.
bool isClear(const Layout &layout, const QRectF &box)
{
    for (const Layout::Text &text : layout.texts)
        if (text.box.intersects(box))
            return false;
    for (const QPainterPath &mark : layout.marks)
        if (mark.intersects(box))
            return false;
    return true;
}

// A label in the first of the boxes where it keeps clear of what is already there (the first box
// when none is clear).
void clearLabel(Layout &layout, QPainter &painter, const QString &text, const std::vector<QRectF> &boxes, int pixelSize,
                const QColor &colour, bool brush = false, int flags = Qt::AlignCenter)
{
    QRectF chosen = boxes.front();
    for (const QRectF &box : boxes)
        if (isClear(layout, textBox(text, box, pixelSize, brush, flags))) {
            chosen = box;
            break;
        }
    label(layout, painter, text, chosen, pixelSize, colour, brush, flags);
}

// The first of the centres where a badge of the radius keeps clear of what is already there.
QPointF clearBadgeCentre(const Layout &layout, const std::vector<QPointF> &centres, double radius)
{
    const double outer = radius + std::max(2.0, radius * 0.12) / 2;
    for (const QPointF &centre : centres)
        if (isClear(layout, QRectF(centre - QPointF(outer, outer), QSizeF(2 * outer, 2 * outer))))
            return centre;
    return centres.front();
}

// A title written large with the brush, centred on a line.
void title(Layout &layout, QPainter &painter, const QString &text, QPointF centre, double charSize,
           const QColor &colour)
{
    const double width = charSize * text.size();
    QRectF used;
    for (int i = 0; i < text.size(); ++i)
        used |= inkText(painter, text.mid(i, 1),
                        QRectF(centre.x() - width / 2 + i * charSize + charSize * 0.04, centre.y() - charSize / 2,
                               charSize * 0.92, charSize),
                        brushFont(), colour, 2, 1.0);
    layout.texts.push_back({text, used});
}

// A column of printed characters, recorded as one text.
void column(Layout &layout, QPainter &painter, const QString &text, QPointF topCentre, QSizeF cell, double gap,
            const QColor &colour)
{
    inkColumn(painter, text, topCentre, cell, gap, printFont(), colour);
    const double height = text.size() * cell.height() + (text.size() - 1) * gap;
    layout.texts.push_back({text, QRectF(topCentre.x() - cell.width() / 2, topCentre.y(), cell.width(), height)});
}

// A numbered red ring: ring and number are one text.
void badge(Layout &layout, QPainter &painter, const QString &text, QPointF centre, double radius)
{
    const double pen = std::max(2.0, radius * 0.12);
    painter.save();
    painter.setPen(QPen(redInk(), pen));
    painter.setBrush(QColor(255, 250, 235, 200));
    painter.drawEllipse(centre, radius, radius);
    painter.setFont(printFont(int(radius * 1.2)));
    painter.setPen(redInk());
    painter.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter, text);
    painter.restore();
    const double outer = radius + pen / 2;
    layout.texts.push_back({text, QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer)});
}

void frameLines(Layout &layout, QPainter &painter, QSizeF size)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(blackInk(), 4));
    const QRectF outer(18, 18, size.width() - 36, size.height() - 36);
    const QRectF inner(27, 27, size.width() - 54, size.height() - 54);
    painter.drawRect(outer);
    painter.setPen(QPen(blackInk(), 1.5));
    painter.drawRect(inner);
    painter.restore();
    QPainterPath frame;
    frame.addRect(outer);
    mark(layout, frame, 4);
    QPainterPath rule;
    rule.addRect(inner);
    mark(layout, rule, 1.5);
}

// A stroke of the brush that is also recorded as a line.
void ruledStroke(Layout &layout, QPainter &painter, const QPainterPath &centre, const StrokeStyle &style,
                 const QColor &colour, Rng &rng)
{
    brushStroke(painter, centre, style, colour, rng);
    mark(layout, centre, style.width * (1 + style.wobble) + 2);
}

StrokeStyle brushOf(double width, double taper = 0.3, double dry = 0.0)
{
    StrokeStyle style;
    style.width = width;
    style.taperEnd = taper;
    style.dry = dry;
    return style;
}

void dashedLine(Layout &layout, QPainter &painter, const QPolygonF &line, const QColor &colour, double width)
{
    QPainterPath centre;
    centre.addPolygon(line);
    mark(layout, centre, width);
    painter.save();
    QPen pen(colour, width, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setDashPattern({3, 2.5});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
    painter.restore();
}

void arrowHead(Layout &layout, QPainter &painter, QPointF tip, QPointF from, double size, const QColor &colour)
{
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0)
        return;
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPolygonF head{tip, tip - u * size + n * size * 0.5, tip - u * size - n * size * 0.5};
    QPainterPath area;
    area.addPolygon(head);
    area.closeSubpath();
    markArea(layout, area);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(head);
    painter.restore();
}

// 072 ---------------------------------------------------------------------------------------
QImage fourByFive(Layout &L)
{
    Rng rng(seedFor(72));
    const QSize size = kNormalSize;
    Rng paperRng = rng.fork(1);
    QImage paper = makePaper(size, PaperKind::Book, paperRng);
    QImage ink = inkLayer(size);
    {
        QPainter p(&ink);
        p.setRenderHint(QPainter::Antialiasing);
        frameLines(L, p, size);
        title(L, p, u8("四纵五横"), QPointF(280, 100), 86, blackInk());
        label(L, p, u8("面向所往之方"), QRectF(60, 160, 440, 40), 26, blackInk());
        arrowHead(L, p, QPointF(280, 200), QPointF(280, 240), 22, redInk());

        const double xs[4] = {140, 233, 327, 420};
        const double ys[5] = {300, 420, 540, 660, 780};
        // The four vertical strokes first, left to right, then the five horizontal ones, top down.
        for (int i = 0; i < 4; ++i) {
            QPainterPath line(QPointF(xs[i] + rng.range(-4, 4), 262));
            line.cubicTo(xs[i] + rng.range(-8, 8), 420, xs[i] + rng.range(-8, 8), 640, xs[i] + rng.range(-5, 5), 840);
            ruledStroke(L, p, line, brushOf(17, 0.3, 0.4), blackInk(), rng);
            badge(L, p, numeral(i + 1), QPointF(xs[i], 228), 17);
        }
        for (int i = 0; i < 5; ++i) {
            QPainterPath line(QPointF(92, ys[i] + rng.range(-4, 4)));
            line.cubicTo(200, ys[i] + rng.range(-8, 8), 360, ys[i] + rng.range(-8, 8), 478, ys[i] + rng.range(-5, 5));
            ruledStroke(L, p, line, brushOf(17, 0.3, 0.4), blackInk(), rng);
            badge(L, p, numeral(i + 1), QPointF(58, ys[i]), 17);
        }
        // The point in the middle of the grid, then the step across.
        p.setPen(Qt::NoPen);
        p.setBrush(redInk());
        p.drawEllipse(QPointF(280, 540), 13, 13);
        markDisc(L, QPointF(280, 540), 13);
        // Its name in the cell below the point, clear of the strokes round it.
        label(L, p, u8("点中"), QRectF(240, 580, 80, 40), 24, redInk());
        foot(L, p, footprint(QPointF(250, 905), 62, -8, true), blackInk());
        foot(L, p, footprint(QPointF(312, 890), 62, 8, false), blackInk());
        label(L, p, u8("跨格而出"), QRectF(340, 880, 160, 40), 26, redInk());
        label(L, p, u8("先纵后横  自左而右  自上而下"), QRectF(40, 950, 480, 40), 24, blackInk());
    }
    layInk(paper, ink);
    return paper;
}

// 073 ---------------------------------------------------------------------------------------
QImage yuStep(Layout &L)
{
    Rng rng(seedFor(73));
    const QSize size = kNormalSize;
    Rng paperRng = rng.fork(1);
    QImage paper = makePaper(size, PaperKind::Book, paperRng);
    QImage ink = inkLayer(size);
    {
        QPainter p(&ink);
        p.setRenderHint(QPainter::Antialiasing);
        frameLines(L, p, size);
        title(L, p, u8("禹步罡图"), QPointF(280, 96), 84, blackInk());

        // The nine palaces of the 洛书, south at the top: the steps go 1 … 9 through them.
        static const int square[3][3] = {{4, 9, 2}, {3, 5, 7}, {8, 1, 6}};
        static const char *palaces[10] = {"", "坎", "坤", "震", "巽", "中", "乾", "兑", "艮", "离"};
        const double left = 60, top = 180, cellW = 147, cellH = 222;
        QPointF centres[10];
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                centres[square[row][col]] = QPointF(left + cellW * (col + 0.5), top + cellH * (row + 0.5));

        p.setPen(QPen(QColor(120, 100, 80, 150), 1.5, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i <= 3; ++i) {
            p.drawLine(QPointF(left + cellW * i, top), QPointF(left + cellW * i, top + 3 * cellH));
            p.drawLine(QPointF(left, top + cellH * i), QPointF(left + 3 * cellW, top + cellH * i));
            markLine(L, QPointF(left + cellW * i, top), QPointF(left + cellW * i, top + 3 * cellH), 1.5);
            markLine(L, QPointF(left, top + cellH * i), QPointF(left + 3 * cellW, top + cellH * i), 1.5);
        }
        QPolygonF path;
        for (int step = 1; step <= 9; ++step)
            path.append(centres[step]);
        dashedLine(L, p, path, redInk(), 3);
        for (int step = 1; step < 9; ++step) {
            const QPointF a = centres[step];
            const QPointF b = centres[step + 1];
            arrowHead(L, p, a + (b - a) * 0.62, a, 16, redInk());
        }
        for (int step = 1; step <= 9; ++step) {
            const QPointF c = centres[step];
            // Left foot forward, the right one brought up beside it.
            const bool leftLeads = step % 2 == 1;
            const double tilt = rng.range(-6, 6);
            foot(L, p, footprint(c + QPointF(-20, leftLeads ? -16 : 4), 70, tilt - 4, true), blackInk());
            foot(L, p, footprint(c + QPointF(20, leftLeads ? 4 : -16), 70, tilt + 4, false), blackInk());
        }
        // The numbers and the palaces' names go into corners of their cells that the way leaves free.
        for (int step = 1; step <= 9; ++step) {
            const QPointF c = centres[step];
            const double dx = cellW * 0.36;
            const double dy = cellH * 0.38;
            badge(L, p, numeral(step),
                  clearBadgeCentre(L,
                                   {c + QPointF(-dx, -dy), c + QPointF(dx, -dy), c + QPointF(-dx, dy),
                                    c + QPointF(dx, dy), c + QPointF(-dx, 0), c + QPointF(dx, 0)},
                                   18),
                  18);
            const double w = cellW * 0.3;
            std::vector<QRectF> places;
            for (const double fx : {0.16, -0.46, -0.15})
                for (const double fy : {-0.48, 0.33})
                    places.push_back(QRectF(c.x() + cellW * fx, c.y() + cellH * fy, w, 34));
            clearLabel(L, p, u8(palaces[step]), places, 24, blackInk());
        }
        auto near = [&](QPointF c) {
            std::vector<QRectF> places;
            for (const QPointF offset : {QPointF(-20, 62), QPointF(30, 40), QPointF(-70, 40), QPointF(30, -80),
                                         QPointF(-70, -80), QPointF(-20, -100), QPointF(40, 0), QPointF(-80, 0)})
                places.push_back(QRectF(c + offset, QSizeF(40, 40)));
            return places;
        };
        clearLabel(L, p, u8("起"), near(centres[1]), 30, redInk(), true);
        clearLabel(L, p, u8("止"), near(centres[9]), 30, redInk(), true);
        label(L, p, u8("三步一遍  三遍九步  合洛书九宫"), QRectF(40, 880, 480, 40), 25, blackInk());
        label(L, p, u8("先举左足  右足随至并齐"), QRectF(40, 930, 480, 40), 25, blackInk());
    }
    layInk(paper, ink);
    return paper;
}

// 074–076 -----------------------------------------------------------------------------------
QImage qiTalisman(int number, Layout *layout)
{
    static const char *names[3] = {"乙奇日精护身", "丙奇月华避兵", "丁奇星精玉女"};
    PageInfo page;
    page.number = number;
    page.name = u8(names[number - content::picturenumbers::kFirstQiTalisman]);
    page.chapter = u8("奇门遁甲");
    page.form = 'I';
    return drawTalisman(page, layout);
}

// The eight directions, south at the top as on the old charts: angle in degrees from east,
// counter-clockwise, for a ring around a centre.
struct Direction {
    const char *name;
    Trigram trigram; // the later-heaven trigram of that direction
    double angle;    // on the picture: 90 = up (south)
};
const Direction kDirections[8] = {
    {"南", Trigram::Li, 90},   {"西南", Trigram::Kun, 45},   {"西", Trigram::Dui, 0},    {"西北", Trigram::Qian, -45},
    {"北", Trigram::Kan, -90}, {"东北", Trigram::Gen, -135}, {"东", Trigram::Zhen, 180}, {"东南", Trigram::Xun, 135},
};

QPointF polar(QPointF centre, double radius, double angleDegrees)
{
    const double a = angleDegrees * kPi / 180;
    return centre + QPointF(std::cos(a) * radius, -std::sin(a) * radius);
}

// 077 ---------------------------------------------------------------------------------------
QImage yuNvOverview(Layout &L)
{
    Rng rng(seedFor(77));
    const QSize size = scaledWidth(1.75);
    Rng paperRng = rng.fork(1);
    QImage paper = makePaper(size, PaperKind::Book, paperRng);
    QImage ink = inkLayer(size);
    {
        QPainter p(&ink);
        p.setRenderHint(QPainter::Antialiasing);
        const double W = size.width();
        frameLines(L, p, size);
        title(L, p, u8("玉女反闭局图"), QPointF(W / 2, 92), 76, blackInk());
        const QPointF c(W / 2, 560);

        // Rings.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(blackInk(), 3));
        p.drawEllipse(c, 345, 345);
        markRing(L, c, 345, 345, 3);
        p.setPen(QPen(blackInk(), 1.5));
        for (const double r : {332.0, 240.0, 160.0}) {
            p.drawEllipse(c, r, r);
            markRing(L, c, r, r, 1.5);
        }
        for (int i = 0; i < 8; ++i) {
            const double a = 22.5 + 45 * i;
            p.drawLine(polar(c, 160, a), polar(c, 332, a));
            markLine(L, polar(c, 160, a), polar(c, 332, a), 1.5);
        }

        // In each direction: its trigram and name, and four tallies pointing inwards.
        for (const Direction &d : kDirections) {
            trigram(L, p, polar(c, 306, d.angle), 56, 7, d.trigram, 90 - d.angle, blackInk());
            label(L, p, u8(d.name), QRectF(polar(c, 266, d.angle) - QPointF(40, 16), QSizeF(80, 32)), 22, blackInk());
            for (int k = 0; k < 4; ++k) {
                const double a = d.angle - 13.5 + 9 * k;
                const QPointF outer = polar(c, 232, a);
                const QPointF inner = polar(c, 180, a);
                p.setPen(QPen(QColor(120, 90, 40), 5, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(inner, outer);
                markLine(L, inner, outer, 5);
                p.setPen(Qt::NoPen);
                p.setBrush(redInk());
                p.drawEllipse(inner, 4.5, 4.5);
            }
        }

        // The grid of four and five strokes in the centre: the middle palace.
        for (int i = 0; i < 4; ++i) {
            QPainterPath line(c + QPointF(-66 + 44 * i, -96));
            line.lineTo(c + QPointF(-66 + 44 * i + rng.range(-3, 3), 96));
            ruledStroke(L, p, line, brushOf(8, 0.3), blackInk(), rng);
        }
        for (int i = 0; i < 5; ++i) {
            QPainterPath line(c + QPointF(-100, -84 + 42 * i));
            line.lineTo(c + QPointF(100, -84 + 42 * i + rng.range(-3, 3)));
            ruledStroke(L, p, line, brushOf(8, 0.3), blackInk(), rng);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(redInk());
        p.drawEllipse(c, 10, 10);
        for (int k = 0; k < 4; ++k) {
            const QPointF at = c + QPointF(-30 + 20 * k, 130);
            p.setPen(QPen(QColor(120, 90, 40), 5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at, at + QPointF(0, -22));
            markLine(L, at, at + QPointF(0, -22), 5);
        }

        // The four guardians outside the ring.
        static const std::pair<const char *, double> guardians[4] = {
            {"朱雀", 90}, {"白虎", 0}, {"玄武", -90}, {"青龙", 180}};
        for (const auto &[name, angle] : guardians) {
            const QPointF at = polar(c, 392, angle);
            label(L, p, u8(name), QRectF(at - QPointF(60, 26), QSizeF(120, 52)), 40, redInk(), true);
        }
        // 六甲 and 六丁 keep the sides.
        column(L, p, u8("六甲守位"), QPointF(80, 630), QSizeF(46, 46), 8, blackInk());
        column(L, p, u8("六丁护旁"), QPointF(W - 80, 630), QSizeF(46, 46), 8, blackInk());

        // 玉女 leads out through the auspicious gate (drawn in the south-east).
        const double gate = 135;
        const QPointF flag = polar(c, 410, gate);
        // The way out runs from the middle to the gate, passing the direction's name and trigram.
        dashedLine(L, p, QPolygonF{c, polar(c, 234, gate)}, redInk(), 4);
        dashedLine(L, p, QPolygonF{polar(c, 332, gate), polar(c, 368, gate)}, redInk(), 4);
        arrowHead(L, p, polar(c, 382, gate), polar(c, 300, gate), 26, redInk());
        p.setPen(QPen(blackInk(), 3));
        p.drawLine(flag + QPointF(0, 40), flag + QPointF(0, -46));
        markLine(L, flag + QPointF(0, 40), flag + QPointF(0, -46), 3);
        p.setPen(Qt::NoPen);
        p.setBrush(redInk());
        const QPolygonF pennant{flag + QPointF(0, -46), flag + QPointF(46, -34), flag + QPointF(0, -18)};
        p.drawPolygon(pennant);
        markRect(L, pennant.boundingRect());
        label(L, p, u8("玉女"), QRectF(flag + QPointF(-90, -30), QSizeF(84, 44)), 36, redInk(), true);
        label(L, p, u8("吉门出阵"), QRectF(flag + QPointF(-150, 16), QSizeF(140, 36)), 26, redInk());

        label(L, p, u8("三十六筹  八方各四  中宫四"), QRectF(0, 972, W, 36), 26, blackInk());
    }
    layInk(paper, ink);
    return paper;
}

// 078 ---------------------------------------------------------------------------------------
QImage dipperSteps(Layout &L)
{
    Rng rng(seedFor(78));
    const QSize size = kNormalSize;
    Rng paperRng = rng.fork(1);
    QImage paper = makePaper(size, PaperKind::Book, paperRng);
    QImage ink = inkLayer(size);
    {
        QPainter p(&ink);
        p.setRenderHint(QPainter::Antialiasing);
        frameLines(L, p, size);
        title(L, p, u8("步罡踏斗图"), QPointF(280, 92), 80, blackInk());

        static const char *names[7] = {"贪狼", "巨门", "禄存", "文曲", "廉贞", "武曲", "破军"};
        const QPointF stars[7] = {{380, 225}, {170, 265}, {190, 445}, {370, 420}, {345, 580}, {290, 735}, {215, 890}};
        // Bowl and handle.
        QPainterPath line(stars[0]);
        for (int i = 1; i < 7; ++i)
            line.lineTo(stars[i]);
        line.moveTo(stars[3]);
        line.lineTo(stars[0]);
        ruledStroke(L, p, line, brushOf(6, 0.0), blackInk(), rng);
        // The stepping order.
        QPolygonF walk;
        for (const QPointF &s : stars)
            walk.append(s + QPointF(0, 0));
        for (int i = 0; i < 7; ++i) {
            p.setPen(QPen(blackInk(), 3));
            p.setBrush(redInk());
            p.drawEllipse(stars[i], 22, 22);
            markDisc(L, stars[i], 23.5);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 235, 200));
            p.drawEllipse(stars[i], 7, 7);
            const bool labelLeft = stars[i].x() < 280;
            label(L, p, u8(names[i]), QRectF(stars[i].x() + (labelLeft ? -140 : 34), stars[i].y() - 22, 106, 44), 34,
                  blackInk(), false, (labelLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            // The foot that treads the star, and its number.
            const QPointF foot = stars[i] + QPointF(labelLeft ? 44 : -44, 34);
            picgen::foot(L, p, footprint(foot, 46, labelLeft ? 20 : -20, i % 2 == 0), QColor(90, 70, 50));
        }
        // 左辅 and 右弼 beside 武曲.
        for (int k = -1; k <= 1; k += 2) {
            const QPointF at = stars[5] + QPointF(k * 80, -50);
            p.setPen(QPen(blackInk(), 2));
            p.setBrush(QColor(230, 200, 120));
            p.drawEllipse(at, 9, 9);
            markDisc(L, at, 10);
            label(L, p, k < 0 ? u8("左辅") : u8("右弼"), QRectF(at.x() - 40, at.y() - 44, 80, 30), 22, blackInk());
        }
        // The step numbers beside their stars, where the lines and names leave room.
        for (int i = 0; i < 7; ++i) {
            const double side = stars[i].x() < 280 ? -1 : 1;
            std::vector<QPointF> places;
            for (const double distance : {44.0, 56.0})
                for (const double angle :
                     {60.0, 120.0, 90.0, 30.0, 150.0, 0.0, 180.0, -30.0, -150.0, -60.0, -120.0, -90.0})
                    places.push_back(stars[i] +
                                     QPointF(side * std::cos(angle * kPi / 180), -std::sin(angle * kPi / 180)) *
                                         distance);
            badge(L, p, numeral(i + 1), clearBadgeCentre(L, places, 15), 15);
        }
        label(L, p, u8("起于贪狼  止于破军"), QRectF(40, 950, 480, 40), 27, redInk());
    }
    layInk(paper, ink);
    return paper;
}

// 079–084 -----------------------------------------------------------------------------------
QImage dayChart(int number, Layout &L)
{
    const int k = number - 79;
    Rng rng(seedFor(number));
    const QSize size = scaledWidth(2.5);
    Rng paperRng = rng.fork(1);
    QImage paper = makePaper(size, PaperKind::Book, paperRng);
    QImage ink = inkLayer(size);
    static const char *branchPairs[6] = {"子丑", "寅卯", "辰巳", "午未", "申酉", "戌亥"};
    const QString branches = u8(branchPairs[k]);
    {
        QPainter p(&ink);
        p.setRenderHint(QPainter::Antialiasing);
        const double W = size.width();
        frameLines(L, p, size);
        title(L, p, branches + u8("日布局速成图"), QPointF(W / 2, 80), 64, blackInk());

        // The eight outer palaces clockwise from 坎 (north, bottom middle; south is at the top),
        // with their grid cells, names and 洛书 numbers.
        struct Palace {
            int row, col;
            Trigram trigram;
            const char *direction;
            int number;
        };
        static const Palace palaces[8] = {
            {2, 1, Trigram::Kan, "北", 1},   {2, 0, Trigram::Gen, "东北", 8},  {1, 0, Trigram::Zhen, "东", 3},
            {0, 0, Trigram::Xun, "东南", 4}, {0, 1, Trigram::Li, "南", 9},     {0, 2, Trigram::Kun, "西南", 2},
            {1, 2, Trigram::Dui, "西", 7},   {2, 2, Trigram::Qian, "西北", 6},
        };
        static const char *doors[8] = {"休", "生", "伤", "杜", "景", "死", "惊", "开"};
        static const char *spirits[8] = {"值符", "腾蛇", "太阴", "六合", "白虎", "玄武", "九地", "九天"};
        const int doorShift = (k * 3) % 8;
        const int spiritShift = (k * 5 + 2) % 8;
        auto doorAt = [&](int i) { return (i + doorShift) % 8; };
        auto isLucky = [](int door) { return door == 0 || door == 1 || door == 7; }; // 休, 生, 开
        // 玉女 stands at the gate of 生, 开 or 休, by turns.
        static const int leadDoor[6] = {1, 7, 0, 1, 7, 0};
        int maidenPalace = 0;
        for (int i = 0; i < 8; ++i)
            if (doorAt(i) == leadDoor[k])
                maidenPalace = i;

        const double left = 60, top = 165, cell = 262;
        const QPointF centre(left + cell * 1.5, top + cell * 1.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(blackInk(), 4));
        p.drawRect(QRectF(left, top, cell * 3, cell * 3));
        QPainterPath border;
        border.addRect(QRectF(left, top, cell * 3, cell * 3));
        mark(L, border, 4);
        p.setPen(QPen(blackInk(), 2));
        for (int i = 1; i < 3; ++i) {
            p.drawLine(QPointF(left + cell * i, top), QPointF(left + cell * i, top + cell * 3));
            p.drawLine(QPointF(left, top + cell * i), QPointF(left + cell * 3, top + cell * i));
            markLine(L, QPointF(left + cell * i, top), QPointF(left + cell * i, top + cell * 3), 2);
            markLine(L, QPointF(left, top + cell * i), QPointF(left + cell * 3, top + cell * i), 2);
        }
        label(L, p, u8("南"), QRectF(left, top - 38, cell * 3, 36), 28, redInk());
        label(L, p, u8("北"), QRectF(left, top + cell * 3 + 2, cell * 3, 36), 28, redInk());

        auto tallies = [&](QPointF at, int count) {
            for (int t = 0; t < count; ++t) {
                const QPointF base = at + QPointF((t - (count - 1) / 2.0) * 16, 0);
                p.setPen(QPen(QColor(120, 90, 40), 6, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(base, base + QPointF(0, -34));
                markLine(L, base, base + QPointF(0, -34), 6);
                p.setPen(Qt::NoPen);
                p.setBrush(redInk());
                p.drawEllipse(base + QPointF(0, -34), 4, 4);
            }
        };

        int total = 0;
        for (int i = 0; i < 8; ++i) {
            const Palace &palace = palaces[i];
            const QRectF box(left + cell * palace.col, top + cell * palace.row, cell, cell);
            const int door = doorAt(i);
            const bool lucky = isLucky(door);
            if (lucky) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(230, 80, 40, 40));
                p.drawRect(box.adjusted(3, 3, -3, -3));
            }
            trigram(L, p, box.topLeft() + QPointF(42, 36), 46, 6, palace.trigram, 0, blackInk());
            label(L, p, trigramName(palace.trigram) + numeral(palace.number),
                  QRectF(box.left() + 72, box.top() + 14, 90, 40), 28, blackInk(), false,
                  Qt::AlignLeft | Qt::AlignVCenter);
            label(L, p, u8(palace.direction), QRectF(box.right() - 100, box.top() + 14, 88, 40), 26,
                  QColor(110, 90, 70), false, Qt::AlignRight | Qt::AlignVCenter);
            const QRectF doorBox(box.center().x() - 66, box.top() + 70, 132, 86);
            const QRectF doorInk =
                inkText(p, u8(doors[door]) + u8("门"), doorBox, brushFont(), lucky ? redInk() : blackInk(), 2, 1.0);
            L.texts.push_back({u8(doors[door]) + u8("门"), doorInk});
            if (lucky) {
                p.setPen(QPen(redInk(), 4));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(doorBox.center(), 94, 56);
                markRing(L, doorBox.center(), 94, 56, 4);
            }
            label(L, p, u8(spirits[(i + spiritShift) % 8]), QRectF(box.left() + 14, box.top() + 166, 110, 38), 26,
                  blackInk(), false, Qt::AlignLeft | Qt::AlignVCenter);
            const int count = lucky ? 3 : 5;
            total += count;
            tallies(QPointF(box.right() - 56, box.bottom() - 24), count);
            label(L, p, u8("筹") + numeral(count), QRectF(box.left() + 14, box.bottom() - 56, 100, 36), 24,
                  QColor(110, 90, 70), false, Qt::AlignLeft | Qt::AlignVCenter);
            if (i == maidenPalace) {
                const QPointF flag = box.topLeft() + QPointF(124, 172);
                p.setPen(QPen(blackInk(), 3));
                p.drawLine(flag, flag + QPointF(0, 52));
                markLine(L, flag, flag + QPointF(0, 52), 3);
                p.setPen(Qt::NoPen);
                p.setBrush(redInk());
                const QPolygonF pennant{flag, flag + QPointF(34, 9), flag + QPointF(0, 20)};
                p.drawPolygon(pennant);
                markRect(L, pennant.boundingRect());
                label(L, p, u8("玉女"), QRectF(flag.x() + 6, flag.y() + 20, 60, 32), 24, redInk(), true);
            }
        }

        // The middle palace: where the caster stands.
        const QRectF middle(left + cell, top + cell, cell, cell);
        L.texts.push_back({branches, inkText(p, branches, QRectF(middle.center().x() - 90, middle.top() + 40, 180, 96),
                                             brushFont(), redInk(), 2, 1.0)});
        label(L, p, u8("中宫  立身"), QRectF(middle.left(), middle.top() + 150, cell, 40), 28, blackInk());
        tallies(QPointF(middle.center().x(), middle.bottom() - 24), 36 - total);
        // The way out: from the middle to 玉女's gate.
        const Palace &lead = palaces[maidenPalace];
        const QPointF gate(left + cell * (lead.col + 0.5), top + cell * (lead.row + 0.5));
        // A short arrow at the edge of the middle palace, pointing out towards the gate, so that it
        // stays clear of the texts in both palaces.
        const QPointF from = centre + (gate - centre) * 0.38;
        const QPointF to = centre + (gate - centre) * 0.47;
        dashedLine(L, p, QPolygonF{from, to}, redInk(), 5);
        arrowHead(L, p, centre + (gate - centre) * 0.495, from, 22, redInk());

        // The legend beside the chart.
        const double lx = left + cell * 3 + 56;
        const double lw = W - lx - 48;
        const QString lucky = u8("休、生、开");
        QString luckyPlaces;
        for (int i = 0; i < 8; ++i)
            if (isLucky(doorAt(i)))
                luckyPlaces += (luckyPlaces.isEmpty() ? QString() : u8("、")) + u8(palaces[i].direction);
        const QStringList lines = {
            u8("日辰：") + branches.left(1) + u8("日、") + branches.mid(1) + u8("日"),
            u8("吉门：") + lucky + u8("，朱圈为记"),
            u8("吉方：") + luckyPlaces,
            u8("玉女：立") + u8(lead.direction) + u8("方") + u8(doors[leadDoor[k]]) + u8("门"),
            u8("出阵：由") + u8(lead.direction) + u8("方而出，移筹一根"),
            u8("安筹：先东，次南，次西，次北"),
            u8("凶门各五筹，吉门各三筹，中宫") + numeral(36 - total) + u8("筹"),
            u8("值神：") + u8(spirits[spiritShift]) + u8("居坎宫"),
        };
        p.setPen(QPen(blackInk(), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(lx - 20, top, lw + 20, cell * 3));
        QPainterPath legendFrame;
        legendFrame.addRect(QRectF(lx - 20, top, lw + 20, cell * 3));
        mark(L, legendFrame, 2);
        double y = top + 30;
        for (const QString &line : lines) {
            label(L, p, line, QRectF(lx, y, lw - 10, 44), 26, blackInk(), false, Qt::AlignLeft | Qt::AlignVCenter);
            y += 60;
        }
        const QPointF sealAt(lx + lw - 80, top + cell * 3 - 90);
        const double sealAngle = rng.range(-4, 4);
        sealStamp(p, sealAt, 100, sealAngle, u8("遁甲秘局"), true, QColor::fromHsv(354, 220, 205), rng);
        L.seals.push_back(sealOutline(sealAt, 100, sealAngle));
        label(L, p, u8("每日布局速成图之") + numeral(k + 1), QRectF(lx, top + cell * 3 - 60, lw - 150, 40), 24,
              QColor(110, 90, 70), false, Qt::AlignLeft | Qt::AlignVCenter);
    }
    layInk(paper, ink);
    return paper;
}

} // namespace

QImage drawQimenPicture(int number, Layout *layout)
{
    Layout unused;
    Layout &L = layout ? *layout : unused;
    switch (number) {
    case content::picturenumbers::kFourByFive:
        return fourByFive(L);
    case content::picturenumbers::kYuStep:
        return yuStep(L);
    case content::picturenumbers::kFirstQiTalisman:
    case content::picturenumbers::kFirstQiTalisman + 1:
    case content::picturenumbers::kFirstQiTalisman + 2:
        return qiTalisman(number, layout);
    case content::picturenumbers::kOverview:
        return yuNvOverview(L);
    case content::picturenumbers::kDipperSteps:
        return dipperSteps(L);
    default:
        return dayChart(number, L);
    }
}

} // namespace picgen
