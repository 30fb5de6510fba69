#pragma once

#include <QString>
#include <QStringList>

// The page a shop prints to measure its printer's shift: crosshairs and millimetre rulers at known
// places on an A4 sheet, laid out like a page on a label stock so that the PDF and the print treat it
// the same way.
namespace label_stocks {

// Where the crosshairs' centres are meant to land, in millimetres from the sheet's left and top edges.
struct CrossMark {
    double xMm;
    double yMm;
};
inline constexpr CrossMark CalibrationCrosses[] = {{20, 20}, {190, 20}, {105, 148.5}, {20, 277}, {190, 277}};
// The rulers: along the top from x 30 to 180 at y 30 (ticks hanging down), along the left from y 30
// to 267 at x 30 (ticks pointing right); a tick every millimetre, longer every 5 and 10.
inline constexpr double RulerStartMm = 30;
inline constexpr double RulerEndXMm = 180;
inline constexpr double RulerEndYMm = 267;

QString calibrationPageFileName(); // "calib.html"

// The page's lines (CP932-safe text, written with the program's page writer).
QStringList calibrationPageLines();

} // namespace label_stocks
