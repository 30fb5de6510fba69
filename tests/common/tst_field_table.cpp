#include "common/field_table.h"
#include "ledger/design.h"
#include "price_tags/design.h"
#include "price_tags/window_values.h"
#include "shelf_labels/design.h"

#include <QTest>

#include <functional>
#include <memory>

using common::FieldTable;
using common::StoredKey;

namespace {

inline constexpr StoredKey Probe{"S", "k", "0"};

// A record and its table; the record lives as long as the table points into it.
struct Bound {
    std::shared_ptr<void> record;
    FieldTable table;
};
template <class Record> Bound bound()
{
    auto record = std::make_shared<Record>();
    Bound b{record, {}};
    bindFields(*record, b.table);
    return b;
}

} // namespace

Q_DECLARE_METATYPE(std::function<Bound()>)

class TestFieldTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversions_data();
    void conversions();
    void everyKeyHasItsOwnField_data();
    void everyKeyHasItsOwnField();
};

void TestFieldTable::conversions_data()
{
    QTest::addColumn<QString>("field"); // text, flag or number
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");

    QTest::newRow("text from text") << "text" << QVariant("4.5mm") << "4.5mm" << 0;
    QTest::newRow("text from number") << "text" << QVariant(12) << "12" << 12;
    QTest::newRow("flag on only for 1") << "flag" << QVariant("1") << "1" << 1;
    QTest::newRow("flag stored 2") << "flag" << QVariant("2") << "0" << 0;
    QTest::newRow("flag number 2") << "flag" << QVariant(2) << "0" << 0;
    QTest::newRow("flag with a space") << "flag" << QVariant(" 1") << "0" << 0;
    QTest::newRow("number from text") << "number" << QVariant("-42") << "-42" << -42;
    QTest::newRow("number from letters") << "number" << QVariant("x") << "0" << 0;
    QTest::newRow("number from number") << "number" << QVariant(255) << "255" << 255;
}

void TestFieldTable::conversions()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QString text = QStringLiteral("before");
    bool flag = true;
    int number = 99;
    FieldTable t;
    if (field == QLatin1String("text"))
        t.bind(Probe, text);
    else if (field == QLatin1String("flag"))
        t.bind(Probe, flag);
    else
        t.bind(Probe, number);
    if (value.typeId() == QMetaType::Int)
        t.set(Probe, value.toInt());
    else
        t.set(Probe, value.toString());
    QTEST(t.text(Probe), "text");
    QTEST(t.number(Probe), "number");
}

void TestFieldTable::everyKeyHasItsOwnField_data()
{
    QTest::addColumn<std::function<Bound()>>("make");
    QTest::newRow("shelf labels") << std::function<Bound()>(bound<shelf_labels::ShelfLabelDesign>);
    QTest::newRow("price tags") << std::function<Bound()>(bound<price_tags::PriceTagDesign>);
    QTest::newRow("ledger") << std::function<Bound()>(bound<ledger::LedgerDesign>);
    QTest::newRow("price-tag design file") << std::function<Bound()>(bound<price_tags::WindowValues>);
}

// Changing one key's field changes what that key stores and nothing else: no two keys share a field.
void TestFieldTable::everyKeyHasItsOwnField()
{
    QFETCH(std::function<Bound()>, make);
    Bound b = make();
    const QList<const StoredKey *> keys = b.table.keys();
    QVERIFY(!keys.isEmpty());
    for (const StoredKey *k : keys) {
        QStringList before;
        for (const StoredKey *other : keys)
            before << b.table.text(*other);
        const bool isText = std::holds_alternative<QString *>(b.table.field(*k));
        if (isText)
            b.table.set(*k, b.table.text(*k) + QStringLiteral("!"));
        else
            b.table.set(*k, b.table.number(*k) == 1 ? 0 : 1);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const bool changed = b.table.text(*keys[i]) != before[i];
            QVERIFY2(changed == (keys[i] == k),
                     qPrintable(k->displayName() + QStringLiteral(" moved ") + keys[i]->displayName()));
        }
    }
}

QTEST_GUILESS_MAIN(TestFieldTable)
#include "tst_field_table.moc"
