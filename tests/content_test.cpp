// The book's tables against an independent transcription of the entry table, the counts the book
// promises, the four lookups and the composition of pane texts.
#include "content/Catalogue.h"
#include "content/TableOfContents.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using content::Catalogue;
using content::Chapter;
using content::Page;

namespace {

// Each chapter's rows as "position name picture form [marks]", separated by " · ".
struct Transcription {
    const char *shortTitle;
    const char *rows;
};
const Transcription kRows[] = {
    {"祝由秘字", "1 数术功治病 085 I · 2 治病总符 086 N W · 3 治传染病秘字 087 N W · 4 治呼吸系统病秘字 088 N W · 5 "
                 "提高免疫力秘字 089 N W · 6 治三焦火胜秘字 090 N W · 7 治皮肤病秘字 091 N W · 8 治精神疾病秘字 092 N "
                 "W · 9 壮阳补肾秘字 093 N · 10 治外感风寒秘字 094 N W · 11 治邪病秘字 095 N W · 12 治小儿杂症秘字 096 "
                 "N W · 13 治脑风痧气等秘字 097 N W · 14 治各种疼痛秘字 098 N W · 15 治耳目鼻喉舌牙秘字 099 N W · 16 "
                 "治耳目鼻喉舌牙再秘字 100 N W · 17 治耳目鼻喉舌牙又秘字 101 N W · 18 治消化系统病秘字 102 N W · 19 "
                 "治消化系统病再秘字 103 N W · 20 治消化系统病又秘字 104 N W · 21 治咬伤及外伤秘字 105 N W · 22 "
                 "治咬伤及外伤又秘字 106 N W · 23 治疮痈肿毒秘字 107 N W · 24 治疮痈肿毒再秘字 108 N W · 25 "
                 "治疮痈肿毒又秘字 109 N W · 26 治妇产科疾病秘字 110 N W · 27 治妇产科疾病又秘字 111 N W"},
    {"镇宅兴家",
     "1 镇本宅土煞凶神法 065 E · 2 东岳泰山符 124 U · 3 镇东方土气精耗之鬼法 067 E · 4 西岳华山符 125 U · 5 "
     "镇西方土气损伤人口法 068 E · 6 南岳衡山符 126 U · 7 镇南方土气耗损人口法 066 E · 8 北岳恒山符 128 U · 9 "
     "镇北方土气财之害法 069 E · 10 镇宅安家符（室中狐狸） 121 U · 11 镇宅安家符（室中鬼祟） 122 U · 12 "
     "镇宅安家符（室中死亡） 120 U · 13 解工匠压胜灵符 123 U · 14 防工匠镇压灵符 206 U · 15 镇宅不兴旺灵符 146 U · 16 "
     "镇新宅失利灵符 164 U · 17 镇水道不利灵符 150 U · 18 镇山气被克灵符 152 U · 19 镇宅外诸邪灵符 147 U · 20 "
     "兴家祛魅灵符 232 U · 21 除鸟兽入宅灵符 218 U · 22 镇鸡犬狐狸鸣怪上屋法 045 E · 23 镇丘冢伏尸之鬼法 034 E · 24 "
     "镇伏尸鬼害人口法 036 E · 25 镇家鬼克害人口不利法 009 E · 26 镇刀兵舌谋害恶毕和之鬼法 030 E H · 27 镇鬼神法 011 E "
     "· 28 镇家中妖异灵符 149 U · 29 镇精怪出现灵符 155 U · 30 镇蛇蝎盘踞灵符 156 U · 31 老狐自退灵符 226 U · 32 "
     "镇祠鬼凶害法 014 E · 33 镇诸凶星辰之鬼法 019 E · 34 压诸鬼侵害法 032 E · 35 压亡夫克害人之鬼法 020 E · 36 "
     "斩百煞鬼怪法 021 E · 37 镇凶恶鬼灵侵害法 022 E · 38 镇耗祠鬼法 025 E · 39 镇百怪法 027 E · 40 镇风、光、怪法 028 "
     "E · 41 镇三光百灵雷电不侵法 033 E · 42 镇祸害法 037 E · 43 压邪精百鬼法 038 E · 44 镇树神精魅之鬼法 050 E · 45 "
     "镇蛇作怪法 005 E · 46 镇三光一切鬼法 029 E · 47 压水火光怪法 040 E · 48 镇猪日食午怪法 043 E · 49 "
     "压产妇胎坚之鬼法 004 E · 50 压精怪耗损法 006 E · 51 镇梦寐惊人之鬼法 012 E · 52 镇官司、疫病法 057 E · 53 "
     "镇时气不和法 001 E · 54 镇四时行气阴阳不利法 002 E · 55 镇贼盗口舌无端之鬼法 044 E · 56 镇盗贼常临灵符 163 U · "
     "57 镇盗贼侵害法 003 E · 58 压疾病盗贼虚耗法 060 E · 59 令人畏惧灵符 227 U · 60 布迷魂阵灵符 241 U · 61 "
     "压不祥牛畜生产之鬼法 046 E · 62 镇牛马六畜奴仆逃亡法 047 E · 63 镇六畜兴旺法 048 E · 64 镇田蚕不熟损耗之鬼法 051 "
     "E · 65 镇养茧不成之鬼法 052 E · 66 镇六畜不旺法 053 E · 67 镇不详之兆法 013 E · 68 大显和睦长吉法 000 E · 69 "
     "招金银入宅富贵法 071 E"},
    {"夜行护身", "1 压鬼怪祟人法 023 E · 2 夜行护身灵符 225 U · 3 镇出门凶煞灵符 153 U · 4 禳狐祟迷人灵符 180 I · 5 "
                 "禳鬼祟迷人灵符 179 I · 6 防渡江恐惶灵符 198 U · 7 防恶犬吠啮灵符 202 U · 8 压谋害之鬼法 041 E"},
    {"日常琐事",
     "1 镇刑克法 055 E · 2 镇食井不利灵符 161 U · 3 镇舟车不利灵符 162 U · 4 压恶鬼为害法 007 E · 5 镇不详之兆法 013 E "
     "· 6 镇火地四禄灵符 160 U · 7 禳釜鸣甑鸣灵符 172 U · 8 禳刀鸣釜鸣灵符 183 U · 9 禳日食月耗灵符 185 U · 10 "
     "禳四方土气灵符 186 U · 11 防蛇咬蝎咬灵符 208 U · 12 防蛇虫入灶灵符 209 U · 13 防精怪侵犯灵符 210 U · 14 "
     "除臭虫夜出灵符 212 I · 15 除白虱灵符 213 U · 16 禳死鬼作害灵符 190 U · 17 镇凶殃鬼不妄侵害法 031 E · 18 "
     "压官呼火速之事法 059 E · 19 防婢仆窃物灵符 205 U · 20 除小儿食乳灵符 219 U · 21 逃人自至灵符 222 U · 22 "
     "见烟自厌灵符 223 U · 23 花卉除虫灵符 224 U · 24 禳婚嫁冲犯灵符 165 U · 25 镇送丧犯忌灵符 144 U · 26 "
     "镇人影入棺灵符 145 U · 27 禳妇妨翁姑灵符 166 U · 28 镇邪心邪念灵符 148 U · 29 禳鸟粪污顶灵符 173 U · 30 "
     "禳鬼唤人名灵符 174 U · 31 禳禽兽登灶灵符 175 U · 32 禳路见蛇交灵符 176 U · 33 禳六畜人言灵符 177 U · 34 "
     "禳骨髅相打灵符 178 I · 35 禳鸡犬上屋灵符 181 U · 36 禳龟蛇相盘灵符 167 U · 37 禳黄昏鸡叫灵符 168 U · 38 "
     "禳夜闻犬哭灵符 169 U · 39 禳童鸡相斗灵符 170 U · 40 禳猫犬作怪灵符 171 U · 41 禳蛇鼠侵耗灵符 189 U · 42 "
     "防猫犬偷食灵符 204 U · 43 镇夫妇不和灵符 154 U · 44 禳口舌凶事灵符 187 U · 45 禳灯花结炭灵符 193 U · 46 "
     "防衣服蛀伤灵符 203 U · 47 镇梦境不详灵符 157 U · 48 禳夜梦不详灵符 192 U · 49 禳田蚕失利灵符 188 U · 50 "
     "镇六畜多病灵符 158 U · 51 禳牛马死亡灵符 184 U · 52 禳猪羊瘟疫灵符 191 U · 53 镇盗贼惊恐人口法 016 E · 54 "
     "禳盗贼觊觎灵符 194 U"},
    {"治病驱魔", "1 压耗疾疫病连绵法 062 E · 2 镇不生子嗣灵符 151 U · 3 立刻催生灵符 215 U · 4 防堕胎难产灵符 199 U · "
                 "5 压产妇胎坚之鬼法 004 E · 6 镇狡兔食蚕腹肿夫妇不利法 049 E · 7 镇小儿夜啼灵符 159 U · 8 "
                 "防小儿夜啼灵符 200 U · 9 防小儿遗尿灵符 207 U · 10 除小儿睡魔灵符 216 U · 11 防小儿天花灵符 197 U · "
                 "12 除三阴疟疾 118 I · 13 防疟疾缠染灵符 201 U · 14 除兽鱼骨梗 119 I · 15 防时疫流行灵符 195 U · 16 "
                 "镇脓血鬼灵符 134 U · 17 镇寒热鬼灵符 135 U · 18 除酒后眩晕灵符 211 U · 19 除面上黑气灵符 214 U · 20 "
                 "除食物百毒灵符 217 U · 21 压疾病口舌法 061 E · 22 令人睡眠灵符 230 I · 23 镇梦寐惊人之鬼法 012 E · "
                 "24 镇梦惊人无损法 042 E · 25 禳狐精交媾灵符 182 U · 26 防诸邪鬼缠灵符 196 U · 27 镇惊恐之鬼法 024 E"},
    {"驱煞转运",
     "1 镇诸凶星辰之鬼法 019 E · 2 命宫关煞灵符（男） 127 U · 3 命宫关煞灵符（女） 129 U · 4 镇白衣煞灵符 132 U · 5 "
     "镇麻衣煞灵符 133 U · 6 镇羊刃星灵符 136 U · 7 镇白虎星灵符 137 U · 8 镇扫帚星灵符 138 U · 9 镇披麻星灵符 139 U · "
     "10 镇望门鳏灵符 130 U · 11 镇望门寡灵符 131 U · 12 镇妻克夫灵符 140 U · 13 镇夫克妻灵符 141 U · 14 镇坟墓灵符 "
     "142 U · 15 镇墓道冲破灵符 143 U · 16 镇无端祸害之鬼灵法 015 E · 17 保人口、安舍户法 017 E · 18 镇人口损伤法 018 "
     "E · 19 压产耗鬼作祟法 035 E · 20 大招官职法 058 E · 21 金银自入富贵吉利法 070 E"},
    {"问世通灵",
     "1 镇龙神法 026 E · 2 镇伏尸杀伤之鬼法 010 E · 3 镇天魔地覆法 039 E · 4 令樟柳神童报吉凶灵符 236 U · 5 "
     "令五鬼相随灵符 244 I W · 6 令人相思灵符 221 I · 7 令人爱慕灵符 228 U · 8 令人和好灵符 229 U · 9 令男女相思灵符 "
     "233 U · 10 令美人自来灵符 234 I · 11 令梦中相会灵符 235 I · 12 茶引春心符 239 U · 13 男女移胎灵符 231 U · 14 "
     "色摇大会符 237 U · 15 掷骰得彩符 238 I · 16 摄酒取食符 240 I · 17 无匙开锁灵符 220 I"},
    {"修身养性", "1 镇官司缠身法 056 E · 2 神仙火玩符 242 I · 3 镇疫气百杂之鬼法 063 E · 4 镇子女夭折法 008 E · 5 "
                 "压肚腹饮食不下法 064 E · 6 压疾病沉重并延福寿命法 054 E"},
    {"隐身飞升", "1 诸葛隐身法 112 I · 2 煮豆隐遁法 113 I · 3 黄石避兵法 114 I · 4 长房隐形法 115 I · 5 乌卵隐遁符 116 "
                 "U · 6 执柳隐遁法 117 I · 7 鞋遁神秘符 243 I · 8 阴遁法符咒 245 I · 9 阳遁法符咒 246 I · 10 "
                 "五行遁符咒 247 I · 11 金蝉脱壳遁符咒 248 I · 12 穿山透壁遁符咒 249 I"},
};

struct ExpectedRow {
    int position;
    QString name;
    int picture;
    QChar form;
    QStringList marks;
};

QList<ExpectedRow> parseRows(const char *text)
{
    QList<ExpectedRow> rows;
    for (const QString &item : QString::fromUtf8(text).split(QStringLiteral(" · "))) {
        const QStringList parts = item.split(QLatin1Char(' '));
        rows.append({parts.at(0).toInt(), parts.at(1), parts.at(2).toInt(), parts.at(3).at(0), parts.mid(4)});
    }
    return rows;
}

QChar formOf(const Page &page)
{
    return QLatin1Char(char(page.form));
}

const QString kBlank = QStringLiteral("    ");

} // namespace

