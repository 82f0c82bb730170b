#include "Ink.h"
#include "Pictures.h"

#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace picgen {

namespace {

constexpr double kPi = std::numbers::pi;

// Smooth random values on a square lattice, interpolated between the lattice points.
class LatticeNoise
{
  public:
    LatticeNoise(QSize size, double cell, Rng &rng)
        : m_cell(cell)
        , m_columns(int(size.width() / cell) + 3)
        , m_rows(int(size.height() / cell) + 3)
    {
        m_values.resize(std::size_t(m_columns) * std::size_t(m_rows));
        for (double &value : m_values)
            value = rng.range(-1.0, 1.0);
    }

    double at(double x, double y) const
    {
        const double gx = x / m_cell;
        const double gy = y / m_cell;
        const int ix = int(gx);
        const int iy = int(gy);
        const double fx = smooth(gx - ix);
        const double fy = smooth(gy - iy);
        const double top = mix(value(ix, iy), value(ix + 1, iy), fx);
        const double bottom = mix(value(ix, iy + 1), value(ix + 1, iy + 1), fx);
        return mix(top, bottom, fy);
    }

  private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    static double mix(double a, double b, double t) { return a + (b - a) * t; }
    double value(int x, int y) const { return m_values[std::size_t(y) * std::size_t(m_columns) + std::size_t(x)]; }

    double m_cell;
    int m_columns;
    int m_rows;
    std::vector<double> m_values;
};

int clampByte(double value)
{
    return std::clamp(int(value + 0.5), 0, 255);
}

// Points every `step` pixels along a polyline.
std::vector<QPointF> resample(const QPolygonF &line, double step)
{
    std::vector<QPointF> points;
    if (line.isEmpty())
        return points;
    points.push_back(line.first());
    double carried = 0;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1];
        const QPointF b = line[i];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        if (length <= 0)
            continue;
        double along = step - carried;
        while (along <= length) {
            points.push_back(a + (b - a) * (along / length));
            along += step;
        }
        carried = length - (along - step);
    }
    if (points.size() == 1 ||
        std::hypot(points.back().x() - line.last().x(), points.back().y() - line.last().y()) > step * 0.3)
        points.push_back(line.last());
    return points;
}

} // namespace

