// picgen: draws the installation's pictures.
//
//   picgen --out DIR [--icons DIR] [--layouts FILE] [--only LIST] [--threads N]
//
// Writes 000.jpg … 249.jpg, globe.png, wkpna.gif, llhba.bmp … llhbd.bmp and linglu.png into --out;
// with --icons also the icon theme sizes (hicolor/<N>x<N>/apps/linglu.png) and linglu.ico there.
// --layouts writes where each numbered picture put its texts, lines, main characters and seal
// (JSON, for the tests). --only draws a subset: picture numbers and the names globe, banner and
// icon, comma-separated.

#include "ImageFiles.h"
#include "Pictures.h"

#include "common/Module1.h"
#include "content/Catalogue.h"
#include "content/PictureNumbers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

using namespace picgen;

namespace {

struct Job {
    QString key;
    std::function<QString()> run; // empty text on success, else the failure
};

// The layouts of the numbered pictures, filled in by the jobs on any thread.
struct Layouts {
    std::mutex mutex;
    std::map<QString, Layout> byKey;
    void keep(const QString &key, Layout layout)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        byKey[key] = std::move(layout);
    }
};

QJsonArray jsonOf(const QRectF &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}
QJsonArray jsonOf(const QPolygonF &polygon)
{
    QJsonArray points;
    for (const QPointF &point : polygon) {
        points.append(point.x());
        points.append(point.y());
    }
    return points;
}

QString writeLayouts(const Layouts &layouts, const QString &fileName)
{
    QJsonObject all;
    for (const auto &[key, layout] : layouts.byKey) {
        QJsonArray texts, marks, main, seals;
        for (const Layout::Text &text : layout.texts)
            texts.append(QJsonObject{{QStringLiteral("text"), text.text}, {QStringLiteral("box"), jsonOf(text.box)}});
        for (const QPainterPath &area : layout.marks) {
            // An area as its outlines and its fill rule, so that the reader can rebuild it.
            QJsonArray outlines;
            for (const QPolygonF &outline : area.toSubpathPolygons())
                outlines.append(jsonOf(outline));
            marks.append(QJsonObject{{QStringLiteral("winding"), area.fillRule() == Qt::WindingFill},
                                     {QStringLiteral("outlines"), outlines}});
        }
        for (const QRectF &box : layout.mainCharacters)
            main.append(jsonOf(box));
        for (const QPolygonF &seal : layout.seals)
            seals.append(jsonOf(seal));
        all.insert(key, QJsonObject{{QStringLiteral("texts"), texts},
                                    {QStringLiteral("marks"), marks},
                                    {QStringLiteral("main"), main},
                                    {QStringLiteral("seals"), seals}});
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fileName + QStringLiteral(": ") + file.errorString();
    file.write(QJsonDocument(all).toJson(QJsonDocument::Compact));
    if (!file.commit())
        return fileName + QStringLiteral(": ") + file.errorString();
    return {};
}

// Every picture number the entry pages use, with the first page that shows it.
std::map<int, PageInfo> entryPictures()
{
    std::map<int, PageInfo> pictures;
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters()) {
        for (const content::Entry &entry : chapter.entries) {
            if (!entry.page || pictures.count(entry.page->pictureNumber))
                continue;
            PageInfo info;
            info.number = entry.page->pictureNumber;
            info.name = entry.name;
            info.chapter = chapter.shortTitle;
            info.form = char(entry.page->form);
            info.wide = entry.page->widePicture;
            pictures.emplace(info.number, info);
        }
    }
    return pictures;
}

QString firstError(std::initializer_list<QString> results)
{
    for (const QString &result : results)
        if (!result.isEmpty())
            return result;
    return {};
}

