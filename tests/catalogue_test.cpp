// The catalogue page: the grid arithmetic, the titles and what they open, the background, and the
// banner's cycle with its missing and unreadable pictures.
#include "catalogue/CatalogueLayout.h"
#include "catalogue/Fmulu.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/Pictures.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using cataloguelayout::Box;

namespace {

// The design's sizes in twips, every title and the banner at 0, 0.
cataloguelayout::Boxes designBoxes()
{
    const Box title{0, 0, 1830, 465}, wide{0, 0, 1860, 495};
    return {title, wide, wide, title, {0, 0, 1845, 465}, title, title, title, title, title, title, title, {}};
}

QList<float> values(std::initializer_list<float> list)
{
    return QList<float>(list);
}

const QColor kGif(0x12, 0x34, 0x56);
const QColor kBanner[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow}; // llhba to llhbd
// A 1 x 1 GIF of the colour kGif.
const QByteArray kGifFile =
    QByteArray::fromHex("474946383961010001008000001234560000002c00000000010001000002024401003b");

} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void layout_workedExample();
    void layout_tinyClientArea_data();
    void layout_tinyClientArea();
    void page_placesTitlesOnTheGrid();
    void titles_lookAndOpen_data();
    void titles_lookAndOpen();
    void background_naturalSizeOverCyan();
    void background_translucentLaidOverCyan_data();
    void background_translucentLaidOverCyan();
    void preload_takenForTheSameFilesOnly();
    void appIcon_readAheadForItsOwnFolderOnly();
    void banner_cyclesDABC();
    void banner_missingFile_hidesForGood_data();
    void banner_missingFile_hidesForGood();
    void banner_unreadableFile_reportedOnceRetriedEveryTick();
    void banner_ticksWaitWhileBoxOpen();
    void banner_changedFileReadAgain_unchangedFileNot();

  private:
    QString banner(int i) const { return m_dir->path() + "/picture/llhb" + QChar('a' + i) + ".bmp"; }
    void writeBanner(int i) const
    {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(kBanner[i]);
        QVERIFY(image.save(banner(i), "BMP"));
    }
    QColor bannerColour() const
    {
        const QImage &picture = m_page->findChild<PictureBox *>("Image1")->picture();
        return picture.isNull() ? QColor() : picture.pixelColor(0, 0);
    }
    Fmulu *newPage();

    QTemporaryDir *m_dir = nullptr;
    Fmulu *m_page = nullptr;
    QStringList m_opened;
    QList<msgbox::Shown> m_shown;
};

void CatalogueTest::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir(m_dir->path()).mkpath("picture"));
    Module1::setAppPath(m_dir->path());
    for (int i = 0; i < 4; ++i)
        writeBanner(i);
    QFile gif(m_dir->path() + "/picture/wkpna.gif");
    QVERIFY(gif.open(QIODevice::WriteOnly) && gif.write(kGifFile) > 0);
    m_opened.clear();
    m_shown.clear();
    msgbox::setObserver([this](const msgbox::Shown &box) { m_shown.append(box); });
}

void CatalogueTest::cleanup()
{
    delete m_page;
    m_page = nullptr;
    msgbox::setObserver({});
    delete m_dir;
}

Fmulu *CatalogueTest::newPage()
{
    delete m_page;
    m_page = new Fmulu(
        [this](const QString &chapter) { m_opened << "chapter " + chapter; },
        [this](const QString &name, int shift) { m_opened << QString("article %1 %2").arg(name).arg(shift); });
    // Timer1 runs every 50 ms from the start; the tests tick by hand.
    QTimer *timer1 = m_page->findChild<QTimer *>("Timer1");
    if (!timer1 || !timer1->isActive() || timer1->interval() != 50)
        qFatal("Timer1 is not running every 50 ms");
    timer1->stop();
    m_page->show();
    return m_page;
}

