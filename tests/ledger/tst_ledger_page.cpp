#include "ledger/sheet.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ledger;

namespace {

products::ProductList numbered(int n)
{
    products::ProductList list;
    for (int i = 0; i < n; ++i)
        list.append({QStringLiteral("C%1").arg(i), QStringLiteral("品%1").arg(i), QString::number(100 + i), QString(),
                     QStringLiteral("4901234567894"), false});
    return list;
}

QStringList page(const products::ProductList &list, const LedgerDesign &s = LedgerDesign(),
                 const QString &start = QStringLiteral("1"), const products::TaxSettings &tax = products::TaxSettings())
{
    QList<LedgerRow> rows;
    if (SetSyouhin(list, tax, s.barcodeHeight, &rows).isSet())
        return {};
    return MakeHtmlFile(rows, s, start).lines;
}

// The page blocks: everything between the head and the last line.
QStringList blocks(const QStringList &lines)
{
    const qsizetype body = lines.indexOf(QStringLiteral("--></style></head><body>"));
    return lines.mid(body + 1, lines.size() - body - 2);
}

const QString pagebreak = QStringLiteral("<table class=\"pagebreak\" cellspacing=\"0\">");
const QString nobreak = QStringLiteral("<table class=\"nobreak\" cellspacing=\"0\">");

} // namespace

class TestLedgerPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoRowsPage();
    void tables_data();
    void tables();
    void pageNumbers_data();
    void pageNumbers();
    void prices_data();
    void prices();
    void reducedRows_data();
    void reducedRows();
    void fontSizes_data();
    void fontSizes();
    void selection();
    void barcodeCell();
    void checks_data();
    void checks();
    void makeWritesPage();
    void failedRowsStopTheMake();
    void unstorableTextNamesTheProduct();
    void rateOfMinusOneIsReported();
    void zeroRowsPerPageFailsInsideAndIsReported();
    void unwritableFolderIsReported();
};

void TestLedgerPage::twoRowsPage()
{
    products::ProductList list{
        {QStringLiteral("A-1"), QStringLiteral("りんご"), QStringLiteral("1000"), QStringLiteral("青森産"),
         QStringLiteral("4901234567894"), false},
        {QStringLiteral("B&2"), QStringLiteral("<梨>"), QString(), QString(), QString(), false},
    };
    LedgerDesign s;
    s.pageNumbers = 1;
    const QStringList lines = page(list, s);
    QFile f(QStringLiteral(VENNLO_TEST_DATA_DIR "/ledger/dtemp_two_rows.html"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray expected = f.readAll();
    if (qEnvironmentVariableIntValue("VENNLO_REGENERATE_PAGES") == 1) {
        f.close();
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(platform::cp932Lines(lines));
        return;
    }
    const QStringList want = platform::cp932::decode(expected).split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(lines.at(i), want.value(i));
    QCOMPARE(platform::cp932Lines(lines), expected);
}

void TestLedgerPage::tables_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<QStringList>("tables"); // class and product rows of each table
    QTest::newRow("n 24, L 12") << 24 << 12 << QStringList{"pagebreak 12", "nobreak 12"};
    QTest::newRow("n 25, L 12") << 25 << 12 << QStringList{"pagebreak 12", "pagebreak 12", "nobreak 1"};
    QTest::newRow("n 0") << 0 << 12 << QStringList{};
    QTest::newRow("n 5, L 12") << 5 << 12 << QStringList{"nobreak 5"};
    QTest::newRow("n 12, L 12") << 12 << 12 << QStringList{"nobreak 12"};
    QTest::newRow("n 3, L 1") << 3 << 1 << QStringList{"pagebreak 1", "pagebreak 1", "nobreak 1"};
    QTest::newRow("n 17, L 16") << 17 << 16 << QStringList{"pagebreak 16", "nobreak 1"};
}

void TestLedgerPage::tables()
{
    QFETCH(int, n);
    QFETCH(int, perPage);
    QFETCH(QStringList, tables);
    LedgerDesign s;
    s.rowsPerPage = perPage;
    const QStringList lines = page(numbered(n), s);
    QCOMPARE(lines.last(), QStringLiteral("</body></html>"));
    const QStringList b = blocks(lines);
    QStringList seen;
    QString cls;
    int rows = 0, next = 0;
    for (qsizetype i = 0; i < b.size(); ++i) {
        const QString &l = b.at(i);
        if (l == pagebreak || l == nobreak) {
            cls = l == pagebreak ? QStringLiteral("pagebreak") : QStringLiteral("nobreak");
            rows = 0;
            QVERIFY(b.value(i + 1).startsWith(QStringLiteral("<tr><th class=\"num\" rowspan=\"2\">品番等</th>")));
            ++i;
        } else if (l == QLatin1String("</table>")) {
            seen << cls + QLatin1Char(' ') + QString::number(rows);
        } else {
            // A row line names the next product in order and is followed by one empty line.
            QVERIFY2(l.startsWith(QStringLiteral("<tr><td rowspan=\"2\">C%1</td>").arg(next)), qPrintable(l.left(60)));
            QCOMPARE(b.value(i + 1), QString());
            ++i;
            ++rows;
            ++next;
        }
    }
    QCOMPARE(seen, tables);
    QCOMPARE(next, n);
}

void TestLedgerPage::pageNumbers_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("pn");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("from 5") << "5" << 1 << QStringList{"- 5 -", "- 6 -", "- 7 -"};
    QTest::newRow("not numeric") << "x" << 1 << QStringList{"- 1 -", "- 2 -", "- 3 -"};
    QTest::newRow("off") << "5" << 0 << QStringList{};
}

