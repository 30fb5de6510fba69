#include "barcode/barcode.h"
#include "platform/apperror.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "price_tags/card.h"
#include "price_tags/product_slots.h"
#include "price_tags/sheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace price_tags;
using Icon = platform::UiServices::Icon;

namespace {

// Compares a page with its expected file; VENNLO_REGENERATE_PAGES=1 rewrites the file instead.
void compareWithFile(const QStringList &lines, const QString &name)
{
    const QString path = QStringLiteral(VENNLO_TEST_DATA_DIR "/") + name;
    const QByteArray bytes = platform::cp932Lines(lines);
    QFile f(path);
    if (qEnvironmentVariableIntValue("VENNLO_REGENERATE_PAGES") == 1) {
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return;
    }
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray expected = f.readAll();
    if (bytes == expected)
        return;
    const QStringList want = platform::cp932::decode(expected).split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < qMax(want.size() - 1, lines.size()); ++i) {
        const QString g = lines.value(i), w = want.value(i);
        if (g != w)
            QFAIL(qPrintable(QStringLiteral("line %1 differs:\n got: %2\nwant: %3").arg(i + 1).arg(g, w)));
    }
    QFAIL("pages differ in their bytes");
}

ProductSlots twoProducts()
{
    ProductSlots s;
    s[0] = {QStringLiteral("A-1"), QStringLiteral("りんご"), QStringLiteral("1,050"), QStringLiteral("4901234567894"),
            true};
    s[1] = {QStringLiteral("B-2"), QStringLiteral("梨&柿 <大>"), QStringLiteral("210"), QStringLiteral("12345670"),
            true};
    return s;
}

Copies copies(std::initializer_list<int> counts)
{
    Copies c;
    c.fill(QStringLiteral("0"));
    int i = 0;
    for (int n : counts)
        c[i++] = QString::number(n);
    return c;
}

QStringList sheet(const ProductSlots &items, const Copies &c, const PriceTagDesign &d)
{
    SheetCards cards;
    const platform::AppError e = SetSyouhin(items, c, d, &cards);
    if (e.isSet())
        qWarning() << "SetSyouhin" << e.description;
    const PageLines page = MakeCHtml(cards, d);
    if (page.error.isSet())
        qWarning() << "MakeCHtml" << page.error.description;
    return page.lines;
}

// The grid part of a sheet: every line after the style sheet, without the closing line.
QStringList grid(const QStringList &lines)
{
    const qsizetype body = lines.indexOf(QStringLiteral("--></style></head><body>"));
    return lines.mid(body + 1, lines.size() - body - 2);
}

const QString blankCell = QStringLiteral("<td class=\"top\"><div class=\"card\"></div></td>");
const QString pagebreak = QStringLiteral("<table class=\"pagebreak\" cellspacing=\"0\">");
const QString nobreak = QStringLiteral("<table class=\"nobreak\" cellspacing=\"0\">");

} // namespace

class TestTagSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copiesThreeAndTwo();
    void startPositionFour();
    void pageCounts_data();
    void pageCounts();
    void emptyPriceGivesBlankCells();
    void itemCodeOff();
    void priceMarks_data();
    void priceMarks();
    void cardVariants_data();
    void cardVariants();
    void fixedCardWidth();
    void fixedCardHeightAndPadding();
    void noRuledLine();
    void logoTag();
    void logoAlignment_data();
    void logoAlignment();
    void bareBarcodeWithoutDigits();
    void startPositions_data();
    void startPositions();
    void checkMake_data();
    void checkMake();
    void zeroDivisionIsRefusedAndNeverReportedAsDone();
    void makeWritesCtemp();
    void unencodableTextIsRefused();
    void productSlots_data();
    void productSlots();
    void slotPriceFailureIsTheApology();
    void slotPrices_data();
    void slotPrices();
    void reducedRateTags_data();
    void reducedRateTags();
};

void TestTagSheet::copiesThreeAndTwo()
{
    compareWithFile(sheet(twoProducts(), copies({3, 2}), PriceTagDesign()),
                    QStringLiteral("price_tags/ctemp_copies_3_2.html"));
}

