// vennlo-cli tags / preview tags / ledger run as a user runs them: exit codes, the exact message texts
// on stderr, and pages byte for byte equal to those the core functions make for the windows.

#include "ledger/sheet.h"
#include "platform/cp932.h"
#include "platform/profile_file.h"
#include "platform/text_file.h"
#include "price_tags/design_file.h"
#include "price_tags/preview.h"
#include "price_tags/product_slots.h"
#include "price_tags/sheet.h"
#include "price_tags/window_values.h"
#include "products/csv_file.h"
#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "support/cli_runner.h"

namespace {

const QString kList = QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/twelve.csv");
const QString kCli = QStringLiteral(VENNLO_PROGRAM_DIR "/vennlo-cli");

using cli_runner::lf;
using cli_runner::readBytes;
using cli_runner::Run;
using cli_runner::runCli;
using cli_runner::settingsFile;

products::ProductList listWithChecks(const QList<int> &rows)
{
    products::ProductList list = products::readCsvFile(kList).rows;
    for (int r : rows)
        list[r].checked = true;
    return list;
}

} // namespace

class TestTagsLedgerCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void refusals_data();
    void refusals();
    void tagsEqualTheWindowsPage();
    void tagsWithDesignFileAndStart();
    void previewEqualsTheWindowsPage();
    void ledgerEqualsTheWindowsPage();
    void ledgerPageNumbers();
    void settingsAreReadNeverWritten();
    void help();
    void ratesOverTheSettings_data();
    void ratesOverTheSettings();
};

void TestTagsLedgerCli::initTestCase()
{
    QVERIFY2(QFileInfo(kCli).isExecutable(), "build the vennlo-cli target first");
    QCOMPARE(products::readCsvFile(kList).rows.size(), 12);
}

void TestTagsLedgerCli::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QList<QStringList>>("settings"); // changed keys, or none for the defaults
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // exact stderr, or the start of it for usage errors
    const QList<QStringList> none;
    QTest::newRow("tags without --check")
        << QStringList{"tags", kList} << none << 1
        << "メイン画面データリストで作成する値札に　\n出力チェック(10件以内)を入れて下さい.\n";
    QTest::newRow("tags, eleven rows")
        << QStringList{"tags", kList, "--check", "1-11"} << none << 1
        << "メイン画面データリストで作成する値札の出力チェックは.　\n10件以内でにして下さい.\n";
    QTest::newRow("tags, no copies") << QStringList{"tags", kList, "--check", "1,2", "--copies", "0,0"} << none << 1
                                     << "作成枚数が設定されていません.\n";
    QTest::newRow("tags, copies not a number")
        << QStringList{"tags", kList, "--check", "1,2", "--copies", "2,x"} << none << 1 << "作成枚数の値がが不正です\n";
    QTest::newRow("tags, more copies than products")
        << QStringList{"tags", kList, "--check", "1", "--copies", "1,2"} << none << 2
        << "vennlo-cli: --copies gives 2 counts for 1 products\n";
    QTest::newRow("tags, start without card sizes")
        << QStringList{"tags", kList, "--check", "1", "--start", "4"} << none << 1
        << "出力の開始位置を 1 以外に指定するときは、\nカードの縦横のサイズを指定してください.\n";
    QTest::newRow("tags, division 0") << QStringList{"tags", kList, "--check", "1"}
                                      << QList<QStringList>{{"CBun", "W", "0"}} << 1
                                      << "横に並べる列数と縦に並べる行数には 1 以上の数を指定してください.\n";
    QTest::newRow("tags, start beyond the page") << QStringList{"tags", kList, "--check", "1", "--start", "46"}
                                                 << QList<QStringList>{{"CCHeight", "S", "1"}, {"CCWidth", "S", "1"}}
                                                 << 1 << "出力の開始位置は 1 から 45 までの数で指定してください.\n";
    // Sheets beyond a million cards are refused before anything is allocated.
    const QString tooMany =
        "作成するカードの数が多すぎます.\n開始位置までの空きを含めて 1,000,000 枚までにしてください.\n";
    QTest::newRow("tags, a hundred million copies")
        << QStringList{"tags", kList, "--check", "1", "--copies", "100000000"} << none << 1 << tooMany;
    QTest::newRow("shelf, last cell of the largest page") << QStringList{"shelf", kList, "--start", "1073676289"}
                                                          << QList<QStringList>{{"Bunkatsu", "W", "32767"},
                                                                                {"Bunkatsu", "H", "32767"},
                                                                                {"CHeight", "S", "1"},
                                                                                {"CWidth", "S", "1"}}
                                                          << 1 << tooMany;
    QTest::newRow("tags, row beyond the list")
        << QStringList{"tags", kList, "--check", "13"} << none << 1 << "vennlo-cli: ";
    QTest::newRow("ledger, start page 0")
        << QStringList{"ledger", kList, "--start-page", "0"} << none << 1 << "開始ページの値が不正です.\n";
    QTest::newRow("ledger, rows per page 0") << QStringList{"ledger", kList} << QList<QStringList>{{"DC", "LIP", "0"}}
                                             << 1 << "1 ページの行数には 1 以上の数を指定してください.\n";
    QTest::newRow("ledger, unknown option") << QStringList{"ledger", kList, "--copies", "1"} << none << 2 << "";
    QTest::newRow("preview tags with a list")
        << QStringList{"preview", "tags", kList} << none << 2 << "vennlo-cli: preview tags takes no product list\n";
}

