// The stock a design prints on: its keys in the design files and the settings file (a design without
// one keeps its bytes), and the pages whose cards stand on the stock's labels.

#include "label_stocks/calibration_page.h"
#include "label_stocks/chosen_stock.h"
#include "platform/profile_file.h"
#include "price_tags/design_file.h"
#include "price_tags/sheet.h"
#include "settings/settings.h"
#include "shelf_labels/design_file.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/window_values.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "support/cli_runner.h"

using label_stocks::ChosenStock;

namespace {

const QString kData = QStringLiteral(VENNLO_TEST_DATA_DIR);

ChosenStock stock(const QString &key, double lw, double lh, int columns, int rows, double left, double top, double dx,
                  double dy)
{
    return ChosenStock{key, 210, 297, lw, lh, columns, rows, left, top, dx, dy};
}

// ELM012-like: 2 × 6 labels of 86.4 × 42.3 mm; a 3 × 8 sheet with gaps; one that fills the page.
const ChosenStock kTwelve = stock(QStringLiteral("Hisago:ELM012"), 86.4, 42.3, 2, 6, 16.6, 21.6, 90.4, 42.3);
const ChosenStock kGaps = stock(QStringLiteral("Ex:24"), 63.5, 33.9, 3, 8, 7.25, 12.9, 66, 34.1);
const ChosenStock kFull = stock(QStringLiteral("Ex:FULL"), 70, 37.125, 3, 8, 0, 0, 70, 37.125);

QByteArray stockSection(const QString &section, const ChosenStock &s)
{
    using label_stocks::mmText;
    return QStringLiteral("[%1]\r\nName=%2\r\nPW=%3\r\nPH=%4\r\nLW=%5\r\nLH=%6\r\nC=%7\r\nR=%8\r\nL=%9\r\n")
               .arg(section, s.key, mmText(s.pageWidthMm), mmText(s.pageHeightMm), mmText(s.labelWidthMm),
                    mmText(s.labelHeightMm))
               .arg(s.columns)
               .arg(s.rows)
               .arg(mmText(s.leftMm))
               .toLatin1() +
           QStringLiteral("T=%1\r\nDX=%2\r\nDY=%3\r\n")
               .arg(mmText(s.topMm), mmText(s.pitchXMm), mmText(s.pitchYMm))
               .toLatin1();
}

QByteArray fileBytes(const QString &path)
{
    return cli_runner::readBytes(path);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The left and top (mm) of every label of a page, in page order, and the number of sheets.
struct Placed {
    QList<QPointF> labels;
    int sheets = 0;
};

Placed placed(const QStringList &lines)
{
    static const QRegularExpression label(
        QStringLiteral("<div class=\"label\" style=\"left:([-0-9.]+)mm; top:([-0-9.]+)mm;"));
    Placed p;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("<div class=\"sheet\">")) ||
            line.startsWith(QLatin1String("<div class=\"lastsheet\">")))
            ++p.sheets;
        const auto m = label.match(line);
        if (m.hasMatch())
            p.labels << QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return p;
}

// Where the cards of a sheet of `cards` products from start position `start` should stand.
QList<QPointF> expectedPlaces(const ChosenStock &s, int cards, int start)
{
    QList<QPointF> places;
    for (int i = start - 1; i < start - 1 + cards; ++i) {
        const QRectF r = s.labelRectMm(i);
        places << QPointF(label_stocks::mmText(r.left()).toDouble(), label_stocks::mmText(r.top()).toDouble());
    }
    return places;
}

} // namespace

class TestChosenStock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mmTexts_data();
    void mmTexts();
    void designFiles_data();
    void designFiles();
    void unusableStock_data();
    void unusableStock();
    void settingsFile();
    void sheets_data();
    void sheets();
    void calibrationPage();
};

void TestChosenStock::mmTexts_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 210.0 << "210";
    QTest::newRow("two places") << 48.26 << "48.26";
    QTest::newRow("rounded") << 25.4 / 72 * 36 << "12.7";
    QTest::newRow("three places") << 37.1250 << "37.125";
    QTest::newRow("a point") << 25.4 / 72 << "0.353";
    QTest::newRow("negative") << -1.5 << "-1.5";
    QTest::newRow("minus zero") << -0.0004 << "0";
}

void TestChosenStock::mmTexts()
{
    QFETCH(double, mm);
    QFETCH(QString, text);
    QCOMPARE(label_stocks::mmText(mm), text);
}

