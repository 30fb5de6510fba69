#include "app/dlgExcelInfo.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace products;

class TestDlgExcelInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texts();
    void exValue_data();
    void exValue();
};

void TestDlgExcelInfo::texts()
{
    dlgExcelInfo d(0);
    QCOMPARE(d.windowTitle(), QStringLiteral("Excelファイルインポート"));
    auto *label = d.findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(label);
    QCOMPARE(label->text(),
             QStringLiteral("インポートするExcelファイルは加工・形式化\nされている必要があります.\n\n形式:\n"
                            "品番等,商品名,本体価格(もしくは税込価格),備考,JANコード"));
    auto *check = d.findChild<QCheckBox *>(QStringLiteral("Check1"));
    QVERIFY(check);
    QCOMPARE(check->text(), QStringLiteral("以後このダイアログは表示しない"));
    QVERIFY(!check->isChecked());
}

void TestDlgExcelInfo::exValue_data()
{
    QTest::addColumn<int>("ex");
    QTest::addColumn<QList<bool>>("toggles"); // check states set in turn, by keyboard or mouse alike
    QTest::addColumn<bool>("ok");             // OK, or the window closed
    QTest::addColumn<int>("result");
    QTest::newRow("OK untouched") << 0 << QList<bool>{} << true << 0;
    QTest::newRow("checked, OK") << 0 << QList<bool>{true} << true << 1;
    QTest::newRow("checked, closed") << 0 << QList<bool>{true} << false << 1;
    QTest::newRow("checked then cleared, OK") << 0 << QList<bool>{true, false} << true << 0;
    QTest::newRow("starting at 1, cleared, closed") << 1 << QList<bool>{false} << false << 0;
    QTest::newRow("starting at 1, OK") << 1 << QList<bool>{} << true << 1;
}

void TestDlgExcelInfo::exValue()
{
    QFETCH(int, ex);
    QFETCH(QList<bool>, toggles);
    QFETCH(bool, ok);
    QFETCH(int, result);
    dlgExcelInfo d(ex);
    auto *check = d.findChild<QCheckBox *>(QStringLiteral("Check1"));
    for (bool on : toggles) {
        if (on != check->isChecked())
            QTest::keyClick(check, Qt::Key_Space);
        QCOMPARE(check->isChecked(), on);
    }
    if (ok) {
        d.findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    } else {
        d.reject();
    }
    QCOMPARE(d.ex(), result);
}

QTEST_MAIN(TestDlgExcelInfo)
#include "tst_dlg_excel_info.moc"
