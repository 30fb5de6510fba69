#include "ledger/design.h"

namespace ledger {

void bindFields(LedgerDesign &d, common::FieldTable &t)
{
    t.bind(keys::RowsPerPage, d.rowsPerPage);
    t.bind(keys::LineColor, d.lineColor);
    t.bind(keys::BackColor, d.backColor);
    t.bind(keys::PageNumbers, d.pageNumbers);
    t.bind(keys::FontName, d.fontName);
    t.bind(keys::FontSize, d.fontSize);
    t.bind(keys::Padding, d.padding);
    t.bind(keys::BarcodeHeight, d.barcodeHeight);
}

} // namespace ledger
