#include "articles/ArticleResources.h"

#include "articles/GbkText.h"
#include "articles/PageSanitiser.h"
#include "common/Pictures.h"
#include "common/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

namespace {

bool isPageName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html");
}

} // namespace

ArticleResources::ArticleResources(const QString &installationFolder)
    : m_folder(QFileInfo(installationFolder).canonicalFilePath())
{
}

void ArticleResources::setPageFile(const QString &pageFile)
{
    m_pageFile = QFileInfo(pageFile).canonicalFilePath();
    // A new page: pages are read anew, everything else the last one asked for is remembered.
    const QString pages = QString::number(int(QTextDocument::HtmlResource)) + QLatin1Char(':');
    m_answers.removeIf([&](const auto &it) { return it.key().startsWith(pages); });
    m_files.removeIf([&](const auto &it) { return it.key().startsWith(pages); });
}

QVariant ArticleResources::refusal(int type)
{
    switch (type) {
    case QTextDocument::ImageResource: {
        QImage blank(1, 1, QImage::Format_ARGB32);
        blank.fill(Qt::transparent);
        return blank;
    }
    case QTextDocument::HtmlResource:
    case QTextDocument::StyleSheetResource:
    case QTextDocument::MarkdownResource:
        return QString();
    default:
        return QByteArray();
    }
}

QString ArticleResources::localFileOf(const QUrl &name) const
{
    QUrl url = name;
    if (url.isRelative() && url.scheme().isEmpty()) {
        if (m_folder.isEmpty())
            return QString();
        url = QUrl::fromLocalFile(m_folder + QLatin1Char('/')).resolved(name);
    }
    if (!url.isLocalFile())
        return QString();
    return url.toLocalFile();
}

QString ArticleResources::allowedPath(const QString &localFile, bool asPage) const
{
    // A name with a NUL in it would mean one file to Qt's checks and another to the system.
    if (localFile.isEmpty() || localFile.contains(QChar(u'\0')))
        return QString();
    const QString canonical = QFileInfo(localFile).canonicalFilePath();
    if (canonical.isEmpty())
        return QString();
    if (asPage && !m_pageFile.isEmpty() && canonical == m_pageFile)
        return canonical;
    if (m_folder.isEmpty() || !canonical.startsWith(m_folder + QLatin1Char('/')))
        return QString();
    if (asPage && !isPageName(canonical))
        return QString();
    return canonical;
}

QVariant ArticleResources::load(int type, const QUrl &name)
{
    const QString key =
        QString::number(type) + QLatin1Char(':') + name.toString(QUrl::RemoveQuery | QUrl::RemoveFragment);
    const auto known = m_answers.constFind(key);
    if (known != m_answers.constEnd())
        return *known;
    if (m_answers.size() >= kMaxRequests)
        return refusal(type);

    QVariant answer;
    const bool asPage = type == QTextDocument::HtmlResource;
    const QString path = allowedPath(localFileOf(name), asPage);
    if (path.isEmpty())
        answer = refusal(type);
    else
        answer = read(type, path);
    m_answers.insert(key, answer);
    return answer;
}

QVariant ArticleResources::read(int type, const QString &canonicalPath)
{
    const QString key = QString::number(type) + QLatin1Char(':') + canonicalPath;
    const auto known = m_files.constFind(key);
    if (known != m_files.constEnd())
        return *known;
    if (m_filesRead.size() >= kMaxFiles)
        return refusal(type);
    m_filesRead.append(canonicalPath);

    QVariant answer = refusal(type);
    switch (type) {
    case QTextDocument::HtmlResource:
    case QTextDocument::StyleSheetResource: {
        const bool page = type == QTextDocument::HtmlResource;
        QFile file;
        if (regularfile::open(file, canonicalPath, page ? kMaxPageBytes : kMaxStyleSheetBytes) !=
            regularfile::Refusal::None)
            break;
        const QByteArray bytes = regularfile::readAll(file, page ? kMaxPageBytes : kMaxStyleSheetBytes);
        answer = page ? pagesanitiser::flattenDeepTables(articles::decodePage(bytes)) : QString::fromUtf8(bytes);
        break;
    }
    case QTextDocument::ImageResource: {
        // The picture loader opens regular files only, without blocking, and bounds the file's size,
        // the picture's dimensions and the decoder's memory.
        // It is kept in the form the painter draws without converting it (a palette picture would
        // otherwise be converted whole on every paint).
        QImage image = pictures::load(canonicalPath);
        if (!image.isNull())
            image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        if (image.isNull() || m_pictureMemory + image.sizeInBytes() > kMaxPictureMemory)
            break;
        m_pictureMemory += image.sizeInBytes();
        answer = image;
        break;
    }
    default:
        break;
    }
    m_files.insert(key, answer);
    return answer;
}

ArticleResources::Link ArticleResources::follow(const QUrl &link, const QUrl &current, QUrl *target) const
{
    // A link to an anchor of the page shown, written as "#name" or with the page's own name.
    if (link.hasFragment()) {
        const bool samePage = (link.scheme().isEmpty() && link.path().isEmpty()) ||
                              link.adjusted(QUrl::RemoveFragment) == current.adjusted(QUrl::RemoveFragment);
        if (samePage) {
            if (target)
                *target = link;
            return Link::InPage;
        }
    }
    const QString path = allowedPath(localFileOf(link.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery)), true);
    // Only a regular file is worth opening as a page: a pipe or a folder would show nothing.
    if (path.isEmpty() || path == m_pageFile || !QFileInfo(path).isFile())
        return Link::Refused;
    if (target) {
        *target = QUrl::fromLocalFile(path);
        if (link.hasFragment())
            target->setFragment(link.fragment());
    }
    return Link::OpenPage;
}
