#include "content/Catalogue.h"

#include "content/ContentTables.h"

#include <QHash>

namespace content {

namespace {

struct ChapterSource {
    const char *shortTitle;
    const char *caption;
    const char *menuItem;
    const char *catalogueLabel;
    const std::vector<data::Row> &(*rows)();
};

// The ten chapters in their fixed order. 奇门遁甲 has no rows of its own: the panel shows it.
const ChapterSource kChapters[] = {
    {"奇门遁甲", "奇门遁甲符咒：", "奇门符咒", "Label16", nullptr},
    {"祝由秘字", "祝由秘字：", "祝由秘字", "Label30", &data::zhuYouMiZiRows},
    {"镇宅兴家", "镇宅兴家符咒：", "镇宅兴家", "Label18", &data::zhenZhaiXingJiaRows},
    {"夜行护身", "夜行护身符咒：", "夜行护身", "Label19", &data::yeXingHuShenRows},
    {"日常琐事", "日常琐事符咒：", "日常琐事", "Label22", &data::riChangSuoShiRows},
    {"治病驱魔", "治病驱魔符咒：", "治病驱魔", "Label23", &data::zhiBingQuMoRows},
    {"驱煞转运", "驱煞转运符咒：", "驱煞转运", "Label21", &data::quShaZhuanYunRows},
    {"问世通灵", "问世通灵符咒：", "问世通灵", "Label24", &data::wenShiTongLingRows},
    {"修身养性", "修身养性符咒：", "修身养性", "Label25", &data::xiuShenYangXingRows},
    {"隐身飞升", "隐身飞升符咒：", "隐身飞升", "Label17", &data::yinShenFeiShengRows},
};

QStringList toStrings(const std::vector<const char *> &texts)
{
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

Page toPage(const data::Row &row)
{
    Page page;
    page.pictureNumber = row.picture;
    page.widePicture = (row.marks & data::W) != 0;
    if (row.headingTitle)
        page.headingTitle = QString::fromUtf8(row.headingTitle);
    switch (row.form) {
    case data::U:
        page.form = PageForm::U;
        page.upper = {kLabelUsage, toStrings(row.upper)};
        break;
    case data::E:
        page.form = PageForm::E;
        page.upper = {kLabelUsage, toStrings(row.upper)};
        page.lower = Section{kLabelCommentary, toStrings(row.lower)};
        break;
    case data::I:
        page.form = PageForm::I;
        page.upper = {kLabelUsage, toStrings(row.upper)};
        page.lower = Section{kLabelIncantation, toStrings(row.lower)};
        break;
    case data::N:
        page.form = PageForm::N;
        page.upper = {kLabelExplanation, toStrings(row.upper)};
        page.lower = Section{kLabelSecretUsage, toStrings(row.lower)};
        break;
    }
    return page;
}

QimenView toView(const data::View &view)
{
    QimenView result;
    if (view.headingTitle)
        result.headingTitle = QString::fromUtf8(view.headingTitle);
    result.pictureNumber = view.picture;
    result.upper = toStrings(view.upper);
    result.lower = toStrings(view.lower);
    return result;
}

} // namespace

const Catalogue &Catalogue::instance()
{
    static const Catalogue catalogue;
    return catalogue;
}

Catalogue::Catalogue()
{
    // Pages first, so that the entries can point into a vector that no longer grows.
    std::size_t rowCount = 0;
    for (const ChapterSource &source : kChapters)
        if (source.rows)
            rowCount += source.rows().size();
    m_pages.reserve(rowCount);

    QHash<QString, const Page *> sharedPages; // the pages written out in full, by name
    for (const ChapterSource &source : kChapters) {
        if (!source.rows)
            continue;
        for (const data::Row &row : source.rows()) {
            if (row.marks & data::Shared)
                continue;
            m_pages.push_back(toPage(row));
            sharedPages.insert(QString::fromUtf8(row.name), &m_pages.back());
        }
    }

    int order = 0;
    for (const ChapterSource &source : kChapters) {
        Chapter chapter;
        chapter.order = ++order;
        chapter.shortTitle = QString::fromUtf8(source.shortTitle);
        chapter.categoryCaption = QString::fromUtf8(source.caption);
        chapter.menuItem = QString::fromUtf8(source.menuItem);
        chapter.catalogueLabel = QString::fromUtf8(source.catalogueLabel);
        chapter.hasPanel = source.rows == nullptr;
        if (!source.rows) {
            chapter.entries = {{kZhenRenBuDou, nullptr}, {kYuNvFanBi, nullptr}};
        } else {
            for (const data::Row &row : source.rows()) {
                const QString name = QString::fromUtf8(row.name);
                // A shared row names a page written out in another chapter; the names are unique
                // within a chapter, so the name alone finds it.
                chapter.entries.push_back({name, sharedPages.value(name)});
            }
        }
        m_chapters.push_back(std::move(chapter));
    }

    m_zhenRenBuDou = toView(data::zhenRenBuDouView());
    m_overview = toView(data::yuNvFanBiView());
    for (const data::View &view : data::figureViews())
        m_figures.push_back(toView(view));
}

const Chapter *Catalogue::chapterByShortTitle(const QString &shortTitle) const
{
    for (const Chapter &chapter : m_chapters)
        if (chapter.shortTitle == shortTitle)
            return &chapter;
    return nullptr;
}

const Chapter *Catalogue::chapterByCaption(const QString &caption) const
{
    for (const Chapter &chapter : m_chapters)
        if (chapter.categoryCaption == caption)
            return &chapter;
    return nullptr;
}

QStringList Catalogue::entryNames(const Chapter &chapter)
{
    QStringList names;
    names.reserve(qsizetype(chapter.entries.size()));
    for (const Entry &entry : chapter.entries)
        names.append(entry.name);
    return names;
}

const Page *Catalogue::pageOf(const Chapter &chapter, const QString &entryName)
{
    for (const Entry &entry : chapter.entries)
        if (entry.name == entryName)
            return entry.page;
    return nullptr;
}

std::vector<const Page *> Catalogue::distinctPages() const
{
    std::vector<const Page *> pages;
    pages.reserve(m_pages.size());
    for (const Page &page : m_pages)
        pages.push_back(&page);
    return pages;
}

QString ComposeSection(const QString &headingTitle, const QString &label, const QStringList &paragraphs)
{
    QString text = headingTitle + label;
    for (const QString &paragraph : paragraphs) {
        text += QStringLiteral("\r\n");
        text += paragraph;
    }
    return text;
}

QString pictureDigits(int pictureNumber)
{
    return QStringLiteral("%1").arg(pictureNumber, 3, 10, QLatin1Char('0'));
}

QString dayChartName(int day)
{
    static const QString names[] = {QStringLiteral("子丑日"), QStringLiteral("寅卯日"), QStringLiteral("辰巳日"),
                                    QStringLiteral("午未日"), QStringLiteral("申酉日"), QStringLiteral("戌亥日")};
    return day >= 0 && day < int(std::size(names)) ? names[day] : QString();
}

} // namespace content
