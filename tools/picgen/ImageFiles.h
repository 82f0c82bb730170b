#pragma once
// Writing the pictures in the formats the program reads. Every writer returns an empty text on
// success and a description of the failure otherwise; none adds anything that changes from run to
// run (no time stamps), so the same image always gives the same bytes.

#include <QImage>
#include <QList>
#include <QString>

namespace picgen {

QString saveJpeg(const QImage &image, const QString &fileName);
QString savePng(const QImage &image, const QString &fileName);
// A 256-colour BMP, from the image reduced to its own palette.
QString saveBmp(const QImage &image, const QString &fileName);
// A GIF (one frame) through giflib, from the image reduced to its own palette.
QString saveGif(const QImage &image, const QString &fileName);
// A Windows icon holding each image as PNG (sizes up to 256).
QString saveIco(const QList<QImage> &images, const QString &fileName);

// Median-cut reduction to at most `colours` colours, without dithering.
QImage toPalette(const QImage &image, int colours = 256);

constexpr int kJpegQuality = 78;

} // namespace picgen
