#pragma once
// The Windows type faces the windows are designed with, each followed by the nearest CJK faces a
// Linux desktop has, so that the first one installed is used.

#include <QFont>

namespace Fonts {

QFont liShu(double pointSize);     // 隶书: titles
QFont kaiTi(double pointSize);     // 楷体_GB2312: lists, headings, the upper pane
QFont songTi(double pointSize);    // 宋体: the lower pane and buttons
QFont fangSong(double pointSize);  // 仿宋_GB2312: the version line

} // namespace Fonts
