// The book in traditional characters: OpenCC's character-by-character conversion with the book's
// own reviewed corrections, for every name, heading and section; the simplified form gives back
// every text exactly; a page costs well under a millisecond; missing data files are reported.

#include "common/TextForm.h"
#include "content/Catalogue.h"
#include "content/TableOfContents.h"
#include "sanitizer_slowdown.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace textform;

namespace {

// Every text of the book a window shows: the chapters' titles and captions, the entry names,
// the headings and every page's two sections as the panes show them, the 奇门遁甲 views, the
// articles' names.
QStringList bookTexts()
{
    const content::Catalogue &book = content::Catalogue::instance();
    QStringList texts;
    for (const content::Chapter &chapter : book.chapters()) {
        texts << chapter.shortTitle << chapter.categoryCaption << chapter.menuItem << chapter.catalogueLabel;
        for (const content::Entry &entry : chapter.entries)
            texts << entry.name;
    }
    for (const content::Page *page : book.distinctPages()) {
        texts << page->headingTitle;
        texts << content::ComposeSection(page->headingTitle, page->upper.label, page->upper.paragraphs);
        if (page->lower)
            texts << content::ComposeSection(page->headingTitle, page->lower->label, page->lower->paragraphs);
    }
    std::vector<content::QimenView> views{book.zhenRenBuDou(), book.yuNvFanBiOverview()};
    views.insert(views.end(), book.figureViews().begin(), book.figureViews().end());
    for (const content::QimenView &view : views)
        texts << view.headingTitle << view.upper.join(QStringLiteral("\r\n"))
              << view.lower.join(QStringLiteral("\r\n"));
    for (const content::Article &article : content::TableOfContents::instance().articles())
        texts << article.name << article.catalogueLabel;
    texts.removeAll(QString());
    return texts;
}

std::unique_ptr<Converter> loaded(Form form)
{
    QString error;
    std::unique_ptr<Converter> converter = Converter::load(form, &error);
    if (!converter)
        qWarning("%s", qPrintable(error));
    return converter;
}

} // namespace

class TextFormTest : public QObject
{
    Q_OBJECT

  private slots:
    void cleanup() { uninstall(); }
    void phrases_data();
    void phrases();
    void corrections_applyToTheBook_data();
    void corrections_applyToTheBook();
    void everyText_convertedByTheTable_andKeepsItsLength_data();
    void everyText_convertedByTheTable_andKeepsItsLength();
    void simplified_givesBackEveryTextExactly();
    void page_convertedWellUnderAMillisecond();
    void missingData_reportedNeverLoaded();
};

void TextFormTest::phrases_data()
{
    QTest::addColumn<Form>("form");
    QTest::addColumn<QString>("simplified");
    QTest::addColumn<QString>("traditional");
    QTest::newRow("chapter") << Form::Taiwan << "镇宅兴家"
                             << "鎮宅興家";
    QTest::newRow("caption") << Form::Taiwan << "灵箓汇编-奇门遁甲"
                             << "靈籙彙編-奇門遁甲";
    QTest::newRow("entry") << Form::Taiwan << "玉女反闭诀"
                           << "玉女反閉訣";
    QTest::newRow("the Dipper's pace") << Form::Taiwan << "真人步斗法"
                                       << "真人步斗法";
    QTest::newRow("day chart") << Form::Taiwan << "子丑日"
                               << "子丑日";
    QTest::newRow("command stays 敕") << Form::Taiwan << "吾奉太上老君敕令"
                                      << "吾奉太上老君敕令";
    QTest::newRow("closing words") << Form::Taiwan << "急急如律令"
                                   << "急急如律令";
    QTest::newRow("recite 念, not 唸") << Form::Taiwan << "默念咒语"
                                       << "默念咒語";
    // No modern vocabulary: the character-by-character configuration, not the phrase one.
    QTest::newRow("no modern words") << Form::Taiwan << "先查看当日，万象循环运行"
                                     << "先查看當日，萬象循環運行";
    QTest::newRow("Hong Kong forms") << Form::HongKong << "卧房床头说"
                                     << "卧房牀頭説";
    QTest::newRow("Hong Kong 念") << Form::HongKong << "念咒"
                                  << "念咒";
}

void TextFormTest::phrases()
{
    QFETCH(Form, form);
    QFETCH(QString, simplified);
    QFETCH(QString, traditional);
    const std::unique_ptr<Converter> converter = loaded(form);
    QVERIFY(converter);
    QCOMPARE(converter->convert(simplified), traditional);
}

void TextFormTest::corrections_applyToTheBook_data()
{
    QTest::addColumn<Form>("form");
    QTest::addColumn<int>("row");
    for (const auto &[form, name] : {std::pair{Form::Taiwan, "臺灣"}, std::pair{Form::HongKong, "香港"}})
        for (int row = 0; row < int(corrections().size()); ++row)
            QTest::addRow("%s %s", name, qPrintable(corrections().at(row).example)) << form << row;
}

