#include "expected_page.h"

#include "platform/cp932.h"
#include "platform/text_file.h"
#include "shelf_labels/preview.h"
#include "shelf_labels/window_values.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace shelf_labels;
using products::TaxSettings;

using Change = std::function<void(ShelfLabelDesign &, TaxSettings &)>;
Q_DECLARE_METATYPE(Change)

class TestShelfPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sample();
    void typeADefaults();
    void variants_data();
    void variants();
    void writesCp932File();
    void failureKeepsPreviousFile();
    void cardTextsRead_data();
    void cardTextsRead();
};

void TestShelfPreview::sample()
{
    const products::Product p = previewSample();
    QCOMPARE(p.code, QStringLiteral("SMPL12345"));
    QCOMPARE(p.name, QStringLiteral("サンプル商品"));
    QCOMPARE(p.price, QStringLiteral("2350"));
    QCOMPARE(p.remarks, QStringLiteral("(株)さんぷる"));
    QCOMPARE(p.jan, QStringLiteral("4567891234540"));
}

void TestShelfPreview::typeADefaults()
{
    const auto lines = previewHtmlLines(SetDefaultA().design, TaxSettings{});
    QVERIFY(lines);
    expected::compareLines(*lines, QStringLiteral("preview_typeA_defaults.html"));
}

void TestShelfPreview::variants_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("contains");
    QTest::newRow("rounding half up") << Change([](ShelfLabelDesign &, TaxSettings &t) { t.ks = 1; }) << 53
                                      << "<td class=\"area31\">2,468</td>";
    QTest::newRow("base display")
        << Change([](ShelfLabelDesign &, TaxSettings &t) { t.zeikomi = 0; }) << 53
        << "<td class=\"area31\">2,350</td><td class=\"area32\">　</td></tr><tr><td class=\"area4\" "
           "colspan=\"3\">(消費税別)</td>";
    QTest::newRow("type B") << Change([](ShelfLabelDesign &d, TaxSettings &) {
        d.layoutType = 1;
        d.showRemarks = true;
    }) << 53 << "<td class=\"area32\">　</td><td><div align=\"center\"><img src=\"BarCode/LB.bmp\"";
    QTest::newRow("type B digits beside the tax note")
        << Change([](ShelfLabelDesign &d, TaxSettings &) {
               d.layoutType = 1;
               d.showRemarks = true;
           })
        << 53
        << "<td class=\"area4\" colspan=\"3\">(本体価格 2,350円)</td><td class=\"area6\">4567891234540</td></tr>"
           "<tr><td class=\"area5\" "
           "colspan=\"4\">(株)さんぷる</td></tr></table></td></tr></table></div></td></tr></table>";
    QTest::newRow("type B header cell") << Change([](ShelfLabelDesign &d, TaxSettings &) { d.layoutType = 1; }) << 53
                                        << "<tr><td class=\"area0\" colspan=\"4\"></td></tr>";
    QTest::newRow("cut line off") << Change([](ShelfLabelDesign &d, TaxSettings &) {
        d.cutLine = false;
    }) << 53 << "<table border=\"0\" bordercolor=\"#808080\" cellspacing=\"0\"><tr><td class=\"top\">";
    QTest::newRow("logo path unchanged") << Change([](ShelfLabelDesign &d, TaxSettings &) {
        d.showLogo = true;
        d.logoName = QStringLiteral("C:\\Logo\\a.gif");
        d.logoW = QStringLiteral("120");
        d.logoH = QStringLiteral("40");
    }) << 53 << "<td align=\"center\" colspan=\"3\"><IMG SRC=\"C:\\Logo\\a.gif\" width=\"120\" height=\"40\"></td>";
    QTest::newRow("header colour in the style")
        << Change([](ShelfLabelDesign &d, TaxSettings &) { d.showHeader = true; }) << 14
        << "        background-color:#FF0000;}";
    QTest::newRow("header text escaped") << Change([](ShelfLabelDesign &d, TaxSettings &) {
        d.showHeader = true;
        d.headerText = QStringLiteral("<b>A&B</b>");
    }) << 53 << "<td class=\"area0\" colspan=\"3\">&lt;b&gt;A&amp;B&lt;/b&gt;</td>";
    QTest::newRow("item code and remarks") << Change([](ShelfLabelDesign &d, TaxSettings &) {
        d.showItemCode = true;
        d.showRemarks = true;
    }) << 53 << "<td class=\"area1\" colspan=\"3\">SMPL12345</td>";
    QTest::newRow("no digits") << Change([](ShelfLabelDesign &d, TaxSettings &) { d.showDigits = false; }) << 53
                               << "<td class=\"area6\" colspan=\"3\"></td>";
    QTest::newRow("fixed width") << Change([](ShelfLabelDesign &d, TaxSettings &) { d.cardWidthFixed = true; }) << 46
                                 << "td.top {vertical-align:top; width:60mm;}";
    QTest::newRow("fixed height") << Change([](ShelfLabelDesign &d, TaxSettings &) {
        d.cardHeightFixed = true;
        d.cardWidthFixed = true;
        d.cardWidth = QStringLiteral("80");
    }) << 47 << "div.card {height:45mm;width:79mm;";
    QTest::newRow("tax-inclusive list") << Change([](ShelfLabelDesign &, TaxSettings &t) {
        t.indicate = 1;
        t.style = 4;
    }) << 53 << "(本体価格 2,239円、消費税等 111円)";
}

