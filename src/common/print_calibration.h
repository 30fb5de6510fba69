#pragma once

#include "common/design_keys.h"

namespace common {

// The printer's shift as measured on the calibration page, in tenths of a millimetre (positive:
// right and down). The PDF and the print move the page's content by it; designs never hold it.
struct PrintCalibration {
    int xTenthsMm = keys::calibration::OffsetX.defaultNumber();
    int yTenthsMm = keys::calibration::OffsetY.defaultNumber();

    bool isZero() const { return xTenthsMm == 0 && yTenthsMm == 0; }
    double xMm() const { return xTenthsMm / 10.0; }
    double yMm() const { return yTenthsMm / 10.0; }
    bool operator==(const PrintCalibration &) const = default;
};

// Offsets beyond this (±10 cm) are no printer's shift: the fields and the PDF tool refuse them.
inline constexpr int MaxCalibrationTenthsMm = 1000;

} // namespace common
