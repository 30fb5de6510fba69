#pragma once

#include "common/design_keys.h"

namespace products::tax_keys {

using K = common::KeyKind;
using B = common::OnBad;
using common::StoredKey;

// The tax settings; [Tax] Style and Zeikomi are also stored in a maker's design files.
inline constexpr StoredKey Style{"Tax", "Style", "2", K::Byte, B::Report};
inline constexpr StoredKey Rate{"Tax", "Tax", "0.05", K::Decimal, B::Report};
inline constexpr StoredKey Indicate{"Tax", "Indicate", "0", K::Byte, B::Report};
inline constexpr StoredKey Zeikomi{"Tax", "Zeikomi", "1", K::Byte, B::Report};
inline constexpr StoredKey KS{"Tax", "KS", "0", K::Byte};
// The reduced rate of food, drink and newspapers; files of older versions lack it.
inline constexpr StoredKey ReducedRate{"Tax", "ReducedTax", "0.08", K::Decimal, B::ReportUnlessEmpty};

} // namespace products::tax_keys
