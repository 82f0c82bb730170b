// The viewer window: opening a chapter, selecting entries, wide pages, missing pictures, the
// 奇门遁甲 panel, and the time a page switch takes.
#include "viewer_support.h"

#include "content/Catalogue.h"
#include "viewer/Fllhb.h"
#include "viewer/TextPane.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class ViewerTest : public QObject
{
    Q_OBJECT

  private slots:
    void init() { m_install = std::make_unique<ViewerInstallation>(); }
    void cleanup()
    {
        m_viewer.reset();
        m_install.reset();
    }
    void openChapter7_showsFirstPage();
    void wideThenNormalPage();
    void missingPicture_oneMessage_previousPageStays();
    void missingFirstPicture_chapterStillOpensWhole();
    void qimen_panelThroughItsButtons();
    void qimen_missing079();
    void everyEntry_quickAndSilent();

  private:
    void open(const char *chapter, QSize size = QSize(1400, 900))
    {
        Module1::CurrentChapter() = QString::fromUtf8(chapter);
        m_viewer = std::make_unique<Fllhb>();
        m_viewer->resize(size);
        m_viewer->show();
    }
    template <typename T = QWidget> T *c(const char *name) const { return m_viewer->findChild<T *>(name); }
    int picture() const { return pictureNumberOf(c<PictureBox>("Image1")); }
    QString text3() const { return c<TextPane>("Text3")->text(); }
    QString text2() const { return c<TextPane>("Text2")->text(); }
    void click(const char *button) { c<QPushButton>(button)->click(); }
    void choose(const char *entry) { m_viewer->chooseEntry(c<QComboBox>("Combo1")->findText(entry)); }
    double W() const { return m_viewer->width() * 15.0; }
    float pictureWidth(double factor) const { return float(factor * (0.28 * W())); }
    float paneLeft() const { return float(0.02 * W() + double(m_viewer->boxes().image1.width)); }

    std::unique_ptr<ViewerInstallation> m_install;
    std::unique_ptr<Fllhb> m_viewer;
};

void ViewerTest::openChapter7_showsFirstPage()
{
    open("驱煞转运");
    QCOMPARE(c<QLabel>("Label1")->text(), "驱煞转运符咒：");
    auto *combo = c<QComboBox>("Combo1");
    // The caption labels the list for a screen reader, without a mnemonic or a change of its text.
    QCOMPARE(c<QLabel>("Label1")->buddy(), combo);
    QCOMPARE(c<QLabel>("Label1")->accessibleName(), "驱煞转运符咒：条目");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items.size(), 21);
    QCOMPARE(items, content::Catalogue::entryNames(*content::Catalogue::instance().chapterByShortTitle("驱煞转运")));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(c<QLabel>("Label2")->text(), "镇诸凶星辰之鬼法");
    QCOMPARE(picture(), 19);
    QVERIFY(text3().startsWith("镇诸凶星辰之鬼法[用法]:\r\n    "));
    QVERIFY(c("Frame1")->isHidden());
    QVERIFY(m_install->boxes.isEmpty());

    // The user's keys select as the mouse does.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(c<QLabel>("Label2")->text(), items.at(1));
}

void ViewerTest::wideThenNormalPage()
{
    open("祝由秘字");
    choose("治病总符");
    QCOMPARE(m_viewer->boxes().image1.width, pictureWidth(2));
    QCOMPARE(m_viewer->boxes().text3.left, paneLeft());
    m_viewer->resize(1600, 1000);
    QCOMPARE(m_viewer->boxes().image1.width, pictureWidth(2));
    QCOMPARE(c("Image1")->width(), qRound(2 * 0.28 * 1600));
    choose("壮阳补肾秘字");
    QCOMPARE(m_viewer->boxes().image1.width, pictureWidth(1));
    QCOMPARE(m_viewer->boxes().text2.left, paneLeft());
    QVERIFY(text2().startsWith("壮阳补肾秘字[用法]：\r\n"));
}

void ViewerTest::missingPicture_oneMessage_previousPageStays()
{
    open("祝由秘字");
    const QString upper = text3(), lower = text2();
    QVERIFY(m_install->remove(86));
    choose("治病总符"); // a wide page: the layout comes before the picture
    QCOMPARE(m_install->boxes.size(), 1);
    QCOMPARE(m_install->boxes.first().caption, "灵箓汇编");
    QVERIFY(m_install->boxes.first().text.contains("086.jpg"));
    QCOMPARE(c<QLabel>("Label2")->text(), "治病总符");
    QCOMPARE(m_viewer->boxes().image1.width, pictureWidth(2));
    QCOMPARE(picture(), 85);
    QCOMPARE(text3(), upper);
    QCOMPARE(text2(), lower);
}

void ViewerTest::missingFirstPicture_chapterStillOpensWhole()
{
    QVERIFY(m_install->remove(19));
    open("驱煞转运");
    QCOMPARE(m_install->boxes.size(), 1);
    QVERIFY(m_install->boxes.first().text.contains("019.jpg"));
    QCOMPARE(c<QComboBox>("Combo1")->count(), 21);
    QCOMPARE(c<QComboBox>("Combo1")->currentIndex(), 0);
    QCOMPARE(c<QLabel>("Label2")->text(), "镇诸凶星辰之鬼法");
    m_viewer->chooseEntry(20);
    QVERIFY(picture() >= 0);
    QCOMPARE(m_install->boxes.size(), 1);
}

