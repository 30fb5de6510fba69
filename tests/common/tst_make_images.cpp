// Every make puts the 33 barcode images beside its page, and refuses when they cannot be put there.
#include "barcode/barcode_images.h"
#include "ledger/sheet.h"
#include "platform/folders.h"
#include "price_tags/sheet.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/window_values.h"

#include <QtTest>

#include <functional>

using Make = std::function<common::MakeResult(const QString &folder)>;
Q_DECLARE_METATYPE(Make)

class TestMakeImages : public QObject {
    Q_OBJECT
private slots:
    void makers_data();
    void imagesProvided();
    void imagesProvided_data() { makers_data(); }
    void cutImageIsReplaced();
    void cutImageIsReplaced_data() { makers_data(); }
    void refusedWhenImagesCannotBeCopied();
    void refusedWhenImagesCannotBeCopied_data() { makers_data(); }
};

namespace {

products::ProductList oneProduct()
{
    return {products::Product{QStringLiteral("C1"), QStringLiteral("商品"), QStringLiteral("100"), QString(),
                              QStringLiteral("4901234567894"), false}};
}

} // namespace

void TestMakeImages::makers_data()
{
    QTest::addColumn<Make>("make");
    QTest::newRow("shelf labels") << Make([](const QString &folder) {
        return shelf_labels::make(
            shelf_labels::Inputs{oneProduct(), shelf_labels::ShelfLabelDesign(), {}, QStringLiteral("1")}, folder);
    });
    QTest::newRow("price tags") << Make([](const QString &folder) {
        price_tags::ProductSlots s;
        s[0] = {QStringLiteral("C1"), QStringLiteral("商品"), QStringLiteral("105"), QStringLiteral("4901234567894"),
                true};
        price_tags::Copies c;
        c.fill(QStringLiteral("0"));
        c[0] = QStringLiteral("1");
        return price_tags::make({.rows = s, .design = price_tags::PriceTagDesign(), .copies = c}, folder);
    });
    QTest::newRow("ledger") << Make([](const QString &folder) {
        return ledger::make(ledger::Inputs{oneProduct(), ledger::LedgerDesign(), {}, QStringLiteral("1")}, folder);
    });
}

void TestMakeImages::imagesProvided()
{
    QFETCH(Make, make);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("BarCode")));
    const common::MakeResult out = make(dir.path());
    QVERIFY2(out.kind == common::MakeResult::Made, qPrintable(out.text));
    const QStringList present = QDir(dir.filePath(QStringLiteral("BarCode"))).entryList(QDir::Files, QDir::Name);
    QCOMPARE(present.size(), 33);
    for (const QString &name : barcode::barcodeImageNames())
        QVERIFY2(present.contains(name), qPrintable(name));
}

// An image a full disk cut short at an earlier copy is put back whole by the next make.
void TestMakeImages::cutImageIsReplaced()
{
    QFETCH(Make, make);
    QFile shipped(platform::programFolder() + QStringLiteral("/BarCode/4_L1.bmp"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray whole = shipped.readAll();
    QVERIFY(whole.size() > 151);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("BarCode")));
    QFile cut(dir.filePath(QStringLiteral("BarCode/4_L1.bmp")));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    QCOMPARE(cut.write(whole.left(151)), 151);
    cut.close();
    const common::MakeResult out = make(dir.path());
    QVERIFY2(out.kind == common::MakeResult::Made, qPrintable(out.text));
    QVERIFY(cut.open(QIODevice::ReadOnly));
    QCOMPARE(cut.readAll(), whole);
}

void TestMakeImages::refusedWhenImagesCannotBeCopied()
{
    QFETCH(Make, make);
    QTemporaryDir dir;
    // A file where the image folder belongs: no image can be put there.
    QFile blocker(dir.filePath(QStringLiteral("BarCode")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const common::MakeResult out = make(dir.path());
    QCOMPARE(out.kind, common::MakeResult::Failed);
    QVERIFY2(out.text.startsWith(QStringLiteral("エラーが発生しました(")), qPrintable(out.text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("BarCode")});
}

QTEST_GUILESS_MAIN(TestMakeImages)
#include "tst_make_images.moc"
