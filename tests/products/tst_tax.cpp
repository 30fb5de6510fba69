#include "products/calc_data.h"
#include "products/currency.h"
#include "products/tax.h"

#include <QtTest>

using namespace products;

namespace {
Currency rate(const char *text)
{
    return *Currency::parse(QString::fromLatin1(text));
}
} // namespace

class TestTax : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void currencyParse_data();
    void currencyParse();
    void ruleA_data();
    void ruleA();
    void ruleB_data();
    void ruleB();
    void ruleFailures();
    void splitListPrice();
    void calcData_data();
    void calcData();
    void rateAsPercent_data();
    void rateAsPercent();
};

void TestTax::currencyParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0.05") << "0.05" << true << qint64(500) << "0.05";
    QTest::newRow("0.08") << "0.08" << true << qint64(800) << "0.08";
    QTest::newRow("0.1") << "0.1" << true << qint64(1000) << "0.1";
    QTest::newRow(".1") << ".1" << true << qint64(1000) << "0.1";
    QTest::newRow("whole") << "3" << true << qint64(30000) << "3";
    QTest::newRow("five places, tie to even down") << "0.00005" << true << qint64(0) << "0";
    QTest::newRow("five places, tie to even up") << "0.00015" << true << qint64(2) << "0.0002";
    QTest::newRow("five places, above tie") << "0.000051" << true << qint64(1) << "0.0001";
    QTest::newRow("negative") << "-0.5" << true << qint64(-5000) << "-0.5";
    QTest::newRow("empty") << "" << false << qint64(0) << "";
    QTest::newRow("letters") << "abc" << false << qint64(0) << "";
    QTest::newRow("two points") << "0.0.5" << false << qint64(0) << "";
}

void TestTax::currencyParse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, raw);
    QFETCH(QString, shown);
    const auto c = Currency::parse(text);
    QCOMPARE(c.has_value(), ok);
    if (ok) {
        QCOMPARE(c->raw(), raw);
        QCOMPARE(c->toString(), shown);
    }
}

void TestTax::ruleA_data()
{
    QTest::addColumn<qint64>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("ks");
    QTest::addColumn<qint64>("tax");
    QTest::addColumn<qint64>("included");
    // The worked examples at 5 %.
    for (int ks = 0; ks < 3; ++ks)
        QTest::addRow("100 at 0.05 KS %d", ks) << qint64(100) << "0.05" << ks << qint64(5) << qint64(105);
    QTest::newRow("99 at 0.05 down") << qint64(99) << "0.05" << 0 << qint64(4) << qint64(103);
    QTest::newRow("99 at 0.05 half up") << qint64(99) << "0.05" << 1 << qint64(5) << qint64(104);
    QTest::newRow("99 at 0.05 up") << qint64(99) << "0.05" << 2 << qint64(5) << qint64(104);
    // 8 %: 99 x 0.08 = 7.92, 99 x 1.08 = 106.92.
    QTest::newRow("99 at 0.08 down") << qint64(99) << "0.08" << 0 << qint64(7) << qint64(106);
    QTest::newRow("99 at 0.08 half up") << qint64(99) << "0.08" << 1 << qint64(8) << qint64(107);
    QTest::newRow("99 at 0.08 up") << qint64(99) << "0.08" << 2 << qint64(8) << qint64(107);
    QTest::newRow("1980 at 0.08") << qint64(1980) << "0.08" << 0 << qint64(158) << qint64(2138);
    // Half up at exactly .5: 25 x 0.1 = 2.5.
    QTest::newRow("25 at 0.1 down") << qint64(25) << "0.1" << 0 << qint64(2) << qint64(27);
    QTest::newRow("25 at 0.1 half up") << qint64(25) << "0.1" << 1 << qint64(3) << qint64(28);
    QTest::newRow("25 at 0.1 up") << qint64(25) << "0.1" << 2 << qint64(3) << qint64(28);
    QTest::newRow("1000 at 0.1") << qint64(1000) << "0.1" << 2 << qint64(100) << qint64(1100);
    // Up adds 0.99, not a ceiling: 0.001 of a yen is dropped (1 x 0.001 = 0.001).
    QTest::newRow("KS 2 is +0.99") << qint64(1) << "0.001" << 2 << qint64(0) << qint64(1);
    // Computed on its own, not base + tax: 11 x 0.05 = 0.55, 11 x 1.05 = 11.55.
    QTest::newRow("included on its own") << qint64(11) << "0.05" << 1 << qint64(1) << qint64(12);
    QTest::newRow("largest 32-bit base at 0") << qint64(2147483647) << "0" << 0 << qint64(0) << qint64(2147483647);
}

