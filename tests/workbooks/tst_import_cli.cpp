// vennlo-cli import run as a user runs it: every fixture workbook becomes the same list file, byte for
// byte what the window's save writes after an import, and bad input is refused with the window's text.

#include "products/csv_file.h"
#include "workbooks/workbook_import.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "support/cli_runner.h"

using cli_runner::lf;
using cli_runner::readBytes;
using cli_runner::Run;
using cli_runner::runCli;

namespace {
const QString kData = QStringLiteral(VENNLO_TEST_DATA_DIR "/workbooks/");
}

class TestImportCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sameListFromEveryWorkbook_data();
    void sameListFromEveryWorkbook();
    void defaultOutput();
    void refusals_data();
    void refusals();
};

void TestImportCli::sameListFromEveryWorkbook_data()
{
    QTest::addColumn<QString>("workbook");
    for (const char *name : {"products.xlsx", "products.ods", "products.xls", "products_xlwt.xls"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestImportCli::sameListFromEveryWorkbook()
{
    QFETCH(QString, workbook);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("一覧.csv"));
    const Run r = runCli({"import", kData + workbook, "-o", out});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, out + QLatin1Char('\n'));
    const QByteArray bytes = readBytes(out);
    QCOMPARE(bytes, readBytes(kData + QStringLiteral("products.csv")));
    QCOMPARE(bytes, products::WriteFile(products::importWorkbook(kData + workbook).rows).bytes);
}

void TestImportCli::defaultOutput()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("out"));
    const Run r = runCli({"--out", folder, "import", kData + QStringLiteral("products.ods")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QDir(folder).filePath(QStringLiteral("products.csv")) + QLatin1Char('\n'));
    QCOMPARE(readBytes(QDir(folder).filePath(QStringLiteral("products.csv"))),
             readBytes(kData + QStringLiteral("products.csv")));
    QVERIFY(runCli({"--help"}).out.contains(QStringLiteral("import WORKBOOK [-o LIST.csv]")));
}

void TestImportCli::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("fileBytes"); // written as book.xlsx in the temporary folder when set
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    const QString usage =
        QStringLiteral("usage: vennlo-cli [--settings FILE] [--out DIR] import WORKBOOK [-o LIST.csv]\n");
    const QString book = kData + QStringLiteral("products.xlsx");
    QTest::newRow("no workbook") << QStringList{"import"} << QByteArray() << 2
                                 << "vennlo-cli: import needs the workbook WORKBOOK\n" + usage;
    QTest::newRow("two workbooks") << QStringList{"import", book, book} << QByteArray() << 2
                                   << "vennlo-cli: import takes one workbook\n" + usage;
    QTest::newRow("unknown option") << QStringList{"import", book, "--sheet", "2"} << QByteArray() << 2
                                    << "vennlo-cli: unknown option --sheet\n" + usage;
    QTest::newRow("-o without value") << QStringList{"import", book, "-o"} << QByteArray() << 2
                                      << "vennlo-cli: option -o needs a value\n" + usage;
    QTest::newRow("renamed text file")
        << QStringList{"import", "book.xlsx", "-o", "list.csv"} << QByteArray("a,b,1,c,B\r\n") << 1
        << QStringLiteral(
               "エラーが発生しました(ReadExcel)\nエラー番号: 1004\n内容: book.xlsx はブックとして開けません。\n"
               "Excel がインストールされていない可能性があります.\n");
}

void TestImportCli::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, fileBytes);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QTemporaryDir dir;
    for (QString &a : args) {
        if (a == QLatin1String("book.xlsx") || a == QLatin1String("list.csv"))
            a = dir.filePath(a);
    }
    if (!fileBytes.isEmpty()) {
        QFile f(dir.filePath(QStringLiteral("book.xlsx")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(fileBytes);
    }
    const Run r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(lf(r.err), err);
    QCOMPARE(r.out, QString());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("list.csv"))));
}

QTEST_GUILESS_MAIN(TestImportCli)
#include "tst_import_cli.moc"
