#include "articles/ArticlePage.h"

#include "articles/ArticleCodec.h"
#include "articles/Fwangye.h"
#include "articles/GbkText.h"
#include "articles/PageFile.h"
#include "common/ChildWindows.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <optional>
#include <vector>

namespace {

QString shown(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

// The text of an article file, read only as far as reading goes; on failure, a description that
// names the file.
std::optional<std::vector<std::uint16_t>> readArticleFile(const QString &fileName, QString *error)
{
    QFile file;
    switch (regularfile::open(file, fileName)) {
    case regularfile::Refusal::None:
        break;
    case regularfile::Refusal::Missing:
        *error = QStringLiteral("文件未找到：%1").arg(shown(fileName));
        return std::nullopt;
    case regularfile::Refusal::Folder:
        *error = QStringLiteral("无法打开文章文件：%1 是一个文件夹，不是文件。").arg(shown(fileName));
        return std::nullopt;
    case regularfile::Refusal::NotRegular:
        *error = QStringLiteral("无法打开文章文件：%1 不是普通文件。").arg(shown(fileName));
        return std::nullopt;
    case regularfile::Refusal::Denied:
    case regularfile::Refusal::TooLarge:
        *error = QStringLiteral("拒绝访问，无法读取文章文件：%1").arg(shown(fileName));
        return std::nullopt;
    }
    articlecodec::ArticleReader reader;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0) {
            *error = QStringLiteral("读取文章文件时出错：%1").arg(shown(fileName));
            return std::nullopt;
        }
        if (got == 0 || !reader.feed(reinterpret_cast<const unsigned char *>(buffer), size_t(got)))
            break;
    }
    reader.finish();
    return reader.takeCodes();
}

// Brings a window to the front as it is: a minimised article page stays minimised.
void bringToFront(QWidget *window)
{
    if (QMdiSubWindow *sub = Module1::subWindowOf(window)) {
        sub->raise();
        if (!sub->isMinimized() && sub->mdiArea())
            sub->mdiArea()->setActiveSubWindow(sub);
        return;
    }
    window->raise();
}

} // namespace

std::optional<QString> readArticlePage(const QString &name, int shift, QString *error)
{
    const auto text = readArticleFile(Module1::articleFile(name), error);
    if (!text)
        return std::nullopt;
    const std::string decoded = articlecodec::decodeText(*text, shift);
    return articles::decodePage(QByteArray::fromStdString(decoded));
}

Fwangye *articleWindow(const QString &name)
{
    return qobject_cast<Fwangye *>(childwindows::captioned(name));
}

void OpenArticlePage(const QString &name, int shift)
{
    // 1. An article page already open under this caption is brought back instead.
    if (QWidget *window = childwindows::captioned(name)) {
        bringToFront(window);
        return;
    }

    // 2. Read the article file; a failure here leaves no window behind.
    QString error;
    const auto text = readArticleFile(Module1::articleFile(name), &error);
    if (!text) {
        msgbox::show(error);
        return;
    }

    // 3. The new article page, maximised in front of the other child windows.
    auto *page = new Fwangye;
    page->setArticleName(name);
    page->setCaption(name);
    if (QMdiSubWindow *sub = Module1::addChildWindow(page))
        sub->showMaximized();
    else
        page->showMaximized();

    // 4.-6. Decode, write the temporary page and show it. A failure leaves the page empty.
    const std::string decoded = articlecodec::decodeText(*text, shift);
    const pagefile::Written written = pagefile::writePage(decoded);
    if (!written.ok) {
        msgbox::show(written.error);
        return;
    }
    page->navigate(written.path);
}