QImage makePaper(QSize size, PaperKind kind, Rng &rng)
{
    // The texture is computed per pixel of the drawn picture, its features sized in layout units.
    const int scale = kPictureScale;
    const bool talisman = kind == PaperKind::Talisman;
    const QColor base = talisman ? QColor::fromHsv(rng.between(40, 49), rng.between(148, 180), rng.between(236, 248))
                                 : QColor::fromHsv(rng.between(36, 44), rng.between(26, 44), rng.between(240, 249));

    const QSize pixels = size * scale;
    const LatticeNoise coarse(pixels, 120.0 * scale, rng);
    const LatticeNoise fine(pixels, 28.0 * scale, rng);
    const double coarseAmount = talisman ? 0.045 : 0.03;
    const double fineAmount = talisman ? 0.016 : 0.010;

    // Darker towards the edges, as paper that has been handled; precomputed by distance.
    const int maxDistance = std::max(pixels.width(), pixels.height());
    std::vector<double> edge(std::size_t(maxDistance) + 1);
    for (int d = 0; d <= maxDistance; ++d) {
        const double units = double(d) / scale;
        edge[std::size_t(d)] =
            1.0 - (talisman ? 0.20 : 0.12) * std::exp(-units / 26.0) - 0.06 * std::exp(-units / 130.0);
    }

    // The base colour is given in HSV; read its RGB once, not per pixel.
    const double red = base.toRgb().red();
    const double green = base.toRgb().green();
    const double blue = base.toRgb().blue();
    QImage image(pixels, QImage::Format_RGB32);
    const int pw = pixels.width();
    const int ph = pixels.height();
    for (int y = 0; y < ph; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int dy = std::min(y, ph - 1 - y);
        for (int x = 0; x < pw; ++x) {
            const int d = std::min(dy, std::min(x, pw - 1 - x));
            const double n = coarseAmount * coarse.at(x, y) + fineAmount * fine.at(x, y);
            const double e = edge[std::size_t(d)];
            // The edges brown a little: blue falls faster than red.
            const double f = (1.0 + n) * e;
            line[x] = qRgb(clampByte(red * (1.0 + n) * (0.5 + 0.5 * e)), clampByte(green * f), clampByte(blue * f * e));
        }
    }
    // Fibres and flecks are drawn in layout units.
    image.setDevicePixelRatio(scale);
    const int w = size.width();
    const int h = size.height();

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int fibres = w * h / (talisman ? 2400 : 4200);
    for (int i = 0; i < fibres; ++i) {
        const QPointF start(rng.range(0, w), rng.range(0, h));
        const double angle = rng.range(0, 2 * kPi);
        const double length = rng.range(8, 55);
        const QPointF direction(std::cos(angle), std::sin(angle));
        const QPointF bend(-direction.y() * rng.range(-6, 6), direction.x() * rng.range(-6, 6));
        QPainterPath fibre(start);
        fibre.quadTo(start + direction * (length / 2) + bend, start + direction * length);
        QColor colour = rng.chance(0.6) ? base.darker(rng.between(112, 124)) : base.lighter(rng.between(104, 110));
        colour.setAlpha(rng.between(30, 75));
        painter.setPen(QPen(colour, rng.range(0.5, 1.3), Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(fibre);
    }
    const int flecks = w * h / 18000;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < flecks; ++i) {
        QColor colour = base.darker(rng.between(130, 170));
        colour.setAlpha(rng.between(50, 120));
        painter.setBrush(colour);
        const double r = rng.range(0.5, 1.5);
        painter.drawEllipse(QPointF(rng.range(0, w), rng.range(0, h)), r, r * rng.range(0.6, 1.4));
    }
    return image;
}

QColor vermilion(Rng &rng)
{
    return QColor::fromHsv(rng.between(1, 7), rng.between(212, 238), rng.between(222, 242));
}

QColor blackInk()
{
    return QColor(52, 44, 38);
}

QFont brushFont(int pixelSize)
{
    QFont font(QStringLiteral("AR PL UKai CN"));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont printFont(int pixelSize)
{
    QFont font(QStringLiteral("AR PL UMing CN"));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void brushStroke(QPainter &painter, const QPainterPath &centre, const StrokeStyle &style, const QColor &colour,
                 Rng &rng)
{
    const QList<QPolygonF> lines = centre.toSubpathPolygons();
    for (const QPolygonF &line : lines) {
        const std::vector<QPointF> points = resample(line, 2.0);
        const std::size_t n = points.size();
        if (n < 2)
            continue;

        const double phase = rng.range(0, 2 * kPi);
        const double frequency = rng.range(0.8, 2.6);
        std::vector<double> widths(n);
        for (std::size_t i = 0; i < n; ++i) {
            const double t = double(i) / double(n - 1);
            double f = 1.0 + style.wobble * std::sin(phase + 2 * kPi * frequency * t);
            if (style.pressStart > 0 && t < style.pressStart)
                f *= 0.8 + 0.2 * (t / style.pressStart);
            if (style.taperEnd > 0 && t > 1 - style.taperEnd)
                f *= style.endWidth + (1 - style.endWidth) * std::pow((1 - t) / style.taperEnd, 0.7);
            widths[i] = style.width * f;
        }

        QPolygonF outline;
        outline.reserve(qsizetype(2 * n));
        std::vector<QPointF> normals(n);
        for (std::size_t i = 0; i < n; ++i) {
            const QPointF tangent = points[std::min(i + 1, n - 1)] - points[i == 0 ? 0 : i - 1];
            const double length = std::hypot(tangent.x(), tangent.y());
            normals[i] = length > 0 ? QPointF(-tangent.y() / length, tangent.x() / length) : QPointF(0, 0);
            outline.append(points[i] + normals[i] * (widths[i] / 2));
        }
        for (std::size_t i = n; i-- > 0;)
            outline.append(points[i] - normals[i] * (widths[i] / 2));

        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(outline, Qt::WindingFill);
        // The round head where the brush first touches.
        painter.drawEllipse(points.front(), widths.front() * 0.55, widths.front() * 0.55);

        // Dry brush: the hairs part near the end of a fast stroke and leave streaks of paper.
        if (style.dry > 0 && n > 12) {
            painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
            const int streaks = 2 + int(style.dry * 5);
            for (int s = 0; s < streaks; ++s) {
                const double offset = rng.range(-0.38, 0.38);
                const std::size_t from = std::size_t(double(n) * rng.range(0.45, 0.8));
                QPolygonF streak;
                for (std::size_t i = from; i < n; ++i)
                    streak.append(points[i] + normals[i] * (widths[i] * offset));
                painter.setPen(QPen(QColor(0, 0, 0, int(255 * std::min(1.0, style.dry * rng.range(0.5, 1.0)))),
                                    rng.range(0.7, 1.8), Qt::SolidLine, Qt::RoundCap));
                painter.setBrush(Qt::NoBrush);
                painter.drawPolyline(streak);
            }
        }
        painter.restore();
    }
}

QPainterPath textPath(const QString &text, const QFont &font)
{
    QPainterPath path;
    path.addText(QPointF(0, 0), font, text);
    return path;
}

QPainterPath fitPath(const QPainterPath &path, const QRectF &box, double maxStretch)
{
    const QRectF bounds = path.boundingRect();
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return {};
    double sx = box.width() / bounds.width();
    double sy = box.height() / bounds.height();
    const double uniform = std::min(sx, sy);
    sx = std::min(sx, uniform * maxStretch);
    sy = std::min(sy, uniform * maxStretch);
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(sx, sy);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

QRectF inkText(QPainter &painter, const QString &text, const QRectF &box, const QFont &font, const QColor &colour,
               double weight, double maxStretch)
{
    const QRectF inner = box.adjusted(weight / 2, weight / 2, -weight / 2, -weight / 2);
    const QPainterPath path = fitPath(textPath(text, font), inner, maxStretch);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, colour);
    if (weight > 0)
        painter.strokePath(path, QPen(colour, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.restore();
    return path.boundingRect().adjusted(-weight / 2, -weight / 2, weight / 2, weight / 2);
}

void inkColumn(QPainter &painter, const QString &text, QPointF topCentre, QSizeF cell, double gap, const QFont &font,
               const QColor &colour, double weight)
{
    double y = topCentre.y();
    for (const QChar ch : text) {
        const QRectF box(topCentre.x() - cell.width() / 2, y, cell.width(), cell.height());
        // Keep each character's own proportions: a column of print, not a stretched talisman.
        const QPainterPath path = fitPath(textPath(QString(ch), font), box, 1.0);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(path, colour);
        if (weight > 0)
            painter.strokePath(path, QPen(colour, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.restore();
        y += cell.height() + gap;
    }
}

QPainterPath loopChain(QPointF from, QPointF to, int loops, double radius, bool clockwise)
{
    const QPointF axis = to - from;
    const double length = std::hypot(axis.x(), axis.y());
    QPainterPath path(from);
    if (length <= 0 || loops <= 0) {
        path.lineTo(to);
        return path;
    }
    const QPointF along = axis / length;
    const QPointF across = QPointF(-along.y(), along.x()) * (clockwise ? 1.0 : -1.0);
    const double total = loops * 2 * kPi;
    const double advance = length / total;
    const int steps = loops * 40;
    for (int i = 1; i <= steps; ++i) {
        const double t = total * i / steps;
        const double a = advance * t - radius * std::sin(t);
        const double c = radius * (1 - std::cos(t));
        path.lineTo(from + along * a + across * c);
    }
    return path;
}

QPainterPath spiral(QPointF start, QPointF centre, double turns, bool clockwise)
{
    const QPointF offset = start - centre;
    const double r0 = std::hypot(offset.x(), offset.y());
    const double a0 = std::atan2(offset.y(), offset.x());
    QPainterPath path(start);
    const int steps = std::max(24, int(turns * 48));
    for (int i = 1; i <= steps; ++i) {
        const double f = double(i) / steps;
        const double r = r0 * (1 - 0.9 * f);
        const double a = a0 + (clockwise ? 1 : -1) * f * turns * 2 * kPi;
        path.lineTo(centre + QPointF(std::cos(a), std::sin(a)) * r);
    }
    return path;
}

QPainterPath zigzag(QPointF from, QPointF to, int teeth, double amplitude)
{
    const QPointF axis = to - from;
    const double length = std::hypot(axis.x(), axis.y());
    QPainterPath path(from);
    if (length <= 0)
        return path;
    const QPointF across(-axis.y() / length, axis.x() / length);
    for (int i = 1; i < teeth * 2; ++i) {
        const double f = double(i) / (teeth * 2);
        path.lineTo(from + axis * f + across * (i % 2 ? amplitude : -amplitude));
    }
    path.lineTo(to);
    return path;
}

void sealStamp(QPainter &painter, QPointF centre, double size, double angleDegrees, const QString &text, bool intaglio,
               const QColor &colour, Rng &rng)
{
    const int side = int(std::ceil(size * 1.2));
    // The seal is cut at the resolution of the picture it is pressed on.
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage layer(int(std::ceil(side * ratio)), int(std::ceil(side * ratio)), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(side / 2.0, side / 2.0);

        // A hand-cut square: its edge wanders a little.
        QPolygonF edge;
        const double half = size / 2;
        for (int i = 0; i < 48; ++i) {
            const double f = (i % 12) / 12.0;
            QPointF point;
            switch (i / 12) {
            case 0:
                point = QPointF(-half + f * size, -half);
                break;
            case 1:
                point = QPointF(half, -half + f * size);
                break;
            case 2:
                point = QPointF(half - f * size, half);
                break;
            default:
                point = QPointF(-half, half - f * size);
                break;
            }
            edge.append(point + QPointF(rng.range(-1.2, 1.2), rng.range(-1.2, 1.2)));
        }

        const QFont font = printFont(160);
        const double margin = size * (intaglio ? 0.09 : 0.15);
        const double cell = (size - 2 * margin) / 2;
        const double weight = size * (intaglio ? 0.022 : 0.03);
        auto cellBox = [&](int index) {
            // Right column first, top to bottom, then the left column.
            const double x = index < 2 ? 0.0 : -cell;
            const double y = index % 2 == 0 ? -cell : 0.0;
            return QRectF(x, y, cell, cell);
        };
        if (intaglio) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPolygon(edge);
            p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
            for (int i = 0; i < 4 && i < text.size(); ++i)
                inkText(p, text.mid(i, 1), cellBox(i).adjusted(2, 2, -2, -2), font, Qt::black, weight, 1.6);
        } else {
            p.setPen(QPen(colour, size * 0.07, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(edge);
            for (int i = 0; i < 4 && i < text.size(); ++i)
                inkText(p, text.mid(i, 1), cellBox(i).adjusted(2, 2, -2, -2), font, colour, weight, 1.6);
        }

        // Wear: the paste did not take everywhere.
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        p.setPen(Qt::NoPen);
        const int spots = int(size * size / 70);
        for (int i = 0; i < spots; ++i) {
            p.setBrush(QColor(0, 0, 0, rng.between(60, 255)));
            const double r = rng.range(0.4, 1.8);
            p.drawEllipse(QPointF(rng.range(-half, half), rng.range(-half, half)), r, r);
        }
        for (int i = 0; i < 3; ++i) {
            p.setBrush(QColor(0, 0, 0, rng.between(25, 60)));
            p.drawEllipse(QPointF(rng.range(-half, half), rng.range(-half, half)), size * rng.range(0.08, 0.2),
                          size * rng.range(0.05, 0.15));
        }
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(centre);
    painter.rotate(angleDegrees);
    painter.drawImage(QPointF(-side / 2.0, -side / 2.0), layer);
    painter.restore();
}

QPolygonF sealOutline(QPointF centre, double size, double angleDegrees)
{
    // The cut edge wanders by up to 1.2 pixels; the outline allows for it.
    const double half = size / 2 + 1.5;
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.rotate(angleDegrees);
    return transform.map(QPolygonF(QRectF(-half, -half, 2 * half, 2 * half)));
}

bool placeSeal(const std::vector<QPointF> &candidates, const std::vector<QRectF> &keep, double &size,
               double minimumSize, double angleDegrees, QPointF &centre, const QRectF &within)
{
    // Sizes from the one asked for down to the smallest, in steps of a tenth.
    for (double trial = size; trial >= minimumSize - 1e-9; trial -= std::max(1.0, size * 0.1)) {
        for (const QPointF &candidate : candidates) {
            const QPolygonF outline = sealOutline(candidate, trial, angleDegrees);
            const QRectF bounds = outline.boundingRect();
            if (!within.contains(bounds))
                continue;
            QPainterPath area;
            area.addPolygon(outline);
            area.closeSubpath();
            const bool clear =
                std::none_of(keep.begin(), keep.end(), [&](const QRectF &box) { return area.intersects(box); });
            if (clear) {
                centre = candidate;
                size = trial;
                return true;
            }
        }
    }
    return false;
}

QImage inkLayer(QSize size)
{
    QImage layer(size * kPictureScale, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(kPictureScale);
    layer.fill(Qt::transparent);
    return layer;
}

void layInk(QImage &paper, const QImage &ink, double opacity)
{
    QPainter painter(&paper);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setOpacity(opacity);
    painter.drawImage(0, 0, ink);
}

QString trigramName(Trigram trigram)
{
    static const char *names[] = {"乾", "兑", "离", "震", "巽", "坎", "艮", "坤"};
    return u8(names[int(trigram)]);
}

void drawTrigram(QPainter &painter, QPointF centre, double width, double barHeight, Trigram trigram,
                 double angleDegrees, const QColor &colour)
{
    static const int lines[8][3] = {{1, 1, 1}, {1, 1, 0}, {1, 0, 1}, {1, 0, 0},
                                    {0, 1, 1}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
    painter.save();
    painter.translate(centre);
    painter.rotate(angleDegrees);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double spacing = barHeight * 1.7;
    for (int i = 0; i < 3; ++i) {
        const double y = (1 - i) * spacing - barHeight / 2; // line 0 at the bottom (+y)
        if (lines[int(trigram)][i]) {
            painter.drawRect(QRectF(-width / 2, y, width, barHeight));
        } else {
            const double half = width * 0.42;
            painter.drawRect(QRectF(-width / 2, y, half, barHeight));
            painter.drawRect(QRectF(width / 2 - half, y, half, barHeight));
        }
    }
    painter.restore();
}

void drawTaiji(QPainter &painter, QPointF centre, double radius, double angleDegrees, const QColor &dark,
               const QColor &light)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(angleDegrees);
    painter.setPen(Qt::NoPen);
    const double r = radius;
    painter.setBrush(light);
    painter.drawEllipse(QPointF(0, 0), r, r);
    QPainterPath darkHalf;
    darkHalf.moveTo(0, -r);
    darkHalf.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 90, 180); // left half of the disc
    darkHalf.arcTo(QRectF(-r / 2, 0, r, r), 270, 180);     // lower small circle, bulging right
    darkHalf.arcTo(QRectF(-r / 2, -r, r, r), 270, -180);   // upper small circle, bulging left
    darkHalf.closeSubpath();
    painter.setBrush(dark);
    painter.drawPath(darkHalf);
    painter.setBrush(dark);
    painter.drawEllipse(QPointF(0, -r / 2), r * 0.14, r * 0.14);
    painter.setBrush(light);
    painter.drawEllipse(QPointF(0, r / 2), r * 0.14, r * 0.14);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(dark, std::max(1.0, r * 0.03)));
    painter.drawEllipse(QPointF(0, 0), r, r);
    painter.restore();
}

QPainterPath footprint(QPointF centre, double length, double angleDegrees, bool left)
{
    const double L = length;
    // Drawn as a left foot (big toe and arch on the +x side) and mirrored for the right one.
    QPainterPath sole;
    sole.setFillRule(Qt::WindingFill);
    sole.moveTo(0, -0.38 * L);
    sole.cubicTo(0.16 * L, -0.38 * L, 0.22 * L, -0.24 * L, 0.18 * L, -0.10 * L);
    sole.cubicTo(0.14 * L, 0.02 * L, 0.07 * L, 0.12 * L, 0.10 * L, 0.26 * L);
    sole.cubicTo(0.13 * L, 0.40 * L, 0.08 * L, 0.48 * L, 0, 0.48 * L);
    sole.cubicTo(-0.09 * L, 0.48 * L, -0.14 * L, 0.40 * L, -0.13 * L, 0.26 * L);
    sole.cubicTo(-0.12 * L, 0.10 * L, -0.19 * L, -0.02 * L, -0.19 * L, -0.14 * L);
    sole.cubicTo(-0.19 * L, -0.30 * L, -0.12 * L, -0.38 * L, 0, -0.38 * L);
    sole.closeSubpath();
    for (int i = 0; i < 5; ++i) {
        const double f = i / 4.0;
        const double x = (0.11 - 0.27 * f) * L;
        const double y = (-0.47 + 0.09 * f * f + 0.01 * f) * L;
        const double r = (i == 0 ? 0.07 : 0.045 - 0.004 * i) * L;
        sole.addEllipse(QPointF(x, y), r, r * 1.25);
    }
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.rotate(angleDegrees);
    if (!left)
        transform.scale(-1, 1);
    return transform.map(sole);
}

} // namespace picgen
