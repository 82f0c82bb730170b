// Finding words in the book without a window: what matches (substrings, several words, traditional
// characters, pinyin, punctuation forms), where the first hit is, the order of the groups, and the
// articles, read through a stand-in reader.
#include "content/Catalogue.h"
#include "search/Folding.h"
#include "search/PinyinName.h"
#include "search/SearchIndex.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using search::Pane;

Q_DECLARE_METATYPE(search::Pane)

namespace {

const QString kArticlePage =
    QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                   "<title>符咒心得</title></head><body><h1>符咒心得</h1>"
                   "<p>画符之前，先须净心；心不净则符不灵。</p><p>书符宜用朱砂，<br>亦可用墨。</p></body></html>");

std::vector<search::ArticleSource> articles()
{
    return {
        {QStringLiteral("符咒心得"), 2, [](QString *) { return std::optional<QString>(kArticlePage); }},
        {QStringLiteral("祝由须知"), 3,
         [](QString *error) {
             *error = QStringLiteral("文件未找到：/opt/linglu/god/祝由须知.god");
             return std::optional<QString>();
         }},
    };
}

const search::SearchIndex &book()
{
    static const search::SearchIndex index(content::Catalogue::instance(), articles());
    return index;
}

const search::Row *rowOf(const search::Results &results, const QString &group, const QString &title)
{
    for (const search::Group &g : results.groups)
        if (g.title == group)
            for (const search::Row &row : g.rows)
                if (row.title == title)
                    return &row;
    return nullptr;
}

// The list position of the entry a jump opens.
int entryIndex(const search::Jump &jump)
{
    const content::Chapter *chapter = content::Catalogue::instance().chapterByShortTitle(jump.page.chapter());
    return int(content::Catalogue::entryNames(*chapter).indexOf(jump.page.entryName()));
}

// The text a jump names, taken from the book as the panes show it.
QString shownText(const search::Jump &jump)
{
    const content::Catalogue &catalogue = content::Catalogue::instance();
    const content::Chapter *chapter = catalogue.chapterByShortTitle(jump.page.chapter());
    if (!chapter)
        return {};
    const content::Entry &entry = chapter->entries.at(std::size_t(entryIndex(jump)));
    if (jump.pane == Pane::Name)
        return entry.name;
    const content::Page *page = entry.page;
    if (!page)
        return {};
    const QString heading = page->headingTitle.isEmpty() ? entry.name : page->headingTitle;
    if (jump.pane == Pane::Upper)
        return content::ComposeSection(heading, page->upper.label, page->upper.paragraphs);
    return page->lower ? content::ComposeSection(heading, page->lower->label, page->lower->paragraphs) : QString();
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT

  private slots:
    void find_data();
    void find();
    void noMatch_data();
    void noMatch();
    void groups_inBookOrderArticlesLast();
    void rows_capped_countsKept();
    void jump_pointsAtTheShownCharacters();
    void qimenFigure_opensItsButton();
    void article_passagePositionInItsDocument();
    void article_missingOrDamaged_leftOutWithNotice();
    void folding_keepsOriginalPlaces();
    void pinyin_data();
    void pinyin();
};

