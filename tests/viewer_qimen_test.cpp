// The 奇门遁甲 chapter: its two list entries and the button panel with the overview, the day
// charts, the figure pages and the hidden picture, including what a missing picture leaves.
#include "viewer_support.h"

#include "content/Catalogue.h"
#include "viewer/Fllhb.h"
#include "viewer/TextPane.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace viewertest;

class ViewerQimenTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opening_showsZhenRenBuDouWithoutPanel();
    void selectingYuNvFanBi_opensPanelAtOverview();
    void dayChartButtons_data();
    void dayChartButtons();
    void figureButtons_data();
    void figureButtons();
    void dayChartThenYiQi();
    void hideOnDayChart_thenShow();
    void hide_thenFigureButton();
    void hide_thenSelectZhenRenBuDou();
    void resizeOnDayChart_keepsFactorAndPanelRoom();
    void missingDayChart_keepsPictureDrawnWider();
    void missingOverviewPicture_panelStaysWithOneMessage();
    void missingFigurePicture_keepsPreviousPageAtNewLayout();

private:
    void open(QSize size = QSize(1400, 900));
    void click(const char *button) { control<QPushButton>(button)->click(); }
    template<typename T> T *control(const char *name) const
    {
        return m_viewer->findChild<T *>(QString::fromLatin1(name));
    }
    double W() const { return m_viewer->width() * 15.0; }
    int shownPicture() const { return pictureNumberOf(control<PictureBox>("Image1")); }
    QString text3() const { return control<TextPane>("Text3")->text(); }
    QString text2() const { return control<TextPane>("Text2")->text(); }
    QString hideCaption() const { return control<QPushButton>("Command13")->text(); }
    bool panelShown() const { return !control<QWidget>("Frame1")->isHidden(); }

    std::unique_ptr<Installation> m_install;
    std::unique_ptr<BoxRecorder> m_boxes;
    std::unique_ptr<Fllhb> m_viewer;
};

void ViewerQimenTest::init()
{
    m_install = std::make_unique<Installation>();
    m_boxes = std::make_unique<BoxRecorder>();
}

void ViewerQimenTest::cleanup()
{
    m_viewer.reset();
    m_boxes.reset();
    m_install.reset();
}

void ViewerQimenTest::open(QSize size)
{
    Module1::CurrentChapter() = "奇门遁甲";
    m_viewer = std::make_unique<Fllhb>();
    m_viewer->resize(size);
    m_viewer->show();
}

void ViewerQimenTest::opening_showsZhenRenBuDouWithoutPanel()
{
    open();
    QCOMPARE(control<QComboBox>("Combo1")->count(), 2);
    QCOMPARE(control<QLabel>("Label2")->text(), "真人步斗法");
    QCOMPARE(shownPicture(), 78);
    QVERIFY(!panelShown());
    QCOMPARE(text3().count("\r\n"), 4);
    QVERIFY(text3().startsWith("真人步斗法[用法]:\r\n"));
    QCOMPARE(text2().count("\r\n"), 8);
    QVERIFY(text2().startsWith("真人步斗法[咒语]:\r\n    斗咒："));
    QCOMPARE(m_viewer->boxes().image1.width, float(0.28 * W()));
    QVERIFY(m_boxes->shown().isEmpty());
}

void ViewerQimenTest::selectingYuNvFanBi_opensPanelAtOverview()
{
    open();
    m_viewer->chooseEntry(1);
    QVERIFY(panelShown());
    QCOMPARE(control<QLabel>("Label2")->text(), "玉女反闭诀");
    QCOMPARE(shownPicture(), 77);
    QCOMPARE(hideCaption(), "隐藏图形");
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.75);
    QCOMPARE(m_viewer->savedPictureWidthFactor(), 1.75);
    QCOMPARE(m_viewer->textWidthReduction(), 855.0);

    const viewer::ViewerBoxes &b = m_viewer->boxes();
    QCOMPARE(b.image1.width, float(1.75 * (0.28 * W())));
    QCOMPARE(b.text3.width, float(0.99 * W() - double(b.text3.left) - 855));
    QCOMPARE(b.frame1.left, float(0.005 * W() + double(b.text3.width) + double(b.text3.left)));
    QVERIFY(qAbs(b.frame1.left - (0.995 * W() - 855)) < 0.01);
    QCOMPARE(b.frame1.top, b.image1.top);
    QCOMPARE(b.frame1.height, b.image1.height);
    QCOMPARE(control<QWidget>("Frame1")->geometry(), viewer::toPixels(b.frame1));

    QVERIFY(text3().startsWith("玉女反闭诀[用法]:\r\n"));
    QCOMPARE(text3().count("\r\n"), 14);
    QVERIFY(text2().startsWith("玉女反闭诀[咒语]:\r\n    布阵咒："));
    QCOMPARE(text2().count("\r\n"), 22);
    QVERIFY(m_boxes->shown().isEmpty());
}