void TestTagSheet::startPositionFour()
{
    PriceTagDesign d;
    d.cardHeightFixed = d.cardWidthFixed = true;
    d.startOffset = 3;
    const QStringList g = grid(sheet(twoProducts(), copies({3, 2}), d));
    // One table, two rows: three blanks and two cards, then three cards and two blanks.
    QCOMPARE(g.size(), 1 + 2 * 7 + 1);
    QCOMPARE(g.first(), nobreak);
    QCOMPARE(g.at(1), QStringLiteral("<tr>"));
    QCOMPARE(g.at(2), blankCell);
    QCOMPARE(g.at(3), blankCell);
    QCOMPARE(g.at(4), blankCell);
    QVERIFY(g.at(5).contains(QStringLiteral(">りんご<")));
    QVERIFY(g.at(6).contains(QStringLiteral(">りんご<")));
    QCOMPARE(g.at(7), QStringLiteral("</tr>"));
    QCOMPARE(g.at(8), QStringLiteral("<tr>"));
    QVERIFY(g.at(9).contains(QStringLiteral(">りんご<")));
    QVERIFY(g.at(10).contains(QStringLiteral(">梨&amp;柿 &lt;大&gt;<")));
    QVERIFY(g.at(11).contains(QStringLiteral(">梨&amp;柿 &lt;大&gt;<")));
    QCOMPARE(g.at(12), blankCell);
    QCOMPARE(g.at(13), blankCell);
    QCOMPARE(g.at(14), QStringLiteral("</tr>"));
    QCOMPARE(g.last(), QStringLiteral("</table>"));
}

void TestTagSheet::pageCounts_data()
{
    QTest::addColumn<int>("cards");
    QTest::addColumn<QStringList>("tables"); // class of each table with its row count
    QTest::addColumn<int>("lastRowCards");
    QTest::newRow("5 cards") << 5 << QStringList{"nobreak 1"} << 5;
    QTest::newRow("44 cards") << 44 << QStringList{"nobreak 9"} << 4;
    QTest::newRow("45 cards") << 45 << QStringList{"nobreak 9"} << 5;
    QTest::newRow("46 cards") << 46 << QStringList{"pagebreak 9", "nobreak 1"} << 1;
    QTest::newRow("90 cards") << 90 << QStringList{"pagebreak 9", "nobreak 9"} << 5;
    QTest::newRow("1 card") << 1 << QStringList{"nobreak 1"} << 1;
}

void TestTagSheet::pageCounts()
{
    QFETCH(int, cards);
    QFETCH(QStringList, tables);
    QFETCH(int, lastRowCards);
    ProductSlots s = twoProducts();
    const QStringList g = grid(sheet(s, copies({cards}), PriceTagDesign()));
    QStringList seen;
    int rows = 0;
    QString cls;
    int cardsInRow = 0, lastRow = 0, blanks = 0, cells = 0;
    for (const QString &line : g) {
        if (line == pagebreak || line == nobreak) {
            cls = line == pagebreak ? QStringLiteral("pagebreak") : QStringLiteral("nobreak");
            rows = 0;
        } else if (line == QLatin1String("<tr>")) {
            ++rows;
            cardsInRow = 0;
        } else if (line == QLatin1String("</tr>")) {
            lastRow = cardsInRow;
        } else if (line == QLatin1String("</table>")) {
            seen << cls + QLatin1Char(' ') + QString::number(rows);
        } else {
            ++cells;
            if (line == blankCell)
                ++blanks;
            else
                ++cardsInRow;
        }
    }
    QCOMPARE(seen, tables);
    QCOMPARE(lastRow, lastRowCards);
    QCOMPARE(cells - blanks, cards);
    QCOMPARE(cells % 5, 0); // every row has exactly W cells
    // No table without a row follows the last page: it would print as a blank sheet.
    for (const QString &t : std::as_const(seen))
        QVERIFY2(!t.endsWith(QLatin1String(" 0")), qPrintable(t));
}

