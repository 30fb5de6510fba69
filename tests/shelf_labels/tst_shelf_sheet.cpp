#include "expected_page.h"

#include "platform/apperror.h"
#include "platform/cp932.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/window_values.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace shelf_labels;
using platform::UiServices;
using products::Product;
using products::ProductList;
using products::TaxSettings;

Q_DECLARE_METATYPE(UiServices::Icon)

namespace {

Product product(const QString &code, const QString &name, const QString &price, const QString &remarks = {},
                const QString &jan = {}, bool checked = false)
{
    return Product{code, name, price, remarks, jan, checked};
}

ProductList numbered(int count, const QString &price = QStringLiteral("100"))
{
    ProductList list;
    for (int i = 1; i <= count; ++i)
        list << product(QStringLiteral("C%1").arg(i), QStringLiteral("商品%1").arg(i), price);
    return list;
}

QStringList pageLines(const ProductList &list, const ShelfLabelDesign &design, const TaxSettings &tax = {},
                      int startOffset = 0)
{
    platform::AppError error;
    const auto sheet = SetSyouhin(list, design, tax, startOffset, &error);
    if (!sheet) {
        qWarning("SetSyouhin failed: %s", qPrintable(error.description));
        return {};
    }
    const auto lines = sheetHtmlLines(*sheet, design, &error);
    if (!lines) {
        qWarning("sheetHtmlLines failed: %s", qPrintable(error.description));
        return {};
    }
    return *lines;
}

// The body in one letter per line: P/N table (pagebreak/nobreak), [ ] row, c card, b blank cell, / end of table.
QString bodyShape(const QStringList &lines)
{
    QString shape;
    for (qsizetype i = 46; i < lines.size() - 1; ++i) {
        const QString &l = lines.at(i);
        if (l == QLatin1String("<table class=\"pagebreak\" cellspacing=\"0\">"))
            shape += QLatin1Char('P');
        else if (l == QLatin1String("<table class=\"nobreak\" cellspacing=\"0\">"))
            shape += QLatin1Char('N');
        else if (l == QLatin1String("<tr>"))
            shape += QLatin1Char('[');
        else if (l == QLatin1String("</tr>"))
            shape += QLatin1Char(']');
        else if (l == QLatin1String("</table>"))
            shape += QLatin1Char('/');
        else if (l == QLatin1String("<td class=\"top\"><div class=\"dumm\"></div></td>"))
            shape += QLatin1Char('b');
        else if (l.startsWith(QLatin1String("<td class=\"top\"><div class=\"card\">")))
            shape += QLatin1Char('c');
        else
            shape += QLatin1Char('?');
    }
    return shape;
}

ShelfLabelDesign fixedSize(ShelfLabelDesign d)
{
    d.cardHeightFixed = true;
    d.cardWidthFixed = true;
    return d;
}

// The built-in design with the fields the make checks look at.
ShelfLabelDesign checkedDesign(bool fixed, const QString &logoW, const QString &logoH, const QString &countW,
                               const QString &countH)
{
    ShelfLabelDesign d = fixed ? fixedSize(SetDefaultA().design) : SetDefaultA().design;
    d.logoW = logoW;
    d.logoH = logoH;
    d.countW = countW;
    d.countH = countH;
    return d;
}

} // namespace

class TestShelfSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typeADefaultsPage();
    void typeBAllOnPage();
    void styleLines_data();
    void styleLines();
    void bodyLayout_data();
    void bodyLayout();
    void readingRule();
    void priceRules_data();
    void priceRules();
    void reducedRateCards_data();
    void reducedRateCards();
    void nonNumericPriceFailsWithoutCompletion();
    void emptyPriceIsBlankWithBaseDisplay();
    void priceMarks_data();
    void priceMarks();
    void headerAndBarcodeSwitches();
    void logoTag_data();
    void logoTag();
    void productTextsAreEscaped_data();
    void productTextsAreEscaped();
    void checks_data();
    void checks();
    void followUps_data();
    void followUps();
    void divisionGuard_data();
    void divisionGuard();
    void makeWritesCp932Page();
    void makeReportsUnwritableFolder();
    void makeRefusesUnencodableText_data();
    void makeRefusesUnencodableText();
    void settledDesignRules();
    void startPositions_data();
    void startPositions();
};

void TestShelfSheet::typeADefaultsPage()
{
    const ProductList list{
        product(QStringLiteral("A-001"), QStringLiteral("サイズ<M>"), QStringLiteral("1000"), QStringLiteral("R&D"),
                QStringLiteral("4901234567894")),
        product(QStringLiteral("A-002"), QStringLiteral("A&B"), QString()),
        product(QStringLiteral("A-003"), QStringLiteral("ぶどう"), QStringLiteral("98"), QString(),
                QStringLiteral("12345670")),
    };
    expected::compareLines(pageLines(list, SetDefaultA().design), QStringLiteral("sheet_typeA_defaults.html"));
}

