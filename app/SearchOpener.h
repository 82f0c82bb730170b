#pragma once

#include "search/SearchIndex.h"

// Shows a hit of the search where the book keeps it: an entry's chapter opens through
// OpenChapterWindow and the entry is selected in Combo1 as a user selects it; a figure of
// 奇门遁甲 opens 玉女反闭诀 and presses its button; an article opens through OpenArticlePage.
// Then the hit is highlighted in the pane or page that holds it and scrolled into view.
void OpenSearchHit(const search::Jump &jump);