void ViewerTest::qimen_panelThroughItsButtons()
{
    open("奇门遁甲");
    QCOMPARE(picture(), 78);
    QVERIFY(text2().startsWith("真人步斗法[咒语]:\r\n    斗咒："));
    m_viewer->chooseEntry(1); // the overview, with the panel
    const viewer::ViewerBoxes &b = m_viewer->boxes();
    QVERIFY(!c("Frame1")->isHidden());
    QCOMPARE(picture(), 77);
    QCOMPARE(b.image1.width, pictureWidth(1.75));
    QVERIFY(qAbs(b.frame1.left - (0.995 * W() - 855)) < 0.01);
    QCOMPARE(c("Frame1")->geometry(), twips::toPixels(b.frame1));
    QVERIFY(text3().startsWith("玉女反闭诀[用法]:\r\n"));
    QCOMPARE(text2().count("\r\n"), 22);

    click("Command1"); // 子丑日: the overview's texts stay
    QCOMPARE(picture(), 79);
    QCOMPARE(b.image1.width, pictureWidth(2.5));
    QVERIFY(text3().startsWith("玉女反闭诀[用法]:"));
    m_viewer->resize(1700, 950); // the chart keeps its factor and the room for the panel
    QCOMPARE(b.image1.width, pictureWidth(2.5));
    QCOMPARE(b.text3.width, float(0.99 * W() - double(paneLeft()) - 855));
    QVERIFY(qAbs(b.frame1.left - (0.995 * W() - 855)) < 0.01);

    click("Command13"); // hide: zero width, both panes moved left up to the picture's edge
    QCOMPARE(c<QPushButton>("Command13")->text(), "显示图形");
    QCOMPARE(b.image1.width, 0.f);
    QCOMPARE(b.text3.left, std::max(float(double(float(0.02 * W())) - 1500), b.image1.left));
    QVERIFY(b.text3.left >= 0);
    QCOMPARE(b.text2.left, b.text3.left);
    click("Command13"); // show again at the chart's factor
    QCOMPARE(c<QPushButton>("Command13")->text(), "隐藏图形");
    QCOMPARE(b.image1.width, pictureWidth(2.5));
    QCOMPARE(b.text3.left, paneLeft());

    click("Command13");
    click("Command8"); // 乙  奇 after hiding: shown at factor 1 without the toggle
    QCOMPARE(c<QPushButton>("Command13")->text(), "隐藏图形");
    QCOMPARE(picture(), 74);
    QCOMPARE(b.image1.width, pictureWidth(1));
    QVERIFY(text3().startsWith("乙奇符式[用法]:\r\n"));
    QVERIFY(text2().startsWith("乙奇符式[咒语]:\r\n"));
    QCOMPARE(c<QLabel>("Label2")->text(), "玉女反闭诀");

    click("Command13");
    m_viewer->chooseEntry(0); // 真人步斗法: panel hidden, normal layout, no shift
    QVERIFY(c("Frame1")->isHidden());
    QCOMPARE(b.image1.width, pictureWidth(1));
    QCOMPARE(b.text3.left, paneLeft());
    QCOMPARE(b.text3.width, float(0.99 * W() - double(paneLeft())));
    QCOMPARE(c<QPushButton>("Command13")->text(), "显示图形");
    QVERIFY(m_install->boxes.isEmpty());
}

void ViewerTest::qimen_missing079()
{
    QVERIFY(m_install->remove(79));
    open("奇门遁甲");
    m_viewer->chooseEntry(1);
    click("Command13");
    const QString upper = text3();
    click("Command1");
    QCOMPARE(m_install->boxes.size(), 1);
    QVERIFY(m_install->boxes.first().text.contains("079.jpg"));
    QCOMPARE(picture(), 77);
    QCOMPARE(m_viewer->boxes().image1.width, pictureWidth(2.5));
    QCOMPARE(c<QPushButton>("Command13")->text(), "隐藏图形");
    QCOMPARE(m_viewer->savedPictureWidthFactor(), 2.5);
    QCOMPARE(text3(), upper);
}

void ViewerTest::everyEntry_quickAndSilent()
{
    // Tall pictures, a maximised viewer on a 1920 × 1080 screen: each of the 243 selections with
    // its repaint shows its picture, and none shows a message. The time limit is a hang guard that
    // holds on a loaded machine; how fast a page switch is, scripts/bench measures ("pages").
    m_install.reset(); // the old one would remove the new one's box observer as it goes
    m_install = std::make_unique<ViewerInstallation>(QSize(0, 960));
    QList<qint64> times;
    QElapsedTimer clock;
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters()) {
        open(chapter.shortTitle.toUtf8().constData(), QSize(1920, 1010));
        m_viewer->repaint();
        for (int i = 0; i < int(chapter.entries.size()); ++i) {
            clock.start();
            m_viewer->chooseEntry(i);
            m_viewer->repaint();
            times.append(clock.nsecsElapsed());
            QVERIFY(picture() >= 0);
        }
    }
    std::sort(times.begin(), times.end());
    qInfo("page switch: median %.2f ms, slowest %.2f ms", double(times.at(times.size() / 2)) / 1e6,
          double(times.last()) / 1e6);
    QCOMPARE(times.size(), 243);
    QVERIFY(times.at(times.size() / 2) < 1'000'000'000);
    QVERIFY(m_install->boxes.isEmpty());
}

QTEST_MAIN(ViewerTest)
#include "viewer_test.moc"
