#include "app/entry_rules.h"
#include "products/list_operations.h"

#include <QtTest>

using namespace products;

Q_DECLARE_METATYPE(products::EntryField)

namespace {
EntryFields validFields()
{
    EntryFields f;
    f.code = QStringLiteral("A-01");
    f.name = QStringLiteral("緑茶");
    f.basePrice = QStringLiteral("100");
    f.remarks = QStringLiteral("500ml");
    f.barcode = QStringLiteral("490123456789");
    return f;
}

Product row(const QString &code, const QString &name, const QString &price, const QString &remarks, const QString &jan,
            bool checked = false)
{
    return Product{code, name, price, remarks, jan, checked};
}
} // namespace

class TestEntryRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkOrder_data();
    void checkOrder();
    void fill_data();
    void fill();
    void storeCorrectsCheckDigit();
    void typedText_data();
    void typedText();
    void sortAlternates();
    void moveKeepsChecks();
    void findForwardAndBack();
    void bulkCheckDigits_data();
    void bulkCheckDigits();
};

void TestEntryRules::checkOrder_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("indicate");
    QTest::addColumn<EntryField>("field");
    QTest::addColumn<QString>("message");

    const QString q = QStringLiteral("」は使用できません.");
    QTest::newRow("code quote") << "code"
                                << "A\"1" << 0 << EntryField::Code
                                << QStringLiteral("品番等にダブルコーテーション「\"") + q;
    QTest::newRow("code comma") << "code"
                                << "A,1" << 0 << EntryField::Code << "品番等にカンマ(,)は使用できません.";
    QTest::newRow("name empty") << "name"
                                << "" << 0 << EntryField::Name << "商品名がありません";
    QTest::newRow("name quote") << "name"
                                << "x\"" << 0 << EntryField::Name
                                << QStringLiteral("商品名にダブルコーテーション「\"") + q;
    QTest::newRow("name comma pasted") << "name"
                                       << "緑,茶" << 0 << EntryField::Name << "商品名にカンマ(,)は使用できません.";
    QTest::newRow("remarks quote") << "remarks"
                                   << "\"" << 0 << EntryField::Remarks
                                   << QStringLiteral("備考にダブルコーテーション「\"") + q;
    QTest::newRow("remarks comma") << "remarks"
                                   << "," << 0 << EntryField::Remarks << "備考にカンマ(,)は使用できません.";
    QTest::newRow("name emoji") << "name" << QString::fromUtf8("茶\xF0\x9F\x8D\xB5") << 0 << EntryField::Name
                                << "商品名に保存できない文字「🍵」(Shift_JIS にない文字)が含まれています.";
    QTest::newRow("base price missing") << "basePrice"
                                        << "" << 0 << EntryField::BasePrice << "本体価格を設定してください";
    QTest::newRow("incl price missing") << "inclPrice"
                                        << "" << 1 << EntryField::InclPrice << "税込価格を設定してください";
    QTest::newRow("barcode letters") << "barcode"
                                     << "49012345678X" << 0 << EntryField::Barcode << "バーコードのデータが不正です.";
    QTest::newRow("barcode 11 digits") << "barcode"
                                       << "49012345678" << 0 << EntryField::Barcode
                                       << "バーコードデータの桁数が違います.";
    QTest::newRow("barcode empty is fine") << "barcode"
                                           << "" << 0 << EntryField::Barcode << "";
    QTest::newRow("barcode 7 is fine") << "barcode"
                                       << "4901234" << 0 << EntryField::Barcode << "";
}

void TestEntryRules::checkOrder()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, value);
    QFETCH(int, indicate);
    QFETCH(EntryField, field);
    QFETCH(QString, message);
    EntryFields f = validFields();
    if (indicate == 1)
        f.inclPrice = QStringLiteral("105");
    if (fieldName == QLatin1String("code"))
        f.code = value;
    if (fieldName == QLatin1String("name"))
        f.name = value;
    if (fieldName == QLatin1String("remarks"))
        f.remarks = value;
    if (fieldName == QLatin1String("basePrice"))
        f.basePrice = value;
    if (fieldName == QLatin1String("inclPrice"))
        f.inclPrice = value;
    if (fieldName == QLatin1String("barcode"))
        f.barcode = value;
    const auto problem = checkEntry(f, indicate);
    if (message.isEmpty()) {
        QVERIFY(!problem);
        return;
    }
    QVERIFY(problem);
    QCOMPARE(problem->message, message);
    QCOMPARE(problem->field, field);
}

