#pragma once
// Shared by the robustness tests: the faults a file of the installation (Installation.h) can be
// given, the message boxes shown meanwhile, and the process's resident memory.

#include "Installation.h"

#include "app/MDIForm1.h"
#include "common/Module1.h"
#include "common/MsgBox.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QWidget>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace robust {

// The frame's child windows of one kind, in the order they were created.
template <typename Form> QList<Form *> childForms(MDIForm1 *frame)
{
    QList<Form *> forms;
    for (QMdiSubWindow *sub : frame->area()->subWindowList(QMdiArea::CreationOrder))
        if (auto *form = qobject_cast<Form *>(sub->widget()))
            forms.append(form);
    return forms;
}

// What can be wrong with a file the program reads. The last three are hostile rather than damaged:
// a named pipe in the file's place (opening it for reading waits for a writer), a small JPEG of
// thousands of empty progressive scans (each a pass of the decoder over the whole picture), and a
// JPEG that declares 12000 × 12000 pixels.
enum class Fault { Missing, Empty, Truncated, NotAPicture, Directory, Unreadable, NamedPipe, ScanBomb, HugePicture };

inline const char *faultName(Fault fault)
{
    switch (fault) {
    case Fault::Missing:
        return "missing";
    case Fault::Empty:
        return "empty";
    case Fault::Truncated:
        return "truncated";
    case Fault::NotAPicture:
        return "not a picture";
    case Fault::Directory:
        return "directory";
    case Fault::Unreadable:
        return "unreadable";
    case Fault::NamedPipe:
        return "named pipe";
    case Fault::ScanBomb:
        return "thousands of scans";
    case Fault::HugePicture:
        return "12000 x 12000";
    }
    return "?";
}

inline const QList<Fault> &allFaults()
{
    static const QList<Fault> faults = {Fault::Missing,     Fault::Empty,     Fault::Truncated,
                                        Fault::NotAPicture, Fault::Directory, Fault::Unreadable,
                                        Fault::NamedPipe,   Fault::ScanBomb,  Fault::HugePicture};
    return faults;
}

// A progressive JPEG followed by thousands of DC refinement scans without data: the decoder warns
// about each and goes on, one pass over the whole picture per scan.
inline QByteArray scanBombJpeg(int scans = 6000)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        writer.write(samplePicture(1, QSize(1024, 1024)));
    }
    const qsizetype end = bytes.lastIndexOf("\xFF\xD9");
    // SOS: one component (1), tables 0/0, spectral 0..0, Ah 1 Al 0.
    static const char scan[] = {'\xFF', '\xDA', 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x10};
    QByteArray scansBytes;
    for (int i = 0; i < scans; ++i)
        scansBytes.append(scan, sizeof scan);
    bytes.insert(end, scansBytes);
    return bytes;
}

// A small JPEG whose frame header claims 12000 × 12000 pixels.
inline QByteArray hugeJpeg()
{
    QByteArray bytes = encodedPicture(samplePicture(2, QSize(64, 64)), "JPG");
    const qsizetype sof = bytes.indexOf("\xFF\xC0");
    Q_ASSERT(sof > 0);
    for (const qsizetype at : {sof + 5, sof + 7}) { // height, then width
        bytes[at] = char(12000 >> 8);
        bytes[at + 1] = char(12000 & 0xFF);
    }
    return bytes;
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
    case Fault::NamedPipe:
#ifdef _WIN32
        return false;
#else
        return QFile::remove(path) && ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
#endif
    case Fault::ScanBomb:
        return writeFile(path, scanBombJpeg());
    case Fault::HugePicture:
        return writeFile(path, hugeJpeg());
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
        msgbox::setObserver([this](const msgbox::Shown &box) {
            m_shown.append(box);
            ++m_depth;
            m_maxDepth = qMax(m_maxDepth, m_depth);
            if (m_whileOpen)
                m_whileOpen();
            --m_depth;
        });
    }
    ~BoxRecorder() { msgbox::setObserver({}); }
    BoxRecorder(const BoxRecorder &) = delete;
    BoxRecorder &operator=(const BoxRecorder &) = delete;

    const QList<msgbox::Shown> &shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    int maxDepth() const { return m_maxDepth; }
    void clear() { m_shown.clear(); }
    void setWhileOpen(std::function<void()> work) { m_whileOpen = std::move(work); }

  private:
    QList<msgbox::Shown> m_shown;
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

// The process's peak resident memory in KiB since the last resetPeakKiB(), or -1.
inline qint64 peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Starts a new peak: writing 5 to clear_refs sets the peak back to what is resident now.
inline void resetPeakKiB()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Ends the test program at once, with a message saying what hung or grew, when the work it guards
// takes longer than the given seconds or makes the process grow by more than the given MiB. A
// blocking open() or an endless read cannot be interrupted from inside, and a test that waits for
// the run's time-out says nothing about where it stopped.
class Watchdog
{
  public:
    Watchdog(const char *what, double seconds, qint64 maxGrowthMiB = 600)
        : m_what(what)
    {
        const qint64 start = residentKiB();
        m_thread = std::thread([this, seconds, maxGrowthMiB, start] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
            std::unique_lock lock(m_mutex);
            while (!m_done) {
                if (std::chrono::steady_clock::now() >= deadline) {
                    std::fprintf(stderr, "FAIL! %s: still busy after %.1f s\n", m_what, seconds);
                    std::_Exit(3);
                }
                const qint64 now = residentKiB();
                if (start >= 0 && now >= 0 && now - start > maxGrowthMiB * 1024) {
                    std::fprintf(stderr, "FAIL! %s: grew by %lld MiB\n", m_what,
                                 static_cast<long long>((now - start) / 1024));
                    std::_Exit(3);
                }
                m_wake.wait_for(lock, std::chrono::milliseconds(20));
            }
        });
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

  private:
    const char *m_what;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

} // namespace robust
