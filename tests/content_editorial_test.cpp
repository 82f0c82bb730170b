// The book's texts as an editor holds them, read through the catalogue the viewer and the search
// read: no page tells the reader to take something by mouth without saying on the same page that
// it must not be done; every page about illness, birth, infants, wounds or the mind sends the
// reader to a doctor (a page about urgent signs before anything else); no wording frame runs
// through the usages; every text can be written in GBK and quotes in one style; an incantation
// talisman's picture calls on the power its incantation calls on.
#include "content/Catalogue.h"
#include "tools/picgen/Pictures.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <algorithm>

using content::Catalogue;
using content::Chapter;
using content::Page;

namespace {

struct PageText {
    QString chapter;
    QString name;
    const Page *page;
};

// Every distinct page once, under the chapter and name that list it first.
QList<PageText> distinctPages()
{
    QList<PageText> pages;
    QSet<const Page *> seen;
    for (const Chapter &chapter : Catalogue::instance().chapters()) {
        for (const content::Entry &entry : chapter.entries) {
            if (entry.page && !seen.contains(entry.page)) {
                seen.insert(entry.page);
                pages.append({chapter.shortTitle, entry.name, entry.page});
            }
        }
    }
    return pages;
}

QString joined(const QStringList &paragraphs)
{
    QStringList texts;
    for (const QString &paragraph : paragraphs)
        if (!paragraph.trimmed().isEmpty())
            texts.append(paragraph.trimmed());
    return texts.join(QLatin1Char('\n'));
}

// The page as the reader meets it: the upper pane, then the lower.
QString pageText(const Page &page)
{
    return joined(page.upper.paragraphs + (page.lower ? page.lower->paragraphs : QStringList()));
}

// The sections that tell the reader what to do: "[用法]:" above, or "[用法]：" below on the
// secret-character pages.
QString usageOf(const Page &page)
{
    if (page.upper.label == content::kLabelUsage)
        return joined(page.upper.paragraphs);
    return page.lower && page.lower->label == content::kLabelSecretUsage ? joined(page.lower->paragraphs) : QString();
}

// Something taken by mouth: drunk, swallowed, taken with a decoction, ash fed to an animal or
// rinsed round the mouth.
const QRegularExpression
    kIngestion(QStringLiteral("饮下|饮之|饮尽|同饮|先饮|缓饮|服下|(?<!孝)服之|冲服|送服|调服|吞下|吞服|咽下|饮一口|"
                              "喂之|令[^。；，]{0,8}饮|(?:灰|符)[^。；]{0,10}(?:喂|拌入|漱口)"));
// The warning that goes with it: the old way (旧) told as such, said not to be done (不可), mercury
// (汞) named, and the article that explains it named.
const QStringList kWarning = {QStringLiteral("旧"), QStringLiteral("不可"), QStringLiteral("汞"),
                              QStringLiteral("《祝由须知》")};

// Sending for a doctor, a children's doctor or a vet.
const QRegularExpression
    kPointer(QStringLiteral("(?:就|求|延|请|寻|送|找|看)(?:医|大夫|郎中|兽医|儿医|医生)|诊治|医院|急救"));
const QRegularExpression kUrgent(QStringLiteral("立即|即刻|立刻|火速|急|速|先|当下"));
// What the page does with the talisman; a red-flag page points to a doctor before any of it.
const QRegularExpression kTalisman(QStringLiteral("符|书|秘字|咒"));

} // namespace

class ContentEditorialTest : public QObject
{
    Q_OBJECT

  private slots:
    void ingestion_isHistoryWithTheWarning();
    void healingPages_pointToADoctor_data();
    void healingPages_pointToADoctor();
    void doctorLines_areEachPagesOwn();
    void usages_repeatNoFrame();
    void texts_areGbkWithOneQuotationStyle();
    void incantationTalismans_callOnTheirIncantationsPower();
};

