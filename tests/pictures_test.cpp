// The picture folder as the program will read it, and the generator that writes it.

#include "catalogue/Fmulu.h"
#include "common/Module1.h"
#include "content/Catalogue.h"
#include "tools/picgen/ImageFiles.h"
#include "tools/picgen/Ink.h"
#include "tools/picgen/Pictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPathStroker>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <map>
#include <set>

namespace {

// A maximised main window's title bar and menu bar take this much of the screen's height (as
// measured under openbox; a Windows title bar is a little taller).
constexpr int kWindowChrome = 40;

QString pictureDir()
{
    return qEnvironmentVariable("LINGLU_BIN_DIR") + QStringLiteral("/picture");
}

QString numbered(int number)
{
    return content::pictureDigits(number) + QStringLiteral(".jpg");
}

// The width share the viewer gives each picture, as a multiple of the normal share.
std::map<int, double> widthFactors()
{
    std::map<int, double> factors;
    for (int number = 0; number < 250; ++number)
        factors[number] = 1.0;
    for (const content::Page *page : content::Catalogue::instance().distinctPages())
        if (page->widePicture)
            factors[page->pictureNumber] = 2.0;
    factors[77] = 1.75;
    for (int number = 79; number <= 84; ++number)
        factors[number] = 2.5;
    return factors;
}

QImage load(const QString &name)
{
    QImageReader reader(pictureDir() + QLatin1Char('/') + name);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

// A small grey thumbnail, to tell pictures apart by what they show rather than by their bytes.
QImage thumbnail(const QImage &image)
{
    return image.scaled(24, 44, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Grayscale8);
}

double meanDifference(const QImage &a, const QImage &b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            total += std::abs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x]));
    return total / (a.width() * a.height());
}

double changedShare(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 changed = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            changed += p[col] != q[col];
    }
    return double(changed) / (double(x.width()) * x.height());
}

struct Run {
    int exitCode = -1;
    QString errors;
};

Run runGenerator(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(PICGEN_PATH), arguments);
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QRectF rectOf(const QJsonValue &value)
{
    const QJsonArray a = value.toArray();
    return QRectF(a[0].toDouble(), a[1].toDouble(), a[2].toDouble(), a[3].toDouble());
}

QPolygonF polygonOf(const QJsonValue &value)
{
    const QJsonArray a = value.toArray();
    QPolygonF polygon;
    for (qsizetype i = 0; i + 1 < a.size(); i += 2)
        polygon.append(QPointF(a[i].toDouble(), a[i + 1].toDouble()));
    return polygon;
}

QPainterPath areaOf(const QPolygonF &polygon)
{
    QPainterPath area;
    area.addPolygon(polygon);
    area.closeSubpath();
    return area;
}

// What the generator wrote about one picture's parts.
struct PictureLayout {
    std::vector<std::pair<QString, QRectF>> texts;
    std::vector<QPainterPath> marks;
    std::vector<QRectF> main;
    std::vector<QPolygonF> seals;
};

PictureLayout layoutOf(const QJsonObject &object)
{
    PictureLayout layout;
    for (const QJsonValue &text : object.value(QStringLiteral("texts")).toArray())
        layout.texts.emplace_back(text[QStringLiteral("text")].toString(), rectOf(text[QStringLiteral("box")]));
    for (const QJsonValue &mark : object.value(QStringLiteral("marks")).toArray()) {
        QPainterPath area;
        area.setFillRule(mark[QStringLiteral("winding")].toBool() ? Qt::WindingFill : Qt::OddEvenFill);
        for (const QJsonValue &outline : mark[QStringLiteral("outlines")].toArray())
            area.addPolygon(polygonOf(outline));
        layout.marks.push_back(area);
    }
    for (const QJsonValue &box : object.value(QStringLiteral("main")).toArray())
        layout.main.push_back(rectOf(box));
    for (const QJsonValue &seal : object.value(QStringLiteral("seals")).toArray())
        layout.seals.push_back(polygonOf(seal));
    return layout;
}

