#include "common/logo_ratio.h"

#include <QtTest>

using namespace common;

class TestLogoRatio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ratios_data();
    void ratios();
    void keptSide_data();
    void keptSide();
};

void TestLogoRatio::ratios_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<double>("heightPerWidth"); // -1: ratios left as they were
    QTest::newRow("200 x 100") << "200"
                               << "100" << QSize(200, 100) << 0.5;
    QTest::newRow("boxes differ from the picture") << "50"
                                                   << "50" << QSize(30, 90) << 3.0;
    QTest::newRow("width box 0") << "0"
                                 << "100" << QSize(200, 100) << -1.0;
    QTest::newRow("height box empty") << "200"
                                      << "" << QSize(200, 100) << -1.0;
    QTest::newRow("no picture") << "200"
                                << "100" << QSize() << -1.0;
}

void TestLogoRatio::ratios()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, picture);
    QFETCH(double, heightPerWidth);
    const std::optional<LogoRatios> r = SetComp(width, height, picture);
    QCOMPARE(r.has_value(), heightPerWidth >= 0);
    if (r) {
        QCOMPARE(r->heightPerWidth, heightPerWidth);
        QCOMPARE(r->widthPerHeight, 1.0 / heightPerWidth);
    }
}

void TestLogoRatio::keptSide_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QString>("other"); // empty: nothing set
    QTest::newRow("height 50 of 200 x 100") << "50" << 2.0 << "100";
    QTest::newRow("rounds half up") << "5" << 0.5 << "3";
    QTest::newRow("decimal typed") << "12.5" << 1.0 << "13";
    QTest::newRow("only a point") << "." << 2.0 << "";
    QTest::newRow("beyond 32 bits") << "99999999999" << 2.0 << "";
}

void TestLogoRatio::keptSide()
{
    QFETCH(QString, typed);
    QFETCH(double, ratio);
    QFETCH(QString, other);
    QCOMPARE(keptLogoSide(typed, ratio).value_or(QString()), other);
}

QTEST_APPLESS_MAIN(TestLogoRatio)
#include "tst_logo_ratio.moc"
