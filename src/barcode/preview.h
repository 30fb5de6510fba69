#pragma once

#include "platform/apperror.h"

#include <QString>
#include <QStringList>

namespace barcode {

// What the main window's barcode preview shows for the text of the JAN field.
struct PreviewPlan {
    int optionType = 0; // OptionType to select: 0 標準(13桁), 1 短縮(8桁)
    bool showCheckDigit = false;
    QString checkDigit;       // lblCD, when showCheckDigit
    QStringList imageNames;   // slot order; empty = nothing shown
    platform::AppError error; // a character that is not a digit
};

// 12 digits → the 15 images of the EAN-13 symbol, 7 digits → the 11 of EAN-8; any other length shows
// nothing. The check-digit counter is not touched.
PreviewPlan previewPlan(const QString &fieldText);

} // namespace barcode