void TestTagSheet::emptyPriceGivesBlankCells()
{
    ProductSlots s = twoProducts();
    s[0].price.clear();
    const QStringList g = grid(sheet(s, copies({3, 2}), PriceTagDesign()));
    QCOMPARE(g.mid(2, 5), (QStringList{blankCell, blankCell, blankCell, g.at(5), g.at(6)}));
    QVERIFY(g.at(5).contains(QStringLiteral("210円")));
    QVERIFY(g.at(6).contains(QStringLiteral("210円")));
}

void TestTagSheet::itemCodeOff()
{
    PriceTagDesign d;
    d.showItemCode = false;
    const QStringList off = grid(sheet(twoProducts(), copies({1}), d));
    QVERIFY(off.at(2).contains(QStringLiteral("<td class=\"area1\" colspan=\"2\"></td>")));
    d.showItemCode = true;
    const QStringList on = grid(sheet(twoProducts(), copies({1}), d));
    QVERIFY(on.at(2).contains(QStringLiteral("<td class=\"area1\" colspan=\"2\">A-1</td>")));
}

void TestTagSheet::priceMarks_data()
{
    QTest::addColumn<int>("ym");
    QTest::addColumn<QString>("cell");
    QTest::newRow("\\ マーク") << 0 << "<td class=\"area31\">&yen;1,050</td>";
    QTest::newRow("円マーク") << 1 << "<td class=\"area31\">1,050円</td>";
    QTest::newRow("付けない") << 2 << "<td class=\"area31\">1,050</td>";
}

void TestTagSheet::priceMarks()
{
    QFETCH(int, ym);
    QFETCH(QString, cell);
    PriceTagDesign d;
    d.priceMark = ym;
    QVERIFY(grid(sheet(twoProducts(), copies({1}), d)).at(2).contains(cell));
}

void TestTagSheet::cardVariants_data()
{
    QTest::addColumn<int>("zw");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("card");
    // Q stands for one double quote, B for the image sequence, as in the card table.
    const QString open =
        "<td class=QtopQ><div class=QcardQ><table width=Q100%Q border=Q0Q cellpadding=Q0Q><tr><td align=QcenterQ";
    QTest::newRow("one tier, type A")
        << 0 << 0
        << open + " colspan=Q2Q></td></tr><tr><td class=Qarea1Q colspan=Q2Q>A-1</td></tr><tr><td class=Qarea2Q "
                  "colspan=Q2Q>りんご</td></tr>"
                  "<tr><td class=Qarea31Q>1,050円</td><td class=Qarea33Q>(税込)</td></tr><tr><td colspan=Q2Q><div "
                  "align=QcenterQ>B</div>"
                  "</td></tr><tr><td class=Qarea6Q colspan=Q2Q>4901234567894</td></tr></table></div></td>";
    QTest::newRow("one tier, type B") << 0 << 1
                                      << open + " colspan=Q3Q></td></tr><tr><td class=Qarea1Q colspan=Q2Q>A-1</td><td "
                                                "rowspan=Q3Q><table border=Q0Q cellspacing=Q0Q width=Q100%Q>"
                                                "<tr><td><div align=QcenterQ>B</div></td></tr><tr><td "
                                                "class=Qarea6Q>4901234567894</td></tr></table></td></tr>"
                                                "<tr><td class=Qarea2Q colspan=Q2Q>りんご</td></tr><tr><td "
                                                "class=Qarea31Q>1,050円</td><td class=Qarea33Q>(税込)</td></tr>"
                                                "</table></div></td>";
    QTest::newRow("two tiers, type A")
        << 1 << 0
        << open + "></td></tr><tr><td class=Qarea1Q>A-1</td></tr><tr><td class=Qarea2Q>りんご</td></tr><tr><td "
                  "class=Qarea31Q>1,050円</td></tr>"
                  "<tr><td class=Qarea33Q>(税込)</td></tr><tr><td><div align=QcenterQ>B</div></td></tr><tr><td "
                  "class=Qarea6Q>4901234567894</td></tr>"
                  "</table></div></td>";
    QTest::newRow("two tiers, type B") << 1 << 1
                                       << open +
                                              " colspan=Q2Q></td></tr><tr><td class=Qarea1Q>A-1</td><td "
                                              "rowspan=Q4Q><table border=Q0Q cellspacing=Q0Q width=Q100%Q>"
                                              "<tr><td><div align=QcenterQ>B</div></td></tr><tr><td "
                                              "class=Qarea6Q>4901234567894</td></tr></table></td></tr>"
                                              "<tr><td class=Qarea2Q>りんご</td></tr><tr><td "
                                              "class=Qarea31Q>1,050円</td></tr><tr><td class=Qarea33Q>(税込)</td></tr>"
                                              "</table></div></td>";
}

