#pragma once
// The whole book prepared for finding words in it: every entry's name and both panes' texts, the
// 奇门遁甲 pages and figure views, and the passages of the two articles. A query is a few words
// separated by spaces; a place matches when it holds every word (in any order), compared after
// folding (see Folding.h); a word in Latin letters also finds entry names by their pinyin.
// Results come grouped by chapter in book order, the articles last, with the place and a
// one-line snippet of the first hit.

#include "content/PageAddress.h"
#include "search/Folding.h"
#include "search/PinyinName.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace content {
class Catalogue;
}

namespace search {

// The text a hit stands in, as the windows show it.
enum class Pane : std::uint8_t {
    Name,    // the entry name alone, where the sections head the page with their own title
    Upper,   // the upper section's text, heading line included
    Lower,   // the lower section's text
    Article, // the article page's text, as its document holds it
};

// A hit: where to go and which characters to highlight there.
struct Jump {
    content::PageAddress page; // the entry, the 奇门遁甲 figure or the article that holds it
    Pane pane = Pane::Upper;
    int start = 0; // in the pane's text
    int length = 0;
    QString text; // the characters highlighted, as the pane holds them
};

// An article to search: its name, the shift of its file, and how to read its page. The reader
// returns the decoded HTML page, or nothing with the reason in *error.
struct ArticleSource {
    QString name;
    int shift = 0;
    std::function<std::optional<QString>(QString *error)> readPage;
};

struct Row {
    QString title;   // the entry name (or article name)
    QString snippet; // one line around the first hit
    int snippetHitStart = 0;
    int snippetHitLength = 0;
    Jump jump;
};

struct Group {
    QString title; // chapter short title or article name
    int count = 0; // places found in this group, listed or not
    std::vector<Row> rows;
};

struct Results {
    std::vector<Group> groups; // only groups with hits, in book order
    int total = 0;             // places found
    int listed = 0;            // rows listed (at most the maximum asked for)
};

class SearchIndex
{
  public:
    static constexpr int kMaxRows = 300;

    SearchIndex(const content::Catalogue &book, const std::vector<ArticleSource> &articles);

    Results find(const QString &query, int maxRows = kMaxRows) const;

    /// One line for each article left out, and why.
    const QStringList &notices() const { return m_notices; }

    /// The texts searched, as shown: for the benchmark's plain scan.
    QStringList texts() const;
    int documentCount() const { return int(m_documents.size()); }

  private:
    struct Document {
        int group = 0;
        QString title;
        content::PageAddress page;
        QString texts[4];    // by Pane
        int articleBase = 0; // position of the passage in its article's document
        FoldedText folded;
        std::optional<PinyinName> pinyin; // over the name
        Pane namePane = Pane::Upper;
    };
    struct Place {
        Pane pane;
        int start;
        int length;
        bool before(const Place &other) const;
    };

    void addPage(int group, const content::PageAddress &page, const QString &name, const QString &heading,
                 const QString &upperLabel, const QStringList &upper, const QString &lowerLabel,
                 const QStringList &lower);
    void addArticle(int group, const ArticleSource &source);
    std::optional<Place> firstPlace(const Document &document, const QString &word) const;
    Row makeRow(const Document &document, const Place &place) const;

    std::vector<QString> m_groupTitles;
    std::vector<Document> m_documents;
    QStringList m_notices;
};

} // namespace search