// A design file without a stock reads and writes byte for byte as before; one with a stock keeps it
// and its bytes; a stock chosen for a file without one adds its section at the end.
void TestChosenStock::designFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<bool>("withStock");
    QTest::newRow("hdn without") << "shelf_labels/typeA_defaults.hdn"
                                 << "Stock" << false;
    QTest::newRow("hdn with") << "shelf_labels/typeB_defaults.hdn"
                              << "Stock" << true;
    QTest::newRow("cdn without") << "price_tags/e2e_one_tier_A.cdn"
                                 << "CStock" << false;
    QTest::newRow("cdn with") << "price_tags/e2e_two_tiers_B.cdn"
                              << "CStock" << true;
}

void TestChosenStock::designFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, section);
    QFETCH(bool, withStock);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design"));
    QByteArray original = fileBytes(kData + QLatin1Char('/') + file);
    if (!original.endsWith("\r\n"))
        original += "\r\n";
    const QByteArray stored = withStock ? original + stockSection(section, kGaps) : original;
    writeBytes(path, stored);
    const bool shelf = section == QLatin1String("Stock");
    ChosenStock read;
    if (shelf) {
        const shelf_labels::DesignRead r = shelf_labels::ReadDesign(path);
        QVERIFY(!r.error.isSet());
        QVERIFY(!r.replaced.isSet());
        read = r.values.design.stock;
        QVERIFY(shelf_labels::WriteDesign(r.values, path));
    } else {
        const price_tags::CDesignRead r = price_tags::ReadCDesign(path, price_tags::WindowValues());
        QVERIFY(!r.error.isSet());
        read = r.form.stock;
        QVERIFY(!price_tags::WriteCDesign(r.form, path).isSet());
    }
    QCOMPARE(read, withStock ? kGaps : ChosenStock{});
    QCOMPARE(fileBytes(path), stored);

    if (!withStock) {
        // Chosen in the window and saved: the section follows the file's own keys.
        if (shelf) {
            shelf_labels::WindowValues v = shelf_labels::ReadDesign(path).values;
            shelf_labels::useStock(v.design, kTwelve);
            QVERIFY(shelf_labels::WriteDesign(v, path));
            QCOMPARE(shelf_labels::ReadDesign(path).values.design.stock, kTwelve);
        } else {
            price_tags::WindowValues f = price_tags::ReadCDesign(path, price_tags::WindowValues()).form;
            price_tags::useStock(f, kTwelve);
            QVERIFY(!price_tags::WriteCDesign(f, path).isSet());
            QCOMPARE(price_tags::ReadCDesign(path, price_tags::WindowValues()).form.stock, kTwelve);
        }
        const QByteArray after = fileBytes(path);
        QVERIFY(after.endsWith(stockSection(section, kTwelve)));
    }
}

// A stored stock whose geometry no page can hold is dropped with its name in the report.
void TestChosenStock::unusableStock_data()
{
    QTest::addColumn<QByteArray>("section");
    const QByteArray good = stockSection(QStringLiteral("Stock"), kTwelve);
    QTest::newRow("no columns") << QByteArray(good).replace("C=2\r\n", "C=0\r\n");
    QTest::newRow("label size missing") << QByteArray(good).replace("LW=86.4\r\n", "");
    QTest::newRow("not a number") << QByteArray(good).replace("T=21.6\r\n", "T=abc\r\n");
    QTest::newRow("beyond any sheet") << QByteArray(good).replace("PH=297\r\n", "PH=99999\r\n");
    QTest::newRow("grid too large") << QByteArray(good).replace("R=6\r\n", "R=5000\r\n");
}

void TestChosenStock::unusableStock()
{
    QFETCH(QByteArray, section);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.hdn"));
    writeBytes(path, fileBytes(kData + QStringLiteral("/shelf_labels/typeA_defaults.hdn")) + section);
    const shelf_labels::DesignRead r = shelf_labels::ReadDesign(path);
    QVERIFY(!r.error.isSet());
    QCOMPARE(r.values.design.stock, ChosenStock{});
    QVERIFY(r.replaced.description.contains(QStringLiteral("[Stock] Name")));
}

// The settings keep both designs' stocks and the printer calibration; a shop that never chose a stock
// or calibrated keeps the file of a new installation.
void TestChosenStock::settingsFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    writeBytes(path, settings::defaultSettingsBytes());
    settings::Settings s = settings::GetInitial(path, QString(), false).settings;
    platform::AppError error;
    QVERIFY(settings::SetInitial(s, path, true, &error));
    const QByteArray untouched = fileBytes(path);
    QVERIFY(!untouched.contains("Stock]"));
    QVERIFY(!untouched.contains("[Calibration]"));

    s.shelf.stock = kTwelve;
    s.tag.stock = kFull;
    s.calibration = common::PrintCalibration{-15, 7};
    QVERIFY(settings::SetInitial(s, path, true, &error));
    const settings::Settings back = settings::GetInitial(path, QString(), false).settings;
    QCOMPARE(back.shelf.stock, kTwelve);
    QCOMPARE(back.tag.stock, kFull);
    QCOMPARE(back.calibration, s.calibration);
    QVERIFY(fileBytes(path).contains("[Calibration]\r\nX=-15\r\nY=7\r\n"));
}