void TestTax::ruleA()
{
    QFETCH(qint64, base);
    QFETCH(QString, rate);
    QFETCH(int, ks);
    QFETCH(qint64, tax);
    QFETCH(qint64, included);
    const PriceSplit s = products::ruleA(base, *Currency::parse(rate), ks);
    QVERIFY(s.valid);
    QCOMPARE(s.error, 0);
    QCOMPARE(s.base, base);
    QCOMPARE(s.tax, tax);
    QCOMPARE(s.included, included);
}

void TestTax::ruleB_data()
{
    QTest::addColumn<qint64>("included");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<qint64>("base");
    QTest::addColumn<qint64>("tax");
    QTest::newRow("105 at 0.05") << qint64(105) << "0.05" << qint64(100) << qint64(5);
    // 100 / 1.05 = 95.238..., + 0.99 = 96.228...
    QTest::newRow("100 at 0.05") << qint64(100) << "0.05" << qint64(96) << qint64(4);
    QTest::newRow("108 at 0.08") << qint64(108) << "0.08" << qint64(100) << qint64(8);
    // 100 / 1.08 = 92.59..., + 0.99 = 93.58...
    QTest::newRow("100 at 0.08") << qint64(100) << "0.08" << qint64(93) << qint64(7);
    QTest::newRow("110 at 0.1") << qint64(110) << "0.1" << qint64(100) << qint64(10);
    // 100 / 1.1 = 90.909..., + 0.99 = 91.899...
    QTest::newRow("100 at 0.1") << qint64(100) << "0.1" << qint64(91) << qint64(9);
    QTest::newRow("1 at 0.05") << qint64(1) << "0.05" << qint64(1) << qint64(0);
}

void TestTax::ruleB()
{
    QFETCH(qint64, included);
    QFETCH(QString, rate);
    QFETCH(qint64, base);
    QFETCH(qint64, tax);
    const PriceSplit s = products::ruleB(included, *Currency::parse(rate));
    QCOMPARE(s.error, 0);
    QCOMPARE(s.included, included);
    QCOMPARE(s.base, base);
    QCOMPARE(s.tax, tax);
}

void TestTax::ruleFailures()
{
    // A price of 0 gives 0 everywhere.
    PriceSplit s = products::ruleA(0, rate("0.05"), 1);
    QCOMPARE(s.tax, 0);
    QCOMPARE(s.included, 0);
    s = products::ruleB(0, rate("0.05"));
    QCOMPARE(s.base, 0);
    QCOMPARE(s.tax, 0);
    // An unknown rounding mode computes nothing.
    s = products::ruleA(100, rate("0.05"), 3);
    QVERIFY(!s.valid);
    QCOMPARE(s.included, 0);
    // No range check on the rate: -1 divides by zero, large rates leave 32 bits.
    s = products::ruleB(100, rate("-1"));
    QCOMPARE(s.error, 11);
    s = products::ruleA(2000000000, rate("0.1"), 0);
    QCOMPARE(s.error, 6);
    s = products::ruleA(100, rate("922337203"), 0);
    QCOMPARE(s.error, 6);
    s = products::ruleB(1000000, rate("-0.9999"));
    QCOMPARE(s.error, 6);
}

void TestTax::splitListPrice()
{
    TaxSettings t;
    QCOMPARE(t.rate.toString(), QStringLiteral("0.05"));
    t.ks = 1;
    PriceSplit s = products::splitListPrice(99, t);
    QCOMPARE(s.included, 104);
    t.indicate = 1;
    s = products::splitListPrice(100, t);
    QCOMPARE(s.base, 96);
    QCOMPARE(s.tax, 4);
}

