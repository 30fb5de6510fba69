// vennlo-cli shelf / preview shelf run as a user runs them: exit codes, the exact message texts on
// stderr, and pages byte for byte equal to those the core functions make for the window.

#include "barcode/barcode.h"
#include "platform/cp932.h"
#include "platform/profile_file.h"
#include "platform/text_file.h"
#include "products/csv_file.h"
#include "settings/settings.h"
#include "shelf_labels/design_file.h"
#include "shelf_labels/preview.h"
#include "shelf_labels/sheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "support/cli_runner.h"

namespace {

const QString kData = QStringLiteral(VENNLO_TEST_DATA_DIR "/shelf_labels");
const QString kCli = QStringLiteral(VENNLO_PROGRAM_DIR "/vennlo-cli");

using cli_runner::readBytes;
using cli_runner::Run;
using cli_runner::runCli;
using cli_runner::settingsFile;

QString withLf(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

class TestShelfCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void refusals_data();
    void refusals();
    void sheetEqualsTheWindowsPage();
    void checkedRowsAndStart();
    void designFile();
    void settingsAreReadNeverWritten();
    void preview();
    void help();
    void barcodeHeight_data();
    void barcodeHeight();
    void utf8List();
};

void TestShelfCli::initTestCase()
{
    if (!QFileInfo(kCli).isExecutable())
        QFAIL("vennlo-cli is not built (cmake --build <dir> --target vennlo-cli)");
}

void TestShelfCli::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QList<QStringList>>("settings");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // exact, or a prefix when it ends with "…"
    const QString list = kData + QStringLiteral("/jan_list.csv");
    const QString usage = QStringLiteral("usage: vennlo-cli [--settings FILE] [--out DIR] shelf LIST.csv [--design "
                                         "FILE.hdn] [--check ROWS] [--start N] [--pdf FILE.pdf]\n");
    const QList<QStringList> none;
    QTest::newRow("no list") << QStringList{"shelf"} << none << 2
                             << "vennlo-cli: shelf needs the product list LIST.csv\n" + usage;
    QTest::newRow("two lists") << QStringList{"shelf", list, list} << none << 2
                               << "vennlo-cli: shelf takes one product list\n" + usage;
    QTest::newRow("unknown option") << QStringList{"shelf", list, "--colour", "red"} << none << 2
                                    << "vennlo-cli: unknown option --colour\n" + usage;
    QTest::newRow("option without value")
        << QStringList{"shelf", list, "--start"} << none << 2 << "vennlo-cli: option --start needs a value\n" + usage;
    QTest::newRow("bad rows") << QStringList{"shelf", list, "--check", "1,x"} << none << 2
                              << "vennlo-cli: --check takes rows such as 1,3,5-7, not 1,x\n" + usage;
    QTest::newRow("reversed range") << QStringList{"shelf", list, "--check", "5-3"} << none << 2
                                    << "vennlo-cli: --check takes rows such as 1,3,5-7, not 5-3\n" + usage;
    QTest::newRow("row past the list") << QStringList{"shelf", list, "--check", "2,13"} << none << 1
                                       << "vennlo-cli: --check: row 13 is not in the list (12 rows)\n";
    QTest::newRow("empty list") << QStringList{"shelf", kData + "/empty_list.csv"} << none << 1
                                << "データがありません.\n";
    QTest::newRow("missing list") << QStringList{"shelf", kData + "/no_such.csv"} << none << 1
                                  << "エラーが発生しました(main.ReadFile)\nエラー番号: 53\n…";
    QTest::newRow("start without card size")
        << QStringList{"shelf", list, "--start", "5"} << none << 1
        << "出力の開始位置を 1 以外に指定するときは、\nカードの縦横のサイズを指定してください.\n";
    QTest::newRow("start past the page") << QStringList{"shelf", list, "--start", "13"}
                                         << QList<QStringList>{{"CHeight", "S", "1"}, {"CWidth", "S", "1"}} << 1
                                         << "出力の開始位置には 1 から 12 までの数値を指定してください.\n";
    QTest::newRow("zero columns")
        << QStringList{"shelf", list} << QList<QStringList>{{"Bunkatsu", "W", "0"}} << 1
        << "「列　で改行する」と「行　で改ページする」には\n1 以上の整数を指定してください.\n";
    QTest::newRow("bad logo size") << QStringList{"shelf", list} << QList<QStringList>{{"Logo", "W", "-5"}} << 1
                                   << "画像のサイズの値が不正です.\n";
    QTest::newRow("missing design file") << QStringList{"shelf", list, "--design", kData + "/none.hdn"} << none << 1
                                         << "vennlo-cli: design file not found: " + kData + "/none.hdn\n";
    QTest::newRow("missing settings file") << QStringList{"--settings", kData + "/none.ini", "shelf", list} << none << 1
                                           << "vennlo-cli: settings file not found: " + kData + "/none.ini\n";
    QTest::newRow("preview with a list")
        << QStringList{"preview", "shelf", list} << none << 2
        << "vennlo-cli: preview shelf takes no product list\n"
           "usage: vennlo-cli [--settings FILE] [--out DIR] preview shelf [--design FILE.hdn]\n";
}

