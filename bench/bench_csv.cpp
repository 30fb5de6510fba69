// Reading and writing big product-list files, against iconv converting the same bytes.
// Build in Release and run: bench_csv [runs]
#include "products/csv_file.h"
#include "products/product_list_model.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace products;

namespace {

ProductList makeRows(int n)
{
    ProductList rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        Product p;
        p.code = QStringLiteral("A-%1").arg(i, 6, 10, QLatin1Char('0'));
        p.name = QStringLiteral("国産りんご（ふじ）特選品 %1 玉入り").arg(i % 97);
        p.price = QString::number(100 + (i * 37) % 99900);
        p.remarks = i % 3 ? QStringLiteral("産地直送・数量限定") : QString();
        p.jan = i % 4 ? QStringLiteral("4901234567894") : QString();
        rows << p;
    }
    return rows;
}

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir dir;
    std::printf("%-8s %9s %11s %11s %11s %8s %8s\n", "rows", "bytes", "read ms", "write ms", "iconv ms", "read/ic",
                "write/ic");
    for (int n : {32766, 100000}) {
        const QString path = dir.filePath(QStringLiteral("list%1.csv").arg(n));
        if (!writeCsvFile(path, makeRows(n)).ok())
            return 1;
        const qint64 size = QFile(path).size();

        ProductListModel model;
        const double readMs = medianMs(runs, [&] {
            const ReadResult r = readCsvFile(path);
            if (!r.ok() || r.rows.size() != n)
                std::abort();
            model.setRows(r.rows);
        });
        const QString out = dir.filePath(QStringLiteral("out%1.csv").arg(n));
        const double writeMs = medianMs(runs, [&] {
            if (!writeCsvFile(out, model.rows()).ok())
                std::abort();
        });
        const double iconvMs = medianMs(runs, [&] {
            QProcess p;
            p.setStandardOutputFile(QStringLiteral("/dev/null"));
            p.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("CP932"), QStringLiteral("-t"),
                                              QStringLiteral("UTF-8"), path});
            if (!p.waitForFinished(60000) || p.exitCode() != 0)
                std::abort();
        });
        std::printf("%-8d %9lld %11.1f %11.1f %11.1f %8.2f %8.2f\n", n, size, readMs, writeMs, iconvMs,
                    readMs / iconvMs, writeMs / iconvMs);
    }
    return 0;
}
