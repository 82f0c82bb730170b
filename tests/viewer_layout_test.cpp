// The viewer's layout arithmetic for given client sizes and label sizes, without a window.
#include "viewer/ViewerLayout.h"

#include <QTest>

using viewer::Box;
using viewer::LayoutBoxes;
using viewer::LayoutInput;
using viewer::LayoutScope;
using viewer::ViewerBoxes;

namespace viewer {
// Failure messages show the whole box.
char *toString(const Box &box)
{
    return QTest::toString(QStringLiteral("{%1, %2, %3, %4}").arg(box.left).arg(box.top).arg(box.width).arg(box.height));
}
} // namespace viewer

namespace {

// The title band as a chapter with a seven-character caption leaves it: Label1 3990 × 525,
// Combo1 4260 × 420, Label2 2520 × 315.
ViewerBoxes designedBoxes()
{
    ViewerBoxes boxes;
    boxes.label1 = {315, 0, 3990, 525};
    boxes.combo1 = {3570, 105, 4260, 420};
    boxes.label2 = {7860, 120, 2520, 315};
    boxes.image1 = {360, 720, 2940, 7125};
    boxes.text3 = {3420, 720, 8340, 2670};
    boxes.text2 = {3420, 3465, 8340, 4335};
    boxes.frame1 = {10935, 720, 855, 7095};
    return boxes;
}

LayoutInput client(double width, double height, double factor = 1, double reduction = 0, bool shifted = false)
{
    LayoutInput input;
    input.clientWidth = width;
    input.clientHeight = height;
    input.pictureWidthFactor = factor;
    input.textWidthReduction = reduction;
    input.panesShiftedLeft = shifted;
    return input;
}

} // namespace

class ViewerLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void normalLayout_placesEveryControl();
    void pictureShare_data();
    void pictureShare();
    void selection_leavesPanelAndShiftAlone();
    void smallClient_refusesNegativeSizes_data();
    void smallClient_refusesNegativeSizes();
    void restoredClient_laysOutAgain();
    void titleBand_followsLabelSizes_data();
    void titleBand_followsLabelSizes();
    void values_heldInSinglePrecision();
    void pixels_roundEachFigure();
};

void ViewerLayoutTest::normalLayout_placesEveryControl()
{
    ViewerBoxes b = designedBoxes();
    LayoutBoxes(b, client(20000, 10000));

    QCOMPARE(b.label1, (Box{0, 0, 3990, 525}));
    QCOMPARE(b.combo1, (Box{3990, 52.5f, 4260, 420}));
    QCOMPARE(b.label2, (Box{8250, 105, 2520, 315}));
    QCOMPARE(b.image1, (Box{200, 525, 5600, 9375}));
    QCOMPARE(b.text3, (Box{6000, 525, 13800, 4475}));
    QCOMPARE(b.text2, (Box{6000, 5100, 13800, 4800}));
    // Frame1 keeps its width and stands 0.5 % of the width right of the panes, as high as the picture.
    QCOMPARE(b.frame1, (Box{19900, 525, 855, 9375}));
}

void ViewerLayoutTest::pictureShare_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("reduction");
    QTest::addColumn<bool>("shifted");
    QTest::addColumn<float>("pictureWidth");
    QTest::addColumn<float>("paneLeft");
    QTest::addColumn<float>("paneWidth");
    QTest::addColumn<float>("frameLeft");

    // W = 20000: 0.28 W = 5600; the panes end at 0.99 W = 19800 less the reduction.
    QTest::newRow("normal page") << 1.0 << 0.0 << false << 5600.f << 6000.f << 13800.f << 19900.f;
    QTest::newRow("wide page") << 2.0 << 0.0 << false << 11200.f << 11600.f << 8200.f << 19900.f;
    QTest::newRow("qimen overview") << 1.75 << 855.0 << false << 9800.f << 10200.f << 8745.f << 19045.f;
    QTest::newRow("day chart") << 2.5 << 855.0 << false << 14000.f << 14400.f << 4545.f << 19045.f;
    QTest::newRow("figure page") << 1.0 << 855.0 << false << 5600.f << 6000.f << 12945.f << 19045.f;
    // Hidden picture: the panes keep the width worked out from the unshifted start and move 1500
    // twips left after Frame1 has been placed.
    QTest::newRow("picture hidden") << 0.0 << 855.0 << true << 0.f << -1100.f << 18545.f << 19045.f;
}

