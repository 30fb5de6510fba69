#pragma once

#include "ledger/design.h"
#include "platform/apperror.h"

#include <QString>

namespace ledger {

// The ledger window's controls as values.
struct WindowValues {
    QString linesInPage = common::keys::ledger::RowsPerPage.defaultText();     // cmbLinesInPage
    QString lineColor = common::keys::ledger::LineColor.defaultText();         // PicColorLine as colour text
    QString backColor = common::keys::ledger::BackColor.defaultText();         // picBackColor as colour text
    bool pageNumbers = common::keys::ledger::PageNumbers.defaultNumber() != 0; // CheckPageNum
    QString fontName = common::keys::ledger::FontName.defaultText();           // lblFont
    QString fontSize = common::keys::ledger::FontSize.defaultText();           // lblFontSize
    QString padding = common::keys::ledger::Padding.defaultText();             // cmbPadding
    QString startPage = QStringLiteral("1");                                   // txtStartPage, not stored
    bool operator==(const WindowValues &) const = default;
};

// The window's load step: settings → controls (a padding above 8, which the list does not offer,
// shows as "2"); the start page starts at "1".
WindowValues loadWindowValues(const LedgerDesign &settings);
// The store-settings step: controls → settings. Stops at a box that holds no number, leaving what
// was stored before it.
platform::AppError storeWindowValues(const WindowValues &form, LedgerDesign &settings);

} // namespace ledger
