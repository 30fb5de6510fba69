#pragma once

#include <QPixmap>

namespace dialogs {

// The picture of the splash and version windows: a price tag with a barcode, drawn rather than
// shipped so the windows never depend on a file.
QPixmap splashPicture(int size);

} // namespace dialogs
