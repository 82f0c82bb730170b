// The page address: every page of the book has one, its text form names it by the book's own
// names and reads back as the same page; texts the book does not hold give no address.
#include "content/Catalogue.h"
#include "content/PageAddress.h"
#include "content/TableOfContents.h"

#include <QSet>
#include <QTest>

using content::PageAddress;

class PageAddressTest : public QObject
{
    Q_OBJECT

  private slots:
    void everyPage_roundTripsThroughItsText();
    void textForm_data();
    void textForm();
    void unknownText_givesNoAddress_data();
    void unknownText_givesNoAddress();
};

void PageAddressTest::everyPage_roundTripsThroughItsText()
{
    QList<PageAddress> pages;
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters())
        for (const content::Entry &entry : chapter.entries)
            pages.append(PageAddress::entry(chapter.shortTitle, entry.name));
    QCOMPARE(pages.size(), 243);
    for (int day = 0; day < 6; ++day)
        pages.append(PageAddress::dayChart(day));
    for (int figure = 0; figure < 5; ++figure)
        pages.append(PageAddress::figure(figure));
    for (const content::Article &article : content::TableOfContents::instance().articles()) {
        pages.append(PageAddress::article(article.name));
        pages.append(PageAddress::article(article.name, "三、符的结构 / #2"));
    }

    QSet<QString> texts;
    for (const PageAddress &page : pages) {
        QVERIFY2(page.isValid(), qPrintable(page.toText()));
        const std::optional<PageAddress> back = PageAddress::fromText(page.toText());
        QVERIFY2(back && *back == page, qPrintable(page.toText()));
        QVERIFY(!page.title().isEmpty());
        texts.insert(page.toText());
    }
    // Two chapters share four pages, but each chapter's entry has its own address.
    QCOMPARE(texts.size(), pages.size());
}

void PageAddressTest::textForm_data()
{
    QTest::addColumn<PageAddress>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("entry") << PageAddress::entry("日常琐事", "镇刑克法") << "日常琐事/镇刑克法"
                           << "镇刑克法";
    QTest::newRow("parentheses") << PageAddress::entry("驱煞转运", "命宫关煞灵符（女）")
                                 << "驱煞转运/命宫关煞灵符（女）"
                                 << "命宫关煞灵符（女）";
    QTest::newRow("overview") << PageAddress::overview() << "奇门遁甲/玉女反闭诀"
                              << "玉女反闭诀";
    QTest::newRow("day chart") << PageAddress::dayChart(0) << "奇门遁甲/玉女反闭诀#子丑日"
                               << "每日布局速成图（子丑日）";
    QTest::newRow("figure") << PageAddress::figure(4) << "奇门遁甲/玉女反闭诀#四纵五横"
                            << "四纵五横";
    QTest::newRow("article") << PageAddress::article("祝由须知") << "祝由须知"
                             << "祝由须知";
    QTest::newRow("section") << PageAddress::article("符咒心得", "三、符的结构") << "符咒心得#三、符的结构"
                             << "三、符的结构";
}

void PageAddressTest::textForm()
{
    QFETCH(PageAddress, page);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QCOMPARE(page.toText(), text);
    QCOMPARE(page.title(), title);
    QCOMPARE(PageAddress::fromText(text), std::optional<PageAddress>(page));
}

void PageAddressTest::unknownText_givesNoAddress_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text :
         {"", "/", "#", "日常琐事", "日常琐事/", "/镇刑克法", "日常琐事/镇刑克", "日常琐事/镇刑克法 ",
          "日常琐事/镇刑克法/", "治病驱魔/镇刑克法", "日常琐事/镇刑克法#子丑日", "奇门遁甲/真人步斗法#子丑日",
          "奇门遁甲/玉女反闭诀#", "奇门遁甲/玉女反闭诀#丑日", "奇门遁甲#子丑日", "符咒心得#", "符咒/心得",
          "灵箓汇编-日常琐事", "日常琐事/1"})
        QTest::newRow(text) << QString(text);
}

void PageAddressTest::unknownText_givesNoAddress()
{
    QFETCH(QString, text);
    QCOMPARE(PageAddress::fromText(text), std::nullopt);
}

QTEST_APPLESS_MAIN(PageAddressTest)
#include "page_address_test.moc"
