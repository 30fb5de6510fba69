#include "shelf_labels/sheet_painter.h"

#include "label_stocks/chosen_stock.h"
#include "painting/borders.h"
#include "painting/card_table.h"
#include "painting/columns.h"
#include "painting/units.h"
#include "platform/numbers.h"
#include "shelf_labels/card.h"
#include "shelf_labels/window_values.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>
#include <vector>

namespace shelf_labels {

using painting::mmToPx;

namespace {

// The page's body margin and the padding of every table cell, as the browser gives them.
constexpr double BodyMargin = 8;
constexpr double CellPadding = 1;
constexpr double A4WidthMm = 210;
constexpr double A4HeightMm = 297;

double mmOf(const QString &text)
{
    return painting::layoutLength(painting::mmTextPx(text).value_or(0));
}

double paddingOf(const QString &text)
{
    return mmOf(text);
}

// A border width as the web engine lays it out when printing: its own width, at least one pixel.
double borderPx(const QString &style, const QString &widthPt)
{
    if (!painting::borderShows(style))
        return 0;
    bool ok = false;
    const double pt = widthPt.trimmed().toDouble(&ok);
    if (!ok || pt <= 0)
        return 0;
    return std::max(1.0, painting::layoutLength(painting::ptToPx(pt)));
}

// Everything of the design the cards of a sheet share, in CSS pixels.
struct Geometry {
    int columns = 1, rows = 1;
    double line = 0;   // cut line width
    double border = 0; // card border width
    double padT = 0, padB = 0, padL = 0, padR = 0;
    bool fixedW = false, fixedH = false;
    double divW = 0, divH = 0; // the card's content box, when fixed
    double pitchX = 0, pitchY = 0;
    // Free cards: each column's left edge from the table's, the table's right edge last, in the whole
    // pixels the web engine's fixed table layout gives them (empty when the cards have a width).
    std::vector<double> colX;
    double left(int c) const { return colX.empty() ? c * pitchX : colX[size_t(c)]; }
    double pitch(int c) const { return left(c + 1) - left(c); }
    double divWAt(int c) const { return colX.empty() ? divW : pitch(c) - line - 2 * CellPadding; }
};

Geometry geometryOf(const ShelfLabelDesign &d, const label_stocks::ChosenStock *stock, double pageW = mmToPx(A4WidthMm))
{
    Geometry g;
    const auto div = division(d);
    g.columns = stock ? stock->columns : div ? div->w : 1;
    g.rows = stock ? stock->rows : div ? div->h : 1;
    g.line = d.cutLine ? 1 : 0;
    g.border = borderPx(d.borderStyle, d.borderWidth);
    g.padT = paddingOf(d.padding[0]);
    g.padB = paddingOf(d.padding[1]);
    g.padL = paddingOf(d.padding[2]);
    g.padR = paddingOf(d.padding[3]);
    g.fixedW = d.cardWidthFixed;
    g.fixedH = d.cardHeightFixed;
    if (g.fixedW) {
        const double cw = platform::toWholeNumber(d.cardWidth).value_or(0);
        g.divW = painting::layoutLength(mmToPx(cw - 1));
        const double outer = g.divW + g.padL + g.padR + 2 * g.border;
        // The web engine gives table columns whole pixels, rounded up from their content, and a table
        // wider than the page's body shares the body's width, each card keeping its own.
        const double least = std::ceil(outer + 2 * CellPadding) + g.line;
        g.pitchX =
            std::max(std::min(std::ceil(std::max(painting::layoutLength(mmToPx(cw)), outer) + 2 * CellPadding) + g.line,
                              (pageW - 2 * BodyMargin) / g.columns),
                     least);
    } else {
        g.pitchX = (pageW - 2 * BodyMargin) / g.columns;
        g.divW = g.pitchX - g.line - 2 * CellPadding;
        g.colX.assign(1, 0);
        for (const double w : painting::fixedColumns(pageW - 2 * BodyMargin - g.line, g.columns))
            g.colX.push_back(g.colX.back() + w);
    }
    if (g.fixedH) {
        g.divH = mmOf(d.cardHeight);
        // Rows, too, are whole pixels, rounded to the nearest.
        g.pitchY = std::round(g.divH + g.padT + g.padB + 2 * g.border + 2 * CellPadding) + g.line;
    }
    return g;
}

QRectF labelBox(const label_stocks::ChosenStock &s, int indexOnPage)
{
    const int col = indexOnPage % std::max(1, s.columns);
    const int row = indexOnPage / std::max(1, s.columns);
    return QRectF(mmToPx(s.leftMm + col * s.pitchXMm), mmToPx(s.topMm + row * s.pitchYMm), mmToPx(s.labelWidthMm),
                  mmToPx(s.labelHeightMm));
}

// The card box of a fixed-size card (or of a stock's label).
QRectF fixedBox(const Geometry &g, int indexOnPage, const label_stocks::ChosenStock *stock)
{
    if (stock)
        return labelBox(*stock, indexOnPage);
    const int col = indexOnPage % g.columns;
    const int row = indexOnPage / g.columns;
    const double x = BodyMargin + g.line / 2 + col * g.pitchX + g.line / 2 + CellPadding;
    const double y = BodyMargin + g.line / 2 + row * g.pitchY + g.line / 2 + CellPadding;
    return QRectF(x, y, g.divW + g.padL + g.padR + 2 * g.border, g.divH + g.padT + g.padB + 2 * g.border);
}

QString plainMark(QString mark)
{
    return mark.replace(QStringLiteral("&yen;"), QStringLiteral("\u00A5"));
}

// The faces, colours and shared texts of the sheet's cards.
struct CardStyle {
    painting::TextFace area[6];
    painting::TextFace markBefore, markAfter, digits;
    QColor back, header, border, line;
    QString headerText, before, after, borderStyle;
    Qt::Alignment logoAlign = Qt::AlignLeft;
    QImage logo;
    double logoW = 0, logoH = 0;
    int layoutType = 0;
    int barcodeHeight = 0;
};

CardStyle styleOf(const ShelfLabelDesign &d, const Sheet &sheet)
{
    CardStyle s;
    for (int i = 0; i < 6; ++i) {
        const AreaStyle &a = d.area[size_t(i)];
        s.area[i] = painting::faceOf(a.fontStyle, a.fontSize, a.fontName, a.color, a.align);
    }
    const AreaStyle &m = d.area[6];
    s.markBefore = painting::faceOf(m.fontStyle, m.fontSize, m.fontName, d.area[3].color, QStringLiteral("right"));
    s.markAfter = painting::faceOf(m.fontStyle, m.fontSize, m.fontName, d.area[3].color, QStringLiteral("left"));
    s.digits = painting::faceOf(QStringLiteral("通常"), QStringLiteral("10pt"), QString(), QString(),
                                QStringLiteral("center"));
    s.back = QColor(d.backColor);
    s.header = QColor(sheet.headerColor);
    s.border = QColor(d.borderColor);
    s.line = QColor(d.lineColor);
    s.headerText = sheet.headerText;
    s.before = plainMark(sheet.markBefore);
    s.after = plainMark(sheet.markAfter);
    s.borderStyle = d.borderStyle;
    s.logoAlign = painting::alignOf(d.logoAlign);
    if (d.showLogo) {
        s.logoW = platform::toWholeNumber(d.logoW).value_or(0);
        s.logoH = platform::toWholeNumber(d.logoH).value_or(0);
        if (!d.logoName.isEmpty())
            s.logo = QImage(QString(d.logoName).replace(QLatin1Char('\\'), QLatin1Char('/')));
    }
    s.layoutType = d.layoutType;
    s.barcodeHeight = d.barcodeHeight;
    return s;
}

// One card's table, as cardHtml writes it.
void fillTable(painting::CardTable &t, const Card &card, const CardStyle &s)
{
    using painting::CardCell;
    const bool b = s.layoutType == 1;
    const int all = b ? 4 : 3;
    auto text = [](int col, int span, const painting::TextFace &face, const QString &value, const QColor &bg) {
        CardCell c;
        c.col = col;
        c.span = span;
        c.face = &face;
        c.text = value;
        c.background = bg;
        return c;
    };
    t.clear();
    t.row();
    t.add(text(0, all, s.area[0], s.headerText, s.header));
    t.row();
    {
        CardCell logo;
        logo.kind = CardCell::Image;
        logo.span = all;
        logo.align = s.logoAlign;
        logo.image = &s.logo;
        logo.imageWidth = s.logoW;
        logo.imageHeight = s.logoH;
        t.add(logo);
    }
    t.row();
    t.add(text(0, all, s.area[1], card.itemCode, s.back));
    t.row();
    t.add(text(0, all, s.area[2], card.name, s.back));
    t.row();
    t.add(text(0, 1, s.markBefore, s.before, s.back));
    t.add(text(1, 1, s.area[3], card.price, s.back));
    t.add(text(2, 1, s.markAfter, s.after + (card.reducedMark ? QStringLiteral("※") : QString()), s.back));
    CardCell bars;
    bars.kind = CardCell::Bars;
    bars.text = card.barcode;
    bars.imageHeight = s.barcodeHeight;
    if (b) {
        bars.col = 3;
        t.add(bars);
        t.row();
        t.add(text(0, 3, s.area[4], card.taxNote, s.back));
        t.add(text(3, 1, s.digits, card.janDigits, QColor()));
        t.row();
        t.add(text(0, 4, s.area[5], card.remarks, s.back));
    } else {
        t.row();
        t.add(text(0, 3, s.area[4], card.taxNote, s.back));
        t.row();
        t.add(text(0, 3, s.area[5], card.remarks, s.back));
        t.row();
        bars.span = 3;
        t.add(bars);
        t.row();
        t.add(text(0, 3, s.digits, card.janDigits, QColor()));
    }
}

} // namespace

QRectF fixedCardBox(const ShelfLabelDesign &design, int indexOnPage, const label_stocks::ChosenStock *stock)
{
    return fixedBox(geometryOf(design, stock), indexOnPage, stock);
}

common::MakeResult paintSheet(const Inputs &in, QPagedPaintDevice &device, const painting::PaintOptions &options,
                              painting::PaintOutcome *outcome)
{
    using common::MakeResult;
    if (outcome)
        *outcome = painting::PaintOutcome::Failed;
    if (const common::Refusal refusal = check(in); refusal.refused())
        return MakeResult::refusedBy(refusal);
    ShelfLabelDesign d = settledDesign(in.design);
    d.startOffset = *platform::toWholeNumber(in.start) - 1;
    platform::AppError error;
    const auto sheet = SetSyouhin(in.rows, d, in.tax, d.startOffset, &error);
    if (!sheet)
        return MakeResult::failed(setSyouhinLabel(), error);

    const painting::PaintOptions paint = painting::onStock(options, d.stock);
    const label_stocks::ChosenStock *stock = paint.stock;
    // Free cards as wide as their column plus their padding and border stand out past the paper's
    // right edge; the browser then lays the page out as wide as it reaches and prints it shrunk to
    // the paper's width.
    const double paperW = mmToPx(A4WidthMm);
    double shrink = 1;
    if (!stock && d.cardWidthFixed != 1) {
        const Geometry first = geometryOf(d, nullptr, paperW);
        const double reach = BodyMargin + first.line + (first.columns - 1) * first.pitchX + CellPadding + first.divW +
                             first.padL + first.padR + 2 * first.border;
        shrink = paperW / std::max(paperW, reach);
    }
    const Geometry g = geometryOf(d, stock, paperW / shrink);
    const qint64 perPage = qint64(g.columns) * g.rows;
    const qint64 cells = sheet->cellCount;
    qint64 pages = cells > 0 ? (cells - 1) / perPage + 1 : 1;
    const CardStyle style = styleOf(d, *sheet);
    painting::TextPen pen(&device);
    painting::CardTable table(pen, style.layoutType == 1 ? 4 : 3);
    // A card's table is as wide as its box inside its padding and border.
    const auto innerW = [&](double boxW) {
        return std::max(0.0, boxW - g.padL - g.padR - 2 * g.border - 2 * CellPadding);
    };
    bool failed = false;

    const double paperH = mmToPx(stock ? stock->pageHeightMm : A4HeightMm) / shrink;
    // A card at box (its border box): border, then its table clipped to the card when its height is
    // fixed. In a fixed card that a page edge crosses (cut: the sheet's top down its table's sheets)
    // the lines and bars that would cross the edge start below it, within the card's own height.
    auto drawCard = [&](QPainter &p, const QRectF &box, const Card *card, double cut = -1) {
        if (!card)
            return;
        painting::drawBorder(p, box, g.border, style.borderStyle, style.border);
        const QPointF origin(box.left() + g.border + g.padL + CellPadding, box.top() + g.border + g.padT + CellPadding);
        const bool clip = g.fixedH || stock;
        if (clip) {
            p.save();
            p.setClipRect(box.adjusted(g.border, g.border, -g.border, -g.border));
        }
        fillTable(table, *card, style);
        const bool edges = cut >= 0 && painting::crossesEdge(box.top() + cut, box.height(), paperH);
        table.setPageEdges(edges ? painting::nextEdge(origin.y() + cut, paperH) : 0, edges ? paperH : 0);
        table.layOut(innerW(box.width()));
        table.draw(p, origin);
        if (clip)
            p.restore();
    };
    auto cardAt = [&](qint64 cell) -> std::optional<Card> {
        const qint64 k = cell - sheet->startOffset;
        if (k < 0 || k >= sheet->products.size())
            return std::nullopt;
        const products::Product &product = sheet->products.at(k);
        auto card = fillCard(product, d, sheet->tax, &error);
        if (!card) {
            failed = true;
            return std::nullopt;
        }
        if (!platform::isNumeric(card->price))
            return std::nullopt;
        // The bars are drawn from the code itself; the card holds the page's image tags.
        if (!card->barcode.isEmpty())
            card->barcode = product.jan;
        return card;
    };
    auto cutLines = [&](QPainter &p, const QRectF &cell) {
        if (g.line <= 0)
            return;
        p.save();
        p.setPen(painting::ruledPen(style.line, g.line));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell);
        p.restore();
    };