void SearchTest::find_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Pane>("pane");
    QTest::addColumn<QString>("hit"); // the characters highlighted, as shown

    QTest::newRow("substring in a lower pane") << "撞客"
                                               << "夜行护身"
                                               << "压鬼怪祟人法" << Pane::Lower << "撞客";
    QTest::newRow("substring in a name") << "狐祟迷人"
                                         << "夜行护身"
                                         << "禳狐祟迷人灵符" << Pane::Upper << "狐祟迷人";
    QTest::newRow("in an incantation") << "狐踪永除"
                                       << "夜行护身"
                                       << "禳狐祟迷人灵符" << Pane::Lower << "狐踪永除";
    QTest::newRow("two words, hit shown is the first") << "井花水 狐"
                                                       << "夜行护身"
                                                       << "禳狐祟迷人灵符" << Pane::Upper << "狐";
    QTest::newRow("two words, other order") << "狐 井花水"
                                            << "夜行护身"
                                            << "禳狐祟迷人灵符" << Pane::Upper << "狐";
    QTest::newRow("words far apart in two panes") << "卯时 急急如律令"
                                                  << "夜行护身"
                                                  << "禳狐祟迷人灵符" << Pane::Upper << "卯时";
    QTest::newRow("traditional finds simplified") << "壓鬼怪"
                                                  << "夜行护身"
                                                  << "压鬼怪祟人法" << Pane::Upper << "压鬼怪";
    QTest::newRow("traditional 鎮宅") << "鎮宅安家"
                                      << "镇宅兴家"
                                      << "镇宅安家符（室中狐狸）" << Pane::Upper << "镇宅安家";
    QTest::newRow("traditional 護") << "夜行護身"
                                    << "夜行护身"
                                    << "夜行护身灵符" << Pane::Upper << "夜行护身";
    QTest::newRow("full pinyin") << "yaguiguai"
                                 << "夜行护身"
                                 << "压鬼怪祟人法" << Pane::Upper << "压鬼怪";
    QTest::newRow("full pinyin, upper case") << "ZhuGe"
                                             << "隐身飞升"
                                             << "诸葛隐身法" << Pane::Upper << "诸葛";
    QTest::newRow("initials") << "zgysf"
                              << "隐身飞升"
                              << "诸葛隐身法" << Pane::Upper << "诸葛隐身法";
    QTest::newRow("initials and syllables mixed") << "zhugeysf"
                                                  << "隐身飞升"
                                                  << "诸葛隐身法" << Pane::Upper << "诸葛隐身法";
    QTest::newRow("pinyin being typed") << "zhenzhaiwaizhux"
                                        << "镇宅兴家"
                                        << "镇宅外诸邪灵符" << Pane::Upper << "镇宅外诸邪";
    QTest::newRow("ü typed as v") << "nannv"
                                  << "问世通灵"
                                  << "男女移胎灵符" << Pane::Upper << "男女";
    QTest::newRow("ü typed as u") << "nannu"
                                  << "问世通灵"
                                  << "男女移胎灵符" << Pane::Upper << "男女";
    QTest::newRow("pinyin and characters") << "nannv 移胎"
                                           << "问世通灵"
                                           << "男女移胎灵符" << Pane::Upper << "男女";
    QTest::newRow("ASCII parentheses") << "(室中狐狸)"
                                       << "镇宅兴家"
                                       << "镇宅安家符（室中狐狸）" << Pane::Upper << "（室中狐狸）";
    QTest::newRow("full-width parentheses") << "（室中鬼祟）"
                                            << "镇宅兴家"
                                            << "镇宅安家符（室中鬼祟）" << Pane::Upper << "（室中鬼祟）";
    QTest::newRow("ASCII comma for 、") << "镇风,光,怪"
                                        << "镇宅兴家"
                                        << "镇风、光、怪法" << Pane::Upper << "镇风、光、怪";
    QTest::newRow("full-width letters") << "ＸＸＸ上玉女"
                                        << "奇门遁甲"
                                        << "玉女反闭诀" << Pane::Lower << "XXX上玉女";
    QTest::newRow("article passage") << "先须净心"
                                     << "符咒心得"
                                     << "符咒心得" << Pane::Article << "先须净心";
    QTest::newRow("article, ASCII punctuation")
        << "朱砂,亦可"
        << "符咒心得"
        << "符咒心得" << Pane::Article << QString("朱砂，") + QChar::LineSeparator + "亦可";
}

void SearchTest::find()
{
    QFETCH(QString, query);
    QFETCH(QString, group);
    QFETCH(QString, title);
    QFETCH(Pane, pane);
    QFETCH(QString, hit);

    const search::Results results = book().find(query);
    QVERIFY(results.total > 0);
    const search::Row *row = nullptr;
    if (group.isEmpty()) {
        row = &results.groups.front().rows.front();
    } else {
        row = rowOf(results, group, title);
        QVERIFY2(row, qPrintable(query));
    }
    QCOMPARE(row->jump.pane, pane);
    QCOMPARE(row->jump.text, hit);
    // The snippet is one line and shows the hit where it says.
    QVERIFY(!row->snippet.contains('\n') && !row->snippet.contains('\r'));
    QCOMPARE(search::foldWord(row->snippet.mid(row->snippetHitStart, row->snippetHitLength)), search::foldWord(hit));
}

