#include "painting/card_table.h"

#include "painting/barcode_bars.h"
#include "painting/borders.h"
#include "painting/columns.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace painting {

double CardTable::contentWidth(const CardCell &c) const
{
    switch (c.kind) {
    case CardCell::Text:
        return c.text.isEmpty() ? 0 : pen_.width(*c.face, c.text);
    case CardCell::Bars:
        return barsWidth(c.text);
    case CardCell::Image:
        return c.imageWidth;
    case CardCell::BarsAndDigits:
        return std::max(barsWidth(c.text), c.digits.isEmpty() ? 0.0 : pen_.width(*c.face, c.digits)) +
               2 * c.nestedPadding;
    }
    return 0;
}

double CardTable::cellWidth(const CardCell &c) const
{
    return colX_[size_t(c.col + c.span)] - colX_[size_t(c.col)] - spacing_;
}

double CardTable::contentHeight(const CardCell &c, double width) const
{
    switch (c.kind) {
    case CardCell::Text:
        return pen_.height(*c.face, c.text, width);
    case CardCell::Bars:
        // As tall as the lines the browser breaks the row of images into; the bars themselves are
        // drawn whole on the first, so that they still scan.
        return barLines(c.text, width) * c.imageHeight;
    case CardCell::Image:
        return c.imageHeight;
    case CardCell::BarsAndDigits:
        return nestedBarsHeight(c, width) + 2 * c.nestedPadding +
               pen_.height(*c.face, c.digits, width - 2 * c.nestedPadding) + 2 * c.nestedPadding;
    }
    return 0;
}

double CardTable::nestedBarsHeight(const CardCell &c, double width) const
{
    // The nested table's bars are a row of images in a cell of its own, broken over lines as a card's
    // bars are; they are drawn whole on the first line.
    return barLines(c.text, width - 2 * c.nestedPadding) * c.imageHeight;
}

double CardTable::minContentWidth(const CardCell &c) const
{
    switch (c.kind) {
    case CardCell::Bars:
        return widestBarImage(c.text);
    case CardCell::BarsAndDigits:
        // The nested table as narrow as its bars' widest image or its digits' widest piece.
        return std::max(widestBarImage(c.text), c.digits.isEmpty() ? 0.0 : pen_.minWidth(*c.face, c.digits)) +
               2 * c.nestedPadding;
    case CardCell::Text:
        return c.text.isEmpty() ? 0 : pen_.minWidth(*c.face, c.text);
    case CardCell::Image:
        break;
    }
    return contentWidth(c);
}

double CardTable::layOut(double width)
{
    // The browser's automatic table layout: each column's min and max from the cells of its own (in
    // whole pixels), then the cells spanning columns spread over them, narrowest span first and, among
    // cells of one span, the one met last (columns left to right, each top to bottom) first; then the
    // table's width shared out. The mins tell only when the maxes do not fit (a width that holds every
    // max gives each column at least its max, and a span's max is spread by the maxes alone), so a
    // text's min is measured only then.
    struct Span {
        size_t row;
        const CardCell *cell;
    };
    std::vector<Span> spans;
    for (size_t r = 0; r < rows_.size(); ++r)
        for (const CardCell &c : rows_[r])
            if (c.span > 1)
                spans.push_back({r, &c});
    std::sort(spans.begin(), spans.end(), [](const Span &a, const Span &b) {
        if (a.cell->span != b.cell->span)
            return a.cell->span < b.cell->span;
        if (a.cell->col != b.cell->col)
            return a.cell->col > b.cell->col;
        return a.row > b.row;
    });
    const double available = width - (columns_ + 1) * spacing_;
    std::vector<ColumnWidths> cols;
    auto measure = [&](bool withMin) {
        cols.assign(size_t(columns_), wholePixels({2 * padding_, 2 * padding_}));
        auto widths = [&](const CardCell &c) {
            const double max = contentWidth(c) + 2 * padding_;
            return ColumnWidths{withMin ? minContentWidth(c) + 2 * padding_ : 0, max};
        };
        for (const auto &row : rows_) {
            for (const CardCell &c : row) {
                if (c.span == 1 && c.col < columns_)
                    encompass(cols[size_t(c.col)], widths(c));
            }
        }
        if (!withMin)
            for (auto &col : cols)
                col.min = 0;
        for (const Span &s : spans)
            spreadSpan(cols, s.cell->col, std::min(columns_, s.cell->col + s.cell->span) - 1, spacing_,
                       widths(*s.cell));
    };
    std::vector<double> widths = fixed_;
    if (widths.size() != size_t(columns_)) {
        measure(false);
        double sumMax = 0;
        for (const auto &col : cols)
            sumMax += col.max;
        if (sumMax > std::floor(available + 1e-6))
            measure(true);
        widths = autoColumns(cols, available);
    }
    // colX_ holds each column's left edge; a cell spanning columns takes the spacing between them.
    colX_.assign(size_t(columns_) + 1, spacing_);
    for (int i = 0; i < columns_; ++i)
        colX_[size_t(i) + 1] = colX_[size_t(i)] + widths[size_t(i)] + spacing_;
    rowH_.assign(rows_.size(), 0);
    for (size_t r = 0; r < rows_.size(); ++r) {
        for (const CardCell &c : rows_[r]) {
            if (c.rowSpan == 1)
                rowH_[r] = std::max(rowH_[r], contentHeight(c, cellWidth(c) - 2 * padding_) + 2 * padding_);
        }
    }
    // A cell over several rows that is taller than they are makes them taller, each in proportion.
    for (size_t r = 0; r < rows_.size(); ++r) {
        for (const CardCell &c : rows_[r]) {
            if (c.rowSpan == 1)
                continue;
            const size_t last = std::min(rows_.size(), r + size_t(c.rowSpan));
            double sum = (last - r - 1) * spacing_;
            for (size_t k = r; k < last; ++k)
                sum += rowH_[k];
            const double need = contentHeight(c, cellWidth(c) - 2 * padding_) + 2 * padding_;
            if (need <= sum)
                continue;
            const double rows = sum - (last - r - 1) * spacing_;
            for (size_t k = r; k < last; ++k)
                rowH_[k] += rows > 0 ? (need - sum) * rowH_[k] / rows : (need - sum) / double(last - r);
        }
    }
    rowY_.assign(rows_.size(), 0);
    double y = spacing_;
    for (size_t r = 0; r < rows_.size(); ++r) {
        rowY_[r] = y;
        y += rowH_[r] + spacing_;
    }
    moved_.clear();
    // A table that ends above the first edge has nothing to move.
    growth_ = edgePitch_ > 0 && y > edgeFirst_ ? breakAtEdges() : 0;
    return y + growth_;
}

