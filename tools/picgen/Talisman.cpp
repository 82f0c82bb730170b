// The talisman of an ordinary page, composed from the page's own name: a head mark, a body of the
// entry's characters stretched and stacked, a 罡 core, a swirling foot and a square seal, all in
// vermilion on yellow paper. A wide page spreads its body over five columns. Every choice is drawn
// from the picture's own random stream, so each picture is the same on every run.

#include "Ink.h"
#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace picgen {

QSize scaledWidth(double factor)
{
    return QSize(int(std::lround(kNormalSize.width() * factor)), kNormalSize.height());
}

std::uint64_t seedFor(int pictureNumber, std::uint64_t salt)
{
    return 0x6C696E676C75ull ^ (std::uint64_t(pictureNumber + 1) * 0x100000001B3ull) ^ (salt << 40);
}

namespace {

constexpr double kPi = std::numbers::pi;

// Characters of a name that say nothing of its purpose.
QString purposeCharacters(const QString &name)
{
    static const QString dropped = u8("灵符法之（）、秘字咒");
    QString result;
    for (const QChar ch : name)
        if (!dropped.contains(ch) && !result.contains(ch))
            result += ch;
    return result;
}

// Up to `count` characters in name order: the first (the verb: 镇, 禳, 防 …), the ones that name
// what is fought, then others at random.
QString chooseCharacters(const QString &characters, int count, Rng &rng)
{
    if (characters.size() <= count)
        return characters;
    static const QString strong = u8("鬼煞邪精怪妖魔病疫盗贼火雷龙虎蛇狐宅");
    std::vector<qsizetype> chosen{0};
    for (qsizetype i = 1; i < characters.size() && qsizetype(chosen.size()) < count; ++i)
        if (strong.contains(characters[i]))
            chosen.push_back(i);
    while (qsizetype(chosen.size()) < count) {
        const qsizetype i = rng.between(1, int(characters.size()) - 1);
        if (std::find(chosen.begin(), chosen.end(), i) == chosen.end())
            chosen.push_back(i);
    }
    std::sort(chosen.begin(), chosen.end());
    QString result;
    for (const qsizetype i : chosen)
        result += characters[i];
    return result;
}

// Seals by what a talisman is for. A page's name decides first (the first group whose keywords it
// holds), its chapter second; the seal is one of the group's texts.
struct SealGroup {
    const char *keywords; // characters or words of entry names, separated by spaces
    std::vector<const char *> texts;
};
const SealGroup kHealingSeals = {"病 疫 疟 产 胎 小儿 子女 子嗣 毒 梗 眠 睡 惊 疮 脓 寒热 眩晕 肚腹 黑气",
                                 {"太乙救苦", "天医之印", "药王宝印", "保生大帝"}};
const std::vector<SealGroup> kPurposeSeals = {
    {"盗 贼 窃", {"北极驱邪", "都天大法", "护宅之印"}},
    {"相思 爱慕 和好 美人 相会 春心 男女 婚嫁 夫妇 望门 妻", {"九天玄女", "和合之印", "月老之印"}},
    {"隐 遁 避兵", {"六丁六甲", "太清法印", "玄天上帝"}},
    {"畜 牛 马 猪 羊 蚕 田 鸡 犬 花卉 禽 鸟", {"土地之印", "六畜兴旺", "田祖之印"}},
    {"鬼 煞 邪 精 怪 妖 魔 狐 尸 祟 魅 骨髅", {"五雷号令", "雷霆都司", "北帝之印", "酆都之印", "天师之印"}},
    {"星 运 命 财 金银 官 刑克", {"紫微讳印", "斗姆宝印", "财神之印", "文昌之印"}},
    {"宅 家 灶 井 门 屋 土 水道 山气", {"镇宅之印", "安宅大吉", "土地之印", "北帝之印"}},
    {"夜行 出门 渡江 舟车 护身", {"护身之印", "玄天上帝", "北极驱邪"}},
};
const std::vector<std::pair<const char *, std::vector<const char *>>> kChapterSeals = {
    {"镇宅兴家", {"镇宅之印", "安宅大吉", "土地之印"}},
    {"夜行护身", {"护身之印", "玄天上帝", "北极驱邪"}},
    {"日常琐事", {"灵宝之印", "道经师宝", "太上老君", "正一盟威"}},
    {"驱煞转运", {"紫微讳印", "斗姆宝印", "北帝之印"}},
    {"问世通灵", {"神霄玉府", "都天大法", "九天应元"}},
    {"修身养性", {"三清法印", "上清法印", "玉清法印"}},
    {"隐身飞升", {"六丁六甲", "太清法印", "玄天上帝"}},
    {"奇门遁甲", {"六丁六甲", "九天玄女", "斗姆宝印"}},
};

bool namesAny(const QString &name, const char *keywords)
{
    const QStringList words = u8(keywords).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::any_of(words.cbegin(), words.cend(), [&](const QString &word) { return name.contains(word); });
}

const std::vector<const char *> &sealTexts(const PageInfo &page)
{
    if (page.chapter == u8("治病驱魔") || namesAny(page.name, kHealingSeals.keywords))
        return kHealingSeals.texts;
    for (const SealGroup &group : kPurposeSeals)
        if (namesAny(page.name, group.keywords))
            return group.texts;
    for (const auto &[chapter, texts] : kChapterSeals)
        if (page.chapter == u8(chapter))
            return texts;
    return kChapterSeals.front().second;
}

// The powers the incantation pages call on, where it is not 太上老君, by the start of the page's
// name (丙奇 for the 奇门遁甲 talisman): the talisman's left flank reads 吾奉 … 敕 with the power
// its own incantation names.
const std::vector<std::pair<const char *, const char *>> kInvokedPowers = {
    {"禳狐祟迷人灵符", "北帝"},         {"令人相思灵符", "九天玄女"},       {"令美人自来灵符", "月下老人"},
    {"令梦中相会灵符", "太阴星君"},     {"掷骰得彩符", "六甲神将"},         {"神仙火玩符", "火德星君"},
    {"诸葛隐身法", "诸葛武侯真人"},     {"煮豆隐遁法", "玄武真君"},         {"黄石避兵法", "黄石公真人"},
    {"长房隐形法", "壶公真人"},         {"执柳隐遁法", "东华帝君"},         {"鞋遁神秘符", "神行甲马真君"},
    {"阴遁法符咒", "太阴星君六丁玉女"}, {"阳遁法符咒", "太阳帝君六甲神将"}, {"五行遁符咒", "五方五老天君"},
    {"金蝉脱壳遁符咒", "金蝉真人"},     {"穿山透壁遁符咒", "后土皇地祇"},   {"丙奇", "太阴星君"},
};

// Small columns beside the body: right column first.
const std::vector<std::pair<const char *, const char *>> kFlankTexts = {
    {"六甲", "六丁"}, {"急急如律令", "吾奉太上老君敕"}, {"天罡", "地煞"}, {"左青龙", "右白虎"},
    {"雷令", "电火"}, {"急急如律令", "奉北帝敕"},       {"五雷", "三台"}, {"日光", "月华"},
};

class Composer
{
  public:
    Composer(QPainter &painter, Rng &rng, QSize size, QColor ink)
        : p(painter)
        , rng(rng)
        , W(size.width())
        , H(size.height())
        , ink(ink)
        , font(brushFont())
    {
    }