void TestShelfSheet::typeBAllOnPage()
{
    WindowValues v = SetDefaultB();
    ShelfLabelDesign &d = v.design;
    d.countW = QStringLiteral("2");
    d.countH = QStringLiteral("2");
    d.showHeader = true;
    d.headerText = QStringLiteral("特価&セール");
    d.showItemCode = true;
    d.showRemarks = true;
    d.showLogo = true;
    d.logoName = QStringLiteral("C:\\Logo\\a.gif");
    d.logoW = QStringLiteral("120");
    d.logoH = QStringLiteral("40");
    d.logoAlign = QStringLiteral("右");
    d.cutLine = false;
    d.cardHeightFixed = true;
    d.cardHeight = QStringLiteral("45");
    d.cardWidthFixed = true;
    d.cardWidth = QStringLiteral("60");
    d.borderStyle = QStringLiteral("dashed");
    d.borderWidth = QStringLiteral("1.5");
    d.borderColor = QStringLiteral("#0000FF");
    d.padding = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    d.area[2].fontName = QStringLiteral("IPAGothic");
    d.area[2].fontStyle = QStringLiteral("斜体");
    d.area[2].fontSize = QStringLiteral("5mm");
    d.area[3].color = QStringLiteral("#0000FF");
    d.area[3].align = QStringLiteral("右");
    d.area[6].fontStyle = QStringLiteral("両方");
    d.area[6].fontSize = QStringLiteral("20pt");
    d.priceMark = 1;
    d.barcodeHeight = 30;
    TaxSettings tax;
    tax.indicate = 1;
    tax.ks = 1;
    tax.style = 4;
    const ProductList list{
        product(QStringLiteral("B-1"), QStringLiteral("<script>alert(1)</script>"), QStringLiteral("1050"),
                QStringLiteral("\"quoted\""), QStringLiteral("4567891234540")),
        product(QStringLiteral("B-2"), QStringLiteral("みかん"), QString()),
    };
    expected::compareLines(pageLines(list, d, tax, 1), QStringLiteral("sheet_typeB_all_on.html"));
}

void TestShelfSheet::styleLines_data()
{
    QTest::addColumn<bool>("width60");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, bool w, int line, const char *text) {
        QTest::newRow(name) << w << line << QString::fromUtf8(text);
    };
    row("A 8", false, 8,
        "table.pagebreak {page-break-after:always; border-collapse:collapse; border-style:solid; border-width:1px; "
        "border-color:#808080;");
    row("A 9", false, 9, "        table-layout:fixed;width:100%;}");
    row("A 13", false, 13, "td.area0 {font:normal normal bold 20pt \"ＭＳ Ｐゴシック\";");
    row("A 14", false, 14, "        color:#FFFFFF; text-align:center;}");
    row("A 38", false, 38, "td.top {vertical-align:top; border-style:solid; border-width:1px; border-color:#808080; }");
    row("A 39", false, 39, "div.card {width:100%;");
    row("A 40", false, 40, "        margin:0px;padding:0mm 0mm 0mm 0mm;overflow:visible;");
    row("A 41", false, 41, "        border-style:none; border-width:0pt;");
    row("A 46", false, 46, "--></style></head><body>");
    row("width 60: 9", true, 9, "        table-layout:fixed;}");
    row("width 60: 10", true, 10,
        "table.nobreak {border-collapse:collapse; border-style:solid; border-width:1px; border-color:#808080; "
        "table-layout:fixed;}");
    row("width 60: 38", true, 38,
        "td.top {vertical-align:top; border-style:solid; border-width:1px; border-color:#808080; width:60mm;}");
    row("width 60: 39", true, 39, "div.card {width:59mm;");
    row("width 60: 43", true, 43, "div.dumm {width:59mm;");
}

void TestShelfSheet::styleLines()
{
    QFETCH(bool, width60);
    QFETCH(int, line);
    QFETCH(QString, text);
    ShelfLabelDesign d = SetDefaultA().design;
    if (width60)
        d.cardWidthFixed = true;
    const QStringList lines = pageLines(numbered(1), d);
    QVERIFY(lines.size() > line);
    QCOMPARE(lines.at(line - 1), text);
}

void TestShelfSheet::bodyLayout_data()
{
    QTest::addColumn<int>("products");
    QTest::addColumn<QString>("countW");
    QTest::addColumn<QString>("countH");
    QTest::addColumn<int>("startOffset");
    QTest::addColumn<QString>("shape");
    QTest::newRow("13 on 3x4") << 13 << "3"
                               << "4" << 0 << "P[ccc][ccc][ccc][ccc]/N[cbb]/";
    QTest::newRow("12 on 3x4") << 12 << "3"
                               << "4" << 0 << "N[ccc][ccc][ccc][ccc]/";
    QTest::newRow("1 on 3x4") << 1 << "3"
                              << "4" << 0 << "N[cbb]/";
    QTest::newRow("start 5 on 3x4") << 3 << "3"
                                    << "4" << 4 << "N[bbb][bcc][cbb]/";
    QTest::newRow("start 12 on 3x4") << 1 << "3"
                                     << "4" << 11 << "N[bbb][bbb][bbb][bbc]/";
    QTest::newRow("25 on 2x8 (type B division)")
        << 25 << "2"
        << "8" << 0 << "P[cc][cc][cc][cc][cc][cc][cc][cc]/N[cc][cc][cc][cc][cb]/";
    QTest::newRow("1x1") << 2 << "1"
                         << "1" << 0 << "P[c]/N[c]/";
}

void TestShelfSheet::bodyLayout()
{
    QFETCH(int, products);
    QFETCH(QString, countW);
    QFETCH(QString, countH);
    QFETCH(int, startOffset);
    QFETCH(QString, shape);
    ShelfLabelDesign d = fixedSize(SetDefaultA().design);
    d.countW = countW;
    d.countH = countH;
    const QStringList lines = pageLines(numbered(products), d, {}, startOffset);
    QCOMPARE(bodyShape(lines), shape);
    QCOMPARE(lines.last(), QStringLiteral("</body></html>"));
}

