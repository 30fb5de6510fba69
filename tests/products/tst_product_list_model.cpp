#include "products/product_list_model.h"

#include <QSignalSpy>
#include <QtTest>

using namespace products;

namespace {

Product make(const QString &code, const QString &price, bool checked = false)
{
    Product p;
    p.code = code;
    p.name = QStringLiteral("名") + code;
    p.price = price;
    p.remarks = QStringLiteral("r");
    p.jan = QStringLiteral("4901234567894");
    p.checked = checked;
    return p;
}

QString codes(const ProductList &rows)
{
    QStringList out;
    for (const Product &p : rows)
        out << p.code;
    return out.join(QLatin1Char(','));
}

} // namespace

class TestProductListModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headers_data();
    void headers();
    void cells();
    void priceFormat_data();
    void priceFormat();
    void userCheck();
    void readingContract_data();
    void readingContract();
    void outputCount_data();
    void outputCount();
    void bulkLoadIsOneReset();
    void editsKeepNumberAndCheck();
    void renumber();
};

void TestProductListModel::headers_data()
{
    QTest::addColumn<int>("indicate");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("base prices") << 0 << QStringList{"No.", "品番等", "商品名", "本体価格", "備考", "JANコード"};
    QTest::newRow("tax-inclusive prices")
        << 1 << QStringList{"No.", "品番等", "商品名", "税込価格", "備考", "JANコード"};
}

void TestProductListModel::headers()
{
    QFETCH(int, indicate);
    QFETCH(QStringList, captions);
    ProductListModel m;
    QSignalSpy header(&m, &QAbstractItemModel::headerDataChanged);
    m.setPriceBasis(indicate);
    QCOMPARE(header.count(), indicate == 0 ? 0 : 1);
    QCOMPARE(m.columnCount(), 6);
    for (int c = 0; c < 6; ++c)
        QCOMPARE(m.headerData(c, Qt::Horizontal).toString(), captions.at(c));
}

void TestProductListModel::cells()
{
    ProductListModel m;
    m.setRows({make("A", "1980"), make("B", "5")});
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.data(m.index(1, ProductListModel::Number)).toString(), QStringLiteral("2"));
    QCOMPARE(m.data(m.index(0, ProductListModel::GoodNum)).toString(), QStringLiteral("A"));
    QCOMPARE(m.data(m.index(0, ProductListModel::GoodName)).toString(), QStringLiteral("名A"));
    QCOMPARE(m.data(m.index(0, ProductListModel::Price)).toString(), QStringLiteral("1,980"));
    QCOMPARE(m.data(m.index(0, ProductListModel::Alt)).toString(), QStringLiteral("r"));
    QCOMPARE(m.data(m.index(0, ProductListModel::JanCode)).toString(), QStringLiteral("4901234567894"));
    QCOMPARE(m.data(m.index(0, ProductListModel::Price), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QVERIFY(!m.data(m.index(0, ProductListModel::GoodName), Qt::TextAlignmentRole).isValid());
    QVERIFY(m.flags(m.index(0, 0)) & Qt::ItemIsUserCheckable);
    QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsUserCheckable));
    QVERIFY(!m.data(m.index(0, 1), Qt::CheckStateRole).isValid());
}

void TestProductListModel::priceFormat_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("read");
    QTest::newRow("small") << "198"
                           << "198"
                           << "198";
    QTest::newRow("thousands") << "1000"
                               << "1,000"
                               << "1000";
    QTest::newRow("millions") << "12345678"
                              << "12,345,678"
                              << "12345678";
    QTest::newRow("zero") << "0"
                          << "0"
                          << "0";
    QTest::newRow("negative") << "-1500"
                              << "-1,500"
                              << "-1500";
    QTest::newRow("given with commas") << "2,500"
                                       << "2,500"
                                       << "2500";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestProductListModel::priceFormat()
{
    QFETCH(QString, price);
    QFETCH(QString, shown);
    QFETCH(QString, read);
    ProductListModel m;
    m.setRows({make("A", price)});
    QCOMPARE(m.data(m.index(0, ProductListModel::Price)).toString(), shown);
    QCOMPARE(m.rowsForMakers().at(0).price, read);
    QCOMPARE(m.rows().at(0).price, read);
}