void TestTagSheet::cardVariants()
{
    QFETCH(int, zw);
    QFETCH(int, layout);
    QFETCH(QString, card);
    PriceTagDesign d;
    d.showItemCode = true;
    d.twoTier = zw;
    d.layoutType = layout;
    const QString bars = barcode::MakeBarCodeHtml(QStringLiteral("4901234567894"), 40);
    QVERIFY(!bars.isEmpty());
    card.replace(QLatin1Char('Q'), QLatin1Char('"'));
    card.replace(QStringLiteral(">B<"), QLatin1Char('>') + bars + QLatin1Char('<'));
    QCOMPARE(grid(sheet(twoProducts(), copies({1}), d)).at(2), card);
}

void TestTagSheet::fixedCardWidth()
{
    PriceTagDesign d;
    d.cardWidthFixed = true;
    d.cardWidth = QStringLiteral("30");
    const QStringList l = sheet(twoProducts(), copies({1}), d);
    QVERIFY(l.contains(QStringLiteral(
        "td.top {vertical-align:top; border-style:solid; border-width:1px; border-color:#808080; width:30mm;}")));
    QVERIFY(l.contains(QStringLiteral("div.card {width:29mm;")));
    QVERIFY(l.contains(QStringLiteral("        table-layout:fixed;}")));
    QVERIFY(l.contains(QStringLiteral("table.nobreak {table-layout:fixed; border-collapse:collapse; "
                                      "border-style:solid; border-width:1px; border-color:#808080;}")));
    // Halves go to the even millimetre before the one is taken off.
    d.cardWidth = QStringLiteral("30.5");
    QVERIFY(sheet(twoProducts(), copies({1}), d).contains(QStringLiteral("div.card {width:29mm;")));
    d.cardWidth = QStringLiteral("31.5");
    QVERIFY(sheet(twoProducts(), copies({1}), d).contains(QStringLiteral("div.card {width:31mm;")));
}

void TestTagSheet::fixedCardHeightAndPadding()
{
    PriceTagDesign d;
    d.cardHeightFixed = true;
    d.cardHeight = QStringLiteral("24");
    d.padding = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    const QStringList l = sheet(twoProducts(), copies({1}), d);
    QVERIFY(l.contains(QStringLiteral("div.card {height:24mm;width:100%;")));
    // top, right, bottom, left
    QVERIFY(l.contains(QStringLiteral("        margin:0px;padding:1mm 4mm 2mm 3mm;overflow:hidden;}")));
}

void TestTagSheet::noRuledLine()
{
    PriceTagDesign d;
    d.ruledLine = false;
    const QStringList l = sheet(twoProducts(), copies({1}), d);
    QVERIFY(l.contains(QStringLiteral("td.top {vertical-align:top; border-style:none; }")));
    QVERIFY(l.contains(
        QStringLiteral("table.pagebreak {page-break-after:always; border-collapse:collapse; border-style:none;")));
}

void TestTagSheet::logoTag()
{
    PriceTagDesign d;
    d.showLogo = true;
    d.logoName = QStringLiteral("C:\\Users\\店\\logo&1.gif");
    d.logoW = 80;
    d.logoH = 20;
    const QStringList g = grid(sheet(twoProducts(), copies({1}), d));
    QVERIFY(
        g.at(2).contains(QStringLiteral("<td align=\"center\" colspan=\"2\"><IMG "
                                        "SRC=\"file://C:/Users/店/logo&amp;1.gif\" width=\"80\" height=\"20\"></td>")));
    d.showLogo = false;
    QVERIFY(!grid(sheet(twoProducts(), copies({1}), d)).at(2).contains(QStringLiteral("IMG")));
}

