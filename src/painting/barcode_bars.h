#pragma once

// A JAN barcode as vector bars: the same modules as the page's row of images, one bar per run of
// dark modules, so that the PDF stays small and the bars sharp at any printer resolution.

#include <QString>

class QPainter;
class QPointF;

namespace painting {

// The pages show one CSS pixel per module (the images hold two pixels per module and are shown at
// half their width).
inline constexpr double BarModulePx = 1.0;

// The modules of the page's images for a complete JAN code ('1' dark), guards' outer quiet module
// included; empty for a code that is not 13 or 8 ASCII digits.
QString barModules(const QString &code);
// Width in CSS pixels of the bars of code (0 when it has none).
double barsWidth(const QString &code);
// The page shows the bars as a row of images (guards 4 px, centre 5 px, each digit 7 px) in a block of
// their own in the cell, and the browser may break that row between any two images: the widest image
// (0 when there are no bars) and how many lines the row takes at width (0 when there are no bars).
double widestBarImage(const QString &code);
int barLines(const QString &code, double width);
// Draws the bars of code from topLeft, heightPx tall, in black.
void drawBars(QPainter &painter, const QPointF &topLeft, double heightPx, const QString &code);

} // namespace painting