void TestTagsLedgerCli::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QList<QStringList>, settings);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QTemporaryDir dir;
    QStringList all{QStringLiteral("--out"), dir.filePath(QStringLiteral("out"))};
    if (!settings.isEmpty())
        all << QStringLiteral("--settings") << settingsFile(dir, settings);
    const Run r = runCli(all + args);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 2) {
        QVERIFY2(r.err.startsWith(err), qPrintable(r.err));
        QVERIFY(r.err.contains(QStringLiteral("usage: ")));
    } else if (err.endsWith(QLatin1Char('\n'))) {
        QCOMPARE(r.err, err);
    } else {
        QVERIFY2(r.err.startsWith(err), qPrintable(r.err));
    }
    QCOMPARE(r.out, QString());
    // Nothing is made, not even the folder.
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("out"))));
}

void TestTagsLedgerCli::tagsEqualTheWindowsPage()
{
    QTemporaryDir dir;
    const Run r = runCli({QStringLiteral("--out"), dir.path(), QStringLiteral("tags"), kList, QStringLiteral("--check"),
                          QStringLiteral("2,3,6"), QStringLiteral("--copies"), QStringLiteral("3,2")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.out, dir.filePath(QStringLiteral("ctemp.html")) + QLatin1Char('\n'));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("BarCode/LB.bmp"))).isFile());

    const settings::Settings settings = settings::GetInitial(QString(), QString(), false).settings;
    const price_tags::SlotFill fill = price_tags::fillProductSlots(listWithChecks({1, 2, 5}), settings.tax);
    QVERIFY(fill.message.isEmpty());
    price_tags::Copies copies;
    copies.fill(QStringLiteral("0"));
    copies[0] = QStringLiteral("3");
    copies[1] = QStringLiteral("2");
    copies[2] = QStringLiteral("1"); // the default for a filled slot without a count
    QTemporaryDir window;
    QVERIFY(price_tags::make({.rows = fill.items, .design = settings.tag, .copies = copies}, window.path()).ok());
    const QByteArray page = readBytes(dir.filePath(QStringLiteral("ctemp.html")));
    QCOMPARE(page, readBytes(window.filePath(QStringLiteral("ctemp.html"))));
    const QString text = platform::cp932::decode(page);
    QCOMPARE(text.count(QStringLiteral("値札の商品 2<")), 3);
    QCOMPARE(text.count(QStringLiteral("&amp;&lt;特価&gt;")), 2);
    QCOMPARE(text.count(QStringLiteral("値札の商品 6<")), 1);
    QVERIFY(text.contains(QStringLiteral(">162円<")));   // 155 × 1.05 truncated, the settings' price mark
    QVERIFY(text.contains(QStringLiteral(">1,029円<"))); // 980 × 1.05
}