void ViewerQimenTest::dayChartButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("picture");
    QTest::newRow("子丑日") << "Command1" << "子丑日" << 79;
    QTest::newRow("寅卯日") << "Command2" << "寅卯日" << 80;
    QTest::newRow("辰巳日") << "Command3" << "辰巳日" << 81;
    QTest::newRow("午未日") << "Command4" << "午未日" << 82;
    QTest::newRow("申酉日") << "Command5" << "申酉日" << 83;
    QTest::newRow("戌亥日") << "Command6" << "戌亥日" << 84;
}

void ViewerQimenTest::dayChartButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(int, picture);
    open();
    m_viewer->chooseEntry(1);
    const QString upper = text3();
    const QString lower = text2();
    auto *command = m_viewer->findChild<QPushButton *>(button);
    QCOMPARE(command->text(), caption);
    command->click();
    QCOMPARE(shownPicture(), picture);
    QCOMPARE(m_viewer->pictureWidthFactor(), 2.5);
    QCOMPARE(m_viewer->savedPictureWidthFactor(), 2.5);
    QCOMPARE(m_viewer->boxes().image1.width, float(2.5 * (0.28 * W())));
    QCOMPARE(text3(), upper);
    QCOMPARE(text2(), lower);
}

void ViewerQimenTest::figureButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("upperParagraphs");
    QTest::newRow("乙奇") << "Command8" << "乙  奇" << 74 << "乙奇符式" << 1;
    QTest::newRow("丙奇") << "Command9" << "丙  奇" << 75 << "丙奇符式" << 1;
    QTest::newRow("丁奇") << "Command10" << "丁  奇" << 76 << "丁奇符式" << 1;
    QTest::newRow("禹罡") << "Command11" << "禹  罡" << 73 << "禹罡式" << 4;
    QTest::newRow("四纵五横") << "Command12" << "四纵五横" << 72 << "四纵五横" << 2;
}

void ViewerQimenTest::figureButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(int, picture);
    QFETCH(QString, heading);
    QFETCH(int, upperParagraphs);
    open();
    m_viewer->chooseEntry(1);
    auto *command = m_viewer->findChild<QPushButton *>(button);
    QCOMPARE(command->text(), caption);
    command->click();
    QCOMPARE(shownPicture(), picture);
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.0);
    QCOMPARE(m_viewer->textWidthReduction(), 855.0); // the panel keeps its room
    QVERIFY(text3().startsWith(heading + "[用法]:\r\n    "));
    QCOMPARE(text3().count("\r\n"), upperParagraphs);
    QVERIFY(text2().startsWith(heading + "[咒语]:\r\n    "));
    QCOMPARE(text2().count("\r\n"), 3);
    QVERIFY(text2().contains("\r\n    又咒："));
    // The list and the title still name the entry.
    QCOMPARE(control<QLabel>("Label2")->text(), "玉女反闭诀");
}

void ViewerQimenTest::dayChartThenYiQi()
{
    open();
    m_viewer->chooseEntry(1);
    click("Command1");
    QCOMPARE(shownPicture(), 79);
    QCOMPARE(m_viewer->boxes().image1.width, float(2.5 * (0.28 * W())));
    QVERIFY(text3().startsWith("玉女反闭诀[用法]:"));
    click("Command8");
    QCOMPARE(shownPicture(), 74);
    QCOMPARE(m_viewer->boxes().image1.width, float(0.28 * W()));
    QVERIFY(text3().startsWith("乙奇符式[用法]:\r\n"));
    QVERIFY(text2().startsWith("乙奇符式[咒语]:\r\n"));
}

void ViewerQimenTest::hideOnDayChart_thenShow()
{
    open();
    m_viewer->chooseEntry(1);
    click("Command3");
    click("Command13");
    QCOMPARE(hideCaption(), "显示图形");
    QCOMPARE(m_viewer->pictureWidthFactor(), 0.0);
    const viewer::ViewerBoxes &b = m_viewer->boxes();
    QCOMPARE(b.image1.width, 0.f);
    QCOMPARE(b.text3.left, float(double(float(0.02 * W())) - 1500));
    QCOMPARE(b.text2.left, b.text3.left);
    QCOMPARE(b.text3.width, float(0.99 * W() - double(float(0.02 * W())) - 855));
    QVERIFY(qAbs(b.frame1.left - (0.995 * W() - 855)) < 0.01);
    QCOMPARE(shownPicture(), 81); // still loaded, drawn at zero width

    click("Command13");
    QCOMPARE(hideCaption(), "隐藏图形");
    QCOMPARE(m_viewer->pictureWidthFactor(), 2.5);
    QCOMPARE(b.image1.width, float(2.5 * (0.28 * W())));
    QCOMPARE(b.text3.left, float(0.02 * W() + double(b.image1.width)));
}

