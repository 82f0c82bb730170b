#include "articles/PageSanitiser.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace pagesanitiser {

namespace {

bool isNameChar(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

// The tags that make up a table; flattened tables lose all of them.
bool isTableTag(QStringView name)
{
    static const char *const names[] = {"table", "tr",    "td",      "th",  "thead",
                                        "tbody", "tfoot", "caption", "col", "colgroup"};
    for (const char *n : names)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Where the tag that starts at '<' ends: one past its '>', with quoted attribute values skipped;
// the end of the text when it never closes.
qsizetype tagEnd(const QString &html, qsizetype start)
{
    QChar quote;
    for (qsizetype i = start + 1; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            // Only a quote that opens an attribute value counts, as the HTML parser reads it.
            if (i > start + 1 && html.at(i - 1) == QLatin1Char('='))
                quote = c;
        } else if (c == QLatin1Char('>')) {
            return i + 1;
        }
    }
    return html.size();
}

// The text with every table deeper than maxDepth flattened, by counting table tags.
QString flattenBeyond(const QString &html, int maxDepth)
{
    QString out;
    out.reserve(html.size());
    int depth = 0;
    qsizetype copied = 0; // html up to here is in out already
    qsizetype i = 0;
    while ((i = html.indexOf(QLatin1Char('<'), i)) >= 0) {
        if (html.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
            i = close < 0 ? html.size() : close + 3;
            continue;
        }
        qsizetype nameStart = i + 1;
        const bool closing = nameStart < html.size() && html.at(nameStart) == QLatin1Char('/');
        if (closing)
            ++nameStart;
        qsizetype nameEnd = nameStart;
        while (nameEnd < html.size() && isNameChar(html.at(nameEnd)))
            ++nameEnd;
        if (nameEnd == nameStart) {
            ++i; // a lone '<' is text
            continue;
        }
        const QStringView name = QStringView(html).mid(nameStart, nameEnd - nameStart);
        const qsizetype end = tagEnd(html, i);
        if (!isTableTag(name)) {
            i = end;
            continue;
        }
        const bool table = name.compare(QLatin1String("table"), Qt::CaseInsensitive) == 0;
        // A table's own tags count at its depth; the tags of the rows and cells inside it too.
        int tagDepth = depth;
        if (table && !closing)
            tagDepth = ++depth;
        else if (table && closing)
            tagDepth = depth > 0 ? depth-- : 0;
        if (tagDepth > maxDepth) {
            out.append(QStringView(html).mid(copied, i - copied));
            // Cells of a flattened table stay apart by a space.
            if (!closing && !table)
                out.append(QLatin1Char(' '));
            copied = end;
        }
        i = end;
    }
    out.append(QStringView(html).mid(copied));
    return out;
}

// A document that is only parsed: it reads nothing (a style sheet a page links or imports is read
// while parsing), and is never laid out.
class ParsedOnly : public QTextDocument
{
  protected:
    QVariant loadResource(int type, const QUrl &) override
    {
        return type == QTextDocument::ImageResource ? QVariant(QByteArray()) : QVariant(QString());
    }
};

// How deep the tables of a page nest as the view's own parser reads it. Parsing builds the
// document's frames without laying them out, which is what costs; it takes linear time.
int parsedTableDepth(const QString &html)
{
    ParsedOnly document;
    document.setHtml(html);
    return tableDepth(document.rootFrame());
}

} // namespace

int tableDepth(QTextFrame *frame)
{
    int deepest = 0;
    for (QTextFrame *child : frame->childFrames())
        deepest = qMax(deepest, tableDepth(child));
    return deepest + (qobject_cast<QTextTable *>(frame) ? 1 : 0);
}

QString flattenDeepTables(const QString &html)
{
    // Counting tags is exact for well-formed tables. Qt's parser also makes tables of stray rows and
    // cells and closes tables where tags are missing, so the result is checked as the view will read
    // it: when it still nests too deep, every table is flattened, and should even that not do, the
    // page is shown as its text alone.
    QString flattened = flattenBeyond(html, kMaxTableDepth);
    if (parsedTableDepth(flattened) <= kMaxTableDepth)
        return flattened;
    flattened = flattenBeyond(html, 0);
    if (parsedTableDepth(flattened) <= kMaxTableDepth)
        return flattened;
    ParsedOnly document;
    document.setHtml(flattened);
    return QStringLiteral("<pre>") + document.toPlainText().toHtmlEscaped() + QStringLiteral("</pre>");
}

} // namespace pagesanitiser