void TestShelfSheet::readingRule()
{
    ProductList list = numbered(3);
    QString page = pageLines(list, SetDefaultA().design).join(QLatin1Char('\n'));
    QVERIFY(page.contains(QStringLiteral("商品1")) && page.contains(QStringLiteral("商品2")) &&
            page.contains(QStringLiteral("商品3")));
    list[1].checked = true;
    const QStringList lines = pageLines(list, SetDefaultA().design);
    page = lines.join(QLatin1Char('\n'));
    QVERIFY(!page.contains(QStringLiteral("商品1")));
    QVERIFY(page.contains(QStringLiteral("商品2")));
    QVERIFY(!page.contains(QStringLiteral("商品3")));
    QCOMPARE(bodyShape(lines), QStringLiteral("N[cbb]/"));
}

void TestShelfSheet::priceRules_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("basis");
    QTest::addColumn<int>("ks");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("zeikomi");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("note");
    const auto row = [](const char *name, const char *list, const char *rate, int basis, int ks, int style, int zeikomi,
                        const char *price, const char *note) {
        QTest::newRow(name) << QString::fromUtf8(list) << QString::fromUtf8(rate) << basis << ks << style << zeikomi
                            << QString::fromUtf8(price) << QString::fromUtf8(note);
    };
    row("worked example", "1000", "0.05", 0, 0, 4, 1, "1,050", "(本体価格 1,000円、消費税等 50円)");
    row("style 0", "1000", "0.05", 0, 0, 0, 1, "1,050", "");
    row("style 1", "1000", "0.05", 0, 0, 1, 1, "1,050", "(税込み)");
    row("style 2", "1000", "0.05", 0, 0, 2, 1, "1,050", "(本体価格 1,000円)");
    row("style 3", "1000", "0.05", 0, 0, 3, 1, "1,050", "(うち消費税等 50円)");
    row("unknown style", "1000", "0.05", 0, 0, 7, 1, "1,050", "");
    row("99 truncate", "99", "0.05", 0, 0, 3, 1, "103", "(うち消費税等 4円)");
    row("99 half up", "99", "0.05", 0, 1, 3, 1, "104", "(うち消費税等 5円)");
    row("99 up", "99", "0.05", 0, 2, 4, 1, "104", "(本体価格 99円、消費税等 5円)");
    row("sample half up", "2350", "0.05", 0, 1, 2, 1, "2,468", "(本体価格 2,350円)");
    row("thousands", "1234567", "0.05", 0, 0, 2, 1, "1,296,295", "(本体価格 1,234,567円)");
    row("rate 0.08", "1000", "0.08", 0, 0, 4, 1, "1,080", "(本体価格 1,000円、消費税等 80円)");
    row("empty, style 1", "", "0.05", 0, 0, 1, 1, "0", "(税込み)");
    row("empty, style 2", "", "0.05", 0, 0, 2, 1, "0", "(本体価格 0円)");
    row("empty, style 3", "", "0.05", 0, 0, 3, 1, "0", "(うち消費税等 0円) ");
    row("empty, style 4", "", "0.05", 0, 0, 4, 1, "0", "(本体価格 0円、消費税等 0円) ");
    row("empty, style 0", "", "0.05", 0, 0, 0, 1, "0", "");
    row("zero, basis 0", "0", "0.05", 0, 0, 2, 1, "0", "(本体価格 0円)");
    row("zero, basis 1", "0", "0.05", 1, 0, 3, 1, "0", "(うち消費税等 0円) ");
    row("text, basis 0", "abc", "0.05", 0, 0, 4, 1, "0", "(本体価格 0円、消費税等 0円) ");
    row("empty, basis 1", "", "0.05", 1, 0, 2, 1, "0", "(本体価格 0円)");
    row("included 100", "100", "0.05", 1, 0, 4, 1, "100", "(本体価格 96円、消費税等 4円)");
    row("included 105", "105", "0.05", 1, 2, 4, 1, "105", "(本体価格 100円、消費税等 5円)");
    row("included 1050", "1050", "0.05", 1, 0, 2, 1, "1,050", "(本体価格 1,000円)");
    row("included 1000 at 0.08", "1000", "0.08", 1, 1, 3, 1, "1,000", "(うち消費税等 74円)");
    row("base display, basis 0", "12345", "0.05", 0, 0, 4, 0, "12,345", "(消費税別)");
    row("base display, basis 0, empty", "", "0.05", 0, 0, 2, 0, "", "(消費税別)");
    row("base display, basis 1", "105", "0.05", 1, 0, 2, 0, "100", "(消費税別)");
    row("base display, basis 1, 100", "100", "0.05", 1, 1, 3, 0, "96", "(消費税別)");
    row("base display, basis 1, zero", "0", "0.05", 1, 0, 2, 0, "0", "(消費税別)");
}

