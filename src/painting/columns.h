#pragma once

// Column widths of a table the browser lays out automatically at a given width.

#include <vector>

namespace painting {

// Each column's widths (padding included): narrowest it can be (min) and its unbroken content
// (max). Spare width goes to the columns in proportion to their max widths; a table too narrow for
// the max widths shares what it has between min and max, as the browser's automatic table layout does.
std::vector<double> autoColumns(const std::vector<double> &minWidths, const std::vector<double> &maxWidths,
                                double width);
// Widens columns first … last so that together they are at least spanMax wide (a cell spanning
// them), in proportion to their widths.
void spreadSpan(std::vector<double> &widths, int first, int last, double spanMax);

} // namespace painting