void ViewerLayoutTest::pictureShare()
{
    QFETCH(double, factor);
    QFETCH(double, reduction);
    QFETCH(bool, shifted);
    QFETCH(float, pictureWidth);
    QFETCH(float, paneLeft);
    QFETCH(float, paneWidth);
    QFETCH(float, frameLeft);

    ViewerBoxes b = designedBoxes();
    LayoutBoxes(b, client(20000, 10000, factor, reduction, shifted));
    QCOMPARE(b.image1.left, 200.f);
    QCOMPARE(b.image1.width, pictureWidth);
    QCOMPARE(b.text3.left, paneLeft);
    QCOMPARE(b.text2.left, paneLeft);
    QCOMPARE(b.text3.width, paneWidth);
    QCOMPARE(b.text2.width, paneWidth);
    QCOMPARE(b.frame1.left, frameLeft);
}

void ViewerLayoutTest::selection_leavesPanelAndShiftAlone()
{
    // A list selection lays out steps 1 to 18 only: Frame1 stays where it was and no shift applies,
    // even with the panel's hidden-picture state still standing.
    ViewerBoxes b = designedBoxes();
    LayoutBoxes(b, client(20000, 10000, 1, 0, true), LayoutScope::Selection);
    QCOMPARE(b.frame1, designedBoxes().frame1);
    QCOMPARE(b.text3.left, 6000.f);
    QCOMPARE(b.text2.left, 6000.f);
    QCOMPARE(b.label2.left, 8250.f);
}

void ViewerLayoutTest::smallClient_refusesNegativeSizes_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("reduction");
    QTest::addColumn<Box>("image1");
    QTest::addColumn<Box>("text3");
    QTest::addColumn<Box>("text2");

    // Starting from the layout of a 20000 × 10000 client (picture 5600 × 9375, panes 13800 wide, or
    // 12945 with the panel, Text3 4475 and Text2 4800 high). A width or height that would be
    // negative keeps the previous value.
    QTest::newRow("minimised") << 0.0 << 0.0 << 0.0 << Box{0, 525, 0, 9375} << Box{0, 525, 0, 4475}
                               << Box{0, 0, 0, 0};
    QTest::newRow("minimised with the panel") << 0.0 << 0.0 << 855.0 << Box{0, 525, 0, 9375}
                                              << Box{0, 525, 12945, 4475} << Box{0, 0, 12945, 0};
    // 10 × 10 pixels: the widths still fit, the heights below the title band do not.
    QTest::newRow("tiny") << 150.0 << 150.0 << 0.0 << Box{1.5f, 525, 42, 9375}
                          << Box{45, 525, 103.5f, 4475} << Box{45, 76.5f, 103.5f, 72};
}

void ViewerLayoutTest::smallClient_refusesNegativeSizes()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, reduction);
    QFETCH(Box, image1);
    QFETCH(Box, text3);
    QFETCH(Box, text2);

    ViewerBoxes b = designedBoxes();
    LayoutBoxes(b, client(20000, 10000, 1, reduction));
    LayoutBoxes(b, client(width, height, 1, reduction));
    QCOMPARE(b.image1, image1);
    QCOMPARE(b.text3, text3);
    QCOMPARE(b.text2, text2);
    // The later steps still ran.
    QCOMPARE(b.label2.left, 8250.f);
    QCOMPARE(b.frame1.top, 525.f);
}

