#include "painting/borders.h"

#include <cmath>

#include <QPainter>
#include <QPen>

namespace painting {

namespace {

enum class Kind { None, Solid, Dashed, Dotted, Double, Groove, Ridge, Inset, Outset };

Kind kindOf(const QString &style)
{
    const QString s = style.trimmed().toLower();
    static const std::pair<const char *, Kind> words[] = {
        {"solid", Kind::Solid},   {"dashed", Kind::Dashed}, {"dotted", Kind::Dotted}, {"double", Kind::Double},
        {"groove", Kind::Groove}, {"ridge", Kind::Ridge},   {"inset", Kind::Inset},   {"outset", Kind::Outset}};
    for (const auto &[word, kind] : words) {
        if (s == QLatin1String(word))
            return kind;
    }
    return Kind::None;
}

// The four sides as filled bands of width w inside r; top and left take the first colour. The bands
// of one colour are filled at once: a sheet holds thousands of borders.
void bands(QPainter &p, const QRectF &r, double w, const QColor &topLeft, const QColor &bottomRight)
{
    const QRectF sides[] = {QRectF(r.left(), r.top(), r.width(), w), QRectF(r.left(), r.top(), w, r.height()),
                            QRectF(r.left(), r.bottom() - w, r.width(), w),
                            QRectF(r.right() - w, r.top() + w, w, r.height() - w)};
    const QPen pen = p.pen();
    const QBrush brush = p.brush();
    p.setPen(Qt::NoPen);
    if (topLeft == bottomRight) {
        p.setBrush(topLeft);
        p.drawRects(sides, 4);
    } else {
        p.setBrush(topLeft);
        p.drawRects(sides, 2);
        p.setBrush(bottomRight);
        p.drawRects(sides + 2, 2);
    }
    p.setPen(pen);
    p.setBrush(brush);
}

// A side drawn with a pen pattern along its centre line.
void patterned(QPainter &p, const QRectF &r, double w, const QColor &c, Qt::PenStyle style)
{
    QPen pen(c, w, style, style == Qt::DotLine ? Qt::RoundCap : Qt::FlatCap);
    if (style == Qt::DotLine)
        pen.setDashPattern({0.01, 1.99});
    else
        pen.setDashPattern({3, 3});
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double h = w / 2;
    p.drawRect(r.adjusted(h, h, -h, -h));
    p.restore();
}

} // namespace

bool borderShows(const QString &style)
{
    return kindOf(style) != Kind::None;
}

void drawBorder(QPainter &painter, const QRectF &box, double width, const QString &style, const QColor &color)
{
    if (width <= 0)
        return;
    // The browser lays the box out with the border's width but paints it in whole pixels from the
    // outer edge, and paints a double border under 3 pixels as a solid one.
    const double w = width >= 1 ? std::floor(width) : width;
    const Kind kind = kindOf(style) == Kind::Double && w < 3 ? Kind::Solid : kindOf(style);
    const QColor dark = color.darker(150);
    switch (kind) {
    case Kind::None:
        return;
    case Kind::Solid:
        bands(painter, box, w, color, color);
        return;
    case Kind::Dashed:
        patterned(painter, box, w, color, Qt::DashLine);
        return;
    case Kind::Dotted:
        patterned(painter, box, w, color, Qt::DotLine);
        return;
    case Kind::Double: {
        // Two lines with a gap between, in whole pixels as the browser splits the width: the outer
        // line a third rounded to the nearest pixel (ties down), the inner one from two thirds so
        // rounded to the inner edge (4 px: 1, 2 and 1; 5 px: 2, 1 and 2).
        const double outer = std::floor((w + 1) / 3);
        const double innerStart = std::floor((2 * w + 1) / 3);
        bands(painter, box, outer, color, color);
        bands(painter, box.adjusted(innerStart, innerStart, -innerStart, -innerStart), w - innerStart, color, color);
        return;
    }
    case Kind::Groove:
    case Kind::Ridge: {
        const bool groove = kind == Kind::Groove;
        const double h = w / 2;
        bands(painter, box, h, groove ? dark : color, groove ? color : dark);
        bands(painter, box.adjusted(h, h, -h, -h), h, groove ? color : dark, groove ? dark : color);
        return;
    }
    case Kind::Inset:
        bands(painter, box, w, dark, color);
        return;
    case Kind::Outset:
        bands(painter, box, w, color, dark);
        return;
    }
}

QPen ruledPen(const QColor &color, double widthPx)
{
    return QPen(color, widthPx, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

} // namespace painting
