#include "content/TableOfContents.h"

namespace content {

namespace {

struct ArticleSource {
    const char *name;
    const char *catalogueLabel;
    int shift;
};

const ArticleSource kArticles[] = {
#define LINGLU_ARTICLE(name, label, shift) {name, label, shift},
#include "content/Articles.def"
#undef LINGLU_ARTICLE
};

// The 灵箓汇编 menu: chapters by short title, separators by name (a null short title).
struct MenuSource {
    const char *chapter;
    const char *separator;
};

const MenuSource kBookMenu[] = {
    {"祝由秘字", nullptr}, {"奇门遁甲", nullptr}, {nullptr, "xian6"},    {"镇宅兴家", nullptr},
    {"夜行护身", nullptr}, {"日常琐事", nullptr}, {"治病驱魔", nullptr}, {nullptr, "xian8"},
    {"驱煞转运", nullptr}, {"问世通灵", nullptr}, {"修身养性", nullptr}, {"隐身飞升", nullptr},
};

// The catalogue's titles in grid order: what each opens (an article by its name, otherwise a
// chapter by its short title) and its design size in twips.
struct GridSource {
    const char *opens;
    int width;
    int height;
};

const GridSource kGrid[] = {
    {"奇门遁甲", 1830, 465}, {"符咒心得", 1860, 495}, {"祝由须知", 1860, 495}, {"日常琐事", 1830, 465},
    {"祝由秘字", 1845, 465}, {"驱煞转运", 1830, 465}, {"治病驱魔", 1830, 465}, {"问世通灵", 1830, 465},
    {"夜行护身", 1830, 465}, {"修身养性", 1830, 465}, {"镇宅兴家", 1830, 465}, {"隐身飞升", 1830, 465},
};

} // namespace

const TableOfContents &TableOfContents::instance()
{
    static const TableOfContents contents;
    return contents;
}

TableOfContents::TableOfContents()
{
    const Catalogue &book = Catalogue::instance();
    // The articles are stored before anything points into them.
    for (const ArticleSource &source : kArticles)
        m_articles.push_back({QString::fromUtf8(source.name), QString::fromUtf8(source.catalogueLabel), source.shift});

    for (const MenuSource &source : kBookMenu) {
        if (source.chapter)
            m_bookMenu.push_back({book.chapterByShortTitle(QString::fromUtf8(source.chapter)), QString()});
        else
            m_bookMenu.push_back({nullptr, QString::fromUtf8(source.separator)});
    }

    for (const GridSource &source : kGrid) {
        CatalogueTitle title;
        const QString opens = QString::fromUtf8(source.opens);
        if ((title.article = articleByName(opens))) {
            title.label = title.article->catalogueLabel;
            title.caption = title.article->name;
        } else if ((title.chapter = book.chapterByShortTitle(opens))) {
            title.label = title.chapter->catalogueLabel;
            title.caption = title.chapter->menuItem;
        }
        title.designWidth = source.width;
        title.designHeight = source.height;
        m_grid.push_back(title);
    }
}

const Article *TableOfContents::articleByName(const QString &name) const
{
    for (const Article &article : m_articles)
        if (article.name == name)
            return &article;
    return nullptr;
}

} // namespace content