void TestShelfPreview::variants()
{
    QFETCH(Change, change);
    QFETCH(int, line);
    QFETCH(QString, contains);
    ShelfLabelDesign d = SetDefaultA().design;
    TaxSettings tax;
    change(d, tax);
    const auto lines = previewHtmlLines(d, tax);
    QVERIFY(lines);
    QCOMPARE(lines->size(), 54);
    QVERIFY2(lines->at(line - 1).contains(contains), qPrintable(lines->at(line - 1)));
}

void TestShelfPreview::writesCp932File()
{
    QTemporaryDir dir;
    QString path;
    platform::AppError error;
    QVERIFY(MakePreviewHtml(SetDefaultA().design, TaxSettings{}, dir.path(), &path, &error));
    QCOMPARE(path, dir.filePath(QStringLiteral("tempprev.html")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), platform::cp932Lines(expected::readLines(QStringLiteral("preview_typeA_defaults.html"))));
}

void TestShelfPreview::failureKeepsPreviousFile()
{
    QTemporaryDir dir;
    QString path;
    QVERIFY(MakePreviewHtml(SetDefaultA().design, TaxSettings{}, dir.path(), &path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    ShelfLabelDesign d = SetDefaultA().design;
    d.area[2].fontName = QStringLiteral("Font☕");
    platform::AppError error;
    QString second;
    QVERIFY(!MakePreviewHtml(d, TaxSettings{}, dir.path(), &second, &error));
    QVERIFY(second.isEmpty());
    QCOMPARE(platform::errorReportText(makePreviewHtmlLabel(), error),
             QStringLiteral("エラーが発生しました(frmTanafuda.MakePreviewHtml)\r\nエラー番号: 380\r\n"
                            "内容: ページに Shift_JIS で保存できない文字「☕」があります。"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

// What a screen reader is given for the preview: the texts the card prints, in reading order.
void TestShelfPreview::cardTextsRead_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("type A defaults") << Change([](ShelfLabelDesign &, TaxSettings &) {})
                                     << QStringList{"サンプル商品", "¥2,467", "(本体価格 2,350円)", "4567891234540"};
    QTest::newRow("header, code, remarks, 円") << Change([](ShelfLabelDesign &d, TaxSettings &) {
        d.showHeader = true;
        d.headerText = QStringLiteral("おすすめ");
        d.showItemCode = true;
        d.showRemarks = true;
        d.priceMark = 1;
    }) << QStringList{"おすすめ",           "SMPL12345",    "サンプル商品", "2,467円",
                      "(本体価格 2,350円)", "(株)さんぷる", "4567891234540"};
    QTest::newRow("no mark, no barcode, base display") << Change([](ShelfLabelDesign &d, TaxSettings &t) {
        d.priceMark = 2;
        d.showBarcode = false;
        t.zeikomi = 0;
    }) << QStringList{"サンプル商品", "2,350", "(消費税別)"};
}

void TestShelfPreview::cardTextsRead()
{
    QFETCH(Change, change);
    QFETCH(QStringList, texts);
    ShelfLabelDesign d = SetDefaultA().design;
    TaxSettings t;
    change(d, t);
    const auto read = previewCardTexts(d, t);
    QVERIFY(read);
    QCOMPARE(*read, texts);
    // Every text is on the page too; the price mark has a cell of its own there.
    const QString page = previewHtmlLines(d, t)->join(u'\n');
    static const QRegularExpression mark(QStringLiteral("^¥|(?<=\\d)円$"));
    for (QString text : texts)
        QVERIFY2(page.contains(text.remove(mark)), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestShelfPreview)
#include "tst_shelf_preview.moc"