class ContentTest : public QObject
{
    Q_OBJECT

  private slots:
    void chapters_data();
    void chapters();
    void entryTable_matchesTranscription();
    void totals();
    void sharedNamesShareOnePage();
    void headingTitle();
    void paragraphStructure();
    void noPlaceholderTexts();
    void qimenViews();
    void lookups_missOnNearMatches_data();
    void lookups_missOnNearMatches();
    void composeSection();
    void pageForms_matchTheirSections();
    void tableOfContents_articles();
    void tableOfContents_bookMenu();
    void tableOfContents_catalogueGrid();
};

void ContentTest::chapters_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("shortTitle");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("picture");
    QTest::newRow("1") << 1 << "奇门遁甲"
                       << "奇门遁甲符咒：" << 2 << "真人步斗法" << 78;
    QTest::newRow("2") << 2 << "祝由秘字"
                       << "祝由秘字：" << 27 << "数术功治病" << 85;
    QTest::newRow("3") << 3 << "镇宅兴家"
                       << "镇宅兴家符咒：" << 69 << "镇本宅土煞凶神法" << 65;
    QTest::newRow("4") << 4 << "夜行护身"
                       << "夜行护身符咒：" << 8 << "压鬼怪祟人法" << 23;
    QTest::newRow("5") << 5 << "日常琐事"
                       << "日常琐事符咒：" << 54 << "镇刑克法" << 55;
    QTest::newRow("6") << 6 << "治病驱魔"
                       << "治病驱魔符咒：" << 27 << "压耗疾疫病连绵法" << 62;
    QTest::newRow("7") << 7 << "驱煞转运"
                       << "驱煞转运符咒：" << 21 << "镇诸凶星辰之鬼法" << 19;
    QTest::newRow("8") << 8 << "问世通灵"
                       << "问世通灵符咒：" << 17 << "镇龙神法" << 26;
    QTest::newRow("9") << 9 << "修身养性"
                       << "修身养性符咒：" << 6 << "镇官司缠身法" << 56;
    QTest::newRow("10") << 10 << "隐身飞升"
                        << "隐身飞升符咒：" << 12 << "诸葛隐身法" << 112;
}