void ViewerQimenTest::hide_thenFigureButton()
{
    open();
    m_viewer->chooseEntry(1);
    click("Command13");
    QCOMPARE(hideCaption(), "显示图形");
    click("Command10");
    QCOMPARE(hideCaption(), "隐藏图形");
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.0);
    QCOMPARE(m_viewer->boxes().image1.width, float(0.28 * W()));
    QCOMPARE(m_viewer->boxes().text3.left, float(0.02 * W() + double(m_viewer->boxes().image1.width)));
    QCOMPARE(shownPicture(), 76);
    // Showing the picture again now restores the figure's factor, not the overview's.
    click("Command13");
    click("Command13");
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.0);
}

void ViewerQimenTest::hide_thenSelectZhenRenBuDou()
{
    open();
    m_viewer->chooseEntry(1);
    click("Command13");
    m_viewer->chooseEntry(0);
    QVERIFY(!panelShown());
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.0);
    QCOMPARE(m_viewer->textWidthReduction(), 0.0);
    const viewer::ViewerBoxes &b = m_viewer->boxes();
    QCOMPARE(b.image1.width, float(0.28 * W()));
    QCOMPARE(b.text3.left, float(0.02 * W() + double(b.image1.width)));
    QCOMPARE(b.text3.width, float(0.99 * W() - double(b.text3.left)));
    QCOMPARE(shownPicture(), 78);
    QCOMPARE(hideCaption(), "显示图形"); // not reset by a selection
    // A resize with the panel hidden applies no shift either.
    m_viewer->resize(1300, 850);
    QCOMPARE(b.text3.left, float(0.02 * W() + double(b.image1.width)));

    m_viewer->chooseEntry(1);
    QCOMPARE(hideCaption(), "隐藏图形");
    QVERIFY(panelShown());
}

void ViewerQimenTest::resizeOnDayChart_keepsFactorAndPanelRoom()
{
    open();
    m_viewer->chooseEntry(1);
    click("Command2");
    m_viewer->resize(1700, 950);
    QCOMPARE(m_viewer->pictureWidthFactor(), 2.5);
    const viewer::ViewerBoxes &b = m_viewer->boxes();
    QCOMPARE(b.image1.width, float(2.5 * (0.28 * W())));
    QCOMPARE(b.text3.width, float(0.99 * W() - double(b.text3.left) - 855));
    QVERIFY(qAbs(b.frame1.left - (0.995 * W() - 855)) < 0.01);
    QCOMPARE(b.frame1.height, float(0.99 * 950 * 15 - double(b.image1.top)));
    QCOMPARE(control<QWidget>("Frame1")->geometry(), viewer::toPixels(b.frame1));
    QCOMPARE(shownPicture(), 80);
}

void ViewerQimenTest::missingDayChart_keepsPictureDrawnWider()
{
    QVERIFY(m_install->removePicture(79));
    open();
    m_viewer->chooseEntry(1);
    click("Command13"); // hidden: the chart's button shows it again before it fails
    const QString upper = text3();
    const QString lower = text2();
    click("Command1");
    QCOMPARE(m_boxes->shown().size(), 1);
    QVERIFY(m_boxes->shown().first().text.contains("079.jpg"));
    QCOMPARE(m_boxes->shown().first().caption, "灵箓汇编");
    QCOMPARE(shownPicture(), 77);
    QCOMPARE(m_viewer->boxes().image1.width, float(2.5 * (0.28 * W())));
    QCOMPARE(hideCaption(), "隐藏图形");
    QCOMPARE(m_viewer->savedPictureWidthFactor(), 2.5);
    QCOMPARE(text3(), upper);
    QCOMPARE(text2(), lower);
}

void ViewerQimenTest::missingOverviewPicture_panelStaysWithOneMessage()
{
    QVERIFY(m_install->removePicture(77));
    open();
    const QString upper = text3();
    m_viewer->chooseEntry(1);
    QCOMPARE(m_boxes->shown().size(), 1);
    QVERIFY(m_boxes->shown().first().text.contains("077.jpg"));
    QVERIFY(panelShown());
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.75);
    QCOMPARE(m_viewer->textWidthReduction(), 855.0);
    QCOMPARE(shownPicture(), 78);
    QCOMPARE(text3(), upper);
}

void ViewerQimenTest::missingFigurePicture_keepsPreviousPageAtNewLayout()
{
    QVERIFY(m_install->removePicture(73));
    open();
    m_viewer->chooseEntry(1);
    click("Command5");
    const QString upper = text3();
    click("Command11");
    QCOMPARE(m_boxes->shown().size(), 1);
    QVERIFY(m_boxes->shown().first().text.contains("073.jpg"));
    QCOMPARE(shownPicture(), 83);
    QCOMPARE(m_viewer->pictureWidthFactor(), 1.0);
    QCOMPARE(m_viewer->savedPictureWidthFactor(), 1.0);
    QCOMPARE(text3(), upper);
}

QTEST_MAIN(ViewerQimenTest)
#include "viewer_qimen_test.moc"
