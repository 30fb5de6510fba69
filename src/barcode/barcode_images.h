#pragma once

#include "platform/apperror.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace barcode {

// The 33 images every barcode on a page is drawn from: the three guards "LB.bmp", "CB.bmp", "RB.bmp"
// and, for each digit d, "d_L1.bmp" (left, odd parity), "d_L2.bmp" (left, even parity), "d_R.bmp".
QStringList barcodeImageNames();

// Makes targetFolder hold all 33 images as shipped in sourceFolder, creating the folder when it is
// missing. An image that is missing, or whose bytes differ from the shipped one (a copy cut short by
// a full disk), is written to a temporary file and then renamed over its name, so that no cut image is
// ever left under that name. An image is kept as it is only when the shipped one cannot be read.
// Copying goes on past a failure; the error names the first image that could not be made whole.
std::optional<platform::AppError> ensureBarcodeImages(const QString &sourceFolder, const QString &targetFolder);

} // namespace barcode
