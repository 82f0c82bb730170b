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

} // namespace articles
