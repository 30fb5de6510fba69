// The three makers' sheets drawn straight into PDF files, read back as a user's tools read them: the
// words by pdftotext, the pages by pdfinfo, every barcode by zbarimg at 300 dpi. Cards stand on a label
// stock's labels, the printer calibration moves everything by exactly its offset, and a cancelled or
// failed sheet leaves the previous file as it was.

#include "barcode/barcode.h"
#include "label_stocks/chosen_stock.h"
#include "ledger/sheet_painter.h"
#include "painting/barcode_bars.h"
#include "painting/borders.h"
#include "painting/card_table.h"
#include "painting/columns.h"
#include "platform/font_config.h"
#include "price_tags/sheet_painter.h"
#include "shelf_labels/sheet_painter.h"
#include "shelf_labels/window_values.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Word {
    QString text;
    QRectF box; // millimetres
};

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Words of each page, in millimetres.
QList<QList<Word>> words(const QString &pdf)
{
    QList<QList<Word>> pages;
    static const QRegularExpression word(
        QString::fromLatin1("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*)</word>"));
    const double mm = 25.4 / 72;
    for (const QString &line : run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
                                   .split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("<page ")))
            pages.append(QList<Word>());
        const auto m = word.match(line);
        if (m.hasMatch() && !pages.isEmpty())
            pages.last().append(Word{m.captured(5).normalized(QString::NormalizationForm_KC),
                                     QRectF(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                                            QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm))});
    }
    return pages;
}

int pageCount(const QString &pdf)
{
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

// Every barcode zbarimg reads on the pages at 300 dpi, as "EAN-13:4901234567894".
QStringList decoded(const QString &pdf, const QString &folder)
{
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
                                     QStringLiteral("-png"), pdf, folder + QStringLiteral("/page")});
    QStringList codes;
    for (const QString &png : QDir(folder).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name))
        codes += run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QDir(folder).filePath(png)})
                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

QString withCheckDigit(qint64 twelve)
{
    const QString d = QStringLiteral("%1").arg(twelve, 12, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (d.at(i).unicode() - '0') * (i % 2 ? 3 : 1);
    return d + QString::number((10 - sum % 10) % 10);
}

// n products, every third with an EAN-8 code, prices 100 + 7 i.
products::ProductList productList(int n)
{
    products::ProductList list;
    for (int i = 0; i < n; ++i) {
        QString jan = withCheckDigit(490123400000LL + i);
        if (i % 3 == 2)
            jan = jan.mid(5, 7) + QString::number(barcode::checkDigitOf(jan.mid(5, 7)));
        list << products::Product{QStringLiteral("P-%1").arg(i + 1),
                                  QStringLiteral("商品%1番").arg(i + 1),
                                  QString::number(100 + 7 * i),
                                  QStringLiteral("備考%1").arg(i + 1),
                                  jan,
                                  true,
                                  false};
    }
    return list;
}

QStringList expectedCodes(const products::ProductList &list, int copies = 1)
{
    QStringList codes;
    for (const products::Product &p : list) {
        for (int c = 0; c < copies; ++c)
            codes << (p.jan.size() == 13 ? QStringLiteral("EAN-13:") : QStringLiteral("EAN-8:")) + p.jan;
    }
    codes.sort();
    return codes;
}

shelf_labels::Inputs shelfInputs(const QString &variant, int n)
{
    shelf_labels::Inputs in;
    in.rows = productList(n);
    in.design =
        (variant.startsWith(QLatin1String("B")) ? shelf_labels::SetDefaultB() : shelf_labels::SetDefaultA()).design;
    in.design.showItemCode = true;
    in.design.showRemarks = true;
    if (variant.contains(QLatin1String("fixed"))) {
        in.design.cardWidthFixed = true;
        in.design.cardHeightFixed = true;
        // Type B puts the barcode beside the price: its cards are wider.
        const bool b = variant.startsWith(QLatin1String("B"));
        in.design.cardWidth = b ? QStringLiteral("90") : QStringLiteral("60");
        in.design.cardHeight = QStringLiteral("50");
        in.design.countW = b ? QStringLiteral("2") : QStringLiteral("3");
        in.design.countH = QStringLiteral("5");
        in.design.borderStyle =
            variant.contains(QLatin1String("dashed")) ? QStringLiteral("dashed") : QStringLiteral("solid");
        in.design.borderWidth = QStringLiteral("1.5");
    } else if (variant.startsWith(QLatin1String("B")))
        in.design.countH = QStringLiteral("4"); // four rows of free cards fit on a sheet
    if (variant.contains(QLatin1String("header"))) {
        in.design.showHeader = true;
        in.design.headerText = QStringLiteral("特価品");
    }
    return in;
}

price_tags::Inputs tagInputs(const QString &variant, int copies)
{
    price_tags::Inputs in;
    const products::ProductList list = productList(3);
    in.rows = price_tags::fillProductSlots(list, products::TaxSettings()).items;
    in.design.twoTier = variant.contains(QLatin1String("two"));
    in.design.layoutType = variant.contains(QLatin1String("B")) ? 1 : 0;
    in.design.showItemCode = true;
    in.design.showName = true;
    // Three tags across, wide enough for a barcode beside the texts.
    in.design.countW = 3;
    for (int i = 0; i < 3; ++i)
        in.copies[size_t(i)] = QString::number(copies);
    for (int i = 3; i < price_tags::SlotCount; ++i)
        in.copies[size_t(i)] = QStringLiteral("0");
    return in;
}

} // namespace

