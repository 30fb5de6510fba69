#pragma once

#include "common/design_keys.h"

#include <QString>

namespace ledger {

// The ledger options ([DC] and [JAN] DH of the settings file), each starting at its key's default.
struct LedgerDesign {
    int rowsPerPage = common::keys::ledger::RowsPerPage.defaultNumber();
    QString lineColor = common::keys::ledger::LineColor.defaultText();
    QString backColor = common::keys::ledger::BackColor.defaultText();
    int pageNumbers = common::keys::ledger::PageNumbers.defaultNumber();
    QString fontName = common::keys::ledger::FontName.defaultText();
    int fontSize = common::keys::ledger::FontSize.defaultNumber(); // points
    int padding = common::keys::ledger::Padding.defaultNumber();   // mm
    int barcodeHeight = common::keys::ledger::BarcodeHeight.defaultNumber();
    bool operator==(const LedgerDesign &) const = default;
};

} // namespace ledger
