// The catalogue page: the grid arithmetic, the titles and what they open, the background, and the
// banner's cycle with its missing and unreadable pictures.
#include "app/Module1.h"
#include "app/MsgBox.h"
#include "app/Pictures.h"
#include "catalogue/CatalogueLayout.h"
#include "catalogue/Fmulu.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using CatalogueLayout::Boxes;

namespace {

// The design's title sizes in twips.
Boxes designBoxes()
{
    Boxes b;
    for (auto *box : {&b.Label16, &b.Label22, &b.Label21, &b.Label23, &b.Label24, &b.Label19, &b.Label25, &b.Label18,
                      &b.Label17})
        *box = {0, 0, 1830, 465};
    b.Label30 = {0, 0, 1845, 465};
    b.Label29 = b.Label33 = {0, 0, 1860, 495};
    return b;
}

const QColor kGif(0x12, 0x34, 0x56);
const QColor kBanner[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow}; // llhba to llhbd

// A 1 x 1 GIF of the colour kGif.
const QByteArray kGifFile = QByteArray::fromHex("474946383961010001008000001234560000002c00000000010001000002024401003b");

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
    void banner_cyclesDABC();
    void banner_missingFile_hidesForGood_data();
    void banner_missingFile_hidesForGood();
    void banner_unreadableFile_boxOnEveryTick();
    void banner_ticksWaitWhileBoxOpen();

private:
    QString banner(int i) const { return m_dir->path() + "/picture/llhb" + QChar('a' + i) + ".bmp"; }
    void writeBanner(int i) const;
    Fmulu *newPage();
    QColor bannerColour() const;

    QTemporaryDir *m_dir = nullptr;
    Fmulu *m_page = nullptr;
    QStringList m_opened;
    QList<MsgBox::Shown> m_shown;
};

void CatalogueTest::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir(m_dir->path()).mkpath("picture"));
    Module1::setAppPath(m_dir->path());
    for (int i = 0; i < 4; ++i)
        writeBanner(i);
    QFile gif(m_dir->path() + "/picture/wkpna.gif");
    QVERIFY(gif.open(QIODevice::WriteOnly));
    gif.write(kGifFile);
    m_opened.clear();
    m_shown.clear();
    MsgBox::setObserver([this](const MsgBox::Shown &box) { m_shown.append(box); });
}

void CatalogueTest::cleanup()
{
    delete m_page;
    m_page = nullptr;
    MsgBox::setObserver({});
    delete m_dir;
}

void CatalogueTest::writeBanner(int i) const
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(kBanner[i]);
    QVERIFY(image.save(banner(i), "BMP"));
}

Fmulu *CatalogueTest::newPage()
{
    m_page = new Fmulu([this](const QString &chapter) { m_opened << "chapter " + chapter; },
                       [this](const QString &name, int shift) { m_opened << QString("article %1 %2").arg(name).arg(shift); });
    QTimer *timer1 = m_page->findChild<QTimer *>("Timer1");
    // The tests tick by hand.
    if (timer1 && timer1->isActive() && timer1->interval() == 50)
        timer1->stop();
    else
        qWarning("Timer1 is not running every 50 ms");
    m_page->show();
    return m_page;
}

QColor CatalogueTest::bannerColour() const
{
    const QImage &picture = m_page->findChild<PictureBox *>("Image1")->picture();
    return picture.isNull() ? QColor() : picture.pixelColor(0, 0);
}