void ContentTest::chapters()
{
    QFETCH(int, order);
    QFETCH(QString, shortTitle);
    QFETCH(QString, caption);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(int, picture);

    const Catalogue &book = Catalogue::instance();
    const Chapter &chapter = book.chapters().at(std::size_t(order - 1));
    QCOMPARE(chapter.order, order);
    QCOMPARE(chapter.shortTitle, shortTitle);
    QCOMPARE(chapter.categoryCaption, caption);
    QCOMPARE(int(chapter.entries.size()), count);
    QCOMPARE(chapter.entries.front().name, first);
    QCOMPARE(book.chapterByShortTitle(shortTitle), &chapter);
    QCOMPARE(book.chapterByCaption(caption), &chapter);
    QCOMPARE(chapter.hasPanel, order == 1);
    if (order == 1) {
        QCOMPARE(Catalogue::entryNames(chapter), QStringList({"真人步斗法", "玉女反闭诀"}));
        QCOMPARE(book.zhenRenBuDou().pictureNumber, picture);
    } else {
        const Page *page = Catalogue::pageOf(chapter, first);
        QVERIFY(page);
        QCOMPARE(page->pictureNumber, picture);
        QVERIFY2(page->lower, "every chapter's first page has a lower section");
        QVERIFY(!page->widePicture);
    }
    const QString menuItem = order == 1 ? QStringLiteral("奇门符咒") : shortTitle;
    QCOMPARE(chapter.menuItem, menuItem);
}