std::vector<Job> allJobs(const QDir &out, const QString &iconDir, Layouts *layouts)
{
    std::vector<Job> jobs;
    const std::map<int, PageInfo> pages = entryPictures();
    // The numbered pictures first; the three others are added after them.
    for (int number = 0; number < content::picturenumbers::kPictureCount; ++number) {
        const QString file = out.filePath(content::pictureDigits(number) + QStringLiteral(".jpg"));
        std::function<QImage(Layout *)> draw;
        if (content::picturenumbers::inQimenBlock(number)) {
            draw = [number](Layout *layout) { return drawQimenPicture(number, layout); };
        } else {
            const auto found = pages.find(number);
            PageInfo info;
            if (found != pages.end()) {
                info = found->second;
            } else { // not used by any page: still drawn, so the folder is complete
                info.number = number;
                info.name = QStringLiteral("镇宅平安");
            }
            if (info.chapter == QStringLiteral("祝由秘字"))
                draw = [info](Layout *layout) { return drawSecretCharacter(info, layout); };
            else
                draw = [info](Layout *layout) { return drawTalisman(info, layout); };
        }
        const QString key = content::pictureDigits(number);
        jobs.push_back({key, [draw, file, key, layouts] {
                            Layout layout;
                            const QString error = saveJpeg(draw(layouts ? &layout : nullptr), file);
                            if (layouts)
                                layouts->keep(key, std::move(layout));
                            return error;
                        }});
    }
    jobs.push_back(
        {QStringLiteral("globe"), [out] { return savePng(drawGlobe(), out.filePath(QStringLiteral("globe.png"))); }});
    jobs.push_back({QStringLiteral("banner"), [out] {
                        const std::array<QImage, 4> frames = drawBannerFrames();
                        const QStringList names = Module1::bannerFileNames();
                        QString error;
                        for (int i = 0; i < 4 && error.isEmpty(); ++i)
                            error = saveBmp(frames[std::size_t(i)], out.filePath(names.at(i)));
                        // The GIF stands until the first tick, which shows frame d: show d already.
                        return firstError({error, saveGif(frames[3], out.filePath(Module1::bannerStartFileName()))});
                    }});
    jobs.push_back({QStringLiteral("icon"), [out, iconDir] {
                        QString error = savePng(drawIcon(256), out.filePath(QStringLiteral("linglu.png")));
                        if (!error.isEmpty() || iconDir.isEmpty())
                            return error;
                        QList<QImage> icoImages;
                        for (const int size : {16, 32, 48, 64, 128, 256}) {
                            const QImage icon = drawIcon(size);
                            const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(iconDir).arg(size);
                            if (!QDir().mkpath(dir))
                                return dir + QStringLiteral(": cannot create the folder");
                            error = savePng(icon, dir + QStringLiteral("/linglu.png"));
                            if (!error.isEmpty())
                                return error;
                            icoImages.append(icon);
                        }
                        return saveIco(icoImages, iconDir + QStringLiteral("/linglu.ico"));
                    }});
    return jobs;
}

int usage(const char *message)
{
    std::fprintf(stderr,
                 "picgen: %s\nusage: picgen --out DIR [--icons DIR] [--layouts FILE] [--only LIST] [--threads N]\n",
                 message);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // The generator draws off screen; it needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts come from the GUI layer

    QString outDir;
    QString iconDir;
    QString layoutFile;
    QStringList only;
    int threads = 2;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QStringLiteral("--out") && hasValue)
            outDir = args[++i];
        else if (arg == QStringLiteral("--icons") && hasValue)
            iconDir = args[++i];
        else if (arg == QStringLiteral("--layouts") && hasValue)
            layoutFile = args[++i];
        else if (arg == QStringLiteral("--only") && hasValue)
            only = args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
        else if (arg == QStringLiteral("--threads") && hasValue)
            threads = std::max(1, args[++i].toInt());
        else
            return usage("unknown or incomplete option");
    }
    if (outDir.isEmpty())
        return usage("--out is required");
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "picgen: cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    Layouts layouts;
    std::vector<Job> jobs = allJobs(QDir(outDir), iconDir, layoutFile.isEmpty() ? nullptr : &layouts);
    if (!only.isEmpty()) {
        std::vector<Job> chosen;
        for (const QString &item : only) {
            bool isNumber = false;
            const int number = item.toInt(&isNumber);
            const QString key = isNumber ? content::pictureDigits(number) : item;
            const auto found = std::find_if(jobs.begin(), jobs.end(), [&](const Job &job) { return job.key == key; });
            if (found == jobs.end()) {
                std::fprintf(stderr, "picgen: no picture named %s\n", qPrintable(item));
                return 2;
            }
            chosen.push_back(*found);
        }
        jobs = chosen;
    }

    QElapsedTimer timer;
    timer.start();
    std::atomic<std::size_t> next{0};
    std::mutex errorsMutex;
    QStringList errors;
    auto worker = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            const QString error = jobs[i].run();
            if (!error.isEmpty()) {
                const std::lock_guard<std::mutex> lock(errorsMutex);
                errors.append(error);
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread &thread : pool)
        thread.join();

    if (errors.isEmpty() && !layoutFile.isEmpty()) {
        const QString error = writeLayouts(layouts, layoutFile);
        if (!error.isEmpty())
            errors.append(error);
    }
    for (const QString &error : errors)
        std::fprintf(stderr, "picgen: %s\n", qPrintable(error));
    if (!errors.isEmpty())
        return 1;
    std::printf("picgen: %zu pictures drawn in %.1f s\n", jobs.size(), double(timer.elapsed()) / 1000.0);
    return 0;
}