QJsonObject allLayouts()
{
    QFile file(QStringLiteral(PICGEN_LAYOUTS));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// Where a picture's parts run into each other, as a readable list (empty when they keep apart).
QStringList collisions(const PictureLayout &layout)
{
    QStringList found;
    auto show = [](const QRectF &r) {
        return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    for (std::size_t a = 0; a < layout.texts.size(); ++a)
        for (std::size_t b = a + 1; b < layout.texts.size(); ++b)
            if (layout.texts[a].second.intersects(layout.texts[b].second))
                found << layout.texts[a].first + show(layout.texts[a].second) + QStringLiteral(" runs into ") +
                             layout.texts[b].first + show(layout.texts[b].second);
    for (const auto &[text, box] : layout.texts)
        for (const QPainterPath &mark : layout.marks)
            if (mark.intersects(box))
                found << text + show(box) + QStringLiteral(" is crossed by a line ") + show(mark.boundingRect());
    for (const QPolygonF &seal : layout.seals) {
        const QPainterPath area = areaOf(seal);
        for (const QRectF &box : layout.main)
            if (area.intersects(box))
                found << QStringLiteral("the seal ") + show(seal.boundingRect()) +
                             QStringLiteral(" covers a main character ") + show(box);
        for (const auto &[text, box] : layout.texts)
            if (area.intersects(box))
                found << QStringLiteral("the seal ") + show(seal.boundingRect()) + QStringLiteral(" covers ") + text;
    }
    return found;
}

QByteArray bytesOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        QVERIFY2(qEnvironmentVariableIsSet("LINGLU_BIN_DIR"), "LINGLU_BIN_DIR is not set");
        QVERIFY2(QDir(pictureDir()).exists(), qPrintable(pictureDir()));
    }

    void everyFileDecodesAsItsFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        for (int number = 0; number < 250; ++number)
            QTest::newRow(qPrintable(numbered(number))) << numbered(number) << QByteArray("jpeg");
        QTest::newRow("globe.png") << QStringLiteral("globe.png") << QByteArray("png");
        QTest::newRow("linglu.png") << QStringLiteral("linglu.png") << QByteArray("png");
        QTest::newRow("wkpna.gif") << QStringLiteral("wkpna.gif") << QByteArray("gif");
        for (const char *frame : {"llhba.bmp", "llhbb.bmp", "llhbc.bmp", "llhbd.bmp"})
            QTest::newRow(frame) << QString::fromLatin1(frame) << QByteArray("bmp");
    }
    void everyFileDecodesAsItsFormat()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QImageReader reader(pictureDir() + QLatin1Char('/') + name);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), format);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(name + QStringLiteral(": ") + reader.errorString()));
    }

    void numberedPicturesHaveTheShapeOfTheirWidthShare_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<double>("factor");
        for (const auto &[number, factor] : widthFactors())
            QTest::newRow(qPrintable(numbered(number))) << number << factor;
    }
    void numberedPicturesHaveTheShapeOfTheirWidthShare()
    {
        QFETCH(int, number);
        QFETCH(double, factor);
        // A normal picture is portrait and large enough for a maximised 1920 × 1080 window,
        // where it is shown about 540 × 1000.
        const QSize normal = QImageReader(pictureDir() + QStringLiteral("/000.jpg")).size();
        QVERIFY(normal.width() >= 540 && normal.height() >= 1000);
        // Drawn at twice that, for print and for screens of twice the density.
        QCOMPARE(normal, QSize(1120, 2080));
        QVERIFY(normal.height() > normal.width() * 1.5);
        const QSize size = QImageReader(pictureDir() + QLatin1Char('/') + numbered(number)).size();
        QCOMPARE(size.height(), normal.height());
        QCOMPARE(size.width(), int(std::lround(normal.width() * factor)));
    }

    void folderStaysWithinItsSizeBudget()
    {
        qint64 total = 0;
        const QFileInfoList files = QDir(pictureDir()).entryInfoList(QDir::Files);
        for (const QFileInfo &file : files)
            total += file.size();
        QVERIFY2(total < 60 * 1024 * 1024, qPrintable(QString::number(total)));
    }

    void noTwoPicturesLookAlike()
    {
        std::vector<QImage> thumbs;
        for (int number = 0; number < 250; ++number) {
            // Read at a tenth of the size: the comparison looks at 24 × 44 thumbnails.
            QImageReader reader(pictureDir() + QLatin1Char('/') + numbered(number));
            reader.setScaledSize(reader.size() / 10);
            const QImage image = reader.read();
            QVERIFY(!image.isNull());
            thumbs.push_back(thumbnail(image));
        }
        for (int a = 0; a < 250; ++a)
            for (int b = a + 1; b < 250; ++b)
                QVERIFY2(meanDifference(thumbs[std::size_t(a)], thumbs[std::size_t(b)]) > 3.0,
                         qPrintable(QStringLiteral("%1 and %2 look alike").arg(numbered(a), numbered(b))));
    }

    void bannerFramesTurnSmoothlyAndTheGifShowsTheFirstTick()
    {
        const QImage a = load(QStringLiteral("llhba.bmp"));
        const QImage b = load(QStringLiteral("llhbb.bmp"));
        const QImage c = load(QStringLiteral("llhbc.bmp"));
        const QImage d = load(QStringLiteral("llhbd.bmp"));
        const QImage gif = load(QStringLiteral("wkpna.gif"));
        for (const QImage *frame : {&a, &b, &c, &d, &gif})
            QCOMPARE(frame->size(), d.size());
        // Shown d, a, b, c, d …: each step moves something, but only a small part of the picture,
        // so the loop reads as motion rather than flicker.
        const QImage *cycle[5] = {&d, &a, &b, &c, &d};
        for (int i = 0; i < 4; ++i) {
            const double share = changedShare(*cycle[i], *cycle[i + 1]);
            QVERIFY2(share > 0.002 && share < 0.12, qPrintable(QString::number(share)));
        }
        // The GIF stands until the first tick, which shows d: no jump at that tick.
        QCOMPARE(changedShare(gif, d), 0.0);
    }

    void backgroundServesCatalogueAndAboutBox()
    {
        const QImage globe = load(QStringLiteral("globe.png"));
        QVERIFY(globe.hasAlphaChannel());
        // The About box shows the top-left 578 × 432 pixels under its texts: they must be light.
        QVERIFY(globe.width() >= 578 && globe.height() >= 432);
        QImage about(578, 432, QImage::Format_RGB32);
        about.fill(QColor(240, 240, 240));
        {
            QPainter painter(&about);
            painter.drawImage(0, 0, globe);
        }
        double lightness = 0;
        for (int y = 0; y < about.height(); ++y)
            for (int x = 0; x < about.width(); ++x)
                lightness += qGray(about.pixel(x, y));
        QVERIFY(lightness / (578.0 * 432.0) > 225);
        // On the catalogue it is drawn at its natural size over cyan: no hard edge where it ends.
        for (int y = 0; y < globe.height(); y += 7)
            QCOMPARE(qAlpha(globe.pixel(globe.width() - 1, y)), 0);
        for (int x = 0; x < globe.width(); x += 7)
            QCOMPARE(qAlpha(globe.pixel(x, globe.height() - 1)), 0);
    }

    // The pattern repeats all over: what a window of any size shows from the top-left corner is
    // the same design, not a part of one figure.
    void backgroundIsAnEvenPatternThatRepeats()
    {
        const QImage globe = load(QStringLiteral("globe.png"));
        QVERIFY(globe.width() >= 2560 && globe.height() >= 1440);
        const int P = picgen::kGlobeTile;
        const QImage tile = picgen::drawGlobeTile();
        QCOMPARE(tile.size(), QSize(P, P));
        // Away from the thinning edges, every pixel is the tile's pixel.
        for (int y = 0; y < globe.height() - 32; y += 3)
            for (int x = 0; x < globe.width() - 32; x += 5)
                QVERIFY2(globe.pixel(x, y) == tile.pixel(x % P, y % P),
                         qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        // The tile is seamless: its edges continue into each other (no cut line where tiles meet).
        auto edgeJump = [&](bool across) {
            double jump = 0, inside = 0;
            for (int i = 0; i < P; ++i) {
                auto at = [&](int a) { return qAlpha(across ? tile.pixel(a, i) : tile.pixel(i, a)); };
                jump += std::abs(at(P - 1) - at(0));
                inside += std::abs(at(P / 2 - 1) - at(P / 2)) + std::abs(at(P / 4 - 1) - at(P / 4));
            }
            return std::pair(jump, inside / 2);
        };
        for (const bool across : {true, false}) {
            const auto [jump, inside] = edgeJump(across);
            QVERIFY2(jump <= inside * 1.5 + 200, qPrintable(QStringLiteral("%1 against %2").arg(jump).arg(inside)));
        }
    }

    void backgroundIsASmallPalettePicture()
    {
        QImageReader reader(pictureDir() + QStringLiteral("/globe.png"));
        const QImage globe = reader.read();
        QCOMPARE(globe.format(), QImage::Format_Indexed8);
        QVERIFY(globe.colorCount() <= 16);
        QCOMPARE(qAlpha(globe.color(0)), 0);
        // Light enough under the titles: nothing in it is darker than a pale teal at full cover.
        QImage page(64, 64, QImage::Format_RGB32);
        for (const QRgb colour : globe.colorTable()) {
            page.fill(QColor(0, 255, 255));
            QPainter painter(&page);
            painter.fillRect(page.rect(), QColor::fromRgba(colour));
            painter.end();
            QVERIFY(qGray(page.pixel(0, 0)) > 120);
        }
    }

    // The banner box's shape follows the window; the bitmaps are drawn for the shape between the
    // extremes of the common screen sizes, so the stretch keeps the rings nearly round on the
    // middle sizes and within 12 % at the smallest and largest (one shape cannot fit them all).
    void bannerIsDrawnForItsBoxShape_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<double>("tolerance");
        // A maximised main window: the screen less its title bar and menu bar.
        const std::pair<QSize, double> screens[] = {{QSize(1280, 720), 1.125},
                                                    {QSize(1366, 768), 1.095},
                                                    {QSize(1600, 900), 1.035},
                                                    {QSize(1920, 1080), 1.035},
                                                    {QSize(2560, 1440), 1.125}};
        for (const auto &[screen, tolerance] : screens)
            QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height())))
                << screen - QSize(0, kWindowChrome) << tolerance;
    }
    void bannerIsDrawnForItsBoxShape()
    {
        QFETCH(QSize, client);
        QFETCH(double, tolerance);
        Module1::setAppPath(qEnvironmentVariable("LINGLU_BIN_DIR"));
        Fmulu page([](const QString &) {}, [](const QString &, int) {});
        page.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        page.resize(client);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QRect box = page.findChild<QWidget *>(QStringLiteral("Image1"))->geometry();
        const QSize picture = QImageReader(pictureDir() + QStringLiteral("/llhba.bmp")).size();
        const double boxShape = double(box.width()) / box.height();
        const double pictureShape = double(picture.width()) / picture.height();
        // A circle of the picture becomes an ellipse whose axes differ by this ratio.
        const double distortion = std::max(boxShape / pictureShape, pictureShape / boxShape);
        QVERIFY2(distortion < tolerance, qPrintable(QStringLiteral("box %1x%2, picture %3x%4")
                                                        .arg(box.width())
                                                        .arg(box.height())
                                                        .arg(picture.width())
                                                        .arg(picture.height())));
    }

    // Every numbered picture: its texts keep clear of each other and of every line, arrow and
    // mark, and its seal covers neither a main character nor a text.
    void picturePartsKeepApart_data()
    {
        QTest::addColumn<QString>("key");
        for (int number = 0; number < 250; ++number)
            QTest::newRow(qPrintable(content::pictureDigits(number))) << content::pictureDigits(number);
    }
    void picturePartsKeepApart()
    {
        static const QJsonObject layouts = allLayouts();
        QFETCH(QString, key);
        QVERIFY2(layouts.contains(key), PICGEN_LAYOUTS);
        const int number = key.toInt();
        const PictureLayout layout = layoutOf(layouts.value(key).toObject());
        const bool figure = number == 72 || number == 73 || (number >= 77 && number <= 84);
        if (figure) {
            // The figures and charts are mostly texts and lines: all of them are in the record.
            QVERIFY(layout.texts.size() >= 8);
            QVERIFY(layout.marks.size() >= 8);
        } else {
            // A talisman or a secret character: its characters and one seal.
            QVERIFY(!layout.main.empty());
            QCOMPARE(layout.seals.size(), std::size_t(1));
        }
        const QStringList found = collisions(layout);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }

    // The check itself sees what it is meant to see.
    void collisionsAreFound()
    {
        QPainterPathStroker stroker;
        stroker.setWidth(4);
        PictureLayout layout;
        // Two texts side by side, a line above them and a ring around the first: only the texts meet.
        layout.texts = {{QStringLiteral("吉门出阵"), QRectF(100, 100, 120, 30)},
                        {QStringLiteral("六甲守位"), QRectF(205, 110, 30, 30)}};
        QPainterPath line(QPointF(0, 50));
        line.lineTo(QPointF(300, 50));
        QPainterPath ring;
        ring.addEllipse(QPointF(160, 115), 90, 60);
        layout.marks = {stroker.createStroke(line), stroker.createStroke(ring)};
        layout.main = {QRectF(400, 400, 100, 100)};
        layout.seals = {picgen::sealOutline(QPointF(700, 700), 60, 10)};
        QCOMPARE(collisions(layout).size(), qsizetype(1));
        // Apart, and out of the ring: nothing.
        layout.texts[1].second.moveLeft(260);
        QVERIFY(collisions(layout).isEmpty());
        // A seal on the main character.
        layout.seals = {picgen::sealOutline(QPointF(450, 440), 60, 10)};
        QCOMPARE(collisions(layout).size(), qsizetype(1));
        // An arrow whose tip lands on a text.
        layout.seals.clear();
        QPainterPath arrow(QPointF(110, 60));
        arrow.lineTo(QPointF(130, 110));
        layout.marks.push_back(stroker.createStroke(arrow));
        QCOMPARE(collisions(layout).size(), qsizetype(1));
    }

    void sealFindsAClearPlace()
    {
        const std::vector<QRectF> keep = {QRectF(100, 100, 200, 300)};
        const QRectF within(0, 0, 560, 1040);
        double size = 120;
        QPointF centre;
        // The first candidate is on the character, the second clear of it.
        QVERIFY(picgen::placeSeal({QPointF(200, 200), QPointF(420, 300)}, keep, size, 70, 5, centre, within));
        QCOMPARE(centre, QPointF(420, 300));
        QCOMPARE(size, 120.0);
        // Only a smaller seal fits beside it.
        size = 120;
        QVERIFY(picgen::placeSeal({QPointF(350, 300)}, keep, size, 70, 0, centre, within));
        QVERIFY(size < 100 && size >= 70);
        QVERIFY(!areaOf(picgen::sealOutline(centre, size, 0)).intersects(keep[0]));
        // Nowhere clear, or only outside the picture: no place, nothing changed.
        size = 120;
        centre = QPointF(1, 1);
        QVERIFY(!picgen::placeSeal({QPointF(200, 200), QPointF(-100, 300)}, keep, size, 70, 0, centre, within));
        QCOMPARE(centre, QPointF(1, 1));
        QCOMPARE(size, 120.0);
    }

    void iconIsSquareWithTransparentCorners()
    {
        const QImage icon = load(QStringLiteral("linglu.png"));
        QCOMPARE(icon.size(), QSize(256, 256));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(255, 0)), 0);
        QVERIFY(qAlpha(icon.pixel(128, 128)) == 255);
    }

    void generatorDrawsTheSameBytesEveryTime()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        const QString only = QStringLiteral("5,86,79,banner");
        QCOMPARE(runGenerator({QStringLiteral("--out"), first.path(), QStringLiteral("--only"), only}).exitCode, 0);
        QCOMPARE(runGenerator({QStringLiteral("--out"), second.path(), QStringLiteral("--only"), only,
                               QStringLiteral("--threads"), QStringLiteral("1")})
                     .exitCode,
                 0);
        const QStringList names = {QStringLiteral("005.jpg"),   QStringLiteral("086.jpg"),
                                   QStringLiteral("079.jpg"),   QStringLiteral("llhba.bmp"),
                                   QStringLiteral("llhbd.bmp"), QStringLiteral("wkpna.gif")};
        for (const QString &name : names) {
            const QByteArray bytes = bytesOf(first.filePath(name));
            QVERIFY2(!bytes.isEmpty(), qPrintable(name));
            QVERIFY2(bytes == bytesOf(second.filePath(name)),
                     qPrintable(name + QStringLiteral(" differs between runs")));
            // The build drew the installed copy with two threads and the whole set: still the same.
            QVERIFY2(bytes == bytesOf(pictureDir() + QLatin1Char('/') + name),
                     qPrintable(name + QStringLiteral(" differs from the installed copy")));
        }
    }

    // The generator's pieces ---------------------------------------------------------------

    void paletteKeepsFewColoursExactly()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        const QRgb colours[5] = {qRgb(250, 210, 90), qRgb(200, 30, 20), qRgb(20, 30, 70), qRgb(255, 255, 255),
                                 qRgb(0, 0, 0)};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, colours[(x / 8 + y) % 5]);
        const QImage indexed = picgen::toPalette(image);
        QCOMPARE(indexed.format(), QImage::Format_Indexed8);
        QCOMPARE(indexed.colorCount(), 5);
        QCOMPARE(indexed.convertToFormat(QImage::Format_RGB32), image);
    }

    void paletteReducesManyColoursClosely()
    {
        QImage image(256, 128, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x, 2 * y, 255 - x / 2));
        const QImage reduced = picgen::toPalette(image);
        QVERIFY(reduced.colorCount() <= 256);
        const QImage back = reduced.convertToFormat(QImage::Format_RGB32);
        double error = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb a = image.pixel(x, y);
                const QRgb b = back.pixel(x, y);
                error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            }
        QVERIFY2(error / (3.0 * image.width() * image.height()) < 6.0, qPrintable(QString::number(error)));
    }

    void gifHoldsThePalettePicture()
    {
        QImage image(120, 90, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(2 * x, 255 - 2 * y, (x * y) % 256));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.gif"));
        QCOMPARE(picgen::saveGif(image, file), QString());
        const QImage back(file);
        QCOMPARE(back.size(), image.size());
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32),
                 picgen::toPalette(image).convertToFormat(QImage::Format_RGB32));
    }

    void iconFileHoldsEverySize()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("linglu.ico"));
        const QList<int> sizes = {16, 32, 48, 256};
        QList<QImage> images;
        for (const int size : sizes)
            images.append(picgen::drawIcon(size));
        QCOMPARE(picgen::saveIco(images, file), QString());
        QImageReader reader(file, "ico");
        QCOMPARE(reader.imageCount(), int(sizes.size()));
        for (int i = 0; i < sizes.size(); ++i) {
            QVERIFY(reader.jumpToImage(i));
            QCOMPARE(reader.read().size(), QSize(sizes[i], sizes[i]));
        }
    }

    void writersReportWhatTheyCannotWrite()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("no-such-folder/x"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(!picgen::saveJpeg(image, missing).isEmpty());
        QVERIFY(!picgen::savePng(image, missing).isEmpty());
        QVERIFY(!picgen::saveBmp(image, missing).isEmpty());
        QVERIFY(!picgen::saveGif(image, missing).isEmpty());
        QVERIFY(!picgen::saveIco({image}, missing).isEmpty());
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void fittedCharactersStayInTheirBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<double>("maxStretch");
        QTest::newRow("square") << QStringLiteral("鬼") << QRectF(10, 20, 200, 200) << 3.0;
        QTest::newRow("tall, stretched") << QStringLiteral("镇") << QRectF(0, 0, 80, 300) << 3.0;
        QTest::newRow("tall, kept in shape") << QStringLiteral("镇") << QRectF(0, 0, 80, 300) << 1.0;
        QTest::newRow("flat") << QStringLiteral("雨") << QRectF(-50, 5, 420, 60) << 3.4;
        QTest::newRow("one stroke") << QStringLiteral("一") << QRectF(0, 0, 200, 200) << 3.0;
    }
    void fittedCharactersStayInTheirBox()
    {
        QFETCH(QString, text);
        QFETCH(QRectF, box);
        QFETCH(double, maxStretch);
        const QPainterPath original = picgen::textPath(text, picgen::brushFont());
        const QRectF fitted = picgen::fitPath(original, box, maxStretch).boundingRect();
        QVERIFY(box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(fitted));
        // It fills the box in one direction and is not distorted beyond the allowed stretch.
        QVERIFY(std::abs(fitted.width() - box.width()) < 0.5 || std::abs(fitted.height() - box.height()) < 0.5);
        const double sx = fitted.width() / original.boundingRect().width();
        const double sy = fitted.height() / original.boundingRect().height();
        QVERIFY(std::max(sx / sy, sy / sx) <= maxStretch * 1.001);
    }

    void mergedCharacterStaysInItsBox()
    {
        const QRectF box(30, 40, 400, 500);
        for (int seed = 0; seed < 20; ++seed) {
            picgen::Rng rng{std::uint64_t(seed)};
            const QRectF bounds =
                picgen::mergedGlyph(QStringLiteral("治传染病"), box, picgen::brushFont(), rng).boundingRect();
            QVERIFY(!bounds.isEmpty());
            QVERIFY(box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(bounds));
        }
    }

    void flourishesRunWhereTheyAreAsked()
    {
        const QPointF from(100, 50);
        const QPointF to(120, 400);
        auto near = [](QPointF a, QPointF b, double tolerance) { return QLineF(a, b).length() < tolerance; };
        for (const QPainterPath &path : {picgen::loopChain(from, to, 3, 15, true),
                                         picgen::loopChain(from, to, 2, 8, false), picgen::zigzag(from, to, 4, 20)}) {
            const QPolygonF line = path.toSubpathPolygons().first();
            QVERIFY(near(line.first(), from, 0.01));
            QVERIFY(near(line.last(), to, 0.01));
        }
        const QPolygonF coil =
            picgen::spiral(QPointF(200, 100), QPointF(200, 160), 2.5, true).toSubpathPolygons().first();
        QVERIFY(near(coil.first(), QPointF(200, 100), 0.01));
        QVERIFY(near(coil.last(), QPointF(200, 160), 60 * 0.15));
    }

    void everyPictureHasItsOwnSeed()
    {
        std::set<std::uint64_t> seeds;
        for (int number = 0; number < 1100; ++number)
            seeds.insert(picgen::seedFor(number));
        QCOMPARE(seeds.size(), std::size_t(1100));
    }

    void generatorRefusesWhatItCannotDraw_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("giveFolder");
        QTest::newRow("no output folder") << QStringList{QStringLiteral("--only"), QStringLiteral("5")} << false;
        QTest::newRow("unknown picture") << QStringList{QStringLiteral("--only"), QStringLiteral("250")} << true;
        QTest::newRow("unknown name") << QStringList{QStringLiteral("--only"), QStringLiteral("moon")} << true;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--colour"), QStringLiteral("red")} << true;
    }
    void generatorRefusesWhatItCannotDraw()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, giveFolder);
        QTemporaryDir out;
        if (giveFolder)
            arguments << QStringLiteral("--out") << out.path();
        const Run run = runGenerator(arguments);
        QVERIFY(run.exitCode > 0);
        QVERIFY(!run.errors.isEmpty());
        QVERIFY(QDir(out.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