void TestShelfSheet::priceRules()
{
    QFETCH(QString, list);
    QFETCH(QString, rate);
    QFETCH(int, basis);
    QFETCH(int, ks);
    QFETCH(int, style);
    QFETCH(int, zeikomi);
    QFETCH(QString, price);
    QFETCH(QString, note);
    TaxSettings tax;
    tax.rate = *products::Currency::parse(rate);
    tax.indicate = basis;
    tax.ks = ks;
    tax.style = style;
    tax.zeikomi = zeikomi;
    platform::AppError error;
    const auto texts = priceTexts(list, tax, &error);
    QVERIFY2(texts.has_value(), qPrintable(error.description));
    QCOMPARE(texts->price, price);
    QCOMPARE(texts->taxNote, note);

    // The same texts reach the card (or make it a blank cell).
    const QStringList lines =
        pageLines({product(QStringLiteral("X"), QStringLiteral("品"), list)}, SetDefaultA().design, tax);
    const QString cell = lines.value(48);
    if (platform::isNumeric(price)) {
        QVERIFY2(cell.contains(QStringLiteral("<td class=\"area31\">") + price + QStringLiteral("</td>")),
                 qPrintable(cell));
        QVERIFY(cell.contains(QStringLiteral("<td class=\"area4\" colspan=\"3\">") + note + QStringLiteral("</td>")));
    } else {
        QCOMPARE(cell, QStringLiteral("<td class=\"top\"><div class=\"dumm\"></div></td>"));
    }
}

// A list of both classes: each card at its product's rate, "※" after the price only of a reduced-rate
// product and only when the design asks for it.
void TestShelfSheet::reducedRateCards_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("basis");
    QTest::addColumn<int>("ks");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("zeikomi");
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<int>("markOption");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("note");
    const auto row = [](const char *name, const char *list, int basis, int ks, int style, int zeikomi, bool reduced,
                        int mark, const char *price, const char *note) {
        QTest::newRow(name) << QString::fromUtf8(list) << basis << ks << style << zeikomi << reduced << mark
                            << QString::fromUtf8(price) << QString::fromUtf8(note);
    };
    row("standard, mark on", "1000", 0, 0, 4, 1, false, 1, "1,100", "(本体価格 1,000円、消費税等 100円)");
    row("reduced, mark on", "1000", 0, 0, 4, 1, true, 1, "1,080", "(本体価格 1,000円、消費税等 80円)");
    row("reduced, mark off", "1000", 0, 0, 4, 1, true, 0, "1,080", "(本体価格 1,000円、消費税等 80円)");
    row("reduced 99 half up", "99", 0, 1, 3, 1, true, 1, "107", "(うち消費税等 8円)");
    row("reduced 99 up", "99", 0, 2, 3, 1, true, 1, "107", "(うち消費税等 8円)");
    row("reduced, tax-inclusive list", "1080", 1, 0, 4, 1, true, 1, "1,080", "(本体価格 1,000円、消費税等 80円)");
    row("reduced 1000 tax-inclusive", "1000", 1, 0, 3, 1, true, 1, "1,000", "(うち消費税等 74円)");
    row("reduced, base display", "1080", 1, 0, 2, 0, true, 1, "1,000", "(消費税別)");
    row("standard, base display", "1100", 1, 0, 2, 0, false, 1, "1,000", "(消費税別)");
}

void TestShelfSheet::reducedRateCards()
{
    QFETCH(QString, list);
    QFETCH(int, basis);
    QFETCH(int, ks);
    QFETCH(int, style);
    QFETCH(int, zeikomi);
    QFETCH(bool, reduced);
    QFETCH(int, markOption);
    QFETCH(QString, price);
    QFETCH(QString, note);
    TaxSettings tax;
    tax.rate = *products::Currency::parse(QStringLiteral("0.1"));
    tax.reducedRate = *products::Currency::parse(QStringLiteral("0.08"));
    tax.indicate = basis;
    tax.ks = ks;
    tax.style = style;
    tax.zeikomi = zeikomi;
    ShelfLabelDesign d = SetDefaultA().design;
    d.reducedMark = markOption;
    Product tested = product(QStringLiteral("X"), QStringLiteral("品"), list);
    tested.reduced = reduced;
    Product other = product(QStringLiteral("Y"), QStringLiteral("他"), list);
    other.reduced = !reduced;
    const QStringList lines = pageLines({other, tested}, d, tax);
    const QString card = lines.value(49);
    QVERIFY2(card.contains(QStringLiteral("<td class=\"area31\">") + price + QStringLiteral("</td>")),
             qPrintable(card));
    QVERIFY(card.contains(QStringLiteral("<td class=\"area4\" colspan=\"3\">") + note + QStringLiteral("</td>")));
    QCOMPARE(card.contains(QStringLiteral("※</td>")), reduced && markOption == 1);
    QCOMPARE(lines.value(48).contains(QStringLiteral("※</td>")), !reduced && markOption == 1);
}

void TestShelfSheet::nonNumericPriceFailsWithoutCompletion()
{
    TaxSettings tax;
    tax.indicate = 1;
    tax.zeikomi = 0;
    platform::AppError error;
    QVERIFY(!priceTexts(QStringLiteral("abc"), tax, &error));
    QCOMPARE(error.number, 13);

    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("temp.html")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous page");
    old.close();
    const common::MakeResult outcome =
        make(Inputs{{product(QStringLiteral("X"), QStringLiteral("品"), QStringLiteral("abc"))},
                    SetDefaultA().design,
                    tax,
                    QStringLiteral("1")},
             dir.path());
    QCOMPARE(outcome.kind, common::MakeResult::Failed);
    QCOMPARE(outcome.title, QStringLiteral("エラー情報"));
    QCOMPARE(
        outcome.text,
        QStringLiteral("エラーが発生しました(frmTanafuda.SetSyouhin)\r\nエラー番号: 13\r\n内容: 型が一致しません。"));
    QCOMPARE(outcome.icon, UiServices::Icon::Critical);
    QVERIFY(outcome.path.isEmpty());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("previous page"));
}