void TestShelfCli::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QList<QStringList>, settings);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QTemporaryDir dir;
    QStringList all{"--out", dir.filePath("out")};
    if (!settings.isEmpty())
        all << "--settings" << settingsFile(dir, settings);
    const Run r = runCli(all + args);
    QCOMPARE(r.exitCode, exitCode);
    if (err.endsWith(QStringLiteral("…")))
        QVERIFY2(r.err.startsWith(err.chopped(1)), qPrintable(r.err));
    else
        QCOMPARE(r.err, err);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath("out/temp.html")));
}

void TestShelfCli::sheetEqualsTheWindowsPage()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("pages");
    const Run r = runCli({"--out", out, "shelf", kData + "/jan_list.csv"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, out + "/temp.html\n");
    QCOMPARE(r.err, QString());
    QCOMPARE(QDir(out + "/BarCode").entryList({"*.bmp"}, QDir::Files).size(), 33);

    const products::ReadResult list = products::readCsvFile(kData + "/jan_list.csv");
    QVERIFY(list.ok());
    const common::MakeResult made = shelf_labels::make(
        shelf_labels::Inputs{list.rows, settings::Settings{}.shelf, settings::Settings{}.tax, "1"}, dir.path());
    QCOMPARE(made.kind, common::MakeResult::Made);
    QCOMPARE(readBytes(out + "/temp.html"), readBytes(made.path));
    const QString page = platform::cp932::decode(readBytes(made.path));
    QVERIFY(page.contains("煎茶ティーバッグ &lt;20袋入&gt;"));
    QVERIFY(page.contains("ほうじ茶 &amp; 玄米茶"));
}

void TestShelfCli::checkedRowsAndStart()
{
    QTemporaryDir dir;
    const QString ini = settingsFile(dir, {{"CHeight", "S", "1"}, {"CWidth", "S", "1"}});
    const QByteArray iniBefore = readBytes(ini);
    const Run r = runCli(
        {"--settings", ini, "--out", dir.path(), "shelf", kData + "/jan_list.csv", "--check", "2,4-5", "--start", "5"});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = platform::cp932::decode(readBytes(dir.filePath("temp.html"))).split("\r\n");
    // Four blank cells, then the three checked products in list order.
    QCOMPARE(lines.at(47), QStringLiteral("<tr>"));
    for (int i = 48; i <= 50; ++i)
        QCOMPARE(lines.at(i), QStringLiteral("<td class=\"top\"><div class=\"dumm\"></div></td>"));
    QCOMPARE(lines.at(52), QStringLiteral("<tr>"));
    QCOMPARE(lines.at(53), QStringLiteral("<td class=\"top\"><div class=\"dumm\"></div></td>"));
    QVERIFY(lines.at(54).contains("ほうじ茶 &amp; 玄米茶"));
    QVERIFY(lines.at(55).contains("手焼きせんべい"));
    QVERIFY(lines.at(58).contains("栗どら焼き"));
    QVERIFY(!lines.join("\n").contains("麦茶パック"));
    QCOMPARE(lines.at(39 - 1), QStringLiteral("div.card {height:45mm;width:59mm;"));
    QCOMPARE(readBytes(ini), iniBefore);
}

