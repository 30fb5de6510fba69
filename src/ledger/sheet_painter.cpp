#include "ledger/sheet_painter.h"

#include "painting/card_table.h"
#include "painting/units.h"
#include "platform/numbers.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ledger {

namespace {

constexpr double BodyMargin = 8;
constexpr double A4WidthMm = 210;
constexpr double A4HeightMm = 297;
constexpr double Line = 1; // the ruled lines, 1 px, collapsed

} // namespace

common::MakeResult paintSheet(const Inputs &in, QPagedPaintDevice &device, const painting::PaintOptions &options,
                              painting::PaintOutcome *outcome)
{
    using common::MakeResult;
    if (outcome)
        *outcome = painting::PaintOutcome::Failed;
    if (const common::Refusal refusal = check(in); refusal.refused())
        return MakeResult::refusedBy(refusal);
    const QString setSyouhinLabel = QStringLiteral("frmdaicyo.SetSyouhin");
    if (const platform::AppError unstorable = products::unstorableTextForMakers(in.rows); unstorable.isSet())
        return MakeResult::failed(setSyouhinLabel, unstorable);
    const products::ProductList chosen = products::rowsForMakers(in.rows);
    const LedgerDesign &s = in.design;
    platform::AppError e;
    {
        // Every price is worked out before the first page, as the page writer reports them first.
        LedgerRow row;
        for (const products::Product &p : chosen) {
            if (!fillRow(p, in.tax, s.barcodeHeight, &row, &e))
                return MakeResult::failed(setSyouhinLabel, e);
        }
    }
    const qint64 n = chosen.size();
    const qint64 perPage = s.rowsPerPage;
    const qint64 pages = n > 0 ? (n - 1) / perPage + 1 : 1;
    const qint64 firstNumber = platform::toWholeNumber(in.start).value_or(1);

    using painting::TextFace;
    const QString family = s.fontName;
    TextFace th = painting::faceOf(QStringLiteral("通常"), QString::number(s.fontSize - 1) + QStringLiteral("pt"),
                                   family, QStringLiteral("#000000"), QStringLiteral("center"));
    TextFace td = painting::faceOf(QStringLiteral("通常"), QString::number(s.fontSize) + QStringLiteral("pt"), family,
                                   QStringLiteral("#000000"), QStringLiteral("left"));
    TextFace right = td, centre = td;
    right.align = Qt::AlignRight;
    centre.align = Qt::AlignHCenter;
    TextFace note = painting::faceOf(QStringLiteral("通常"), QStringLiteral("12pt"), QString(), QString(), QString());
    const QColor back(s.backColor);
    const QColor line(s.lineColor);
    const double tableW = painting::mmToPx(A4WidthMm) - 2 * BodyMargin;
    // The first row gives the columns 20 %, 35 %, 20 % over two and 20 %; the browser scales the 95 %
    // up to the whole table.
    const double unit = (tableW - 6 * Line) / 95.0;
    const std::vector<double> widths{20 * unit, 35 * unit, 10 * unit, 10 * unit, 20 * unit};
    painting::TextPen pen(&device);
    // The web engine cuts a table cell's padding to whole pixels (2 mm pads 7 px).
    painting::CardTable table(pen, 5, Line, std::floor(painting::mmToPx(s.padding)));
    table.setFixedColumns(widths);
    table.setBorders(line);
    using painting::CardCell;
    auto text = [](int col, int span, int rowSpan, const TextFace &face, const QString &value, const QColor &bg) {
        CardCell c;
        c.col = col;
        c.span = span;
        c.rowSpan = rowSpan;
        c.face = &face;
        c.text = value;
        c.background = bg;
        return c;
    };
    bool anyReduced = false;
    const QColor white(Qt::white);
    // The body's margin stands above the first sheet only; later tables start at the paper's edge.
    const auto tableTop = [](qint64 page) { return page == 0 ? BodyMargin : 0.0; };
    const double paperH = painting::mmToPx(A4HeightMm);
    // Fills the table with one page of rows.
    const auto fillTable = [&](qint64 page) {
        table.clear();
        table.row();
        table.add(text(0, 1, 2, th, QStringLiteral("品番等"), back));
        table.add(text(1, 1, 1, th, QStringLiteral("商品名"), back));
        table.add(text(2, 2, 1, th, QStringLiteral("税込価格"), back));
        table.add(text(4, 1, 2, th, QStringLiteral("JANコード"), back));
        table.row();
        table.add(text(1, 1, 1, th, QStringLiteral("備　考"), back));
        table.add(text(2, 1, 1, th, QStringLiteral("本体価格"), back));
        table.add(text(3, 1, 1, th, QStringLiteral("消費税"), back));
        const qint64 first = page * perPage;
        const qint64 last = std::min(n, first + perPage);
        LedgerRow r;
        for (qint64 j = first; j < last; ++j) {
            fillRow(chosen.at(j), in.tax, s.barcodeHeight, &r, &e);
            anyReduced = anyReduced || r.reduced;
            table.row();
            table.add(text(0, 1, 2, td, r.code, white));
            table.add(text(1, 1, 1, td, r.name + (r.reduced ? QStringLiteral("※") : QString()), white));
            table.add(text(2, 2, 1, right, r.included, white));
            CardCell code;
            code.kind = CardCell::BarsAndDigits;
            code.col = 4;
            code.rowSpan = 2;
            code.face = &centre;
            code.text = r.barcode.isEmpty() ? QString() : r.jan;
            code.digits = r.jan;
            code.imageHeight = s.barcodeHeight;
            code.nestedPadding = 0;
            code.background = white;
            table.add(code);
            table.row();
            table.add(text(1, 1, 1, td, r.remarks, white));
            table.add(text(2, 1, 1, right, r.base, white));
            table.add(text(3, 1, 1, right, r.tax, white));
        }
        if (s.pageNumbers == 1) {
            table.row();
            table.add(text(0, 5, 1, centre,
                           QStringLiteral("- ") + QString::number(firstNumber + page) + QStringLiteral(" -"), white));
        }
        table.setPageEdges(paperH - tableTop(page), paperH);
        return table.layOut(tableW);
    };
    const double noteGap = 16;
    // A page taller than the paper (large type, wide paddings, many rows) goes on over the next sheets
    // instead of losing its last rows: each sheet shows the slice of its page's table from cut down,
    // the paper's height further each time. A line or a barcode that would cross the edge starts the
    // next sheet, its row grown by as much, as the browser prints it.
    struct Slice {
        qint64 page;
        double cut; // the sheet's top, down the page
    };
    std::vector<Slice> sheets;
    for (qint64 page = 0; page < pages; ++page) {
        double bottom = tableTop(page) + fillTable(page);
        if (page == pages - 1 && anyReduced)
            bottom += noteGap + pen.lineHeight(note);
        for (int k = 0; k == 0 || bottom > k * paperH + 0.5; ++k)
            sheets.push_back({page, k * paperH});
    }
    qint64 filled = -1; // the page the table holds, laid out h tall
    double h = 0;
    const auto paintSlice = [&](QPainter &p, qint64 sheet) {
        const Slice &slice = sheets[size_t(sheet)];
        if (filled != slice.page) {
            h = fillTable(slice.page);
            filled = slice.page;
        }
        const double top = tableTop(slice.page) - slice.cut;
        table.draw(p, QPointF(BodyMargin, top), 0, paperH);
        if (slice.page == pages - 1 && anyReduced && top + h + noteGap < paperH && top + h + noteGap >= 0)
            pen.draw(p, QRectF(BodyMargin, top + h + noteGap, tableW, 100), note, reducedRateNote(in.tax.reducedRate));
    };
    return painting::paintedResult(painting::paintPages(device, qint64(sheets.size()), options, paintSlice, &e),
                                   reportLabel(), e, outcome);
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

} // namespace ledger