void TextFormTest::corrections_applyToTheBook()
{
    QFETCH(Form, form);
    QFETCH(int, row);
    const Correction &correction = corrections().at(row);
    QCOMPARE(correction.converted.size(), correction.corrected.size());
    // The phrase is the book's own, and the correction is what shows it right.
    const QStringList book = bookTexts();
    QVERIFY2(
        std::any_of(book.begin(), book.end(), [&](const QString &text) { return text.contains(correction.example); }),
        qPrintable(correction.example));
    const std::unique_ptr<Converter> converter = loaded(form);
    QVERIFY(converter);
    const QString shown = converter->convert(correction.example);
    QVERIFY2(shown.contains(correction.corrected), qPrintable(shown));
    QVERIFY2(!shown.contains(correction.converted), qPrintable(shown));
}

void TextFormTest::everyText_convertedByTheTable_andKeepsItsLength_data()
{
    QTest::addColumn<Form>("form");
    QTest::newRow("臺灣") << Form::Taiwan;
    QTest::newRow("香港") << Form::HongKong;
}

void TextFormTest::everyText_convertedByTheTable_andKeepsItsLength()
{
    QFETCH(Form, form);
    const std::unique_ptr<Converter> converter = loaded(form);
    QVERIFY(converter);
    const QStringList texts = bookTexts();
    QVERIFY(texts.size() > 500);
    int changed = 0;
    for (const QString &text : texts) {
        const QString shown = converter->convert(text);
        // As long as the text, character for character: search positions and highlights stay.
        QCOMPARE(shown.size(), text.size());
        changed += shown != text;
        for (const Correction &correction : corrections())
            QVERIFY2(!shown.contains(correction.converted), qPrintable(text.left(40)));
        QCOMPARE(shown.count(u'敕'), text.count(u'敕'));
        QCOMPARE(shown.count(u'念'), text.count(u'念'));
        // The closing words of every incantation read as written.
        QCOMPARE(shown.count(QStringLiteral("急急如律令")), text.count(QStringLiteral("急急如律令")));
    }
    QVERIFY(changed > texts.size() / 2);
}

void TextFormTest::simplified_givesBackEveryTextExactly()
{
    const QStringList texts = bookTexts();
    install(loaded(Form::Taiwan));
    QCOMPARE(current(), Form::Taiwan);
    QVERIFY(shown(QStringLiteral("灵箓汇编")) != QStringLiteral("灵箓汇编"));
    uninstall();
    QCOMPARE(current(), Form::Simplified);
    for (const QString &text : texts) {
        const QString back = shown(text);
        QCOMPARE(back.toUtf8(), text.toUtf8());
    }
    QCOMPARE(formFromName(formName(Form::HongKong)), Form::HongKong);
    QCOMPARE(formFromName(formName(Form::Taiwan)), Form::Taiwan);
    QCOMPARE(formFromName(QStringLiteral("off")), Form::Simplified);
    QCOMPARE(formFromName(QStringLiteral("火星文")), Form::Simplified);
}

void TextFormTest::page_convertedWellUnderAMillisecond()
{
    QElapsedTimer loading;
    loading.start();
    const std::unique_ptr<Converter> converter = loaded(Form::Taiwan);
    const qint64 loadNs = loading.nsecsElapsed();
    QVERIFY(converter);
    // The longest page: its two sections, as the panes show them.
    QString longest;
    for (const content::Page *page : content::Catalogue::instance().distinctPages()) {
        QString text = content::ComposeSection(page->headingTitle, page->upper.label, page->upper.paragraphs);
        if (page->lower)
            text += content::ComposeSection(page->headingTitle, page->lower->label, page->lower->paragraphs);
        if (text.size() > longest.size())
            longest = text;
    }
    std::vector<qint64> times;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer clock;
        clock.start();
        const QString shown = converter->convert(longest);
        times.push_back(clock.nsecsElapsed());
        QCOMPARE(shown.size(), longest.size());
    }
    std::sort(times.begin(), times.end());
    const qint64 median = times[times.size() / 2];
    qInfo("loading 臺灣: %.1f ms; the longest page (%d characters): median %.3f ms", loadNs / 1e6, int(longest.size()),
          median / 1e6);
    // Well under a millisecond on a quiet machine (a median page ~0.1 ms, the longest ~0.5 ms); the
    // bound leaves room for a machine busy with other work, and for a sanitizer build's slowdown.
    QVERIFY2(median < 3'000'000 * kSanitizerSlowdown, "a page converts in a fraction of a millisecond");
}

void TextFormTest::missingData_reportedNeverLoaded()
{
    QTemporaryDir empty;
    qputenv("LINGLU_OPENCC_DATA", QFile::encodeName(empty.path()));
    const QString reason = unavailableReason();
    QString error;
    const std::unique_ptr<Converter> converter = Converter::load(Form::Taiwan, &error);
    qunsetenv("LINGLU_OPENCC_DATA");
    QVERIFY(!reason.isEmpty());
    QVERIFY(reason.contains("libopencc-data"));
    QVERIFY(!converter);
    QCOMPARE(error, reason);
    QVERIFY(unavailableReason().isEmpty());
    QCOMPARE(shown(QStringLiteral("灵箓汇编")), QStringLiteral("灵箓汇编"));
}

QTEST_GUILESS_MAIN(TextFormTest)
#include "text_form_test.moc"