void TestEntryRules::fill_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("indicate");
    QTest::addColumn<QString>("jan");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("incl");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("barcode");
    QTest::addColumn<int>("janType");
    QTest::addColumn<bool>("wrongDigit");

    QTest::newRow("base 99") << "99" << 0 << ""
                             << "99"
                             << "103"
                             << "4"
                             << "" << 0 << false;
    QTest::newRow("base with separators") << "1,000" << 0 << ""
                                          << "1000"
                                          << "1050"
                                          << "50"
                                          << "" << 0 << false;
    QTest::newRow("base empty") << "" << 0 << ""
                                << ""
                                << ""
                                << ""
                                << "" << 0 << false;
    QTest::newRow("base zero") << "0" << 0 << ""
                               << "0"
                               << "0"
                               << "0"
                               << "" << 0 << false;
    QTest::newRow("incl 100") << "100" << 1 << ""
                              << "96"
                              << "100"
                              << "4"
                              << "" << 0 << false;
    QTest::newRow("incl zero") << "0" << 1 << ""
                               << "0"
                               << "0"
                               << "0"
                               << "" << 0 << false;
    QTest::newRow("ean13 right") << "1" << 0 << "4901234567894"
                                 << "1"
                                 << "1"
                                 << "0"
                                 << "490123456789" << 0 << false;
    QTest::newRow("ean13 wrong") << "1" << 0 << "4901234567890"
                                 << "1"
                                 << "1"
                                 << "0"
                                 << "490123456789" << 0 << true;
    QTest::newRow("ean8 right") << "1" << 0 << "49123456"
                                << "1"
                                << "1"
                                << "0"
                                << "4912345" << 1 << false;
    QTest::newRow("seven digits") << "1" << 0 << "4912345"
                                  << "1"
                                  << "1"
                                  << "0"
                                  << "4912345" << 1 << false;
    QTest::newRow("twelve digits") << "1" << 0 << "490123456789"
                                   << "1"
                                   << "1"
                                   << "0"
                                   << "490123456789" << 0 << false;
    QTest::newRow("odd length letters") << "1" << 0 << "ABC"
                                        << "1"
                                        << "1"
                                        << "0"
                                        << "" << 0 << false;
}

void TestEntryRules::fill()
{
    QFETCH(QString, price);
    QFETCH(int, indicate);
    QFETCH(QString, jan);
    QFETCH(QString, base);
    QFETCH(QString, incl);
    QFETCH(QString, tax);
    QFETCH(QString, barcode);
    QFETCH(int, janType);
    QFETCH(bool, wrongDigit);
    TaxSettings t;
    t.indicate = indicate;
    const FilledEntry e = fillEntry(row(QStringLiteral("c"), QStringLiteral("n"), price, QStringLiteral("r"), jan), t);
    QCOMPARE(e.fields.basePrice, base);
    QCOMPARE(e.fields.inclPrice, incl);
    QCOMPARE(e.fields.tax, tax);
    QCOMPARE(e.fields.barcode, barcode);
    QCOMPARE(e.fields.janType, janType);
    QCOMPARE(e.checkDigitWrong, wrongDigit);
    QCOMPARE(e.fields.inclMaxLength, indicate == 0 ? 8 : 7);
}

void TestEntryRules::storeCorrectsCheckDigit()
{
    TaxSettings t;
    const FilledEntry e =
        fillEntry(row({}, QStringLiteral("n"), QStringLiteral("100"), {}, QStringLiteral("4901234567890")), t);
    QVERIFY(e.checkDigitWrong);
    QCOMPARE(e.fields.checkDigit, QStringLiteral("4"));
    const Product p = productFromEntry(e.fields, 0);
    QCOMPARE(p.jan, QStringLiteral("4901234567894"));
    QCOMPARE(p.price, QStringLiteral("100"));
    EntryFields empty = e.fields;
    empty.barcode.clear();
    QCOMPARE(productFromEntry(empty, 0).jan, QString());
}