class TestSheetPainter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sheets_data();
    void sheets();
    void stockPlacement_data();
    void stockPlacement();
    void calibration_data();
    void calibration();
    void notWritten_data();
    void notWritten();
    void barModules_data();
    void barModules();
    void columns_data();
    void columns();
    void pageEdges_data();
    void doubleBorder_data();
    void doubleBorder();
    void barsInANarrowCell_data();
    void barsInANarrowCell();
    void wholeNumbers_data();
    void wholeNumbers();
    void textWidths_data();
    void textWidths();
    void cellWidths_data();
    void cellWidths();
    void pageEdges();
};

void TestSheetPainter::sheets_data()
{
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<int>("products");
    QTest::addColumn<int>("pages");
    // Shelf labels: 3 x 5 fixed, or free: type A 3 x 4 (its default), type B 2 x 4.
    QTest::newRow("shelf A free") << "shelf"
                                  << "A" << 20 << 2;
    QTest::newRow("shelf B free, header") << "shelf"
                                          << "B header" << 13 << 2;
    QTest::newRow("shelf A fixed, solid border") << "shelf"
                                                 << "A fixed" << 15 << 1;
    QTest::newRow("shelf B fixed, dashed border") << "shelf"
                                                  << "B fixed dashed" << 16 << 2;
    // Price tags: three products, two copies each, on the default 5 x 9.
    QTest::newRow("tags one tier A") << "tags"
                                     << "one A" << 3 << 1;
    QTest::newRow("tags one tier B") << "tags"
                                     << "one B" << 3 << 1;
    QTest::newRow("tags two tiers A") << "tags"
                                      << "two A" << 3 << 1;
    QTest::newRow("tags two tiers B") << "tags"
                                      << "two B" << 3 << 1;
    QTest::newRow("ledger, two pages") << "ledger"
                                       << "" << 12 << 2;
    // Twelve rows of 20pt type, padded 4 mm: the page goes on over a second sheet, no row lost.
    QTest::newRow("ledger, a page taller than the paper") << "ledger"
                                                          << "tall" << 12 << 2;
}