void ContentEditorialTest::ingestion_isHistoryWithTheWarning()
{
    QStringList unwarned;
    int ingestion = 0;
    for (const PageText &item : distinctPages()) {
        const QString text = pageText(*item.page);
        if (!kIngestion.match(text).hasMatch())
            continue;
        ++ingestion;
        if (!std::all_of(kWarning.cbegin(), kWarning.cend(), [&](const QString &word) { return text.contains(word); }))
            unwarned.append(item.chapter + QLatin1Char('/') + item.name);
    }
    QVERIFY2(unwarned.isEmpty(), qPrintable(QStringLiteral("%1 of %2 pages that give something by mouth lack the "
                                                           "warning: %3")
                                                .arg(unwarned.size())
                                                .arg(ingestion)
                                                .arg(unwarned.join(QStringLiteral(", ")))));
}

void ContentEditorialTest::healingPages_pointToADoctor_data()
{
    QTest::addColumn<QString>("chapter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("urgent"); // unconsciousness, poisoning, labour, high fever, convulsions, bleeding

    // 壮阳补肾秘字 keeps the two lines the book was first written with, word for word.
    const struct {
        const char *chapter;
        const char *names;
        const char *urgent;
    } groups[] = {
        {"祝由秘字",
         "数术功治病 治病总符 提高免疫力秘字 治呼吸系统病秘字 治三焦火胜秘字 治皮肤病秘字 治精神疾病秘字 "
         "治外感风寒秘字 治脑风痧气等秘字 治各种疼痛秘字 治耳目鼻喉舌牙秘字 治耳目鼻喉舌牙再秘字 "
         "治耳目鼻喉舌牙又秘字 治消化系统病秘字 治消化系统病再秘字 治消化系统病又秘字 治咬伤及外伤又秘字 "
         "治疮痈肿毒秘字 治疮痈肿毒再秘字 治疮痈肿毒又秘字",
         "治传染病秘字 治邪病秘字 治小儿杂症秘字 治咬伤及外伤秘字 治妇产科疾病秘字 治妇产科疾病又秘字"},
        {"治病驱魔",
         "压耗疾疫病连绵法 镇不生子嗣灵符 防堕胎难产灵符 镇狡兔食蚕腹肿夫妇不利法 镇小儿夜啼灵符 防小儿夜啼灵符 "
         "防小儿遗尿灵符 防小儿天花灵符 防疟疾缠染灵符 防时疫流行灵符 镇脓血鬼灵符 除面上黑气灵符 "
         "压疾病口舌法 令人睡眠灵符 镇梦寐惊人之鬼法 镇梦惊人无损法 禳狐精交媾灵符 防诸邪鬼缠灵符",
         "立刻催生灵符 除小儿睡魔灵符 除兽鱼骨梗 除食物百毒灵符 除三阴疟疾 镇寒热鬼灵符 除酒后眩晕灵符 "
         "镇惊恐之鬼法"},
        {"夜行护身", "禳狐祟迷人灵符 防恶犬吠啮灵符", "压鬼怪祟人法 禳鬼祟迷人灵符"},
        {"日常琐事",
         "压恶鬼为害法 防蛇咬蝎咬灵符 除小儿食乳灵符 镇邪心邪念灵符 镇六畜多病灵符 禳牛马死亡灵符 禳猪羊瘟疫灵符", ""},
        {"镇宅兴家", "镇官司、疫病法 压疾病盗贼虚耗法 镇猪日食午怪法 压不祥牛畜生产之鬼法 镇六畜不旺法",
         "压产妇胎坚之鬼法"},
        {"问世通灵", "男女移胎灵符", ""},
        {"修身养性", "镇疫气百杂之鬼法 镇子女夭折法 压肚腹饮食不下法 压疾病沉重并延福寿命法", ""},
    };
    for (const auto &group : groups) {
        for (const bool urgent : {false, true}) {
            const QString names = QString::fromUtf8(urgent ? group.urgent : group.names);
            for (const QString &name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QTest::newRow(qPrintable(name)) << QString::fromUtf8(group.chapter) << name << urgent;
        }
    }
}

void ContentEditorialTest::healingPages_pointToADoctor()
{
    QFETCH(QString, chapter);
    QFETCH(QString, name);
    QFETCH(bool, urgent);
    const Chapter *home = Catalogue::instance().chapterByShortTitle(chapter);
    QVERIFY(home);
    const Page *page = Catalogue::pageOf(*home, name);
    QVERIFY(page);
    const QString text = pageText(*page);
    const QRegularExpressionMatch pointer = kPointer.match(text);
    QVERIFY2(pointer.hasMatch(), "no word of a doctor on the page");
    if (urgent) {
        // Before anything else: in the page's first sentence, ahead of any word of the talisman.
        const qsizetype firstStop = text.indexOf(QChar(0x3002));
        QVERIFY2(firstStop < 0 || pointer.capturedStart() < firstStop, "the doctor is not in the first sentence");
        const QString before = text.left(pointer.capturedStart());
        QVERIFY2(!kTalisman.match(before).hasMatch(),
                 qPrintable(QStringLiteral("the talisman comes first: ") + before));
        QVERIFY2(kUrgent.match(text.left(firstStop)).hasMatch(), "the first sentence does not say at once");
    }
}

void ContentEditorialTest::doctorLines_areEachPagesOwn()
{
    // A line sending for a doctor is written for its page, not pasted from page to page.
    QHash<QString, int> pagesOf;
    for (const PageText &item : distinctPages()) {
        QSet<QString> lines;
        for (const QString &sentence :
             pageText(*item.page).split(QRegularExpression(QStringLiteral("[。；\n]")), Qt::SkipEmptyParts))
            if (kPointer.match(sentence).hasMatch())
                lines.insert(sentence);
        for (const QString &line : std::as_const(lines))
            ++pagesOf[line];
    }
    QStringList pasted;
    for (auto it = pagesOf.cbegin(); it != pagesOf.cend(); ++it)
        if (it.value() > 2)
            pasted.append(QStringLiteral("%1 (%2 pages)").arg(it.key()).arg(it.value()));
    QVERIFY2(pasted.isEmpty(), qPrintable(pasted.join(QStringLiteral("; "))));
}

void ContentEditorialTest::usages_repeatNoFrame()
{
    // Eight characters in a row shared by many usages are a frame the reader hears page after page.
    // Runs inside an entry name are the page's subject, not a frame.
    QSet<QString> names;
    for (const Chapter &chapter : Catalogue::instance().chapters())
        for (const QString &name : Catalogue::entryNames(chapter))
            names.insert(name);
    QHash<QString, int> usagesOf;
    int usages = 0;
    int writeThisOn = 0;
    for (const PageText &item : distinctPages()) {
        const QString usage = usageOf(*item.page);
        if (usage.isEmpty())
            continue;
        ++usages;
        writeThisOn += usage.contains(QStringLiteral("书此符于"));
        QSet<QString> runs;
        for (qsizetype at = 0; at + 8 <= usage.size(); ++at) {
            const QString run = usage.mid(at, 8);
            if (!run.contains(QLatin1Char('\n')))
                runs.insert(run);
        }
        for (const QString &run : std::as_const(runs))
            ++usagesOf[run];
    }
    QStringList overMax, frequent;
    for (auto it = usagesOf.cbegin(); it != usagesOf.cend(); ++it) {
        if (it.value() < 10 ||
            std::any_of(names.cbegin(), names.cend(), [&](const QString &name) { return name.contains(it.key()); }))
            continue;
        frequent.append(QStringLiteral("%1 ×%2").arg(it.key()).arg(it.value()));
        if (it.value() > 25)
            overMax.append(frequent.last());
    }
    QVERIFY2(usages > 200, qPrintable(QString::number(usages)));
    QVERIFY2(overMax.isEmpty(), qPrintable(QStringLiteral("%1 runs in more than 25 usages: %2")
                                               .arg(overMax.size())
                                               .arg(overMax.join(QStringLiteral(", ")))));
    QVERIFY2(frequent.size() <= 6, qPrintable(QStringLiteral("%1 runs in ten or more usages: %2")
                                                  .arg(frequent.size())
                                                  .arg(frequent.join(QStringLiteral(", ")))));
    QVERIFY2(writeThisOn * 3 <= usages,
             qPrintable(QStringLiteral("书此符于 in %1 of %2 usages").arg(writeThisOn).arg(usages)));
}

void ContentEditorialTest::texts_areGbkWithOneQuotationStyle()
{
    QStringList texts;
    for (const Chapter &chapter : Catalogue::instance().chapters()) {
        texts << chapter.shortTitle << chapter.categoryCaption << Catalogue::entryNames(chapter);
    }
    for (const PageText &item : distinctPages())
        texts << item.page->headingTitle << item.page->upper.paragraphs
              << (item.page->lower ? item.page->lower->paragraphs : QStringList());
    const Catalogue &book = Catalogue::instance();
    for (const content::QimenView *view : {&book.zhenRenBuDou(), &book.yuNvFanBiOverview()})
        texts << view->upper << view->lower;
    for (const content::QimenView &view : book.figureViews())
        texts << view.headingTitle << view.upper << view.lower;

    QStringList faults;
    for (const QString &text : std::as_const(texts)) {
        QStringEncoder toGbk("GBK");
        QStringDecoder fromGbk("GBK");
        QVERIFY(toGbk.isValid() && fromGbk.isValid());
        const QString back = fromGbk.decode(toGbk.encode(text));
        if (toGbk.hasError() || back != text)
            faults.append(QStringLiteral("not GBK: ") + text.left(20));
        // Quotations open with 「 and close with 」, in pairs; no other quotation marks.
        static const QRegularExpression otherMarks(QStringLiteral("[\"'“”‘’『』]"));
        if (otherMarks.match(text).hasMatch())
            faults.append(QStringLiteral("other quotation marks: ") + text.left(20));
        int depth = 0;
        for (const QChar c : text) {
            depth += c == QChar(0x300C);
            depth -= c == QChar(0x300D);
            if (depth < 0 || depth > 1)
                break;
        }
        if (depth != 0)
            faults.append(QStringLiteral("unpaired 「」: ") + text.left(20));
    }
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 texts: %2").arg(faults.size()).arg(faults.join(QStringLiteral("; ")))));
}

void ContentEditorialTest::incantationTalismans_callOnTheirIncantationsPower()
{
    // The incantation ends 吾奉 … 急急如律令; the talisman's flank reads 吾奉 … 敕 with the same power
    // (two powers joined by 、 are written on as one column).
    const QRegularExpression invoked(QStringLiteral("吾奉(.+?)急急如律令"));
    auto check = [&](const QString &chapter, const QString &name, const QStringList &incantation) {
        picgen::PageInfo info;
        info.name = name;
        info.chapter = chapter;
        info.form = 'I';
        QString power;
        for (const QString &paragraph : incantation) {
            const QRegularExpressionMatch match = invoked.match(paragraph);
            if (match.hasMatch())
                power = match.captured(1).remove(QChar(0x3001));
        }
        QVERIFY2(!power.isEmpty(), qPrintable(name + QStringLiteral(": the incantation calls on no power")));
        QCOMPARE(picgen::flankInvocation(info), QStringLiteral("吾奉%1敕").arg(power));
    };
    int pages = 0;
    for (const PageText &item : distinctPages()) {
        if (item.page->form == content::PageForm::I) {
            ++pages;
            check(item.chapter, item.name, item.page->lower->paragraphs);
        }
    }
    QCOMPARE(pages, 27);
    for (const content::QimenView &view : Catalogue::instance().figureViews())
        if (view.headingTitle.endsWith(QStringLiteral("奇符式")))
            check(QStringLiteral("奇门遁甲"), view.headingTitle, view.lower);
}

QTEST_GUILESS_MAIN(ContentEditorialTest)
#include "content_editorial_test.moc"
