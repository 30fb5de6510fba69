#include "painting/columns.h"

#include <algorithm>
#include <cmath>

namespace painting {

namespace {

// A cell's width a hair above a whole pixel, from summing in floating point, is that pixel.
constexpr double kSlack = 1e-6;

// a * b / c cut to the whole pixel, towards zero.
double cut(double a, double b, double c)
{
    return std::trunc(a * b / c);
}

} // namespace

ColumnWidths wholePixels(ColumnWidths cell)
{
    return {std::ceil(cell.min - kSlack), std::ceil(cell.max - kSlack)};
}

void encompass(ColumnWidths &column, ColumnWidths cell)
{
    const ColumnWidths w = wholePixels(cell);
    column.min = std::max(column.min, w.min);
    column.max = std::max({column.max, w.max, column.min});
}

void spreadSpan(std::vector<ColumnWidths> &c, int first, int last, double spacing, ColumnWidths cell)
{
    // The spacing between the spanned columns is the cell's, not theirs.
    const ColumnWidths whole = wholePixels(cell);
    double cellMin = whole.min - (last - first) * spacing;
    double cellMax = whole.max - (last - first) * spacing;
    double spanMin = 0, spanMax = 0;
    for (int i = first; i <= last; ++i) {
        spanMin += c[size_t(i)].min;
        spanMax += c[size_t(i)].max;
    }
    if (cellMin > spanMin) {
        double restMax = spanMax, restMin = spanMin;
        for (int i = first; i <= last && restMax >= 0 && restMin < cellMin; ++i) {
            ColumnWidths &col = c[size_t(i)];
            double w = std::max(col.min, restMax > 0 ? cut(cellMin, col.max, restMax) : cellMin);
            w = std::min(col.min + (cellMin - restMin), w);
            restMax -= col.max;
            restMin -= col.min;
            cellMin -= w;
            col.min = w;
        }
    }
    if (cellMax > spanMax) {
        for (int i = first; i <= last && spanMax >= 0; ++i) {
            ColumnWidths &col = c[size_t(i)];
            const double w = std::max(col.max, spanMax > 0 ? cut(cellMax, col.max, spanMax) : cellMax);
            spanMax -= col.max;
            cellMax -= w;
            col.max = w;
        }
    }
}

std::vector<double> autoColumns(const std::vector<ColumnWidths> &c, double width)
{
    const size_t n = c.size();
    std::vector<double> out(n, 0);
    double available = std::floor(width + kSlack);
    double mins = 0, total = 0;
    for (size_t i = 0; i < n; ++i) {
        out[i] = c[i].min;
        mins += c[i].min;
        total += c[i].max;
    }
    if (available > mins && total > 0) {
        for (size_t i = 0; i < n; ++i) {
            if (total <= 0)
                break;
            const double w = std::max(out[i], cut(available, c[i].max, total));
            available -= w;
            total -= c[i].max;
            out[i] = w;
        }
    } else {
        available -= mins;
    }
    // Columns without any width of their own share what is left evenly, from the last one.
    if (available > 0) {
        for (size_t k = n; k > 0; --k) {
            const double w = std::floor(available / double(k));
            available -= w;
            out[k - 1] += w;
        }
    }
    if (available < 0) {
        double beyond = 0;
        for (size_t i = 0; i < n; ++i)
            beyond += out[i] - c[i].min;
        for (size_t k = n; k > 0 && beyond > 0; --k) {
            const double above = out[k - 1] - c[k - 1].min;
            const double give = cut(available, above, beyond);
            out[k - 1] += give;
            available -= give;
            beyond -= above;
            if (available >= 0)
                break;
        }
    }
    return out;
}

std::vector<double> fixedColumns(double width, int count)
{
    std::vector<double> out;
    double left = std::max(0.0, std::floor(width + kSlack));
    for (int k = count; k > 0; --k) {
        const double w = std::floor(left / k);
        out.push_back(w);
        left -= w;
    }
    return out;
}

} // namespace painting