void TestTagsLedgerCli::tagsWithDesignFileAndStart()
{
    QTemporaryDir dir;
    price_tags::WindowValues form = price_tags::builtInForm(price_tags::BuiltInType::B);
    form.checkCardHeight = form.checkCardWidth = true;
    form.check2Dan = true;
    const QString cdn = dir.filePath(QStringLiteral("b.cdn"));
    QVERIFY(!price_tags::WriteCDesign(form, cdn).isSet());
    const Run r =
        runCli({QStringLiteral("--out"), dir.filePath(QStringLiteral("out")), QStringLiteral("tags"), kList,
                QStringLiteral("--check"), QStringLiteral("1"), QStringLiteral("--design"), cdn,
                QStringLiteral("--start"), QStringLiteral("3"), QStringLiteral("--copies"), QStringLiteral("2")});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = platform::cp932::decode(readBytes(dir.filePath(QStringLiteral("out/ctemp.html"))))
                                  .split(QStringLiteral("\r\n"));
    const qsizetype body = lines.indexOf(QStringLiteral("--></style></head><body>"));
    // Three across (type B): two blank cells, then the first of two cards, then a row of one card.
    QCOMPARE(lines.at(body + 1), QStringLiteral("<table class=\"nobreak\" cellspacing=\"0\">"));
    QCOMPARE(lines.at(body + 3), QStringLiteral("<td class=\"top\"><div class=\"card\"></div></td>"));
    QCOMPARE(lines.at(body + 4), QStringLiteral("<td class=\"top\"><div class=\"card\"></div></td>"));
    QVERIFY(lines.at(body + 5).contains(QStringLiteral("<td rowspan=\"4\">")));
    QVERIFY(lines.contains(QStringLiteral("div.card {height:18mm;width:55mm;")));

    const Run missing =
        runCli({QStringLiteral("--out"), dir.path(), QStringLiteral("tags"), kList, QStringLiteral("--check"),
                QStringLiteral("1"), QStringLiteral("--design"), dir.filePath(QStringLiteral("none.cdn"))});
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.err,
             QStringLiteral("vennlo-cli: design file not found: ") + dir.filePath(QStringLiteral("none.cdn")) + '\n');

    platform::ProfileFile broken(dir.filePath(QStringLiteral("broken.cdn")));
    platform::ProfileFile ok(cdn);
    QVERIFY(ok.load());
    broken.setBytes(ok.toBytes());
    broken.setValue(QStringLiteral("CMake"), QStringLiteral("JN"), QStringLiteral("5"));
    QVERIFY(broken.save());
    const Run stopped =
        runCli({QStringLiteral("--out"), dir.path(), QStringLiteral("tags"), kList, QStringLiteral("--check"),
                QStringLiteral("1"), QStringLiteral("--design"), broken.path()});
    QCOMPARE(stopped.exitCode, 1);
    QCOMPARE(stopped.err, QStringLiteral("エラーが発生しました(ReadCDesign)\nエラー番号: 340\n内容: "
                                         "コントロール配列の要素が存在しません。 ([CMake] JN)\n"));
}

void TestTagsLedgerCli::previewEqualsTheWindowsPage()
{
    QTemporaryDir dir;
    const Run r = runCli({QStringLiteral("--out"), dir.path(), QStringLiteral("preview"), QStringLiteral("tags")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, dir.filePath(QStringLiteral("cprev.html")) + QLatin1Char('\n'));
    const settings::Settings settings = settings::GetInitial(QString(), QString(), false).settings;
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("cprev.html"))),
             platform::cp932Lines(price_tags::MakeCPrevHtml(settings.tag).lines));
    // The settings of a new installation give the same preview as the expected page.
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("cprev.html"))),
             readBytes(QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/cprev_defaults.html")));
}

