#pragma once

#include "common/maker.h"
#include "ledger/design.h"
#include "ledger/window_values.h"

#include <QString>

namespace ledger {

// The range of the start page's up-down control.
constexpr int StartPageMin = 1;
constexpr int StartPageMax = 9999;

// The window's values on opening: the stored settings as the controls show them. The two lists offer
// only 1-16 rows per page and 0-8 mm of padding; a stored value outside a list is shown as its
// default (12 rows, 2 mm), so the window never stores a value it cannot show.
WindowValues ledgerWindowValues(const LedgerDesign &settings);

// The start page is checked before the settings are stored, on make and on closing.
common::Refusal checkStartPage(const QString &startPage);

// The up-down control's value for a start page text, or 0 when the text is not a page it can show.
int startPageStep(const QString &startPage);

} // namespace ledger