void CatalogueTest::layout_workedExample()
{
    auto b = designBoxes();
    cataloguelayout::layout(11940, 7950, b);
    QCOMPARE(values({b.Label16.left, b.Label29.left, b.Label33.left, b.Label22.left}), values({912, 3654, 6426, 9198}));
    QCOMPARE(values({b.Label30.left, b.Label23.left, b.Label19.left, b.Label18.left}), QList<float>(4, 912));
    QCOMPARE(values({b.Label21.left, b.Label24.left, b.Label25.left, b.Label17.left}), QList<float>(4, 9198));
    QCOMPARE(values({b.Label16.top, b.Label30.top, b.Label23.top, b.Label19.top, b.Label18.top}),
             values({937.5, 2340, 3742.5, 5145, 6547.5}));
    QCOMPARE(values({b.Label29.top, b.Label33.top, b.Label22.top, b.Label21.top, b.Label24.top, b.Label25.top,
                     b.Label17.top}),
             values({937.5, 937.5, 937.5, 2340, 3742.5, 5145, 6547.5}));
    QCOMPARE(values({b.Image1.left, b.Image1.top, b.Image1.width, b.Image1.height}),
             values({3654, 3255, 4632, 3757.5}));
}

void CatalogueTest::layout_tinyClientArea_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<bool>("bannerHeightSet");
    QTest::newRow("lower than the titles") << 11940.f << 300.f << false;
    QTest::newRow("banner height exactly 0") << 11940.f << 435.f << true;
    QTest::newRow("narrower than the titles") << 100.f << 7950.f << true;
    QTest::newRow("nothing at all") << 0.f << 0.f << false;
}

void CatalogueTest::layout_tinyClientArea()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(bool, bannerHeightSet);
    auto b = designBoxes();
    b.Image1.height = 1234;
    cataloguelayout::layout(width, height, b);
    const float rowGap = (height - 5 * 465.f) / 6, columnGap = (width - 2 * 1830.f - 2 * 1860.f) / 5;
    QCOMPARE(values({b.Label18.top, b.Label17.left, b.Image1.top, b.Image1.height}),
             values({5 * rowGap + 4 * 465.f, 4 * columnGap + 1830.f + 2 * 1860.f, 2 * rowGap + 465.f + 915.f,
                     bannerHeightSet ? 3 * rowGap + 4 * 465.f - 915.f : 1234.f}));
}

void CatalogueTest::page_placesTitlesOnTheGrid()
{
    // The widgets take the computed places (within a pixel of rounding) for the titles' real sizes.
    Fmulu *page = newPage();
    QCOMPARE(page->windowTitle(), "目录");
    page->resize(796, 530);
    auto at = [page](const char *name) { return page->findChild<QWidget *>(name)->geometry(); };
    const QRect l16 = at("Label16"), image1 = at("Image1");
    QCOMPARE(at("Label18").left(), l16.left());
    QCOMPARE(at("Label17").left(), at("Label22").left());
    QCOMPARE(image1.left(), at("Label29").left());
    QVERIFY(qAbs(image1.right() - at("Label33").right()) <= 1);
    QVERIFY(qAbs(image1.bottom() - at("Label18").bottom()) <= 1);
    QVERIFY(qAbs(page->height() - at("Label18").bottom() - 1 - l16.top()) <= 1);

    // Too low for the titles: they move up past the top edge. The banner's height, 3 row gaps and
    // 4 title heights less the drop, turns negative below 1830 twips less 3 title heights, and is
    // then refused: the banner keeps its height. (How low that is depends on the title face.)
    const int titleTwips = l16.height() * 15;
    const int lowest = (2 * cataloguelayout::kBannerDrop - 3 * titleTwips) / 15 - 1;
    page->resize(796, qMax(lowest, 0));
    QVERIFY(at("Label16").top() < 0);
    if (lowest >= 0)
        QCOMPARE(at("Image1").height(), image1.height());
    else // titles so tall that the height stays positive at any window height: it follows them
        QVERIFY(at("Image1").height() < image1.height());
}

