#pragma once

#include "common/design_keys.h"

// The ledger's keys in the settings file, each with its default and kind.

namespace ledger::keys {

using K = common::KeyKind;
using B = common::OnBad;
using common::StoredKey;
using common::keys::Gothic;

// The ledger options.
inline constexpr StoredKey RowsPerPage{"DC", "LIP", "12", K::Integer16};
inline constexpr StoredKey LineColor{"DC", "LC", "#000000", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey BackColor{"DC", "BC", "#FFFF00", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey PageNumbers{"DC", "PN", "0", K::Byte};
inline constexpr StoredKey FontName{"DC", "FN", Gothic, K::FontName, B::ReportUnlessEmpty};
inline constexpr StoredKey FontSize{"DC", "FS", "11", K::Integer16};
inline constexpr StoredKey Padding{"DC", "PD", "2", K::Integer16};
inline constexpr StoredKey BarcodeHeight{"JAN", "DH", "40", K::Integer16};

} // namespace ledger::keys
