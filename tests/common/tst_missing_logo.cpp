// A design naming a logo file that is gone: both card makers forget the logo and tell it the same way.
#include "common/helpers.h"
#include "price_tags/window_values.h"
#include "shelf_labels/window_values.h"

#include <QtTest>

class TestMissingLogo : public QObject {
    Q_OBJECT
private slots:
    void bothMakers_data();
    void bothMakers();
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
    shelf.makeLG = on ? 1 : 0;
    shelf.logoName = file;
    shelf.logoW = QStringLiteral("120");
    shelf.logoH = QStringLiteral("40");
    QCOMPARE(shelf_labels::forgetMissingLogo(shelf), text);
    QCOMPARE(shelf.logoName, told ? QString() : file);
    QCOMPARE(shelf.logoW, told ? QStringLiteral("0") : QStringLiteral("120"));

    price_tags::PriceTagDesign tag;
    tag.lg = on ? 1 : 0;
    tag.logoName = file;
    tag.logoW = 120;
    tag.logoH = 40;
    QCOMPARE(price_tags::forgetMissingLogo(tag), text);
    QCOMPARE(tag.logoName, told ? QString() : file);
    QCOMPARE(tag.logoW, told ? 0 : 120);
}

QTEST_GUILESS_MAIN(TestMissingLogo)
#include "tst_missing_logo.moc"