void CatalogueTest::layout_workedExample()
{
    Boxes b = designBoxes();
    CatalogueLayout::layout(11940, 7950, b);
    const QList<float> columns{b.Label16.left, b.Label29.left, b.Label33.left, b.Label22.left};
    QCOMPARE(columns, QList<float>({912, 3654, 6426, 9198}));
    const QList<float> rows{b.Label16.top, b.Label30.top, b.Label23.top, b.Label19.top, b.Label18.top};
    QCOMPARE(rows, QList<float>({937.5, 2340, 3742.5, 5145, 6547.5}));
    for (float left : {b.Label30.left, b.Label23.left, b.Label19.left, b.Label18.left})
        QCOMPARE(left, 912.0f);
    for (float left : {b.Label21.left, b.Label24.left, b.Label25.left, b.Label17.left})
        QCOMPARE(left, 9198.0f);
    QCOMPARE(QList<float>({b.Label29.top, b.Label33.top, b.Label22.top, b.Label21.top, b.Label24.top, b.Label25.top,
                           b.Label17.top}),
             QList<float>({937.5, 937.5, 937.5, 2340, 3742.5, 5145, 6547.5}));
    QCOMPARE(QList<float>({b.Image1.left, b.Image1.top, b.Image1.width, b.Image1.height}),
             QList<float>({3654, 3255, 4632, 3757.5}));
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
    Boxes b = designBoxes();
    constexpr float unset = 1e9f;
    for (auto *box : {&b.Label16, &b.Label29, &b.Label33, &b.Label22, &b.Label30, &b.Label21, &b.Label23, &b.Label24,
                      &b.Label19, &b.Label25, &b.Label18, &b.Label17, &b.Image1})
        box->left = box->top = unset;
    b.Image1.height = 1234;

    CatalogueLayout::layout(width, height, b);
    const float rowGap = (height - 5 * 465.f) / 6;
    const float columnGap = (width - 2 * 1830.f - 2 * 1860.f) / 5;
    QCOMPARE(b.Label18.top, 5 * rowGap + 4 * 465.f);
    QCOMPARE(b.Label17.left, 4 * columnGap + 1830.f + 2 * 1860.f);
    QCOMPARE(b.Image1.top, 2 * rowGap + 465.f + 915.f);
    QCOMPARE(b.Image1.height, bannerHeightSet ? 3 * rowGap + 4 * 465.f - 915.f : 1234.f);
    for (auto *box : {&b.Label16, &b.Label29, &b.Label33, &b.Label22, &b.Label30, &b.Label21, &b.Label23, &b.Label24,
                      &b.Label19, &b.Label25, &b.Label18, &b.Label17, &b.Image1})
        QVERIFY(box->left != unset && box->top != unset);
}

void CatalogueTest::page_placesTitlesOnTheGrid()
{
    Fmulu *page = newPage();
    page->resize(796, 530);
    auto at = [page](const char *name) { return page->findChild<QWidget *>(name)->geometry(); };
    QCOMPARE(page->windowTitle(), "目录");

    // Equal gaps between columns and rows, one row height, and the banner under columns 2 and 3
    // down to the bottom of row 5 (within a pixel of rounding).
    const QRect l16 = at("Label16"), l29 = at("Label29"), l33 = at("Label33"), l22 = at("Label22");
    const int columnGap = l16.left();
    QVERIFY(qAbs(l29.left() - l16.right() - 1 - columnGap) <= 1);
    QVERIFY(qAbs(page->width() - 2 * l16.width() - 2 * l29.width() - 5 * columnGap) <= 5);
    QCOMPARE(l22.left(), at("Label17").left());
    QCOMPARE(at("Label18").left(), l16.left());
    const int rowGap = l16.top();
    QVERIFY(qAbs(at("Label18").top() - (5 * rowGap + 4 * l16.height())) <= 1);
    const QRect image1 = at("Image1");
    QCOMPARE(image1.left(), l29.left());
    QVERIFY(qAbs(image1.right() - l33.right()) <= 1);
    QVERIFY(qAbs(image1.top() - (2 * rowGap + l16.height() + 61)) <= 1);
    QVERIFY(qAbs(image1.bottom() - at("Label18").bottom()) <= 1);
    QVERIFY(l22.right() < page->width());

    // Too low for the titles: they move up past the top edge; the banner keeps its height.
    page->resize(796, 5);
    QVERIFY(at("Label16").top() < 0);
    QCOMPARE(at("Image1").height(), image1.height());
}

void CatalogueTest::titles_lookAndOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("opens");
    QTest::newRow("Label16") << "Label16" << "奇门符咒" << "chapter 奇门遁甲";
    QTest::newRow("Label29") << "Label29" << "符咒心得" << "article 符咒心得 2";
    QTest::newRow("Label33") << "Label33" << "祝由须知" << "article 祝由须知 3";
    QTest::newRow("Label22") << "Label22" << "日常琐事" << "chapter 日常琐事";
    QTest::newRow("Label30") << "Label30" << "祝由秘字" << "chapter 祝由秘字";
    QTest::newRow("Label21") << "Label21" << "驱煞转运" << "chapter 驱煞转运";
    QTest::newRow("Label23") << "Label23" << "治病驱魔" << "chapter 治病驱魔";
    QTest::newRow("Label24") << "Label24" << "问世通灵" << "chapter 问世通灵";
    QTest::newRow("Label19") << "Label19" << "夜行护身" << "chapter 夜行护身";
    QTest::newRow("Label25") << "Label25" << "修身养性" << "chapter 修身养性";
    QTest::newRow("Label18") << "Label18" << "镇宅兴家" << "chapter 镇宅兴家";
    QTest::newRow("Label17") << "Label17" << "隐身飞升" << "chapter 隐身飞升";
}

