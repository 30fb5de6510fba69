#pragma once

// Column widths of a table the browser lays out automatically at a given width, as the web engine's
// automatic table layout counts them: in whole pixels throughout.

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
// A cell spanning columns first … last, spacing apart, with its own min and max (padding included), in
// whole pixels. Where its min is more than the columns' mins together, it is given out from the first
// column on, each column taking its part of what is left in proportion to its max (never less than its
// own min, never more than its min plus what the cell still lacks); where its max is more than their
// maxes, likewise in proportion to their maxes. Each part is cut to the whole pixel below. Cells are
// to be spread from the narrowest span to the widest; among cells of one span, the one met last
// (columns left to right, each top to bottom) first.
void spreadSpan(std::vector<ColumnWidths> &columns, int first, int last, double spacing, ColumnWidths cell);
// The widths of all the columns of a table width wide (spacing excluded). The width is taken in whole
// pixels; its fraction stays unused at the right. Each column has its min; if there is more, the whole
// width is given out from the first column on, each column taking its part of what is left in
// proportion to its max, cut to the whole pixel below, but never less than its min, so that the last
// column takes the rest. Where the mins so taken overshoot, the columns give back from the last one on,
// in proportion to how far each stands above its min. The mins matter only when the maxes together
// are wider than the table.
std::vector<double> autoColumns(const std::vector<ColumnWidths> &columns, double width);
// The widths of count columns of a table laid out fixed (no column with a width of its own) at width:
// the width cut to a whole pixel, then each column in turn an equal share of what is left, cut to a
// whole pixel, so that the last ones take the pixels over (777 px over five columns: 155, 155, 155,
// 156, 156).
std::vector<double> fixedColumns(double width, int count);

} // namespace painting
