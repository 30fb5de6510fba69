#include "common/card_box.h"

namespace common {

CardBox::CardBox(const CardBoxKeys &keys)
    : cardHeightFixed(keys.heightFixed.defaultNumber() == 1), cardHeight(keys.height.defaultText()),
      cardWidthFixed(keys.widthFixed.defaultNumber() == 1), cardWidth(keys.width.defaultText()),
      layoutType(keys.layoutType.defaultNumber()), barcodeHeight(keys.barcodeHeight.defaultNumber())
{
    for (std::size_t i = 0; i < padding.size(); ++i)
        padding[i] = keys.padding[i].defaultText();
}

void bindFields(CardBox &box, const CardBoxKeys &keys, FieldTable &table)
{
    table.bind(keys.heightFixed, box.cardHeightFixed);
    table.bind(keys.height, box.cardHeight);
    table.bind(keys.widthFixed, box.cardWidthFixed);
    table.bind(keys.width, box.cardWidth);
    table.bind(keys.padding, box.padding);
    table.bind(keys.layoutType, box.layoutType);
    table.bind(keys.barcodeHeight, box.barcodeHeight);
}

} // namespace common
