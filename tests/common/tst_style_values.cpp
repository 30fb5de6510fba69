#include "common/style_values.h"

#include <QtTest>

// Values that reach a page's style sheet: what a hostile or broken file may hold.
class TestStyleValues : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void values_data();
    void values();
};

void TestStyleValues::values_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("colour upper") << "color"
                                  << "#FF00AA" << true;
    QTest::newRow("colour lower") << "color"
                                  << "#ff00aa" << true;
    QTest::newRow("colour name") << "color"
                                 << "red" << false;
    QTest::newRow("colour short") << "color"
                                  << "#FFF" << false;
    QTest::newRow("colour long") << "color"
                                 << "#FF00AA0" << false;
    QTest::newRow("colour escape") << "color"
                                   << "#FF0000;}</style><script>" << false;
    QTest::newRow("colour empty") << "color"
                                  << "" << false;
    QTest::newRow("size bare") << "size"
                               << "11" << true;
    QTest::newRow("size decimal") << "size"
                                  << "10.5" << true;
    QTest::newRow("size pt") << "size"
                             << "20pt" << true;
    QTest::newRow("size mm") << "size"
                             << "5mm" << true;
    QTest::newRow("size unit only") << "size"
                                    << "pt" << false;
    QTest::newRow("size two points") << "size"
                                     << "1.2.3" << false;
    QTest::newRow("size injected") << "size"
                                   << "9pt;color:red" << false;
    QTest::newRow("size negative") << "size"
                                   << "-3" << false;
    QTest::newRow("font japanese") << "font"
                                   << "ＭＳ Ｐゴシック" << true;
    QTest::newRow("font latin") << "font"
                                << "Noto Sans CJK JP" << true;
    QTest::newRow("font quote") << "font"
                                << "a\"}</style><script>alert(1)</script>" << false;
    QTest::newRow("font brace") << "font"
                                << "a}b" << false;
    QTest::newRow("font semicolon") << "font"
                                    << "a;b" << false;
    QTest::newRow("font backslash") << "font"
                                    << "a\\b" << false;
    QTest::newRow("font angle") << "font"
                                << "a<b" << false;
    QTest::newRow("font control") << "font" << QStringLiteral("a\tb") << false;
    QTest::newRow("font blank") << "font"
                                << "  " << false;
}

void TestStyleValues::values()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    bool rejected = false;
    QString kept;
    if (kind == QLatin1String("color"))
        kept = common::checkedColor(text, QStringLiteral("#000000"), &rejected);
    else if (kind == QLatin1String("size"))
        kept = common::checkedFontSize(text, QStringLiteral("#000000"), &rejected);
    else
        kept = common::checkedFontName(text, QStringLiteral("#000000"), &rejected);
    QCOMPARE(rejected, !accepted);
    QCOMPARE(kept, accepted ? text : QStringLiteral("#000000"));
}

QTEST_GUILESS_MAIN(TestStyleValues)
#include "tst_style_values.moc"
