#include "painting/columns.h"

#include <algorithm>

namespace painting {

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
    if (sumMax >= width) {
        // Between the mins and the maxes; exactly the maxes are taken as they are, unrounded.
        const double grow = sumMax - sumMin;
        for (int i = 0; i < n; ++i) {
            const ColumnWidths &w = c[size_t(first + i)];
            if (sumMax == width)
                out[size_t(i)] = w.max;
            else
                out[size_t(i)] = w.min + (grow > 0 ? (width - sumMin) * (w.max - w.min) / grow : (width - sumMin) / n);
        }
        return out;
    }
    for (int i = 0; i < n; ++i) {
        const ColumnWidths &w = c[size_t(first + i)];
        out[size_t(i)] = w.max + (sumMax > 0 ? (width - sumMax) * w.max / sumMax : (width - sumMax) / n);
    }
    return out;
}

std::vector<double> autoColumns(const std::vector<ColumnWidths> &columns, double width)
{
    return shareWidth(columns, 0, int(columns.size()) - 1, width);
}

void spreadSpan(std::vector<ColumnWidths> &c, int first, int last, double spacing, ColumnWidths cell)
{
    // The spacing between the spanned columns is the cell's, not theirs.
    const double inner = (last - first) * spacing;
    const std::vector<double> mins = shareWidth(c, first, last, std::max(0.0, cell.min - inner));
    for (int i = first; i <= last; ++i)
        c[size_t(i)].min = std::max(c[size_t(i)].min, mins[size_t(i - first)]);
    const std::vector<double> maxes = shareWidth(c, first, last, std::max(0.0, cell.max - inner));
    for (int i = first; i <= last; ++i)
        c[size_t(i)].max = std::max({c[size_t(i)].min, c[size_t(i)].max, maxes[size_t(i - first)]});
}

} // namespace painting
