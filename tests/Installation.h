#pragma once
// Shared by the tests that open windows: a complete installation folder in a temporary directory,
// the names of its files and the small files it is made of.

#include "articles/ArticleCodec.h"
#include "common/Module1.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringEncoder>
#include <QTemporaryDir>

// The files the program reads, by the backslash-led names the program uses.
inline QString pictureName(int number)
{
    return QStringLiteral("\\picture\\%1.jpg").arg(number, 3, 10, QLatin1Char('0'));
}
inline const QString kGlobe = QStringLiteral("\\picture\\globe.png");
inline const QString kGif = QStringLiteral("\\picture\\wkpna.gif");
inline const QStringList kBanners = {QStringLiteral("\\picture\\llhba.bmp"), QStringLiteral("\\picture\\llhbb.bmp"),
                                     QStringLiteral("\\picture\\llhbc.bmp"), QStringLiteral("\\picture\\llhbd.bmp")};
inline const QString kTemPage = QStringLiteral("\\tem.htm");

inline QString articleName(const QString &name)
{
    return QStringLiteral("\\god\\") + name + QStringLiteral(".god");
}

// A small picture whose colour and size follow its number, with some detail so that compressed
// files are long enough to be cut in the middle of their data. Unless given another size, picture
// NNN is (100 + NNN) pixels wide, so a test can tell which one a picture box shows.
inline QImage samplePicture(int number, QSize size = QSize())
{
    if (!size.isValid())
        size = QSize(100 + number, 48);
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((number * 37) % 360, 140, 235));
    QPainter painter(&image);
    painter.setPen(QColor(200, 30, 20));
    for (int i = 0; i < 12; ++i)
        painter.drawLine(i * 4, 0, size.width() - i * 3, size.height() - 1);
    return image;
}

// A 1 × 1 GIF, written out by hand: Qt reads GIF but cannot write it.
inline QByteArray tinyGif()
{
    static const unsigned char bytes[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                          0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04,
                                          0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01,
                                          0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

// An HTML page in GBK titled with the article's name, so that a second opening finds its window.
inline QByteArray articlePage(const QString &name)
{
    const QString html = QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                        "charset=gb2312\"><title>%1</title></head>\n<body><h1>%1</h1>\n"
                                        "<p>试验用的文章。</p>\n</body></html>\n")
                             .arg(name);
    QStringEncoder toGbk("GBK");
    Q_ASSERT(toGbk.isValid());
    QByteArray gbk = toGbk.encode(html);
    return gbk;
}

inline QByteArray articleFile(const QString &name, int shift)
{
    const QByteArray page = articlePage(name);
    const articlecodec::Encoded encoded =
        articlecodec::encodeArticle(std::string_view(page.constData(), size_t(page.size())), shift);
    Q_ASSERT(encoded.ok);
    return QByteArray(encoded.bytes.data(), qsizetype(encoded.bytes.size()));
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray encodedPicture(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 85);
    return bytes;
}

// A complete installation folder in a temporary directory: every picture the book shows (000 to
// 249), the background, the GIF, the four banner bitmaps and both article files. AppPath points at
// it. Picture NNN is (100 + NNN) pixels wide, or wider by the width given; its height is 48 pixels
// unless another is given.
class Installation
{
  public:
    explicit Installation(QSize pictureSize = QSize())
    {
        QDir root(m_dir.path());
        root.mkdir(QStringLiteral("picture"));
        root.mkdir(QStringLiteral("god"));
        for (int number = 0; number <= 249; ++number)
            writeFile(path(pictureName(number)),
                      encodedPicture(
                          samplePicture(number, pictureSize.isValid()
                                                    ? QSize(100 + number + pictureSize.width(), pictureSize.height())
                                                    : QSize()),
                          "JPG"));
        writeFile(path(kGlobe), encodedPicture(samplePicture(300, QSize(160, 120)), "PNG"));
        writeFile(path(kGif), tinyGif());
        for (int i = 0; i < kBanners.size(); ++i)
            writeFile(path(kBanners[i]), encodedPicture(samplePicture(400 + i, QSize(64, 32)), "BMP"));
        writeFile(path(articleName(QStringLiteral("符咒心得"))), articleFile(QStringLiteral("符咒心得"), 2));
        writeFile(path(articleName(QStringLiteral("祝由须知"))), articleFile(QStringLiteral("祝由须知"), 3));
        Module1::setAppPath(m_dir.path());
    }

    Installation(const Installation &) = delete;
    Installation &operator=(const Installation &) = delete;

    QString root() const { return m_dir.path(); }

    // Picture NNN's file, and taking it away.
    QString picture(int number) const { return path(pictureName(number)); }
    bool remove(int number) const { return QFile::remove(picture(number)); }

    // The path of a backslash-led name of the installation.
    QString path(const QString &backslashName) const
    {
        QString relative = backslashName;
        relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return m_dir.path() + relative;
    }

  private:
    QTemporaryDir m_dir;
};