void TestShelfCli::designFile()
{
    QTemporaryDir dir;
    Run r = runCli({"--out", dir.path(), "shelf", kData + "/jan_list.csv", "--design", kData + "/typeB_defaults.hdn"});
    QCOMPARE(r.exitCode, 0);
    const QString page = platform::cp932::decode(readBytes(dir.filePath("temp.html")));
    QVERIFY(page.contains("<td class=\"area0\" colspan=\"4\" bgcolor=\"#FFFFFF\">"));
    QCOMPARE(page.count("<tr>\r\n"), 6); // 12 cards, two a row

    // A design file without one of the numbers the designer needs ends with its error report.
    QFile broken(dir.filePath("broken.hdn"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(readBytes(kData + "/typeA_defaults.hdn").replace("BC=1\r\n", ""));
    broken.close();
    r = runCli({"--out", dir.filePath("b"), "shelf", kData + "/jan_list.csv", "--design", broken.fileName()});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, withLf(platform::errorReportText("frmTanafuda.ReadDesign",
                                                     {13, QStringLiteral("型が一致しません。 ([Make] BC)")})) +
                        "\n");
    QVERIFY(!QFile::exists(dir.filePath("b/temp.html")));

    // A font name that could end the page's style block takes its default: told, and the page made.
    QFile hostile(dir.filePath("hostile.hdn"));
    QVERIFY(hostile.open(QIODevice::WriteOnly));
    QByteArray bytes = readBytes(kData + "/typeA_defaults.hdn");
    const qsizetype at = bytes.indexOf("2=");
    bytes.replace(at, bytes.indexOf("\r\n", at) - at, "2=a\"}</style><script>alert(1)</script>");
    hostile.write(bytes);
    hostile.close();
    r = runCli({"--out", dir.filePath("c"), "shelf", kData + "/jan_list.csv", "--design", hostile.fileName()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, withLf(platform::errorReportText("frmTanafuda.ReadDesign",
                                                     {13, QStringLiteral("型が一致しません。 ([FontName] 2)")})) +
                        "\n");
    const QString hostilePage = platform::cp932::decode(readBytes(dir.filePath("c/temp.html")));
    QVERIFY(!hostilePage.contains("<script"));
}

void TestShelfCli::settingsAreReadNeverWritten()
{
    QTemporaryDir dir;
    const QString ini = settingsFile(dir, {{"Tax", "Zeikomi", "0"}, {"JAN", "TH", "25"}, {"Make", "GN", "1"}});
    const QByteArray before = readBytes(ini);
    const QDateTime modified = QFileInfo(ini).lastModified();
    Run r = runCli({"--settings", ini, "--out", dir.path(), "shelf", kData + "/jan_list.csv"});
    QCOMPARE(r.exitCode, 0);
    const QString page = platform::cp932::decode(readBytes(dir.filePath("temp.html")));
    QVERIFY(page.contains("<td class=\"area31\">398</td>"));
    QVERIFY(page.contains("(消費税別)"));
    QVERIFY(page.contains("<td class=\"area1\" colspan=\"3\">A-001</td>"));
    QVERIFY(page.contains("height=\"25\">"));
    QCOMPARE(readBytes(ini), before);
    QCOMPARE(QFileInfo(ini).lastModified(), modified);

    // Start-up's report about values that are no numbers is told, and the page is still made with
    // their defaults.
    const QString odd = settingsFile(dir, {{"JAN", "TH", "tall"}, {"Bunkatsu", "W", "abc"}});
    r = runCli({"--settings", odd, "--out", dir.filePath("odd"), "shelf", kData + "/jan_list.csv"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.startsWith(QStringLiteral("エラーが発生しました(main.GetInitial)\nエラー番号: 13\n")),
             qPrintable(r.err));
    const QString page3 = platform::cp932::decode(readBytes(dir.filePath("odd/temp.html")));
    QVERIFY(page3.contains("height=\"40\">"));
    QCOMPARE(page3.count("<tr>\r\n"), 4); // 12 cards, three a row
}

void TestShelfCli::preview()
{
    QTemporaryDir dir;
    Run r = runCli({"--out", dir.path(), "preview", "shelf"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, dir.path() + "/tempprev.html\n");
    QCOMPARE(readBytes(dir.filePath("tempprev.html")), platform::cp932Lines(*shelf_labels::previewHtmlLines(
                                                           settings::Settings{}.shelf, settings::Settings{}.tax)));
    r = runCli({"--out", dir.filePath("b"), "preview", "shelf", "--design", kData + "/typeB_defaults.hdn"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(platform::cp932::decode(readBytes(dir.filePath("b/tempprev.html")))
                .contains("<td class=\"area0\" colspan=\"4\">"));
}

void TestShelfCli::help()
{
    const Run r = runCli({"--help"});
    QCOMPARE(r.exitCode, 0);
    for (const char *text :
         {"shelf LIST.csv [--design FILE.hdn] [--check ROWS] [--start N] [--pdf FILE.pdf]",
          "preview shelf [--design FILE.hdn]", "--settings FILE", "--out DIR", "exit status: 0 success; 1"})
        QVERIFY2(r.out.contains(QLatin1String(text)), text);
}

void TestShelfCli::barcodeHeight_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("height");
    QTest::newRow("default") << QStringList{"barcode", "12345670"} << 0 << "40";
    QTest::newRow("--height") << QStringList{"barcode", "12345670", "--height", "25"} << 0 << "25";
    QTest::newRow("--height first") << QStringList{"barcode", "--height", "15", "4901234567894"} << 0 << "15";
    QTest::newRow("bare height") << QStringList{"barcode", "12345670", "30"} << 0 << "30";
    QTest::newRow("--height without value") << QStringList{"barcode", "12345670", "--height"} << 2 << "";
    QTest::newRow("two heights") << QStringList{"barcode", "12345670", "30", "--height", "20"} << 2 << "";
}

void TestShelfCli::barcodeHeight()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, height);
    const Run r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode != 0) {
        QCOMPARE(r.err, QStringLiteral("usage: vennlo-cli barcode CODE [--height H]\n"));
        return;
    }
    const QString code = args.at(args.indexOf(QRegularExpression("^[0-9]{8,13}$")));
    QCOMPARE(r.out, barcode::MakeBarCodeHtml(code, height.toInt()) + "\n");
}

void TestShelfCli::utf8List()
{
    // The command line reads a list as 開く does: this one is UTF-8 with a byte-order mark.
    QTemporaryDir dir;
    const Run r =
        runCli({"--out", dir.path(), "shelf", QStringLiteral(VENNLO_TEST_DATA_DIR "/products/utf8_export.csv")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    const QString page = platform::cp932::decode(readBytes(dir.filePath("temp.html")));
    for (const char *name : {"りんご（ふじ）", "みかん, 箱", "髙橋の①番茶", "ﾊﾞﾅﾅ"})
        QVERIFY2(page.contains(QString::fromUtf8(name)), name);
}

QTEST_GUILESS_MAIN(TestShelfCli)
#include "tst_shelf_cli.moc"