void ViewerLayoutTest::restoredClient_laysOutAgain()
{
    ViewerBoxes restored = designedBoxes();
    LayoutBoxes(restored, client(20000, 10000));
    ViewerBoxes b = restored;
    LayoutBoxes(b, client(0, 0));
    LayoutBoxes(b, client(20000, 10000));
    QCOMPARE(b.image1, restored.image1);
    QCOMPARE(b.text3, restored.text3);
    QCOMPARE(b.text2, restored.text2);
    QCOMPARE(b.frame1, restored.frame1);
}

void ViewerLayoutTest::titleBand_followsLabelSizes_data()
{
    QTest::addColumn<float>("label1Width");
    QTest::addColumn<float>("label1Height");
    QTest::addColumn<float>("label2Height");
    QTest::addColumn<float>("comboLeft");
    QTest::addColumn<float>("comboTop");
    QTest::addColumn<float>("label2Left");
    QTest::addColumn<float>("label2Top");
    QTest::addColumn<float>("bodyTop");

    QTest::newRow("five-character caption") << 2850.f << 525.f << 315.f << 2850.f << 52.5f << 7110.f << 105.f << 525.f;
    QTest::newRow("seven-character caption") << 3990.f << 525.f << 315.f << 3990.f << 52.5f << 8250.f << 105.f << 525.f;
    // A taller caption font lowers the panes and the picture and re-centres the band.
    QTest::newRow("taller caption") << 3990.f << 600.f << 330.f << 3990.f << 90.f << 8250.f << 135.f << 600.f;
}

void ViewerLayoutTest::titleBand_followsLabelSizes()
{
    QFETCH(float, label1Width);
    QFETCH(float, label1Height);
    QFETCH(float, label2Height);
    QFETCH(float, comboLeft);
    QFETCH(float, comboTop);
    QFETCH(float, label2Left);
    QFETCH(float, label2Top);
    QFETCH(float, bodyTop);

    ViewerBoxes b = designedBoxes();
    b.label1.width = label1Width;
    b.label1.height = label1Height;
    b.label2.height = label2Height;
    LayoutBoxes(b, client(20000, 10000));
    QCOMPARE(b.combo1.left, comboLeft);
    QCOMPARE(b.combo1.top, comboTop);
    QCOMPARE(b.label2.left, label2Left);
    QCOMPARE(b.label2.top, label2Top);
    QCOMPARE(b.image1.top, bodyTop);
    QCOMPARE(b.text3.top, bodyTop);
    QCOMPARE(b.image1.height, float(0.99 * 10000 - bodyTop));
}

void ViewerLayoutTest::values_heldInSinglePrecision()
{
    // A 1921 × 1017 pixel client: 0.28 W and 0.99 H are not whole twips. Each box holds the float
    // nearest the double result, and the next step reads that float back.
    ViewerBoxes b = designedBoxes();
    const double W = 1921 * 15.0;
    const double H = 1017 * 15.0;
    LayoutBoxes(b, client(W, H, 1.75));
    const float pictureWidth = float(1.75 * (0.28 * W));
    QCOMPARE(b.image1.width, pictureWidth);
    QCOMPARE(b.image1.height, float(0.99 * H - 525));
    QCOMPARE(b.text3.left, float(0.02 * W + double(pictureWidth)));
    QCOMPARE(b.text3.width, float(0.99 * W - double(b.text3.left)));

    Box box{1, 2, 3, 4};
    QVERIFY(!box.setWidth(-0.001));
    QVERIFY(!box.setHeight(-1));
    QVERIFY(box.setWidth(0));
    QCOMPARE(box, (Box{1, 2, 0, 4}));
}

void ViewerLayoutTest::pixels_roundEachFigure()
{
    QCOMPARE(viewer::toPixels({-1100, 52.5f, 8745, 9375}), QRect(-73, 4, 583, 625));
    QCOMPARE(viewer::toPixels({22.5f, 0, 7.4f, 0}), QRect(2, 0, 0, 0));
}

QTEST_GUILESS_MAIN(ViewerLayoutTest)
#include "viewer_layout_test.moc"