void ContentTest::entryTable_matchesTranscription()
{
    const Catalogue &book = Catalogue::instance();
    for (const Transcription &chapterRows : kRows) {
        const Chapter *chapter = book.chapterByShortTitle(QString::fromUtf8(chapterRows.shortTitle));
        QVERIFY(chapter);
        const QList<ExpectedRow> rows = parseRows(chapterRows.rows);
        QCOMPARE(int(chapter->entries.size()), int(rows.size()));
        for (const ExpectedRow &row : rows) {
            const content::Entry &entry = chapter->entries.at(std::size_t(row.position - 1));
            QCOMPARE(entry.name, row.name);
            QVERIFY2(entry.page, qPrintable(row.name));
            QCOMPARE(entry.page->pictureNumber, row.picture);
            QCOMPARE(formOf(*entry.page), row.form);
            QCOMPARE(entry.page->widePicture, row.marks.contains(QStringLiteral("W")));
            QCOMPARE(!entry.page->headingTitle.isEmpty(), row.marks.contains(QStringLiteral("H")));
            QCOMPARE(Catalogue::pageOf(*chapter, row.name), entry.page);
        }
    }
}

void ContentTest::totals()
{
    const Catalogue &book = Catalogue::instance();
    int listEntries = 0;
    int rows = 0;
    int wide = 0;
    int headings = 0;
    QSet<QString> names;
    QHash<QChar, int> forms;
    QHash<int, const Page *> pageOfPicture;
    for (const Chapter &chapter : book.chapters()) {
        listEntries += int(chapter.entries.size());
        if (chapter.hasPanel)
            continue;
        for (const content::Entry &entry : chapter.entries) {
            ++rows;
            names.insert(entry.name);
            ++forms[formOf(*entry.page)];
            wide += entry.page->widePicture;
            headings += !entry.page->headingTitle.isEmpty();
            // No two pages share a picture; a shared name is one page, so it shares its picture.
            const Page *earlier = pageOfPicture.value(entry.page->pictureNumber);
            QVERIFY2(!earlier || earlier == entry.page, qPrintable(entry.name));
            pageOfPicture.insert(entry.page->pictureNumber, entry.page);
        }
    }
    QCOMPARE(listEntries, 243);
    QCOMPARE(rows, 241);
    QCOMPARE(names.size(), 237);
    QCOMPARE(int(book.distinctPages().size()), 237);
    QCOMPARE(forms.value(QLatin1Char('U')), 112);
    QCOMPARE(forms.value(QLatin1Char('E')), 76);
    QCOMPARE(forms.value(QLatin1Char('I')), 27);
    QCOMPARE(forms.value(QLatin1Char('N')), 26);
    QCOMPARE(wide, 26);
    QCOMPARE(headings, 1);
    for (int picture = 0; picture <= 249; ++picture)
        QCOMPARE(pageOfPicture.contains(picture), picture < 72 || picture > 84);
}

