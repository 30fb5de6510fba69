#pragma once

// Box borders in the style sheet's styles, drawn inside a border box as the browser draws them.

#include <QColor>
#include <QPen>
#include <QRectF>
#include <QString>

class QPainter;

namespace painting {

// Draws a border of widthPx all round inside box (the border box), in a CSS border style: solid,
// dashed, dotted, double, groove, ridge, inset, outset; none and hidden (and anything unknown) draw
// nothing.
void drawBorder(QPainter &painter, const QRectF &box, double widthPx, const QString &style, const QColor &color);
// The pen of ruled lines (cut lines, a table's collapsed borders) of widthPx: square corners, as the
// browser fills them. Qt's PDF writer takes a pen equal to its default one (black, 1 px, bevelled) for
// the hairline it starts with, so a black 1 px cut line would come out a tenth of a pixel wide.
QPen ruledPen(const QColor &color, double widthPx);
// Whether the style takes room (anything but none, hidden and unknown words).
bool borderShows(const QString &style);

} // namespace painting
