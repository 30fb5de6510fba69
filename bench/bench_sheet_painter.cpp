// Shelf-label sheets drawn straight into a PDF: 10,000 cards with every item switched on (header, item
// code, remarks, barcode with digits, fixed card size, border) and one page of 12 cards, each timed
// from the call to the file written; the peak memory after the small sheet and after the big one
// shows whether the pages are streamed (flat) or held. bench_sheet_pdf.sh sets this beside the web
// engine and chromium in one run.
//   bench_sheet_painter [CARDS] [OUT.pdf]

#include "platform/folders.h"
#include "platform/font_config.h"
#include "products/product.h"
#include "products/tax.h"
#include "shelf_labels/sheet_painter.h"
#include "shelf_labels/window_values.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sys/resource.h>

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

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

shelf_labels::Inputs inputs(int count)
{
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
    d.cardHeightFixed = true;
    d.cardWidthFixed = true;
    d.cardWidth = QStringLiteral("60");
    d.cardHeight = QStringLiteral("60");
    d.countW = QStringLiteral("3");
    d.countH = QStringLiteral("4");
    d.borderStyle = QStringLiteral("solid");
    d.borderWidth = QStringLiteral("1");
    products::TaxSettings tax;
    tax.style = 4;
    return shelf_labels::Inputs{list, d, tax, QStringLiteral("1")};
}

double timed(const shelf_labels::Inputs &in, const QString &pdf, qint64 *pages)
{
    QElapsedTimer t;
    t.start();
    const common::MakeResult made =
        shelf_labels::makePdf(in, pdf, {.progress = [pages](qint64, qint64 all) { *pages = all; }});
    const double ms = t.nsecsElapsed() / 1e6;
    if (!made.ok()) {
        std::fprintf(stderr, "makePdf failed: %s\n", qPrintable(made.text));
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::useProgramFontConfig(platform::programFolderOf(platform::executableFolder()));
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    const QString big = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("big.pdf"));

    const shelf_labels::Inputs one = inputs(12);
    const shelf_labels::Inputs many = inputs(count);
    qint64 pages = 0;
    // The first call loads the fonts; a window's first PDF pays for it too.
    const double first = timed(one, dir.filePath(QStringLiteral("first.pdf")), &pages);
    double onePage = 1e9;
    for (int r = 0; r < 5; ++r)
        onePage = std::min(onePage, timed(one, dir.filePath(QStringLiteral("one.pdf")), &pages));
    const long afterOne = peakKb();
    const double sheet = timed(many, big, &pages);
    const long afterMany = peakKb();
    std::printf("one page (12 cards), first call: %.1f ms, best of 5: %.1f ms\n", first, onePage);
    std::printf("%d cards, %lld pages: %.1f ms (%lld bytes)\n", count, pages, sheet, qlonglong(QFileInfo(big).size()));
    std::printf("peak memory: %ld kB after the one-page sheets, %ld kB after %d cards (the list itself included)\n",
                afterOne, afterMany, count);
    return 0;
}