void CatalogueTest::titles_lookAndOpen()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, opens);
    Fmulu *page = newPage();
    QLabel *title = page->findChild<QLabel *>(name);
    QVERIFY(title);
    QCOMPARE(title->text(), caption);
    QCOMPARE(title->font().pointSizeF(), 21.75);
    QCOMPARE(title->frameShape(), QFrame::Box);
    QVERIFY(!title->autoFillBackground());
    QCOMPARE(title->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(title->size(), title->sizeHint());
    const bool highlighted = name == "Label29" || name == "Label33";
    QCOMPARE(title->palette().color(QPalette::WindowText) == QColor(255, 0, 255), highlighted);

    QTest::mouseClick(title, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{opens});
}

void CatalogueTest::background_naturalSizeOverCyan()
{
    QImage globe(10, 10, QImage::Format_RGB32);
    globe.fill(Qt::darkRed);
    QVERIFY(globe.save(m_dir->path() + "/picture/globe.png"));
    Fmulu *page = newPage();
    const QImage shot = page->grab().toImage();
    QCOMPARE(shot.pixelColor(9, 9), QColor(Qt::darkRed));
    QCOMPARE(shot.pixelColor(10, 10), QColor(0, 255, 255));
    delete m_page;
    m_page = nullptr;

    // Without the background picture and the GIF: plain cyan and an empty banner, silently.
    QFile::remove(m_dir->path() + "/picture/globe.png");
    QFile::remove(m_dir->path() + "/picture/wkpna.gif");
    page = newPage();
    QCOMPARE(page->grab().toImage().pixelColor(0, 0), QColor(0, 255, 255));
    QVERIFY(!bannerColour().isValid());
    QVERIFY(m_shown.isEmpty());
}

void CatalogueTest::banner_cyclesDABC()
{
    Fmulu *page = newPage();
    QCOMPARE(bannerColour(), kGif); // until the first tick
    QCOMPARE(page->bannerStep(), 0);
    const int expected[] = {3, 0, 1, 2, 3, 0};
    for (int shown : expected) {
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

void CatalogueTest::banner_unreadableFile_boxOnEveryTick()
{
    QFile damaged(banner(2));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("BM not a picture");
    damaged.close();
    Fmulu *page = newPage();
    for (int i = 0; i < 3; ++i)
        page->timerTick(); // d, a, b
    QVERIFY(m_shown.isEmpty());

    page->timerTick();
    page->timerTick();
    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown.first().caption, "灵箓汇编");
    QVERIFY2(m_shown.first().text.contains(QDir::toNativeSeparators(banner(2))), qPrintable(m_shown.first().text));
    QCOMPARE(bannerColour(), kBanner[1]);
    QCOMPARE(page->bannerStep(), 3);

    writeBanner(2);
    page->timerTick();
    QCOMPARE(bannerColour(), kBanner[2]);
    QCOMPARE(m_shown.size(), 2);
}

void CatalogueTest::banner_ticksWaitWhileBoxOpen()
{
    QFile::resize(banner(3), 10); // llhbd, shown by the first tick, is damaged
    Fmulu *page = newPage();
    // Ticks keep coming while the box is open (its event loop delivers them).
    MsgBox::setObserver([this, page](const MsgBox::Shown &box) {
        m_shown.append(box);
        for (int i = 0; i < 3; ++i)
            page->timerTick();
    });
    page->timerTick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(page->bannerStep(), 0);
    QCOMPARE(bannerColour(), kGif);

    // The next tick after the box has closed tries the same picture again.
    page->timerTick();
    QCOMPARE(m_shown.size(), 2);
    writeBanner(3);
    page->timerTick();
    QCOMPARE(bannerColour(), kBanner[3]);
}

QTEST_MAIN(CatalogueTest)
#include "catalogue_test.moc"