    void stroke(const QPainterPath &path, double width, double taper = 0.3, double dry = 0.0, double wobble = 0.12)
    {
        StrokeStyle style;
        style.width = width;
        style.taperEnd = taper;
        style.dry = dry;
        style.wobble = wobble;
        brushStroke(p, path, style, ink, rng);
    }
    QRectF glyph(const QString &text, const QRectF &box, double weight, double stretch = 3.0)
    {
        return inkText(p, text, box, font, ink, weight, stretch);
    }
    void dot(QPointF centre, double radius)
    {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(centre, radius * rng.range(0.9, 1.1), radius * rng.range(0.9, 1.1));
        p.restore();
    }

    // Heads ----------------------------------------------------------------------------------
    void threeHooks(const QRectF &r, bool arch)
    {
        const double d = r.width() * 0.2;
        const double h = r.height() * (arch ? 0.62 : 0.9);
        for (int k = -1; k <= 1; ++k) {
            const double x = r.center().x() + k * d;
            const double top = r.top() + (k == 0 ? 0 : h * 0.16);
            const double bottom = r.top() + h * (k == 0 ? 1.0 : 0.86);
            QPainterPath hook(QPointF(x - 5, top));
            hook.cubicTo(x + 12, top + (bottom - top) * 0.35, x - 10, top + (bottom - top) * 0.7, x + 2, bottom);
            hook.lineTo(x - 15, bottom - 12);
            stroke(hook, rng.range(15, 20), 0.22);
        }
        if (arch) {
            const double y = r.top() + h + r.height() * 0.2;
            QPainterPath bow(QPointF(r.center().x() - r.width() * 0.4, y + 14));
            bow.quadTo(r.center().x(), y - 22, r.center().x() + r.width() * 0.4, y + 14);
            stroke(bow, rng.range(12, 15), 0.35, 0.5);
        }
    }

    void rain(const QRectF &r)
    {
        glyph(u8("雨"),
              QRectF(r.left() + r.width() * 0.06, r.top() + r.height() * 0.06, r.width() * 0.88, r.height() * 0.8),
              rng.range(7, 9), 3.4);
    }

    void decree(const QRectF &r)
    {
        static const std::vector<std::pair<const char *, const char *>> pairs = {
            {"敕", "令"}, {"奉", "敕"}, {"奉", "令"}, {"敕", "令"}};
        const auto &pair = rng.pick(pairs);
        const double w = r.width() * rng.range(0.42, 0.52);
        glyph(u8(pair.first), QRectF(r.center().x() - w / 2, r.top(), w, r.height() * 0.42), 8);
        glyph(u8(pair.second),
              QRectF(r.center().x() - w * 0.6, r.top() + r.height() * 0.47, w * 1.2, r.height() * 0.53), 8, 3.5);
    }