void TestProductListModel::userCheck()
{
    ProductListModel m;
    m.setRows({make("A", "1"), make("B", "2")});
    QSignalSpy checks(&m, &ProductListModel::checksChanged);
    QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
    QVERIFY(m.setData(m.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(m.data(m.index(1, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(checks.count(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m.checkedCount(), 1);
    // Setting the same state again is no change.
    QVERIFY(m.setData(m.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(checks.count(), 1);
    QVERIFY(m.setData(m.index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(m.checkedCount(), 0);
}

void TestProductListModel::readingContract_data()
{
    QTest::addColumn<ProductList>("rows");
    QTest::addColumn<QString>("read");
    QTest::newRow("empty") << ProductList{} << "";
    QTest::newRow("none checked: all in order")
        << ProductList{make("A", "1"), make("B", "2"), make("C", "3")} << "A,B,C";
    QTest::newRow("one checked") << ProductList{make("A", "1"), make("B", "2", true), make("C", "3")} << "B";
    QTest::newRow("checked in list order")
        << ProductList{make("C", "1", true), make("A", "2"), make("B", "3", true)} << "C,B";
    QTest::newRow("all checked") << ProductList{make("A", "1", true), make("B", "2", true)} << "A,B";
}

void TestProductListModel::readingContract()
{
    QFETCH(ProductList, rows);
    QFETCH(QString, read);
    ProductListModel m;
    m.setRows(rows);
    QCOMPARE(codes(m.rowsForMakers()), read);
    QCOMPARE(codes(m.rowsForMakers()), codes(rowsForMakers(rows)));
    // Reading changes nothing.
    QCOMPARE(m.rows(), rows);
}

void TestProductListModel::outputCount_data()
{
    QTest::addColumn<ProductList>("rows");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty list") << ProductList{} << "出力件数: 0";
    QTest::newRow("no row checked counts all")
        << ProductList{make("A", "1"), make("B", "2"), make("C", "3")} << "出力件数: 3";
    QTest::newRow("one row checked") << ProductList{make("A", "1"), make("B", "2", true), make("C", "3")}
                                     << "出力件数: 1";
    QTest::newRow("two checked") << ProductList{make("A", "1", true), make("B", "2", true), make("C", "3")}
                                 << "出力件数: 2";
}

void TestProductListModel::outputCount()
{
    QFETCH(ProductList, rows);
    QFETCH(QString, text);
    ProductListModel m;
    m.setRows(rows);
    QCOMPARE(m.outputCountText(), text);
    QCOMPARE(ProductListModel::noOutputCountText(), QStringLiteral("出力件数: (なし)"));
}

void TestProductListModel::bulkLoadIsOneReset()
{
    ProductList rows;
    for (int i = 0; i < 100000; ++i)
        rows << make(QString::number(i), QString::number(i));
    ProductListModel m;
    QSignalSpy reset(&m, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&m, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
    m.setRows(rows);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m.rowCount(), 100000);
    QCOMPARE(m.data(m.index(99999, 0)).toString(), QStringLiteral("100000"));
    m.clear();
    QCOMPARE(reset.count(), 2);
    QCOMPARE(m.rowCount(), 0);
}

void TestProductListModel::editsKeepNumberAndCheck()
{
    ProductListModel m;
    m.setRows({make("A", "1"), make("B", "2", true)});
    Product p = make("Z", "3,000");
    m.replaceProduct(1, p);
    QCOMPARE(m.product(1).code, QStringLiteral("Z"));
    QCOMPARE(m.product(1).price, QStringLiteral("3000"));
    QVERIFY(m.isChecked(1));
    QCOMPARE(m.number(1), 2);
    m.appendProduct(make("N", "9"));
    QCOMPARE(m.number(2), 3);
    QVERIFY(m.setData(m.index(0, ProductListModel::Price), QStringLiteral("1,234")));
    QCOMPARE(m.product(0).price, QStringLiteral("1234"));
    m.removeProduct(1);
    QCOMPARE(m.checkedCount(), 0);
    QCOMPARE(m.outputCountText(), QStringLiteral("出力件数: 2"));
}

void TestProductListModel::renumber()
{
    ProductListModel m;
    m.setRows({make("A", "1"), make("B", "2"), make("C", "3")});
    m.removeProduct(0);
    QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("2"));
    m.setNumbers();
    QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("1"));
    QCOMPARE(m.data(m.index(1, 0)).toString(), QStringLiteral("2"));
}

QTEST_GUILESS_MAIN(TestProductListModel)
#include "tst_product_list_model.moc"
