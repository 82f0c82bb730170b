#include "ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace picgen {

namespace {

QString writeBytes(const QByteArray &bytes, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fileName + QStringLiteral(": ") + file.errorString();
    file.write(bytes);
    if (!file.commit())
        return fileName + QStringLiteral(": ") + file.errorString();
    return {};
}

QString writeWith(const QImage &image, const QString &fileName, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (qstrcmp(format, "jpeg") == 0)
        writer.setOptimizedWrite(true);
    if (!writer.write(image))
        return fileName + QStringLiteral(": ") + writer.errorString();
    buffer.close();
    return writeBytes(bytes, fileName);
}

struct Box {
    std::vector<int> bins; // indices into the 15-bit histogram
};

} // namespace

QString saveJpeg(const QImage &image, const QString &fileName)
{
    return writeWith(image.convertToFormat(QImage::Format_RGB32), fileName, "jpeg", kJpegQuality);
}

QString savePng(const QImage &image, const QString &fileName)
{
    return writeWith(image, fileName, "png", -1);
}

QString saveBmp(const QImage &image, const QString &fileName)
{
    return writeWith(toPalette(image), fileName, "bmp", -1);
}

QImage toPalette(const QImage &image, int colours)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width();
    const int h = rgb.height();

    // Histogram on 5 bits per channel, with the exact sums for the palette averages.
    constexpr int kBins = 1 << 15;
    std::vector<std::uint32_t> count(kBins, 0);
    std::vector<std::array<std::uint64_t, 3>> sum(kBins, {0, 0, 0});
    auto binOf = [](QRgb c) { return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3); };
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int bin = binOf(line[x]);
            ++count[std::size_t(bin)];
            sum[std::size_t(bin)][0] += std::uint64_t(qRed(line[x]));
            sum[std::size_t(bin)][1] += std::uint64_t(qGreen(line[x]));
            sum[std::size_t(bin)][2] += std::uint64_t(qBlue(line[x]));
        }
    }

    auto channel = [](int bin, int c) { return c == 0 ? (bin >> 10) & 31 : c == 1 ? (bin >> 5) & 31 : bin & 31; };
    std::vector<Box> boxes(1);
    for (int bin = 0; bin < kBins; ++bin)
        if (count[std::size_t(bin)])
            boxes[0].bins.push_back(bin);

    // Split the box with the widest spread (weighted by its pixels) until there are enough.
    while (int(boxes.size()) < colours) {
        int best = -1;
        double bestScore = 0;
        int bestChannel = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            const Box &box = boxes[std::size_t(i)];
            if (box.bins.size() < 2)
                continue;
            std::uint64_t pixels = 0;
            for (const int bin : box.bins)
                pixels += count[std::size_t(bin)];
            for (int c = 0; c < 3; ++c) {
                int low = 31, high = 0;
                for (const int bin : box.bins) {
                    low = std::min(low, channel(bin, c));
                    high = std::max(high, channel(bin, c));
                }
                const double score = double(high - low) * std::sqrt(double(pixels));
                if (score > bestScore) {
                    bestScore = score;
                    best = i;
                    bestChannel = c;
                }
            }
        }
        if (best < 0)
            break;
        Box &box = boxes[std::size_t(best)];
        std::stable_sort(box.bins.begin(), box.bins.end(),
                         [&](int a, int b) { return channel(a, bestChannel) < channel(b, bestChannel); });
        std::uint64_t total = 0;
        for (const int bin : box.bins)
            total += count[std::size_t(bin)];
        std::uint64_t running = 0;
        std::size_t cut = 1;
        for (std::size_t i = 0; i + 1 < box.bins.size(); ++i) {
            running += count[std::size_t(box.bins[i])];
            cut = i + 1;
            if (running * 2 >= total)
                break;
        }
        Box upper;
        upper.bins.assign(box.bins.begin() + std::ptrdiff_t(cut), box.bins.end());
        box.bins.resize(cut);
        boxes.push_back(std::move(upper));
    }

    QList<QRgb> palette;
    std::vector<int> index(kBins, 0);
    for (const Box &box : boxes) {
        std::array<std::uint64_t, 3> total{0, 0, 0};
        std::uint64_t pixels = 0;
        for (const int bin : box.bins) {
            for (int c = 0; c < 3; ++c)
                total[std::size_t(c)] += sum[std::size_t(bin)][std::size_t(c)];
            pixels += count[std::size_t(bin)];
        }
        if (pixels == 0)
            continue;
        for (const int bin : box.bins)
            index[std::size_t(bin)] = int(palette.size());
        palette.append(qRgb(int((total[0] + pixels / 2) / pixels), int((total[1] + pixels / 2) / pixels),
                            int((total[2] + pixels / 2) / pixels)));
    }
    if (palette.isEmpty())
        palette.append(qRgb(0, 0, 0));

    QImage result(w, h, QImage::Format_Indexed8);
    // Rows are padded to whole words, and the BMP writer writes the padding as it finds it.
    std::memset(result.bits(), 0, std::size_t(result.sizeInBytes()));
    result.setColorTable(palette);
    for (int y = 0; y < h; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = result.scanLine(y);
        for (int x = 0; x < w; ++x)
            out[x] = uchar(index[std::size_t(binOf(in[x]))]);
    }
    return result;
}

QString saveGif(const QImage &image, const QString &fileName)
{
    const QImage indexed = toPalette(image);
    const QList<QRgb> table = indexed.colorTable();

    QByteArray bytes;
    auto writeToBytes = [](GifFileType *gif, const GifByteType *data, int length) {
        static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
        return length;
    };
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, writeToBytes, &error);
    if (!gif)
        return fileName + QStringLiteral(": ") + QString::fromLatin1(GifErrorString(error));

    // The colour map's size must be a power of two.
    int mapSize = 2;
    while (mapSize < table.size())
        mapSize *= 2;
    ColorMapObject *map = GifMakeMapObject(mapSize, nullptr);
    for (int i = 0; i < mapSize; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), map->BitsPerPixel, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(std::size_t(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        std::memcpy(line.data(), indexed.constScanLine(y), line.size());
        ok = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    const int lastError = gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    if (!ok)
        return fileName + QStringLiteral(": ") + QString::fromLatin1(GifErrorString(lastError ? lastError : error));
    return writeBytes(bytes, fileName);
}

QString saveIco(const QList<QImage> &images, const QString &fileName)
{
    // Header, one directory entry per image, then the PNG data of each.
    auto put16 = [](QByteArray &out, int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    auto put32 = [](QByteArray &out, quint32 v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    };
    QList<QByteArray> pngs;
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "png"))
            return fileName + QStringLiteral(": cannot encode an icon image");
        pngs.append(png);
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, int(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(char(images[i].width() >= 256 ? 0 : images[i].width()));
        out.append(char(images[i].height() >= 256 ? 0 : images[i].height()));
        out.append(char(0)); // no palette
        out.append(char(0));
        put16(out, 1);  // colour planes
        put16(out, 32); // bits per pixel
        put32(out, quint32(pngs[i].size()));
        put32(out, offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        out.append(png);
    return writeBytes(out, fileName);
}

} // namespace picgen
