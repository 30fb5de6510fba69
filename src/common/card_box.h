#pragma once

#include "common/design_keys.h"
#include "common/field_table.h"

#include <QString>

#include <array>

namespace common {

// The card box of a design that prints cards: the card's size (typed millimetre
// texts, kept as typed so a design file gives them back unchanged), its paddings, the layout of its
// items and the barcode height.
struct CardBox {
    bool cardHeightFixed = false;
    QString cardHeight; // mm
    bool cardWidthFixed = false;
    QString cardWidth; // mm
    // Top, bottom, left, right (mm).
    std::array<QString, 4> padding;
    int layoutType = 0;    // 0 type A, 1 type B
    int barcodeHeight = 0; // pixels
    int startOffset = 0;   // start position − 1 (not stored)

    // The box as a new design of the maker with these keys has it.
    explicit CardBox(const CardBoxKeys &keys);
    bool operator==(const CardBox &) const = default;
};

// The stored fields of the box under the maker's keys (the start offset is not stored).
void bindFields(CardBox &box, const CardBoxKeys &keys, FieldTable &table);

} // namespace common