void TestSheetPainter::sheets()
{
    QFETCH(QString, maker);
    QFETCH(QString, variant);
    QFETCH(int, products);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    common::MakeResult made;
    QStringList expected;
    QStringList prices; // every card's price as pdftotext reads it
    qint64 lastProgress = 0, progressPages = 0;
    const painting::PaintOptions options{.progress = [&](qint64 done, qint64 all) {
        QCOMPARE(done, lastProgress + 1);
        lastProgress = done;
        progressPages = all;
    }};
    if (maker == QLatin1String("shelf")) {
        const shelf_labels::Inputs in = shelfInputs(variant, products);
        made = shelf_labels::makePdf(in, pdf, options);
        expected = expectedCodes(in.rows);
        for (const products::Product &p : in.rows)
            prices << shelf_labels::priceTexts(p.price, in.tax)->price;
    } else if (maker == QLatin1String("tags")) {
        price_tags::Inputs in = tagInputs(variant, 2);
        made = price_tags::makePdf(in, pdf, options);
        expected = expectedCodes(productList(products), 2);
        for (int i = 0; i < products; ++i)
            prices << in.rows[size_t(i)].price << in.rows[size_t(i)].price;
    } else {
        ledger::Inputs in{productList(products), ledger::LedgerDesign(), products::TaxSettings(), QStringLiteral("1")};
        in.design.rowsPerPage = 10;
        if (variant == QLatin1String("tall")) {
            in.design.rowsPerPage = 12;
            in.design.fontSize = 20;
            in.design.padding = 4;
        }
        made = ledger::makePdf(in, pdf, options);
        expected = expectedCodes(in.rows);
        for (const products::Product &p : in.rows)
            prices << ledger::ledgerPrices(p.price, in.tax).included;
    }
    QVERIFY2(made.ok(), qPrintable(made.text));
    QCOMPARE(made.path, pdf);
    QCOMPARE(pageCount(pdf), pages);
    QCOMPARE(progressPages, qint64(pages));
    QCOMPARE(lastProgress, qint64(pages));
    QStringList seen;
    for (const QList<Word> &page : words(pdf)) {
        for (const Word &w : page)
            seen << w.text;
    }
    for (const QString &price : std::as_const(prices)) {
        // "¥ 1,050" and "1,050円" come out as words of their own.
        QVERIFY2(seen.contains(price) || seen.contains(price + QStringLiteral("円")) ||
                     std::any_of(seen.begin(), seen.end(), [&](const QString &w) { return w.endsWith(price); }),
                 qPrintable(price));
    }
    // zbarimg tells each code once per page, however many copies the page holds.
    QStringList read = decoded(pdf, dir.path());
    read.removeDuplicates();
    expected.removeDuplicates();
    QCOMPARE(read, expected);
}

void TestSheetPainter::stockPlacement_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QRectF>("first"); // left, top, label width, height (mm)
    QTest::addColumn<QSizeF>("pitch");
    QTest::addColumn<int>("start"); // start position on the sheet
    QTest::newRow("3 x 8, gaps, from the first") << 3 << 8 << QRectF(8.0, 12.9, 63.5, 33.9) << QSizeF(66.0, 33.9) << 1;
    QTest::newRow("2 x 5, margins, partly used") << 2 << 5 << QRectF(12.5, 21.5, 86.4, 50.8) << QSizeF(99.1, 50.8) << 4;
    QTest::newRow("4 x 11, from the last row") << 4 << 11 << QRectF(4.75, 8.5, 48.5, 25.4) << QSizeF(50.0, 25.4) << 41;
}

// Each card stands on its label: the card's word boxes inside the label rectangle the stock gives, the
// labels before the start position blank.
void TestSheetPainter::stockPlacement()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QRectF, first);
    QFETCH(QSizeF, pitch);
    QFETCH(int, start);
    label_stocks::ChosenStock stock;
    stock.key = QStringLiteral("Test:stock");
    stock.pageWidthMm = 210;
    stock.pageHeightMm = 297;
    stock.columns = columns;
    stock.rows = rows;
    stock.leftMm = first.left();
    stock.topMm = first.top();
    stock.labelWidthMm = first.width();
    stock.labelHeightMm = first.height();
    stock.pitchXMm = pitch.width();
    stock.pitchYMm = pitch.height();
    shelf_labels::Inputs in = shelfInputs(QStringLiteral("A fixed"), 3);
    in.design.countW = QString::number(columns);
    in.design.countH = QString::number(rows);
    in.start = QString::number(start);
    in.design.showBarcode = false;
    in.design.showRemarks = false;
    in.design.stock = stock; // the design's own stock, as the 用紙 choice stores it
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("stock.pdf"));
    const common::MakeResult made = shelf_labels::makePdf(in, pdf);
    QVERIFY2(made.ok(), qPrintable(made.text));
    const QList<QList<Word>> pages = words(pdf);
    QCOMPARE(pages.size(), 1);
    const double px = 25.4 / 96;
    for (int i = 0; i < columns * rows; ++i) {
        const QRectF label(first.left() + (i % columns) * pitch.width(), first.top() + (i / columns) * pitch.height(),
                           first.width(), first.height());
        const QRectF box = shelf_labels::fixedCardBox(in.design, i, &stock);
        QCOMPARE(QRectF(box.x() * px, box.y() * px, box.width() * px, box.height() * px).toRect(), label.toRect());
        // A card's texts are clipped to its label, but a text layer keeps whole words: the names
        // (short) tell which card stands on which label.
        QStringList inside;
        for (const Word &w : pages.first()) {
            if (label.contains(w.box.center()) && w.text.startsWith(QStringLiteral("商品")))
                inside << w.text;
        }
        const int product = i - (start - 1);
        if (product < 0 || product >= in.rows.size())
            QVERIFY2(inside.isEmpty(), qPrintable(inside.join(QLatin1Char(' '))));
        else
            QCOMPARE(inside, QStringList{in.rows.at(product).name});
    }
}

