#include "reader/ContentsTree.h"

#include "content/Catalogue.h"
#include "content/PictureNumbers.h"
#include "content/TableOfContents.h"

namespace reader {

namespace {

ContentsRow pageRow(const QString &text, const content::PageAddress &page)
{
    return {text, page, {}};
}

ContentsRow panelRows(const content::Chapter &chapter)
{
    ContentsRow yuNvFanBi = pageRow(content::kYuNvFanBi, content::PageAddress::overview());
    yuNvFanBi.children.push_back(pageRow(QStringLiteral("总览"), content::PageAddress::overview()));
    for (int day = 0; day < content::picturenumbers::kDayCharts; ++day) {
        const content::PageAddress chart = content::PageAddress::dayChart(day);
        yuNvFanBi.children.push_back(pageRow(chart.title(), chart));
    }
    for (int figure = 0; figure < int(content::Catalogue::instance().figureViews().size()); ++figure) {
        const content::PageAddress view = content::PageAddress::figure(figure);
        yuNvFanBi.children.push_back(pageRow(view.title(), view));
    }
    ContentsRow row{chapter.shortTitle, std::nullopt, {}};
    row.children.push_back(
        pageRow(content::kZhenRenBuDou, content::PageAddress::entry(chapter.shortTitle, content::kZhenRenBuDou)));
    row.children.push_back(std::move(yuNvFanBi));
    return row;
}

} // namespace

std::vector<ContentsRow> bookRows(const std::function<QStringList(const QString &article)> &headingsOf)
{
    std::vector<ContentsRow> rows;
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters()) {
        if (chapter.hasPanel) {
            rows.push_back(panelRows(chapter));
            continue;
        }
        ContentsRow row{chapter.shortTitle, std::nullopt, {}};
        for (const content::Entry &entry : chapter.entries)
            row.children.push_back(pageRow(entry.name, content::PageAddress::entry(chapter.shortTitle, entry.name)));
        rows.push_back(std::move(row));
    }
    for (const content::Article &article : content::TableOfContents::instance().articles()) {
        ContentsRow row = pageRow(article.name, content::PageAddress::article(article.name));
        for (const QString &heading : headingsOf(article.name))
            row.children.push_back(pageRow(heading, content::PageAddress::article(article.name, heading)));
        rows.push_back(std::move(row));
    }
    return rows;
}

ContentsRow keptPageRow(const content::PageAddress &page)
{
    const QString where = page.isArticle() ? page.articleName() : page.chapter();
    const QString name = page.title();
    return pageRow(name == where ? name : name + QStringLiteral(" · ") + where, page);
}

} // namespace reader
