#include "ledger/window_values.h"

#include <QtTest>

using namespace ledger;

class TestLedgerForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip();
    void padding_data();
    void padding();
    void notNumbers_data();
    void notNumbers();
};

void TestLedgerForm::roundTrip()
{
    LedgerDesign s;
    s.rowsPerPage = 7;
    s.lineColor = QStringLiteral("#112233");
    s.backColor = QStringLiteral("#FFFFFF");
    s.pageNumbers = 1;
    s.fontName = QStringLiteral("IPAゴシック");
    s.fontSize = 9;
    s.padding = 0;
    s.barcodeHeight = 25;
    const WindowValues f = loadWindowValues(s);
    QCOMPARE(f.linesInPage, QStringLiteral("7"));
    QCOMPARE(f.pageNumbers, true);
    QCOMPARE(f.fontSize, QStringLiteral("9"));
    QCOMPARE(f.startPage, QStringLiteral("1"));
    LedgerDesign back;
    QVERIFY(!storeWindowValues(f, back).isSet());
    QCOMPARE(back.barcodeHeight, 40); // not the window's
    back.barcodeHeight = 25;
    QCOMPARE(back, s);
    QCOMPARE(loadWindowValues(LedgerDesign()), WindowValues());
}

void TestLedgerForm::padding_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("8") << 8 << "8";
    QTest::newRow("9") << 9 << "2";
    QTest::newRow("12") << 12 << "2";
}

void TestLedgerForm::padding()
{
    QFETCH(int, stored);
    QFETCH(QString, shown);
    LedgerDesign s;
    s.padding = stored;
    QCOMPARE(loadWindowValues(s).padding, shown);
}

void TestLedgerForm::notNumbers_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("padding");
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("storedRows"); // what was stored before the failing box
    QTest::newRow("rows empty") << ""
                                << "2"
                                << "11" << 13 << 12;
    QTest::newRow("padding letters") << "5"
                                     << "x"
                                     << "11" << 13 << 5;
    QTest::newRow("size huge") << "5"
                               << "2"
                               << "99999999999" << 6 << 5;
}

void TestLedgerForm::notNumbers()
{
    QFETCH(QString, lines);
    QFETCH(QString, padding);
    QFETCH(QString, size);
    QFETCH(int, number);
    QFETCH(int, storedRows);
    WindowValues f;
    f.linesInPage = lines;
    f.padding = padding;
    f.fontSize = size;
    LedgerDesign s;
    QCOMPARE(storeWindowValues(f, s).number, number);
    QCOMPARE(s.rowsPerPage, storedRows);
}

QTEST_GUILESS_MAIN(TestLedgerForm)
#include "tst_ledger_form.moc"
