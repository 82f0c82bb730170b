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

QString decodePage(const QByteArray &page)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(page);
    const bool declared = QStringConverter::encodingForData(page).has_value() ||
                          page.first(qMin(page.size(), qsizetype(1024))).toLower().contains("charset=");
    const QString declaredName = QString::fromLatin1(decoder.name());
    const bool gbk = declaredName.compare(QLatin1String("GB2312"), Qt::CaseInsensitive) == 0 ||
                     declaredName.compare(QLatin1String("GBK"), Qt::CaseInsensitive) == 0 ||
                     declaredName.compare(QLatin1String("windows-936"), Qt::CaseInsensitive) == 0;
    if (!decoder.isValid() || !declared || gbk) {
        const std::optional<QString> text = gbkToText(page);
        return text ? *text : QString::fromLatin1(page);
    }
    return QString(decoder.decode(page));
}

} // namespace articles
