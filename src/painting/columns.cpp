#include "painting/columns.h"

#include <algorithm>
#include <numeric>

namespace painting {

std::vector<double> autoColumns(const std::vector<double> &minW, const std::vector<double> &maxW, double width)
{
    const size_t n = maxW.size();
    std::vector<double> out(n, 0);
    if (n == 0)
        return out;
    const double sumMax = std::accumulate(maxW.begin(), maxW.end(), 0.0);
    const double sumMin = std::accumulate(minW.begin(), minW.end(), 0.0);
    if (sumMax <= width) {
        for (size_t i = 0; i < n; ++i)
            out[i] = sumMax > 0 ? maxW[i] + (width - sumMax) * maxW[i] / sumMax : width / n;
        return out;
    }
    if (sumMin >= width || sumMax <= sumMin)
        return minW;
    const double f = (width - sumMin) / (sumMax - sumMin);
    for (size_t i = 0; i < n; ++i)
        out[i] = minW[i] + (maxW[i] - minW[i]) * f;
    return out;
}

void spreadSpan(std::vector<double> &w, int first, int last, double spanMax)
{
    double sum = 0;
    for (int i = first; i <= last; ++i)
        sum += w[size_t(i)];
    if (spanMax <= sum)
        return;
    const int count = last - first + 1;
    for (int i = first; i <= last; ++i)
        w[size_t(i)] = sum > 0 ? w[size_t(i)] * spanMax / sum : spanMax / count;
}

} // namespace painting