    // A free layout's rows are as tall as their tallest card, and a table taller than the paper goes on
    // over the next sheets as the browser prints it: a row the paper's edge crosses stays where it is,
    // its cards' lines that would cross the edge starting below it, which makes the row taller. The
    // tables' heights are found first (the cards are filled again as they are drawn, so that memory
    // stays flat).
    const bool grid = stock || (g.fixedW && g.fixedH);
    std::vector<std::optional<Card>> row(size_t(g.columns));
    const auto boxW = [&](int c) { return g.divWAt(c) + g.padL + g.padR + 2 * g.border; };
    // top: the row's top, down the sheets of its table.
    auto fillRow = [&](qint64 first, int count, int r, double top) {
        double contentH = g.divH;
        for (int c = 0; c < g.columns; ++c) {
            const int i = r * g.columns + c;
            row[size_t(c)] = i < count ? cardAt(first + i) : std::nullopt;
            if (!g.fixedH && row[size_t(c)]) {
                fillTable(table, *row[size_t(c)], style);
                const double origin = top + CellPadding + g.border + g.padT + CellPadding;
                table.setPageEdges(painting::nextEdge(origin, paperH), paperH);
                contentH = std::max(contentH, table.layOut(innerW(boxW(c))) + 2 * CellPadding);
            }
        }
        return contentH + g.padT + g.padB + 2 * g.border;
    };
    auto rowPitch = [&](double boxH) { return std::round(boxH + 2 * CellPadding) + g.line; };
    struct Sheetful {
        qint64 table;
        int firstRow;
        int rows;
        double cut = 0; // how far down the table the sheet starts
    };
    std::vector<Sheetful> sheets;
    if (!stock) {
        for (qint64 t = 0; t * perPage < cells && !failed; ++t) {
            const int count = int(std::min<qint64>(perPage, cells - t * perPage));
            double y = (t == 0 ? BodyMargin : 0) + g.line;
            if (g.fixedH) {
                // A table of cards of a fixed height taller than the paper goes on at the top of the
                // next sheet, rows and all, each card as tall as ever.
                const int rows = (count + g.columns - 1) / g.columns;
                const double pitchY = grid ? g.pitchY : rowPitch(g.divH + g.padT + g.padB + 2 * g.border);
                const double tableH = y + rows * pitchY;
                for (int k = 0; k == 0 || k * paperH < tableH - 0.5; ++k)
                    sheets.push_back({t, 0, rows, k * paperH});
                continue;
            }
            const int rows = (count + g.columns - 1) / g.columns;
            for (int r = 0; r < rows && !failed; ++r)
                y += rowPitch(fillRow(t * perPage, count, r, y));
            for (int k = 0; k == 0 || k * paperH < y - 0.5; ++k)
                sheets.push_back({t, 0, rows, k * paperH});
        }
        if (failed)
            return MakeResult::failed(makeHtmlFileLabel(), error);
        pages = qint64(sheets.size());
    }