void ContentTest::sharedNamesShareOnePage()
{
    const Catalogue &book = Catalogue::instance();
    const struct {
        const char *name;
        const char *other;
        int picture;
    } shared[] = {{"镇诸凶星辰之鬼法", "驱煞转运", 19},
                  {"压产妇胎坚之鬼法", "治病驱魔", 4},
                  {"镇梦寐惊人之鬼法", "治病驱魔", 12},
                  {"镇不详之兆法", "日常琐事", 13}};
    const Chapter *home = book.chapterByShortTitle(QStringLiteral("镇宅兴家"));
    for (const auto &item : shared) {
        const QString name = QString::fromUtf8(item.name);
        const Page *page = Catalogue::pageOf(*home, name);
        QVERIFY(page);
        QCOMPARE(Catalogue::pageOf(*book.chapterByShortTitle(QString::fromUtf8(item.other)), name), page);
        QCOMPARE(page->pictureNumber, item.picture);
    }
}

void ContentTest::headingTitle()
{
    const Catalogue &book = Catalogue::instance();
    const Page *page = Catalogue::pageOf(*book.chapterByShortTitle(QStringLiteral("镇宅兴家")),
                                         QStringLiteral("镇刀兵舌谋害恶毕和之鬼法"));
    QVERIFY(page);
    QCOMPARE(page->pictureNumber, 30);
    QCOMPARE(page->headingTitle, QStringLiteral("镇刀兵、舌谋、害恶、毕和之鬼法"));
    QVERIFY(content::ComposeSection(page->headingTitle, page->upper.label, page->upper.paragraphs)
                .startsWith(QStringLiteral("镇刀兵、舌谋、害恶、毕和之鬼法[用法]:\r\n")));
}

void ContentTest::paragraphStructure()
{
    // Counted over the 241 rows, so a shared page counts in both of its chapters.
    const Catalogue &book = Catalogue::instance();
    int upperTwo = 0, upperTextThenBlank = 0, upperOne = 0, upperMax = 0;
    int sections = 0, endBlank = 0, endTwoBlanks = 0, lowers = 0;
    QHash<QString, int> labels;
    auto checkSection = [&](const content::Section &section, const QString &name) {
        ++sections;
        ++labels[section.label];
        QVERIFY2(!section.paragraphs.isEmpty() && section.paragraphs.size() <= 15, qPrintable(name));
        for (const QString &paragraph : section.paragraphs) {
            QVERIFY2(paragraph.startsWith(kBlank), qPrintable(name));
            QVERIFY2(!paragraph.contains(QLatin1Char('\r')) && !paragraph.contains(QLatin1Char('\n')),
                     qPrintable(name));
        }
        if (section.paragraphs.last() == kBlank) {
            ++endBlank;
            const qsizetype n = section.paragraphs.size();
            endTwoBlanks += n >= 2 && section.paragraphs.at(n - 2) == kBlank;
        }
    };
    for (const Chapter &chapter : book.chapters()) {
        for (const content::Entry &entry : chapter.entries) {
            if (!entry.page)
                continue;
            const QStringList &upper = entry.page->upper.paragraphs;
            upperTwo += upper.size() == 2;
            upperTextThenBlank += upper.size() == 2 && upper.at(0) != kBlank && upper.at(1) == kBlank;
            upperOne += upper.size() == 1;
            upperMax = std::max(upperMax, int(upper.size()));
            checkSection(entry.page->upper, entry.name);
            if (entry.page->lower) {
                ++lowers;
                checkSection(*entry.page->lower, entry.name);
            }
        }
    }
    QCOMPARE(upperTwo, 209);
    QCOMPARE(upperTextThenBlank, 201);
    QCOMPARE(upperOne, 4);
    QCOMPARE(upperMax, 15);
    QCOMPARE(lowers, 129);
    QCOMPARE(sections, 370);
    QCOMPARE(endBlank, 269);
    QCOMPARE(endTwoBlanks, 1);
    QCOMPARE(labels.value(content::kLabelUsage), 215);
    QCOMPARE(labels.value(content::kLabelExplanation), 26);
    QCOMPARE(labels.value(content::kLabelCommentary), 76);
    QCOMPARE(labels.value(content::kLabelIncantation), 27);
    QCOMPARE(labels.value(content::kLabelSecretUsage), 26);
}

