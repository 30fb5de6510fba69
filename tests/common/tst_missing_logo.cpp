// A design naming a logo file that is gone: both card makers forget the logo and tell it the same way.
// So is a picture far beyond any logo, and a make refuses to print it.
#include "common/helpers.h"
#include "price_tags/sheet.h"
#include "price_tags/window_values.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/window_values.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// The headers of a 24-bit BMP of w × h pixels: enough for its size to be read, nothing to decode.
QByteArray bmpHeader(qint32 w, qint32 h)
{
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(54, b.data() + 2);
    qToLittleEndian<quint32>(54, b.data() + 10);
    qToLittleEndian<quint32>(40, b.data() + 14);
    qToLittleEndian<qint32>(w, b.data() + 18);
    qToLittleEndian<qint32>(h, b.data() + 22);
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(24, b.data() + 28);
    return b;
}

} // namespace

class TestMissingLogo : public QObject {
    Q_OBJECT
private slots:
    void bothMakers_data();
    void bothMakers();
    void pictureBeyondTheBound_data();
    void pictureBeyondTheBound();
};

void TestMissingLogo::bothMakers_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("told");
    QTest::newRow("gone") << true << QStringLiteral(VENNLO_SOURCE_DIR "/resources/no such logo.gif") << true;
    QTest::newRow("a folder") << true << QStringLiteral(VENNLO_SOURCE_DIR "/resources") << true;
    QTest::newRow("present") << true << QStringLiteral(VENNLO_SOURCE_DIR "/resources/sample_logoC.gif") << false;
    QTest::newRow("logo off") << false << QStringLiteral("/nowhere.gif") << false;
}

void TestMissingLogo::bothMakers()
{
    QFETCH(bool, on);
    QFETCH(QString, file);
    QFETCH(bool, told);
    const QString text = told ? common::logoNotFoundText(file) : QString();
    if (told)
        QVERIFY(text.startsWith(QStringLiteral("ロゴ用の画像\r\n")) &&
                text.endsWith(QStringLiteral("が見つかりませんでした.")));

    shelf_labels::ShelfLabelDesign shelf;
    shelf.showLogo = on;
    shelf.logoName = file;
    shelf.logoW = QStringLiteral("120");
    shelf.logoH = QStringLiteral("40");
    QCOMPARE(shelf_labels::forgetMissingLogo(shelf), text);
    QCOMPARE(shelf.logoName, told ? QString() : file);
    QCOMPARE(shelf.logoW, told ? QStringLiteral("0") : QStringLiteral("120"));

    price_tags::PriceTagDesign tag;
    tag.showLogo = on;
    tag.logoName = file;
    tag.logoW = 120;
    tag.logoH = 40;
    QCOMPARE(price_tags::forgetMissingLogo(tag), text);
    QCOMPARE(tag.logoName, told ? QString() : file);
    QCOMPARE(tag.logoW, told ? 0 : 120);
}

void TestMissingLogo::pictureBeyondTheBound_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("refused");
    QTest::newRow("16,000 × 16,000") << 16000 << 16000 << true;
    QTest::newRow("one row past 40 megapixels") << 8000 << 5001 << true;
    QTest::newRow("40 megapixels") << 8000 << 5000 << false;
    QTest::newRow("a logo") << 120 << 40 << false;
}

void TestMissingLogo::pictureBeyondTheBound()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("logo.bmp"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bmpHeader(width, height));
    f.close();
    const QString text = refused ? QStringLiteral("ロゴ用の画像\r\n") + file +
                                       QStringLiteral("\r\nは大きすぎます (40,000,000 画素まで).")
                                 : QString();
    QCOMPARE(common::logoTooLargeText(file), text);

    shelf_labels::ShelfLabelDesign shelf;
    shelf.showLogo = true;
    shelf.logoName = file;
    shelf.logoW = QStringLiteral("120");
    shelf.logoH = QStringLiteral("40");
    const common::Refusal r = shelf_labels::check({{products::Product()}, shelf, {}, QStringLiteral("1")});
    QCOMPARE(r.refused() ? r.text : QString(), text);
    QCOMPARE(shelf_labels::forgetMissingLogo(shelf), text);
    QCOMPARE(shelf.logoName, refused ? QString() : file);

    price_tags::PriceTagDesign tag;
    tag.showLogo = true;
    tag.logoName = file;
    price_tags::ProductSlots items;
    items[0] = {QStringLiteral("C1"), QStringLiteral("商品"), QStringLiteral("105"), QString(), true};
    price_tags::Copies copies;
    copies.fill(QStringLiteral("0"));
    copies[0] = QStringLiteral("1");
    const common::MakeResult made = price_tags::make({.rows = items, .design = tag, .copies = copies}, dir.path());
    QCOMPARE(made.kind, refused ? common::MakeResult::Refused : common::MakeResult::Made);
    if (refused)
        QCOMPARE(made.text, text);
    QCOMPARE(price_tags::forgetMissingLogo(tag), text);
    QCOMPARE(tag.logoName, refused ? QString() : file);
}

QTEST_GUILESS_MAIN(TestMissingLogo)
#include "tst_missing_logo.moc"
