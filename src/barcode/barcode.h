#pragma once

#include <QString>
#include <QStringList>

namespace barcode {

// Check digit of a JAN code's first 12 (EAN-13) or 7 (EAN-8) digits; -1 when the text is not
// 12 or 7 digits. Every digit returned counts one on checkDigitCounter(); -1 leaves it alone.
int GetCheckDigit(const QString &digits);
int checkDigitCounter();
// The same digit without counting (the main window's preview does not count).
int checkDigitOf(const QString &digits);
void resetCheckDigitCounter();

// The JAN code as consecutive img tags over "BarCode/" images, each of the given height in pixels.
// The empty text for a code that is not 13 or 8 ASCII digits.
QString MakeBarCodeHtml(const QString &code, int height);

// The image file names of a complete JAN code in slot order (15 for EAN-13, 11 for EAN-8), without
// the folder; empty for a code that is not 13 or 8 ASCII digits.
QStringList imageSequence(const QString &code);

} // namespace barcode