void ContentTest::noPlaceholderTexts()
{
    // Every page is written for its own entry: no placeholder, no text paragraph on two pages.
    const Catalogue &book = Catalogue::instance();
    QHash<QString, QString> firstPageOf;
    auto check = [&](const QStringList &paragraphs, const QString &where) {
        for (const QString &paragraph : paragraphs) {
            QVERIFY2(!paragraph.contains(QStringLiteral("TODO")), qPrintable(where));
            if (paragraph.trimmed().size() < 12)
                continue; // short headings such as "    斗咒：" may recur
            const QString earlier = firstPageOf.value(paragraph);
            QVERIFY2(earlier.isEmpty() || earlier == where, qPrintable(where + QStringLiteral(" repeats ") + earlier));
            firstPageOf.insert(paragraph, where);
        }
    };
    for (const Page *page : book.distinctPages()) {
        const QString where = QString::number(page->pictureNumber);
        check(page->upper.paragraphs, where);
        if (page->lower)
            check(page->lower->paragraphs, where);
    }
    check(book.zhenRenBuDou().upper + book.zhenRenBuDou().lower, QStringLiteral("真人步斗法"));
    check(book.yuNvFanBiOverview().upper + book.yuNvFanBiOverview().lower, QStringLiteral("玉女反闭诀"));
    for (const content::QimenView &view : book.figureViews())
        check(view.upper.mid(view.headingTitle.endsWith(QStringLiteral("奇符式")) ? 1 : 0) + view.lower,
              view.headingTitle);
}

