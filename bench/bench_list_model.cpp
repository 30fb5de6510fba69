// The list model's whole-list changes (sort, bulk check digits, check all) on a large list: time and
// how many change signals a view would receive.
#include "products/list_operations.h"
#include "products/product_list_model.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

using namespace products;

namespace {

ProductList makeList(int n)
{
    ProductList rows;
    rows.reserve(n);
    QRandomGenerator rng(7);
    for (int i = 0; i < n; ++i) {
        Product p;
        p.code = QStringLiteral("A%1").arg(rng.bounded(1000000), 6, 10, QLatin1Char('0'));
        p.name = QStringLiteral("商品名%1").arg(rng.bounded(100000));
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

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int n = 100000;
    ProductListModel model;
    int emitted = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++emitted; });
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, [&] { ++emitted; });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++emitted; });
    QObject::connect(&model, &ProductListModel::checksChanged, [&] { ++emitted; });

    out << "rows: " << n << "\n";
    out << "setRows:                 " << timeMs([&] { model.setRows(makeList(n)); }) << " ms, " << emitted
        << " signals\n";
    emitted = 0;
    out << "sort by name + reorder:  " << timeMs([&] {
        ProductList rows = model.rows();
        model.reorderRows(sortRows(rows, ColName, true));
    }) << " ms, "
        << emitted << " signals\n";
    emitted = 0;
    int changed = 0;
    out << "bulk check digits:       " << timeMs([&] {
        ProductList rows = model.rows();
        changed = appendCheckDigits(rows);
        model.updateRows(rows);
    }) << " ms, "
        << emitted << " signals (" << changed << " rows)\n";
    emitted = 0;
    out << "check all:               " << timeMs([&] { model.setAllChecked(true); }) << " ms, " << emitted
        << " signals\n";
    emitted = 0;
    out << "move one row:            " << timeMs([&] { model.swapProducts(50000, 49999); }) << " ms, " << emitted
        << " signals\n";
    return 0;
}