void TestShelfSheet::emptyPriceIsBlankWithBaseDisplay()
{
    TaxSettings tax;
    tax.zeikomi = 0;
    const QStringList lines = pageLines({product(QStringLiteral("1"), QStringLiteral("a"), QString()),
                                         product(QStringLiteral("2"), QStringLiteral("b"), QStringLiteral("5"))},
                                        SetDefaultA().design, tax);
    QCOMPARE(bodyShape(lines), QStringLiteral("N[bcb]/"));
}

void TestShelfSheet::priceMarks_data()
{
    QTest::addColumn<int>("priceMark");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("yen entity") << 0 << QStringLiteral("&yen;") << QStringLiteral("　");
    QTest::newRow("yen") << 1 << QStringLiteral("　") << QStringLiteral("円");
    QTest::newRow("none") << 2 << QString() << QString();
}

void TestShelfSheet::priceMarks()
{
    QFETCH(int, priceMark);
    QFETCH(QString, before);
    QFETCH(QString, after);
    ShelfLabelDesign d = SetDefaultA().design;
    // A make with the backslash first, so that nothing of it may survive into the next one.
    QVERIFY(!pageLines(numbered(1), d).isEmpty());
    d.priceMark = priceMark;
    const QString card = pageLines(numbered(1), d).value(48);
    QVERIFY2(card.contains(QStringLiteral("<td class=\"area30\">") + before +
                           QStringLiteral("</td><td class=\"area31\">105</td>"
                                          "<td class=\"area32\">") +
                           after + QStringLiteral("</td>")),
             qPrintable(card));
    if (priceMark == 2) {
        QVERIFY(!card.contains(QLatin1Char('\\')));
        QVERIFY(!card.contains(QStringLiteral("　")));
    }
}

void TestShelfSheet::headerAndBarcodeSwitches()
{
    ShelfLabelDesign d = SetDefaultA().design;
    const ProductList list{
        product(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("5"), {}, QStringLiteral("12345670"))};
    QString card = pageLines(list, d).value(48);
    QVERIFY(card.contains(QStringLiteral("<td class=\"area0\" colspan=\"3\" bgcolor=\"#FFFFFF\"></td>")));
    QVERIFY(card.contains(
        QStringLiteral("<div align=\"center\"><img src=\"BarCode/LB.bmp\" border=\"0\" width=\"4\" height=\"40\">")));
    QVERIFY(card.contains(QStringLiteral("<td class=\"area6\" colspan=\"3\">12345670</td>")));

    d.showHeader = true;
    d.showDigits = false;
    d.barcodeHeight = 25;
    card = pageLines(list, d).value(48);
    QVERIFY(card.contains(QStringLiteral("<td class=\"area0\" colspan=\"3\" bgcolor=\"#FF0000\">SALE</td>")));
    QVERIFY(card.contains(QStringLiteral("<img src=\"BarCode/RB.bmp\" border=\"0\" width=\"4\" height=\"25\"></div>")));
    QVERIFY(card.contains(QStringLiteral("<td class=\"area6\" colspan=\"3\"></td>")));

    d.showBarcode = false;
    card = pageLines(list, d).value(48);
    QVERIFY(card.contains(QStringLiteral("<td colspan=\"3\"><div align=\"center\"></div></td>")));
    QVERIFY(card.contains(QStringLiteral("<td class=\"area6\" colspan=\"3\"></td>")));
    QVERIFY(!card.contains(QStringLiteral("<img")));
}

void TestShelfSheet::logoTag_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("w");
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("tag");
    QTest::newRow("windows path") << "C:\\Logo\\a.gif"
                                  << "120"
                                  << "40"
                                  << "<IMG SRC=\"file://C:/Logo/a.gif\" width=\"120\" height=\"40\">";
    QTest::newRow("unix path") << "/home/shop/ロゴ.gif"
                               << "64"
                               << "32"
                               << "<IMG SRC=\"file:///home/shop/ロゴ.gif\" width=\"64\" height=\"32\">";
    QTest::newRow("quote and ampersand") << "/tmp/a\"b&c.gif"
                                         << "1"
                                         << "2"
                                         << "<IMG SRC=\"file:///tmp/a&quot;b&amp;c.gif\" width=\"1\" height=\"2\">";
}

void TestShelfSheet::logoTag()
{
    QFETCH(QString, path);
    QFETCH(QString, w);
    QFETCH(QString, h);
    QFETCH(QString, tag);
    ShelfLabelDesign d = SetDefaultA().design;
    d.showLogo = true;
    d.logoName = path;
    d.logoW = w;
    d.logoH = h;
    const auto sheet = SetSyouhin(numbered(1), d, {}, 0);
    QVERIFY(sheet);
    QCOMPARE(sheet->logoTag, tag);
    const QString card = pageLines(numbered(1), d).value(48);
    QVERIFY(card.contains(QStringLiteral("<td align=\"center\" colspan=\"3\">") + tag + QStringLiteral("</td>")));
    d.showLogo = false;
    QVERIFY(SetSyouhin(numbered(1), d, {}, 0)->logoTag.isEmpty());
}

