#pragma once

// Column widths of a table the browser lays out automatically at a given width.

#include <vector>

namespace painting {

// One column's widths, padding included: the narrowest it can be (min) and its content unbroken (max).
struct ColumnWidths {
    double min = 0;
    double max = 0;
};

// A cell's widths as the web engine's table layout takes them: each rounded up to a whole pixel.
ColumnWidths wholePixels(ColumnWidths cell);
// A cell of one column taken into the column's widths: the larger min, the larger max, max at least min.
void encompass(ColumnWidths &column, ColumnWidths cell);
// The widths of columns first … last (inclusive) that together fill width, as the web engine's
// automatic table layout shares it: never below their mins; up to their maxes in proportion to what
// each lacks of its max; beyond them in proportion to their maxes; columns with nothing to grow by share
// evenly. What is shared out is counted in whole pixels from the first column: a column's share ends
// at the whole pixel below where its exact share would end, and the last column takes the rest.
std::vector<double> shareWidth(const std::vector<ColumnWidths> &columns, int first, int last, double width);
// The widths of all the columns at width.
std::vector<double> autoColumns(const std::vector<ColumnWidths> &columns, double width);
// A cell spanning columns first … last, spacing apart, with its own min and max (padding included):
// its min and its max, in whole pixels, are each shared out over the columns as above, and a column
// takes the larger of its own and its share. Cells are to be spread from the narrowest span to the
// widest, left to right.
void spreadSpan(std::vector<ColumnWidths> &columns, int first, int last, double spacing, ColumnWidths cell);

} // namespace painting
