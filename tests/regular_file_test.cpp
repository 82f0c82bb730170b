// Reading an installation file whole within a bound: the bytes are exactly the file's, a file that
// changed size after it was opened is read to its new end (never past the bound), and the buffer
// is sized by the file and not by the bound, so that loading a small picture does not need the
// 32 MB the bound allows.
#include "common/Pictures.h"
#include "common/RegularFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#ifdef __linux__
#include <sys/resource.h>
#endif

class RegularFileTest : public QObject
{
    Q_OBJECT

  private slots:
    void readAll_exactBytes_data();
    void readAll_exactBytes();
    void readAll_fileShrankOrGrewAfterOpening();
    void load_smallPictureNeedsNoBoundSizedBuffer();

  private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
};

void RegularFileTest::readAll_exactBytes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("bound");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << 0 << qint64(100) << 0;
    QTest::newRow("small, no bound") << 5000 << qint64(-1) << 5000;
    QTest::newRow("small, large bound") << 5000 << qint64(32) * 1024 * 1024 << 5000;
    QTest::newRow("exactly the bound") << 40000 << qint64(40000) << 40000;
    QTest::newRow("past the bound") << 40001 << qint64(40000) << 40000;
}

void RegularFileTest::readAll_exactBytes()
{
    QFETCH(int, size);
    QFETCH(qint64, bound);
    QFETCH(int, expected);
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + i / 251);
    QFile file(write(QStringLiteral("bytes"), bytes));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(regularfile::readAll(file, bound), bytes.left(expected));
}

void RegularFileTest::readAll_fileShrankOrGrewAfterOpening()
{
    const QString path = write(QStringLiteral("changing"), QByteArray(30000, 'a'));
    QFile reading;
    QCOMPARE(regularfile::open(reading, path, 100000), regularfile::Refusal::None);
    QVERIFY(QFile::resize(path, 1000));
    QCOMPARE(regularfile::readAll(reading, 100000), QByteArray(1000, 'a'));
    reading.close();

    QCOMPARE(regularfile::open(reading, path, 100000), regularfile::Refusal::None);
    {
        QFile growing(path);
        QVERIFY(growing.open(QIODevice::Append));
        QCOMPARE(growing.write(QByteArray(200000, 'b')), qint64(200000));
    }
    const QByteArray read = regularfile::readAll(reading, 100000);
    QCOMPARE(read.size(), 100000); // the bound holds for what came after the opening too
    QCOMPARE(read, QByteArray(1000, 'a') + QByteArray(99000, 'b'));
}

void RegularFileTest::load_smallPictureNeedsNoBoundSizedBuffer()
{
#if !defined(__linux__) || defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    QSKIP("needs an address-space limit that the sanitizers' own reservations do not disturb");
#else
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(picture.save(&buffer, "PNG"));
    const QString path = write(QStringLiteral("small.png"), png);
    QVERIFY(!pictures::load(path).isNull()); // the decoder's plugin is loaded before the limit

    // With only 16 MB of address space to spare, a small picture still loads.
    QFile status(QStringLiteral("/proc/self/status"));
    QVERIFY(status.open(QIODevice::ReadOnly));
    qint64 vmKiB = -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            vmKiB = line.mid(7).trimmed().split(' ').first().toLongLong();
    QVERIFY(vmKiB > 0);
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_AS, &before), 0);
    rlimit tight = before;
    tight.rlim_cur = rlim_t(vmKiB + 16 * 1024) * 1024;
    if (before.rlim_cur != RLIM_INFINITY && before.rlim_cur < tight.rlim_cur)
        QSKIP("the address space is already limited");
    QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
    QImage loaded;
    bool threw = false;
    try {
        loaded = pictures::load(path);
    } catch (const std::bad_alloc &) {
        threw = true;
    }
    QCOMPARE(setrlimit(RLIMIT_AS, &before), 0);
    QVERIFY(!threw);
    QCOMPARE(loaded.size(), QSize(64, 48));
    QCOMPARE(loaded.pixelColor(10, 10), QColor(Qt::darkCyan));
#endif
}

QTEST_GUILESS_MAIN(RegularFileTest)
#include "regular_file_test.moc"
