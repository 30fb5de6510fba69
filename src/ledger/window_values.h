#pragma once

#include "dialogs/font_choice.h"
#include "ledger/design.h"
#include "platform/apperror.h"

#include <QString>

namespace ledger {

// The font dialog's fields of the page font: the name and the size number alone (the style stays 通常).
inline constexpr dialogs::FontFields PageFont{.color = false, .align = false, .unit = false, .style = false};

// The ledger window's controls as values.
struct WindowValues {
    QString linesInPage = keys::RowsPerPage.defaultText();     // cmbLinesInPage
    QString lineColor = keys::LineColor.defaultText();         // PicColorLine as colour text
    QString backColor = keys::BackColor.defaultText();         // picBackColor as colour text
    bool pageNumbers = keys::PageNumbers.defaultNumber() != 0; // CheckPageNum
    QString fontName = keys::FontName.defaultText();           // lblFont
    QString fontSize = keys::FontSize.defaultText();           // lblFontSize
    QString padding = keys::Padding.defaultText();             // cmbPadding
    QString startPage = QStringLiteral("1");                   // txtStartPage, not stored
    bool operator==(const WindowValues &) const = default;
};

// The window's load step: settings → controls (a padding above 8, which the list does not offer,
// shows as "2"); the start page starts at "1".
WindowValues loadWindowValues(const LedgerDesign &settings);
// The store-settings step: controls → settings. Stops at a box that holds no number, leaving what
// was stored before it.
platform::AppError storeWindowValues(const WindowValues &form, LedgerDesign &settings);

} // namespace ledger
