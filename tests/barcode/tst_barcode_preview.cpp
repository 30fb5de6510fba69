#include "barcode/barcode.h"
#include "barcode/barcode_preview_widgets.h"
#include "barcode/preview.h"

#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

class TestBarcodePreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plan_data();
    void plan();
    void planLeavesCounterAlone();
    void imagesSideBySide();
    void noStaleImagesAfterShortCode();
    void missingFolderIsAnError();

private:
    QString barcodeFolder() const { return QStringLiteral(VENNLO_PROGRAM_DIR "/BarCode/"); }
};

void TestBarcodePreview::plan_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("optionType");
    QTest::addColumn<QString>("checkDigit");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("standard") << "456789123454" << 0 << "0"
                              << QStringList{"LB.bmp",   "5_L1.bmp", "6_L2.bmp", "7_L1.bmp", "8_L1.bmp",
                                             "9_L2.bmp", "1_L2.bmp", "CB.bmp",   "2_R.bmp",  "3_R.bmp",
                                             "4_R.bmp",  "5_R.bmp",  "4_R.bmp",  "0_R.bmp",  "RB.bmp"};
    QTest::newRow("short") << "1234567" << 1 << "0"
                           << QStringList{"LB.bmp",  "1_L1.bmp", "2_L1.bmp", "3_L1.bmp", "4_L1.bmp", "CB.bmp",
                                          "5_R.bmp", "6_R.bmp",  "7_R.bmp",  "0_R.bmp",  "RB.bmp"};
    QTest::newRow("five characters") << "12345" << 0 << "" << QStringList{};
    QTest::newRow("empty") << "" << 0 << "" << QStringList{};
    QTest::newRow("thirteen") << "4901234567894" << 0 << "" << QStringList{};
}

void TestBarcodePreview::plan()
{
    QFETCH(QString, field);
    QFETCH(int, optionType);
    QFETCH(QString, checkDigit);
    QFETCH(QStringList, names);
    const barcode::PreviewPlan p = barcode::previewPlan(field);
    QCOMPARE(p.optionType, optionType);
    QCOMPARE(p.showCheckDigit, !checkDigit.isEmpty());
    QCOMPARE(p.checkDigit, checkDigit);
    QCOMPARE(p.imageNames, names);
    QVERIFY(!p.error.isSet());
}

void TestBarcodePreview::planLeavesCounterAlone()
{
    barcode::resetCheckDigitCounter();
    barcode::previewPlan(QStringLiteral("456789123454"));
    QCOMPARE(barcode::checkDigitCounter(), 0);
    const barcode::PreviewPlan bad = barcode::previewPlan(QStringLiteral("45678912345X"));
    QCOMPARE(bad.error.number, platform::AppError::TypeMismatch);
    QVERIFY(bad.imageNames.isEmpty());
}

void TestBarcodePreview::imagesSideBySide()
{
    QFrame pic;
    barcode::BarcodePreview preview(&pic);
    const barcode::PreviewPlan p = barcode::previewPlan(QStringLiteral("456789123454"));
    platform::AppError error;
    QVERIFY2(preview.showImages(barcodeFolder(), p.imageNames, &error), qPrintable(error.description));
    QCOMPARE(preview.shownNames(), p.imageNames);
    pic.resize(400, 80);
    pic.show();
    QCoreApplication::processEvents();
    for (int k = 1; k < barcode::BarcodePreview::Slots; ++k) {
        const QLabel *prev = preview.image(k - 1);
        QCOMPARE(preview.image(k)->x(), prev->x() + prev->width());
    }
    QCOMPARE(preview.image(0)->width() > 0, true);
}

void TestBarcodePreview::noStaleImagesAfterShortCode()
{
    QFrame pic;
    barcode::BarcodePreview preview(&pic);
    platform::AppError error;
    QVERIFY(
        preview.showImages(barcodeFolder(), barcode::previewPlan(QStringLiteral("456789123454")).imageNames, &error));
    preview.ClearPreview();
    const QStringList shortNames = barcode::previewPlan(QStringLiteral("1234567")).imageNames;
    QVERIFY(preview.showImages(barcodeFolder(), shortNames, &error));
    const QStringList shown = preview.shownNames();
    QCOMPARE(shown.mid(0, 11), shortNames);
    for (int k = 11; k < 15; ++k) {
        QVERIFY(shown.at(k).isEmpty());
        QVERIFY(preview.image(k)->pixmap().isNull());
    }
}

void TestBarcodePreview::missingFolderIsAnError()
{
    QTemporaryDir empty;
    QFrame pic;
    barcode::BarcodePreview preview(&pic);
    platform::AppError error;
    QVERIFY(!preview.showImages(empty.filePath(QStringLiteral("BarCode")),
                                barcode::previewPlan(QStringLiteral("1234567")).imageNames, &error));
    QCOMPARE(error.number, platform::AppError::FileNotFound);
    QCOMPARE(platform::errorReportText(QStringLiteral("PreViewBarCode"), error)
                 .startsWith(QStringLiteral("エラーが発生しました(PreViewBarCode)\r\nエラー番号: 53\r\n内容: ")),
             true);
}

QTEST_MAIN(TestBarcodePreview)
#include "tst_barcode_preview.moc"
