#include "products/list_operations.h"

#include "barcode/barcode.h"
#include "platform/numbers.h"

#include <algorithm>
#include <numeric>

namespace products {

namespace {

const QString &columnText(const Product &p, int column)
{
    switch (column) {
    case ColCode:
        return p.code;
    case ColName:
        return p.name;
    case ColRemarks:
        return p.remarks;
    default:
        return p.jan;
    }
}

bool allDigits(const QString &t)
{
    return !t.isEmpty() &&
           std::all_of(t.begin(), t.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool rowMatches(const Product &row, const QString &text)
{
    for (int sub = 1; sub <= 5; ++sub) {
        if (searchText(row, sub).contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

bool isSortableColumn(int column)
{
    return column == ColCode || column == ColName || column == ColRemarks || column == ColJan;
}

QList<int> sortRows(ProductList &rows, int column, bool ascending)
{
    QList<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (!isSortableColumn(column))
        return order;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = columnText(rows.at(a), column).compare(columnText(rows.at(b), column), Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });
    ProductList sorted;
    sorted.reserve(rows.size());
    QList<int> newIndex(rows.size());
    for (int i = 0; i < order.size(); ++i) {
        sorted.append(std::move(rows[order.at(i)]));
        newIndex[order.at(i)] = i;
    }
    rows = std::move(sorted);
    return newIndex;
}

bool moveRowUp(ProductList &rows, int row)
{
    if (rows.size() < 2 || row < 1 || row >= rows.size())
        return false;
    rows.swapItemsAt(row, row - 1);
    return true;
}

bool moveRowDown(ProductList &rows, int row)
{
    if (rows.size() < 2 || row < 0 || row >= rows.size() - 1)
        return false;
    rows.swapItemsAt(row, row + 1);
    return true;
}

QString searchText(const Product &row, int subItem)
{
    switch (subItem) {
    case 1:
        return row.code;
    case 2:
        return row.name;
    case 3: {
        const auto whole = platform::toWholeNumber(row.price);
        return whole ? platform::formatThousands(*whole) : row.price;
    }
    case 4:
        return row.remarks;
    case 5:
        return row.jan;
    }
    return QString();
}

int findNext(const ProductList &rows, const QString &text, FindState &state)
{
    for (int pos = std::max(1, state.position); pos <= rows.size(); ++pos) {
        if (rowMatches(rows.at(pos - 1), text)) {
            state.position = pos + 1;
            return pos - 1;
        }
    }
    state.ended = true;
    return -1;
}

int findRev(const ProductList &rows, const QString &text, FindState &state)
{
    int pos = std::min<int>(state.position, int(rows.size()) + 1);
    while (pos > 1) {
        if (rowMatches(rows.at(pos - 2), text)) {
            state.position = pos - 1;
            return pos - 2;
        }
        --pos;
    }
    state.ended = true;
    return -1;
}

int appendCheckDigits(ProductList &rows)
{
    barcode::resetCheckDigitCounter();
    int changed = 0;
    for (Product &p : rows) {
        if ((p.jan.size() != 12 && p.jan.size() != 7) || !allDigits(p.jan))
            continue;
        const int cd = barcode::GetCheckDigit(p.jan);
        if (cd < 0)
            continue;
        p.jan += QString::number(cd);
        ++changed;
    }
    return changed;
}

} // namespace products
