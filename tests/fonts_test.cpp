// The faces the windows ask for: on a machine set up by scripts/setup each resolves to its chosen
// stand-in, every stand-in has every character of the book (an older face lacks 箓), and text that
// names a Windows face itself gets the same stand-in.
#include "common/Fonts.h"
#include "content/Catalogue.h"

#include <QFontInfo>
#include <QRawFont>
#include <QSet>
#include <QTest>

#include <algorithm>

class FontsTest : public QObject
{
    Q_OBJECT

  private slots:
    void standIn_data();
    void standIn();
    void standIn_hasEveryCharacterOfTheBook_data() { standIn_data(); }
    void standIn_hasEveryCharacterOfTheBook();
    void namedFace_getsTheStandIn_data();
    void namedFace_getsTheStandIn();
};

namespace {

// Every character the book's windows show: titles, list entries, headings, pane texts.
QString bookCharacters()
{
    QSet<QChar> seen;
    QString all;
    auto add = [&](const QString &text) {
        for (QChar c : text)
            if (!c.isSpace() && !seen.contains(c)) {
                seen.insert(c);
                all += c;
            }
    };
    auto addSection = [&](const content::Section &section) {
        add(section.label);
        for (const QString &paragraph : section.paragraphs)
            add(paragraph);
    };
    const content::Catalogue &book = content::Catalogue::instance();
    for (const content::Chapter &chapter : book.chapters()) {
        add(chapter.shortTitle);
        add(chapter.categoryCaption);
        add(chapter.menuItem);
        for (const content::Entry &entry : chapter.entries)
            add(entry.name);
    }
    for (const content::Page *page : book.distinctPages()) {
        add(page->headingTitle);
        addSection(page->upper);
        if (page->lower)
            addSection(*page->lower);
    }
    std::vector<content::QimenView> views = book.figureViews();
    views.push_back(book.zhenRenBuDou());
    views.push_back(book.yuNvFanBiOverview());
    for (const content::QimenView &view : views) {
        add(view.headingTitle);
        for (const QString &line : view.upper + view.lower)
            add(line);
    }
    add(QStringLiteral("灵箓汇编符咒心得祝由须知版本确定系统信息"));
    return all;
}

} // namespace

void FontsTest::standIn_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("family");
    QTest::newRow("隶书: LXGW WenKai") << fonts::liShu(21.75) << "LXGW WenKai";
    QTest::newRow("楷体_GB2312: LXGW WenKai") << fonts::kaiTi(15) << "LXGW WenKai";
    QTest::newRow("宋体: Noto Serif CJK SC") << fonts::songTi(12) << "Noto Serif CJK SC";
    QTest::newRow("仿宋_GB2312: Noto Serif CJK SC") << fonts::fangSong(15.75) << "Noto Serif CJK SC";
}

void FontsTest::standIn()
{
    QFETCH(QFont, font);
    QFETCH(QString, family);
    QCOMPARE(QFontInfo(font).family(), family);
    QCOMPARE(font.weight(), QFont::Normal);
}

void FontsTest::standIn_hasEveryCharacterOfTheBook()
{
    QFETCH(QFont, font);
    const QRawFont raw = QRawFont::fromFont(font);
    QVERIFY(raw.isValid());
    QString missing;
    for (QChar c : bookCharacters())
        if (!raw.supportsCharacter(c))
            missing += c;
    QVERIFY2(missing.isEmpty(), qPrintable(raw.familyName() + QStringLiteral(" lacks ") + missing));
}

void FontsTest::namedFace_getsTheStandIn_data()
{
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("family");
    QTest::newRow("宋体") << "宋体"
                          << "Noto Serif CJK SC";
    QTest::newRow("SimSun") << "SimSun"
                            << "Noto Serif CJK SC";
    QTest::newRow("楷体_GB2312") << "楷体_GB2312"
                                 << "LXGW WenKai";
    QTest::newRow("隶书") << "隶书"
                          << "LXGW WenKai";
    QTest::newRow("仿宋_GB2312") << "仿宋_GB2312"
                                 << "Noto Serif CJK SC";
}

void FontsTest::namedFace_getsTheStandIn()
{
    QFETCH(QString, named);
    QFETCH(QString, family);
    fonts::installSubstitutes();
    fonts::installSubstitutes(); // twice changes nothing
    QCOMPARE(QFontInfo(QFont(named, 11)).family(), family);
    const QStringList substitutes = QFont::substitutes(named);
    QCOMPARE(std::count_if(substitutes.begin(), substitutes.end(),
                           [&](const QString &s) { return s.compare(family, Qt::CaseInsensitive) == 0; }),
             1);
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