    const auto paintSheetful = [&](QPainter &p, qint64 page) {
        // The body's margin stands above the first sheet only; the tables of later sheets start at
        // the paper's edge.
        if (grid) {
            // A stock's sheet holds one table's labels; a table of fixed cards may run over sheets.
            const Sheetful s = stock ? Sheetful{page, 0, g.rows} : sheets[size_t(page)];
            const qint64 first = s.table * perPage;
            const int count = int(std::min<qint64>(perPage, cells - first));
            // The table's last row is written whole: its blank cells have their cut lines too.
            const int cellsDrawn = stock ? count : (count + g.columns - 1) / g.columns * g.columns;
            const int from = s.firstRow * g.columns;
            const int to = std::min(cellsDrawn, (s.firstRow + s.rows) * g.columns);
            for (int i = from; i < to && !failed; ++i) {
                QRectF box = fixedBox(g, i, stock);
                if (!stock) {
                    // Tables after the first start at the paper's edge.
                    box.translate(0, (s.table == 0 ? 0 : -BodyMargin) - s.cut);
                    if (box.bottom() + g.pitchY < 0 || box.top() - g.pitchY > paperH)
                        continue;
                    const double half = g.line / 2;
                    cutLines(
                        p, QRectF(box.left() - CellPadding - half, box.top() - CellPadding - half, g.pitchX, g.pitchY));
                }
                const auto card = i < count ? cardAt(first + i) : std::nullopt;
                drawCard(p, box, card ? &*card : nullptr, stock ? -1 : s.cut);
            }
            return;
        }
        const Sheetful &s = sheets[size_t(page)];
        const qint64 first = s.table * perPage;
        const int count = int(std::min<qint64>(perPage, cells - first));
        double y = (s.table == 0 ? BodyMargin : 0) + g.line - s.cut;
        for (int r = s.firstRow; r < s.firstRow + s.rows && !failed; ++r) {
            const double boxH =
                g.fixedH ? g.divH + g.padT + g.padB + 2 * g.border : fillRow(first, count, r, y + s.cut);
            const double pitchY = rowPitch(boxH);
            if (y + pitchY < 0 || y > paperH) {
                y += pitchY;
                continue;
            }
            if (g.fixedH)
                fillRow(first, count, r, y + s.cut);
            for (int c = 0; c < g.columns; ++c) {
                const double x = BodyMargin + g.line + g.left(c) + CellPadding;
                cutLines(p, QRectF(x - CellPadding - g.line / 2, y - g.line / 2, g.pitch(c), pitchY));
                drawCard(p, QRectF(x, y + CellPadding, boxW(c), boxH), row[size_t(c)] ? &*row[size_t(c)] : nullptr,
                         s.cut);
            }
            y += pitchY;
        }
    };
    const auto paintPage = painting::atScale(shrink, paintSheetful);
    const painting::PaintOutcome done = painting::paintPages(device, pages, paint, paintPage, &error);
    return painting::paintedResult(failed ? painting::PaintOutcome::Failed : done, makeHtmlFileLabel(), error, outcome);
}

painting::SheetPainter sheetPainter(const std::optional<Inputs> &lastMade)
{
    return painting::bindSheet(&paintSheet, lastMade);
}

common::MakeResult makePdf(const Inputs &in, const QString &pdfPath, const painting::PaintOptions &options,
                           painting::PaintOutcome *outcome)
{
    // The checks first, so that a refused sheet leaves no file behind and touches no file.
    if (const common::Refusal refusal = check(in); refusal.refused()) {
        if (outcome)
            *outcome = painting::PaintOutcome::Failed;
        return common::MakeResult::refusedBy(refusal);
    }
    return painting::makePdfWith(sheetPainter(in), pdfPath, options, makeHtmlFileLabel(), outcome);
}

} // namespace shelf_labels
