#pragma once

#include <memory>

class QMainWindow;
class ReaderTools;
namespace search {
class SearchIndex;
}

// The index of the whole book the search panel queries: every entry and 奇门遁甲 view of the
// catalogue, and both articles read from the installation folder as their pages show them. Built
// on the panel's first query, never at start-up; the search benchmark builds the same one.
std::unique_ptr<search::SearchIndex> makeSearchIndex();

// The 查找 command: shows the search panel at the right of the frame (created the first time)
// and puts the cursor into its field. Esc in the panel hides it again; the text and the hits stay
// while the program runs.
void showSearchPanel(QMainWindow *frame, ReaderTools *reader);
