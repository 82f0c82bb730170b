// The viewer's pictures come from a cache and a background decoder: what it shows must still be
// what the files hold at the moment of each selection, and every failure must still be reported
// then, once.
#include "viewer_support.h"

#include "content/Catalogue.h"
#include "viewer/Fllhb.h"
#include "viewer/PictureLoader.h"

#include <QComboBox>
#include <QDateTime>
#include <QTest>

#include <memory>

namespace {

// 镇宅兴家 lists 镇本宅土煞凶神法 (065), 东岳泰山符 (124), 镇东方土气精耗之鬼法 (067), … .
constexpr int kFirst = 65;
constexpr int kSecond = 124;
constexpr int kThird = 67;

} // namespace

class ViewerPicturesTest : public QObject
{
    Q_OBJECT

  private slots:
    void init()
    {
        viewer::PictureLoader::instance().cache().clear();
        m_install = std::make_unique<ViewerInstallation>();
    }
    void cleanup()
    {
        waitForBackground();
        m_viewer.reset();
        m_install.reset();
        viewer::PictureLoader::instance().cache().clear();
    }
    void changedFile_showsNewPicture_data();
    void changedFile_showsNewPicture();
    void fileRemovedWhileCached_oneMessageAtSelection_data();
    void fileRemovedWhileCached_oneMessageAtSelection();
    void resized_pictureFollowsBoxNotFile();
    void neighbours_prefetchedForTheirBoxes();

  private:
    void open()
    {
        Module1::CurrentChapter() = QStringLiteral("镇宅兴家");
        m_viewer = std::make_unique<Fllhb>();
        m_viewer->resize(1400, 900);
        m_viewer->show();
    }
    PictureBox *box() const { return m_viewer->findChild<PictureBox *>("Image1"); }
    int picture() const { return pictureNumberOf(box()); }
    void choose(int index) { m_viewer->chooseEntry(index); }
    static void waitForBackground()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!viewer::PictureLoader::instance().isBusy(), 10000);
        QCoreApplication::processEvents();
    }
    // Writes picture `as` into the file of picture `number`, with a modification time of its own.
    void overwrite(int number, int as) const
    {
        QImage image(100 + as, 24, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(m_install->picture(number), "JPG"));
        QFile file(m_install->picture(number));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-7200), QFileDevice::FileModificationTime));
    }

    std::unique_ptr<ViewerInstallation> m_install;
    std::unique_ptr<Fllhb> m_viewer;
};

void ViewerPicturesTest::changedFile_showsNewPicture_data()
{
    QTest::addColumn<bool>("prefetched"); // seen before, or only prefetched as a neighbour
    QTest::newRow("seen before") << false;
    QTest::newRow("prefetched") << true;
}

void ViewerPicturesTest::changedFile_showsNewPicture()
{
    QFETCH(bool, prefetched);
    open();
    QCOMPARE(picture(), kFirst);
    if (!prefetched) {
        choose(1);
        QCOMPARE(picture(), kSecond);
        choose(0);
    }
    waitForBackground();
    QVERIFY(viewer::PictureLoader::instance().cache().contains({kSecond, box()->scaledSize()}));

    overwrite(kSecond, 200);
    choose(1);
    QCOMPARE(picture(), 200);
    QVERIFY(m_install->boxes.isEmpty());
    // And the new picture is what is cached now: back and forth shows it again.
    choose(0);
    choose(1);
    QCOMPARE(picture(), 200);
}

void ViewerPicturesTest::fileRemovedWhileCached_oneMessageAtSelection_data()
{
    QTest::addColumn<bool>("prefetched");
    QTest::newRow("seen before") << false;
    QTest::newRow("prefetched") << true;
}

void ViewerPicturesTest::fileRemovedWhileCached_oneMessageAtSelection()
{
    QFETCH(bool, prefetched);
    open();
    if (!prefetched) {
        choose(1);
        choose(0);
    }
    waitForBackground();
    QVERIFY(viewer::PictureLoader::instance().cache().contains({kSecond, box()->scaledSize()}));

    QVERIFY(m_install->remove(kSecond));
    choose(1);
    QCOMPARE(m_install->boxes.size(), 1);
    QVERIFY(m_install->boxes.first().text.contains("124.jpg"));
    QCOMPARE(picture(), kFirst); // the previous picture stays
    // Nothing more comes later from the background.
    waitForBackground();
    QTest::qWait(50);
    QCOMPARE(m_install->boxes.size(), 1);
    choose(1);
    QCOMPARE(m_install->boxes.size(), 2); // each selection reports it again, at once
}

void ViewerPicturesTest::resized_pictureFollowsBoxNotFile()
{
    open();
    // Opened at its restored size and then made larger: the copy for the larger box follows.
    QTRY_COMPARE(box()->picture().size(), box()->scaledSize());
    // The file changes, then the window is resized: the box gets the picture it showed, at its
    // new size; the new file waits for the next selection.
    overwrite(kFirst, 201);
    m_viewer->resize(1000, 700);
    waitForBackground();
    QCOMPARE(picture(), kFirst);
    choose(1);
    choose(0);
    QCOMPARE(picture(), 201);
    QCOMPARE(box()->picture().size(), box()->scaledSize());
    m_viewer->resize(1300, 800);
    QTRY_COMPARE(box()->picture().size(), box()->scaledSize());
    QCOMPARE(picture(), 201);
    QVERIFY(m_install->boxes.isEmpty());
}

void ViewerPicturesTest::neighbours_prefetchedForTheirBoxes()
{
    open();
    choose(2);
    waitForBackground();
    const viewer::PictureCache &cache = viewer::PictureLoader::instance().cache();
    const QSize normal = box()->scaledSize();
    QVERIFY(cache.contains({kSecond, normal}));
    QVERIFY(cache.contains({kFirst, normal}));
    // The neighbours are shown at once and are the right pictures.
    choose(1);
    QCOMPARE(picture(), kSecond);
    choose(2);
    QCOMPARE(picture(), kThird);
    QVERIFY(m_install->boxes.isEmpty());
}

QTEST_MAIN(ViewerPicturesTest)
#include "viewer_pictures_test.moc"
