#include "articles/ArticlePictures.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace {

// Set on the format of a picture that the page names beyond the bound.
constexpr int kLeftOutProperty = QTextFormat::UserProperty + 0x4c4c;

QImage pictureOf(QTextDocument *document, const QTextImageFormat &format)
{
    const QVariant data = document->resource(QTextDocument::ImageResource, QUrl::fromEncoded(format.name().toUtf8()));
    return data.typeId() == QMetaType::QImage ? data.value<QImage>() : QImage();
}

} // namespace

void ArticlePictures::adopt(QTextDocument *document)
{
    document->documentLayout()->registerHandler(QTextFormat::ImageObject, this);
    leaveOutBeyondBound(document);
}

int ArticlePictures::leaveOutBeyondBound(QTextDocument *document)
{
    // Every block in order, those of table cells included; a fragment holds one or more pictures of
    // one format. Everything from the first picture beyond the bound to the end is marked in one
    // change, so the page is laid out again once; the mark means nothing to text.
    int pictures = 0;
    int firstBeyond = -1;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            if (firstBeyond < 0 && pictures + fragment.length() > kMaxPicturesPerPage)
                firstBeyond = fragment.position() + (kMaxPicturesPerPage - pictures);
            pictures += fragment.length();
        }
    }
    if (firstBeyond < 0)
        return 0;
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.setPosition(firstBeyond);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    QTextCharFormat leftOut;
    leftOut.setProperty(kLeftOutProperty, true);
    cursor.mergeCharFormat(leftOut);
    document->setUndoRedoEnabled(undo);
    return pictures - kMaxPicturesPerPage;
}

QSizeF ArticlePictures::intrinsicSize(QTextDocument *document, int, const QTextFormat &format)
{
    const QTextImageFormat image = format.toImageFormat();
    if (image.boolProperty(kLeftOutProperty))
        return QSizeF(0, 0);
    const bool hasWidth = image.hasProperty(QTextFormat::ImageWidth);
    const bool hasHeight = image.hasProperty(QTextFormat::ImageHeight);
    QSizeF size(std::max(0.0, image.width()), std::max(0.0, image.height()));
    if (!hasWidth || !hasHeight) {
        // The picture's own size, or its shape at the one length the page gives.
        QSizeF natural = pictureOf(document, image).size();
        if (natural.isEmpty())
            natural = QSizeF(1, 1);
        if (hasWidth)
            size.setHeight(natural.height() * size.width() / natural.width());
        else if (hasHeight)
            size.setWidth(natural.width() * size.height() / natural.height());
        else
            size = natural;
    }
    const double side = std::max(size.width(), size.height());
    if (side > kMaxLaidOutSide)
        size *= kMaxLaidOutSide / side;
    return QSizeF(std::round(size.width()), std::round(size.height()));
}

void ArticlePictures::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int,
                                 const QTextFormat &format)
{
    const QTextImageFormat image = format.toImageFormat();
    if (image.boolProperty(kLeftOutProperty) || rect.isEmpty())
        return;
    const QImage picture = pictureOf(document, image);
    if (picture.isNull())
        return;
    // The size the picture takes on the device; a view is only ever moved and scaled, not turned.
    const QTransform transform = painter->deviceTransform();
    const QSize device(qRound(rect.width() * std::abs(transform.m11())),
                       qRound(rect.height() * std::abs(transform.m22())));
    if (transform.isRotating() || device.isEmpty() || qint64(device.width()) * device.height() * 4 > kMaxCopyBytes) {
        // Drawn larger than any copy worth keeping: from the picture itself, only what is exposed.
        painter->drawImage(rect, picture);
        return;
    }
    painter->drawImage(rect, scaled(picture, device));
}

QImage ArticlePictures::scaled(const QImage &picture, QSize size)
{
    if (picture.size() == size)
        return picture;
    const Key key{picture.cacheKey(), size};
    const auto kept = m_kept.constFind(key);
    if (kept != m_kept.constEnd()) {
        m_recent.removeOne(key);
        m_recent.append(key);
        return *kept;
    }

    // A copy much smaller than the picture is made from the smallest halving of it that is still
    // larger, itself made and kept the same way, so that each new size costs about what the copy
    // itself holds rather than the whole picture.
    QSize above = picture.size();
    QSize next = above / 2;
    while (next.width() >= size.width() && next.height() >= size.height() && next != size && !next.isEmpty()) {
        above = next;
        next /= 2;
    }
    const QImage from = above == picture.size() ? picture : scaled(picture, above);
    const QImage copy = from.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ++m_copiesMade;

    m_kept.insert(key, copy);
    m_recent.append(key);
    m_keptBytes += copy.sizeInBytes();
    while (m_keptBytes > kMaxKeptBytes && m_recent.size() > 1) {
        const Key oldest = m_recent.takeFirst();
        m_keptBytes -= m_kept.take(oldest).sizeInBytes();
    }
    return copy;
}
