#include "app/PageOpener.h"

#include "app/ChapterOpener.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "common/TextForm.h"
#include "content/TableOfContents.h"
#include "search/SearchIndex.h"
#include "viewer/Fllhb.h"
#include "viewer/TextPane.h"

#include <QTextBlock>

namespace {

const QColor kHitBackground(255, 230, 90);

// Selects [start, start + length) of an editor's document, marks it and scrolls it into view.
// found checks that the selection holds the expected characters, as the editor shows them (in
// traditional characters with 繁體字: as long as the book's own, at the same place).
template <typename Editor> bool highlight(Editor *editor, int start, int length, const QString &found)
{
    const QString expected = textform::shown(found);
    QTextCursor cursor(editor->document());
    const int end = start + length;
    if (start < 0 || end > editor->document()->characterCount() - 1)
        return false;
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    if (cursor.selectedText() != expected) {
        // The document is not laid out as the index saw it: find the passage by its text.
        cursor = editor->document()->find(expected);
        if (cursor.isNull())
            return false;
    }
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(kHitBackground);
    editor->setExtraSelections({mark});
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    return true;
}

// A text pane holds its text with CR LF; its document has one line break for each.
int documentPosition(const QString &paneText, int position)
{
    return position -
           int(QStringView(paneText).first(qMin(position, int(paneText.size()))).count(QStringLiteral("\r\n")));
}

void highlightInViewer(Fllhb *viewer, const search::Jump &jump)
{
    TextPane *panes[] = {viewer->upperPane(), viewer->lowerPane()};
    for (TextPane *pane : panes)
        pane->setExtraSelections({});
    TextPane *pane = jump.pane == search::Pane::Upper   ? panes[0]
                     : jump.pane == search::Pane::Lower ? panes[1]
                                                        : nullptr;
    if (!pane || pane->text().mid(jump.start, jump.length) != jump.text)
        return; // a name shown only in Label2, or a page that could not be shown
    const int start = documentPosition(pane->text(), jump.start);
    const int end = documentPosition(pane->text(), jump.start + jump.length);
    QString expected = jump.text;
    expected.replace(QStringLiteral("\r\n"), QString(QChar::ParagraphSeparator));
    highlight(pane, start, end - start, expected);
}

} // namespace

QWidget *openPage(const content::PageAddress &address)
{
    if (address.isArticle()) {
        const content::Article *article = content::TableOfContents::instance().articleByName(address.articleName());
        if (!article)
            return nullptr;
        OpenArticlePage(article->name, article->shift);
        Fwangye *page = articleWindow(article->name);
        if (page && !address.section().isEmpty())
            page->scrollToSection(address.section());
        return page;
    }
    if (!address.isValid())
        return nullptr;
    OpenChapterWindow(address.chapter());
    Fllhb *viewer = chapterViewer(address.chapter());
    if (viewer)
        viewer->showAddress(address);
    return viewer;
}

void openSearchHit(const search::Jump &jump)
{
    QWidget *window = openPage(jump.page);
    if (auto *page = qobject_cast<Fwangye *>(window))
        highlight(page->WebBrowser1(), jump.start, jump.length, jump.text);
    else if (auto *viewer = qobject_cast<Fllhb *>(window))
        highlightInViewer(viewer, jump);
}