void CatalogueTest::titles_lookAndOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("opens");
    const char *rows[][3] = {
        {"Label16", "奇门符咒", "chapter 奇门遁甲"},   {"Label29", "符咒心得", "article 符咒心得 2"},
        {"Label33", "祝由须知", "article 祝由须知 3"}, {"Label22", "日常琐事", "chapter 日常琐事"},
        {"Label30", "祝由秘字", "chapter 祝由秘字"},   {"Label21", "驱煞转运", "chapter 驱煞转运"},
        {"Label23", "治病驱魔", "chapter 治病驱魔"},   {"Label24", "问世通灵", "chapter 问世通灵"},
        {"Label19", "夜行护身", "chapter 夜行护身"},   {"Label25", "修身养性", "chapter 修身养性"},
        {"Label18", "镇宅兴家", "chapter 镇宅兴家"},   {"Label17", "隐身飞升", "chapter 隐身飞升"}};
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]) << QString(row[2]);
}

void CatalogueTest::titles_lookAndOpen()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, opens);
    QLabel *title = newPage()->findChild<QLabel *>(name);
    QVERIFY(title);
    QCOMPARE(title->text(), caption);
    QCOMPARE(title->font().pointSizeF(), 21.75);
    QCOMPARE(title->frameShape(), QFrame::Box);
    QVERIFY(!title->autoFillBackground());
    QCOMPARE(title->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(title->size(), title->sizeHint());
    QCOMPARE(title->palette().color(QPalette::WindowText) == QColor(255, 0, 255),
             name == "Label29" || name == "Label33");

    QTest::mouseClick(title, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{opens});
}

void CatalogueTest::background_naturalSizeOverCyan()
{
    QImage globe(10, 10, QImage::Format_RGB32);
    globe.fill(Qt::darkRed);
    QVERIFY(globe.save(m_dir->path() + "/picture/globe.png"));
    const QImage shot = newPage()->grab().toImage();
    QCOMPARE(shot.pixelColor(9, 9), QColor(Qt::darkRed));
    QCOMPARE(shot.pixelColor(10, 10), QColor(0, 255, 255));
}

void CatalogueTest::background_translucentLaidOverCyan_data()
{
    // The background's own kind of file, a palette picture with transparent entries, and the
    // same picture in full colour with an alpha channel: both are laid over the page's cyan.
    QTest::addColumn<bool>("palette");
    QTest::newRow("palette") << true;
    QTest::newRow("full colour") << false;
}

void CatalogueTest::background_translucentLaidOverCyan()
{
    QFETCH(bool, palette);
    QImage globe(12, 6, QImage::Format_Indexed8);
    globe.setColorTable({qRgba(0, 0, 0, 0), qRgba(200, 0, 0, 128), qRgba(0, 0, 255, 255), qRgba(40, 90, 10, 60)});
    for (int y = 0; y < globe.height(); ++y)
        for (int x = 0; x < globe.width(); ++x)
            globe.setPixel(x, y, uint(x / 3));
    const QImage saved = palette ? globe : globe.convertToFormat(QImage::Format_ARGB32);
    QVERIFY(saved.save(m_dir->path() + "/picture/globe.png"));
    QCOMPARE(QImage(m_dir->path() + "/picture/globe.png").format() == QImage::Format_Indexed8, palette);

    // What painting the picture over cyan gives, pixel by pixel.
    QImage expected(globe.size(), QImage::Format_RGB32);
    expected.fill(QColor(0, 255, 255));
    QPainter(&expected).drawImage(0, 0, globe.convertToFormat(QImage::Format_ARGB32));
    const QImage shot = newPage()->grab().toImage();
    for (int x = 0; x < globe.width(); ++x) {
        const QColor want = expected.pixelColor(x, 2), got = shot.pixelColor(x, 2);
        QVERIFY2(qAbs(want.red() - got.red()) <= 1 && qAbs(want.green() - got.green()) <= 1 &&
                     qAbs(want.blue() - got.blue()) <= 1,
                 qPrintable(QStringLiteral("x %1: %2 instead of %3").arg(x).arg(got.name(), want.name())));
    }
    QCOMPARE(shot.pixelColor(0, 0), QColor(0, 255, 255));  // the transparent entry shows the page
    QCOMPARE(shot.pixelColor(7, 5), QColor(0, 0, 255));    // the opaque one covers it
    QCOMPARE(shot.pixelColor(12, 0), QColor(0, 255, 255)); // beyond the picture
}

