// The viewer window: loading a chapter, selecting entries, the entry pages with their pictures and
// panes, the layout on resizes, and what a missing picture leaves.
#include "viewer_support.h"

#include "content/Catalogue.h"
#include "viewer/Fllhb.h"
#include "viewer/TextPane.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace viewertest;

class ViewerWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openChapter7_showsItsFirstPage();
    void openChapter_firstEntryAndPicture_data();
    void openChapter_firstEntryAndPicture();
    void unknownChapter_keepsInitialState_data();
    void unknownChapter_keepsInitialState();
    void userSelection_runsTheSelection();
    void wideThenNormalPage_data();
    void wideThenNormalPage();
    void widePage_staysWideThroughResizes();
    void pageWithoutLowerSection_clearsText2();
    void headingTitlePage_headsBothPanes();
    void sharedName_showsTheSamePageInBothChapters();
    void labels_sizeThemselvesToTheirText();
    void missingPicture_oneMessage_previousPageStays();
    void unreadablePicture_namesTheFile();
    void missingFirstPicture_chapterStillOpensWhole();
    void minimisedClient_keepsSizesThenRestores();
    void everyEntry_showsWithoutMessage();
    void pageSwitch_isQuickOnAFullScreen();

private:
    std::unique_ptr<Fllhb> open(const QString &shortTitle, QSize size = QSize(1200, 800));
    template<typename T> T *control(const char *name) const
    {
        return m_viewer ? m_viewer->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    }
    int shownPicture() const { return pictureNumberOf(control<PictureBox>("Image1")); }
    QString text3() const { return control<TextPane>("Text3")->text(); }
    QString text2() const { return control<TextPane>("Text2")->text(); }
    int entryIndex(const QString &name) const { return control<QComboBox>("Combo1")->findText(name); }

    std::unique_ptr<Installation> m_install;
    std::unique_ptr<BoxRecorder> m_boxes;
    std::unique_ptr<Fllhb> m_viewer;
};

void ViewerWindowTest::init()
{
    m_install = std::make_unique<Installation>();
    m_boxes = std::make_unique<BoxRecorder>();
}

void ViewerWindowTest::cleanup()
{
    m_viewer.reset();
    m_boxes.reset();
    m_install.reset();
}

std::unique_ptr<Fllhb> ViewerWindowTest::open(const QString &shortTitle, QSize size)
{
    Module1::CurrentChapter() = shortTitle;
    auto viewer = std::make_unique<Fllhb>();
    viewer->resize(size);
    viewer->show();
    return viewer;
}

void ViewerWindowTest::openChapter7_showsItsFirstPage()
{
    m_viewer = open("驱煞转运");
    QCOMPARE(control<QLabel>("Label1")->text(), "驱煞转运符咒：");
    auto *combo = control<QComboBox>("Combo1");
    QCOMPARE(combo->count(), 21);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    const content::Chapter *chapter = content::Catalogue::instance().chapterByShortTitle("驱煞转运");
    QCOMPARE(items, content::Catalogue::entryNames(*chapter));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(control<QLabel>("Label2")->text(), "镇诸凶星辰之鬼法");
    QCOMPARE(shownPicture(), 19);
    QVERIFY(text3().startsWith("镇诸凶星辰之鬼法[用法]:\r\n    "));
    QVERIFY(!text2().isEmpty());
    QVERIFY(!control<QWidget>("Frame1")->isVisible());
    QVERIFY(m_boxes->shown().isEmpty());
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.0);
    QCOMPARE(m_viewer->textWidthReduction(), 0.0);
}

void ViewerWindowTest::openChapter_firstEntryAndPicture_data()
{
    QTest::addColumn<QString>("shortTitle");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("picture");
    QTest::newRow("1") << "奇门遁甲" << "奇门遁甲符咒：" << 2 << "真人步斗法" << 78;
    QTest::newRow("2") << "祝由秘字" << "祝由秘字：" << 27 << "数术功治病" << 85;
    QTest::newRow("3") << "镇宅兴家" << "镇宅兴家符咒：" << 69 << "镇本宅土煞凶神法" << 65;
    QTest::newRow("4") << "夜行护身" << "夜行护身符咒：" << 8 << "压鬼怪祟人法" << 23;
    QTest::newRow("5") << "日常琐事" << "日常琐事符咒：" << 54 << "镇刑克法" << 55;
    QTest::newRow("6") << "治病驱魔" << "治病驱魔符咒：" << 27 << "压耗疾疫病连绵法" << 62;
    QTest::newRow("8") << "问世通灵" << "问世通灵符咒：" << 17 << "镇龙神法" << 26;
    QTest::newRow("9") << "修身养性" << "修身养性符咒：" << 6 << "镇官司缠身法" << 56;
    QTest::newRow("10") << "隐身飞升" << "隐身飞升符咒：" << 12 << "诸葛隐身法" << 112;
}

