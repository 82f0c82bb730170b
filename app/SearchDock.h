#pragma once

class QMainWindow;

// The 查找 command: shows the search panel at the right of the frame (created the first time)
// and puts the cursor into its field. Esc in the panel hides it again; the text and the hits stay
// while the program runs.
void ShowSearchPanel(QMainWindow *frame);