void TestSheetPainter::calibration_data()
{
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("shelf, right and down") << "shelf" << QPointF(1.5, 2.0);
    QTest::newRow("shelf, left and up") << "shelf" << QPointF(-0.7, -1.3);
    QTest::newRow("tags, tenths") << "tags" << QPointF(0.1, -0.2);
    QTest::newRow("ledger") << "ledger" << QPointF(2.0, 0.5);
}

// Every word moves by exactly the offset.
void TestSheetPainter::calibration()
{
    QFETCH(QString, maker);
    QFETCH(QPointF, offset);
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    const QString moved = dir.filePath(QStringLiteral("moved.pdf"));
    auto make = [&](const QString &pdf, const painting::PaintOptions &o) {
        if (maker == QLatin1String("shelf"))
            return shelf_labels::makePdf(shelfInputs(QStringLiteral("A fixed"), 6), pdf, o);
        if (maker == QLatin1String("tags"))
            return price_tags::makePdf(tagInputs(QStringLiteral("one A"), 1), pdf, o);
        return ledger::makePdf({productList(4), ledger::LedgerDesign(), products::TaxSettings(), QStringLiteral("1")},
                               pdf, o);
    };
    QVERIFY(make(plain, {}).ok());
    QVERIFY(make(moved, {.offsetMm = offset}).ok());
    const QList<QList<Word>> a = words(plain), b = words(moved);
    QCOMPARE(a.size(), b.size());
    QVERIFY(!a.first().isEmpty());
    QCOMPARE(a.first().size(), b.first().size());
    for (qsizetype i = 0; i < a.first().size(); ++i) {
        const QPointF d = b.first().at(i).box.topLeft() - a.first().at(i).box.topLeft();
        QVERIFY2(qAbs(d.x() - offset.x()) < 0.01 && qAbs(d.y() - offset.y()) < 0.01,
                 qPrintable(QStringLiteral("%1 moved by %2, %3").arg(a.first().at(i).text).arg(d.x()).arg(d.y())));
    }
}

void TestSheetPainter::notWritten_data()
{
    QTest::addColumn<int>("cancelAfter"); // pages; -1: the PDF's folder is missing
    QTest::newRow("cancelled before the first page") << 0;
    QTest::newRow("cancelled after two pages") << 2;
    QTest::newRow("folder missing") << -1;
}

// A sheet cancelled or failed leaves the previous PDF as it was (or none).
void TestSheetPainter::notWritten()
{
    QFETCH(int, cancelAfter);
    QTemporaryDir dir;
    const QString pdf =
        cancelAfter < 0 ? dir.filePath(QStringLiteral("no/such/sheet.pdf")) : dir.filePath(QStringLiteral("sheet.pdf"));
    const QByteArray before("%PDF- the previous sheet");
    if (cancelAfter >= 0) {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }
    qint64 done = 0;
    painting::PaintOutcome outcome = painting::PaintOutcome::Done;
    const common::MakeResult made = shelf_labels::makePdf(
        shelfInputs(QStringLiteral("A"), 100), pdf,
        {.progress = [&](qint64 d, qint64) { done = d; }, .cancelled = [&] { return done >= cancelAfter; }}, &outcome);
    QVERIFY(!made.ok());
    if (cancelAfter < 0) {
        QCOMPARE(outcome, painting::PaintOutcome::Failed);
        QCOMPARE(made.kind, common::MakeResult::Failed);
        QCOMPARE(made.error.number, platform::AppError::PathNotFound);
        QVERIFY(!QFileInfo::exists(pdf));
        return;
    }
    QCOMPARE(outcome, painting::PaintOutcome::Cancelled);
    QCOMPARE(done, qint64(cancelAfter));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("sheet.pdf")});
}