void SearchTest::noMatch_data()
{
    QTest::addColumn<QString>("query");
    QTest::newRow("empty") << "";
    QTest::newRow("spaces only") << "   \t ";
    QTest::newRow("not in the book") << "量子计算";
    QTest::newRow("one word of two missing") << "撞客 量子";
    QTest::newRow("letters that are no name") << "qqqx";
    QTest::newRow("section labels are not searched") << "[解说]";
    QTest::newRow("no match across two paragraphs") << "吊问旧说";
}

void SearchTest::noMatch()
{
    QFETCH(QString, query);
    const search::Results results = book().find(query);
    QCOMPARE(results.total, 0);
    QVERIFY(results.groups.empty());
}

void SearchTest::groups_inBookOrderArticlesLast()
{
    const search::Results results = book().find("符", 10000);
    QStringList order;
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters())
        order.append(chapter.shortTitle);
    order << "符咒心得";
    QStringList seen;
    for (const search::Group &group : results.groups) {
        seen.append(group.title);
        QCOMPARE(group.count, int(group.rows.size()));
    }
    QCOMPARE(seen, order);

    // Within a chapter, entries come in list order.
    const search::Group &house = results.groups.at(2);
    for (std::size_t i = 1; i < house.rows.size(); ++i)
        QVERIFY(entryIndex(house.rows[i - 1].jump) < entryIndex(house.rows[i].jump));
}

void SearchTest::rows_capped_countsKept()
{
    const search::Results all = book().find("符", 10000);
    const search::Results capped = book().find("符", 50);
    QVERIFY(all.total > 200);
    QCOMPARE(capped.total, all.total);
    QCOMPARE(capped.listed, 50);
    int rows = 0;
    int counted = 0;
    for (const search::Group &group : capped.groups) {
        rows += int(group.rows.size());
        counted += group.count;
    }
    QCOMPARE(rows, 50);
    QCOMPARE(counted, all.total);
    QVERIFY(book().find("符").listed <= search::SearchIndex::kMaxRows);
}

void SearchTest::jump_pointsAtTheShownCharacters()
{
    // Every hit of a common character, in every page, names the characters the pane really holds.
    for (const QString query : {"法", "之", "咒", "（", "镇宅"}) {
        const search::Results results = book().find(query, 10000);
        for (const search::Group &group : results.groups) {
            for (const search::Row &row : group.rows) {
                if (row.jump.page.kind() != content::PageAddress::Kind::Entry || group.title == "奇门遁甲")
                    continue;
                QCOMPARE(shownText(row.jump).mid(row.jump.start, row.jump.length), row.jump.text);
                QCOMPARE(search::foldWord(row.jump.text), search::foldWord(query));
            }
        }
    }
}

void SearchTest::qimenFigure_opensItsButton()
{
    const search::Results figure = book().find("乙奇符式");
    const search::Row *row = rowOf(figure, "奇门遁甲", "玉女反闭诀·乙奇符式");
    QVERIFY(row);
    QCOMPARE(row->jump.page.toText(), QString("奇门遁甲/玉女反闭诀#乙奇符式"));
    QCOMPARE(row->jump.pane, Pane::Upper);
    QCOMPARE(row->jump.start, 0);

    const search::Results steps = book().find("yugang");
    const search::Row *step = rowOf(steps, "奇门遁甲", "玉女反闭诀·禹罡式");
    QVERIFY(step);
    QCOMPARE(step->jump.page, content::PageAddress::figure(3));
}