    void hooksAndDecree(const QRectF &r)
    {
        threeHooks(QRectF(r.left(), r.top(), r.width(), r.height() * 0.42), false);
        const double w = r.width() * 0.34;
        const double y = r.top() + r.height() * 0.5;
        glyph(u8("敕"), QRectF(r.center().x() - w - 4, y, w, r.height() * 0.48), 8);
        glyph(u8("令"), QRectF(r.center().x() + 4, y, w, r.height() * 0.48), 8);
    }

    void dipper(const QRectF &r)
    {
        // 天枢, 天璇, 天玑, 天权 (the bowl), then 玉衡, 开阳, 摇光 (the handle).
        static const QPointF stars[7] = {{0.02, 0.05}, {0.04, 0.55}, {0.30, 0.68}, {0.32, 0.22},
                                         {0.54, 0.12}, {0.74, 0.02}, {0.98, 0.24}};
        const bool mirror = rng.chance(0.5);
        std::vector<QPointF> points;
        for (const QPointF &s : stars) {
            const double fx = mirror ? 1 - s.x() : s.x();
            points.push_back(
                QPointF(r.left() + r.width() * (0.06 + 0.88 * fx), r.top() + r.height() * (0.08 + 0.6 * s.y())));
        }
        QPainterPath line(points[0]);
        for (std::size_t i = 1; i < points.size(); ++i)
            line.lineTo(points[i]);
        line.moveTo(points[3]);
        line.lineTo(points[0]); // the bowl closes
        stroke(line, 6, 0.05, 0.0, 0.2);
        for (const QPointF &point : points)
            dot(point, rng.range(11, 14));
        const double y = r.bottom() - r.height() * 0.08;
        QPainterPath bar(QPointF(r.left() + r.width() * 0.1, y));
        bar.cubicTo(r.left() + r.width() * 0.4, y - 12, r.left() + r.width() * 0.6, y + 12, r.right() - r.width() * 0.1,
                    y - 4);
        stroke(bar, 12, 0.4, 0.4);
    }

    void sunMoon(const QRectF &r)
    {
        const double s = r.height() * 0.42;
        glyph(u8("日"), QRectF(r.left() + 6, r.top() + r.height() * 0.12, s * 0.8, s), 6, 1.2);
        glyph(u8("月"), QRectF(r.right() - 6 - s * 0.8, r.top() + r.height() * 0.12, s * 0.8, s), 6, 1.2);
        const double y = r.top() + r.height() * 0.32;
        stroke(loopChain(QPointF(r.left() + s, y), QPointF(r.right() - s, y), 3, rng.range(16, 22), rng.chance(0.5)),
               11, 0.2, 0.0, 0.2);
        const double w = r.width() * 0.36;
        glyph(rng.chance(0.5) ? u8("雷") : u8("罡"),
              QRectF(r.center().x() - w / 2, r.top() + r.height() * 0.52, w, r.height() * 0.48), 8);
    }

    void cloud(const QRectF &r)
    {
        const double y = r.top() + r.height() * 0.22;
        stroke(loopChain(QPointF(r.left() + r.width() * 0.08, y + 10), QPointF(r.right() - r.width() * 0.08, y + 10), 4,
                         rng.range(14, 20), rng.chance(0.5)),
               12, 0.25, 0.3, 0.2);
        const double w = r.width() * 0.56;
        glyph(rng.chance(0.5) ? u8("雷") : u8("敕"),
              QRectF(r.center().x() - w / 2, r.top() + r.height() * 0.4, w, r.height() * 0.6), 9, 2.5);
    }

    // One of the three 奇: 乙 the sun, 丙 the moon, 丁 the stars.
    void celestial(const QRectF &r, int which)
    {
        const QPointF c(r.center().x(), r.top() + r.height() * 0.42);
        const double radius = r.height() * 0.3;
        if (which == 0) {
            QPainterPath ring;
            ring.addEllipse(c, radius, radius);
            stroke(ring, 9, 0.1);
            dot(c, radius * 0.3);
            for (int i = 0; i < 8; ++i) {
                const double a = i * kPi / 4 + 0.2;
                const QPointF dir(std::cos(a), std::sin(a));
                QPainterPath ray(c + dir * radius * 1.3);
                ray.lineTo(c + dir * radius * 1.75);
                stroke(ray, 7, 0.5);
            }
        } else if (which == 1) {
            QPainterPath moon;
            moon.addEllipse(c, radius, radius);
            QPainterPath bite;
            bite.addEllipse(c + QPointF(radius * 0.45, -radius * 0.2), radius * 0.9, radius * 0.9);
            p.fillPath(moon.subtracted(bite), ink);
            for (int i = 0; i < 3; ++i)
                dot(c + QPointF(radius * (1.2 + 0.25 * i), radius * (0.9 - 0.7 * i)), 5);
        } else {
            const QPointF points[3] = {c + QPointF(-radius * 1.2, radius * 0.5), c + QPointF(0, -radius * 0.7),
                                       c + QPointF(radius * 1.2, radius * 0.5)};
            QPainterPath line(points[0]);
            line.lineTo(points[1]);
            line.lineTo(points[2]);
            stroke(line, 5, 0.05);
            for (const QPointF &point : points) {
                QPainterPath ring;
                ring.addEllipse(point, radius * 0.32, radius * 0.32);
                stroke(ring, 6, 0.1);
                dot(point, radius * 0.12);
            }
        }
        const QString word = which == 0 ? u8("日精") : which == 1 ? u8("月华") : u8("星精");
        const double w = r.width() * 0.18;
        glyph(word.left(1), QRectF(r.left() + 4, r.top() + r.height() * 0.62, w, r.height() * 0.36), 4);
        glyph(word.mid(1), QRectF(r.right() - 4 - w, r.top() + r.height() * 0.62, w, r.height() * 0.36), 4);
    }