void TestSheetPainter::barModules_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("EAN-13") << "4901234567894";
    QTest::newRow("EAN-8") << "49123456";
    QTest::newRow("not a code") << "49012345678";
    QTest::newRow("letters") << "49012345678AB";
}

// The bars have the widths of the page's images: one module per CSS pixel, image for image.
void TestSheetPainter::barModules()
{
    QFETCH(QString, code);
    int pixels = 0;
    for (const QString &image : barcode::imageSequence(code))
        pixels += image.startsWith(QLatin1String("LB")) || image.startsWith(QLatin1String("RB")) ? 4
                  : image.startsWith(QLatin1String("CB"))                                        ? 5
                                                                                                 : 7;
    QCOMPARE(painting::barModules(code).size(), qsizetype(pixels));
    QCOMPARE(painting::barsWidth(code), double(pixels));
}

// Columns as the browser's automatic table layout shares a table's width: {min, max} of each column
// (padding included), a cell spanning all of them ({min, max}; none when empty), the width; the widths.
void TestSheetPainter::columns_data()
{
    QTest::addColumn<QList<QPointF>>("columns");
    QTest::addColumn<QList<QPointF>>("span");
    QTest::addColumn<double>("width");
    QTest::addColumn<QList<double>>("widths");
    const QList<QPointF> two{{10, 20}, {20, 60}};
    QTest::newRow("beyond the maxes: in proportion to them")
        << two << QList<QPointF>() << 160.0 << QList<double>{40, 120};
    QTest::newRow("the maxes exactly") << two << QList<QPointF>() << 80.0 << QList<double>{20, 60};
    QTest::newRow("between: in proportion to the maxes") << two << QList<QPointF>() << 50.0 << QList<double>{12, 38};
    QTest::newRow("between: a min taken first, the last column gives back")
        << QList<QPointF>{{10, 60}, {30, 40}} << QList<QPointF>() << 50.0 << QList<double>{20, 30};
    QTest::newRow("narrower than the mins: the mins") << two << QList<QPointF>() << 20.0 << QList<double>{10, 20};
    QTest::newRow("empty columns share evenly")
        << QList<QPointF>{{0, 0}, {0, 0}} << QList<QPointF>() << 30.0 << QList<double>{15, 15};
    // A price mark, a price and an empty mark: a long name over all three widens them in proportion to
    // their maxes, which leaves their shares of the table as they were.
    QTest::newRow("a wide cell over them keeps the shares")
        << QList<QPointF>{{10, 10}, {30, 30}, {2, 2}} << QList<QPointF>{{20, 84}} << 210.0
        << QList<double>{50, 150, 10};
    // A cell whose min is wider than the columns' maxes makes the columns' mins grow, so that a table
    // narrower than that keeps them.
    QTest::newRow("a wide unbreakable cell over them")
        << QList<QPointF>{{10, 30}, {10, 10}} << QList<QPointF>{{80, 80}} << 40.0 << QList<double>{60, 20};
}

void TestSheetPainter::columns()
{
    QFETCH(QList<QPointF>, columns);
    QFETCH(QList<QPointF>, span);
    QFETCH(double, width);
    QFETCH(QList<double>, widths);
    std::vector<painting::ColumnWidths> cols;
    for (const QPointF &c : columns)
        cols.push_back({c.x(), c.y()});
    for (const QPointF &c : span)
        painting::spreadSpan(cols, 0, int(cols.size()) - 1, 0, {c.x(), c.y()});
    const std::vector<double> got = painting::autoColumns(cols, width);
    QCOMPARE(int(got.size()), widths.size());
    for (qsizetype i = 0; i < widths.size(); ++i)
        QVERIFY2(qAbs(got[size_t(i)] - widths[i]) < 1e-9, qPrintable(QString::number(got[size_t(i)])));
}

