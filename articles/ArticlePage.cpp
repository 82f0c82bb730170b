#include "articles/ArticlePage.h"

#include "common/Module1.h"
#include "common/MsgBox.h"
#include "articles/ArticleCodec.h"
#include "articles/Fwangye.h"

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
    const QFileInfo info(fileName);
    if (!info.exists()) {
        *error = QStringLiteral("文件未找到：%1").arg(shown(fileName));
        return std::nullopt;
    }
    if (info.isDir()) {
        *error = QStringLiteral("无法打开文章文件：%1 是一个文件夹，不是文件。").arg(shown(fileName));
        return std::nullopt;
    }
    // A pipe or a device would block reading until something writes to it, or never end.
    if (!info.isFile()) {
        *error = QStringLiteral("无法打开文章文件：%1 不是普通文件。").arg(shown(fileName));
        return std::nullopt;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("拒绝访问，无法读取文章文件：%1").arg(shown(fileName));
        return std::nullopt;
    }
    ArticleCodec::ArticleReader reader;
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

// Writes the page exactly as given; nothing but the named file is created or changed.
bool writePageFile(const QString &fileName, const std::string &page, QString *error)
{
    const QFileInfo info(fileName);
    if (info.isDir()) {
        *error = QStringLiteral("无法写入临时文件：%1 是一个文件夹。").arg(shown(fileName));
        return false;
    }
    // Writing through a link would overwrite whatever file it points to.
    if (info.isSymLink()) {
        *error = QStringLiteral("无法写入临时文件：%1 是一个指向其他文件的链接。").arg(shown(fileName));
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("拒绝访问，无法写入临时文件：%1").arg(shown(fileName));
        return false;
    }
    const qint64 written = file.write(page.data(), qint64(page.size()));
    file.close();
    if (written != qint64(page.size()) || file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("写入临时文件时出错（磁盘可能已满）：%1").arg(shown(fileName));
        return false;
    }
    return true;
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

std::optional<QString> ReadArticlePage(const QString &name, int shift, QString *error)
{
    const auto text = readArticleFile(Module1::appFile(QStringLiteral("\\god\\") + name + QStringLiteral(".god")), error);
    if (!text)
        return std::nullopt;
    const std::string decoded = ArticleCodec::decodeText(*text, shift);
    return ArticleBrowser::decodePage(QByteArray::fromStdString(decoded));
}

void OpenArticlePage(const QString &name, int shift)
{
    // 1. An article page already open under this caption is brought back instead.
    for (QWidget *window : Module1::loadedWindows()) {
        if (Module1::captionOf(window) == name) {
            bringToFront(window);
            return;
        }
    }

    // 2. Read the article file; a failure here leaves no window behind.
    QString error;
    const auto text = readArticleFile(Module1::appFile(QStringLiteral("\\god\\") + name + QStringLiteral(".god")), &error);
    if (!text) {
        MsgBox::show(error);
        return;
    }

    // 3. The new article page, maximised in front of the other child windows.
    auto *page = new Fwangye;
    page->setCaption(name);
    if (QMdiSubWindow *sub = Module1::addChildWindow(page))
        sub->showMaximized();
    else
        page->showMaximized();

    // 4.-6. Decode, write the temporary page and show it. A failure leaves the page empty.
    const std::string decoded = ArticleCodec::decodeText(*text, shift);
    const QString pageFile = Module1::appFile(QStringLiteral("\\tem.htm"));
    if (!writePageFile(pageFile, decoded, &error)) {
        MsgBox::show(error);
        return;
    }
    page->navigate(pageFile);
}
