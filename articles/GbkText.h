#pragma once
// Article pages' text: GBK bytes (code page 936) as text. On Windows the system converts them
// (cp936::toUtf16); elsewhere, or should that fail, Qt's GBK converter does.

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace articles {

// The page's bytes as text, a byte pair that GBK does not define becoming a replacement character.
// Nothing when no GBK conversion is available on this system.
std::optional<QString> gbkToText(QByteArrayView bytes);

// The text of an article page's bytes, read as the article view reads them. A byte order mark or a
// declared character set other than gb2312 or gbk is honoured; gb2312, gbk, or no declaration at
// all, means GBK, as the platform's browsers read it. (Qt's converter named gb2312 knows only
// GB2312 proper and garbles characters outside it, among them the 箓 of the book's own name.)
QString decodePage(const QByteArray &page);

} // namespace articles
