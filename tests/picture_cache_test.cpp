// The viewer's picture cache without a window: what a file's stamp notices, which entry the bound
// drops, and what the decoder hands over for a box.
#include "viewer/PictureCache.h"
#include "viewer/PictureLoader.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using viewer::FileStamp;
using viewer::PictureCache;
using viewer::PictureKey;
using viewer::ReadyPicture;

namespace {

ReadyPicture picture(int width, int height, const FileStamp &stamp = {10, 1, 1})
{
    ReadyPicture ready;
    ready.image = QImage(width, height, QImage::Format_RGB32);
    ready.image.fill(Qt::red);
    ready.pictureSize = QSize(width, height);
    ready.stamp = stamp;
    return ready;
}

} // namespace

class PictureCacheTest : public QObject
{
    Q_OBJECT

  private slots:
    void find_onlyWhileFileUnchanged_data();
    void find_onlyWhileFileUnchanged();
    void key_isPictureAndBox();
    void bound_dropsLeastRecentlyUsed();
    void bound_tooLargeNotKeptAndReplacingCountsOnce();
    void stamp_seesRewriteAndRemoval();
    void decode_scaledToBoxKeepsOwnSize_data();
    void decode_scaledToBoxKeepsOwnSize();
    void decode_failureDescribed();
};

void PictureCacheTest::find_onlyWhileFileUnchanged_data()
{
    QTest::addColumn<FileStamp>("now");
    QTest::addColumn<bool>("hit");
    const FileStamp kept{1000, 5000, 6000};
    QTest::newRow("unchanged") << kept << true;
    QTest::newRow("other size") << FileStamp{999, 5000, 6000} << false;
    QTest::newRow("written again") << FileStamp{1000, 5001, 6001} << false;
    QTest::newRow("permissions changed") << FileStamp{1000, 5000, 6002} << false;
    QTest::newRow("gone") << FileStamp{} << false;
}

void PictureCacheTest::find_onlyWhileFileUnchanged()
{
    QFETCH(FileStamp, now);
    QFETCH(bool, hit);
    PictureCache cache(1 << 20);
    const PictureKey key{78, QSize(20, 30)};
    cache.insert(key, picture(20, 30, FileStamp{1000, 5000, 6000}));
    QCOMPARE(cache.find(key, now) != nullptr, hit);
    // A stale entry is dropped, so that it cannot come back when the stamp happens to match again.
    QCOMPARE(cache.contains(key), hit);
    QCOMPARE(cache.bytes(), hit ? qsizetype(20 * 30 * 4) : 0);
}

void PictureCacheTest::key_isPictureAndBox()
{
    PictureCache cache(1 << 20);
    const FileStamp stamp{10, 1, 1};
    cache.insert({5, QSize(10, 10)}, picture(10, 10));
    cache.insert({5, QSize(20, 10)}, picture(20, 10));
    cache.insert({6, QSize(10, 10)}, picture(11, 11));
    QCOMPARE(cache.count(), 3);
    QCOMPARE(cache.find({5, QSize(20, 10)}, stamp)->image.width(), 20);
    QCOMPARE(cache.find({6, QSize(10, 10)}, stamp)->image.width(), 11);
    QVERIFY(!cache.find({5, QSize(10, 11)}, stamp));
    QVERIFY(!cache.find({7, QSize(10, 10)}, stamp));
}

void PictureCacheTest::bound_dropsLeastRecentlyUsed()
{
    const qsizetype one = 10 * 10 * 4;
    PictureCache cache(3 * one);
    const FileStamp stamp{10, 1, 1};
    for (int number = 1; number <= 3; ++number)
        cache.insert({number, QSize(10, 10)}, picture(10, 10));
    QVERIFY(cache.find({1, QSize(10, 10)}, stamp)); // 2 is now the least recently used
    cache.insert({4, QSize(10, 10)}, picture(10, 10));
    QCOMPARE(cache.count(), 3);
    QVERIFY(!cache.contains({2, QSize(10, 10)}));
    QVERIFY(cache.contains({1, QSize(10, 10)}));
    QVERIFY(cache.contains({4, QSize(10, 10)}));
    QCOMPARE(cache.bytes(), 3 * one);

    // One large picture drops as many as it needs.
    cache.insert({5, QSize(10, 20)}, picture(10, 20));
    QCOMPARE(cache.count(), 2);
    QVERIFY(cache.bytes() <= cache.byteLimit());
    QVERIFY(cache.contains({5, QSize(10, 20)}));
    QVERIFY(cache.contains({4, QSize(10, 10)}));
}