void CatalogueTest::preload_takenForTheSameFilesOnly()
{
    QImage globe(10, 10, QImage::Format_RGB32);
    globe.fill(Qt::darkRed);
    QVERIFY(globe.save(m_dir->path() + "/picture/globe.png"));

    // Read ahead on other threads, then taken by the next page: the same pictures as reading them.
    Fmulu::preloadBackground();
    QImage shot = newPage()->grab().toImage();
    QCOMPARE(shot.pixelColor(9, 9), QColor(Qt::darkRed));
    QCOMPARE(shot.pixelColor(10, 10), QColor(0, 255, 255));
    QCOMPARE(bannerColour(), kGif);
    // Taken once: the page after it reads the files again and sees them changed.
    globe.fill(Qt::darkGreen);
    QVERIFY(globe.save(m_dir->path() + "/picture/globe.png"));
    shot = newPage()->grab().toImage();
    QCOMPARE(shot.pixelColor(9, 9), QColor(Qt::darkGreen));

    // Read ahead for another installation folder: a page of this one reads its own files.
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkpath("picture"));
    Module1::setAppPath(other.path());
    Fmulu::preloadBackground();
    Module1::setAppPath(m_dir->path());
    shot = newPage()->grab().toImage();
    QCOMPARE(shot.pixelColor(9, 9), QColor(Qt::darkGreen));
    QCOMPARE(bannerColour(), kGif);
    QVERIFY(m_shown.isEmpty());
}

void CatalogueTest::appIcon_readAheadForItsOwnFolderOnly()
{
    const auto writeIcon = [](const QString &folder, const QColor &colour) {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(colour);
        return icon.save(folder + "/picture/linglu.png");
    };
    const auto iconColour = [] {
        const QIcon icon = pictures::appIcon();
        return icon.isNull() ? QColor() : icon.pixmap(16, 16).toImage().pixelColor(8, 8);
    };
    QVERIFY(writeIcon(m_dir->path(), Qt::red));
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkpath("picture"));
    QVERIFY(writeIcon(other.path(), Qt::green));

    // Read ahead for this folder and taken here.
    pictures::preloadAppIcon();
    QCOMPARE(iconColour(), QColor(Qt::red));
    // Read ahead for one folder, asked for in another: the other's own icon.
    Module1::setAppPath(other.path());
    pictures::preloadAppIcon();
    Module1::setAppPath(m_dir->path());
    QVERIFY(writeIcon(m_dir->path(), Qt::blue)); // a new folder's icon is read again, a cached one is not
    Module1::setAppPath(other.path());
    QCOMPARE(iconColour(), QColor(Qt::green));
    Module1::setAppPath(m_dir->path());
    QCOMPARE(iconColour(), QColor(Qt::blue));
    // A folder without an icon file, read ahead: no icon, and no message.
    QTemporaryDir bare;
    QVERIFY(QDir(bare.path()).mkpath("picture"));
    Module1::setAppPath(bare.path());
    pictures::preloadAppIcon();
    QVERIFY(pictures::appIcon().isNull());
    Module1::setAppPath(m_dir->path());
    QVERIFY(m_shown.isEmpty());
}

void CatalogueTest::banner_cyclesDABC()
{
    Fmulu *page = newPage();
    QCOMPARE(bannerColour(), kGif); // until the first tick
    QCOMPARE(page->bannerStep(), 0);
    for (int shown : {3, 0, 1, 2, 3, 0}) {
        page->timerTick();
        QCOMPARE(bannerColour(), kBanner[shown]);
        QCOMPARE(page->bannerStep(), shown == 3 ? 1 : shown + 2);
    }
    QVERIFY(m_shown.isEmpty());
}

void CatalogueTest::banner_missingFile_hidesForGood_data()
{
    QTest::addColumn<int>("missing");
    for (int i = 0; i < 4; ++i)
        QTest::newRow(qPrintable(QString("llhb%1.bmp").arg(QChar('a' + i)))) << i;
}

