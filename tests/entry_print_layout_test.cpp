// Where a printed entry page puts header, picture and texts: the arrangement each picture shape
// and text length gets, the picture at its true proportions and as large as the texts allow, and
// texts shrunk only when they cannot fit at their own size.
#include "viewer/EntryPrintLayout.h"

#include <QTest>

#include <cmath>

using namespace viewer;

namespace {

// An A4 sheet in points with 40-point margins.
const EntryPrintSheet kSheet{QRectF(40, 40, 515, 762), 24, 12};
const QRectF kBody(40, 76, 515, 726);

// A text of so many characters, 10 points wide and 20 high, wrapped into whole lines.
TextHeightForWidth textOf(int characters)
{
    return [characters](double width) {
        const double perLine = std::max(1.0, std::floor(width / 10));
        return std::ceil(characters / perLine) * 20;
    };
}

bool fitsAtScale(const EntryPrintLayout &layout, const TextHeightForWidth &text)
{
    return text(layout.text.width() / layout.textScale) * layout.textScale <= layout.text.height() + 1e-9;
}

} // namespace

class EntryPrintLayoutTest : public QObject
{
    Q_OBJECT

  private slots:
    void arrangement_data();
    void arrangement();
};

void EntryPrintLayoutTest::arrangement_data()
{
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("arrangement");
    QTest::addColumn<bool>("shrunk");       // the texts are drawn smaller than their own size
    QTest::addColumn<QString>("limitedBy"); // what stops the picture from growing

    const int beside = EntryPrintLayout::PictureBeside;
    const int above = EntryPrintLayout::PictureAbove;
    QTest::newRow("talisman, short text") << QSizeF(1120, 2080) << 300 << beside << false << "share";
    QTest::newRow("talisman, long text") << QSizeF(1120, 2080) << 1000 << beside << false << "text";
    QTest::newRow("talisman, text too long for the sheet") << QSizeF(1120, 2080) << 8000 << beside << true << "least";
    QTest::newRow("wide page picture, short text") << QSizeF(2240, 2080) << 300 << above << false << "share";
    QTest::newRow("day chart, short text") << QSizeF(2000, 1000) << 300 << above << false << "width";
    QTest::newRow("day chart, long text") << QSizeF(2000, 1000) << 1250 << above << false << "text";
    QTest::newRow("day chart, text too long for the sheet") << QSizeF(2000, 1000) << 8000 << above << true << "least";
    QTest::newRow("no picture") << QSizeF() << 300 << int(EntryPrintLayout::TextOnly) << false << "";
    QTest::newRow("no picture, text too long") << QSizeF() << 8000 << int(EntryPrintLayout::TextOnly) << true << "";
}

void EntryPrintLayoutTest::arrangement()
{
    QFETCH(QSizeF, picture);
    QFETCH(int, characters);
    QFETCH(int, arrangement);
    QFETCH(bool, shrunk);
    QFETCH(QString, limitedBy);

    const TextHeightForWidth text = textOf(characters);
    const EntryPrintLayout layout = layOutEntryPrint(kSheet, picture, text);

    QCOMPARE(int(layout.arrangement), arrangement);
    QCOMPARE(layout.header, QRectF(40, 40, 515, 24));
    QCOMPARE(layout.textScale < 1, shrunk);
    QVERIFY(layout.textScale >= kSmallestTextScale);
    QVERIFY(fitsAtScale(layout, text));
    QVERIFY(kBody.contains(layout.text));
    if (arrangement == EntryPrintLayout::TextOnly) {
        QVERIFY(layout.picture.isEmpty());
        QCOMPARE(layout.text, kBody);
        return;
    }

    // The picture keeps its proportions, stays on the body and clear of the texts.
    QVERIFY(kBody.contains(layout.picture));
    QVERIFY(!layout.picture.intersects(layout.text));
    QCOMPARE(layout.picture.width() / layout.picture.height(), picture.width() / picture.height());

    const bool sideBySide = arrangement == EntryPrintLayout::PictureBeside;
    const double pictureLength = sideBySide ? layout.picture.width() : layout.picture.height();
    const double bodyLength = sideBySide ? kBody.width() : kBody.height();
    if (limitedBy == "share")
        QCOMPARE(pictureLength, bodyLength * (1 - kLeastTextShare) - kSheet.gap);
    else if (limitedBy == "width")
        QCOMPARE(layout.picture.width(), kBody.width());
    else if (limitedBy == "least")
        QCOMPARE(pictureLength, bodyLength * kLeastPictureShare);
    else if (limitedBy == "text") {
        // A little more picture and the texts would no longer fit.
        QVERIFY(pictureLength < bodyLength * (1 - kLeastTextShare) - kSheet.gap);
        const double more = 2;
        const double textWidth = sideBySide ? layout.text.width() - more : layout.text.width();
        const double textHeight = sideBySide ? layout.text.height() : layout.text.height() - more;
        QVERIFY(text(textWidth) > textHeight);
    }
}

QTEST_GUILESS_MAIN(EntryPrintLayoutTest)
#include "entry_print_layout_test.moc"