void TestSheetPainter::pageEdges_data()
{
    QTest::addColumn<bool>("bars");    // the middle row holds bars instead of a line of text
    QTest::addColumn<double>("at");    // the edge, as a part of the middle row's content down from its top
    QTest::addColumn<double>("pages"); // the paper's height, in content heights of the middle row
    QTest::addColumn<bool>("moved");   // the middle row's content starts the next sheet
    QTest::newRow("an edge above the line") << false << 0.0 << 20.0 << false;
    QTest::newRow("an edge through the line") << false << 0.5 << 20.0 << true;
    QTest::newRow("an edge just under the line's top") << false << 0.05 << 20.0 << true;
    QTest::newRow("an edge through the bars") << true << 0.3 << 20.0 << true;
    QTest::newRow("bars taller than the paper, cut") << true << 0.3 << 0.9 << false;
}

// A line or bars that a page edge would cross start at it, and the table grows by as much: what
// the browser does when it prints a card over two sheets.
void TestSheetPainter::pageEdges()
{
    QFETCH(bool, bars);
    QFETCH(double, at);
    QFETCH(double, pages);
    QFETCH(bool, moved);
    QImage device(10, 10, QImage::Format_RGB32);
    painting::TextPen pen(&device);
    const painting::TextFace face =
        painting::faceOf(QStringLiteral("通常"), QStringLiteral("12pt"), QString(), QString(), QStringLiteral("left"));
    painting::CardTable table(pen, 1);
    for (int r = 0; r < 3; ++r) {
        painting::CardCell c;
        c.face = &face;
        // The last row stays empty: nothing of it can meet an edge.
        c.text = r < 2 ? QStringLiteral("値札 %1").arg(r) : QString();
        if (r == 1 && bars) {
            c.kind = painting::CardCell::Bars;
            c.text = QStringLiteral("4901234567894");
            c.imageHeight = 40;
        }
        table.row();
        table.add(c);
    }
    const double whole = table.layOut(200);
    const double first = pen.lineHeight(face) + 2; // the first row: its line padded 1 px above and below
    const double content = bars ? 40 : pen.lineHeight(face);
    const double edge = first + 1 + at * content;
    table.setPageEdges(edge, pages * content);
    const double grown = table.layOut(200);
    // Moved down to start at the edge.
    const double expected = moved ? at * content : 0;
    QVERIFY2(qAbs(table.growth() - expected) < 1e-6, qPrintable(QString::number(table.growth())));
    QVERIFY2(qAbs(grown - whole - expected) < 1e-6, qPrintable(QString::number(grown - whole)));
}

// A double border's two lines and the gap between them in whole pixels, as vennlo-pdf paints a box's
// double border of the given width (measured at 4 dots a pixel): '#' a pixel of a line, '.' the gap.
void TestSheetPainter::doubleBorder_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("pixels");
    QTest::newRow("3 px") << 3 << "#.#";
    QTest::newRow("4 px") << 4 << "#..#";
    QTest::newRow("5 px") << 5 << "##.##";
    QTest::newRow("6 px") << 6 << "##..##";
    QTest::newRow("7 px") << 7 << "##...##";
    QTest::newRow("8 px") << 8 << "###..###";
}

void TestSheetPainter::doubleBorder()
{
    QFETCH(int, width);
    QFETCH(QString, pixels);
    // Four dots a pixel, as measured.
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.scale(4, 4);
        painting::drawBorder(p, QRectF(10, 10, 60, 40), width, QStringLiteral("double"), Qt::black);
    }
    QString expected, got;
    for (const QChar c : pixels)
        expected += QString(4, c);
    for (int x = 40; x < 40 + 4 * width; ++x)
        got += qGray(image.pixel(x, 120)) < 128 ? QLatin1Char('#') : QLatin1Char('.');
    QCOMPARE(got, expected);
}

