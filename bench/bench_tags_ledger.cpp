// Times the price-tag sheet (10 products × 1,000 copies) and the ledger (100,000 products) from the
// product values to the written CP932 file, beside iconv converting a UTF-8 page of the same size.
#include "barcode/barcode.h"
#include "ledger/sheet.h"
#include "platform/text_file.h"
#include "price_tags/sheet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 5;

// A distinct, valid EAN-13 code per product, as a real ledger has.
QString jan(int i)
{
    const QString first12 = QStringLiteral("49%1").arg(i, 10, 10, QLatin1Char('0'));
    return first12 + QString::number(barcode::GetCheckDigit(first12));
}

template <typename F> double bestOf(F f)
{
    double best = 1e300;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// iconv over a UTF-8 copy of the page, writing the CP932 file.
double iconvMs(const QString &dir, const QStringList &lines)
{
    const QString in = QDir(dir).filePath(QStringLiteral("page.utf8")),
                  out = QDir(dir).filePath(QStringLiteral("page.cp932"));
    QFile f(in);
    if (!f.open(QIODevice::WriteOnly))
        return -1;
    f.write(lines.join(QStringLiteral("\r\n")).toUtf8());
    f.close();
    return bestOf([&] {
        QProcess p;
        p.setStandardOutputFile(out);
        p.start(QStringLiteral("iconv"),
                {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"), QStringLiteral("CP932"), in});
        p.waitForFinished(-1);
    });
}

void report(const char *what, double ours, double iconv, qint64 bytes)
{
    std::printf("%-34s %9.1f ms   iconv %9.1f ms   ratio %5.2f   (%lld bytes)\n", what, ours, iconv, ours / iconv,
                static_cast<long long>(bytes));
}

} // namespace

int main()
{
    QTemporaryDir dir;

    price_tags::ProductSlots items;
    price_tags::Copies copies;
    for (int i = 0; i < price_tags::SlotCount; ++i) {
        items[i] = {QStringLiteral("HB-%1").arg(i), QStringLiteral("テスト商品 %1 号").arg(i),
                    QStringLiteral("1,%180").arg(i), QStringLiteral("4901234567894"), true};
        copies[i] = QStringLiteral("1000");
    }
    price_tags::PriceTagDesign design;
    design.showItemCode = true;
    QStringList tagLines;
    const double tags = bestOf([&] {
        price_tags::SheetCards cards;
        price_tags::SetSyouhin(items, copies, design, &cards);
        tagLines = price_tags::MakeCHtml(cards, design).lines;
        platform::writeCp932Lines(QDir(dir.path()).filePath(QStringLiteral("ctemp.html")), tagLines);
    });
    report("tag sheet 10 x 1,000 copies", tags, iconvMs(dir.path(), tagLines), platform::cp932Lines(tagLines).size());

    products::ProductList list;
    list.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        list.append({QStringLiteral("HB-%1").arg(i), QStringLiteral("台帳の商品 %1").arg(i),
                     QString::number(100 + i % 9000), QStringLiteral("備考 %1").arg(i % 7), jan(i), false});
    ledger::LedgerDesign settings;
    settings.pageNumbers = 1;
    QStringList ledgerLines;
    const double led = bestOf([&] {
        QList<ledger::LedgerRow> rows;
        ledger::SetSyouhin(list, products::TaxSettings(), settings.barcodeHeight, &rows);
        ledgerLines = ledger::MakeHtmlFile(rows, settings, QStringLiteral("1")).lines;
        platform::writeCp932Lines(QDir(dir.path()).filePath(QStringLiteral("dtemp.html")), ledgerLines);
    });
    report("ledger 100,000 products", led, iconvMs(dir.path(), ledgerLines), platform::cp932Lines(ledgerLines).size());

    // Where the ledger's time goes.
    QList<ledger::LedgerRow> rows;
    const double bars = bestOf([&] {
        for (const products::Product &p : list)
            barcode::MakeBarCodeHtml(p.jan, 40);
    });
    const double collect = bestOf([&] { ledger::SetSyouhin(list, products::TaxSettings(), 40, &rows); });
    const double lines = bestOf([&] { ledgerLines = ledger::MakeHtmlFile(rows, settings, QStringLiteral("1")).lines; });
    const double encode = bestOf([&] { platform::cp932Lines(ledgerLines); });
    const double write = bestOf(
        [&] { platform::writeCp932Lines(QDir(dir.path()).filePath(QStringLiteral("dtemp.html")), ledgerLines); });
    std::printf("  ledger phases: SetSyouhin %.1f ms (of which MakeBarCodeHtml %.1f ms), MakeHtmlFile %.1f ms,\n"
                "                 CP932 join+encode %.1f ms, writeCp932Lines (encode+save) %.1f ms\n",
                collect, bars, lines, encode, write);
    return 0;
}
