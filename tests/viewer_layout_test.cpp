// The viewer's layout figures for given client sizes, layout values and label sizes, without a window.
#include "viewer/ViewerLayout.h"

#include <QTest>

using namespace viewer;

class ViewerLayoutTest : public QObject
{
    Q_OBJECT

  private slots:
    void layout_data();
    void layout();
};

void ViewerLayoutTest::layout_data()
{
    QTest::addColumn<double>("W");
    QTest::addColumn<double>("H");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("reduction");
    QTest::addColumn<bool>("shifted");
    QTest::addColumn<bool>("selection"); // steps 1 to 18 only
    QTest::addColumn<float>("captionWidth");
    QTest::addColumn<QString>(
        "boxes"); // left top width height of Image1, Text3, Text2, Frame1; Combo1 and Label2 left top

    const QString normal = "200 525 5600 9375 | 6000 525 13800 4475 | 6000 5100 13800 4800 | 19900 525 855 9375 | ";
    QTest::newRow("normal") << 20000. << 10000. << 1. << 0. << false << false << 3990.f
                            << normal + "3990 52.5 8250 105";
    QTest::newRow("five-character caption")
        << 20000. << 10000. << 1. << 0. << false << false << 2850.f << normal + "2850 52.5 7110 105";
    QTest::newRow("wide page")
        << 20000. << 10000. << 2. << 0. << false << false << 3990.f
        << "200 525 11200 9375 | 11600 525 8200 4475 | 11600 5100 8200 4800 | 19900 525 855 9375 | 3990 52.5 8250 105";
    QTest::newRow("qimen overview")
        << 20000. << 10000. << 1.75 << 855. << false << false << 3990.f
        << "200 525 9800 9375 | 10200 525 8745 4475 | 10200 5100 8745 4800 | 19045 525 855 9375 | 3990 52.5 8250 105";
    QTest::newRow("day chart")
        << 20000. << 10000. << 2.5 << 855. << false << false << 3990.f
        << "200 525 14000 9375 | 14400 525 4545 4475 | 14400 5100 4545 4800 | 19045 525 855 9375 | 3990 52.5 8250 105";
    // Frame1 is placed from the unshifted panes; the panes then move left, 1500 twips at most and
    // never past the picture's left edge (200), where the window would cut their lines off.
    QTest::newRow("picture hidden")
        << 20000. << 10000. << 0. << 855. << true << false << 3990.f
        << "200 525 0 9375 | 200 525 18545 4475 | 200 5100 18545 4800 | 19045 525 855 9375 | 3990 52.5 8250 105";
    QTest::newRow("picture hidden, huge window")
        << 200000. << 10000. << 0. << 855. << true << false << 3990.f
        << "2000 525 0 9375 | 2500 525 193145 4475 | 2500 5100 193145 4800 | 198145 525 855 9375 | 3990 52.5 8250 105";
    QTest::newRow("selection leaves panel")
        << 20000. << 10000. << 1. << 0. << true << true << 3990.f
        << "200 525 5600 9375 | 6000 525 13800 4475 | 6000 5100 13800 4800 | 1 2 855 3 | 3990 52.5 8250 105";
    // From the normal layout above: sizes that would come out negative keep their previous value.
    QTest::newRow("minimised") << 0. << 0. << 1. << 0. << false << false << 3990.f
                               << "0 525 0 9375 | 0 525 0 4475 | 0 0 0 0 | 0 525 855 9375 | 3990 52.5 8250 105";
    QTest::newRow("minimised with panel")
        << 0. << 0. << 1.75 << 855. << false << false << 3990.f
        << "0 525 0 9375 | 0 525 8745 4475 | 0 0 8745 0 | 8745 525 855 9375 | 3990 52.5 8250 105";
    QTest::newRow("10 x 10 pixels")
        << 150. << 150. << 1. << 0. << false << false << 3990.f
        << "1.5 525 42 9375 | 45 525 103.5 4475 | 45 76.5 103.5 72 | 149.25 525 855 9375 | 3990 52.5 8250 105";
}

void ViewerLayoutTest::layout()
{
    QFETCH(double, W);
    QFETCH(double, H);
    QFETCH(double, factor);
    QFETCH(double, reduction);
    QFETCH(bool, shifted);
    QFETCH(bool, selection);
    QFETCH(float, captionWidth);
    QFETCH(QString, boxes);

    ViewerBoxes b;
    b.label1 = {315, 0, captionWidth, 525};
    b.combo1 = {3570, 105, 4260, 420};
    b.label2 = {7860, 120, 2520, 315};
    b.frame1 = {1, 2, 855, 3};
    layoutBoxes(b, {20000, 10000, factor, reduction, false}, selection ? LayoutScope::Selection : LayoutScope::Full);
    layoutBoxes(b, {W, H, factor, reduction, shifted}, selection ? LayoutScope::Selection : LayoutScope::Full);

    auto box = [](const Box &x) {
        return QStringLiteral("%1 %2 %3 %4").arg(x.left).arg(x.top).arg(x.width).arg(x.height);
    };
    QCOMPARE(
        box(b.image1) + " | " + box(b.text3) + " | " + box(b.text2) + " | " + box(b.frame1) + " | " +
            QStringLiteral("%1 %2 %3 %4").arg(b.combo1.left).arg(b.combo1.top).arg(b.label2.left).arg(b.label2.top),
        boxes);
    // Screen places: each figure rounded from twips to pixels on its own.
    QCOMPARE(toPixels(b.text3).left(), qRound(b.text3.left / 15));
    QCOMPARE(toPixels(b.text3).width(), qRound(b.text3.width / 15));
}

QTEST_GUILESS_MAIN(ViewerLayoutTest)
#include "viewer_layout_test.moc"
