#pragma once

#include "ledger/design.h"
#include "platform/apperror.h"

#include <QString>

namespace ledger {

// The ledger window's controls as values.
struct WindowValues {
    QString linesInPage = QStringLiteral("12");           // cmbLinesInPage
    QString lineColor = QStringLiteral("#000000");        // PicColorLine as colour text
    QString backColor = QStringLiteral("#FFFF00");        // picBackColor as colour text
    bool pageNumbers = false;                             // CheckPageNum
    QString fontName = QStringLiteral("ＭＳ Ｐゴシック"); // lblFont
    QString fontSize = QStringLiteral("11");              // lblFontSize
    QString padding = QStringLiteral("2");                // cmbPadding
    QString startPage = QStringLiteral("1");              // txtStartPage, not stored
    bool operator==(const WindowValues &) const = default;
};

// The window's load step: settings → controls (a padding above 8, which the list does not offer,
// shows as "2"); the start page starts at "1".
WindowValues loadWindowValues(const LedgerDesign &settings);
// The store-settings step: controls → settings. Stops at a box that holds no number, leaving what
// was stored before it.
platform::AppError storeWindowValues(const WindowValues &form, LedgerDesign &settings);

} // namespace ledger
