#include "label_stocks/chosen_stock.h"

#include "platform/numbers.h"
#include "platform/profile_file.h"

#include <cmath>

namespace label_stocks {

namespace {

constexpr double kMaxMm = 2000;
constexpr int kMaxGrid = 1000;
constexpr double kEdgeMm = 0.2;

bool lengthFits(double mm, bool positive)
{
    return std::isfinite(mm) && mm <= kMaxMm && mm >= -kMaxMm && (!positive || mm > 0);
}

QString mm(double v)
{
    return mmText(v) + QStringLiteral("mm");
}

} // namespace

QRectF ChosenStock::labelRectMm(qint64 index) const
{
    if (count() <= 0)
        return {};
    const qint64 onSheet = index % count();
    const int col = int(onSheet % columns);
    const int row = int(onSheet / columns);
    return QRectF(leftMm + col * pitchXMm, topMm + row * pitchYMm, labelWidthMm, labelHeightMm);
}

// The geometry as the design stores it, so that a stock chosen and a stock read back are the same.
ChosenStock chosenStock(const LabelStock &s)
{
    auto stored = [](double mm) { return mmText(mm).toDouble(); };
    return ChosenStock{s.key(),
                       stored(s.paperWidthMm),
                       stored(s.paperHeightMm),
                       stored(s.labelWidthMm),
                       stored(s.labelHeightMm),
                       s.columns,
                       s.rows,
                       stored(s.leftMm),
                       stored(s.topMm),
                       stored(s.pitchXMm),
                       stored(s.pitchYMm)};
}

bool isUsable(const ChosenStock &s)
{
    if (!s.isSet())
        return true;
    return lengthFits(s.pageWidthMm, true) && lengthFits(s.pageHeightMm, true) && lengthFits(s.labelWidthMm, true) &&
           lengthFits(s.labelHeightMm, true) && lengthFits(s.leftMm, false) && lengthFits(s.topMm, false) &&
           lengthFits(s.pitchXMm, false) && lengthFits(s.pitchYMm, false) && s.columns >= 1 && s.columns <= kMaxGrid &&
           s.rows >= 1 && s.rows <= kMaxGrid;
}

QString mmText(double v)
{
    const double rounded = std::nearbyint(v * 1000) / 1000;
    QString t = QString::number(rounded == 0 ? 0.0 : rounded, 'f', 3);
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

void writeStock(platform::ProfileFile &file, const common::StockKeys &k, const ChosenStock &s)
{
    auto put = [&file](const common::StoredKey &key, const QString &value) {
        file.setValue(key.sectionName(), key.keyName(), value);
    };
    if (!s.isSet()) {
        if (!file.value(k.name.sectionName(), k.name.keyName()).isEmpty())
            put(k.name, QString());
        return;
    }
    put(k.name, s.key);
    put(k.pageWidth, mmText(s.pageWidthMm));
    put(k.pageHeight, mmText(s.pageHeightMm));
    put(k.labelWidth, mmText(s.labelWidthMm));
    put(k.labelHeight, mmText(s.labelHeightMm));
    put(k.columns, QString::number(s.columns));
    put(k.rows, QString::number(s.rows));
    put(k.left, mmText(s.leftMm));
    put(k.top, mmText(s.topMm));
    put(k.pitchX, mmText(s.pitchXMm));
    put(k.pitchY, mmText(s.pitchYMm));
}

ChosenStock readStock(const platform::ProfileFile &file, const common::StockKeys &k, QStringList *badKeys)
{
    auto text = [&file](const common::StoredKey &key) { return file.value(key.sectionName(), key.keyName()); };
    ChosenStock s;
    s.key = text(k.name);
    if (s.key.isEmpty())
        return {};
    bool ok = true;
    auto length = [&](const common::StoredKey &key) {
        const auto v = platform::numericValue(text(key));
        ok = ok && v.has_value();
        return v.value_or(0);
    };
    auto whole = [&](const common::StoredKey &key) {
        const auto v = platform::toInteger16(text(key));
        ok = ok && v.has_value();
        return v.value_or(0);
    };
    s.pageWidthMm = length(k.pageWidth);
    s.pageHeightMm = length(k.pageHeight);
    s.labelWidthMm = length(k.labelWidth);
    s.labelHeightMm = length(k.labelHeight);
    s.columns = whole(k.columns);
    s.rows = whole(k.rows);
    s.leftMm = length(k.left);
    s.topMm = length(k.top);
    s.pitchXMm = length(k.pitchX);
    s.pitchYMm = length(k.pitchY);
    if (ok && isUsable(s))
        return s;
    if (badKeys)
        *badKeys << k.name.displayName();
    return {};
}

QStringList stockStyleLines(const ChosenStock &s, const QString &lineRule)
{
    // The web engine lays a printed page out on its paper in whole CSS pixels (A4: 793 × 1122 px, 0.2
    // mm short of 210 × 297 mm) and shrinks a page that is wider, and moves what is taller onto a page
    // of its own. The sheet's block therefore ends 0.2 mm short of the paper's right and bottom edges,
    // which no printer reaches, and clips what the labels have there: the page stays at 100 %.
    const QString block = QStringLiteral("width:") + mm(s.pageWidthMm - kEdgeMm) + QStringLiteral("; height:") +
                          mm(s.pageHeightMm - kEdgeMm) + QLatin1Char(';');
    const QString label = QStringLiteral("width:") + mm(s.labelWidthMm) + QStringLiteral("; height:") +
                          mm(s.labelHeightMm) + QLatin1Char(';');
    return {
        QStringLiteral("@page {size:") + mm(s.pageWidthMm) + QLatin1Char(' ') + mm(s.pageHeightMm) +
            QStringLiteral("; margin:0;}"),
        QStringLiteral("html, body {margin:0; padding:0;}"),
        QStringLiteral("div.sheet {position:relative; overflow:hidden; page-break-after:always; ") + block +
            QLatin1Char('}'),
        QStringLiteral("div.lastsheet {position:relative; overflow:hidden; ") + block + QLatin1Char('}'),
        QStringLiteral("div.label {position:absolute; box-sizing:border-box; overflow:hidden; margin:0; padding:0; ") +
            label + QLatin1Char(' ') + lineRule + QLatin1Char('}'),
        QStringLiteral("table.label {border-collapse:collapse; border-style:none; table-layout:fixed; width:100%;}"),
        QStringLiteral("div.label td.top {padding:0; border-style:none; width:auto;}"),
        QStringLiteral("div.label div.card, div.label div.dumm {box-sizing:border-box; width:100%; height:") +
            mm(s.labelHeightMm) + QStringLiteral("; overflow:hidden;}"),
    };
}

QString sheetOpening(bool last)
{
    return last ? QStringLiteral("<div class=\"lastsheet\">") : QStringLiteral("<div class=\"sheet\">");
}

QString sheetClosing()
{
    return QStringLiteral("</div>");
}

QString labelHtml(const ChosenStock &s, qint64 index, const QString &cell)
{
    const QRectF r = s.labelRectMm(index);
    return QStringLiteral("<div class=\"label\" style=\"left:") + mm(r.left()) + QStringLiteral("; top:") +
           mm(r.top()) + QStringLiteral(";\"><table class=\"label\" cellspacing=\"0\"><tr>") + cell +
           QStringLiteral("</tr></table></div>");
}

} // namespace label_stocks