// The page's bars are a row of images in a block of their own, which the browser breaks between
// any two images where the cell is narrower: the cell grows a line of the bars' height for each.
// Heights measured from vennlo-pdf with bars 40 px tall in a cell of the given content width.
void TestSheetPainter::barsInANarrowCell_data()
{
    QTest::addColumn<bool>("nested");    // the bars in a nested table (1 px cell padding), no digits
    QTest::addColumn<double>("content"); // the cell's width inside its padding
    QTest::addColumn<int>("lines");
    QTest::newRow("as wide as the bars") << false << 97.0 << 1;
    QTest::newRow("a pixel narrower: the last guard below") << false << 96.0 << 2;
    QTest::newRow("up to the centre guard on a line") << false << 47.0 << 3;
    QTest::newRow("two or three images a line") << false << 20.0 << 6;
    QTest::newRow("nested: as wide as the bars") << true << 99.0 << 1;
    QTest::newRow("nested: a pixel narrower") << true << 98.0 << 2;
    QTest::newRow("nested: two or three images a line") << true << 22.0 << 6;
}

void TestSheetPainter::barsInANarrowCell()
{
    QFETCH(bool, nested);
    QFETCH(double, content);
    QFETCH(int, lines);
    QImage device(10, 10, QImage::Format_RGB32);
    painting::TextPen pen(&device);
    painting::CardTable table(pen, 1);
    const painting::TextFace face;
    painting::CardCell c;
    c.kind = nested ? painting::CardCell::BarsAndDigits : painting::CardCell::Bars;
    c.text = QStringLiteral("4901234567894");
    c.face = &face;
    c.nestedPadding = nested ? 1 : 0;
    c.imageHeight = 40;
    table.row();
    table.add(c);
    // A nested table has its padding round the bars and round the (empty) digits.
    QCOMPARE(table.layOut(content + 2), lines * 40.0 + 2 + (nested ? 4 : 0));
}

void TestSheetPainter::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("widest"); // the widest piece a line may hold alone
    QTest::newRow("a price") << QStringLiteral("1,029") << QStringLiteral("1,029");
    QTest::newRow("a price and its unit") << QStringLiteral("1,029円") << QStringLiteral("1,029");
    QTest::newRow("a date") << QStringLiteral("12/31特売") << QStringLiteral("12/31");
    QTest::newRow("a decimal in a sentence") << QStringLiteral("約1.5倍") << QStringLiteral("1.5");
}

// A number stays whole on its line, however narrow the cell, as the page's web engine keeps it.
void TestSheetPainter::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(QString, widest);
    QImage device(10, 10, QImage::Format_RGB32);
    painting::TextPen pen(&device);
    painting::TextFace face;
    face.family = QStringLiteral("Noto Sans CJK JP");
    QCOMPARE(pen.minWidth(face, text), pen.width(face, widest));
    const int pieces = int(text.size() - widest.size()) + 1; // the rest breaks between any two characters
    QCOMPARE(pen.lineCount(face, text, 1), pieces);
}

// A text's widest unbroken line as vennlo-pdf lays it out (the text in a float, a letter floated
// beside it, read back with pdftotext -bbox). The web engine shapes a space, each Japanese letter and
// what ends in a hyphen apart: nothing is kerned across them, but Latin letters within a word are; a
// piece of digits alone takes narrower digits in a Mincho face than digits after letters. Advances are
// added up as the engine's font library scales them, not in 64ths of a pixel.
void TestSheetPainter::textWidths_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width"); // CSS pixels
    QTest::newRow("Mincho bold, price and ideographs") << "太字"
                                                       << "16pt"
                                                       << "ＭＳ Ｐ明朝"
                                                       << "(本体価格 398円)" << 167.11;
    QTest::newRow("Gothic, digits") << "通常"
                                    << "16px"
                                    << "ＭＳ ゴシック"
                                    << "4901234567894" << 115.46;
    QTest::newRow("Gothic, name with kana") << "通常"
                                            << "9pt"
                                            << "ＭＳ ゴシック"
                                            << "煎茶ティーバッグ <20袋入>" << 149.36;
    QTest::newRow("Mincho, kana") << "通常"
                                  << "9pt"
                                  << "ＭＳ Ｐ明朝"
                                  << "ティーバッグ" << 72.00;
    QTest::newRow("Mincho, code") << "通常"
                                  << "9pt"
                                  << "ＭＳ 明朝"
                                  << "B-101" << 30.16;
    QTest::newRow("Mincho bold, code") << "太字"
                                       << "12pt"
                                       << "ＭＳ 明朝"
                                       << "B-101" << 41.79;
    QTest::newRow("Mincho, digits after a space") << "通常"
                                                  << "16px"
                                                  << "ＭＳ 明朝"
                                                  << "No.1 10%" << 70.99;
    QTest::newRow("Mincho, digits after a slash") << "通常"
                                                  << "16px"
                                                  << "ＭＳ 明朝"
                                                  << "B/101" << 42.38;
    QTest::newRow("Mincho, letters after a hyphen") << "通常"
                                                    << "16px"
                                                    << "ＭＳ 明朝"
                                                    << "B-CD" << 39.62;
    QTest::newRow("Mincho, a word and a digit") << "通常"
                                                << "16px"
                                                << "ＭＳ 明朝"
                                                << "Tea-1" << 39.80;
    QTest::newRow("Gothic, Latin letters kerned") << "通常"
                                                  << "9pt"
                                                  << "ＭＳ ゴシック"
                                                  << "AVA To" << 37.38;
    QTest::newRow("Meiryo bold, Latin kerned beside an ideograph") << "太字"
                                                                   << "12pt"
                                                                   << "メイリオ"
                                                                   << "Yoyo 茶" << 56.94;
}