void TestLedgerPage::pageNumbers()
{
    QFETCH(QString, start);
    QFETCH(int, pn);
    QFETCH(QStringList, numbers);
    LedgerDesign s;
    s.pageNumbers = pn;
    const QStringList b = blocks(page(numbered(30), s, start));
    QStringList seen;
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b.at(i).startsWith(QStringLiteral("<tr><td class=\"pagenum\" colspan=\"5\">"))) {
            QCOMPARE(b.value(i + 1), QStringLiteral("</table>")); // the last row of its table
            seen << b.at(i).mid(36, b.at(i).size() - 36 - 10);
        }
    }
    QCOMPARE(seen, numbers);
}

void TestLedgerPage::prices_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("indicate");
    QTest::addColumn<int>("ks");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("included");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("tax");
    QTest::newRow("base 1000, truncate") << "1000" << 0 << 0 << "0.05"
                                         << "1,050"
                                         << "1,000"
                                         << "50";
    QTest::newRow("inclusive 1000") << "1000" << 1 << 0 << "0.05"
                                    << "1,000"
                                    << "953"
                                    << "47";
    QTest::newRow("inclusive 1000, rounding ignored") << "1000" << 1 << 2 << "0.05"
                                                      << "1,000"
                                                      << "953"
                                                      << "47";
    QTest::newRow("base 99, truncate") << "99" << 0 << 0 << "0.05"
                                       << "103"
                                       << "99"
                                       << "4";
    QTest::newRow("base 99, half up") << "99" << 0 << 1 << "0.05"
                                      << "104"
                                      << "99"
                                      << "5";
    QTest::newRow("base 99, up") << "99" << 0 << 2 << "0.05"
                                 << "104"
                                 << "99"
                                 << "5";
    QTest::newRow("inclusive 105") << "105" << 1 << 0 << "0.05"
                                   << "105"
                                   << "100"
                                   << "5";
    QTest::newRow("base 12345, 8%") << "12345" << 0 << 0 << "0.08"
                                    << "13,332"
                                    << "12,345"
                                    << "987";
    QTest::newRow("not numeric") << "" << 0 << 0 << "0.05"
                                 << "0"
                                 << "0"
                                 << "0";
    QTest::newRow("not numeric, inclusive") << "abc" << 1 << 0 << "0.05"
                                            << "0"
                                            << "0"
                                            << "0";
    QTest::newRow("unknown rounding") << "99" << 0 << 3 << "0.05"
                                      << ""
                                      << "99"
                                      << "";
    QTest::newRow("unknown basis") << "99" << 2 << 0 << "0.05"
                                   << ""
                                   << ""
                                   << "";
    QTest::newRow("zero") << "0" << 0 << 1 << "0.05"
                          << "0"
                          << "0"
                          << "0";
}

