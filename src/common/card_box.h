#pragma once

#include "common/design_keys.h"
#include "common/field_table.h"

#include <QString>

#include <array>

namespace platform {
class ProfileFile;
}

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

// The card's size and paddings as every design file holds them (keys::card_box), into and out of
// the fields table binds to those keys: a size is fixed only by a stored 1, a size or padding that is
// not a number is written as its default, and a side without a padding of its own takes the single
// padding older files hold, itself 0 when it is not a number.
void readCardSize(const platform::ProfileFile &file, FieldTable &table);
void writeCardSize(const FieldTable &table, platform::ProfileFile &file);

} // namespace common