void ContentTest::qimenViews()
{
    const Catalogue &book = Catalogue::instance();
    const content::QimenView &zhenRen = book.zhenRenBuDou();
    QCOMPARE(zhenRen.upper.size(), 4);
    QCOMPARE(zhenRen.lower.size(), 8);
    QCOMPARE(zhenRen.lower.first(), QStringLiteral("    斗咒："));
    QCOMPARE(zhenRen.upper.mid(1), QStringList({kBlank, kBlank, kBlank}));
    QCOMPARE(zhenRen.lower.last(), kBlank);

    const content::QimenView &overview = book.yuNvFanBiOverview();
    QCOMPARE(overview.pictureNumber, 77);
    QCOMPARE(overview.upper.size(), 14);
    QCOMPARE(overview.lower.size(), 22);
    QCOMPARE(overview.upper.at(1), QStringLiteral("    布阵步骤："));
    QCOMPARE(overview.upper.at(7), QStringLiteral("    用阵方法："));
    for (int step = 1; step <= 4; ++step)
        QVERIFY(overview.upper.at(1 + step).startsWith(QStringLiteral("    %1、").arg(step)));
    for (int step = 1; step <= 5; ++step)
        QVERIFY(overview.upper.at(7 + step).startsWith(QStringLiteral("    %1、").arg(step)));
    QCOMPARE(overview.upper.at(6), kBlank);
    QCOMPARE(overview.upper.at(13), kBlank);
    QCOMPARE(overview.lower.at(0), QStringLiteral("    布阵咒："));
    QCOMPARE(overview.lower.at(1), QStringLiteral("    1、起初布阵安筹咒："));
    QCOMPARE(overview.lower.at(3), QStringLiteral("    2、启请咒："));
    QVERIFY(overview.lower.at(4).startsWith(QStringLiteral("    X年X月X日X时")));
    QCOMPARE(overview.lower.at(5), QStringLiteral("    3、四方咒："));
    QCOMPARE(overview.lower.at(10), QStringLiteral("    4、移筹咒："));
    QCOMPARE(overview.lower.at(12), kBlank);
    QCOMPARE(overview.lower.at(13), QStringLiteral("    用阵咒："));
    QCOMPARE(overview.lower.at(14), QStringLiteral("    1、吉事咒："));
    QCOMPARE(overview.lower.at(16), QStringLiteral("    2、凶事咒："));
    QCOMPARE(overview.lower.at(18), QStringLiteral("    3、玉女咒："));
    QVERIFY(overview.lower.at(20).startsWith(QStringLiteral("    XXX上玉女")));
    QCOMPARE(overview.lower.at(21), kBlank);

    const QStringList titles = {"乙奇符式", "丙奇符式", "丁奇符式", "禹罡式", "四纵五横"};
    const QList<int> pictures = {74, 75, 76, 73, 72};
    const QList<int> upperCounts = {1, 1, 1, 4, 2};
    const QString firstOfQi = QStringLiteral("    用雷霹枣木方圆各一寸二分官雕此符为佳；如不然，但以黄素纸书之也可。");
    QCOMPARE(int(book.figureViews().size()), 5);
    for (int i = 0; i < 5; ++i) {
        const content::QimenView &view = book.figureViews().at(std::size_t(i));
        QCOMPARE(view.headingTitle, titles.at(i));
        QCOMPARE(view.pictureNumber, pictures.at(i));
        QCOMPARE(int(view.upper.size()), upperCounts.at(i));
        QCOMPARE(view.lower.size(), 3);
        QVERIFY(view.lower.at(1).startsWith(QStringLiteral("    又咒：")));
        QCOMPARE(view.lower.at(2), kBlank);
        if (i < 3)
            QCOMPARE(view.upper, QStringList({firstOfQi}));
    }
    const content::QimenView &grid = book.figureViews().back();
    QVERIFY(grid.lower.at(0).endsWith(QStringLiteral("  ")) && !grid.lower.at(0).endsWith(QStringLiteral("   ")));
    QVERIFY(grid.lower.at(1).endsWith(QLatin1Char(' ')) && !grid.lower.at(1).endsWith(QStringLiteral("  ")));
    const content::QimenView &yu = book.figureViews().at(3);
    QCOMPARE(yu.upper.mid(2), QStringList({kBlank, kBlank}));
    QCOMPARE(grid.upper.at(1), kBlank);
}

void ContentTest::lookups_missOnNearMatches_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("trailing space") << QStringLiteral("日常琐事 ");
    QTest::newRow("leading space") << QStringLiteral(" 日常琐事");
    QTest::newRow("menu caption") << QStringLiteral("奇门符咒");
    QTest::newRow("caption without colon") << QStringLiteral("日常琐事符咒");
    QTest::newRow("ascii colon") << QStringLiteral("日常琐事符咒:");
}

void ContentTest::lookups_missOnNearMatches()
{
    QFETCH(QString, text);
    const Catalogue &book = Catalogue::instance();
    QVERIFY(!book.chapterByShortTitle(text));
    QVERIFY(!book.chapterByCaption(text));

    const Chapter *house = book.chapterByShortTitle(QStringLiteral("镇宅兴家"));
    QVERIFY(Catalogue::pageOf(*house, QStringLiteral("镇宅安家符（室中死亡）")));
    QVERIFY(!Catalogue::pageOf(*house, QStringLiteral("镇宅安家符(室中死亡)")));
    QVERIFY(!Catalogue::pageOf(*house, QStringLiteral("镇宅安家符（室中死亡） ")));
    QVERIFY(Catalogue::pageOf(*house, QStringLiteral("镇风、光、怪法")));
    QVERIFY(!Catalogue::pageOf(*house, QStringLiteral("镇风光怪法")));
    QVERIFY(!Catalogue::pageOf(*house, QString()));
    // A name of another chapter is not found here.
    QVERIFY(!Catalogue::pageOf(*house, QStringLiteral("诸葛隐身法")));
}