void TestShelfSheet::productTextsAreEscaped_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("angle brackets") << "サイズ<M>"
                                    << "サイズ&lt;M&gt;";
    QTest::newRow("ampersand") << "A&B"
                               << "A&amp;B";
    QTest::newRow("script") << "<script>alert(1)</script>"
                            << "&lt;script&gt;alert(1)&lt;/script&gt;";
    QTest::newRow("quote") << "5\"インチ"
                           << "5&quot;インチ";
    QTest::newRow("entity stays text") << "&amp;"
                                       << "&amp;amp;";
}

void TestShelfSheet::productTextsAreEscaped()
{
    QFETCH(QString, raw);
    QFETCH(QString, escaped);
    ShelfLabelDesign d = SetDefaultB().design;
    d.showItemCode = true;
    d.showRemarks = true;
    d.showHeader = true;
    d.headerText = raw;
    // A JAN text that is no code gives no bars but is still printed as digits text.
    const ProductList list{product(raw, raw, QStringLiteral("10"), raw, raw)};
    const QString card = pageLines(list, d).value(48);
    for (const char *cls : {"area0\" colspan=\"4\" bgcolor=\"#FF0000", "area1\" colspan=\"4", "area2\" colspan=\"4",
                            "area6", "area5\" colspan=\"4"}) {
        const QString cell = QStringLiteral("<td class=\"") + QLatin1String(cls) + QStringLiteral("\">") + escaped +
                             QStringLiteral("</td>");
        QVERIFY2(card.contains(cell), qPrintable(QString::fromLatin1(cls) + QStringLiteral(" in ") + card));
    }
    if (!escaped.contains(raw))
        QVERIFY(!card.contains(raw));
}

void TestShelfSheet::checks_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("logoW");
    QTest::addColumn<QString>("logoH");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<QString>("countW");
    QTest::addColumn<QString>("countH");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<UiServices::Icon>("icon");
    const auto info = UiServices::Icon::Information;
    const auto crit = UiServices::Icon::Critical;
    const QString noData = QStringLiteral("データがありません.");
    const QString badLogo = QStringLiteral("画像のサイズの値が不正です.");
    const QString startNeedsSize =
        QStringLiteral("出力の開始位置を 1 以外に指定するときは、\r\nカードの縦横のサイズを指定してください.");
    const QString badDivision =
        QStringLiteral("「列　で改行する」と「行　で改ページする」には\r\n1 以上の整数を指定してください.");
    QTest::newRow("fine") << 1 << "0"
                          << "0"
                          << "1" << false << "3"
                          << "4"
                          << ""
                          << "" << info;
    QTest::newRow("empty list") << 0 << "x"
                                << "0"
                                << "5" << false << "0"
                                << "4"
                                << "値札作成" << noData << info;
    QTest::newRow("logo width text") << 1 << "abc"
                                     << "0"
                                     << "1" << false << "3"
                                     << "4"
                                     << "画像の拡大/縮小" << badLogo << crit;
    QTest::newRow("logo height empty") << 1 << "10"
                                       << ""
                                       << "1" << false << "3"
                                       << "4"
                                       << "画像の拡大/縮小" << badLogo << crit;
    QTest::newRow("logo negative") << 1 << "10"
                                   << "-1"
                                   << "1" << false << "3"
                                   << "4"
                                   << "画像の拡大/縮小" << badLogo << crit;
    QTest::newRow("start 2 without size") << 1 << "0"
                                          << "0"
                                          << "2" << false << "3"
                                          << "4"
                                          << "棚札作成" << startNeedsSize << info;
    QTest::newRow("start 2 with size") << 1 << "0"
                                       << "0"
                                       << "2" << true << "3"
                                       << "4"
                                       << ""
                                       << "" << info;
    QTest::newRow("columns 0") << 1 << "0"
                               << "0"
                               << "1" << false << "0"
                               << "4"
                               << "入力値のチェック" << badDivision << crit;
    QTest::newRow("rows text") << 1 << "0"
                               << "0"
                               << "1" << false << "3"
                               << "abc"
                               << "入力値のチェック" << badDivision << crit;
    QTest::newRow("rows empty") << 1 << "0"
                                << "0"
                                << "1" << false << "3"
                                << ""
                                << "入力値のチェック" << badDivision << crit;
    QTest::newRow("columns negative") << 1 << "0"
                                      << "0"
                                      << "1" << false << "-2"
                                      << "4"
                                      << "入力値のチェック" << badDivision << crit;
    QTest::newRow("columns too big") << 1 << "0"
                                     << "0"
                                     << "1" << false << "40000"
                                     << "4"
                                     << "入力値のチェック" << badDivision << crit;
    QTest::newRow("start past the page") << 1 << "0"
                                         << "0"
                                         << "13" << true << "3"
                                         << "4"
                                         << "棚札作成"
                                         << "出力の開始位置には 1 から 12 までの数値を指定してください." << info;
    QTest::newRow("start 0") << 1 << "0"
                             << "0"
                             << "0" << true << "3"
                             << "4"
                             << "棚札作成"
                             << "出力の開始位置には 1 から 12 までの数値を指定してください." << info;
    QTest::newRow("start 12") << 1 << "0"
                              << "0"
                              << "12" << true << "3"
                              << "4"
                              << ""
                              << "" << info;
    // A sheet holds at most a million cards, the blank cells before the start position included.
    const QString tooMany =
        "作成するカードの数が多すぎます.\r\n開始位置までの空きを含めて 1,000,000 枚までにしてください.";
    QTest::newRow("a million cells") << 1 << "0"
                                     << "0"
                                     << "1000000" << true << "32767"
                                     << "32767"
                                     << ""
                                     << "" << info;
    QTest::newRow("one cell more") << 2 << "0"
                                   << "0"
                                   << "1000000" << true << "32767"
                                   << "32767"
                                   << "棚札作成" << tooMany << crit;
    QTest::newRow("last cell of the largest page") << 1 << "0"
                                                   << "0"
                                                   << "1073676289" << true << "32767"
                                                   << "32767"
                                                   << "棚札作成" << tooMany << crit;
}

