#pragma once

// Column widths of a table the browser lays out automatically at a given width.

#include <vector>

namespace painting {

// One column's widths, padding included: the narrowest it can be (min) and its content unbroken (max).
struct ColumnWidths {
    double min = 0;
    double max = 0;
};

// The widths of columns first … last (inclusive) that together fill width, as the browser's automatic
// table layout shares it: never below their mins; up to their maxes in proportion to what each lacks
// of its max; beyond them in proportion to their maxes. Columns with nothing to grow by share evenly.
std::vector<double> shareWidth(const std::vector<ColumnWidths> &columns, int first, int last, double width);
// The widths of all the columns at width.
std::vector<double> autoColumns(const std::vector<ColumnWidths> &columns, double width);
// A cell spanning columns first … last, spacing apart, with its own min and max (padding included):
// its min and its max are each shared out over the columns as above, and a column takes the larger of
// its own and its share. Cells are to be spread from the narrowest span to the widest, left to right.
void spreadSpan(std::vector<ColumnWidths> &columns, int first, int last, double spacing, ColumnWidths cell);

} // namespace painting
