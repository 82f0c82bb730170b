#pragma once
// The book's content as the windows see it: ten chapters of named entries, each entry a page of a
// picture and two sections. Built once from the constant tables and never changed afterwards.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace content {

// The closed set of section labels. Three carry an ASCII colon, two the full-width one.
inline const QString kLabelUsage = QStringLiteral("[用法]:");
inline const QString kLabelExplanation = QStringLiteral("[说明]：");
inline const QString kLabelCommentary = QStringLiteral("[解说]:");
inline const QString kLabelIncantation = QStringLiteral("[咒语]:");
inline const QString kLabelSecretUsage = QStringLiteral("[用法]：");

struct Section {
    QString label;
    QStringList paragraphs;
};

// Which sections a page has: U "[用法]:" alone; E "[用法]:" and "[解说]:"; I "[用法]:" and
// "[咒语]:"; N "[说明]：" and "[用法]：" (the 祝由秘字 pages).
enum class PageForm : char { U = 'U', E = 'E', I = 'I', N = 'N' };

struct Page {
    PageForm form = PageForm::U;
    int pictureNumber = 0;
    bool widePicture = false;
    QString headingTitle;         // empty: the list item heads the page
    Section upper;                // shown in Text3
    std::optional<Section> lower; // shown in Text2; absent pages clear it
};

struct Entry {
    QString name;
    const Page *page = nullptr; // null for the two 奇门遁甲 entries, which the panel shows
};

struct Chapter {
    int order = 0;
    QString shortTitle;
    QString categoryCaption;
    QString menuItem;
    QString catalogueLabel;
    bool hasPanel = false;
    std::vector<Entry> entries;
};

// The two list entries of 奇门遁甲: a page like the others, and the overview the panel starts from.
inline const QString kZhenRenBuDou = QStringLiteral("真人步斗法");
inline const QString kYuNvFanBi = QStringLiteral("玉女反闭诀");

// The six day charts of 玉女反闭诀, as their buttons name them: 子丑日 … 戌亥日 for 0 to 5; empty
// for any other number.
QString dayChartName(int day);

// A view of the 奇门遁甲 chapter: its picture and its two sections ("[用法]:" and "[咒语]:").
struct QimenView {
    QString headingTitle; // empty: the selected list item heads the view
    int pictureNumber = 0;
    QStringList upper;
    QStringList lower;
};

class Catalogue
{
  public:
    static const Catalogue &instance();

    const std::vector<Chapter> &chapters() const { return m_chapters; }

    // The four lookups. All compare whole texts exactly, case-sensitively, without trimming.
    const Chapter *chapterByShortTitle(const QString &shortTitle) const;
    const Chapter *chapterByCaption(const QString &caption) const;
    static QStringList entryNames(const Chapter &chapter);
    static const Page *pageOf(const Chapter &chapter, const QString &entryName);

    // 奇门遁甲: the 真人步斗法 page, the 玉女反闭诀 overview and the five figure views
    // (乙奇, 丙奇, 丁奇, 禹罡, 四纵五横 in the order of their buttons).
    const QimenView &zhenRenBuDou() const { return m_zhenRenBuDou; }
    const QimenView &yuNvFanBiOverview() const { return m_overview; }
    const std::vector<QimenView> &figureViews() const { return m_figures; }

    // Every distinct page, in the order the chapters first list them.
    std::vector<const Page *> distinctPages() const;

  private:
    Catalogue();
    Catalogue(const Catalogue &) = delete;
    Catalogue &operator=(const Catalogue &) = delete;

    std::vector<Page> m_pages; // storage; entries point into it
    std::vector<Chapter> m_chapters;
    QimenView m_zhenRenBuDou;
    QimenView m_overview;
    std::vector<QimenView> m_figures;
};

// The text of one pane: the heading title directly followed by the label, then each paragraph
// after a CR LF. No line break before the heading or after the last paragraph.
QString ComposeSection(const QString &headingTitle, const QString &label, const QStringList &paragraphs);

// "078" for 78: picture numbers are always written with three digits.
QString pictureDigits(int pictureNumber);

} // namespace content