// Every card stands on its label: the stocks' grids, gaps and margins, whole and partly used sheets.
void TestChosenStock::sheets_data()
{
    QTest::addColumn<ChosenStock>("stock");
    QTest::addColumn<int>("cards");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("sheets");
    QTest::newRow("one card") << kTwelve << 1 << 1 << 1;
    QTest::newRow("a sheet exactly") << kTwelve << 12 << 1 << 1;
    QTest::newRow("onto a second sheet") << kTwelve << 13 << 1 << 2;
    QTest::newRow("partly used sheet") << kGaps << 5 << 7 << 1;
    QTest::newRow("partly used, spilling over") << kGaps << 20 << 10 << 2;
    QTest::newRow("last label of the sheet") << kFull << 2 << 24 << 2;
}

void TestChosenStock::sheets()
{
    QFETCH(ChosenStock, stock);
    QFETCH(int, cards);
    QFETCH(int, start);
    QFETCH(int, sheets);
    const QList<QPointF> expected = expectedPlaces(stock, cards, start);

    products::ProductList list;
    for (int i = 0; i < cards; ++i)
        list << products::Product{QString::number(i), QStringLiteral("商品"), QStringLiteral("100"), QString(),
                                  QStringLiteral("4901234567894")};
    shelf_labels::ShelfLabelDesign shelf = shelf_labels::SetDefaultA().design;
    shelf_labels::useStock(shelf, stock);
    const auto sheet = shelf_labels::SetSyouhin(list, shelf, {}, start - 1);
    QVERIFY(sheet);
    const auto shelfLines = shelf_labels::sheetHtmlLines(*sheet, shelf);
    QVERIFY(shelfLines);
    const Placed onShelf = placed(*shelfLines);
    QCOMPARE(onShelf.labels, expected);
    QCOMPARE(onShelf.sheets, sheets);

    price_tags::PriceTagDesign tag;
    price_tags::WindowValues form = price_tags::loadWindowValues(tag);
    price_tags::useStock(form, stock);
    form.startPos = QString::number(start);
    QVERIFY(!price_tags::SetCValue(form, tag).isSet());
    price_tags::ProductSlots items;
    items[0] = price_tags::ProductSlot{QStringLiteral("1"), QStringLiteral("商品"), QStringLiteral("108"),
                                       QStringLiteral("4901234567894"), true};
    price_tags::Copies copies;
    copies.fill(QStringLiteral("0"));
    copies[0] = QString::number(cards);
    price_tags::SheetCards tagCards;
    QVERIFY(!price_tags::SetSyouhin(items, copies, tag, &tagCards).isSet());
    const price_tags::PageLines page = price_tags::MakeCHtml(tagCards, tag);
    QVERIFY(!page.error.isSet());
    const Placed onTags = placed(page.lines);
    QCOMPARE(onTags.labels, expected);
    QCOMPARE(onTags.sheets, sheets);
    // Each page is one whole sheet at its own size, without margins.
    QVERIFY(page.lines.contains(QStringLiteral("@page {size:210mm 297mm; margin:0;}")));
}

void TestChosenStock::calibrationPage()
{
    const QString page = label_stocks::calibrationPageLines().join(QLatin1Char('\n'));
    for (const label_stocks::CrossMark &c : label_stocks::CalibrationCrosses) {
        const QString across = QStringLiteral("left:%1mm; top:%2mm; width:16mm; height:0.2mm;")
                                   .arg(label_stocks::mmText(c.xMm - 8), label_stocks::mmText(c.yMm - 0.1));
        QVERIFY2(page.contains(across), qPrintable(across));
    }
    QCOMPARE(page.count(QStringLiteral("<div class=\"ink\"")),
             2 * int(std::size(label_stocks::CalibrationCrosses)) +
                 int(label_stocks::RulerEndXMm - label_stocks::RulerStartMm + 1) +
                 int(label_stocks::RulerEndYMm - label_stocks::RulerStartMm + 1));
}

QTEST_GUILESS_MAIN(TestChosenStock)
#include "tst_chosen_stock.moc"
