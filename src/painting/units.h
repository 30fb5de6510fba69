#pragma once

// Lengths as the pages' style sheets give them, in CSS pixels (1/96 inch): the painters lay cards
// out in the browser's own unit so that both routes round the same way.

#include <QString>

#include <optional>

namespace painting {

inline constexpr double PxPerInch = 96.0;
inline constexpr double MmPerInch = 25.4;
inline constexpr double PtPerInch = 72.0;

constexpr double mmToPx(double mm)
{
    return mm * PxPerInch / MmPerInch;
}
constexpr double pxToMm(double px)
{
    return px * MmPerInch / PxPerInch;
}
constexpr double ptToPx(double pt)
{
    return pt * PxPerInch / PtPerInch;
}
// A box's length as the web engine's layout holds it: cut to a 64th of a pixel (84mm, 317.48 px, is
// held as 317.47), so that sums of lengths round to whole pixels as the page's do.
double layoutLength(double px);

// A style sheet length: a number with "pt", "mm" or "px" ("20pt", "5mm", "1.5px"); nullopt for
// anything else (the browser drops such a declaration, and so does the painter).
std::optional<double> cssLengthPx(const QString &text);
// A number of millimetres as a design holds it ("3", "2.5"); nullopt when it is none.
std::optional<double> mmTextPx(const QString &text);

} // namespace painting
