#include "common/Pictures.h"

#include "common/Module1.h"
#include "common/PictureBounds.h"
#include "common/PictureReadAhead.h"
#include "common/RegularFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace pictures {

QImage load(const QString &fileName, QString *errorDescription, const QSize &scaledSize, QSize *pictureSize)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    auto fail = [&](const QString &description) {
        if (errorDescription)
            *errorDescription = description;
        return QImage();
    };
    const QString tooLarge = QStringLiteral("图片太大，无法显示：%1").arg(shown);

    // Only a regular file is opened, without blocking: a pipe or a device in a picture's place is
    // refused before a byte is read.
    QFile file;
    switch (regularfile::open(file, fileName, picturebounds::kMaxFileBytes)) {
    case regularfile::Refusal::None:
        break;
    case regularfile::Refusal::Missing:
        return fail(QStringLiteral("文件未找到：%1").arg(shown));
    case regularfile::Refusal::Folder:
        return fail(QStringLiteral("无法打开图片文件：%1 是一个文件夹，不是图片文件。").arg(shown));
    case regularfile::Refusal::NotRegular:
        return fail(QStringLiteral("无法打开图片文件：%1 不是普通文件。").arg(shown));
    case regularfile::Refusal::Denied:
        return fail(QStringLiteral("拒绝访问，无法读取图片文件：%1").arg(shown));
    case regularfile::Refusal::TooLarge:
        return fail(tooLarge);
    }
    const QByteArray bytes = regularfile::readAll(file, picturebounds::kMaxFileBytes);
    file.close();
    if (bytes.isEmpty())
        return fail(QStringLiteral("图片文件是空的：%1").arg(shown));
    const QString damaged = QStringLiteral("无效的图片：%1 不是可以识别的图片格式，或者文件已经损坏。").arg(shown);

    // A JPEG's scans are counted before decoding: each is a pass over the whole picture.
    const picturebounds::JpegShape jpeg =
        picturebounds::jpegShape(reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size()));
    if (jpeg.scans > picturebounds::kMaxJpegScans)
        return fail(damaged);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // The declared size is read from the header alone; the decoder's own memory counts too.
    const QSize declared = reader.size();
    if (pictureSize)
        *pictureSize = declared;
    if (!picturebounds::sizeAllowed(declared.width(), declared.height(), jpeg.progressive))
        return fail(QStringLiteral("图片太大，无法显示：%1（%2 × %3 像素）")
                        .arg(shown)
                        .arg(declared.width())
                        .arg(declared.height()));
    reader.setAllocationLimit(int(picturebounds::kMaxDecodeBytes >> 20));
    if (!scaledSize.isEmpty())
        reader.setScaledSize(scaledSize);
    QImage image = reader.read();
    if (image.isNull())
        return fail(damaged);
    if (errorDescription)
        errorDescription->clear();
    return image;
}

namespace {

QString appIconFile()
{
    return Module1::appFile(QStringLiteral("\\picture\\linglu.png"));
}

PictureReadAhead g_icon;

QImage readIcon(const QString &fileName)
{
    return load(fileName);
}

} // namespace

void preloadAppIcon()
{
    g_icon.start(appIconFile(), readIcon);
}

QIcon appIcon()
{
    static QString file;
    static QIcon icon;
    const QString wanted = appIconFile();
    if (file != wanted) { // read again only for another installation folder (the tests make many)
        file = wanted;
        // Read through the same bounded loader as every other picture, so a pipe or an
        // oversized file in the icon's place is refused rather than read; taken from the
        // thread that read it ahead when that was for the same file.
        const QImage image = g_icon.take(wanted, readIcon);
        icon = image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace pictures