void TestTagSheet::logoAlignment_data()
{
    QTest::addColumn<QString>("align");
    QTest::addColumn<QString>("word");
    QTest::newRow("右揃え") << "右揃え"
                            << "right";
    QTest::newRow("右") << "右"
                        << "right";
    QTest::newRow("中央") << "中央"
                          << "center";
    QTest::newRow("左揃え") << "左揃え"
                            << "left";
    QTest::newRow("左") << "左"
                        << "left";
    QTest::newRow("other") << "上"
                           << "";
}

void TestTagSheet::logoAlignment()
{
    QFETCH(QString, align);
    QFETCH(QString, word);
    PriceTagDesign d;
    d.logoAlign = align;
    QVERIFY(grid(sheet(twoProducts(), copies({1}), d))
                .at(2)
                .contains(QStringLiteral("<tr><td align=\"") + word + "\" colspan"));
}

void TestTagSheet::bareBarcodeWithoutDigits()
{
    PriceTagDesign d;
    d.showDigits = false;
    const QString card = grid(sheet(twoProducts(), copies({1}), d)).at(2);
    QVERIFY(card.contains(QStringLiteral("<td class=\"area6\" colspan=\"2\"></td>")));
    QVERIFY(card.contains(QStringLiteral("BarCode/LB.bmp")));
    d.showBarcode = false;
    const QString none = grid(sheet(twoProducts(), copies({1}), d)).at(2);
    QVERIFY(none.contains(QStringLiteral("<div align=\"center\"></div>")));
    QVERIFY(!none.contains(QStringLiteral("BarCode/")));
}

void TestTagSheet::startPositions_data()
{
    QTest::addColumn<QString>("w");
    QTest::addColumn<QString>("h");
    QTest::addColumn<int>("count"); // -1: the list stays as it is
    QTest::newRow("5 x 9") << "5"
                           << "9" << 45;
    QTest::newRow("3 x 14") << "3"
                            << "14" << 42;
    QTest::newRow("1 x 1") << "1"
                           << "1" << 1;
    QTest::newRow("12 x 16") << "12"
                             << "16" << 192;
    QTest::newRow("W empty") << ""
                             << "9" << -1;
    QTest::newRow("H letters") << "5"
                               << "x" << -1;
}

void TestTagSheet::startPositions()
{
    QFETCH(QString, w);
    QFETCH(QString, h);
    QFETCH(int, count);
    const auto items = SetStartPos(w, h);
    QCOMPARE(items.has_value(), count >= 0);
    if (!items)
        return;
    QCOMPARE(items->size(), count);
    QCOMPARE(items->first(), QStringLiteral("1"));
    QCOMPARE(items->last(), QString::number(count));
}

