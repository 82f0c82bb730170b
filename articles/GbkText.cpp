#include "articles/GbkText.h"

#include "articles/Cp936.h"

#include <QStringDecoder>

namespace articles {

std::optional<QString> gbkToText(QByteArrayView bytes)
{
    // The system's own conversion first (Windows has one); Qt's GBK converter elsewhere.
    std::u16string text;
    if (cp936::toUtf16(std::string_view(bytes.data(), std::size_t(bytes.size())), text))
        return QString::fromStdU16String(text);
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return std::nullopt;
    return QString(decoder.decode(bytes));
}

} // namespace articles
