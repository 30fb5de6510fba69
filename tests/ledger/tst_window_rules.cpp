#include "ledger/sheet.h"
#include "ledger/window_rules.h"

#include <QtTest>

using namespace ledger;

class TestWindowRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void launch_data();
    void launch();
    void shownValues_data();
    void shownValues();
    void startPage_data();
    void startPage();
};

void TestWindowRules::launch_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty, button") << 0 << false << "商品台帳作成";
    QTest::newRow("empty, menu") << 0 << true << "値札作成";
    QTest::newRow("one row, button") << 1 << false << "";
    QTest::newRow("rows, menu") << 5 << true << "";
}

void TestWindowRules::launch()
{
    QFETCH(int, rows);
    QFETCH(bool, fromMenu);
    QFETCH(QString, title);
    const common::Refusal n =
        emptyListNotice(rows, fromMenu ? common::LaunchedFrom::Menu : common::LaunchedFrom::Button);
    QCOMPARE(n.refused(), !title.isEmpty());
    QCOMPARE(n.title, title);
    QCOMPARE(n.text, title.isEmpty() ? QString() : QStringLiteral("データリストにデータがありません."));
}

void TestWindowRules::shownValues_data()
{
    QTest::addColumn<int>("rowsPerPage");
    QTest::addColumn<int>("padding");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("pad");
    QTest::newRow("in the lists") << 1 << 0 << "1"
                                  << "0";
    QTest::newRow("list ends") << 16 << 8 << "16"
                               << "8";
    QTest::newRow("padding 12") << 12 << 12 << "12"
                                << "2";
    QTest::newRow("0 rows, padding -1") << 0 << -1 << "12"
                                        << "2";
    QTest::newRow("17 rows") << 17 << 3 << "12"
                             << "3";
}

void TestWindowRules::shownValues()
{
    QFETCH(int, rowsPerPage);
    QFETCH(int, padding);
    LedgerDesign s;
    s.rowsPerPage = rowsPerPage;
    s.padding = padding;
    s.pageNumbers = 1;
    const WindowValues f = ledgerWindowValues(s);
    QTEST(f.linesInPage, "lines");
    QTEST(f.padding, "pad");
    QVERIFY(f.pageNumbers);
    QCOMPARE(f.startPage, QStringLiteral("1"));
}

void TestWindowRules::startPage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("step");
    QTest::newRow("1") << "1" << false << 1;
    QTest::newRow("9999") << "9999" << false << 9999;
    QTest::newRow("10000 beyond the up-down") << "10000" << false << 0;
    QTest::newRow("0") << "0" << true << 0;
    QTest::newRow("empty") << "" << true << 0;
    QTest::newRow("not a number") << "a" << true << 0;
    QTest::newRow("beyond 32 bits") << "99999999999" << true << 0;
}

void TestWindowRules::startPage()
{
    QFETCH(QString, text);
    QFETCH(bool, refused);
    const common::Refusal r = checkStartPage(text);
    QCOMPARE(r.refused(), refused);
    if (refused) {
        QCOMPARE(r.text, QStringLiteral("開始ページの値が不正です."));
        QCOMPARE(r.title, QStringLiteral("入力値チェック"));
        QCOMPARE(r.next, common::FollowUp(Next::StartPage));
    }
    QTEST(startPageStep(text), "step");
}

QTEST_APPLESS_MAIN(TestWindowRules)
#include "tst_window_rules.moc"