void TestEntryRules::typedText_data()
{
    QTest::addColumn<EntryField>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("name text") << EntryField::Name << "緑茶" << true;
    QTest::newRow("name comma") << EntryField::Name << "," << false;
    QTest::newRow("code quote") << EntryField::Code << "\"" << false;
    QTest::newRow("price digit") << EntryField::BasePrice << "7" << true;
    QTest::newRow("price letter") << EntryField::InclPrice << "a" << false;
    QTest::newRow("price point") << EntryField::BasePrice << "." << false;
    QTest::newRow("barcode digits") << EntryField::Barcode << "490" << true;
    QTest::newRow("barcode minus") << EntryField::Barcode << "-" << false;
}

void TestEntryRules::typedText()
{
    QFETCH(EntryField, field);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QCOMPARE(acceptsTypedText(field, typed), accepted);
}

void TestEntryRules::sortAlternates()
{
    ProductList rows{row("b", "りんご", "1", "", ""), row("a", "Banana", "2", "", ""), row("c", "apple", "3", "", "")};
    QVERIFY(!isSortableColumn(ColNo));
    QVERIFY(!isSortableColumn(ColPrice));
    QList<int> moved = sortRows(rows, ColName, true);
    QCOMPARE(rows.at(0).name, QStringLiteral("apple"));
    QCOMPARE(rows.at(1).name, QStringLiteral("Banana"));
    QCOMPARE(rows.at(2).name, QStringLiteral("りんご"));
    QCOMPARE(moved, (QList<int>{2, 1, 0}));
    sortRows(rows, ColName, false);
    QCOMPARE(rows.at(0).name, QStringLiteral("りんご"));
    QCOMPARE(rows.at(2).name, QStringLiteral("apple"));
}

void TestEntryRules::moveKeepsChecks()
{
    ProductList rows{row("1", "a", "", "", "", true), row("2", "b", "", "", "", false)};
    QVERIFY(!moveRowUp(rows, 0));
    QVERIFY(!moveRowDown(rows, 1));
    QVERIFY(moveRowDown(rows, 0));
    QCOMPARE(rows.at(1).code, QStringLiteral("1"));
    QVERIFY(rows.at(1).checked);
    QVERIFY(!rows.at(0).checked);
    ProductList one{row("1", "a", "", "", "")};
    QVERIFY(!moveRowUp(one, 0));
}

void TestEntryRules::findForwardAndBack()
{
    ProductList rows{row("x", "one", "1200", "", ""), row("y", "two", "", "ABC", ""), row("z", "abc", "", "", ""),
                     row("w", "four", "", "", "")};
    FindState s;
    QCOMPARE(findNext(rows, QStringLiteral("abc"), s), 1);
    QCOMPARE(s.position, 3);
    QCOMPARE(findNext(rows, QStringLiteral("abc"), s), 2);
    QCOMPARE(findRev(rows, QStringLiteral("abc"), s), 2); // starts with the row just found
    QCOMPARE(s.position, 3);
    QCOMPARE(findRev(rows, QStringLiteral("abc"), s), 1);
    QCOMPARE(findRev(rows, QStringLiteral("abc"), s), -1);
    QVERIFY(s.ended);
    FindState f;
    QCOMPARE(findNext(rows, QStringLiteral("1,200"), f), 0); // the price as the list shows it
    FindState end;
    end.position = 4;
    QCOMPARE(findNext(rows, QStringLiteral("abc"), end), -1);
    QVERIFY(end.ended);
}

void TestEntryRules::bulkCheckDigits_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("changed");
    QTest::newRow("12 and 7 digits") << QStringList{"490123456789", "4912345", "", "49123456"}
                                     << QStringList{"4901234567894", "49123456", "", "49123456"} << 2;
    QTest::newRow("none needed") << QStringList{"4901234567894", "49123456"} << QStringList{"4901234567894", "49123456"}
                                 << 0;
    QTest::newRow("letters left alone") << QStringList{"49012345678X", "12345"} << QStringList{"49012345678X", "12345"}
                                        << 0;
}

void TestEntryRules::bulkCheckDigits()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(int, changed);
    ProductList rows;
    for (const QString &j : before)
        rows.append(row({}, QStringLiteral("n"), {}, {}, j));
    QCOMPARE(appendCheckDigits(rows), changed);
    QStringList got;
    for (const Product &p : rows)
        got.append(p.jan);
    QCOMPARE(got, after);
}

QTEST_GUILESS_MAIN(TestEntryRules)
#include "tst_entry_rules.moc"