void TestTagsLedgerCli::ledgerEqualsTheWindowsPage()
{
    QTemporaryDir dir;
    const Run r = runCli({QStringLiteral("--out"), dir.path(), QStringLiteral("ledger"), kList,
                          QStringLiteral("--check"), QStringLiteral("3,5-7")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    const settings::Settings settings = settings::GetInitial(QString(), QString(), false).settings;
    QTemporaryDir window;
    QVERIFY(
        ledger::make(ledger::Inputs{listWithChecks({2, 4, 5, 6}), settings.ledger, settings.tax, QStringLiteral("1")},
                     window.path())
            .ok());
    const QByteArray page = readBytes(dir.filePath(QStringLiteral("dtemp.html")));
    QCOMPARE(page, readBytes(window.filePath(QStringLiteral("dtemp.html"))));
    QCOMPARE(platform::cp932::decode(page).count(QStringLiteral("<tr><td rowspan=\"2\">")), 4);
}

void TestTagsLedgerCli::ledgerPageNumbers()
{
    QTemporaryDir dir;
    const QString ini = settingsFile(dir, {{"DC", "PN", "1"}, {"DC", "LIP", "5"}});
    const Run r = runCli({QStringLiteral("--settings"), ini, QStringLiteral("--out"), dir.path(),
                          QStringLiteral("ledger"), kList, QStringLiteral("--start-page"), QStringLiteral("5")});
    QCOMPARE(r.exitCode, 0);
    const QString text = platform::cp932::decode(readBytes(dir.filePath(QStringLiteral("dtemp.html"))));
    QCOMPARE(text.count(QStringLiteral("<tr><td class=\"pagenum\" colspan=\"5\">")), 3);
    QVERIFY(text.contains(QStringLiteral("- 5 -")) && text.contains(QStringLiteral("- 6 -")) &&
            text.contains(QStringLiteral("- 7 -")));
    QCOMPARE(text.count(QStringLiteral("<table class=\"pagebreak\"")), 2);
    QCOMPARE(text.count(QStringLiteral("<table class=\"nobreak\"")), 1);
}

void TestTagsLedgerCli::settingsAreReadNeverWritten()
{
    QTemporaryDir dir;
    const QString ini = settingsFile(dir, {{"CMake", "HB", "1"}, {"Tax", "Indicate", "1"}});
    const QByteArray before = readBytes(ini);
    const QDateTime stamp = QFileInfo(ini).lastModified();
    const Run tags = runCli({QStringLiteral("--settings"), ini, QStringLiteral("--out"), dir.path(),
                             QStringLiteral("tags"), kList, QStringLiteral("--check"), QStringLiteral("2")});
    QCOMPARE(tags.exitCode, 0);
    const QString text = platform::cp932::decode(readBytes(dir.filePath(QStringLiteral("ctemp.html"))));
    QVERIFY(text.contains(QStringLiteral("<td class=\"area1\" colspan=\"2\">T-02</td>")));
    QVERIFY(text.contains(QStringLiteral(">155円<"))); // tax-inclusive list: the price as it is
    QCOMPARE(runCli({QStringLiteral("--settings"), ini, QStringLiteral("--out"), dir.path(), QStringLiteral("ledger"),
                     kList})
                 .exitCode,
             0);
    QCOMPARE(readBytes(ini), before);
    QCOMPARE(QFileInfo(ini).lastModified(), stamp);
    QVERIFY(!QFileInfo::exists(ini + QStringLiteral(".bak")));
}

void TestTagsLedgerCli::help()
{
    const Run r = runCli({QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    for (const char *text :
         {"  tags LIST.csv --check ROWS [--copies N,N,...] [--design FILE.cdn] [--start N] [--pdf FILE.pdf]\n",
          "  ledger LIST.csv [--check ROWS] [--start-page N] [--pdf FILE.pdf]\n",
          "  preview tags [--design FILE.cdn]\n"})
        QVERIFY2(r.out.contains(QLatin1String(text)), text);
}

// A list of both tax classes: the rates from the settings file or from the command line give the page
// the window makes with those rates; a rate typed as a percentage is refused.
void TestTagsLedgerCli::ratesOverTheSettings_data()
{
    QTest::addColumn<QList<QStringList>>("settings");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("settings file") << QList<QStringList>{{"Tax", "Tax", "0.1"}, {"Tax", "ReducedTax", "0.08"}}
                                   << QStringList() << 0;
    QTest::newRow("command line") << QList<QStringList>() << QStringList{"--tax", "0.1", "--reduced-tax", "0.08"} << 0;
    QTest::newRow("command line over the file") << QList<QStringList>{{"Tax", "ReducedTax", "0.05"}}
                                                << QStringList{"--tax", "0.1", "--reduced-tax", "0.08"} << 0;
    QTest::newRow("command line after the command")
        << QList<QStringList>() << QStringList{"ledger", "LIST", "--reduced-tax=0.08", "--tax", "0.1"} << 0;
    QTest::newRow("percentage refused") << QList<QStringList>() << QStringList{"--reduced-tax", "8"} << 2;
}

void TestTagsLedgerCli::ratesOverTheSettings()
{
    QFETCH(QList<QStringList>, settings);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    products::ProductList list = products::readCsvFile(kList).rows;
    for (qsizetype i = 0; i < list.size(); i += 2)
        list[i].reduced = true;
    const QString listPath = dir.filePath(QStringLiteral("both.csv"));
    QVERIFY(products::writeCsvFile(listPath, list).ok());
    const QString ini = settingsFile(dir, settings);
    QStringList args{QStringLiteral("--settings"), ini, QStringLiteral("--out"), dir.path()};
    if (options.startsWith(QStringLiteral("ledger")))
        args += options.replaceInStrings(QStringLiteral("LIST"), listPath);
    else
        args += options + QStringList{QStringLiteral("ledger"), listPath};
    const Run r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(r.err.contains(QStringLiteral("税率は 0.1 のように小数で入力してください")), qPrintable(r.err));
        return;
    }
    products::TaxSettings tax;
    tax.rate = *products::Currency::parse(QStringLiteral("0.1"));
    tax.reducedRate = *products::Currency::parse(QStringLiteral("0.08"));
    QTemporaryDir window;
    QVERIFY(ledger::make(ledger::Inputs{list, ledger::LedgerDesign(), tax, QStringLiteral("1")}, window.path()).ok());
    const QByteArray page = readBytes(dir.filePath(QStringLiteral("dtemp.html")));
    QCOMPARE(page, readBytes(window.filePath(QStringLiteral("dtemp.html"))));
    QVERIFY(platform::cp932::decode(page).contains(QStringLiteral("<p>※は軽減税率(8%)対象商品です</p>")));
}

QTEST_GUILESS_MAIN(TestTagsLedgerCli)
#include "tst_tags_ledger_cli.moc"
