// Draws the 33 images of the BarCode folder from the EAN number sets. Each image holds whole
// modules at two pixels per module; the page tags show them at half that width, one pixel per
// module.
//
//   vennlo_barcode_images <output folder>

#include "barcode/ean_patterns.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <string_view>

namespace {

constexpr int pixelsPerModule = 2;
constexpr int imageHeight = 60;

bool writeImage(const QDir &dir, const QString &name, std::string_view modules)
{
    QImage image(int(modules.size()) * pixelsPerModule, imageHeight, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int x = 0; x < image.width(); ++x) {
        const uint bar = modules[x / pixelsPerModule] == '1' ? 1 : 0;
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, bar);
    }
    const QString path = dir.filePath(name);
    if (!image.save(path, "BMP")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const QDir dir(folder);
    namespace ean = barcode::ean;

    bool ok = writeImage(dir, QStringLiteral("LB.bmp"), ean::leftGuardImage) &&
              writeImage(dir, QStringLiteral("CB.bmp"), ean::centreGuardImage) &&
              writeImage(dir, QStringLiteral("RB.bmp"), ean::rightGuardImage);
    for (int d = 0; ok && d < 10; ++d) {
        const QString digit = QString::number(d);
        ok = writeImage(dir, digit + QStringLiteral("_L1.bmp"), ean::setA[d]) &&
             writeImage(dir, digit + QStringLiteral("_L2.bmp"), ean::setB[d]) &&
             writeImage(dir, digit + QStringLiteral("_R.bmp"), ean::setC[d]);
    }
    return ok ? 0 : 1;
}
