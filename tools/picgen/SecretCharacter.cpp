// The 秘字 pages: one "secret character" merged from characters of the entry's name, written in
// vermilion, with the entry's name small beneath it.

#include "Ink.h"
#include "Pictures.h"

#include <algorithm>

namespace picgen {

QPainterPath mergedGlyph(const QString &parts, const QRectF &box, const QFont &font, Rng &rng)
{
    if (parts.size() <= 1)
        return fitPath(textPath(parts, font), box, 2.2);

    const double w = box.width();
    const double h = box.height();
    const double overlap = rng.range(0.06, 0.14);
    const QString first = parts.left(1);
    const QString rest = parts.mid(1);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    // Enclosing is kept for two parts: an enclosed group of several would shrink to nothing.
    static const std::vector<int> twoParts = {0, 1, 2};
    static const std::vector<int> moreParts = {0, 0, 1, 1, 3};
    const double share = parts.size() > 2 ? 0.08 : 0.0; // more room for a larger rest
    switch (rng.pick(parts.size() > 2 ? moreParts : twoParts)) {
    case 0: { // a narrow part on the left, the rest on the right
        const double split = rng.range(0.34, 0.46) - share;
        path.addPath(mergedGlyph(first, QRectF(box.left(), box.top(), w * (split + overlap), h), font, rng));
        path.addPath(mergedGlyph(rest, QRectF(box.left() + w * split, box.top(), w * (1 - split), h), font, rng));
        break;
    }
    case 1: { // a flat part on top, the rest below
        const double split = rng.range(0.3, 0.44) - share;
        path.addPath(mergedGlyph(first, QRectF(box.left(), box.top(), w, h * (split + overlap)), font, rng));
        path.addPath(mergedGlyph(rest, QRectF(box.left(), box.top() + h * split, w, h * (1 - split)), font, rng));
        break;
    }
    case 2: { // the first part encloses the rest, which sits low and right as in 病 or 遁
        path.addPath(mergedGlyph(first, box, font, rng));
        const QRectF inner(box.left() + w * rng.range(0.3, 0.4), box.top() + h * rng.range(0.32, 0.42), w * 0.56,
                           h * 0.54);
        path.addPath(mergedGlyph(rest, inner, font, rng));
        break;
    }
    default: { // the rest on the left, one part on the right
        const QString last = parts.right(1);
        const QString others = parts.left(parts.size() - 1);
        const double split = rng.range(0.56, 0.66);
        path.addPath(mergedGlyph(others, QRectF(box.left(), box.top(), w * split, h), font, rng));
        path.addPath(mergedGlyph(
            last, QRectF(box.left() + w * (split - overlap), box.top(), w * (1 - split + overlap), h), font, rng));
        break;
    }
    }
    return path;
}

namespace {

// The characters that make the secret character: those of the name that say what it treats.
QString partsOf(const QString &name, Rng &rng)
{
    static const QString dropped = u8("秘字治病之、（）");
    QString candidates;
    for (const QChar ch : name)
        if (!dropped.contains(ch) && !candidates.contains(ch))
            candidates += ch;
    if (candidates.size() < 2)
        candidates += u8("病");
    // Three to four parts; the treating verb 治 leads when there is room.
    const int count = std::min<int>(int(candidates.size()), rng.between(3, 4));
    QString parts;
    std::vector<int> chosen;
    while (int(chosen.size()) < count) {
        const int i = rng.below(int(candidates.size()));
        if (std::find(chosen.begin(), chosen.end(), i) == chosen.end())
            chosen.push_back(i);
    }
    std::sort(chosen.begin(), chosen.end());
    for (const int i : chosen)
        parts += candidates[i];
    if (name.startsWith(u8("治")) && rng.chance(0.5))
        parts.prepend(u8("治"));
    return parts;
}

} // namespace

QImage drawSecretCharacter(const PageInfo &page, Layout *layout)
{
    Rng rng(seedFor(page.number));
    const QSize size = page.wide ? scaledWidth(2.0) : kNormalSize;
    Rng paperRng = rng.fork(1);
    QImage paper = makePaper(size, PaperKind::Talisman, paperRng);
    QImage ink = inkLayer(size);
    const QColor colour = vermilion(rng);
    const double W = size.width();
    const double H = size.height();
    {
        QPainter painter(&ink);
        painter.setRenderHint(QPainter::Antialiasing);

        // A double frame, as the secret characters are written in a ruled field.
        QColor line = colour;
        line.setAlpha(230);
        painter.setPen(QPen(line, 5));
        painter.setBrush(Qt::NoBrush);
        const QRectF field(26, 26, W - 52, H - 52);
        painter.drawRect(field);
        painter.setPen(QPen(line, 1.8));
        painter.drawRect(field.adjusted(10, 10, -10, -10));

        // The name beneath, and the frame's title above.
        const double nameH = page.wide ? 92 : 70;
        const QRectF nameBox(60, H - 60 - nameH, W - 120, nameH);
        const QFont writing = brushFont();
        const QString name = page.name;
        const double charW = std::min(nameH * 0.95, nameBox.width() / name.size());
        const double nameW = charW * name.size();
        QRectF nameInk;
        for (int i = 0; i < name.size(); ++i)
            nameInk |= inkText(painter, name.mid(i, 1),
                               QRectF(W / 2 - nameW / 2 + i * charW, nameBox.top(), charW * 0.94, nameH), writing,
                               blackInk(), 1.5, 1.0);
        QPainterPath rule(QPointF(90, nameBox.top() - 26));
        rule.lineTo(W - 90, nameBox.top() - 22);
        StrokeStyle ruleStyle;
        ruleStyle.width = 6;
        ruleStyle.taperEnd = 0.3;
        brushStroke(painter, rule, ruleStyle, colour, rng);

        // The secret character fills the field above.
        // On a normal page the lowest band of the field is kept for the seal.
        const double top = 70;
        const double fieldBottom = nameBox.top() - 60;
        const double bottom = page.wide ? fieldBottom : fieldBottom - 112;
        const double side = std::min(page.wide ? W - 320 : W - 110, (bottom - top) * (page.wide ? 1.15 : 0.86));
        const QRectF glyphBox(W / 2 - side / 2, top, side, bottom - top);
        const QString parts = partsOf(page.name, rng);
        const QPainterPath glyph = mergedGlyph(parts, glyphBox, brushFont(), rng);
        const double weight = rng.range(5, 8);
        painter.fillPath(glyph, colour);
        painter.strokePath(glyph, QPen(colour, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QRectF glyphInk = glyph.boundingRect().adjusted(-weight / 2, -weight / 2, weight / 2, weight / 2);

        // Wide pages: the chapter's mark down the right, a seal on the left. Normal pages: a seal
        // in a lower corner of the field, clear of the character and of the name.
        const double angle = rng.range(-5, 5);
        double sealSize = page.wide ? 110 : 96;
        QPointF sealAt;
        std::vector<QPointF> candidates;
        if (page.wide) {
            inkColumn(painter, u8("祝由秘字"), QPointF(W - 90, 110), QSizeF(64, 64), 10, writing, colour, 3);
            candidates = {QPointF(108, 150), QPointF(108, H / 2), QPointF(108, bottom - 70)};
        } else {
            const double y = (bottom + fieldBottom) / 2 + 6;
            candidates = {QPointF(W - 110, y), QPointF(110, y), QPointF(W / 2, y)};
        }
        const QRectF sealRoom(40, 40, W - 80, nameBox.top() - 32 - 40);
        sealAt = candidates.front();
        placeSeal(candidates, {glyphInk, nameInk}, sealSize, 60, angle, sealAt, sealRoom);
        sealStamp(painter, sealAt, sealSize, angle, u8("祝由之印"), true, QColor::fromHsv(354, 220, 210), rng);
        if (layout) {
            layout->mainCharacters = {glyphInk};
            layout->texts.push_back({name, nameInk});
            layout->seals.push_back(sealOutline(sealAt, sealSize, angle));
        }
    }
    layInk(paper, ink, 0.97);
    return paper;
}

} // namespace picgen
