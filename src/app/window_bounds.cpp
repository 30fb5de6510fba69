#include "app/window_bounds.h"

#include <QScreen>

#include <cmath>

namespace app {

TwipsPerPixel twipsPerPixel(const QScreen *screen)
{
    TwipsPerPixel t;
    if (!screen)
        return t;
    if (screen->logicalDotsPerInchX() > 0)
        t.x = 1440.0 / screen->logicalDotsPerInchX();
    if (screen->logicalDotsPerInchY() > 0)
        t.y = 1440.0 / screen->logicalDotsPerInchY();
    return t;
}

int twipsToPixels(int twips, double tpp)
{
    if (tpp <= 0)
        return 0;
    return static_cast<int>(std::floor(twips / tpp));
}

int pixelsToTwips(int pixels, double tpp)
{
    if (tpp <= 0)
        return 0;
    return static_cast<int>(std::nearbyint(pixels * tpp));
}

QSize minimumWindowSize(TwipsPerPixel tpp)
{
    return QSize(static_cast<int>(std::nearbyint(MinimumWindowWidthTwips / tpp.x)),
                 static_cast<int>(std::nearbyint(MinimumWindowHeightTwips / tpp.y)));
}

QSize maximumWindowSize(const QScreen *screen)
{
    if (!screen)
        return QSize((1 << 24) - 1, (1 << 24) - 1); // no bound, as Qt has it
    return screen->size();
}

} // namespace app