void ViewerWindowTest::openChapter_firstEntryAndPicture()
{
    QFETCH(QString, shortTitle);
    QFETCH(QString, caption);
    QFETCH(int, entries);
    QFETCH(QString, first);
    QFETCH(int, picture);
    m_viewer = open(shortTitle);
    QCOMPARE(control<QLabel>("Label1")->text(), caption);
    QCOMPARE(control<QComboBox>("Combo1")->count(), entries);
    QCOMPARE(control<QLabel>("Label2")->text(), first);
    QCOMPARE(shownPicture(), picture);
    QCOMPARE(text3().section("\r\n", 0, 0).left(first.size()), first);
    QVERIFY(m_boxes->shown().isEmpty());
}

void ViewerWindowTest::unknownChapter_keepsInitialState_data()
{
    QTest::addColumn<QString>("shortTitle");
    QTest::newRow("empty") << "";
    QTest::newRow("trailing space") << "日常琐事 ";
    QTest::newRow("caption instead of title") << "日常琐事符咒：";
}

void ViewerWindowTest::unknownChapter_keepsInitialState()
{
    QFETCH(QString, shortTitle);
    m_viewer = open(shortTitle);
    QCOMPARE(control<QLabel>("Label1")->text(), "灵箓汇编分类");
    QCOMPARE(control<QLabel>("Label2")->text(), "具体的灵箓汇编内容标题");
    QCOMPARE(control<QComboBox>("Combo1")->count(), 0);
    QCOMPARE(shownPicture(), -1);
    QVERIFY(text3().isEmpty() && text2().isEmpty());
    QVERIFY(control<QWidget>("Frame1")->isHidden());
    QVERIFY(m_boxes->shown().isEmpty());
}

void ViewerWindowTest::userSelection_runsTheSelection()
{
    // The list reacts to the user's keys as to a mouse choice, also when the entry does not change.
    m_viewer = open("治病驱魔");
    auto *combo = control<QComboBox>("Combo1");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(control<QLabel>("Label2")->text(), combo->itemText(1));
    QCOMPARE(shownPicture(), content::Catalogue::instance().chapterByShortTitle("治病驱魔")->entries.at(1).page->pictureNumber);

    control<TextPane>("Text3")->setText(QString());
    emit combo->activated(1);
    QVERIFY(!text3().isEmpty());
}

void ViewerWindowTest::wideThenNormalPage_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<double>("firstFactor");
    QTest::addColumn<QString>("second");
    QTest::addColumn<double>("secondFactor");
    QTest::newRow("wide then normal") << "治病总符" << 2.0 << "壮阳补肾秘字" << 1.0;
    QTest::newRow("normal then wide") << "数术功治病" << 1.0 << "治传染病秘字" << 2.0;
    QTest::newRow("wide then wide") << "治病总符" << 2.0 << "治传染病秘字" << 2.0;
}

void ViewerWindowTest::wideThenNormalPage()
{
    QFETCH(QString, first);
    QFETCH(double, firstFactor);
    QFETCH(QString, second);
    QFETCH(double, secondFactor);
    m_viewer = open("祝由秘字");
    const double W = m_viewer->width() * 15.0;
    auto *image = control<PictureBox>("Image1");

    m_viewer->chooseEntry(entryIndex(first));
    QCOMPARE(m_viewer->pictureWidthFactor(), firstFactor);
    QCOMPARE(m_viewer->boxes().image1.width, float(firstFactor * 0.28 * W));
    QCOMPARE(m_viewer->boxes().text3.left, float(0.02 * W + double(m_viewer->boxes().image1.width)));

    m_viewer->chooseEntry(entryIndex(second));
    QCOMPARE(m_viewer->pictureWidthFactor(), secondFactor);
    QCOMPARE(m_viewer->boxes().image1.width, float(secondFactor * 0.28 * W));
    QCOMPARE(image->width(), qRound(secondFactor * 0.28 * m_viewer->width()));
    QCOMPARE(control<QWidget>("Text2")->x() + control<QWidget>("Text2")->width(),
             qRound(0.99 * m_viewer->width()));
    QVERIFY(m_boxes->shown().isEmpty());
}