void CatalogueTest::banner_missingFile_hidesForGood()
{
    QFETCH(int, missing);
    Fmulu *page = newPage();
    page->timerTick();
    QFile::remove(banner(missing));
    page->timerTick();
    QWidget *image1 = page->findChild<QWidget *>("Image1");
    QVERIFY(image1->isHidden());
    writeBanner(missing);
    page->timerTick();
    QVERIFY(image1->isHidden());
    QVERIFY(m_shown.isEmpty());
    QTest::mouseClick(page->findChild<QLabel *>("Label22"), Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{"chapter 日常琐事"});
}

void CatalogueTest::banner_unreadableFile_reportedOnceRetriedEveryTick()
{
    QVERIFY(QFile::resize(banner(2), 10)); // llhbc.bmp damaged
    Fmulu *page = newPage();
    for (int i = 0; i < 5; ++i)
        page->timerTick(); // d, a, b, then c fails twice: one report
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().caption, "灵箓汇编");
    QVERIFY2(m_shown.first().text.contains(QDir::toNativeSeparators(banner(2))), qPrintable(m_shown.first().text));
    QCOMPARE(bannerColour(), kBanner[1]);
    QCOMPARE(page->bannerStep(), 3);

    writeBanner(2);
    page->timerTick();
    QCOMPARE(bannerColour(), kBanner[2]);
    QCOMPARE(m_shown.size(), 1);

    // After a picture has loaded again, a new failure is reported anew.
    QVERIFY(QFile::resize(banner(2), 10));
    for (int i = 0; i < 4; ++i)
        page->timerTick(); // d, a, b, c fails
    QCOMPARE(m_shown.size(), 2);
}

void CatalogueTest::banner_ticksWaitWhileBoxOpen()
{
    QVERIFY(QFile::resize(banner(3), 10)); // llhbd.bmp, shown by the first tick, damaged
    Fmulu *page = newPage();
    // Ticks keep coming while the box is open (its event loop delivers them).
    msgbox::setObserver([this, page](const msgbox::Shown &box) {
        m_shown.append(box);
        for (int i = 0; i < 3; ++i)
            page->timerTick();
    });
    page->timerTick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(page->bannerStep(), 0);
    QCOMPARE(bannerColour(), kGif);

    // The next tick after the box has closed tries the same picture again, without a second box.
    page->timerTick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(page->bannerStep(), 0);
    writeBanner(3);
    page->timerTick();
    QCOMPARE(bannerColour(), kBanner[3]);
}

void CatalogueTest::banner_changedFileReadAgain_unchangedFileNot()
{
    Fmulu *page = newPage();
    page->timerTick(); // d
    QCOMPARE(bannerColour(), kBanner[3]);
    const QDateTime written = QFileInfo(banner(3)).lastModified();

    // llhbd drawn again in another colour, the same number of bytes: shown when d comes round.
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QVERIFY(image.save(banner(3), "BMP"));
    {
        QFile file(banner(3));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(written.addSecs(-60), QFileDevice::FileModificationTime));
    }
    for (int tick = 0; tick < 4; ++tick)
        page->timerTick(); // a, b, c, d
    QCOMPARE(bannerColour(), QColor(Qt::magenta));

    // Its bytes spoilt while size and time stay as they were: the picture read before is shown,
    // the file is not read again, so nothing is reported.
    {
        QFile file(banner(3));
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 size = file.size();
        QVERIFY(file.write(QByteArray(size, 'x')) == size);
        QVERIFY(file.flush());
        QVERIFY(file.setFileTime(written.addSecs(-60), QFileDevice::FileModificationTime));
    }
    for (int tick = 0; tick < 4; ++tick)
        page->timerTick();
    QCOMPARE(bannerColour(), QColor(Qt::magenta));
    QVERIFY(m_shown.isEmpty());
    QCOMPARE(page->bannerStep(), 1);
}

QTEST_MAIN(CatalogueTest)
#include "catalogue_test.moc"
