#pragma once
// What an article page may make its view load. Only regular files inside the installation folder
// are read (by their canonical path, so no link leads out of it), plus the page file itself; each
// within a size bound, and a bounded number of them for one page. Every answer is remembered, a
// refusal too, so that a resource that failed is not read again on the next layout or paint.
//
// A refusal is still an answer the text document takes as loaded (an empty text, a one-pixel
// image): given nothing, the document would go and read the file itself.

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QVariant>

class ArticleResources
{
  public:
    /// Bounds for one page: the size of a page or style sheet file (pictures have the picture
    /// loader's bounds), the number of files read, and the memory all its pictures together may
    /// take once decoded.
    static constexpr qint64 kMaxPageBytes = 1 << 20;
    static constexpr qint64 kMaxStyleSheetBytes = 256 << 10;
    static constexpr int kMaxFiles = 64;
    static constexpr qint64 kMaxPictureMemory = 192ll << 20;
    /// Distinct names a page may ask for at all; beyond this nothing is even looked up.
    static constexpr int kMaxRequests = 1024;

    /// installationFolder: the folder whose files may be read.
    explicit ArticleResources(const QString &installationFolder);

    /// The page file being shown (in the installation folder or the user's private folder). It may
    /// be read as a page although it need not lie inside the installation folder.
    void setPageFile(const QString &pageFile);

    /// A request of the text document (QTextDocument::ResourceType), for a name as the page wrote
    /// it (relative names are taken against the installation folder). Never an invalid variant.
    QVariant load(int type, const QUrl &name);

    enum class Link { InPage, OpenPage, Refused };
    /// What following a link may do: scroll to an anchor of the page shown (current is its URL),
    /// open another page of the installation (target says which), or nothing at all.
    Link follow(const QUrl &link, const QUrl &current, QUrl *target) const;

    /// The canonical paths of the files actually read, in order (for checks).
    const QStringList &filesRead() const { return m_filesRead; }

    /// The answer the document gets for a refused request of this type.
    static QVariant refusal(int type);

    /// The local file a name stands for, relative names taken against the installation folder;
    /// empty when the name is not a local file.
    QString localFileOf(const QUrl &name) const;

    /// The canonical path of a file inside the installation folder (or the page file); empty
    /// when the file is missing or lies elsewhere.
    QString allowedPath(const QString &localFile, bool asPage) const;

  private:
    QVariant read(int type, const QString &canonicalPath);

    QString m_folder;                   // canonical installation folder
    QString m_pageFile;                 // canonical page file
    QHash<QString, QVariant> m_answers; // by type and name, refusals included
    QHash<QString, QVariant> m_files;   // by type and canonical path
    QStringList m_filesRead;
    qint64 m_pictureMemory = 0;
};
