// The picture viewer's arithmetic: fitting, stepping through the zoom range, 1:1 on ordinary and
// high-density screens, zooming about the mouse, and panning within the picture's edges.
#include "viewer/PictureZoom.h"

#include <QTest>

using viewer::PictureZoom;

class PictureZoomTest : public QObject
{
    Q_OBJECT

  private slots:
    void fitScale_data();
    void fitScale();
    void sequence_data();
    void sequence();
    void zoomKeepsThePointUnderTheMouse_data();
    void zoomKeepsThePointUnderTheMouse();
};

void PictureZoomTest::fitScale_data()
{
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<double>("scale");
    QTest::newRow("talisman, window wider than tall") << QSizeF(1120, 2080) << QSizeF(800, 520) << 0.25;
    QTest::newRow("day chart, window taller than wide") << QSizeF(2000, 1000) << QSizeF(500, 800) << 0.25;
    QTest::newRow("small picture grows") << QSizeF(100, 50) << QSizeF(400, 400) << 4.;
    QTest::newRow("no picture") << QSizeF() << QSizeF(400, 400) << 0.;
    QTest::newRow("no window") << QSizeF(100, 50) << QSizeF(0, 400) << 0.;
}

void PictureZoomTest::fitScale()
{
    QFETCH(QSizeF, picture);
    QFETCH(QSizeF, window);
    QFETCH(double, scale);
    QCOMPARE(PictureZoom::fitScale(picture, window), scale);
}

// Each row runs a list of commands on a 1120 x 2080 picture in an 800 x 520 window (fitted scale
// 0.25) and checks the scale, the fitted mode and where the picture stands.
void PictureZoomTest::sequence_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("fitted");
    QTest::addColumn<QRectF>("rect");

    QTest::newRow("opens fitted, centred") << "" << 0.25 << true << QRectF(260, 0, 280, 520);
    QTest::newRow("one step in") << "in" << 0.3125 << false << QRectF(225, -65, 350, 650);
    QTest::newRow("in and out again is fitted") << "in out" << 0.25 << true << QRectF(260, 0, 280, 520);
    QTest::newRow("out at fit stays fitted") << "out out" << 0.25 << true << QRectF(260, 0, 280, 520);
    // 0.25 x 1.25^6 = 0.95, the seventh step would pass 1:1 and stops on it.
    QTest::newRow("stepping in lands on 1:1")
        << "in in in in in in in" << 1. << false << QRectF(-160, -780, 1120, 2080);
    QTest::newRow("1:1") << "1:1" << 1. << false << QRectF(-160, -780, 1120, 2080);
    QTest::newRow("1:1 on a screen of ratio 2") << "dpr2 1:1" << 0.5 << false << QRectF(120, -260, 560, 1040);
    QTest::newRow("the range ends at eight screen pixels")
        << "1:1 in in in in in in in in in in in in in in in in" << 8. << false << QRectF(-4080, -8060, 8960, 16640);
    QTest::newRow("fit after zooming") << "1:1 in fit" << 0.25 << true << QRectF(260, 0, 280, 520);
    QTest::newRow("pan by a drag") << "1:1 pan:100:50" << 1. << false << QRectF(-60, -730, 1120, 2080);
    QTest::newRow("pan stops at the top left edge") << "1:1 pan:1000:1000" << 1. << false << QRectF(0, 0, 1120, 2080);
    QTest::newRow("pan stops at the bottom right edge")
        << "1:1 pan:-5000:-5000" << 1. << false << QRectF(-320, -1560, 1120, 2080);
    QTest::newRow("fitted picture does not pan") << "pan:100:100" << 0.25 << true << QRectF(260, 0, 280, 520);
    // At 0.390625 the picture is 437.5 wide, narrower than the window: it stays centred across.
    QTest::newRow("narrower than the window stays centred across")
        << "in in pan:300:-40" << 0.390625 << false << QRectF(181.25, -186.25, 437.5, 812.5);
    QTest::newRow("fitted follows the window")
        << "window:400:1040" << 0.357142857142857 << true << QRectF(0, 148.571428571429, 400, 742.857142857143);
    QTest::newRow("zoomed keeps its scale when the window grows")
        << "1:1 pan:-5000:-5000 window:1000:600" << 1. << false << QRectF(-120, -1480, 1120, 2080);
}

void PictureZoomTest::sequence()
{
    QFETCH(QString, commands);
    QFETCH(double, scale);
    QFETCH(bool, fitted);
    QFETCH(QRectF, rect);

    PictureZoom zoom;
    zoom.setWindow(QSizeF(800, 520));
    zoom.setPicture(QSizeF(1120, 2080));
    for (const QString &command : commands.split(' ', Qt::SkipEmptyParts)) {
        const QStringList part = command.split(':');
        if (command == "in")
            zoom.zoomIn();
        else if (command == "out")
            zoom.zoomOut();
        else if (command == "1:1")
            zoom.actualSize();
        else if (command == "fit")
            zoom.fit();
        else if (command == "dpr2")
            zoom.setDevicePixelRatio(2);
        else if (part.first() == "pan")
            zoom.panBy(QPointF(part.at(1).toDouble(), part.at(2).toDouble()));
        else if (part.first() == "window")
            zoom.setWindow(QSizeF(part.at(1).toDouble(), part.at(2).toDouble()));
        else
            QFAIL(qPrintable("unknown command " + command));
    }
    QCOMPARE(zoom.scale(), scale);
    QCOMPARE(zoom.isFitted(), fitted);
    QCOMPARE(zoom.pictureRect(), rect);
}

void PictureZoomTest::zoomKeepsThePointUnderTheMouse_data()
{
    QTest::addColumn<bool>("in");
    QTest::addColumn<QPointF>("mouse");
    QTest::newRow("in, upper left") << true << QPointF(300, 100);
    QTest::newRow("in, lower right") << true << QPointF(500, 450);
    QTest::newRow("out, middle") << false << QPointF(410, 270);
}

void PictureZoomTest::zoomKeepsThePointUnderTheMouse()
{
    QFETCH(bool, in);
    QFETCH(QPointF, mouse);

    PictureZoom zoom;
    zoom.setWindow(QSizeF(800, 520));
    zoom.setPicture(QSizeF(1120, 2080));
    zoom.actualSize(); // large enough that no edge stops the picture
    auto pictureUnder = [&] { return (mouse - zoom.pictureRect().topLeft()) / zoom.scale(); };
    const QPointF before = pictureUnder();
    in ? zoom.zoomIn(mouse) : zoom.zoomOut(mouse);
    QCOMPARE(zoom.scale(), in ? 1.25 : 0.8);
    const QPointF after = pictureUnder();
    QVERIFY2(
        qAbs(after.x() - before.x()) < 1e-9 && qAbs(after.y() - before.y()) < 1e-9,
        qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
}

QTEST_GUILESS_MAIN(PictureZoomTest)
#include "picture_zoom_test.moc"