void TestLedgerPage::prices()
{
    QFETCH(QString, price);
    QFETCH(int, indicate);
    QFETCH(int, ks);
    QFETCH(QString, rate);
    QFETCH(QString, included);
    QFETCH(QString, base);
    QFETCH(QString, tax);
    products::TaxSettings t;
    t.indicate = indicate;
    t.ks = ks;
    t.rate = *products::Currency::parse(rate);
    const LedgerPrices p = ledgerPrices(price, t);
    QCOMPARE(p.included, included);
    QCOMPARE(p.base, base);
    QCOMPARE(p.tax, tax);
    products::ProductList list{{QStringLiteral("X"), QStringLiteral("Y"), price, QString(), QString(), false}};
    const QString row = blocks(page(list, LedgerDesign(), QStringLiteral("1"), t)).at(2);
    QVERIFY(row.contains(QStringLiteral("<td class=\"rgt\" colspan=\"2\">") + included + QStringLiteral("</td>")));
    QVERIFY(row.endsWith(QStringLiteral("<td class=\"rgt\">") + base + QStringLiteral("</td><td class=\"rgt\">") + tax +
                         QStringLiteral("</td></tr>")));
}

void TestLedgerPage::fontSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("th");
    QTest::addColumn<QString>("td");
    QTest::newRow("11") << 11 << "th   {font:normal normal normal 10pt \"ＭＳ Ｐゴシック\";"
                        << "td   {font:normal normal normal 11pt \"ＭＳ Ｐゴシック\";";
    QTest::newRow("9") << 9 << "th   {font:normal normal normal 8pt \"ＭＳ Ｐゴシック\";"
                       << "td   {font:normal normal normal 9pt \"ＭＳ Ｐゴシック\";";
}

void TestLedgerPage::fontSizes()
{
    QFETCH(int, size);
    QFETCH(QString, th);
    QFETCH(QString, td);
    LedgerDesign s;
    s.fontSize = size;
    const QStringList l = page(numbered(1), s);
    QCOMPARE(l.at(10), th);
    QCOMPARE(l.at(14), td);
    QCOMPARE(l.at(13), QStringLiteral("      background-color:#FFFF00;}"));
    QCOMPARE(l.at(8), QStringLiteral("        table-layout:fixed;width:100%;}"));
}

void TestLedgerPage::selection()
{
    products::ProductList list = numbered(4);
    QCOMPARE(blocks(page(list)).size(), 2 + 4 * 2 + 1);
    list[2].checked = true;
    const QStringList b = blocks(page(list));
    QCOMPARE(b.size(), 2 + 2 + 1);
    QVERIFY(b.at(2).startsWith(QStringLiteral("<tr><td rowspan=\"2\">C2</td><td>品2</td>")));
}

void TestLedgerPage::barcodeCell()
{
    products::ProductList list{
        {QStringLiteral("A"), QStringLiteral("&<>\""), QStringLiteral("1"), QStringLiteral("a&b"), QString(), false},
        {QStringLiteral("B"), QStringLiteral("n"), QStringLiteral("1"), QString(), QStringLiteral("490123456789"),
         false},
        {QStringLiteral("C"), QStringLiteral("n"), QStringLiteral("1"), QString(), QStringLiteral("12345670"), false},
    };
    LedgerDesign s;
    s.barcodeHeight = 30;
    const QStringList b = blocks(page(list, s));
    QVERIFY(b.at(2).contains(QStringLiteral("<td class=\"cnt\" rowspan=\"2\"><br></td>")));
    QVERIFY(b.at(2).contains(QStringLiteral("<td>&amp;&lt;&gt;&quot;</td>")));
    QVERIFY(b.at(2).contains(QStringLiteral("<tr><td>a&amp;b</td>")));
    QVERIFY(b.at(4).contains(QStringLiteral("<td class=\"cnt\" rowspan=\"2\"><br>490123456789</td>")));
    QVERIFY(b.at(6).contains(QStringLiteral(
        "<td class=\"cnt\" rowspan=\"2\"><img src=\"BarCode/LB.bmp\" border=\"0\" width=\"4\" height=\"30\">")));
    QVERIFY(b.at(6).contains(
        QStringLiteral("<img src=\"BarCode/RB.bmp\" border=\"0\" width=\"4\" height=\"30\"><br>12345670</td>")));
}

void TestLedgerPage::checks_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reset");
    QTest::newRow("fine") << "1" << 12 << "" << false;
    QTest::newRow("start 0") << "0" << 12 << "開始ページの値が不正です." << true;
    QTest::newRow("start empty") << "" << 12 << "開始ページの値が不正です." << true;
    QTest::newRow("start negative") << "-2" << 12 << "開始ページの値が不正です." << true;
    QTest::newRow("rows per page 0") << "3" << 0 << "1 ページの行数には 1 以上の数を指定してください." << false;
}