void TestShelfSheet::checks()
{
    QFETCH(int, count);
    QFETCH(QString, logoW);
    QFETCH(QString, logoH);
    QFETCH(QString, start);
    QFETCH(bool, fixed);
    QFETCH(QString, countW);
    QFETCH(QString, countH);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(UiServices::Icon, icon);
    const ShelfLabelDesign d = checkedDesign(fixed, logoW, logoH, countW, countH);
    const common::Refusal message = check(Inputs{numbered(count), d, {}, start});
    if (title.isEmpty()) {
        QVERIFY2(!message.refused(), qPrintable(message.text));
        return;
    }
    QVERIFY(message.refused());
    QCOMPARE(message.title, title);
    QCOMPARE(message.text, text);
    QCOMPARE(message.icon, icon);

    // The make command refuses with the same message and writes nothing.
    QTemporaryDir dir;
    const common::MakeResult outcome = make(Inputs{numbered(count), d, {}, start}, dir.path());
    QCOMPARE(outcome.kind, common::MakeResult::Refused);
    QCOMPARE(outcome.refusal(), message);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("temp.html"))));
}

// The window goes on from a refusal by its follow-up alone, never by reading its text.
void TestShelfSheet::followUps_data()
{
    QTest::addColumn<QString>("logoW");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<QString>("countW");
    QTest::addColumn<common::FollowUp>("next");
    QTest::newRow("logo size") << "abc"
                               << "1" << true << "3" << common::FollowUp(Next::LogoSize);
    QTest::newRow("start 2 without size") << "0"
                                          << "2" << false << "3" << common::FollowUp(Next::CardHeight);
    QTest::newRow("division") << "0"
                              << "1" << true << "0" << common::FollowUp(Next::None);
    QTest::newRow("start beyond the page") << "0"
                                           << "13" << true << "3" << common::FollowUp(Next::None);
}

void TestShelfSheet::followUps()
{
    QFETCH(QString, logoW);
    QFETCH(QString, start);
    QFETCH(bool, fixed);
    QFETCH(QString, countW);
    QFETCH(common::FollowUp, next);
    const common::Refusal refusal = check(
        Inputs{numbered(1), checkedDesign(fixed, logoW, QStringLiteral("0"), countW, QStringLiteral("4")), {}, start});
    QVERIFY(refusal.refused());
    QCOMPARE(refusal.next, next);
}

void TestShelfSheet::divisionGuard_data()
{
    QTest::addColumn<QString>("countW");
    QTest::addColumn<QString>("countH");
    QTest::newRow("0 columns") << "0"
                               << "4";
    QTest::newRow("0 rows") << "3"
                            << "0";
    QTest::newRow("text") << "three"
                          << "4";
    QTest::newRow("empty") << "3"
                           << "";
}

void TestShelfSheet::divisionGuard()
{
    QFETCH(QString, countW);
    QFETCH(QString, countH);
    ShelfLabelDesign d = SetDefaultA().design;
    d.countW = countW;
    d.countH = countH;
    platform::AppError error;
    QVERIFY(!SetSyouhin(numbered(3), d, {}, 0, &error));
    QCOMPARE(error.number, 380);
    Sheet sheet = *SetSyouhin(numbered(3), SetDefaultA().design, {}, 0);
    error = {};
    QVERIFY(!sheetHtmlLines(sheet, d, &error));
    QCOMPARE(error.number, 380);
}

