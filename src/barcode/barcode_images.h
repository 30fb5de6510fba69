#pragma once

#include "platform/apperror.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace barcode {

// The 33 images every barcode on a page is drawn from: the three guards "LB.bmp", "CB.bmp", "RB.bmp"
// and, for each digit d, "d_L1.bmp" (left, odd parity), "d_L2.bmp" (left, even parity), "d_R.bmp".
QStringList barcodeImageNames();

// Makes targetFolder hold all 33 images, creating the folder when it is missing. An image already
// there is never overwritten; each missing one is copied from sourceFolder into a temporary file and
// only then given its name, so a copy broken off (disk full) never leaves a cut image under that
// name. Copying goes on past a failure; the error names the first image that could not be copied.
std::optional<platform::AppError> ensureBarcodeImages(const QString &sourceFolder, const QString &targetFolder);

} // namespace barcode