void TestLedgerPage::checks()
{
    QFETCH(QString, start);
    QFETCH(int, perPage);
    QFETCH(QString, text);
    QFETCH(bool, reset);
    LedgerDesign s;
    s.rowsPerPage = perPage;
    const common::Refusal r = check(Inputs{{}, s, {}, start});
    QCOMPARE(r.text, text);
    QCOMPARE(r.refused(), !text.isEmpty());
    QCOMPARE(r.next == Next::StartPage, reset);
    if (r.refused()) {
        QCOMPARE(r.title, QStringLiteral("入力値チェック"));
        QCOMPARE(int(r.icon), int(platform::UiServices::Icon::Critical));
    }
}

// Each row at its product's rate; a reduced-rate row marked after its name, and one line under the
// tables saying so with the rate as set. The file the make writes is the same page.
void TestLedgerPage::reducedRows_data()
{
    QTest::addColumn<int>("basis");
    QTest::addColumn<int>("ks");
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<QString>("reducedRate");
    QTest::addColumn<QStringList>("cells"); // tax-inclusive, base, tax
    QTest::addColumn<QString>("note");
    QTest::newRow("base, reduced") << 0 << 0 << "1000" << true << "0.08" << QStringList{"1,080", "1,000", "80"}
                                   << "※は軽減税率(8%)対象商品です";
    QTest::newRow("base, standard") << 0 << 0 << "1000" << false << "0.08" << QStringList{"1,100", "1,000", "100"}
                                    << QString();
    QTest::newRow("base 99 half up, reduced")
        << 0 << 1 << "99" << true << "0.08" << QStringList{"107", "99", "8"} << "※は軽減税率(8%)対象商品です";
    QTest::newRow("tax-inclusive, reduced")
        << 1 << 0 << "1000" << true << "0.08" << QStringList{"1,000", "926", "74"} << "※は軽減税率(8%)対象商品です";
    QTest::newRow("reduced rate as set") << 0 << 2 << "1000" << true << "0.065" << QStringList{"1,065", "1,000", "65"}
                                         << "※は軽減税率(6.5%)対象商品です";
}

void TestLedgerPage::reducedRows()
{
    QFETCH(int, basis);
    QFETCH(int, ks);
    QFETCH(QString, price);
    QFETCH(bool, reduced);
    QFETCH(QString, reducedRate);
    QFETCH(QStringList, cells);
    QFETCH(QString, note);
    products::TaxSettings tax;
    tax.rate = *products::Currency::parse(QStringLiteral("0.1"));
    tax.reducedRate = *products::Currency::parse(reducedRate);
    tax.indicate = basis;
    tax.ks = ks;
    products::ProductList list = numbered(2);
    list[1].price = price;
    list[1].reduced = reduced;
    QList<LedgerRow> rows;
    QVERIFY(!SetSyouhin(list, tax, 40, &rows).isSet());
    const QStringList lines = MakeHtmlFile(rows, LedgerDesign(), QStringLiteral("1"), tax.reducedRate).lines;
    const QStringList body = blocks(lines);
    const QString row = body.value(4);
    QVERIFY2(row.contains(QStringLiteral("<td>品1") + (reduced ? QStringLiteral("※") : QString()) +
                          QStringLiteral("</td><td class=\"rgt\" colspan=\"2\">") + cells.at(0) +
                          QStringLiteral("</td>")),
             qPrintable(row));
    QVERIFY(row.endsWith(QStringLiteral("<td class=\"rgt\">") + cells.at(1) +
                         QStringLiteral("</td><td class=\"rgt\">") + cells.at(2) + QStringLiteral("</td></tr>")));
    QVERIFY(!body.value(2).contains(QStringLiteral("※")));
    QCOMPARE(body.last(),
             note.isEmpty() ? QStringLiteral("</table>") : QStringLiteral("<p>") + note + QStringLiteral("</p>"));

    QTemporaryDir dir;
    QVERIFY(make(Inputs{list, LedgerDesign(), tax, QStringLiteral("1")}, dir.path()).ok());
    QFile f(dir.filePath(QStringLiteral("dtemp.html")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), platform::cp932Lines(lines));
}

