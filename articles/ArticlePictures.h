#pragma once
// The pictures of an article page as its view lays them out and paints them. Drawing a page costs
// what the window shows, not what the page names:
// - a picture is decoded once (ArticleResources) and scaled once for each size it is drawn at; the
//   scaled copy is kept (within a memory bound) and painted 1:1 on every later paint, and a small
//   copy is made from a halving of the picture rather than from the whole of it;
// - a picture drawn so large that its copy would not be worth keeping is painted from the picture
//   itself, and the painter then touches only the part that is exposed;
// - a page lays out at most kMaxPicturesPerPage pictures; any after them are left out, taking no
//   room, as if refused; and no picture is laid out larger than kMaxLaidOutSide on a side.
//
// It takes the place of the text document's own picture handler, which converts the whole picture
// for every picture on every paint, and again for its size on every layout.

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QTextObjectInterface>

class QTextDocument;

class ArticlePictures : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    static constexpr int kMaxPicturesPerPage = 128;
    static constexpr int kMaxLaidOutSide = 8192;
    /// Memory the kept copies take together, and the largest copy worth keeping.
    static constexpr qint64 kMaxKeptBytes = 64ll << 20;
    static constexpr qint64 kMaxCopyBytes = 16ll << 20;

    using QObject::QObject;

    /// Makes this the document's picture handler and leaves out the pictures beyond the bound.
    /// Called whenever the document has a new page.
    void adopt(QTextDocument *document);

    /// Marks the pictures after the first kMaxPicturesPerPage as left out; returns how many were.
    static int leaveOutBeyondBound(QTextDocument *document);

    /// The picture at size (in device pixels): made once, kept, and the same copy returned after.
    QImage scaled(const QImage &picture, QSize size);
    /// How many copies were made so far (for checks).
    int copiesMade() const { return m_copiesMade; }

    QSizeF intrinsicSize(QTextDocument *document, int position, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int position,
                    const QTextFormat &format) override;

  private:
    struct Key {
        qint64 picture;
        QSize size;
        bool operator==(const Key &other) const { return picture == other.picture && size == other.size; }
    };
    friend size_t qHash(const Key &key, size_t seed)
    {
        return qHashMulti(seed, key.picture, key.size.width(), key.size.height());
    }

    QHash<Key, QImage> m_kept;
    QList<Key> m_recent; // least recently used first
    qint64 m_keptBytes = 0;
    int m_copiesMade = 0;
};
