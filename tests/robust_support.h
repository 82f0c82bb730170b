#pragma once
// Shared by the robustness tests: a complete small installation folder in a temporary directory,
// the faults a file of it can be given, the message boxes shown meanwhile, and the process's
// resident memory.

#include "app/MDIForm1.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "articles/ArticleCodec.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QWidget>

namespace robust {

// The frame's child windows of one kind, in the order they were created.
template<typename Form>
QList<Form *> childForms(MDIForm1 *frame)
{
    QList<Form *> forms;
    for (QMdiSubWindow *sub : frame->area()->subWindowList(QMdiArea::CreationOrder))
        if (auto *form = qobject_cast<Form *>(sub->widget()))
            forms.append(form);
    return forms;
}


// The files the program reads, by the backslash-led names the program uses.
inline QString pictureName(int number)
{
    return QStringLiteral("\\picture\\%1.jpg").arg(number, 3, 10, QLatin1Char('0'));
}
inline const QString kGlobe = QStringLiteral("\\picture\\globe.png");        // the About box's
inline const QString kGlobeJpeg = QStringLiteral("\\picture\\globe.jpg");    // the catalogue's
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
    static const unsigned char bytes[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF,
        0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
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
    const ArticleCodec::Encoded encoded = ArticleCodec::encodeArticle(std::string_view(page.constData(), size_t(page.size())), shift);
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

// A complete installation folder: every picture the book shows (000 to 249), the background, the
// GIF, the four banner bitmaps and both article files. AppPath points at it.
class Installation
{
public:
    Installation()
    {
        QDir root(m_dir.path());
        root.mkdir(QStringLiteral("picture"));
        root.mkdir(QStringLiteral("god"));
        for (int number = 0; number <= 249; ++number)
            writeFile(path(pictureName(number)), encodedPicture(samplePicture(number), "JPG"));
        writeFile(path(kGlobe), encodedPicture(samplePicture(300, QSize(160, 120)), "PNG"));
        writeFile(path(kGlobeJpeg), encodedPicture(samplePicture(300, QSize(160, 120)), "JPG"));
        writeFile(path(kGif), tinyGif());
        for (int i = 0; i < kBanners.size(); ++i)
            writeFile(path(kBanners[i]), encodedPicture(samplePicture(400 + i, QSize(64, 32)), "BMP"));
        writeFile(path(articleName(QStringLiteral("符咒心得"))), articleFile(QStringLiteral("符咒心得"), 2));
        writeFile(path(articleName(QStringLiteral("祝由须知"))), articleFile(QStringLiteral("祝由须知"), 3));
        Module1::setAppPath(m_dir.path());
    }

    QString root() const { return m_dir.path(); }

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

// What can be wrong with a file the program reads.
enum class Fault { Missing, Empty, Truncated, NotAPicture, Directory, Unreadable };

inline const char *faultName(Fault fault)
{
    switch (fault) {
    case Fault::Missing: return "missing";
    case Fault::Empty: return "empty";
    case Fault::Truncated: return "truncated";
    case Fault::NotAPicture: return "not a picture";
    case Fault::Directory: return "directory";
    case Fault::Unreadable: return "unreadable";
    }
    return "?";
}

inline const QList<Fault> &allFaults()
{
    static const QList<Fault> faults = {Fault::Missing, Fault::Empty, Fault::Truncated,
                                        Fault::NotAPicture, Fault::Directory, Fault::Unreadable};
    return faults;
}

// Whether permission bits stop this process from reading (not so for root, as in CI).
inline bool permissionsApply()
{
    QTemporaryDir dir;
    const QString probe = dir.filePath(QStringLiteral("probe"));
    writeFile(probe, "x");
    QFile::setPermissions(probe, QFileDevice::Permissions());
    QFile file(probe);
    const bool opened = file.open(QIODevice::ReadOnly);
    QFile::setPermissions(probe, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return !opened;
}

// Gives a file the fault. Returns false if the fault could not be made.
inline bool applyFault(const QString &path, Fault fault)
{
    QFile file(path);
    switch (fault) {
    case Fault::Missing:
        return QFile::remove(path);
    case Fault::Empty:
        return writeFile(path, QByteArray());
    case Fault::Truncated: {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.readAll();
        file.close();
        return writeFile(path, bytes.left(bytes.size() / 2));
    }
    case Fault::NotAPicture:
        return writeFile(path, QStringLiteral("这不是图片，只是一行文字。\r\n").toUtf8().repeated(8));
    case Fault::Directory:
        return QFile::remove(path) && QDir().mkdir(path);
    case Fault::Unreadable:
        return QFile::setPermissions(path, QFileDevice::Permissions());
    }
    return false;
}

// Records every message box instead of showing it; a test may also give it work to do while a box
// is "open" (the modal loop of a real box).
class BoxRecorder
{
public:
    BoxRecorder()
    {
        MsgBox::setObserver([this](const MsgBox::Shown &box) {
            m_shown.append(box);
            ++m_depth;
            m_maxDepth = qMax(m_maxDepth, m_depth);
            if (m_whileOpen)
                m_whileOpen();
            --m_depth;
        });
    }
    ~BoxRecorder() { MsgBox::setObserver({}); }
    BoxRecorder(const BoxRecorder &) = delete;
    BoxRecorder &operator=(const BoxRecorder &) = delete;

    const QList<MsgBox::Shown> &shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    int maxDepth() const { return m_maxDepth; }
    void clear() { m_shown.clear(); }
    void setWhileOpen(std::function<void()> work) { m_whileOpen = std::move(work); }

private:
    QList<MsgBox::Shown> m_shown;
    std::function<void()> m_whileOpen;
    int m_depth = 0;
    int m_maxDepth = 0;
};

inline int shownPictureNumber(const QImage &picture, QSize pictureSize = QSize())
{
    // A picture box may hold a copy scaled for its size: the size in the file tells the number.
    return picture.isNull() ? -1 : (pictureSize.isValid() ? pictureSize : picture.size()).width() - 100;
}

// Deletes every top-level window a test left behind.
inline void closeAllWindows()
{
    QList<QPointer<QWidget>> roots;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (!window->parentWidget())
            roots.append(window);
    qDeleteAll(roots);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The process's resident memory in KiB, or -1 where it cannot be read.
inline qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace robust
