#pragma once

#include <QSize>

class QScreen;

namespace app {

// Stored window sizes are in twips (1/1440 inch); the screen says how many twips one pixel is.
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

TwipsPerPixel twipsPerPixel(const QScreen *screen);

int twipsToPixels(int twips, double twipsPerPixel); // rounded down
int pixelsToTwips(int pixels, double twipsPerPixel); // to nearest, ties to even

// The main window is never smaller than its default size of 9492 × 6444 twips.
constexpr int MinimumWindowWidthTwips = 9492;
constexpr int MinimumWindowHeightTwips = 6444;
QSize minimumWindowSize(TwipsPerPixel tpp);
// ... nor larger than the screen.
QSize maximumWindowSize(const QScreen *screen);

} // namespace app
