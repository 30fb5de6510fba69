#pragma once

#include "platform/apperror.h"

#include <QList>
#include <QString>

namespace products {

// One row of the product list as the makers and the CSV file see it.
struct Product {
    QString code;    // 品番等
    QString name;    // 商品名
    QString price;   // whole yen as plain digits (no separators), or empty
    QString remarks; // 備考
    QString jan;     // 13 or 8 digits, or empty
    bool checked = false;
    // Taxed at the reduced rate (food and drink, newspapers); the list file marks it with the letter
    // after the JAN code.
    bool reduced = false;

    bool operator==(const Product &) const = default;
};

using ProductList = QList<Product>;

// The makers' reading rule: the checked rows in list order when at least one row is checked,
// otherwise every row.
ProductList rowsForMakers(const ProductList &all);
// How many rows that rule gives, without copying them.
qsizetype rowCountForMakers(const ProductList &all);

// Of the rows that rule gives, the first text Shift_JIS cannot store, as an error (380) naming the
// row's No. in the list, the column and the character, like the list file's writer; unset when every
// text can be stored. A page is then refused before it is begun.
platform::AppError unstorableTextForMakers(const ProductList &all);

} // namespace products
