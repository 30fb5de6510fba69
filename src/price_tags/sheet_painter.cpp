#include "price_tags/sheet_painter.h"

#include "common/helpers.h"
#include "label_stocks/chosen_stock.h"
#include "painting/borders.h"
#include "painting/card_table.h"
#include "painting/columns.h"
#include "painting/units.h"
#include "platform/numbers.h"
#include "price_tags/card.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>
#include <vector>

namespace price_tags {

using painting::mmToPx;

namespace {

constexpr double BodyMargin = 8;
constexpr double CellPadding = 1;
constexpr double CardSpacing = 2; // the card's table has the browser's own cellspacing
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

struct Geometry {
    int columns = 1, rows = 1;
    double line = 0;
    double padT = 0, padB = 0, padL = 0, padR = 0;
    bool fixedW = false, fixedH = false;
    double divW = 0, divH = 0;
    double pitchX = 0, pitchY = 0;
    // Free cards: each column's left edge from the table's, the table's right edge last, in the whole
    // pixels the web engine's fixed table layout gives them (empty when the cards have a width).
    std::vector<double> colX;
    double left(int c) const { return colX.empty() ? c * pitchX : colX[size_t(c)]; }
    double pitch(int c) const { return left(c + 1) - left(c); }
    double divWAt(int c) const { return colX.empty() ? divW : pitch(c) - line - 2 * CellPadding; }
};

Geometry geometryOf(const PriceTagDesign &d, const label_stocks::ChosenStock *stock, double pageW = mmToPx(A4WidthMm))
{
    Geometry g;
    g.columns = stock ? stock->columns : std::max(1, d.countW);
    g.rows = stock ? stock->rows : std::max(1, d.countH);
    g.line = d.ruledLine ? 1 : 0;
    g.padT = paddingOf(d.padding[0]);
    g.padB = paddingOf(d.padding[1]);
    g.padL = paddingOf(d.padding[2]);
    g.padR = paddingOf(d.padding[3]);
    g.fixedW = d.cardWidthFixed;
    g.fixedH = d.cardHeightFixed;
    if (g.fixedW) {
        const double cw = platform::toInteger16(d.cardWidth).value_or(0);
        g.divW = painting::layoutLength(mmToPx(cw - 1));
        const double outer = g.divW + g.padL + g.padR;
        // The web engine gives table columns whole pixels, rounded up from their content, and a table
        // wider than the page's body shares the body's width, each tag keeping its own.
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
        g.pitchY = std::round(g.divH + g.padT + g.padB + 2 * CellPadding) + g.line;
    }
    return g;
}

QRectF fixedBox(const Geometry &g, int indexOnPage, const label_stocks::ChosenStock *stock)
{
    if (stock) {
        const int col = indexOnPage % std::max(1, stock->columns);
        const int row = indexOnPage / std::max(1, stock->columns);
        return QRectF(mmToPx(stock->leftMm + col * stock->pitchXMm), mmToPx(stock->topMm + row * stock->pitchYMm),
                      mmToPx(stock->labelWidthMm), mmToPx(stock->labelHeightMm));
    }
    const int col = indexOnPage % g.columns;
    const int row = indexOnPage / g.columns;
    return QRectF(BodyMargin + g.line + col * g.pitchX + CellPadding,
                  BodyMargin + g.line + row * g.pitchY + CellPadding, g.divW + g.padL + g.padR,
                  g.divH + g.padT + g.padB);
}

struct TagStyle {
    painting::TextFace code, name, price, tax, digits;
    Qt::Alignment logoAlign = Qt::AlignLeft;
    QImage logo;
    double logoW = 0, logoH = 0;
    bool twoTier = false;
    bool typeB = false;
    int barcodeHeight = 0;
    QColor line;
};

TagStyle styleOf(const PriceTagDesign &d)
{
    TagStyle s;
    painting::TextFace *faces[4] = {&s.code, &s.name, &s.price, &s.tax};
    for (int i = 0; i < 4; ++i)
        *faces[i] = painting::faceOf(d.fontStyle[size_t(i)], d.fontSize[size_t(i)], d.fontName[size_t(i)],
                                     d.fontColor[size_t(i)], d.fontAlign[size_t(i)]);
    s.digits =
        painting::faceOf(QStringLiteral("通常"), QStringLiteral("9pt"), QString(), QString(), QStringLiteral("center"));
    const QString align = logoAlignWord(d.logoAlign);
    s.logoAlign = painting::alignOf(align.isEmpty() ? QStringLiteral("left") : align);
    if (d.showLogo) {
        s.logoW = d.logoW;
        s.logoH = d.logoH;
        if (!d.logoName.isEmpty())
            s.logo = QImage(QString(d.logoName).replace(QLatin1Char('\\'), QLatin1Char('/')));
    }
    s.twoTier = d.twoTier;
    s.typeB = d.layoutType != 0;
    s.barcodeHeight = d.barcodeHeight;
    s.line = QColor(d.lineColor);
    return s;
}

struct TagTexts {
    QString code, name, price, tax, jan, digits;
};

// One tag's table, as cardRest writes it.
void fillTable(painting::CardTable &t, const TagTexts &x, const TagStyle &s)
{
    using painting::CardCell;
    auto text = [](int col, int span, const painting::TextFace &face, const QString &value) {
        CardCell c;
        c.col = col;
        c.span = span;
        c.face = &face;
        c.text = value;
        return c;
    };
    CardCell logo;
    logo.kind = CardCell::Image;
    logo.align = s.logoAlign;
    logo.image = &s.logo;
    logo.imageWidth = s.logoW;
    logo.imageHeight = s.logoH;
    CardCell bars;
    bars.kind = CardCell::Bars;
    bars.text = x.jan;
    bars.imageHeight = s.barcodeHeight;
    CardCell nested;
    nested.kind = CardCell::BarsAndDigits;
    nested.text = x.jan;
    nested.digits = x.digits;
    nested.face = &s.digits;
    nested.imageHeight = s.barcodeHeight;
    t.clear();
    if (!s.twoTier && !s.typeB) {
        logo.span = 2;
        bars.span = 2;
        t.row(), t.add(logo);
        t.row(), t.add(text(0, 2, s.code, x.code));
        t.row(), t.add(text(0, 2, s.name, x.name));
        t.row(), t.add(text(0, 1, s.price, x.price)), t.add(text(1, 1, s.tax, x.tax));
        t.row(), t.add(bars);
        t.row(), t.add(text(0, 2, s.digits, x.digits));
    } else if (!s.twoTier) {
        logo.span = 3;
        nested.col = 2;
        nested.rowSpan = 3;
        t.row(), t.add(logo);
        t.row(), t.add(text(0, 2, s.code, x.code)), t.add(nested);
        t.row(), t.add(text(0, 2, s.name, x.name));
        t.row(), t.add(text(0, 1, s.price, x.price)), t.add(text(1, 1, s.tax, x.tax));
    } else if (!s.typeB) {
        t.row(), t.add(logo);
        t.row(), t.add(text(0, 1, s.code, x.code));
        t.row(), t.add(text(0, 1, s.name, x.name));
        t.row(), t.add(text(0, 1, s.price, x.price));
        t.row(), t.add(text(0, 1, s.tax, x.tax));
        t.row(), t.add(bars);
        t.row(), t.add(text(0, 1, s.digits, x.digits));
    } else {
        logo.span = 2;
        nested.col = 1;
        nested.rowSpan = 4;
        t.row(), t.add(logo);
        t.row(), t.add(text(0, 1, s.code, x.code)), t.add(nested);
        t.row(), t.add(text(0, 1, s.name, x.name));
        t.row(), t.add(text(0, 1, s.price, x.price));
        t.row(), t.add(text(0, 1, s.tax, x.tax));
    }
}

int columnsOf(const TagStyle &s)
{
    if (s.twoTier)
        return s.typeB ? 2 : 1;
    return s.typeB ? 3 : 2;
}

} // namespace

QRectF fixedCardBox(const PriceTagDesign &design, int indexOnPage, const label_stocks::ChosenStock *stock)
{
    return fixedBox(geometryOf(design, stock), indexOnPage, stock);
}

common::MakeResult paintSheet(const Inputs &in, QPagedPaintDevice &device, const painting::PaintOptions &options,
                              painting::PaintOutcome *outcome)
{
    using common::MakeResult;
    if (outcome)
        *outcome = painting::PaintOutcome::Failed;
    const PriceTagDesign &d = in.design;
    if (d.showLogo && !d.logoName.isEmpty()) {
        if (const QString tooLarge = common::logoTooLargeText(d.logoName); !tooLarge.isEmpty())
            return MakeResult::refusedBy(
                common::Refusal{QStringLiteral("エラー情報"), tooLarge, platform::UiServices::Icon::Critical});
    }
    SheetCards cards;
    platform::AppError e = SetSyouhin(in.rows, in.copies, d, &cards);
    if (e.isSet())
        return MakeResult::failed(QStringLiteral("CMain.SetSyouhin"), e);
    if (d.countW < 1 || d.countH < 1)
        return MakeResult::failed(reportLabel(), platform::AppError::divisionByZero());
    if (d.cardWidthFixed && !platform::toInteger16(d.cardWidth))
        return MakeResult::failed(reportLabel(), platform::isNumeric(d.cardWidth) ? platform::AppError::overflow()
                                                                                  : platform::AppError::typeMismatch());
    const painting::PaintOptions paint = painting::onStock(options, d.stock);
    const label_stocks::ChosenStock *stock = paint.stock;
    // Free tags as wide as their column plus their padding stand out past the paper's right edge; the
    // browser then lays the page out as wide as it reaches and prints it shrunk to the paper's width.
    const double paperW = mmToPx(A4WidthMm);
    double shrink = 1;
    if (!stock && d.cardWidthFixed != 1) {
        const Geometry first = geometryOf(d, nullptr, paperW);
        const double reach = BodyMargin + first.line + (first.columns - 1) * first.pitchX + CellPadding + first.divW +
                             first.padL + first.padR;
        shrink = paperW / std::max(paperW, reach);
    }
    const Geometry g = geometryOf(d, stock, paperW / shrink);
    const TagStyle style = styleOf(d);
    const qint64 perPage = qint64(g.columns) * g.rows;
    const qint64 n = cards.cardCount;
    qint64 pages = n > 0 ? (n - 1) / perPage + 1 : 1;
    painting::TextPen pen(&device);
    painting::CardTable table(pen, columnsOf(style), CardSpacing, 0);
    // A tag's table is as wide as its box inside its padding.
    const auto innerW = [&](double boxW) { return boxW - g.padL - g.padR; };

    // The cells are asked for in order: one cursor walks the runs, as the page writer does.
    int run = 0;
    qint64 usedOfRun = 0;
    auto tagAt = [&](qint64 k) -> std::optional<TagTexts> {
        if (k < cards.startOffset)
            return std::nullopt;
        while (run < SlotCount && usedOfRun >= cards.runs[size_t(run)].copies) {
            ++run;
            usedOfRun = 0;
        }
        if (run >= SlotCount)
            return std::nullopt;
        ++usedOfRun;
        const SheetCards::Run &r = cards.runs[size_t(run)];
        if (!platform::isNumeric(r.price))
            return std::nullopt;
        TagTexts t;
        t.code = r.code;
        t.name = r.name;
        t.price = QString(cards.prefix).replace(QStringLiteral("&yen;"), QStringLiteral("\u00A5")) + r.price +
                  cards.suffix + (r.reducedMark ? QStringLiteral("※") : QString());
        t.tax = cards.tax;
        t.jan = r.barcode.isEmpty() ? QString() : in.rows[size_t(run)].jan;
        t.digits = r.digits;
        return t;
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
    const double paperH = mmToPx(A4HeightMm) / shrink;
    // A tag at box. In a fixed tag that a page edge crosses (cut: the sheet's top down its table's
    // sheets) the lines and bars that would cross the edge start below it, within the tag's own height.
    auto drawTag = [&](QPainter &p, const QRectF &box, const std::optional<TagTexts> &tag, double cut = -1) {
        if (!tag)
            return;
        const bool clip = g.fixedH || stock;
        if (clip) {
            p.save();
            p.setClipRect(box);
        }
        fillTable(table, *tag, style);
        const bool edges = cut >= 0 && painting::crossesEdge(box.top() + cut, box.height(), paperH);
        table.setPageEdges(edges ? painting::nextEdge(box.top() + g.padT + cut, paperH) : 0, edges ? paperH : 0);
        table.layOut(innerW(box.width()));
        table.draw(p, QPointF(box.left() + g.padL, box.top() + g.padT));
        if (clip)
            p.restore();
    };
    // A free layout's rows are as tall as their tallest tag, and a table taller than the paper goes on
    // over the next sheets as the browser prints it: the rows of each sheet are found first, then the
    // run cursor starts again for the drawing.
    const bool grid = stock || (g.fixedW && g.fixedH);
    std::vector<std::optional<TagTexts>> row(size_t(g.columns));
    qint64 cell = 0;
    auto fillRow = [&](int count, int r) {
        double contentH = g.divH;
        for (int c = 0; c < g.columns; ++c) {
            row[size_t(c)] = r * g.columns + c < count ? tagAt(cell++) : std::nullopt;
            if (!g.fixedH && row[size_t(c)]) {
                fillTable(table, *row[size_t(c)], style);
                contentH = std::max(contentH, table.layOut(g.divWAt(c)));
            }
        }
        return contentH + g.padT + g.padB;
    };
    auto rowPitch = [&](double boxH) { return std::round(boxH + 2 * CellPadding) + g.line; };
    struct Sheetful {
        qint64 table;
        int firstRow;
        int rows;
        double cut = 0; // fixed tags: how far down the table the sheet starts
    };
    std::vector<Sheetful> sheets;
    if (!stock) {
        for (qint64 t = 0; t * perPage < n; ++t) {
            const int count = int(std::min<qint64>(perPage, n - t * perPage));
            double y = (t == 0 ? BodyMargin : 0) + g.line;
            if (g.fixedH) {
                // A table of tags of a fixed height taller than the paper goes on at the top of the
                // next sheet, rows and all, each tag as tall as ever.
                const int rows = (count + g.columns - 1) / g.columns;
                const double pitchY = grid ? g.pitchY : rowPitch(g.divH + g.padT + g.padB);
                const double tableH = y + rows * pitchY;
                for (int k = 0; k == 0 || k * paperH < tableH - 0.5; ++k)
                    sheets.push_back({t, 0, rows, k * paperH});
                continue;
            }
            sheets.push_back({t, 0, 0});
            for (int r = 0; r * g.columns < count; ++r) {
                const double h = rowPitch(fillRow(count, r));
                if (y + h > paperH && sheets.back().rows > 0) {
                    sheets.push_back({t, r, 0});
                    y = g.line;
                }
                y += h;
                ++sheets.back().rows;
            }
        }
        pages = qint64(sheets.size());
        run = 0;
        usedOfRun = 0;
        cell = 0;
    }
    int tableRun = 0;
    qint64 tableUsed = 0, tableCell = 0;
    // The first sheet of a table keeps the tag cursor; a later sheet of it draws its tags again from
    // the table's first.
    const auto startOfTable = [&](const Sheetful &s) {
        if (s.cut == 0) {
            tableRun = run;
            tableUsed = usedOfRun;
            tableCell = cell;
        } else {
            run = tableRun;
            usedOfRun = tableUsed;
            cell = tableCell;
        }
    };
    const auto paintSheetful = [&](QPainter &p, qint64 page) {
        if (grid) {
            // A stock's sheet holds one table's labels; a table of fixed tags may run over sheets,
            // whose rows start at the paper's edge. The body's margin stands above the first sheet only.
            const Sheetful s = stock ? Sheetful{page, 0, g.rows} : sheets[size_t(page)];
            startOfTable(s);
            const double top = (s.table == 0 ? 0 : -BodyMargin) - s.cut;
            const int count = int(std::min<qint64>(perPage, n - s.table * perPage));
            // The table's last row is written whole: its blank cells have their cut lines too.
            const int cellsDrawn = stock ? count : (count + g.columns - 1) / g.columns * g.columns;
            const int to = std::min(cellsDrawn, (s.firstRow + s.rows) * g.columns);
            for (int i = s.firstRow * g.columns; i < to; ++i) {
                QRectF box = fixedBox(g, i, stock);
                if (!stock) {
                    box.translate(0, top);
                    if (box.top() - g.pitchY > paperH) {
                        if (i < count)
                            tagAt(cell++);
                        continue;
                    }
                    cutLines(p, QRectF(box.left() - CellPadding - g.line / 2, box.top() - CellPadding - g.line / 2,
                                       g.pitchX, g.pitchY));
                }
                if (i < count)
                    drawTag(p, box, tagAt(cell++), stock ? -1 : s.cut);
            }
            return;
        }
        const Sheetful &s = sheets[size_t(page)];
        const int count = int(std::min<qint64>(perPage, n - s.table * perPage));
        startOfTable(s);
        double y = (s.cut > 0 ? (s.table == 0 ? BodyMargin : 0) : (page == 0 ? BodyMargin : 0)) + g.line - s.cut;
        for (int r = s.firstRow; r < s.firstRow + s.rows; ++r) {
            const double boxH = fillRow(count, r);
            const double pitchY = rowPitch(boxH);
            if (y + pitchY < 0 || y > paperH) {
                y += pitchY;
                continue;
            }
            for (int c = 0; c < g.columns; ++c) {
                const double x = BodyMargin + g.line + g.left(c) + CellPadding;
                cutLines(p, QRectF(x - CellPadding - g.line / 2, y - g.line / 2, g.pitch(c), pitchY));
                drawTag(p, QRectF(x, y + CellPadding, g.divWAt(c) + g.padL + g.padR, boxH), row[size_t(c)],
                        g.fixedH ? s.cut : -1);
            }
            y += pitchY;
        }
    };
    const auto paintPage = painting::atScale(shrink, paintSheetful);
    return painting::paintedResult(painting::paintPages(device, pages, paint, paintPage, &e), reportLabel(), e,
                                   outcome);
}

painting::SheetPainter sheetPainter(const std::optional<Inputs> &lastMade)
{
    return painting::bindSheet(&paintSheet, lastMade);
}

common::MakeResult makePdf(const Inputs &in, const QString &pdfPath, const painting::PaintOptions &options,
                           painting::PaintOutcome *outcome)
{
    return painting::makePdfWith(sheetPainter(in), pdfPath, options, reportLabel(), outcome);
}

} // namespace price_tags
