#include "common/card_box.h"

#include "platform/numbers.h"
#include "platform/profile_file.h"

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

namespace {

QString stored(const platform::ProfileFile &file, const StoredKey &k)
{
    return file.value(k.sectionName(), k.keyName());
}

QString numberOrDefault(const QString &text, const StoredKey &k)
{
    return platform::isNumeric(text) ? text : k.defaultText();
}

} // namespace

void readCardSize(const platform::ProfileFile &file, FieldTable &table)
{
    namespace box = keys::card_box;
    for (const StoredKey &k : {box::CardHeightFixed, box::CardWidthFixed})
        table.set(k, stored(file, k));
    for (const StoredKey &k : {box::CardHeight, box::CardWidth})
        table.set(k, numberOrDefault(stored(file, k), k));
    const QString single = numberOrDefault(stored(file, box::PaddingAll), box::PaddingAll);
    for (const StoredKey &k : box::Padding) {
        const QString own = stored(file, k);
        table.set(k, platform::isNumeric(own) ? own : single);
    }
}

void writeCardSize(const FieldTable &table, platform::ProfileFile &file)
{
    namespace box = keys::card_box;
    auto put = [&](const StoredKey &k, const QString &value) { file.setValue(k.sectionName(), k.keyName(), value); };
    put(box::CardHeightFixed, table.text(box::CardHeightFixed));
    put(box::CardHeight, numberOrDefault(table.text(box::CardHeight), box::CardHeight));
    put(box::CardWidthFixed, table.text(box::CardWidthFixed));
    put(box::CardWidth, numberOrDefault(table.text(box::CardWidth), box::CardWidth));
    for (const StoredKey &k : box::Padding)
        put(k, numberOrDefault(table.text(k), k));
}

} // namespace common
