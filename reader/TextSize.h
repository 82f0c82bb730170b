#pragma once
// The sizes the reader's text can be set to, as a percentage of the text's own size: 放大 and 缩小
// step through them, 原始大小 goes back to 100.

#include <QList>

namespace reader {

class TextSize
{
  public:
    static const QList<int> &steps(); // 50 … 300
    static int nearestStep(int percent);
    static int larger(int percent);
    static int smaller(int percent);
};

} // namespace reader
