// godcodec: turns an article's readable page (UTF-8 HTML) into its article file, and back.
//
//   godcodec encode --shift N page.html article.god
//       UTF-8 page -> GBK -> every character code lowered by N -> CR LF lines. Refuses a page that
//       GBK cannot hold, that does not declare a GBK character set where the article view looks
//       for it, or that reading would cut short; checks that decoding gives the GBK page back
//       byte for byte before writing anything.
//   godcodec decode --shift N article.god page.htm
//       What the program shows: the article file decoded into the GBK page.
//
// Exit status 0 on success, 1 on a refused page or an I/O failure, 2 on wrong usage.

#include "articles/ArticleCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>

namespace {

QString g_input;

int fail(const QString &message)
{
    std::fprintf(stderr, "godcodec: %s: %s\n", qPrintable(g_input), qPrintable(message));
    return 1;
}

int usage()
{
    std::fprintf(stderr, "usage: godcodec encode --shift N page.html article.god\n"
                         "       godcodec decode --shift N article.god page.htm\n");
    return 2;
}

bool readFile(const QString &name, QByteArray *bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// Written whole or not at all, so a failed run never leaves a half-written file for the next build.
bool writeFile(const QString &name, const QByteArray &bytes)
{
    QSaveFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// Line and column of a character offset in the page, for messages.
QString where(const QString &text, qsizetype offset)
{
    const qsizetype line = text.left(offset).count(QLatin1Char('\n')) + 1;
    const qsizetype lineStart = offset > 0 ? text.lastIndexOf(QLatin1Char('\n'), offset - 1) + 1 : 0;
    return QStringLiteral("line %1, column %2").arg(line).arg(offset - lineStart + 1);
}

int encode(const QString &input, const QString &output, int shift)
{
    QByteArray source;
    if (!readFile(input, &source))
        return fail(QStringLiteral("cannot read the page"));

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(source);
    if (utf8.hasError())
        return fail(QStringLiteral("the page is not valid UTF-8"));

    QStringEncoder toGbk("GBK");
    QStringDecoder fromGbk("GBK");
    if (!toGbk.isValid() || !fromGbk.isValid())
        return fail(QStringLiteral("this Qt has no GBK converter (Qt must be built with ICU)"));
    const QByteArray page = toGbk.encode(text);
    if (toGbk.hasError() || QString(fromGbk.decode(page)) != text) {
        // Find the first character GBK cannot hold, to name it.
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString character = text.mid(i, length);
            QStringEncoder one("GBK");
            QStringDecoder back("GBK");
            const QByteArray bytes = one.encode(character);
            if (one.hasError() || QString(back.decode(bytes)) != character)
                return fail(QStringLiteral("%1: GBK has no character U+%2 (%3)")
                                .arg(where(text, i))
                                .arg(character.toUcs4().value(0), 4, 16, QLatin1Char('0'))
                                .arg(character));
            i += length - 1;
        }
        return fail(QStringLiteral("the page does not convert to GBK and back unchanged"));
    }

    // The article view picks the character set from the page's own declaration.
    const QByteArray declared = QStringDecoder::decoderForHtml(page).name();
    if (declared != "GB2312" && declared != "GBK" && declared != "GB18030")
        return fail(QStringLiteral("the page must declare its character set as gb2312 or gbk, in a <meta> tag "
                                   "within its first 1024 bytes (for example <meta charset=\"gb2312\">); "
                                   "the article view would read it as %1")
                        .arg(QString::fromLatin1(declared)));

    const articlecodec::Encoded encoded = articlecodec::encodeArticle({page.constData(), size_t(page.size())}, shift);
    if (!encoded.ok)
        return fail(QString::fromStdString(encoded.error));
    const std::string decoded = articlecodec::decodeArticle(
        reinterpret_cast<const unsigned char *>(encoded.bytes.data()), encoded.bytes.size(), shift);
    if (decoded != std::string_view(page.constData(), size_t(page.size())))
        return fail(QStringLiteral("internal error: the encoded file does not decode to the page"));

    if (!writeFile(output, QByteArray::fromStdString(encoded.bytes)))
        return fail(QStringLiteral("cannot write %1").arg(output));
    return 0;
}

int decode(const QString &input, const QString &output, int shift)
{
    QByteArray file;
    if (!readFile(input, &file))
        return fail(QStringLiteral("cannot read the article file"));
    const std::string page = articlecodec::decodeArticle(reinterpret_cast<const unsigned char *>(file.constData()),
                                                         size_t(file.size()), shift);
    if (!writeFile(output, QByteArray::fromStdString(page)))
        return fail(QStringLiteral("cannot write %1").arg(output));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 6 || args.at(2) != QLatin1String("--shift"))
        return usage();
    bool isNumber = false;
    const int shift = args.at(3).toInt(&isNumber);
    if (!isNumber)
        return usage();
    g_input = args.at(4);
    if (args.at(1) == QLatin1String("encode"))
        return encode(args.at(4), args.at(5), shift);
    if (args.at(1) == QLatin1String("decode"))
        return decode(args.at(4), args.at(5), shift);
    return usage();
}
