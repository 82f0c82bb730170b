#pragma once
// Opening a page of the book by its address, as the reader reaches it: a chapter's entry through
// OpenChapterWindow and the entry selected in Combo1, a 奇门遁甲 view through the panel's button,
// an article through OpenArticlePage, scrolled to its section. The search opens its hits here,
// and so does every other command that goes to a page.

#include "content/PageAddress.h"

class QWidget;

namespace search {
struct Jump;
}

// The window that shows the page, or null when the book has no such page or it could not be
// shown (its message has been shown).
QWidget *openPage(const content::PageAddress &address);

// Opens a hit of the search and highlights it in the pane or page that holds it, scrolled into view.
void openSearchHit(const search::Jump &jump);
