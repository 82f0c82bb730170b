#include "search/SearchIndex.h"

#include "content/Catalogue.h"

#include <QTextBlock>
#include <QTextDocument>

namespace search {

namespace {

// The snippet shows this many characters before the hit, and up to this many in all.
constexpr int kSnippetBefore = 10;
constexpr int kSnippetLength = 48;

const QString kEllipsis = QStringLiteral("…");

int paneIndex(Pane pane)
{
    return int(pane);
}

} // namespace

bool SearchIndex::Place::before(const Place &other) const
{
    if (pane != other.pane)
        return pane < other.pane;
    return start < other.start;
}

SearchIndex::SearchIndex(const content::Catalogue &book, const std::vector<ArticleSource> &articles)
{
    for (const content::Chapter &chapter : book.chapters()) {
        const int group = int(m_groupTitles.size());
        m_groupTitles.push_back(chapter.shortTitle);
        for (std::size_t index = 0; index < chapter.entries.size(); ++index) {
            const content::Entry &entry = chapter.entries[index];
            const content::PageAddress target = content::PageAddress::entry(chapter.shortTitle, entry.name);
            if (const content::Page *page = entry.page) {
                const QString heading = page->headingTitle.isEmpty() ? entry.name : page->headingTitle;
                addPage(group, target, entry.name, heading, page->upper.label, page->upper.paragraphs,
                        page->lower ? page->lower->label : QString(),
                        page->lower ? page->lower->paragraphs : QStringList());
                continue;
            }
            // The 奇门遁甲 entries: 真人步斗法 is a page, 玉女反闭诀 opens the panel at its overview,
            // from where the figure buttons show the figure views.
            if (!chapter.hasPanel)
                continue;
            const bool overview = index > 0;
            const content::QimenView &view = overview ? book.yuNvFanBiOverview() : book.zhenRenBuDou();
            addPage(group, target, entry.name, entry.name, content::kLabelUsage, view.upper, content::kLabelIncantation,
                    view.lower);
            if (!overview)
                continue;
            const std::vector<content::QimenView> &figures = book.figureViews();
            for (std::size_t figure = 0; figure < figures.size(); ++figure) {
                addPage(group, content::PageAddress::figure(int(figure)), figures[figure].headingTitle,
                        figures[figure].headingTitle, content::kLabelUsage, figures[figure].upper,
                        content::kLabelIncantation, figures[figure].lower);
                m_documents.back().title = entry.name + QStringLiteral("·") + figures[figure].headingTitle;
            }
        }
    }
    for (const ArticleSource &source : articles) {
        const int group = int(m_groupTitles.size());
        m_groupTitles.push_back(source.name);
        addArticle(group, source);
    }
}

void SearchIndex::addPage(int group, const content::PageAddress &target, const QString &name, const QString &heading,
                          const QString &upperLabel, const QStringList &upper, const QString &lowerLabel,
                          const QStringList &lower)
{
    Document document;
    document.group = group;
    document.title = name;
    document.page = target;
    const bool ownHeading = heading != name;
    document.namePane = ownHeading ? Pane::Name : Pane::Upper;
    document.pinyin.emplace(name);
    document.texts[paneIndex(Pane::Name)] = name;
    document.texts[paneIndex(Pane::Upper)] = content::ComposeSection(heading, upperLabel, upper);
    if (!lowerLabel.isEmpty())
        document.texts[paneIndex(Pane::Lower)] = content::ComposeSection(heading, lowerLabel, lower);

    // The fields searched, in reading order: the name where the page is headed otherwise, the
    // heading and paragraphs of the upper pane, the paragraphs of the lower pane (its heading only
    // repeats the upper one). The section labels are not searched: every page has one.
    FoldedText &folded = document.folded;
    if (ownHeading) {
        folded.append(name, std::uint8_t(Pane::Name), 0);
        folded.appendSeparator();
    }
    auto addSection = [&](Pane pane, const QString &label, const QStringList &paragraphs, bool withHeading) {
        if (withHeading) {
            folded.append(heading, std::uint8_t(pane), 0);
            folded.appendSeparator();
        }
        int offset = int(heading.size() + label.size());
        for (const QString &paragraph : paragraphs) {
            offset += 2; // CR LF
            folded.append(paragraph, std::uint8_t(pane), offset);
            folded.appendSeparator();
            offset += int(paragraph.size());
        }
    };
    addSection(Pane::Upper, upperLabel, upper, true);
    if (!lowerLabel.isEmpty())
        addSection(Pane::Lower, lowerLabel, lower, false);
    m_documents.push_back(std::move(document));
}

void SearchIndex::addArticle(int group, const ArticleSource &source)
{
    QString error;
    const std::optional<QString> page = source.readPage ? source.readPage(&error) : std::nullopt;
    if (!page) {
        m_notices.append(QStringLiteral("「%1」未列入查找：%2").arg(source.name, error));
        return;
    }
    // An article page is HTML; bytes that decode to anything else are a damaged file.
    if (!page->isEmpty() && !page->contains(QStringLiteral("<html"), Qt::CaseInsensitive) &&
        !page->contains(QStringLiteral("<body"), Qt::CaseInsensitive)) {
        m_notices.append(QStringLiteral("「%1」未列入查找：文章文件已损坏，解码后不是网页。").arg(source.name));
        return;
    }

    // The passages are the blocks of the same document the article window shows, so a hit's
    // position is a position in that window's document.
    QTextDocument document;
    document.setHtml(*page);
    QString section; // the passage's section: the last second-level heading before it
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.trimmed().isEmpty())
            continue;
        if (block.blockFormat().headingLevel() == 2)
            section = text;
        Document passage;
        passage.group = group;
        passage.title = source.name;
        passage.page = content::PageAddress::article(source.name, section);
        passage.texts[paneIndex(Pane::Article)] = text;
        passage.articleBase = block.position();
        passage.folded.append(text, std::uint8_t(Pane::Article), 0);
        m_documents.push_back(std::move(passage));
    }
}

