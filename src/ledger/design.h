#pragma once

#include "common/field_table.h"
#include "ledger/design_keys.h"

#include <QString>

namespace ledger {

// The ledger options ([DC] and [JAN] DH of the settings file), each starting at its key's default.
struct LedgerDesign {
    int rowsPerPage = keys::RowsPerPage.defaultNumber();
    QString lineColor = keys::LineColor.defaultText();
    QString backColor = keys::BackColor.defaultText();
    int pageNumbers = keys::PageNumbers.defaultNumber();
    QString fontName = keys::FontName.defaultText();
    int fontSize = keys::FontSize.defaultNumber(); // points
    int padding = keys::Padding.defaultNumber();   // mm
    int barcodeHeight = keys::BarcodeHeight.defaultNumber();
    bool operator==(const LedgerDesign &) const = default;
};

// Each stored field of the design bound to its settings key.
void bindFields(LedgerDesign &design, common::FieldTable &table);

} // namespace ledger
