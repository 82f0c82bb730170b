// Where the arrangement commands put the frame's child windows, without a window.
#include "common/WindowArrangement.h"

#include <QTest>

class WindowArrangementTest : public QObject
{
    Q_OBJECT

  private slots:
    void arrangement_data();
    void arrangement();
};

namespace {

QString text(const QList<QRect> &boxes)
{
    QStringList parts;
    for (const QRect &box : boxes)
        parts.append(QString("%1 %2 %3 %4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height()));
    return parts.join(" | ");
}

} // namespace

void WindowArrangementTest::arrangement_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<QSize>>("sizes"); // the windows, back to front (icons: in creation order)
    QTest::addColumn<QString>("boxes");

    const QSize viewer(792, 537);
    QTest::newRow("cascade, one") << "cascade" << QList<QSize>{viewer} << "0 0 792 537";
    QTest::newRow("cascade, three") << "cascade" << QList<QSize>{viewer, viewer, viewer}
                                    << "0 0 792 537 | 30 30 792 537 | 60 60 792 537";
    QTest::newRow("cascade, larger than the area")
        << "cascade" << QList<QSize>{{2000, 300}, {300, 2000}} << "0 0 1000 300 | 0 0 300 600";
    QTest::newRow("cascade, the fifth starts again at the corner")
        << "cascade" << QList<QSize>(5, QSize(900, 500))
        << "0 0 900 500 | 30 30 900 500 | 60 60 900 500 | 90 90 900 500 | 0 0 900 500";
    QTest::newRow("horizontal, three") << "horizontal" << QList<QSize>{viewer, viewer, viewer}
                                       << "0 0 1000 200 | 0 200 1000 200 | 0 400 1000 200";
    QTest::newRow("horizontal, remainder unused") << "horizontal" << QList<QSize>{viewer, viewer, viewer, viewer}
                                                  << "0 0 1000 150 | 0 150 1000 150 | 0 300 1000 150 | 0 450 1000 150";
    QTest::newRow("vertical, three") << "vertical" << QList<QSize>{viewer, viewer, viewer}
                                     << "0 0 333 600 | 333 0 333 600 | 666 0 333 600";
    QTest::newRow("none") << "vertical" << QList<QSize>{} << "";
    QTest::newRow("icons, one row") << "icons" << QList<QSize>{{160, 30}, {160, 30}} << "0 570 160 30 | 160 570 160 30";
    QTest::newRow("icons, second row above")
        << "icons" << QList<QSize>(7, QSize(160, 30))
        << "0 570 160 30 | 160 570 160 30 | 320 570 160 30 | 480 570 160 30 | 640 570 160 30 | 800 570 160 30 | "
           "0 540 160 30";
}

void WindowArrangementTest::arrangement()
{
    QFETCH(QString, command);
    QFETCH(QList<QSize>, sizes);
    QFETCH(QString, boxes);
    const QSize client(1000, 600);
    QList<QRect> result;
    if (command == "cascade") {
        result = arrangement::cascade(client, sizes, 30);
    } else if (command == "horizontal") {
        result = arrangement::tileHorizontally(client, int(sizes.size()));
    } else if (command == "vertical") {
        result = arrangement::tileVertically(client, int(sizes.size()));
    } else {
        const QList<QPoint> places = arrangement::arrangeIcons(client, sizes);
        for (qsizetype i = 0; i < places.size(); ++i)
            result.append(QRect(places[i], sizes[i]));
    }
    QCOMPARE(text(result), boxes);
}

QTEST_APPLESS_MAIN(WindowArrangementTest)
#include "window_arrangement_test.moc"