std::optional<SearchIndex::Place> SearchIndex::firstPlace(const Document &document, const QString &word) const
{
    std::optional<Place> place;
    const qsizetype found = document.folded.text.indexOf(word);
    if (found >= 0) {
        const Origin &first = document.folded.origins[std::size_t(found)];
        const Origin &last = document.folded.origins[std::size_t(found + word.size() - 1)];
        place = Place{Pane(first.text), first.start, last.end - first.start};
    }
    if (document.pinyin) {
        const PinyinName::Match match = document.pinyin->find(word);
        if (match.start >= 0) {
            const Place named{document.namePane, match.start, match.length};
            if (!place || named.before(*place))
                place = named;
        }
    }
    return place;
}

Results SearchIndex::find(const QString &query, int maxRows) const
{
    Results results;
    const QStringList words = queryWords(query);
    if (words.isEmpty())
        return results;

    Group *current = nullptr;
    int currentGroup = -1;
    for (const Document &document : m_documents) {
        // Every word must be there; the hit shown is the one that comes first.
        std::optional<Place> first;
        bool all = true;
        for (const QString &word : words) {
            const std::optional<Place> place = firstPlace(document, word);
            if (!place) {
                all = false;
                break;
            }
            if (!first || place->before(*first))
                first = place;
        }
        if (!all)
            continue;
        if (document.group != currentGroup) {
            currentGroup = document.group;
            results.groups.push_back(Group{m_groupTitles[std::size_t(currentGroup)], 0, {}});
            current = &results.groups.back();
        }
        ++current->count;
        ++results.total;
        if (results.listed < maxRows) {
            current->rows.push_back(makeRow(document, *first));
            ++results.listed;
        }
    }
    return results;
}

Row SearchIndex::makeRow(const Document &document, const Place &place) const
{
    Row row;
    row.title = document.title;
    const QString &text = document.texts[paneIndex(place.pane)];
    row.jump.page = document.page;
    row.jump.pane = place.pane;
    row.jump.start = place.start + (place.pane == Pane::Article ? document.articleBase : 0);
    row.jump.length = place.length;
    row.jump.text = text.mid(place.start, place.length);

    // The line that holds the hit, without its indent, cut round the hit.
    qsizetype lineStart = place.start > 0 ? text.lastIndexOf(QLatin1Char('\n'), place.start - 1) + 1 : 0;
    qsizetype lineEnd = text.indexOf(QLatin1Char('\r'), place.start + place.length);
    if (lineEnd < 0)
        lineEnd = text.size();
    while (lineStart < place.start && text[lineStart].isSpace())
        ++lineStart;
    const qsizetype from = qMax(lineStart, qsizetype(place.start) - kSnippetBefore);
    const qsizetype to = qMin(lineEnd, qMax(from + kSnippetLength, qsizetype(place.start + place.length)));
    QString snippet = text.mid(from, to - from);
    row.snippetHitStart = int(place.start - from);
    if (from > lineStart) {
        snippet.prepend(kEllipsis);
        row.snippetHitStart += int(kEllipsis.size());
    }
    if (to < lineEnd)
        snippet.append(kEllipsis);
    // Line separators of an article's passage show as spaces on the one line.
    for (QChar &c : snippet)
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    row.snippet = snippet;
    row.snippetHitLength = place.length;
    return row;
}

QStringList SearchIndex::texts() const
{
    QStringList all;
    for (const Document &document : m_documents)
        for (const QString &text : document.texts)
            if (!text.isEmpty())
                all.append(text);
    return all;
}

} // namespace search
