#include "dialogs/splash_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace dialogs {

QPixmap splashPicture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;

    // The tag: a rounded card with a cut corner and a hole for the string.
    QPainterPath tag;
    tag.moveTo(30 * s, 8 * s);
    tag.lineTo(88 * s, 8 * s);
    tag.quadTo(94 * s, 8 * s, 94 * s, 14 * s);
    tag.lineTo(94 * s, 86 * s);
    tag.quadTo(94 * s, 92 * s, 88 * s, 92 * s);
    tag.lineTo(12 * s, 92 * s);
    tag.quadTo(6 * s, 92 * s, 6 * s, 86 * s);
    tag.lineTo(6 * s, 32 * s);
    tag.closeSubpath();
    p.setPen(QPen(QColor(0x8a, 0x4b, 0x08), 2 * s));
    p.setBrush(QColor(0xff, 0xe0, 0x8a));
    p.drawPath(tag);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(20 * s, 22 * s), 5 * s, 5 * s);

    // A yen sign and a barcode.
    p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 4 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48 * s, 18 * s), QPointF(58 * s, 32 * s));
    p.drawLine(QPointF(68 * s, 18 * s), QPointF(58 * s, 32 * s));
    p.drawLine(QPointF(58 * s, 32 * s), QPointF(58 * s, 48 * s));
    p.drawLine(QPointF(50 * s, 36 * s), QPointF(66 * s, 36 * s));
    p.drawLine(QPointF(50 * s, 42 * s), QPointF(66 * s, 42 * s));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const int widths[] = {1, 2, 1, 1, 3, 1, 2, 1, 1, 2, 3, 1, 1, 2, 1, 1, 2, 1};
    double x = 18 * s;
    bool bar = true;
    for (int w : widths) {
        if (bar)
            p.drawRect(QRectF(x, 58 * s, w * 1.6 * s, 26 * s));
        x += w * 1.6 * s;
        bar = !bar;
    }
    return pm;
}

} // namespace dialogs
