#pragma once

#include "products/product.h"
#include "products/tax.h"

#include <QString>

#include <array>

namespace price_tags {

constexpr int SlotCount = 10;

// One product slot of the designer's data tab, as its labels show it.
struct ProductSlot {
    QString code;         // lblHinban
    QString name;         // lblName
    QString price;        // lblPrice: tax-inclusive, "#,##0"; empty when the list price is not a number
    QString jan;          // lblJanCode
    bool filled = false;  // the copies box is enabled
    bool reduced = false; // taxed at the reduced rate: lblPrice is at that rate
    bool operator==(const ProductSlot &) const = default;
};

using ProductSlots = std::array<ProductSlot, SlotCount>;

struct SlotFill {
    ProductSlots items;
    QString message; // when not empty, the window is not opened and this is shown
    QString title;
    bool apology = false; // the message is the apology report (error icon), not an information
};

// The tax-inclusive price of a list price under the price basis and rounding, "#,##0"; empty for a
// price that is not a whole number.
QString taxInclusiveLabel(const QString &listPrice, const products::TaxSettings &tax, int *error = nullptr);

// The price-tag command's walk (its reports are labelled ShowNefudaDialog): the checked rows in list
// order into slots 0-9. No checked row, or more than ten, gives the message instead.
SlotFill fillProductSlots(const products::ProductList &list, const products::TaxSettings &tax);

} // namespace price_tags