double CardTable::laidSpan(size_t row, const CardCell &c) const
{
    const size_t last = std::min(rows_.size(), row + size_t(c.rowSpan)) - 1;
    double h = double(last - row) * spacing_;
    for (size_t k = row; k <= last; ++k)
        h += laidH_[k];
    return h;
}

void CardTable::contentBoxes(const CardCell &c, double width, std::vector<std::pair<double, double>> &boxes) const
{
    const auto lines = [&](const QString &text, double top, double w) {
        const double lh = pen_.lineHeight(*c.face);
        const int n = text.isEmpty() ? 0 : pen_.lineCount(*c.face, text, w);
        for (int i = 0; i < n; ++i)
            boxes.emplace_back(top + i * lh, lh);
    };
    switch (c.kind) {
    case CardCell::Text:
        lines(c.text, 0, width);
        break;
    case CardCell::Bars:
    case CardCell::Image:
        if (const double h = contentHeight(c, width); h > 0)
            boxes.emplace_back(0, h);
        break;
    case CardCell::BarsAndDigits: {
        const double barsH = nestedBarsHeight(c, width);
        const double p = c.nestedPadding;
        if (barsH > 0)
            boxes.emplace_back(p, barsH);
        lines(c.digits, barsH + 3 * p, width - 2 * p);
        break;
    }
    }
}

double CardTable::breakAtEdges()
{
    // How far a box from top, h tall, moves to start at the first edge below its top when it would
    // cross that edge; a box taller than a page stays, to be cut.
    const auto push = [this](double top, double h) {
        if (h <= 0 || h > edgePitch_)
            return 0.0;
        const double k = std::max(0.0, std::floor((top - edgeFirst_) / edgePitch_) + 1);
        const double edge = edgeFirst_ + k * edgePitch_;
        return edge < top + h - 0.01 ? edge - top : 0.0;
    };
    const size_t n = rows_.size();
    laidH_ = rowH_;
    std::vector<double> grow(n, 0);
    // Cells over several rows grow the last of them, by what the rows above have not grown already.
    struct Pending {
        size_t first, last;
        double need;
    };
    std::vector<Pending> pending;
    std::vector<std::pair<double, double>> boxes;
    double shift = 0;
    for (size_t r = 0; r < n; ++r) {
        rowY_[r] += shift;
        for (size_t i = 0; i < rows_[r].size(); ++i) {
            const CardCell &c = rows_[r][i];
            const size_t last = std::min(n, r + size_t(c.rowSpan)) - 1;
            const double inner = cellWidth(c) - 2 * padding_;
            // A cell that an edge crosses has its content at its top, not centred: the browser
            // aligns a cell broken over two pages that way.
            const double span = laidSpan(r, c);
            const bool broken = push(rowY_[r], span) > 0;
            Moved m{r, i, padding_ + (broken ? 0 : (span - 2 * padding_ - contentHeight(c, inner)) / 2), {}};
            boxes.clear();
            contentBoxes(c, inner, boxes);
            double moved = 0;
            for (const auto &[offset, h] : boxes) {
                moved += push(rowY_[r] + m.lead + offset + moved, h);
                m.shift.push_back(moved);
            }
            if (moved > 0)
                pending.push_back({r, last, moved});
            if (moved > 0 || broken)
                moved_.push_back(std::move(m));
        }
        for (const Pending &p : pending) {
            if (p.last != r)
                continue;
            double given = 0;
            for (size_t k = p.first; k < r; ++k)
                given += grow[k];
            grow[r] = std::max(grow[r], p.need - given);
        }
        rowH_[r] += grow[r];
        shift += grow[r];
    }
    return shift;
}

