#pragma once
// The Windows type faces the windows are designed with, each followed by the free faces that stand
// in for it where it is missing (the best first, then older ones), so that the first one installed
// is used.

#include <QFont>

namespace fonts {

QFont liShu(double pointSize);    // 隶书: titles
QFont kaiTi(double pointSize);    // 楷体_GB2312: lists, headings, the upper pane
QFont songTi(double pointSize);   // 宋体: the lower pane and buttons
QFont fangSong(double pointSize); // 仿宋_GB2312: the version line

// Lets text that names one of these faces itself (the article pages' style sheets ask for 宋体) use
// the same stand-ins. Idempotent; takes effect for every font resolved afterwards.
void installSubstitutes();

} // namespace fonts