void ViewerWindowTest::widePage_staysWideThroughResizes()
{
    m_viewer = open("祝由秘字");
    m_viewer->chooseEntry(entryIndex("治病总符"));
    m_viewer->resize(1500, 900);
    QCOMPARE(m_viewer->boxes().image1.width, float(2 * 0.28 * 1500 * 15));
    m_viewer->chooseEntry(entryIndex("数术功治病"));
    QCOMPARE(m_viewer->boxes().image1.width, float(0.28 * 1500 * 15));
}

void ViewerWindowTest::pageWithoutLowerSection_clearsText2()
{
    // The first page of 镇宅兴家 has both sections; find a page of that chapter with the upper only.
    m_viewer = open("镇宅兴家");
    QVERIFY(!text2().isEmpty());
    const content::Chapter *chapter = content::Catalogue::instance().chapterByShortTitle("镇宅兴家");
    auto upperOnly = std::find_if(chapter->entries.begin(), chapter->entries.end(),
                                  [](const content::Entry &entry) { return !entry.page->lower; });
    QVERIFY(upperOnly != chapter->entries.end());
    m_viewer->chooseEntry(entryIndex(upperOnly->name));
    QCOMPARE(shownPicture(), upperOnly->page->pictureNumber);
    QVERIFY(text3().startsWith(upperOnly->name + "[用法]:\r\n"));
    QCOMPARE(text2(), QString());
}

void ViewerWindowTest::headingTitlePage_headsBothPanes()
{
    const content::Catalogue &book = content::Catalogue::instance();
    for (const content::Chapter &chapter : book.chapters()) {
        for (const content::Entry &entry : chapter.entries) {
            if (!entry.page || entry.page->headingTitle.isEmpty())
                continue;
            m_viewer = open(chapter.shortTitle);
            m_viewer->chooseEntry(entryIndex(entry.name));
            QCOMPARE(control<QLabel>("Label2")->text(), entry.name);
            QVERIFY(text3().startsWith(entry.page->headingTitle + entry.page->upper.label + "\r\n"));
            if (entry.page->lower)
                QVERIFY(text2().startsWith(entry.page->headingTitle + entry.page->lower->label + "\r\n"));
            QVERIFY(entry.page->headingTitle.contains("、"));
            return;
        }
    }
    QFAIL("the book has no page with its own heading title");
}

void ViewerWindowTest::sharedName_showsTheSamePageInBothChapters()
{
    m_viewer = open("镇宅兴家");
    m_viewer->chooseEntry(entryIndex("镇不详之兆法"));
    const int picture = shownPicture();
    const QString upper = text3();
    const QString lower = text2();
    m_viewer = open("日常琐事");
    m_viewer->chooseEntry(entryIndex("镇不详之兆法"));
    QCOMPARE(shownPicture(), picture);
    QCOMPARE(text3(), upper);
    QCOMPARE(text2(), lower);
}

void ViewerWindowTest::labels_sizeThemselvesToTheirText()
{
    m_viewer = open("祝由秘字");
    const auto boxes = [this] { return m_viewer->boxes(); };
    const float fiveCharacters = boxes().label1.width;
    const float shortTitle = boxes().label2.width;
    m_viewer = open("隐身飞升");
    QVERIFY(boxes().label1.width > fiveCharacters);
    QCOMPARE(boxes().combo1.left, boxes().label1.width);
    QCOMPARE(boxes().label2.left, boxes().combo1.left + boxes().combo1.width);

    m_viewer = open("祝由秘字");
    m_viewer->chooseEntry(entryIndex("治呼吸系统病秘字"));
    QVERIFY(boxes().label2.width > shortTitle);
    QCOMPARE(control<QLabel>("Label2")->width(), qRound(boxes().label2.width / 15));
    QCOMPARE(control<QLabel>("Label2")->alignment(), Qt::AlignCenter);
}

void ViewerWindowTest::missingPicture_oneMessage_previousPageStays()
{
    m_viewer = open("祝由秘字");
    const QString upper = text3();
    const QString lower = text2();
    QVERIFY(m_install->removePicture(86)); // 治病总符, a wide page
    m_viewer->chooseEntry(entryIndex("治病总符"));

    QCOMPARE(m_boxes->shown().size(), 1);
    QCOMPARE(m_boxes->shown().first().caption, "灵箓汇编");
    QVERIFY(m_boxes->shown().first().text.contains("086.jpg"));
    QCOMPARE(control<QLabel>("Label2")->text(), "治病总符");
    QCOMPARE(m_viewer->pictureWidthFactor(), 2.0); // the wide layout came before the picture
    QCOMPARE(shownPicture(), 85);
    QCOMPARE(text3(), upper);
    QCOMPARE(text2(), lower);
}