void TestSheetPainter::textWidths()
{
    QFETCH(QString, style);
    QFETCH(QString, size);
    QFETCH(QString, family);
    QFETCH(QString, text);
    QFETCH(double, width);
    QImage device(10, 10, QImage::Format_RGB32);
    const painting::TextPen pen(&device);
    const painting::TextFace face = painting::faceOf(style, size, family, QString(), QStringLiteral("left"));
    const double got = pen.width(face, text);
    QVERIFY2(qAbs(got - width) < 0.08, qPrintable(QString::number(got, 'f', 3)));
}

// A text cell's width in the automatic table layout, padding included, as vennlo-pdf lays it out (a
// table of the cell between two of known width, read back with pdftotext -bbox). The engine takes each
// glyph's advance as its font library scales it, a hair off the exact one, and rounds the cell up to
// the next whole pixel: text of exactly 32 px takes 35, of 24 px at 24 px a letter 26.
void TestSheetPainter::cellWidths_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("cell");
    const QString gothic = QStringLiteral("ＭＳ ゴシック");
    QTest::newRow("24pt ideograph") << "両方"
                                    << "24pt" << gothic << "円" << 35.0;
    QTest::newRow("24pt ideographic space") << "両方"
                                            << "24pt" << gothic << "\u3000" << 35.0;
    QTest::newRow("12pt, two") << "太字"
                               << "12pt" << gothic << "円円" << 35.0;
    QTest::newRow("9pt, four") << "太字"
                               << "9pt" << gothic << "円円円円" << 51.0;
    QTest::newRow("18pt ideograph") << "太字"
                                    << "18pt" << gothic << "円" << 26.0;
    QTest::newRow("30pt ideograph") << "太字"
                                    << "30pt" << gothic << "円" << 42.0;
    QTest::newRow("16pt, three") << "太字"
                                 << "16pt" << gothic << "円円円" << 66.0;
    QTest::newRow("14pt, three") << "太字"
                                 << "14pt" << gothic << "円円円" << 58.0;
    QTest::newRow("price") << "両方"
                           << "34pt"
                           << "ＭＳ Ｐゴシック"
                           << "609" << 83.0;
}

void TestSheetPainter::cellWidths()
{
    QFETCH(QString, style);
    QFETCH(QString, size);
    QFETCH(QString, family);
    QFETCH(QString, text);
    QFETCH(double, cell);
    QImage device(10, 10, QImage::Format_RGB32);
    const painting::TextPen pen(&device);
    const painting::TextFace face = painting::faceOf(style, size, family, QString(), QStringLiteral("left"));
    QCOMPARE(painting::wholePixels({0, pen.width(face, text) + 2}).max, cell);
}

int main(int argc, char *argv[])
{
    // The sheets draw the designs' Windows font names in the faces the program's fontconfig names.
    platform::useProgramFontConfig(QStringLiteral(VENNLO_PROGRAM_DIR));
    QGuiApplication app(argc, argv);
    TestSheetPainter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sheet_painter.moc"
