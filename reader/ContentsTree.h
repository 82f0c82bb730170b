#pragma once
// The rows of the contents panel, as plain data: the favourites and the recent pages, then the ten
// chapters in book order with their entries in list order (玉女反闭诀 with its overview, day
// charts and figures), then the two articles with their section headings. Each row that opens a
// page carries its address.

#include "content/PageAddress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace reader {

struct ContentsRow {
    QString text;
    std::optional<content::PageAddress> page;
    std::vector<ContentsRow> children;
};

// The two heads of the reader's own rows.
inline const QString kFavouritesRow = QStringLiteral("收藏");
inline const QString kRecentRow = QStringLiteral("最近阅读");

// The book's rows. The section headings of an article come from headingsOf (the article's page is
// in the installation, not in the book's tables); an article that cannot be read has none.
std::vector<ContentsRow> bookRows(const std::function<QStringList(const QString &article)> &headingsOf);

// A row for a kept page (a favourite or a recent one): the page's name with its chapter or article.
ContentsRow keptPageRow(const content::PageAddress &page);

} // namespace reader
