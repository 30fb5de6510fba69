#include "painting/columns.h"

#include <algorithm>
#include <cmath>

namespace painting {

namespace {

// Exact shares are summed in floating point; a sum a hair under a whole pixel is that pixel.
constexpr double kSlack = 1e-6;

// extra shared out over the columns in proportion to weights (evenly where they are all zero), each
// column's share ending at the whole pixel below its exact end, the last column taking the rest.
std::vector<double> wholePixelShares(const std::vector<double> &weights, double extra)
{
    const size_t n = weights.size();
    std::vector<double> out(n, 0);
    if (n == 0)
        return out;
    double total = 0;
    for (double w : weights)
        total += w;
    double exact = 0, given = 0;
    for (size_t i = 0; i + 1 < n; ++i) {
        exact += total > 0 ? extra * weights[i] / total : extra / double(n);
        const double end = std::floor(exact + kSlack);
        out[i] = end - given;
        given = end;
    }
    out[n - 1] = extra - given;
    return out;
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

std::vector<double> shareWidth(const std::vector<ColumnWidths> &c, int first, int last, double width)
{
    const int n = last - first + 1;
    std::vector<double> out(size_t(std::max(n, 0)), 0);
    if (n <= 0)
        return out;
    double sumMin = 0, sumMax = 0;
    for (int i = first; i <= last; ++i) {
        sumMin += c[size_t(i)].min;
        sumMax += c[size_t(i)].max;
    }
    if (sumMin >= width) {
        for (int i = 0; i < n; ++i)
            out[size_t(i)] = c[size_t(first + i)].min;
        return out;
    }
    std::vector<double> weights(size_t(n), 0);
    if (sumMax >= width) {
        // Between the mins and the maxes; exactly the maxes are taken as they are.
        if (sumMax == width) {
            for (int i = 0; i < n; ++i)
                out[size_t(i)] = c[size_t(first + i)].max;
            return out;
        }
        for (int i = 0; i < n; ++i)
            weights[size_t(i)] = c[size_t(first + i)].max - c[size_t(first + i)].min;
        const std::vector<double> grow = wholePixelShares(weights, width - sumMin);
        for (int i = 0; i < n; ++i)
            out[size_t(i)] = c[size_t(first + i)].min + grow[size_t(i)];
        return out;
    }
    for (int i = 0; i < n; ++i)
        weights[size_t(i)] = c[size_t(first + i)].max;
    const std::vector<double> grow = wholePixelShares(weights, width - sumMax);
    for (int i = 0; i < n; ++i)
        out[size_t(i)] = c[size_t(first + i)].max + grow[size_t(i)];
    return out;
}

std::vector<double> autoColumns(const std::vector<ColumnWidths> &columns, double width)
{
    return shareWidth(columns, 0, int(columns.size()) - 1, width);
}

void spreadSpan(std::vector<ColumnWidths> &c, int first, int last, double spacing, ColumnWidths cell)
{
    // The spacing between the spanned columns is the cell's, not theirs.
    const ColumnWidths whole = wholePixels(cell);
    const double inner = (last - first) * spacing;
    const std::vector<double> mins = shareWidth(c, first, last, std::max(0.0, whole.min - inner));
    for (int i = first; i <= last; ++i)
        c[size_t(i)].min = std::max(c[size_t(i)].min, mins[size_t(i - first)]);
    const std::vector<double> maxes = shareWidth(c, first, last, std::max(0.0, whole.max - inner));
    for (int i = first; i <= last; ++i)
        c[size_t(i)].max = std::max({c[size_t(i)].min, c[size_t(i)].max, maxes[size_t(i - first)]});
}

} // namespace painting