void SearchTest::article_passagePositionInItsDocument()
{
    const search::Results results = book().find("不灵");
    const search::Row *row = rowOf(results, "符咒心得", "符咒心得");
    QVERIFY(row);
    QCOMPARE(row->jump.page.articleName(), QString("符咒心得"));
    QTextDocument document;
    document.setHtml(kArticlePage);
    QTextCursor cursor(&document);
    cursor.setPosition(row->jump.start);
    cursor.setPosition(row->jump.start + row->jump.length, QTextCursor::KeepAnchor);
    QCOMPARE(cursor.selectedText(), QString("不灵"));
}

void SearchTest::article_missingOrDamaged_leftOutWithNotice()
{
    QCOMPARE(book().notices().size(), 1);
    QVERIFY(book().notices().front().contains("祝由须知"));
    QVERIFY(book().notices().front().contains("文件未找到"));

    // Bytes that decode to no page at all, and an empty page.
    const search::SearchIndex damaged(
        content::Catalogue::instance(),
        {{"符咒心得", 2, [](QString *) { return std::optional<QString>("\x01\x7f 先须净心"); }},
         {"祝由须知", 3, [](QString *) { return std::optional<QString>(QString()); }}});
    QCOMPARE(damaged.notices().size(), 1);
    QVERIFY(damaged.notices().front().contains("符咒心得"));
    QCOMPARE(damaged.find("先须净心").total, 0);
    QVERIFY(damaged.find("撞客").total > 0);
}

void SearchTest::folding_keepsOriginalPlaces()
{
    search::FoldedText folded;
    folded.append(QString("    （鎮）Ａb。") + QChar(0x3000) + "𠀀", 1, 10);
    QCOMPARE(folded.text, QString("(镇)ab.") + QString::fromUcs4(U"𠀀", 1));
    QCOMPARE(int(folded.origins.size()), int(folded.text.size()));
    QCOMPARE(folded.origins[0].start, 14); // after the indent
    QCOMPARE(folded.origins[1].start, 15);
    QCOMPARE(folded.origins[1].end, 16);
    QCOMPARE(folded.origins[7].start, 21); // the ideographic space is skipped
    QCOMPARE(folded.origins[7].end, 23);   // a character outside the BMP is two units wide
    QCOMPARE(folded.origins[7].text, std::uint8_t(1));
    QCOMPARE(search::queryWords("  鎮宅   ZZXJ 鎮宅 "), QStringList({"镇宅", "zzxj"}));
    QCOMPARE(search::simplifiedOf(U'驅'), U'驱');
    QCOMPARE(search::simplifiedOf(U'乾'), U'乾'); // a simplified character of its own stays
}

void SearchTest::pinyin_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::newRow("whole syllables") << "镇宅兴家"
                                     << "zhenzhai" << 0 << 2;
    QTest::newRow("initials") << "镇宅兴家"
                              << "zzxj" << 0 << 4;
    QTest::newRow("inside the name") << "镇宅兴家"
                                     << "xingjia" << 2 << 2;
    QTest::newRow("unfinished last syllable") << "镇宅兴家"
                                              << "zhenzh" << 0 << 2;
    QTest::newRow("second reading of 行") << "夜行护身"
                                          << "yehang" << 0 << 2;
    QTest::newRow("not consecutive") << "镇宅兴家"
                                     << "zhenxing" << -1 << 0;
    QTest::newRow("wrong syllable") << "镇宅兴家"
                                    << "zhanzhai" << -1 << 0;
    QTest::newRow("not pinyin") << "镇宅兴家"
                                << "zh1" << -1 << 0;
    QTest::newRow("long word, many readings") << "镇宅兴家" << QString(60, 'z') << -1 << 0;
}

void SearchTest::pinyin()
{
    QFETCH(QString, name);
    QFETCH(QString, word);
    QFETCH(int, start);
    QFETCH(int, length);
    const search::PinyinName pinyin(name);
    const search::PinyinName::Match match = pinyin.find(word);
    QCOMPARE(match.start, start);
    if (start >= 0)
        QCOMPARE(match.length, length);
}

QTEST_MAIN(SearchTest)
#include "search_test.moc"
