#pragma once
// The book's table of contents as the windows present it: the two articles with their shifts, the
// 灵箓汇编 menu in its order with its two separators, and the catalogue's twelve titles in grid
// order. Each chapter's menu item and catalogue label are the chapter's own (content::Chapter).

#include "content/Catalogue.h"

#include <QString>

#include <vector>

namespace content {

struct Article {
    QString name;           // menu item, catalogue title, window caption and file name
    QString catalogueLabel; // the catalogue title that opens it
    int shift = 0;          // the shift its file is written with
};

// A place in the 灵箓汇编 menu: a chapter's item, or a separator with its name.
struct BookMenuItem {
    const Chapter *chapter = nullptr; // null: a separator
    QString separatorName;
};

// One of the catalogue's titles: its label, its text and what it opens (a chapter or an article).
struct CatalogueTitle {
    QString label;
    QString caption;
    const Chapter *chapter = nullptr;
    const Article *article = nullptr;
    int designWidth = 0; // twips
    int designHeight = 0;
};

class TableOfContents
{
  public:
    static const TableOfContents &instance();

    // The articles in menu bar order.
    const std::vector<Article> &articles() const { return m_articles; }
    // The article of this name (compared exactly), or null.
    const Article *articleByName(const QString &name) const;

    const std::vector<BookMenuItem> &bookMenu() const { return m_bookMenu; }

    // Row by row, left to right: four titles in the first row, then two (first and last column)
    // in each of the four rows below it.
    const std::vector<CatalogueTitle> &catalogueGrid() const { return m_grid; }

  private:
    TableOfContents();
    TableOfContents(const TableOfContents &) = delete;
    TableOfContents &operator=(const TableOfContents &) = delete;

    std::vector<Article> m_articles;
    std::vector<BookMenuItem> m_bookMenu;
    std::vector<CatalogueTitle> m_grid;
};

} // namespace content
