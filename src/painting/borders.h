#pragma once

// Box borders in the style sheet's styles, drawn inside a border box as the browser draws them.

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace painting {

// Draws a border of widthPx all round inside box (the border box), in a CSS border style: solid,
// dashed, dotted, double, groove, ridge, inset, outset; none and hidden (and anything unknown) draw
// nothing.
void drawBorder(QPainter &painter, const QRectF &box, double widthPx, const QString &style, const QColor &color);
// Whether the style takes room (anything but none, hidden and unknown words).
bool borderShows(const QString &style);

} // namespace painting