    // Body -----------------------------------------------------------------------------------
    void connector(QPointF from, QPointF to, int style)
    {
        switch (style) {
        case 0:
            stroke(loopChain(from, to, 1, rng.range(10, 16), rng.chance(0.5)), 9, 0.25, 0.0, 0.2);
            break;
        case 1: {
            QPainterPath line(from);
            line.lineTo(to + QPointF(rng.range(-4, 4), 0));
            stroke(line, 11, 0.4);
            break;
        }
        case 2: {
            QPainterPath curve(from);
            const double dy = to.y() - from.y();
            const double swing = rng.range(16, 28) * (rng.chance(0.5) ? 1 : -1);
            curve.cubicTo(from + QPointF(swing, dy * 0.3), to + QPointF(-swing, -dy * 0.3), to);
            stroke(curve, 9, 0.3);
            break;
        }
        default: {
            // A short stem crossed by a bar.
            QPainterPath stem(from);
            stem.lineTo(to);
            stroke(stem, 8, 0.2);
            const QPointF mid = (from + to) / 2;
            QPainterPath bar(mid + QPointF(-rng.range(18, 26), rng.range(-2, 2)));
            bar.lineTo(mid + QPointF(rng.range(18, 26), rng.range(-4, 0)));
            stroke(bar, 7, 0.4);
            break;
        }
        }
    }

