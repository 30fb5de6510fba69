#include "painting/barcode_bars.h"

#include "barcode/ean_patterns.h"

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QVarLengthArray>

namespace painting {

QString barModules(const QString &code)
{
    namespace ean = barcode::ean;
    const qsizetype n = code.size();
    if (n != 13 && n != 8)
        return QString();
    for (const QChar c : code) {
        if (c < u'0' || c > u'9')
            return QString();
    }
    auto digit = [&](qsizetype i) { return code[i].unicode() - u'0'; };
    std::string m(ean::leftGuardImage);
    if (n == 13) {
        const std::string_view row = ean::parityRows[digit(0)];
        for (int i = 1; i <= 6; ++i)
            m += row[i - 1] == 'A' ? ean::setA[digit(i)] : ean::setB[digit(i)];
        m += ean::centreGuardImage;
        for (int i = 7; i <= 12; ++i)
            m += ean::setC[digit(i)];
    } else {
        for (int i = 0; i <= 3; ++i)
            m += ean::setA[digit(i)];
        m += ean::centreGuardImage;
        for (int i = 4; i <= 7; ++i)
            m += ean::setC[digit(i)];
    }
    m += ean::rightGuardImage;
    return QString::fromLatin1(m.data(), qsizetype(m.size()));
}

double barsWidth(const QString &code)
{
    return barModules(code).size() * BarModulePx;
}

double widestBarImage(const QString &code)
{
    return barModules(code).isEmpty() ? 0.0 : 7.0;
}

int barLines(const QString &code, double width)
{
    const QString m = barModules(code);
    if (m.isEmpty())
        return 0;
    const int guard = int(barcode::ean::leftGuardImage.size());
    const int centre = int(barcode::ean::centreGuardImage.size());
    const int digit = int(barcode::ean::setA[0].size());
    const int half = (int(m.size()) - 2 * guard - centre) / (2 * digit);
    // The images left to right; a line holds as many as fit, and at least one.
    QVarLengthArray<int, 15> images;
    images.append(guard);
    for (int i = 0; i < half; ++i)
        images.append(digit);
    images.append(centre);
    for (int i = 0; i < half; ++i)
        images.append(digit);
    images.append(guard);
    int lines = 1;
    double x = 0;
    for (const int w : images) {
        if (x > 0 && x + w > width + 1e-6) {
            ++lines;
            x = 0;
        }
        x += w * BarModulePx;
    }
    return lines;
}

void drawBars(QPainter &painter, const QPointF &topLeft, double heightPx, const QString &code)
{
    const QString m = barModules(code);
    // All bars in one call, in modules across and the bars' height down: a sheet of ten thousand
    // codes holds three hundred thousand bars, and whole numbers keep the PDF's page streams short.
    QVarLengthArray<QRectF, 32> bars;
    qsizetype i = 0;
    while (i < m.size()) {
        if (m[i] != u'1') {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < m.size() && m[j] == u'1')
            ++j;
        bars.append(QRectF(double(i), 0, double(j - i), 1));
        i = j;
    }
    if (bars.isEmpty() || heightPx == 0)
        return;
    const QTransform was = painter.worldTransform();
    const QPen pen = painter.pen();
    const QBrush brush = painter.brush();
    painter.translate(topLeft);
    painter.scale(BarModulePx, heightPx);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRects(bars.constData(), int(bars.size()));
    painter.setWorldTransform(was);
    painter.setPen(pen);
    painter.setBrush(brush);
}

} // namespace painting
