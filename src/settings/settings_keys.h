#pragma once

#include "common/design_keys.h"

#include <array>

// The keys of the settings file that belong to no design: import, list and window, browser. The
// designs' keys are in each maker's design_keys.h, the tax settings' in products/tax_keys.h.
namespace settings::keys {

using common::StoredKey;
using K = common::KeyKind;
using B = common::OnBad;

inline constexpr StoredKey ExcelEX{"Excel", "EX", "0", K::Byte};
inline constexpr StoredKey GridFont{"Size", "GridFont", "9", K::Integer16};
// The main window's size and the list view's column widths, in twips.
inline constexpr StoredKey StatusW{"Status", "W", "9492", K::Integer32, B::ReportUnlessEmpty};
inline constexpr StoredKey StatusH{"Status", "H", "6444", K::Integer32, B::ReportUnlessEmpty};
inline constexpr std::array<StoredKey, 6> ColumnWidth{{
    {"Status", "1", "900", K::Integer32, B::ReportUnlessEmpty},
    {"Status", "2", "1700", K::Integer32, B::ReportUnlessEmpty},
    {"Status", "3", "1700", K::Integer32, B::ReportUnlessEmpty},
    {"Status", "4", "900", K::Integer32, B::ReportUnlessEmpty},
    {"Status", "5", "1700", K::Integer32, B::ReportUnlessEmpty},
    {"Status", "6", "1700", K::Integer32, B::ReportUnlessEmpty},
}};
inline constexpr StoredKey BrowserUsed{"BR", "Used", "0", K::Byte, B::ReportUnlessEmpty};
inline constexpr StoredKey BrowserPath{"BR", "Path", "", K::TextOrEmpty};

} // namespace settings::keys