    // Returns the centre of the bottom edge of what it drew.
    QPointF body(const QRectF &r, const QString &characters)
    {
        // 0 plain column, 1 spine, 2 pair on top, 3 gate, 4 bars, 5 loop round, 6 two merged.
        static const std::vector<int> layouts = {0, 0, 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6};
        const int layout = rng.pick(layouts);
        const int connectorStyle = rng.below(4);
        const double cx = r.center().x();
        const double weight = rng.range(7, 10);

        // The cells: one per character, except that a merged layout writes two as one glyph.
        QStringList cells;
        for (const QChar ch : characters)
            cells.append(QString(ch));
        if (layout == 6 && cells.size() >= 2) {
            const qsizetype at = rng.below(int(cells.size()) - 1);
            cells[at] += cells[at + 1];
            cells.removeAt(at + 1);
        }
        const int n = int(cells.size());
        const double gap = rng.range(10, 26);
        const double cellH = (r.height() - gap * (n - 1)) / n;
        const double cellW = std::clamp(cellH * rng.range(0.95, 1.4), 200.0, r.width());

        if (layout == 1) { // a spine through the whole body
            QPainterPath spine(QPointF(cx, r.top() - 12));
            spine.cubicTo(cx + rng.range(-14, 14), r.top() + r.height() * 0.3, cx + rng.range(-14, 14),
                          r.top() + r.height() * 0.7, cx, r.bottom() + 14);
            stroke(spine, rng.range(10, 13), 0.1, 0.3);
        }
        if (layout == 3) { // a gate around the body
            const double left = cx - cellW * 0.85 / 2 - 24;
            const double right = cx + cellW * 0.85 / 2 + 24;
            QPainterPath post(QPointF(left, r.top() - 10));
            post.lineTo(left + 2, r.bottom() + 4);
            stroke(post, 14, 0.3);
            QPainterPath lintel(QPointF(left - 12, r.top() - 10));
            lintel.lineTo(right, r.top() - 7);
            lintel.lineTo(right - 2, r.bottom() - 12);
            lintel.lineTo(right - 24, r.bottom() - 30);
            stroke(lintel, 14, 0.15);
        }
        if (layout == 5) { // one long loop around the body, closed at the bottom with a twist
            const double rx = cellW * 0.5 + 30;
            QPainterPath loop(QPointF(cx - 10, r.top() - 14));
            loop.cubicTo(cx - rx * 1.3, r.top(), cx - rx * 1.1, r.bottom() - 30, cx + 6, r.bottom() + 6);
            loop.cubicTo(cx + rx * 1.1, r.bottom() - 60, cx + rx * 1.25, r.top() + 10, cx + 10, r.top() - 6);
            loop.cubicTo(cx - 30, r.top() + 8, cx - 20, r.top() + 30, cx + 18, r.top() + 26);
            stroke(loop, 9, 0.15, 0.3, 0.2);
        }

        double y = r.top();
        QPointF lastBottom(cx, r.top());
        int index = 0;
        if (layout == 2 && n >= 3) { // the first two side by side
            const double w = cellW * 0.55;
            glyph(cells[0], QRectF(cx - w - 3, y, w, cellH), weight);
            glyph(cells[1], QRectF(cx + 3, y, w, cellH), weight);
            y += cellH + gap;
            lastBottom = QPointF(cx, y - gap);
            index = 2;
        }
        for (; index < n; ++index) {
            double shift = 0;
            if (layout == 1)
                shift = (index % 2 ? 1 : -1) * rng.range(8, 18);
            const double w = (layout == 3 || layout == 5) ? cellW * 0.8 : cellW;
            const QRectF box(cx - w / 2 + shift, y, w, cellH);
            if (index > 0)
                connector(lastBottom + QPointF(0, -4), QPointF(cx + shift, y + 6), connectorStyle);
            if (cells[index].size() > 1) {
                const QPainterPath merged = mergedGlyph(cells[index], box, font, rng);
                p.fillPath(merged, ink);
                p.strokePath(merged, QPen(ink, weight * 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                const double half = weight * 0.4;
                mainCharacters.push_back(merged.boundingRect().adjusted(-half, -half, half, half));
            } else {
                mainCharacters.push_back(glyph(cells[index], box, weight));
            }
            bodyCells.push_back(box);
            lastBottom = QPointF(cx + shift, y + cellH);
            y += cellH + gap;
        }
        if (layout == 4) { // bars across the column, as a ladder of commands
            for (int i = 1; i < n; ++i) {
                const double by = r.top() + i * (cellH + gap) - gap / 2;
                QPainterPath bar(QPointF(cx - cellW * 0.55, by + rng.range(-4, 4)));
                bar.lineTo(cx + cellW * 0.55, by + rng.range(-8, 0));
                stroke(bar, 8, 0.5, 0.5);
            }
        }
        return lastBottom;
    }

    // A wide body: five columns side by side, tied together below. The page of the five ghosts
    // writes a ghost under each of the five directions; another wide page spreads its name.
    QPointF columns(const QRectF &r, const QString &name, const QString &available)
    {
        QStringList tops;
        QStringList bottoms;
        if (name.contains(u8("五鬼"))) {
            const QString directions = u8("东西中南北");
            for (const QChar ch : directions) {
                tops.append(QString(ch));
                bottoms.append(u8("鬼"));
            }
        } else {
            for (qsizetype i = 0; i < available.size() && tops.size() < 5; i += 2) {
                tops.append(available.mid(i, 1));
                bottoms.append(i + 1 < available.size() ? available.mid(i + 1, 1) : u8("鬼"));
            }
        }
        const int n = int(tops.size());
        const double step = r.width() / n;
        const double topH = r.height() * 0.3;
        const double bottomH = r.height() * 0.5;
        const double weight = rng.range(6, 8);
        QPainterPath tie;
        for (int i = 0; i < n; ++i) {
            const double x = r.left() + step * (i + 0.5);
            const bool middle = i == n / 2;
            const double w = std::min(step * 0.82, middle ? 200.0 : 170.0);
            mainCharacters.push_back(glyph(tops[i], QRectF(x - w * 0.4, r.top(), w * 0.8, topH), weight, 1.4));
            connector(QPointF(x, r.top() + topH - 2), QPointF(x, r.top() + topH + 34), middle ? 0 : 1);
            mainCharacters.push_back(
                glyph(bottoms[i], QRectF(x - w / 2, r.top() + topH + 36, w, bottomH), weight, 2.0));
            const QPointF foot(x, r.top() + topH + 40 + bottomH);
            if (i == 0)
                tie.moveTo(foot);
            else
                tie.lineTo(foot + QPointF(0, rng.range(-6, 6)));
        }
        stroke(tie, 10, 0.1, 0.3);
        stroke(loopChain(QPointF(r.left() + step * 0.5, r.bottom() - 6),
                         QPointF(r.right() - step * 0.5, r.bottom() - 6), n + 2, rng.range(12, 16), rng.chance(0.5)),
               7, 0.15);
        return QPointF(r.center().x(), r.bottom());
    }

    // Core and foot --------------------------------------------------------------------------
    void core(const QRectF &r)
    {
        const int style = rng.below(4);
        const double w = std::min(r.width() * 0.7, r.height() * 1.6);
        const QRectF box(r.center().x() - w / 2, r.top() + r.height() * 0.04, w, r.height() * 0.92);
        switch (style) {
        case 0:
            glyph(u8("罡"), box, 9);
            break;
        case 1: {
            const double radius = r.height() * 0.52;
            const double start = rng.range(0, 360);
            QPainterPath ring;
            ring.arcMoveTo(QRectF(r.center() - QPointF(radius * 1.15, radius), QSizeF(radius * 2.3, radius * 2)),
                           start);
            ring.arcTo(QRectF(r.center() - QPointF(radius * 1.15, radius), QSizeF(radius * 2.3, radius * 2)), start,
                       330);
            stroke(ring, 12, 0.3, 0.4);
            glyph(u8("罡"), box.adjusted(w * 0.12, r.height() * 0.1, -w * 0.12, -r.height() * 0.1), 8);
            break;
        }
        case 2: {
            const QRectF left = box.translated(-w * 0.22, 0).adjusted(w * 0.1, 0, -w * 0.1, 0);
            glyph(u8("罡"), left, 9);
            const double y = r.center().y();
            stroke(loopChain(QPointF(left.right() + 4, y), QPointF(r.right() - 6, y + 10), 2, 14, true), 9, 0.4);
            break;
        }
        default: {
            // The well of nine palaces, with a dot in its middle.
            const double s = r.height() * 0.9;
            const QPointF c = r.center();
            for (int i = -1; i <= 1; i += 2) {
                QPainterPath v(c + QPointF(i * s * 0.18, -s * 0.5));
                v.lineTo(c + QPointF(i * s * 0.18 + rng.range(-4, 4), s * 0.5));
                stroke(v, 13, 0.35);
                QPainterPath hz(c + QPointF(-s * 0.55, i * s * 0.18));
                hz.lineTo(c + QPointF(s * 0.55, i * s * 0.18 + rng.range(-4, 4)));
                stroke(hz, 13, 0.35);
            }
            dot(c, 12);
            break;
        }
        }
    }

    void foot(const QRectF &r)
    {
        const int style = rng.below(6);
        const double cx = r.center().x();
        const QPointF top(cx, r.top());
        const bool clockwise = rng.chance(0.5);
        const double dry = rng.chance(0.5) ? rng.range(0.3, 0.7) : 0.0;
        switch (style) {
        case 0: {
            QPainterPath path(top);
            const QPointF mid(cx + rng.range(-8, 8), r.top() + r.height() * 0.45);
            path.lineTo(mid);
            const QPointF centre(cx + (clockwise ? -1 : 1) * r.height() * 0.2, r.top() + r.height() * 0.66);
            path.connectPath(spiral(mid, centre, rng.range(1.8, 2.6), clockwise));
            stroke(path, 15, 0.35, dry);
            break;
        }
        case 1: {
            QPainterPath path = loopChain(top, QPointF(cx, r.bottom() - 26), 3, rng.range(12, 18), clockwise);
            path.lineTo(cx + (clockwise ? -28 : 28), r.bottom() - 4);
            stroke(path, 14, 0.3, dry);
            break;
        }
        case 2: {
            QPainterPath path = zigzag(top, QPointF(cx, r.bottom() - 28), rng.between(3, 5), rng.range(18, 28));
            path.lineTo(cx - 24, r.bottom() - 6);
            stroke(path, 14, 0.3, dry);
            break;
        }
        case 3: {
            QPainterPath stem(top);
            const QPointF fork(cx, r.top() + r.height() * 0.35);
            stem.lineTo(fork);
            stroke(stem, 15, 0.0);
            for (int k = -1; k <= 1; ++k) {
                QPainterPath tail(fork);
                const QPointF end(cx + k * r.width() * 0.16, r.bottom() - 16);
                tail.cubicTo(fork + QPointF(k * 10, 30), end + QPointF(0, -40), end);
                tail.lineTo(end + QPointF(k == 1 ? -16 : 16, -12));
                stroke(tail, 12, 0.3, dry);
            }
            break;
        }
        case 4: {
            QPainterPath stem(top);
            stem.lineTo(cx + 4, r.bottom() - 24);
            stem.lineTo(cx - 20, r.bottom() - 8);
            stroke(stem, 15, 0.25, dry);
            for (int i = 0; i < 3; ++i) {
                const double y = r.top() + r.height() * (0.18 + 0.22 * i);
                const double half = rng.range(28, 46);
                QPainterPath bar(QPointF(cx - half, y + rng.range(-3, 3)));
                bar.lineTo(cx + half, y + rng.range(-6, 0));
                stroke(bar, 12, 0.4);
            }
            break;
        }
        default: {
            QPainterPath stem(top);
            const QPointF split(cx, r.top() + r.height() * 0.4);
            stem.lineTo(split);
            stroke(stem, 15, 0.0);
            for (int k = -1; k <= 1; k += 2) {
                QPainterPath arm(split);
                const QPointF start(cx + k * r.height() * 0.28, r.top() + r.height() * 0.62);
                arm.quadTo(QPointF(cx + k * 10, r.top() + r.height() * 0.6), start);
                arm.connectPath(
                    spiral(start, QPointF(cx + k * r.height() * 0.2, r.top() + r.height() * 0.7), 1.6, k > 0));
                stroke(arm, 12, 0.35, dry);
            }
            break;
        }
        }
    }

    // Flanks: small columns beside the body, or stars.
    void flanks(const QRectF &r, int style, char form)
    {
        const double xLeft = r.left();
        const double xRight = r.right();
        if (style == 1) {
            const double s = 54;
            glyph(u8("日"), QRectF(xRight - s / 2, r.top(), s * 0.85, s), 5, 1.2);
            glyph(u8("月"), QRectF(xLeft - s / 2, r.top(), s * 0.85, s), 5, 1.2);
            return;
        }
        if (style == 2) {
            for (int side = 0; side < 2; ++side) {
                const double x = side ? xRight : xLeft;
                QPainterPath link(QPointF(x, r.top() + 20));
                for (int i = 0; i < 3; ++i) {
                    const QPointF star(x + rng.range(-10, 10), r.top() + 20 + i * 56);
                    link.lineTo(star);
                    dot(star, 11);
                }
                stroke(link, 5, 0.1);
            }
            return;
        }
        const auto &pair = form == 'I' ? kFlankTexts[1] : rng.pick(kFlankTexts);
        const QString right = u8(pair.first);
        const QString left = form == 'I' ? invocation : u8(pair.second);
        const double cell = std::min(50.0, (r.height() - 10) / std::max(right.size(), left.size()) - 4);
        inkColumn(p, right, QPointF(xRight, r.top()), QSizeF(cell, cell), 4, font, ink, 3);
        inkColumn(p, left, QPointF(xLeft, r.top()), QSizeF(cell, cell), 4, font, ink, 3);
    }

    void frame()
    {
        p.save();
        p.setBrush(Qt::NoBrush);
        QColor c = ink;
        c.setAlpha(220);
        p.setPen(QPen(c, 4));
        p.drawRect(QRectF(16, 16, W - 32, H - 32));
        p.setPen(QPen(c, 1.6));
        p.drawRect(QRectF(25, 25, W - 50, H - 50));
        p.restore();
    }

    // Flourishes added to a body: whiskers flaring from both sides of one character, and the three
    // stars of 三台 beside the foot of the body.
    void ornaments(const QRectF &bodyBox, double limit)
    {
        if (bodyCells.empty())
            return;
        if (rng.chance(0.5)) {
            const QRectF cell = bodyCells[std::size_t(rng.below(int(bodyCells.size())))];
            const double y = cell.center().y() + rng.range(-0.2, 0.2) * cell.height();
            const double reach = std::min(limit, cell.width() / 2 + rng.range(40, 70));
            for (int side = -1; side <= 1; side += 2) {
                const QPointF from(cell.center().x() + side * cell.width() * 0.32, y);
                QPainterPath whisker(from);
                whisker.cubicTo(from + QPointF(side * reach * 0.3, -34),
                                QPointF(cell.center().x() + side * reach * 0.8, y - 30),
                                QPointF(cell.center().x() + side * reach, y + 22));
                stroke(whisker, 9, 0.55, 0.4);
            }
        }
        if (rng.chance(0.35)) {
            const QRectF last = bodyCells.back();
            const double side = rng.chance(0.5) ? -1 : 1;
            const QPointF at(last.center().x() + side * std::min(limit - 20, last.width() / 2 + 34),
                             bodyBox.bottom() - 10);
            const QPointF stars[3] = {at + QPointF(0, -26), at + QPointF(-16, 6), at + QPointF(16, 6)};
            QPainterPath link(stars[0]);
            link.lineTo(stars[1]);
            link.lineTo(stars[2]);
            link.lineTo(stars[0]);
            stroke(link, 3, 0.0, 0.0, 0.05);
            for (const QPointF &star : stars)
                dot(star, 8);
        }
    }

    QString invocation;                 // an incantation page's left flank
    std::vector<QRectF> bodyCells;      // the boxes of the body's characters, top down
    std::vector<QRectF> mainCharacters; // where the ink of the body's characters lies

    QPainter &p;
    Rng &rng;
    double W;
    double H;
    QColor ink;
    QFont font;
};

QColor sealColour(Rng &rng)
{
    return QColor::fromHsv(rng.between(350, 358), rng.between(200, 235), rng.between(195, 225));
}

} // namespace

QString flankInvocation(const PageInfo &page)
{
    if (page.form != 'I')
        return {};
    for (const auto &[name, power] : kInvokedPowers)
        if (page.name.startsWith(u8(name)))
            return u8("吾奉") + u8(power) + u8("敕");
    return u8("吾奉太上老君敕");
}

QImage drawTalisman(const PageInfo &page, Layout *layout)
{
    Rng rng(seedFor(page.number));
    const QSize size = page.wide ? scaledWidth(2.0) : kNormalSize;
    Rng paperRng = rng.fork(1);
    QImage paper = makePaper(size, PaperKind::Talisman, paperRng);
    QImage ink = inkLayer(size);
    const QColor colour = vermilion(rng);
    {
        QPainter painter(&ink);
        painter.setRenderHint(QPainter::Antialiasing);
        Composer c(painter, rng, size, colour);
        const double W = size.width();
        const double H = size.height();
        const double cx = W / 2 + rng.range(-8, 8);

        const bool framed = rng.chance(0.3);
        if (framed)
            c.frame();
        const double top = framed ? 48 : 40;
        const double bottom = H - (framed ? 44 : 34);

        // Heights of the four parts.
        const double headH = rng.range(150, 195);
        const double coreH = rng.range(115, 145);
        const double footH = rng.range(130, 175);
        const double headW = page.wide ? W * 0.7 : std::min(W - 110, 440.0);
        const QRectF headBox(cx - headW / 2, top, headW, headH);

        const bool qimen = page.chapter == u8("奇门遁甲");
        const int qi = page.name.startsWith(u8("乙")) ? 0 : page.name.startsWith(u8("丙")) ? 1 : 2;
        const int headStyle = qimen ? -1 : rng.below(7);
        switch (headStyle) {
        case -1:
            c.celestial(headBox, qi);
            break;
        case 0:
            c.threeHooks(headBox, true);
            break;
        case 1:
            c.rain(headBox);
            break;
        case 2:
            c.decree(headBox);
            break;
        case 3:
            c.hooksAndDecree(headBox);
            break;
        case 4:
            c.dipper(headBox);
            break;
        case 5:
            c.sunMoon(headBox);
            break;
        default:
            c.cloud(headBox);
            break;
        }

        const double bodyTop = top + headH + rng.range(16, 30);
        const double bodyBottom = bottom - footH - coreH - rng.range(14, 24);

        const QString available = purposeCharacters(page.name);
        const int maxCount = std::max(1, int((bodyBottom - bodyTop) / 110));
        const int count = std::min<int>({rng.between(2, 5), maxCount, int(std::max<qsizetype>(1, available.size()))});
        QString characters = chooseCharacters(available, count, rng);
        if (characters.isEmpty())
            characters = u8("镇");
        QPointF bodyEnd;
        if (page.wide) {
            bodyEnd = c.columns(QRectF(60, bodyTop, W - 120, bodyBottom - bodyTop), page.name, available);
        } else {
            const double bodyW = std::min(W * 0.62, 350.0);
            const QRectF bodyBox(cx - bodyW / 2, bodyTop, bodyW, bodyBottom - bodyTop);
            bodyEnd = c.body(bodyBox, characters);
            c.ornaments(bodyBox, W / 2 - 100);
        }

        c.invocation = flankInvocation(page);
        const int flankStyle = page.form == 'I' ? 3 : rng.below(5);
        if (flankStyle > 0 && !page.wide)
            c.flanks(QRectF(58, bodyTop + 10, W - 116, bodyBottom - bodyTop), flankStyle, page.form);

        const double coreTop = bottom - footH - coreH;
        QPainterPath link(bodyEnd + QPointF(0, -4));
        link.lineTo(cx, coreTop + 8);
        c.stroke(link, 10, 0.3);
        c.core(QRectF(cx - 150, coreTop, 300, coreH));
        c.foot(QRectF(cx - 140, bottom - footH, 280, footH));
        if (page.wide) {
            // The outer columns each end in a foot of their own, hung from the tie above.
            for (int k = -1; k <= 1; k += 2) {
                const double x = W / 2 + k * (W - 120) * 0.4;
                QPainterPath hang(QPointF(x, coreTop - 24));
                hang.lineTo(x, coreTop + 10);
                c.stroke(hang, 9, 0.0);
                c.foot(QRectF(x - 110, coreTop + 10, 220, bottom - coreTop - 10));
            }
        }

        // The seal: beside the head, or low beside the core or the foot, never over the body's
        // characters. The chosen place comes first; the others follow in case it would cover one.
        double sealSize = rng.range(100, 138);
        const double place = rng.uniform();
        const int sealPlace = (qimen || page.wide) ? 2 : place < 0.4 ? 0 : 2;
        const double side = rng.chance(0.5) ? -1 : 1;
        const double headReach = headW * rng.range(0.28, 0.36);
        const double coreReach = rng.range(40, 90);
        const double angle = rng.range(-7, 7);
        std::vector<QPointF> candidates;
        auto besideHead = [&](double s) { candidates.push_back(QPointF(cx + s * headReach, top + headH * 0.5)); };
        auto besideCore = [&](double s) {
            candidates.push_back(QPointF(cx + s * coreReach, coreTop + coreH * 0.4));
            candidates.push_back(QPointF(cx + s * (coreReach + 60), coreTop + coreH * 0.4));
            candidates.push_back(QPointF(cx + s * (W / 2 - 100), bottom - footH * 0.5));
        };
        if (sealPlace == 0) {
            besideHead(side);
            besideHead(-side);
            besideCore(side);
            besideCore(-side);
        } else {
            besideCore(side);
            besideCore(-side);
            besideHead(side);
            besideHead(-side);
        }
        QPointF sealCentre = candidates.front();
        placeSeal(candidates, c.mainCharacters, sealSize, 70, angle, sealCentre, QRectF(0, 0, W, H));
        sealStamp(painter, sealCentre, sealSize, angle, u8(rng.pick(sealTexts(page))), rng.chance(0.6), sealColour(rng),
                  rng);
        if (layout) {
            layout->mainCharacters = c.mainCharacters;
            layout->seals.push_back(sealOutline(sealCentre, sealSize, angle));
        }
    }
    layInk(paper, ink, 0.97);
    return paper;
}

} // namespace picgen