void TestTax::calcData_data()
{
    QTest::addColumn<QString>("included");
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("ks");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("outIncluded");
    QTest::addColumn<QString>("outBase");
    QTest::addColumn<QString>("outTax");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("included typed") << "105"
                                    << "" << 0 << 0 << ""
                                    << "105"
                                    << "100"
                                    << "5" << 7;
    QTest::newRow("included 100") << "100"
                                  << "" << 0 << 2 << ""
                                  << "100"
                                  << "96"
                                  << "4" << 7;
    QTest::newRow("included 0") << "0"
                                << "" << 0 << 0 << ""
                                << "0"
                                << "0"
                                << "0" << 7;
    QTest::newRow("base typed, down") << ""
                                      << "99" << 1 << 0 << ""
                                      << "103"
                                      << "99"
                                      << "4" << 8;
    QTest::newRow("base typed, half up") << ""
                                         << "99" << 1 << 1 << ""
                                         << "104"
                                         << "99"
                                         << "5" << 8;
    QTest::newRow("base 0") << ""
                            << "0" << 1 << 0 << ""
                            << "0"
                            << "0"
                            << "0" << 8;
    QTest::newRow("nothing typed") << ""
                                   << "" << 0 << 0 << ""
                                   << ""
                                   << ""
                                   << "" << 7;
    QTest::newRow("price not numeric") << "12a"
                                       << "" << 0 << 0 << "「価格」には数値を入力してください."
                                       << "12a"
                                       << ""
                                       << "" << 0;
    QTest::newRow("base not numeric") << ""
                                      << "x" << 1 << 0 << "「本体価格」には数値を入力してください."
                                      << ""
                                      << "x"
                                      << "" << 0;
    QTest::newRow("price checked first") << "a"
                                         << "b" << 1 << 0 << "「価格」には数値を入力してください."
                                         << "a"
                                         << "b"
                                         << "" << 0;
}

void TestTax::calcData()
{
    QFETCH(QString, included);
    QFETCH(QString, base);
    QFETCH(int, direction);
    QFETCH(int, ks);
    QFETCH(QString, message);
    QFETCH(QString, outIncluded);
    QFETCH(QString, outBase);
    QFETCH(QString, outTax);
    QFETCH(int, maxLength);
    TaxSettings t;
    t.ks = ks;
    const CalcOutput out = CalcData({included, base, direction}, t);
    QCOMPARE(out.messageText, message);
    if (!message.isEmpty()) {
        QCOMPARE(out.messageTitle, QStringLiteral("入力値のチェック"));
        QVERIFY(!out.done);
    } else {
        QVERIFY(out.done);
    }
    QCOMPARE(out.included, outIncluded);
    QCOMPARE(out.base, outBase);
    QCOMPARE(out.tax, outTax);
    QCOMPARE(out.includedMaxLength, maxLength);
    QVERIFY(!out.error.isSet());
}

void TestTax::rateAsPercent_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<bool>("inRange");
    QTest::newRow("0.05") << "0.05"
                          << "5%" << true;
    QTest::newRow("0.1") << "0.1"
                         << "10%" << true;
    QTest::newRow("four places") << "0.0812"
                                 << "8.12%" << true;
    QTest::newRow("smallest step") << "0.0001"
                                   << "0.01%" << true;
    QTest::newRow("zero") << "0"
                          << "0%" << true;
    QTest::newRow("just below one") << "0.9999"
                                    << "99.99%" << true;
    QTest::newRow("one") << "1"
                         << "100%" << false;
    QTest::newRow("typed as percent") << "10"
                                      << "1000%" << false;
    QTest::newRow("negative") << "-0.05"
                              << "-5%" << false;
}

void TestTax::rateAsPercent()
{
    QFETCH(QString, rate);
    QFETCH(QString, percent);
    QFETCH(bool, inRange);
    const Currency r = *Currency::parse(rate);
    QCOMPARE(products::ratePercentText(r), percent);
    QCOMPARE(products::isRateInRange(r), inRange);
}

QTEST_GUILESS_MAIN(TestTax)
#include "tst_tax.moc"