void ViewerWindowTest::unreadablePicture_namesTheFile()
{
    m_viewer = open("夜行护身");
    const int second = content::Catalogue::instance().chapterByShortTitle("夜行护身")->entries.at(1).page->pictureNumber;
    QFile damaged(picturePath(m_install->dir(), second));
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("not a picture at all");
    damaged.close();
    m_viewer->chooseEntry(1);
    QCOMPARE(m_boxes->shown().size(), 1);
    QVERIFY(m_boxes->shown().first().text.contains(QString::asprintf("%03d.jpg", second)));
    QCOMPARE(shownPicture(), 23);
}

void ViewerWindowTest::missingFirstPicture_chapterStillOpensWhole()
{
    // One missing file must not cost the chapter its list: one message, every entry listed, the
    // first selected, and the other pages still reachable.
    QVERIFY(m_install->removePicture(19));
    m_viewer = open("驱煞转运");
    QCOMPARE(m_boxes->shown().size(), 1);
    QVERIFY(m_boxes->shown().first().text.contains("019.jpg"));
    auto *combo = control<QComboBox>("Combo1");
    QCOMPARE(combo->count(), 21);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(control<QLabel>("Label2")->text(), "镇诸凶星辰之鬼法");
    QCOMPARE(shownPicture(), -1);

    m_viewer->chooseEntry(20);
    QCOMPARE(m_boxes->shown().size(), 1);
    QCOMPARE(control<QLabel>("Label2")->text(), combo->itemText(20));
    QVERIFY(shownPicture() >= 0);
}

void ViewerWindowTest::minimisedClient_keepsSizesThenRestores()
{
    m_viewer = open("日常琐事", QSize(1000, 700));
    const viewer::ViewerBoxes restored = m_viewer->boxes();
    m_viewer->resize(0, 0);
    const viewer::ViewerBoxes small = m_viewer->boxes();
    QCOMPARE(small.image1.width, 0.f);
    QCOMPARE(small.image1.height, restored.image1.height); // would be negative: refused
    QCOMPARE(small.text3.height, restored.text3.height);
    QCOMPARE(small.text2.top, 0.f);
    m_viewer->resize(1000, 700);
    QCOMPARE(m_viewer->boxes().image1, restored.image1);
    QCOMPARE(m_viewer->boxes().text3, restored.text3);
    QCOMPARE(m_viewer->boxes().text2, restored.text2);
}

void ViewerWindowTest::everyEntry_showsWithoutMessage()
{
    int entries = 0;
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters()) {
        m_viewer = open(chapter.shortTitle);
        auto *combo = control<QComboBox>("Combo1");
        for (int i = 0; i < combo->count(); ++i, ++entries) {
            m_viewer->chooseEntry(i);
            QCOMPARE(control<QLabel>("Label2")->text(), combo->itemText(i));
            QVERIFY(shownPicture() >= 0);
            QVERIFY(!text3().isEmpty());
        }
    }
    QCOMPARE(entries, 243);
    QVERIFY(m_boxes->shown().isEmpty());
}

void ViewerWindowTest::pageSwitch_isQuickOnAFullScreen()
{
    // Pictures of a realistic size, a maximised viewer on a 1920 × 1080 screen: a selection and the
    // repaint it causes stay well inside one frame.
    const content::Chapter *chapter = content::Catalogue::instance().chapterByShortTitle("日常琐事");
    for (const content::Entry &entry : chapter->entries) {
        QImage picture(480, 960, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(entry.page->pictureNumber % 360, 90, 220));
        QVERIFY(picture.save(picturePath(m_install->dir(), entry.page->pictureNumber), "JPG", 85));
    }
    m_viewer = open("日常琐事", QSize(1920, 1080 - 70));
    m_viewer->repaint();

    QList<qint64> times;
    QElapsedTimer clock;
    auto *combo = control<QComboBox>("Combo1");
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < combo->count(); ++i) {
            clock.start();
            m_viewer->chooseEntry(i);
            m_viewer->repaint();
            times.append(clock.nsecsElapsed());
        }
    }
    std::sort(times.begin(), times.end());
    const double median = double(times.at(times.size() / 2)) / 1e6;
    const double worst = double(times.last()) / 1e6;
    qInfo("page switch: median %.2f ms, worst %.2f ms over %lld switches", median, worst, qlonglong(times.size()));
    QVERIFY2(median < 16, qPrintable(QString::number(median)));
    QVERIFY(m_boxes->shown().isEmpty());
}

QTEST_MAIN(ViewerWindowTest)
#include "viewer_window_test.moc"
