#include "app/SearchOpener.h"

#include "app/ChapterOpener.h"
#include "common/Module1.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "viewer/Fllhb.h"
#include "viewer/TextPane.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTextBlock>

namespace {

const QColor kHitBackground(255, 230, 90);

template<typename Window>
Window *loadedWindowCaptioned(const QString &caption)
{
    // The newest window of that caption: the one just opened, if a second one was.
    const QList<QWidget *> windows = Module1::loadedWindows();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        if (auto *window = qobject_cast<Window *>(*it); window && Module1::captionOf(window) == caption)
            return window;
    return nullptr;
}

// Selects [start, start + length) of an editor's document, marks it and scrolls it into view.
// found checks that the selection holds the expected characters.
template<typename Editor>
bool highlight(Editor *editor, int start, int length, const QString &expected)
{
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
    return position - int(QStringView(paneText).first(qMin(position, int(paneText.size()))).count(QStringLiteral("\r\n")));
}

void highlightInViewer(Fllhb *viewer, const search::Jump &jump)
{
    TextPane *panes[] = {viewer->findChild<TextPane *>(QStringLiteral("Text3")),
                         viewer->findChild<TextPane *>(QStringLiteral("Text2"))};
    for (TextPane *pane : panes)
        if (pane)
            pane->setExtraSelections({});
    TextPane *pane = jump.pane == search::Pane::Text3 ? panes[0] : jump.pane == search::Pane::Text2 ? panes[1] : nullptr;
    if (!pane || pane->text().mid(jump.start, jump.length) != jump.text)
        return; // a name shown only in Label2, or a page that could not be shown
    const int start = documentPosition(pane->text(), jump.start);
    const int end = documentPosition(pane->text(), jump.start + jump.length);
    QString expected = jump.text;
    expected.replace(QStringLiteral("\r\n"), QString(QChar::ParagraphSeparator));
    highlight(pane, start, end - start, expected);
}

} // namespace

void OpenSearchHit(const search::Jump &jump)
{
    const search::Target &target = jump.target;
    if (target.kind == search::Target::Kind::Article) {
        OpenArticlePage(target.article, target.shift);
        Fwangye *page = nullptr;
        if (QMdiArea *area = Module1::mdiArea(); area && area->activeSubWindow())
            page = qobject_cast<Fwangye *>(area->activeSubWindow()->widget());
        if (!page || Module1::captionOf(page) != target.article)
            page = loadedWindowCaptioned<Fwangye>(target.article);
        if (page)
            highlight(page->WebBrowser1(), jump.start, jump.length, jump.text);
        return;
    }

    OpenChapterWindow(target.chapter);
    Fllhb *viewer = loadedWindowCaptioned<Fllhb>(QStringLiteral("灵箓汇编-") + target.chapter);
    if (!viewer)
        return;
    auto *list = viewer->findChild<QComboBox *>(QStringLiteral("Combo1"));
    if (!list || target.entryIndex < 0 || target.entryIndex >= list->count())
        return;
    viewer->chooseEntry(target.entryIndex);
    if (target.kind == search::Target::Kind::QimenFigure) {
        auto *button = viewer->findChild<QPushButton *>(QStringLiteral("Command%1").arg(8 + target.figure));
        if (!button)
            return;
        button->click();
    }
    highlightInViewer(viewer, jump);
}
