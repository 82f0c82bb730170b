// Feeds arbitrary bytes to the article view as a decoded page: the page file is read, decoded,
// flattened and laid out, every picture, style sheet and page it names is asked for, and every
// link in it is followed, in a small installation folder that also holds a link to /dev/zero, a
// named pipe and a link to a file outside it. Besides running under the sanitizers, every input
// is checked against:
//  - the files the view read: only the page and regular files inside the installation folder,
//    never more than the bound;
//  - the laid-out document: no table nested deeper than the bound;
//  - every link: it leads to an anchor of the page or to a page inside the installation folder.
#include "articles/ArticleBrowser.h"
#include "articles/ArticleResources.h"
#include "articles/PageSanitiser.h"
#include "common/Module1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

[[noreturn]] void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "view_fuzzer: %s %s\n", what, qPrintable(detail));
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fail("check failed: " #condition, detail);                                                                 \
    } while (0)

struct Fixture {
    QTemporaryDir dir;
    QString root;     // canonical installation folder
    QString pagePath; // its tem.htm
};

Fixture *fixture()
{
    static Fixture *made = [] {
        auto *f = new Fixture;
        f->root = QFileInfo(f->dir.path()).canonicalFilePath() + QStringLiteral("/linglu");
        QDir().mkpath(f->root + QStringLiteral("/picture"));
        QImage picture(24, 16, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        picture.save(f->root + QStringLiteral("/picture/001.jpg"), "JPG");
        picture.save(f->root + QStringLiteral("/picture/globe.png"), "PNG");
        QFile css(f->root + QStringLiteral("/a.css"));
        css.open(QIODevice::WriteOnly);
        css.write("p { color: red }");
        css.close();
        QFile other(f->root + QStringLiteral("/other.htm"));
        other.open(QIODevice::WriteOnly);
        other.write("<html><body><table><tr><td>other</td></tr></table></body></html>");
        other.close();
        QFile secret(f->dir.path() + QStringLiteral("/secret.htm"));
        secret.open(QIODevice::WriteOnly);
        secret.write("<p>outside</p>");
        secret.close();
        QFile::link(QStringLiteral("/dev/zero"), f->root + QStringLiteral("/zero.png"));
        QFile::link(f->dir.path() + QStringLiteral("/secret.htm"), f->root + QStringLiteral("/secret.htm"));
#ifndef _WIN32
        ::mkfifo(QFile::encodeName(f->root + QStringLiteral("/pipe.png")).constData(), 0644);
        ::mkfifo(QFile::encodeName(f->root + QStringLiteral("/pipe.htm")).constData(), 0644);
#endif
        f->pagePath = f->root + QStringLiteral("/tem.htm");
        Module1::setAppPath(f->root);
        return f;
    }();
    return made;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    fixture();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Fixture *f = fixture();
    {
        QFile page(f->pagePath);
        if (!page.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail("cannot write the page");
        page.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    ArticleBrowser browser;
    browser.resize(320, 240);
    browser.openPage(f->pagePath);
    QTextDocument *document = browser.document();
    document->setTextWidth(300);
    QImage canvas(320, 240, QImage::Format_ARGB32);
    {
        QPainter painter(&canvas);
        document->drawContents(&painter, QRectF(0, 0, 320, 240));
    }

    FUZZ_CHECK(pagesanitiser::tableDepth(document->rootFrame()) <= pagesanitiser::kMaxTableDepth, QString());

    // Every link the page holds, followed (collected first: opening a page replaces the document).
    QList<QUrl> links;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QString href = it.fragment().charFormat().anchorHref(); !href.isEmpty() && links.size() < 32)
                links.append(browser.source().resolved(QUrl(href)));
    for (const QUrl &link : std::as_const(links)) {
        QUrl target;
        const ArticleResources::Link kind = browser.resources().follow(link, browser.source(), &target);
        if (kind == ArticleResources::Link::OpenPage) {
            const QString path = target.toLocalFile();
            FUZZ_CHECK(path.startsWith(f->root + QLatin1Char('/')), path);
            FUZZ_CHECK(!QFileInfo(path).isSymLink(), path);
        }
        emit browser.anchorClicked(link);
    }

    const QStringList read = browser.resources().filesRead();
    FUZZ_CHECK(read.size() <= ArticleResources::kMaxFiles, QString::number(read.size()));
    for (const QString &file : read) {
        FUZZ_CHECK(file.startsWith(f->root + QLatin1Char('/')), file);
        FUZZ_CHECK(!file.endsWith(QLatin1String("secret.htm")),
                   QString::fromLatin1(file.toUtf8().toPercentEncoding("/")));
    }
    return 0;
}