void TestTagSheet::checkMake_data()
{
    QTest::addColumn<QString>("logoW");
    QTest::addColumn<QString>("logoH");
    QTest::addColumn<QStringList>("copyTexts");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("sizesFixed");
    QTest::addColumn<QString>("countW");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("slot");
    const int info = int(Icon::Information), crit = int(Icon::Critical);
    const QStringList ok{"3", "2", "0", "0", "0", "0", "0", "0", "0", "0"};
    const QString sizeMsg = "画像のサイズの値が不正です.";
    QTest::newRow("fine") << "0"
                          << "0" << ok << "1" << false << "5"
                          << ""
                          << "" << info << 0 << -1;
    QTest::newRow("logo negative") << "-1"
                                   << "10" << ok << "1" << false << "5" << sizeMsg << "画像の拡大/縮小" << crit << 1
                                   << -1;
    QTest::newRow("logo empty") << ""
                                << "10" << ok << "1" << false << "5" << sizeMsg << "画像の拡大/縮小" << crit << 1 << -1;
    QTest::newRow("logo letters") << "10"
                                  << "x" << ok << "1" << false << "5" << sizeMsg << "画像の拡大/縮小" << crit << 1
                                  << -1;
    QStringList slot3 = ok;
    slot3[3] = "";
    QTest::newRow("copies emptied in slot 3") << "0"
                                              << "0" << slot3 << "1" << false << "5"
                                              << "作成枚数の値がが不正です"
                                              << "作成枚数チェック" << crit << 2 << 3;
    QStringList negative = ok;
    negative[1] = "-2";
    QTest::newRow("copies negative") << "0"
                                     << "0" << negative << "1" << false << "5"
                                     << "作成枚数の値がが不正です"
                                     << "作成枚数チェック" << crit << 2 << 1;
    const QString startMsg = "出力の開始位置を 1 以外に指定するときは、\r\nカードの縦横のサイズを指定してください.";
    QTest::newRow("start 4, sizes free") << "0"
                                         << "0" << ok << "4" << false << "5" << startMsg << "貼付用値札作成" << info
                                         << 3 << -1;
    QTest::newRow("start 4, sizes fixed") << "0"
                                          << "0" << ok << "4" << true << "5"
                                          << ""
                                          << "" << info << 0 << -1;
    const QStringList zero{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    QTest::newRow("no copies") << "0"
                               << "0" << zero << "1" << false << "5"
                               << "作成枚数が設定されていません."
                               << "貼付用値札作成" << info << 4 << -1;
    const QString divMsg = "横に並べる列数と縦に並べる行数には 1 以上の数を指定してください.";
    QTest::newRow("division empty") << "0"
                                    << "0" << ok << "1" << false << "" << divMsg << "貼付用値札作成" << info << 5 << -1;
    QTest::newRow("division 0") << "0"
                                << "0" << ok << "1" << false << "0" << divMsg << "貼付用値札作成" << info << 5 << -1;
    QTest::newRow("start past the page") << "0"
                                         << "0" << ok << "46" << true << "5"
                                         << "出力の開始位置は 1 から 45 までの数で指定してください."
                                         << "貼付用値札作成" << info << 3 << -1;
    QTest::newRow("start on the last cell") << "0"
                                            << "0" << ok << "45" << true << "5"
                                            << ""
                                            << "" << info << 0 << -1;
    // A sheet holds at most a million cards, the blank cells before the start position included.
    const QString tooMany =
        "作成するカードの数が多すぎます.\r\n開始位置までの空きを含めて 1,000,000 枚までにしてください.";
    QStringList million = zero;
    million[0] = "999956";
    QTest::newRow("a million cards") << "0"
                                     << "0" << million << "45" << true << "5"
                                     << ""
                                     << "" << info << 0 << -1;
    million[9] = "1";
    QTest::newRow("one card more") << "0"
                                   << "0" << million << "45" << true << "5" << tooMany << "貼付用値札作成" << crit << 0
                                   << -1;
    QStringList huge = zero;
    huge[2] = "100000000";
    QTest::newRow("a hundred million copies")
        << "0"
        << "0" << huge << "1" << false << "5" << tooMany << "貼付用値札作成" << crit << 0 << -1;
    huge[2] = "99999999999";
    QTest::newRow("copies past 32 bits") << "0"
                                         << "0" << huge << "1" << false << "5" << tooMany << "貼付用値札作成" << crit
                                         << 0 << -1;
}

void TestTagSheet::checkMake()
{
    QFETCH(QString, logoW);
    QFETCH(QString, logoH);
    QFETCH(QStringList, copyTexts);
    QFETCH(QString, start);
    QFETCH(bool, sizesFixed);
    QFETCH(QString, countW);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(int, next);
    QFETCH(int, slot);
    Inputs in;
    in.logoWidth = logoW;
    in.logoHeight = logoH;
    for (int i = 0; i < SlotCount; ++i)
        in.copies[i] = copyTexts.at(i);
    in.startPos = start;
    in.cardHeightFixed = in.cardWidthFixed = sizesFixed;
    in.countW = countW;
    in.countH = QStringLiteral("9");
    const common::Refusal r = price_tags::check(in);
    QCOMPARE(r.text, text);
    QCOMPARE(r.refused(), !text.isEmpty());
    if (r.refused()) {
        QCOMPARE(r.title, title);
        QCOMPARE(int(r.icon), icon);
        QCOMPARE(int(r.next), next);
        QCOMPARE(r.slot, slot);
    }
}

void TestTagSheet::zeroDivisionIsRefusedAndNeverReportedAsDone()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(pageFileName());
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    PriceTagDesign d;
    d.countW = 0;
    SheetCards cards;
    QVERIFY(!SetSyouhin(twoProducts(), copies({3, 2}), d, &cards).isSet());
    const PageLines page = MakeCHtml(cards, d);
    QCOMPARE(page.error.number, 11);
    QVERIFY(page.lines.isEmpty());
    const common::MakeResult out = make({.rows = twoProducts(), .design = d, .copies = copies({3, 2})}, dir.path());
    QVERIFY(!out.ok());
    QCOMPARE(out.text, platform::errorReportText(QStringLiteral("MakeCHtml"), platform::AppError::divisionByZero()));
    QCOMPARE(out.title, QStringLiteral("エラー情報"));
    QCOMPARE(int(out.icon), int(Icon::Critical));
    QVERIFY(!out.text.contains(QStringLiteral("作成しました")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("previous"));
}

void TestTagSheet::makeWritesCtemp()
{
    QTemporaryDir dir;
    const common::MakeResult out =
        make({.rows = twoProducts(), .design = PriceTagDesign(), .copies = copies({3, 2})}, dir.path());
    QVERIFY(out.ok());
    QCOMPARE(out.text, QStringLiteral("貼付用値札を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
    QCOMPARE(out.title, QStringLiteral("ぽらね値札作成"));
    QFile written(dir.filePath(QStringLiteral("ctemp.html")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QFile expected(QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/ctemp_copies_3_2.html"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), expected.readAll());
}

void TestTagSheet::unencodableTextIsRefused()
{
    QTemporaryDir dir;
    ProductSlots s = twoProducts();
    s[0].name = QStringLiteral("😀");
    const common::MakeResult out = make({.rows = s, .design = PriceTagDesign(), .copies = copies({1})}, dir.path());
    QVERIFY(!out.ok());
    QVERIFY(out.text.startsWith(QStringLiteral("エラーが発生しました(MakeCHtml)\r\nエラー番号: ")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("ctemp.html"))));
}

void TestTagSheet::productSlots_data()
{
    QTest::addColumn<QList<int>>("checkedRows"); // of a list of 12 rows
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("filled");
    QTest::newRow("none") << QList<int>{}
                          << "メイン画面データリストで作成する値札に　\r\n出力チェック(10件以内)を入れて下さい." << 0;
    QTest::newRow("three") << QList<int>{1, 4, 7} << "" << 3;
    QTest::newRow("ten") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} << "" << 10;
    QTest::newRow("eleven") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}
                            << "メイン画面データリストで作成する値札の出力チェックは.　\r\n10件以内でにして下さい."
                            << 0;
}

void TestTagSheet::productSlots()
{
    QFETCH(QList<int>, checkedRows);
    QFETCH(QString, message);
    QFETCH(int, filled);
    products::ProductList list;
    for (int i = 0; i < 12; ++i)
        list.append({QStringLiteral("C%1").arg(i), QStringLiteral("品%1").arg(i), QString::number(1000 + i), QString(),
                     QStringLiteral("4901234567894"), checkedRows.contains(i)});
    const SlotFill fill = fillProductSlots(list, products::TaxSettings());
    QCOMPARE(fill.message, message);
    if (!message.isEmpty())
        QCOMPARE(fill.title, QStringLiteral("貼付用値札作成"));
    for (int s = 0; s < SlotCount; ++s) {
        QCOMPARE(fill.items[s].filled, s < filled);
        if (s < filled) {
            const int row = checkedRows.at(s);
            QCOMPARE(fill.items[s].code, QStringLiteral("C%1").arg(row));
            QCOMPARE(fill.items[s].name, QStringLiteral("品%1").arg(row));
            QCOMPARE(fill.items[s].jan, QStringLiteral("4901234567894"));
        } else {
            QCOMPARE(fill.items[s], ProductSlot());
        }
    }
}

void TestTagSheet::slotPriceFailureIsTheApology()
{
    products::TaxSettings tax;
    tax.rate = products::Currency::fromInt(1000000);
    products::ProductList list{
        {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("2000000"), QString(), QString(), true}};
    const SlotFill fill = fillProductSlots(list, tax);
    QVERIFY(fill.apology);
    QCOMPARE(fill.message,
             platform::apologyReportText(QStringLiteral("ShowNefudaDialog"), platform::AppError::overflow()));
    QCOMPARE(fill.title, QStringLiteral("エラー情報"));
    QVERIFY(!fill.items[0].filled);
}

void TestTagSheet::slotPrices_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("indicate");
    QTest::addColumn<int>("ks");
    QTest::addColumn<QString>("label");
    QTest::newRow("base 1000") << "1000" << 0 << 0 << "1,050";
    QTest::newRow("base 99 down") << "99" << 0 << 0 << "103";
    QTest::newRow("base 99 half up") << "99" << 0 << 1 << "104";
    QTest::newRow("base 99 up") << "99" << 0 << 2 << "104";
    QTest::newRow("base 100 up") << "100" << 0 << 2 << "105";
    QTest::newRow("inclusive 1000") << "1000" << 1 << 0 << "1,000";
    QTest::newRow("inclusive 12345") << "12345" << 1 << 2 << "12,345";
    QTest::newRow("empty") << "" << 0 << 0 << "";
    QTest::newRow("zero") << "0" << 0 << 0 << "0";
    QTest::newRow("unknown rounding") << "100" << 0 << 3 << "";
}

void TestTagSheet::slotPrices()
{
    QFETCH(QString, price);
    QFETCH(int, indicate);
    QFETCH(int, ks);
    QFETCH(QString, label);
    products::TaxSettings tax;
    tax.indicate = indicate;
    tax.ks = ks;
    QCOMPARE(taxInclusiveLabel(price, tax), label);
    products::ProductList list{{QStringLiteral("X"), QStringLiteral("Y"), price, QString(), QString(), true}};
    QCOMPARE(fillProductSlots(list, tax).items[0].price, label);
}

// A checked list of both classes: each slot's price at its product's rate, "※" after the price of a
// reduced-rate product when the design asks for it.
void TestTagSheet::reducedRateTags_data()
{
    QTest::addColumn<int>("indicate");
    QTest::addColumn<int>("ks");
    QTest::addColumn<int>("km");
    QTest::addColumn<int>("ym");
    QTest::addColumn<QString>("standardCell");
    QTest::addColumn<QString>("reducedCell");
    QTest::newRow("base, mark on, 円") << 0 << 0 << 1 << 1 << "<td class=\"area31\">1,100円</td>"
                                       << "<td class=\"area31\">1,080円※</td>";
    QTest::newRow("base 999 half up, mark off") << 0 << 1 << 0 << 2 << "<td class=\"area31\">1,099</td>"
                                                << "<td class=\"area31\">1,079</td>";
    QTest::newRow("tax-inclusive, mark on, yen") << 1 << 0 << 1 << 0 << "<td class=\"area31\">&yen;1,000</td>"
                                                 << "<td class=\"area31\">&yen;1,000※</td>";
}

void TestTagSheet::reducedRateTags()
{
    QFETCH(int, indicate);
    QFETCH(int, ks);
    QFETCH(int, km);
    QFETCH(int, ym);
    QFETCH(QString, standardCell);
    QFETCH(QString, reducedCell);
    products::TaxSettings tax;
    tax.rate = *products::Currency::parse(QStringLiteral("0.1"));
    tax.indicate = indicate;
    tax.ks = ks;
    const QString price = indicate == 0 && ks == 1 ? QStringLiteral("999") : QStringLiteral("1000");
    products::ProductList list{{QStringLiteral("S"), QStringLiteral("湯呑み"), price, QString(), QString(), true},
                               {QStringLiteral("R"), QStringLiteral("煎茶"), price, QString(), QString(), true}};
    list[1].reduced = true;
    const SlotFill fill = fillProductSlots(list, tax);
    QVERIFY(fill.message.isEmpty());
    PriceTagDesign d;
    d.reducedMark = km;
    d.priceMark = ym;
    const QStringList g = grid(sheet(fill.items, copies({1, 1}), d));
    QVERIFY2(g.value(2).contains(standardCell), qPrintable(g.value(2)));
    QVERIFY2(g.value(3).contains(reducedCell), qPrintable(g.value(3)));
}

QTEST_GUILESS_MAIN(TestTagSheet)
#include "tst_tag_sheet.moc"
