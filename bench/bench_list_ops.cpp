// Sorting, finding and bulk check digits over a large list, timed with the monotonic clock.
#include "products/list_operations.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

using namespace products;

namespace {

ProductList makeList(int n)
{
    ProductList rows;
    rows.reserve(n);
    QRandomGenerator rng(42);
    for (int i = 0; i < n; ++i) {
        Product p;
        p.code = QStringLiteral("A%1").arg(rng.bounded(1000000), 6, 10, QLatin1Char('0'));
        p.name = QStringLiteral("商品名%1 テスト").arg(rng.bounded(100000));
        p.price = QString::number(rng.bounded(100000));
        p.remarks = QStringLiteral("備考%1").arg(i);
        p.jan = QStringLiteral("49%1").arg(rng.bounded(1000000000), 10, 10, QLatin1Char('0'));
        rows.append(p);
    }
    return rows;
}

template <typename F> double timeMs(F &&f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main()
{
    QTextStream out(stdout);
    const int n = 100000;
    ProductList rows = makeList(n);
    out << "rows: " << n << "\n";
    out << "sort by name ascending:  " << timeMs([&] { sortRows(rows, ColName, true); }) << " ms\n";
    out << "sort by name descending: " << timeMs([&] { sortRows(rows, ColName, false); }) << " ms\n";
    out << "sort by JAN:             " << timeMs([&] { sortRows(rows, ColJan, true); }) << " ms\n";
    FindState s;
    out << "find (no hit, whole list): " << timeMs([&] { findNext(rows, QStringLiteral("見つからない"), s); })
        << " ms\n";
    int changed = 0;
    out << "bulk check digits:       " << timeMs([&] { changed = appendCheckDigits(rows); }) << " ms (" << changed
        << " rows)\n";
    return 0;
}
