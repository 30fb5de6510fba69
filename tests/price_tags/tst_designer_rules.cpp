#include "price_tags/designer_rules.h"

#include <QtTest>

using namespace price_tags;

class TestDesignerRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void caption_data();
    void caption();
    void ratios_data();
    void ratios();
    void keptSide_data();
    void keptSide();
};

void TestDesignerRules::caption_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("none") << QString() << "貼付用値札作成ツール"
                          << " は更新されています.\r\n更新を保存しますか?";
    QTest::newRow("file") << "/home/a/値札/店頭.cdn"
                          << "貼付用値札作成ツール [店頭.cdn]"
                          << "店頭.cdn は更新されています.\r\n更新を保存しますか?";
}

void TestDesignerRules::caption()
{
    QFETCH(QString, file);
    QFETCH(QString, caption);
    QFETCH(QString, prompt);
    QCOMPARE(designerCaption(file), caption);
    QCOMPARE(savePromptText(file), prompt);
}

void TestDesignerRules::ratios_data()
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

void TestDesignerRules::ratios()
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

void TestDesignerRules::keptSide_data()
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

void TestDesignerRules::keptSide()
{
    QFETCH(QString, typed);
    QFETCH(double, ratio);
    QFETCH(QString, other);
    QCOMPARE(keptLogoSide(typed, ratio).value_or(QString()), other);
}

QTEST_APPLESS_MAIN(TestDesignerRules)
#include "tst_designer_rules.moc"
