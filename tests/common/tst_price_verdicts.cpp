// The three makers share the price arithmetic: the same extreme price or rate gets the same
// verdict (a printed price, or the overflow / division-by-zero refusal) from each of them.
#include "ledger/sheet.h"
#include "platform/apperror.h"
#include "price_tags/product_slots.h"
#include "products/tax.h"
#include "shelf_labels/sheet.h"

#include <QtTest>

class TestPriceVerdicts : public QObject {
    Q_OBJECT
private slots:
    void sameVerdict_data();
    void sameVerdict();
};

void TestPriceVerdicts::sameVerdict_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("indicate");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("included");
    using E = platform::AppError;
    QTest::newRow("ordinary") << "1000"
                              << "0.05" << 0 << 0 << "1,050";
    QTest::newRow("largest price, 5%: beyond 32 bits") << "2147483647"
                                                       << "0.05" << 0 << int(E::Overflow) << "";
    QTest::newRow("largest price, no tax") << "2147483647"
                                           << "0" << 0 << 0 << "2,147,483,647";
    QTest::newRow("just fits") << "2045222521"
                               << "0.05" << 0 << 0 << "2,147,483,647";
    QTest::newRow("rate 1e9") << "100"
                              << "1000000000" << 0 << int(E::Overflow) << "";
    QTest::newRow("negative largest price") << "-2147483648"
                                            << "0.05" << 0 << int(E::Overflow) << "";
    QTest::newRow("rate -1, base prices") << "1000"
                                          << "-1" << 0 << 0 << "0";
    QTest::newRow("tax-inclusive list") << "1050"
                                        << "0.05" << 1 << 0 << "1,050";
}

void TestPriceVerdicts::sameVerdict()
{
    QFETCH(QString, price);
    QFETCH(QString, rate);
    QFETCH(int, indicate);
    QFETCH(int, error);
    QFETCH(QString, included);
    products::TaxSettings tax;
    tax.rate = *products::Currency::parse(rate);
    tax.indicate = indicate;

    platform::AppError shelfError;
    const auto shelf = shelf_labels::priceTexts(price, tax, &shelfError);
    QCOMPARE(shelfError.number, error);
    QCOMPARE(shelf.has_value(), error == 0);
    if (shelf)
        QCOMPARE(shelf->price, included);

    int tagError = -1;
    const QString tag = price_tags::taxInclusiveLabel(price, tax, &tagError);
    QCOMPARE(tagError, error);
    QCOMPARE(tag, included);

    int ledgerError = -1;
    const ledger::LedgerPrices row = ledger::ledgerPrices(price, tax, &ledgerError);
    QCOMPARE(ledgerError, error);
    if (!error)
        QCOMPARE(row.included, included);
}

QTEST_GUILESS_MAIN(TestPriceVerdicts)
#include "tst_price_verdicts.moc"