void PictureCacheTest::bound_tooLargeNotKeptAndReplacingCountsOnce()
{
    PictureCache cache(1000);
    cache.insert({1, QSize(10, 10)}, picture(10, 10));
    cache.insert({2, QSize(20, 20)}, picture(20, 20)); // 1600 bytes: never fits
    QVERIFY(!cache.contains({2, QSize(20, 20)}));
    QVERIFY(cache.contains({1, QSize(10, 10)}));
    cache.insert({1, QSize(10, 10)}, picture(10, 10, FileStamp{11, 2, 2}));
    QCOMPARE(cache.count(), 1);
    QCOMPARE(cache.bytes(), qsizetype(400));
    QVERIFY(cache.find({1, QSize(10, 10)}, FileStamp{11, 2, 2}));
    cache.insert({3, QSize(10, 10)}, ReadyPicture()); // a failed read is never kept
    QCOMPARE(cache.count(), 1);
}

void PictureCacheTest::stamp_seesRewriteAndRemoval()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("001.jpg");
    QVERIFY(!FileStamp::of(name).isFile());
    QVERIFY(!FileStamp::of(dir.path()).isFile()); // a folder is no picture file
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    const FileStamp first = FileStamp::of(name);
    QCOMPARE(first.size, 3);

    // The same length written again, an hour later by its clock: still noticed.
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.write("xyz");
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
    file.close();
    const FileStamp second = FileStamp::of(name);
    QCOMPARE(second.size, 3);
    QVERIFY(!(second == first));
    QCOMPARE(FileStamp::of(name), second);

    QVERIFY(QFile::remove(name));
    QVERIFY(!FileStamp::of(name).isFile());
}

void PictureCacheTest::decode_scaledToBoxKeepsOwnSize_data()
{
    QTest::addColumn<QSize>("own");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("box smaller: reduced in the decoder") << QSize(400, 800) << QSize(97, 190) << QSize(97, 190);
    QTest::newRow("box larger") << QSize(50, 40) << QSize(120, 300) << QSize(120, 300);
    QTest::newRow("no box yet") << QSize(50, 40) << QSize() << QSize(50, 40);
}

void PictureCacheTest::decode_scaledToBoxKeepsOwnSize()
{
    QFETCH(QSize, own);
    QFETCH(QSize, box);
    QFETCH(QSize, shown);
    QTemporaryDir dir;
    const QString name = dir.filePath("002.jpg");
    QImage image(own, QImage::Format_RGB32);
    image.fill(QColor(20, 200, 40));
    QVERIFY(image.save(name, "JPG", 90));

    QString failure = "unchanged";
    const ReadyPicture ready = viewer::decodeForBox(name, box, &failure);
    QVERIFY(failure.isEmpty());
    QCOMPARE(ready.image.size(), shown);
    QCOMPARE(ready.pictureSize, own);
    QCOMPARE(ready.stamp, FileStamp::of(name));
    QCOMPARE(ready.image.format(), QImage::Format_RGB32);
    const QColor middle = ready.image.pixelColor(shown.width() / 2, shown.height() / 2);
    QVERIFY2(qAbs(middle.green() - 200) < 8 && qAbs(middle.red() - 20) < 8, qPrintable(middle.name()));
}

void PictureCacheTest::decode_failureDescribed()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("003.jpg");
    QString failure;
    QVERIFY(viewer::decodeForBox(name, QSize(10, 10), &failure).image.isNull());
    QVERIFY(failure.contains("003.jpg"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    failure.clear();
    QVERIFY(viewer::decodeForBox(name, QSize(10, 10), &failure).image.isNull());
    QVERIFY(failure.contains("003.jpg"));
}

QTEST_GUILESS_MAIN(PictureCacheTest)
#include "picture_cache_test.moc"
