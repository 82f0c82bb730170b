#pragma once
// The drawing materials every picture shares: paper with fibres and mottling, brush strokes of
// varying width, brush-written characters fitted into boxes, and square seals.

#include "Rng.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace picgen {

inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

enum class PaperKind {
    Talisman, // yellow talisman paper
    Book,     // pale page of an old printed book, for the charts
};

// A sheet of paper of the given size in layout units, kPictureScale pixels to the unit (its device
// pixel ratio, so a painter on it works in layout units): base colour, soft mottling, darker
// edges, a few fibres and flecks.
QImage makePaper(QSize size, PaperKind kind, Rng &rng);

// The vermilion of cinnabar ink, varied slightly per picture.
QColor vermilion(Rng &rng);
// Black ink for the charts' lines and labels.
QColor blackInk();

// The brush-like script used for all written characters, and a printed (Ming) face for labels.
QFont brushFont(int pixelSize = 200);
QFont printFont(int pixelSize = 200);

struct StrokeStyle {
    double width = 12;
    double pressStart = 0.10; // share of the length over which the brush is pressed down
    double taperEnd = 0.30;   // share of the length over which the stroke thins out
    double endWidth = 0.12;   // width left at the very end, as a share of the width
    double wobble = 0.12;     // slow variation of the pressure along the stroke
    double dry = 0.0;         // 0..1: streaks of dry brush near the end
};

// Draws a brush stroke along a centre line (all subpaths of the path, one after the other).
void brushStroke(QPainter &painter, const QPainterPath &centre, const StrokeStyle &style, const QColor &colour,
                 Rng &rng);

// The outline of a text in the given font, untransformed.
QPainterPath textPath(const QString &text, const QFont &font);
// Scales a path into a box. The two axes scale separately, but neither may stretch more than
// maxStretch times the other, so a flat character does not turn into a block.
QPainterPath fitPath(const QPainterPath &path, const QRectF &box, double maxStretch = 3.0);

// Writes characters fitted into a box, thickened by `weight` pixels so they read as brush work.
// Returns the space the ink takes.
QRectF inkText(QPainter &painter, const QString &text, const QRectF &box, const QFont &font, const QColor &colour,
               double weight = 0, double maxStretch = 3.0);
// Writes characters one under another, centred on x, each in a box of the given size.
void inkColumn(QPainter &painter, const QString &text, QPointF topCentre, QSizeF cell, double gap, const QFont &font,
               const QColor &colour, double weight = 0);

// Centre lines for the usual flourishes.
// Loops along a line from `from` to `to` (a prolate trochoid): `loops` turns of the given radius.
QPainterPath loopChain(QPointF from, QPointF to, int loops, double radius, bool clockwise);
// A spiral winding inwards around `centre`, entered from `start`.
QPainterPath spiral(QPointF start, QPointF centre, double turns, bool clockwise);
// A zigzag (lightning) from `from` to `to`.
QPainterPath zigzag(QPointF from, QPointF to, int teeth, double amplitude);

// A square seal of four characters read right column first, top to bottom. Cut in intaglio
// (white characters on red) or relief (red characters in a red frame); slightly worn.
void sealStamp(QPainter &painter, QPointF centre, double size, double angleDegrees, const QString &text, bool intaglio,
               const QColor &colour, Rng &rng);

// A transparent layer of the given size (layout units, at the paper's resolution) for ink, laid on the paper with a
// multiply so that the paper's texture shows through the ink as it does on real paper.
QImage inkLayer(QSize size);
void layInk(QImage &paper, const QImage &ink, double opacity = 1.0);

// Several characters merged into one made-up glyph: the box is split left and right, top and
// bottom, or one part encloses the rest, recursively; neighbouring parts overlap a little so the
// strokes run into each other.
QPainterPath mergedGlyph(const QString &parts, const QRectF &box, const QFont &font, Rng &rng);

// The eight trigrams, each written bottom line first (1 = whole line, 0 = broken line).
enum class Trigram { Qian, Dui, Li, Zhen, Xun, Kan, Gen, Kun };
QString trigramName(Trigram trigram);
// Three bars centred on `centre`; the bottom line lies towards +y before the rotation, so a ring
// of trigrams turned to face the centre has its bottom lines inside.
void drawTrigram(QPainter &painter, QPointF centre, double width, double barHeight, Trigram trigram,
                 double angleDegrees, const QColor &colour);
// The 太极 figure: two interlocking halves with their eyes.
void drawTaiji(QPainter &painter, QPointF centre, double radius, double angleDegrees, const QColor &dark,
               const QColor &light);

// A footprint (sole and toes), pointing up before rotation.
QPainterPath footprint(QPointF centre, double length, double angleDegrees, bool left);

} // namespace picgen