void TestShelfSheet::makeWritesCp932Page()
{
    QTemporaryDir dir;
    const ProductList list{product(QStringLiteral("1"), QStringLiteral("りんご"), QStringLiteral("120"), {},
                                   QStringLiteral("4901234567894"))};
    const common::MakeResult outcome = make(Inputs{list, SetDefaultA().design, {}, QStringLiteral("1")}, dir.path());
    QCOMPARE(outcome.kind, common::MakeResult::Made);
    QCOMPARE(outcome.path, dir.filePath(QStringLiteral("temp.html")));
    QCOMPARE(outcome.title, QStringLiteral("ぽらね値札作成"));
    QCOMPARE(outcome.text, QStringLiteral("値札(棚札)を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
    QCOMPARE(outcome.icon, UiServices::Icon::Information);
    QFile f(outcome.path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QStringList lines = pageLines(list, SetDefaultA().design);
    QCOMPARE(bytes, platform::cp932Lines(lines));
    QVERIFY(bytes.endsWith("</body></html>\r\n"));
    QVERIFY(bytes.contains(platform::cp932::encode(QStringLiteral("<title>ぽらね値札作成</title>\r\n")).bytes));
    // The yen mark is written as an entity so that every browser and font shows a yen sign.
    QVERIFY(bytes.contains("<td class=\"area30\">&yen;</td>"));
    QVERIFY(!bytes.contains('\\'));
    QCOMPARE(bytes.count("\r\n"), lines.size());
}

void TestShelfSheet::makeReportsUnwritableFolder()
{
    QTemporaryDir dir;
    const common::MakeResult outcome = make(Inputs{numbered(1), SetDefaultA().design, {}, QStringLiteral("1")},
                                            dir.filePath(QStringLiteral("missing/folder")));
    QCOMPARE(outcome.kind, common::MakeResult::Failed);
    QVERIFY2(outcome.text.startsWith(QStringLiteral(
                 "エラーが発生しました(frmTanafuda.MakeHtmlFile)\r\nエラー番号: 76\r\n内容: パスが見つかりません。")),
             qPrintable(outcome.text));
}

// A text the page cannot hold is named where the user can mend it: the product's row and column, or
// the header box; never a line of the page.
void TestShelfSheet::makeRefusesUnencodableText_data()
{
    QTest::addColumn<ProductList>("list");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("text");
    const ProductList cafe{product(QStringLiteral("1"), QStringLiteral("カフェ☕"), QStringLiteral("300"))};
    QTest::newRow("name") << cafe << QString()
                          << QStringLiteral("エラーが発生しました(frmTanafuda.SetSyouhin)\r\nエラー番号: 380\r\n"
                                            "内容: No.1 の商品名に Shift_JIS で保存できない文字「☕」があります。");
    ProductList checked = numbered(3);
    checked[1].remarks = QStringLiteral("𠮷");
    checked[2].remarks = QStringLiteral("🍎");
    checked[2].checked = true;
    QTest::newRow("checked row, No. of the list")
        << checked << QString()
        << QStringLiteral("エラーが発生しました(frmTanafuda.SetSyouhin)\r\nエラー番号: 380\r\n"
                          "内容: No.3 の備考に Shift_JIS で保存できない文字「🍎」があります。");
    QTest::newRow("header") << numbered(1) << QStringLiteral("SALE🎉")
                            << QStringLiteral("ヘッダーの文字に Shift_JIS で保存できない文字「🎉」があります.");
}

void TestShelfSheet::makeRefusesUnencodableText()
{
    QFETCH(ProductList, list);
    QFETCH(QString, header);
    QFETCH(QString, text);
    QTemporaryDir dir;
    ShelfLabelDesign d = SetDefaultA().design;
    if (!header.isEmpty()) {
        d.showHeader = true;
        d.headerText = header;
    }
    const common::MakeResult outcome = make(Inputs{list, d, {}, QStringLiteral("1")}, dir.path());
    QCOMPARE(outcome.kind, header.isEmpty() ? common::MakeResult::Failed : common::MakeResult::Refused);
    QCOMPARE(outcome.text, text);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("temp.html"))));
}

void TestShelfSheet::settledDesignRules()
{
    ShelfLabelDesign d = SetDefaultA().design;
    d.backColor = QStringLiteral("#123456");
    d.logoName = QStringLiteral("/logo.gif");
    d.logoW = QStringLiteral("12.5");
    d.logoH = QStringLiteral("abc");
    d.borderStyle = QStringLiteral("wavy");
    d.borderWidth = QStringLiteral("thick");
    d.cardHeight = QStringLiteral("");
    d.cardWidth = QStringLiteral("x");
    d.padding = {QStringLiteral("1"), QStringLiteral("a"), QStringLiteral(""), QStringLiteral("2.5")};
    ShelfLabelDesign s = settledDesign(d);
    QCOMPARE(s.backColor, QStringLiteral("#FFFFFF"));
    QCOMPARE(s.logoW, QStringLiteral("12")); // ties to even
    QCOMPARE(s.logoH, QStringLiteral("0"));
    QCOMPARE(s.borderStyle, QStringLiteral("none"));
    QCOMPARE(s.borderWidth, QStringLiteral("0"));
    QCOMPARE(s.cardHeight, QStringLiteral("45"));
    QCOMPARE(s.cardWidth, QStringLiteral("60"));
    QCOMPARE(s.padding[0], QStringLiteral("1"));
    QCOMPARE(s.padding[1], QStringLiteral("0"));
    QCOMPARE(s.padding[2], QStringLiteral("0"));
    QCOMPARE(s.padding[3], QStringLiteral("2.5"));
    d.logoName.clear();
    d.logoW = QStringLiteral("50");
    s = settledDesign(d);
    QCOMPARE(s.logoW, QStringLiteral("0"));
    QCOMPARE(s.logoH, QStringLiteral("0"));
}

void TestShelfSheet::startPositions_data()
{
    QTest::addColumn<QString>("w");
    QTest::addColumn<QString>("h");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<int>("items");
    QTest::newRow("3x4") << "3"
                         << "4" << true << 12;
    QTest::newRow("12x16") << "12"
                           << "16" << true << 192;
    QTest::newRow("typed 13") << "13"
                              << "1" << true << 13;
    QTest::newRow("zero") << "0"
                          << "4" << true << 0;
    QTest::newRow("text") << "abc"
                          << "4" << false << 0;
    QTest::newRow("empty") << "3"
                           << "" << false << 0;
}

void TestShelfSheet::startPositions()
{
    QFETCH(QString, w);
    QFETCH(QString, h);
    QFETCH(bool, changes);
    QFETCH(int, items);
    const auto list = SetStartPos(w, h);
    QCOMPARE(list.has_value(), changes);
    if (!list)
        return;
    QCOMPARE(list->size(), items);
    if (items > 0) {
        QCOMPARE(list->first(), QStringLiteral("1"));
        QCOMPARE(list->last(), QString::number(items));
    }
}

QTEST_GUILESS_MAIN(TestShelfSheet)
#include "tst_shelf_sheet.moc"
