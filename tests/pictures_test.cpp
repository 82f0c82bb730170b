// The picture folder as the program will read it, and the generator that writes it.

#include "content/Catalogue.h"
#include "tools/picgen/ImageFiles.h"
#include "tools/picgen/Ink.h"
#include "tools/picgen/Pictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <map>
#include <set>

namespace {

QString pictureDir() { return qEnvironmentVariable("LINGLU_BIN_DIR") + QStringLiteral("/picture"); }

QString numbered(int number) { return content::pictureDigits(number) + QStringLiteral(".jpg"); }

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
    return image.scaled(24, 44, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_Grayscale8);
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
        QTest::newRow("globe.jpg") << QStringLiteral("globe.jpg") << QByteArray("jpeg");
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
        QVERIFY2(total < 20 * 1024 * 1024, qPrintable(QString::number(total)));
    }

    void noTwoPicturesLookAlike()
    {
        std::vector<QImage> thumbs;
        for (int number = 0; number < 250; ++number) {
            const QImage image = load(numbered(number));
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

        // The catalogue's copy is the same picture laid over cyan.
        const QImage catalogue = load(QStringLiteral("globe.jpg"));
        QCOMPARE(catalogue.size(), globe.size());
        QVERIFY(!catalogue.hasAlphaChannel());
        QImage expected(globe.size(), QImage::Format_RGB32);
        expected.fill(QColor(0, 255, 255));
        QPainter(&expected).drawImage(0, 0, globe);
        double difference = 0;
        int samples = 0;
        for (int y = 3; y < globe.height(); y += 11)
            for (int x = 5; x < globe.width(); x += 13, ++samples)
                difference += qAbs(qGray(expected.pixel(x, y)) - qGray(catalogue.pixel(x, y)));
        QVERIFY2(difference / samples < 3, qPrintable(QString::number(difference / samples)));
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
        const QStringList names = {QStringLiteral("005.jpg"),   QStringLiteral("086.jpg"),   QStringLiteral("079.jpg"),
                                   QStringLiteral("llhba.bmp"), QStringLiteral("llhbd.bmp"), QStringLiteral("wkpna.gif")};
        for (const QString &name : names) {
            const QByteArray bytes = bytesOf(first.filePath(name));
            QVERIFY2(!bytes.isEmpty(), qPrintable(name));
            QVERIFY2(bytes == bytesOf(second.filePath(name)), qPrintable(name + QStringLiteral(" differs between runs")));
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
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), picgen::toPalette(image).convertToFormat(QImage::Format_RGB32));
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
            const QRectF bounds = picgen::mergedGlyph(QStringLiteral("治传染病"), box, picgen::brushFont(), rng).boundingRect();
            QVERIFY(!bounds.isEmpty());
            QVERIFY(box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(bounds));
        }
    }

    void flourishesRunWhereTheyAreAsked()
    {
        const QPointF from(100, 50);
        const QPointF to(120, 400);
        auto near = [](QPointF a, QPointF b, double tolerance) { return QLineF(a, b).length() < tolerance; };
        for (const QPainterPath &path : {picgen::loopChain(from, to, 3, 15, true), picgen::loopChain(from, to, 2, 8, false),
                                         picgen::zigzag(from, to, 4, 20)}) {
            const QPolygonF line = path.toSubpathPolygons().first();
            QVERIFY(near(line.first(), from, 0.01));
            QVERIFY(near(line.last(), to, 0.01));
        }
        const QPolygonF coil = picgen::spiral(QPointF(200, 100), QPointF(200, 160), 2.5, true).toSubpathPolygons().first();
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