void TestLedgerPage::makeWritesPage()
{
    QTemporaryDir dir;
    const common::MakeResult out =
        make(Inputs{numbered(3), LedgerDesign(), products::TaxSettings(), QStringLiteral("1")}, dir.path());
    QVERIFY(out.ok());
    QCOMPARE(out.text, QStringLiteral("商品台帳を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
    QCOMPARE(out.title, QStringLiteral("ぽらね値札作成"));
    QFile f(dir.filePath(QStringLiteral("dtemp.html")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), platform::cp932Lines(page(numbered(3))));
}

void TestLedgerPage::failedRowsStopTheMake()
{
    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("dtemp.html")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    products::ProductList list = numbered(2);
    list[1].price = QStringLiteral("99999999999"); // beyond the 32-bit price
    const common::MakeResult out =
        make(Inputs{list, LedgerDesign(), products::TaxSettings(), QStringLiteral("1")}, dir.path());
    QVERIFY(!out.ok());
    QCOMPARE(out.text,
             platform::errorReportText(QStringLiteral("frmdaicyo.SetSyouhin"), platform::AppError::overflow()));
    QCOMPARE(out.title, QStringLiteral("エラー情報"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("previous"));
}

// A text the page cannot hold is named by its product and column, never by a line of the page.
void TestLedgerPage::unstorableTextNamesTheProduct()
{
    QTemporaryDir dir;
    products::ProductList list = numbered(4);
    list[1].name = QStringLiteral("𠮷野家");
    list[3].code = QStringLiteral("X−1〜"); // JIS forms no list holds any more: still no page line
    list[3].checked = true;
    const common::MakeResult out =
        make(Inputs{list, LedgerDesign(), products::TaxSettings(), QStringLiteral("1")}, dir.path());
    QCOMPARE(out.text, QStringLiteral("エラーが発生しました(frmdaicyo.SetSyouhin)\r\nエラー番号: 380\r\n"
                                      "内容: No.4 の品番等に Shift_JIS で保存できない文字「−」があります。"));
    list[3].checked = false;
    QList<LedgerRow> rows;
    QCOMPARE(SetSyouhin(list, products::TaxSettings(), 40, &rows).description,
             QStringLiteral("No.2 の商品名に Shift_JIS で保存できない文字「𠮷」があります。"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("dtemp.html"))));
}

void TestLedgerPage::rateOfMinusOneIsReported()
{
    products::TaxSettings tax;
    tax.indicate = 1;
    tax.rate = products::Currency::fromInt(-1);
    QList<LedgerRow> rows;
    QCOMPARE(SetSyouhin(numbered(1), tax, 40, &rows).number, 11);
    QTemporaryDir dir;
    const common::MakeResult out = make(Inputs{numbered(1), LedgerDesign(), tax, QStringLiteral("1")}, dir.path());
    QVERIFY(!out.ok());
    QVERIFY(out.text.startsWith(QStringLiteral("エラーが発生しました(frmdaicyo.SetSyouhin)\r\nエラー番号: 11\r\n")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("dtemp.html"))));
}

void TestLedgerPage::zeroRowsPerPageFailsInsideAndIsReported()
{
    QTemporaryDir dir;
    LedgerDesign s;
    s.rowsPerPage = 0;
    QList<LedgerRow> rows;
    QVERIFY(!SetSyouhin(numbered(2), products::TaxSettings(), 40, &rows).isSet());
    QCOMPARE(MakeHtmlFile(rows, s, QStringLiteral("1")).error.number, 11);
    const common::MakeResult out =
        make(Inputs{numbered(2), s, products::TaxSettings(), QStringLiteral("1")}, dir.path());
    QVERIFY(!out.ok());
    QCOMPARE(out.text,
             platform::errorReportText(QStringLiteral("frmDaicto.MakeHtmlFile"), platform::AppError::divisionByZero()));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("dtemp.html"))));
}

void TestLedgerPage::unwritableFolderIsReported()
{
    QTemporaryDir dir;
    const common::MakeResult out =
        make(Inputs{numbered(1), LedgerDesign(), products::TaxSettings(), QStringLiteral("1")},
             dir.filePath(QStringLiteral("missing/folder")));
    QVERIFY(!out.ok());
    QVERIFY(out.text.startsWith(QStringLiteral("エラーが発生しました(frmDaicto.MakeHtmlFile)\r\nエラー番号: 76\r\n")));
}

QTEST_GUILESS_MAIN(TestLedgerPage)
#include "tst_ledger_page.moc"