void ContentTest::composeSection()
{
    using content::ComposeSection;
    QCOMPARE(
        ComposeSection(QStringLiteral("壮阳补肾秘字"), content::kLabelExplanation, {QStringLiteral("    治遗精。")}),
        QStringLiteral("壮阳补肾秘字[说明]：\r\n    治遗精。"));
    QCOMPARE(ComposeSection(QStringLiteral("甲"), content::kLabelUsage, {QStringLiteral("    一"), kBlank}),
             QStringLiteral("甲[用法]:\r\n    一\r\n    "));
    QCOMPARE(ComposeSection(QString(), content::kLabelUsage, {}), content::kLabelUsage);
    // Nothing is trimmed: trailing spaces of a paragraph stay.
    QCOMPARE(ComposeSection(QStringLiteral("乙"), content::kLabelIncantation, {QStringLiteral("    咒  ")}),
             QStringLiteral("乙[咒语]:\r\n    咒  "));

    const Catalogue &book = Catalogue::instance();
    const Page *page =
        Catalogue::pageOf(*book.chapterByShortTitle(QStringLiteral("祝由秘字")), QStringLiteral("壮阳补肾秘字"));
    QCOMPARE(ComposeSection(QStringLiteral("壮阳补肾秘字"), page->lower->label, page->lower->paragraphs),
             QStringLiteral("壮阳补肾秘字[用法]：\r\n    莲子灯心下。"));
    QCOMPARE(content::pictureDigits(7), QStringLiteral("007"));
    QCOMPARE(content::pictureDigits(112), QStringLiteral("112"));
}

void ContentTest::pageForms_matchTheirSections()
{
    // The form each page stores is the one its sections show.
    for (const Page *page : Catalogue::instance().distinctPages()) {
        const QString lower = page->lower ? page->lower->label : QString();
        switch (page->form) {
        case content::PageForm::U:
            QCOMPARE(page->upper.label + lower, content::kLabelUsage);
            QVERIFY(!page->lower);
            break;
        case content::PageForm::E:
            QCOMPARE(page->upper.label + lower, content::kLabelUsage + content::kLabelCommentary);
            break;
        case content::PageForm::I:
            QCOMPARE(page->upper.label + lower, content::kLabelUsage + content::kLabelIncantation);
            break;
        case content::PageForm::N:
            QCOMPARE(page->upper.label + lower, content::kLabelExplanation + content::kLabelSecretUsage);
            break;
        default:
            QFAIL("a page form outside U, E, I and N");
        }
    }
}

void ContentTest::tableOfContents_articles()
{
    const content::TableOfContents &contents = content::TableOfContents::instance();
    QCOMPARE(int(contents.articles().size()), 2);
    const content::Article &first = contents.articles().at(0), &second = contents.articles().at(1);
    QCOMPARE(first.name + first.catalogueLabel + QString::number(first.shift), "符咒心得Label292");
    QCOMPARE(second.name + second.catalogueLabel + QString::number(second.shift), "祝由须知Label333");
    QCOMPARE(contents.articleByName("祝由须知"), &second);
    QVERIFY(!contents.articleByName("祝由须知 "));
    QVERIFY(!contents.articleByName(QString()));
}

void ContentTest::tableOfContents_bookMenu()
{
    // Every chapter once, with the two separators in their places.
    QStringList items;
    for (const content::BookMenuItem &item : content::TableOfContents::instance().bookMenu()) {
        QVERIFY(item.chapter || !item.separatorName.isEmpty());
        items << (item.chapter ? item.chapter->menuItem : "-" + item.separatorName);
    }
    QCOMPARE(items.join(' '),
             "祝由秘字 奇门符咒 -xian6 镇宅兴家 夜行护身 日常琐事 治病驱魔 -xian8 驱煞转运 问世通灵 修身养性 隐身飞升");
}

void ContentTest::tableOfContents_catalogueGrid()
{
    // Twelve titles: every chapter once by its menu item and label, every article once by its name.
    QStringList titles;
    QSet<const Chapter *> chapters;
    int articles = 0;
    for (const content::CatalogueTitle &title : content::TableOfContents::instance().catalogueGrid()) {
        QVERIFY2(bool(title.chapter) != bool(title.article), qPrintable(title.caption));
        if (title.chapter) {
            chapters.insert(title.chapter);
            QCOMPARE(title.label, title.chapter->catalogueLabel);
            QCOMPARE(title.caption, title.chapter->menuItem);
        } else {
            ++articles;
            QCOMPARE(title.label, title.article->catalogueLabel);
            QCOMPARE(title.caption, title.article->name);
        }
        QVERIFY(title.designWidth > 0 && title.designHeight > 0);
        titles << title.label + "=" + title.caption;
    }
    QCOMPARE(int(chapters.size()), 10);
    QCOMPARE(articles, 2);
    QCOMPARE(titles.join(' '), "Label16=奇门符咒 Label29=符咒心得 Label33=祝由须知 Label22=日常琐事 Label30=祝由秘字 "
                               "Label21=驱煞转运 Label23=治病驱魔 Label24=问世通灵 Label19=夜行护身 Label25=修身养性 "
                               "Label18=镇宅兴家 Label17=隐身飞升");
}

QTEST_GUILESS_MAIN(ContentTest)
#include "content_test.moc"
