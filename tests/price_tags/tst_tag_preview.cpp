#include "platform/cp932.h"
#include "platform/text_file.h"
#include "price_tags/preview.h"
#include "price_tags/sheet.h"

#include <QFile>
#include <QtTest>

using namespace price_tags;

namespace {

QString previewCard(const PriceTagDesign &d)
{
    const QStringList l = MakeCPrevHtml(d).lines;
    return l.at(l.size() - 2);
}

QStringList sheetLines(const PriceTagDesign &d)
{
    ProductSlots s;
    s[0] = {QStringLiteral("A-1"), QStringLiteral("りんご"), QStringLiteral("1,050"), QStringLiteral("4901234567894"),
            true};
    Copies c;
    c.fill(QStringLiteral("0"));
    c[0] = QStringLiteral("1");
    SheetCards cards;
    if (SetSyouhin(s, c, d, &cards).isSet())
        return {};
    return MakeCHtml(cards, d).lines;
}

} // namespace

class TestTagPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void withoutCodeAndName();
    void priceMarks_data();
    void priceMarks();
    void ruledLineOff();
    void fixedWidth();
    void boldTaxNoteOnlyOnTheSheet();
    void twoTierTypeB();
    void logoPathAsItIs();
    void cardTextsRead_data();
    void cardTextsRead();
};

void TestTagPreview::defaults()
{
    const PageLines page = MakeCPrevHtml(PriceTagDesign());
    QVERIFY(!page.error.isSet());
    QFile f(QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/cprev_defaults.html"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray expected = f.readAll();
    const QStringList want = platform::cp932::decode(expected).split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < page.lines.size(); ++i)
        QCOMPARE(page.lines.at(i), want.value(i));
    QCOMPARE(platform::cp932Lines(page.lines), expected);
}

void TestTagPreview::withoutCodeAndName()
{
    PriceTagDesign d;
    d.showItemCode = false;
    d.showName = false;
    const QString card = previewCard(d);
    QVERIFY(card.contains(QStringLiteral("<td class=\"area1\" colspan=\"2\"></td>")));
    QVERIFY(card.contains(QStringLiteral("<td class=\"area2\" colspan=\"2\"></td>")));
    QVERIFY(card.contains(QStringLiteral("<td class=\"area31\">2,467円</td><td class=\"area33\">(税込)</td>")));
    QVERIFY(card.contains(QStringLiteral("<td class=\"area6\" colspan=\"2\">4567891234540</td>")));
    d.showItemCode = true;
    d.showName = true;
    QVERIFY(previewCard(d).contains(QStringLiteral("<td class=\"area1\" colspan=\"2\">SMPL12345</td>")));
    QVERIFY(previewCard(d).contains(QStringLiteral("<td class=\"area2\" colspan=\"2\">サンプル商品</td>")));
}

void TestTagPreview::priceMarks_data()
{
    QTest::addColumn<int>("ym");
    QTest::addColumn<QString>("cell");
    QTest::newRow("\\ マーク") << 0 << "<td class=\"area31\">&yen;2,467</td>";
    QTest::newRow("円マーク") << 1 << "<td class=\"area31\">2,467円</td>";
    QTest::newRow("付けない") << 2 << "<td class=\"area31\">2,467</td>";
}

void TestTagPreview::priceMarks()
{
    QFETCH(int, ym);
    QFETCH(QString, cell);
    PriceTagDesign d;
    d.priceMark = ym;
    QVERIFY(previewCard(d).contains(cell));
}

void TestTagPreview::ruledLineOff()
{
    PriceTagDesign d;
    d.ruledLine = false;
    d.lineColor = QStringLiteral("#123456");
    QVERIFY(previewCard(d).startsWith(
        QStringLiteral("<table border=\"0\" bordercolor=\"#123456\" cellspacing=\"0\"><tr><td class=\"top\">")));
}

void TestTagPreview::fixedWidth()
{
    PriceTagDesign d;
    d.cardWidthFixed = true;
    d.cardWidth = QStringLiteral("30");
    QVERIFY(MakeCPrevHtml(d).lines.contains(QStringLiteral("div.card {width:30mm;")));
    QVERIFY(MakeCPrevHtml(d).lines.contains(QStringLiteral("td.top {vertical-align:top;}")));
    QVERIFY(sheetLines(d).contains(QStringLiteral("div.card {width:29mm;")));
}

void TestTagPreview::boldTaxNoteOnlyOnTheSheet()
{
    PriceTagDesign d;
    d.fontStyle[3] = QStringLiteral("太字");
    QVERIFY(sheetLines(d).contains(QStringLiteral("td.area33 {font:normal normal bold 9pt \"ＭＳ Ｐゴシック\";")));
    QVERIFY(MakeCPrevHtml(d).lines.contains(
        QStringLiteral("td.area33 {font:normal normal normal 9pt \"ＭＳ Ｐゴシック\";")));
    // The other styles keep their own words in the preview.
    d.fontStyle[0] = QStringLiteral("斜体");
    QVERIFY(MakeCPrevHtml(d).lines.contains(
        QStringLiteral("td.area1 {font:italic normal normal 9pt \"ＭＳ Ｐゴシック\";")));
}

void TestTagPreview::twoTierTypeB()
{
    PriceTagDesign d;
    d.twoTier = true;
    d.layoutType = 1;
    const QString card = previewCard(d);
    QVERIFY(card.contains(QStringLiteral(
        "<tr><td align=\"center\" colspan=\"2\"></td></tr><tr><td class=\"area1\"></td><td rowspan=\"4\">")));
    QVERIFY(card.endsWith(QStringLiteral("<tr><td class=\"area33\">(税込)</td></tr></table></div></td></tr></table>")));
}

void TestTagPreview::logoPathAsItIs()
{
    PriceTagDesign d;
    d.showLogo = true;
    d.logoName = QStringLiteral("C:\\logo\\a.gif");
    d.logoW = 40;
    d.logoH = 10;
    d.logoAlign = QStringLiteral("右揃え");
    QVERIFY(previewCard(d).contains(QStringLiteral(
        "<tr><td align=\"right\" colspan=\"2\"><IMG SRC=\"C:\\logo\\a.gif\" width=\"40\" height=\"10\"></td>")));
}

// What a screen reader is given for the preview: the texts the card prints, in reading order.
void TestTagPreview::cardTextsRead_data()
{
    QTest::addColumn<int>("hb");
    QTest::addColumn<int>("ym");
    QTest::addColumn<int>("jn");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("defaults, 円") << 1 << 1 << 1
                                  << QStringList{"SMPL12345", "サンプル商品", "2,467円", "(税込)", "4567891234540"};
    QTest::newRow("¥, no code, no digits") << 0 << 0 << 0 << QStringList{"サンプル商品", "¥2,467", "(税込)"};
    QTest::newRow("no mark") << 0 << 2 << 0 << QStringList{"サンプル商品", "2,467", "(税込)"};
}

void TestTagPreview::cardTextsRead()
{
    QFETCH(int, hb);
    QFETCH(int, ym);
    QFETCH(int, jn);
    QFETCH(QStringList, texts);
    PriceTagDesign d;
    d.showItemCode = hb;
    d.priceMark = ym;
    d.showDigits = jn;
    QCOMPARE(previewCardTexts(d), texts);
    const QString card = previewCard(d);
    for (QString text : texts)
        QVERIFY2(card.contains(text.replace(QStringLiteral("¥"), QStringLiteral("&yen;"))), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestTagPreview)
#include "tst_tag_preview.moc"
