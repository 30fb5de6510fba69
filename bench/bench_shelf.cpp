// A shelf-label sheet of 10,000 products with every item switched on (header, item code, remarks, logo,
// barcode with digits, fixed card size, border), generated and written as temp.html, side by side with
// iconv converting a UTF-8 page of the same text to CP932: the sheet should take at most three times
// as long as that conversion alone.

#include "platform/cp932.h"
#include "platform/text_file.h"
#include "products/product.h"
#include "products/tax.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/window_values.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QString withCheckDigit(qint64 twelve)
{
    const QString d = QStringLiteral("%1").arg(twelve, 12, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (d.at(i).unicode() - '0') * (i % 2 ? 3 : 1);
    return d + QString::number((10 - sum % 10) % 10);
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = 10000;
    const int rounds = 5;

    products::ProductList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list << products::Product{QStringLiteral("A-%1").arg(i, 5, 10, QLatin1Char('0')),
                                  QStringLiteral("国産緑茶ティーバッグ 20袋入 <%1>").arg(i),
                                  QString::number(98 + i % 5000),
                                  QStringLiteral("店長のおすすめ & 本日入荷"),
                                  withCheckDigit(490000000000LL + i),
                                  false};

    shelf_labels::ShelfLabelDesign d = shelf_labels::SetDefaultA().design;
    d.showHeader = true;
    d.showItemCode = true;
    d.showRemarks = true;
    d.showLogo = true;
    d.logoName = QStringLiteral("/usr/share/vennlo/sample_logo.gif");
    d.logoW = QStringLiteral("120");
    d.logoH = QStringLiteral("40");
    d.cardHeightFixed = true;
    d.cardWidthFixed = true;
    d.borderStyle = QStringLiteral("solid");
    d.borderWidth = QStringLiteral("1");
    products::TaxSettings tax;
    tax.style = 4;

    QTemporaryDir dir;
    QList<double> sheetMs;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        const common::MakeResult made =
            shelf_labels::make(shelf_labels::Inputs{list, d, tax, QStringLiteral("1")}, dir.path());
        sheetMs << t.nsecsElapsed() / 1e6;
        if (!made.ok()) {
            std::fprintf(stderr, "make failed: %s\n", qPrintable(made.text));
            return 1;
        }
    }
    const QString page = dir.filePath(QStringLiteral("temp.html"));

    // Where the time goes: the card texts, the page lines, the CP932 encoding.
    {
        shelf_labels::ShelfLabelDesign settled = shelf_labels::settledDesign(d);
        QElapsedTimer t;
        t.start();
        const auto sheet = shelf_labels::SetSyouhin(list, settled, tax, 0);
        const double fill = t.nsecsElapsed() / 1e6;
        t.restart();
        const auto lines = shelf_labels::sheetHtmlLines(*sheet, settled);
        const double build = t.nsecsElapsed() / 1e6;
        t.restart();
        const QByteArray bytes = platform::cp932Lines(*lines);
        const double encode = t.nsecsElapsed() / 1e6;
        std::printf("of one sheet: SetSyouhin %.1f ms, page lines %.1f ms, CP932 encoding %.1f ms (%lld bytes)\n", fill,
                    build, encode, qlonglong(bytes.size()));
    }

    // The same text as UTF-8 with CR LF, for iconv.
    QFile cp932Page(page);
    if (!cp932Page.open(QIODevice::ReadOnly))
        return 1;
    const QString text = platform::cp932::decode(cp932Page.readAll());
    const QString utf8Path = dir.filePath(QStringLiteral("page_utf8.html"));
    QFile utf8(utf8Path);
    if (!utf8.open(QIODevice::WriteOnly) || utf8.write(text.toUtf8()) < 0)
        return 1;
    utf8.close();

    QList<double> iconvMs;
    for (int r = 0; r < rounds; ++r) {
        QProcess iconv;
        iconv.setStandardInputFile(utf8Path);
        iconv.setStandardOutputFile(dir.filePath(QStringLiteral("iconv_out.html")));
        QElapsedTimer t;
        t.start();
        iconv.start(QStringLiteral("iconv"),
                    {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"), QStringLiteral("CP932")});
        if (!iconv.waitForFinished(120000) || iconv.exitCode() != 0) {
            std::fprintf(stderr, "iconv failed\n");
            return 1;
        }
        iconvMs << t.nsecsElapsed() / 1e6;
    }
    const bool same = QFileInfo(dir.filePath(QStringLiteral("iconv_out.html"))).size() == QFileInfo(page).size();

    const double sheet = median(sheetMs);
    const double conv = median(iconvMs);
    std::printf("products: %d, page: %lld bytes (CP932), %lld lines\n", count, qlonglong(QFileInfo(page).size()),
                qlonglong(text.count(QLatin1String("\r\n"))));
    std::printf("sheet (SetSyouhin + MakeHtmlFile, CP932 write), median of %d: %.1f ms\n", rounds, sheet);
    std::printf("iconv -f UTF-8 -t CP932 of the same page, median of %d: %.1f ms%s\n", rounds, conv,
                same ? "" : " (output size differs!)");
    std::printf("ratio sheet / iconv: %.2f (target at most 3)\n", sheet / conv);
    return 0;
}