void CardTable::draw(QPainter &painter, const QPointF &origin, double top, double bottom) const
{
    for (size_t r = 0; r < rows_.size(); ++r) {
        const double y = origin.y() + rowY_[r];
        for (size_t i = 0; i < rows_[r].size(); ++i) {
            const CardCell &c = rows_[r][i];
            const size_t last = std::min(rows_.size(), r + size_t(c.rowSpan)) - 1;
            const double rowH = rowY_[last] + rowH_[last] - rowY_[r];
            const QRectF cell(origin.x() + colX_[size_t(c.col)], y, cellWidth(c), rowH);
            if (cell.bottom() <= top || cell.top() >= bottom)
                continue;
            // The paper is white: a white cell needs no paint.
            if (c.background.isValid() && c.background != Qt::white)
                painter.fillRect(cell, c.background);
            if (borders_.isValid() && spacing_ > 0) {
                const double h = spacing_ / 2;
                painter.save();
                painter.setPen(ruledPen(borders_, spacing_));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(cell.adjusted(-h, -h, h, h));
                painter.restore();
            }
            const QRectF content = cell.adjusted(padding_, padding_, -padding_, -padding_);
            const double h = contentHeight(c, content.width());
            double y0 = content.top() + (content.height() - h) / 2;
            // A cell moved at a page edge keeps its content where it was laid out, each box moved on.
            const Moved *m = nullptr;
            for (const Moved &k : moved_)
                if (k.row == r && k.cell == i)
                    m = &k;
            static const std::vector<double> none;
            const std::vector<double> &shift = m ? m->shift : none;
            if (m)
                y0 = cell.top() + m->lead;
            else if (growth_ > 0)
                y0 = cell.top() + padding_ + (laidSpan(r, c) - 2 * padding_ - h) / 2;
            const double first = shift.empty() ? 0 : shift.front();
            switch (c.kind) {
            case CardCell::Text:
                pen_.draw(painter, QRectF(content.left(), y0, content.width(), h), *c.face, c.text, &shift);
                break;
            case CardCell::Bars:
            case CardCell::Image: {
                const double w = contentWidth(c);
                double x = content.left();
                if (c.align & Qt::AlignHCenter)
                    x += (content.width() - w) / 2;
                else if (c.align & Qt::AlignRight)
                    x = content.right() - w;
                if (c.kind == CardCell::Bars)
                    drawBars(painter, QPointF(x, y0 + first), c.imageHeight, c.text);
                else if (c.image && !c.image->isNull())
                    painter.drawImage(QRectF(x, y0 + first, c.imageWidth, c.imageHeight), *c.image);
                break;
            }
            case CardCell::BarsAndDigits: {
                const double barsH = nestedBarsHeight(c, content.width());
                const double w = barsWidth(c.text);
                const double p = c.nestedPadding;
                drawBars(painter, QPointF(content.left() + (content.width() - w) / 2, y0 + p + first), c.imageHeight,
                         c.text);
                const QRectF digits(content.left() + p, y0 + barsH + 3 * p, content.width() - 2 * p, h);
                std::vector<double> digitShift;
                if (m)
                    digitShift.assign(shift.begin() + (barsH > 0 ? 1 : 0), shift.end());
                pen_.draw(painter, digits, *c.face, c.digits, m ? &digitShift : nullptr);
                break;
            }
            }
        }
    }
}

double nextEdge(double y, double paperH)
{
    return paperH * (std::floor(y / paperH) + 1) - y;
}

bool crossesEdge(double y, double h, double paperH)
{
    return std::floor(y / paperH) != std::floor((y + h - 0.01) / paperH);
}

} // namespace painting
