#pragma once

#include "products/product.h"

#include <QString>

namespace products {

// Columns of the list as the list view numbers them (0 = No.).
enum ListColumn { ColNo = 0, ColCode = 1, ColName = 2, ColPrice = 3, ColRemarks = 4, ColJan = 5 };

// Whether a header click on this column sorts (item code, name, remarks, JAN).
bool isSortableColumn(int column);
// Sorts by the column's text, case-insensitively, keeping equal rows in their order. Returns the new
// position of every old row (newIndex[old]) so a selection can follow its row.
QList<int> sortRows(ProductList &rows, int column, bool ascending);

// Exchanges row and row − 1 (up) or row + 1 (down), checks included; false when nothing moves.
bool moveRowUp(ProductList &rows, int row);
bool moveRowDown(ProductList &rows, int row);

// The five texts a search looks at, as the list shows them (price with separators).
QString searchText(const Product &row, int subItem); // subItem 1..5

// Find in the list. Positions are 1-based rows, as the main window keeps them.
struct FindState {
    int position = 1;   // where the next search starts
    bool ended = false; // set when a search ran off the end
};
// Forward from position; returns the 0-based hit row or -1 (and sets ended).
int findNext(const ProductList &rows, const QString &text, FindState &state);
// Backward from the row above position; returns the 0-based hit row or -1 (and sets ended).
int findRev(const ProductList &rows, const QString &text, FindState &state);

// Appends the check digit to every JAN code of 12 or 7 digits; returns how many rows changed.
int appendCheckDigits(ProductList &rows);

} // namespace products
