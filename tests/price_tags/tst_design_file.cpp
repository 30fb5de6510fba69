#include "platform/profile_file.h"
#include "price_tags/design_file.h"
#include "price_tags/window_values.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace price_tags;

Q_DECLARE_METATYPE(price_tags::WindowValues)

namespace {

WindowValues distinctive()
{
    WindowValues f = builtInForm(BuiltInType::A);
    f.fontName = {QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAゴシック"),
                  QStringLiteral("Noto Sans CJK JP")};
    f.fontSize = {QStringLiteral("8pt"), QStringLiteral("10pt"), QStringLiteral("5mm"), QStringLiteral("7pt")};
    f.fontStyle = {QStringLiteral("斜体"), QStringLiteral("両方"), QStringLiteral("太字"), QStringLiteral("太字")};
    f.fontColor = {QStringLiteral("#112233"), QStringLiteral("#445566"), QStringLiteral("#778899"),
                   QStringLiteral("#AABBCC")};
    f.fontAlign = {QStringLiteral("右"), QStringLiteral("中央"), QStringLiteral("左"), QStringLiteral("右")};
    f.checkHinban = true;
    f.check2Dan = true;
    f.yMark = noMarkText();
    f.optionNum = 0;
    f.countW = QStringLiteral("4");
    f.countH = QStringLiteral("12");
    f.borderColor = QStringLiteral("#FF0000");
    f.checkLogo = true;
    f.logoFile = QStringLiteral(VENNLO_SOURCE_DIR "/resources/sample_logoC.gif");
    f.logoAlign = QStringLiteral("右揃え");
    f.logoWidth = QStringLiteral("120");
    f.logoHeight = QStringLiteral("30");
    f.checkCardHeight = true;
    f.cardHeight = QStringLiteral("25.5");
    f.checkCardWidth = true;
    f.cardWidth = QStringLiteral("40");
    f.padding = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    f.optionStyle = 1;
    f.janImageHeight = QStringLiteral("25");
    return f;
}

platform::ProfileFile written(const WindowValues &f)
{
    platform::ProfileFile file;
    WriteCDesign(f, file);
    return file;
}

} // namespace

class TestDesignFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void saveLoadSaveBytes();
    void newFileOrder();
    void pointSizesAndMillimetres();
    void colourTexts();
    void markOutsideTheListLeavesTheFile();
    void otherKeysSurvive();
    void nonNumericSizes();
    void olderFile();
    void missingStyleThree();
    void stops_data();
    void stops();
    void missingLogoStopsTheRead();
    void missingLogoInMemoryIsForgotten();
    void missingFileChangesNothing();
    void builtInDesigns_data();
    void builtInDesigns();
    void loadStepAndSetCValue();
    void setCValueConversions();
};

void TestDesignFile::roundTrip_data()
{
    QTest::addColumn<WindowValues>("form");
    QTest::newRow("type A") << builtInForm(BuiltInType::A);
    QTest::newRow("type B") << builtInForm(BuiltInType::B);
    QTest::newRow("everything changed") << distinctive();
    WindowValues yen = distinctive();
    yen.yMark = enMarkText();
    yen.checkCZeikomi = false;
    yen.checkLogo = false;
    QTest::newRow("円マーク, no tax note, logo off") << yen;
    WindowValues reduced = builtInForm(BuiltInType::A);
    reduced.checkReducedMark = true;
    QTest::newRow("※ after reduced-rate prices") << reduced;
}

void TestDesignFile::roundTrip()
{
    QFETCH(WindowValues, form);
    WindowValues start = builtInForm(form.optionStyle == 0 ? BuiltInType::B : BuiltInType::A);
    start.checkCZeikomi = !form.checkCZeikomi;
    const CDesignRead read = ReadCDesign(written(form), start);
    QVERIFY2(!read.error.isSet(), qPrintable(read.error.description));
    QVERIFY(read.stoppedAt.isEmpty());
    QCOMPARE(read.form, form);
}

void TestDesignFile::saveLoadSaveBytes()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.cdn")), b = dir.filePath(QStringLiteral("b.cdn"));
    QVERIFY(!WriteCDesign(distinctive(), a).isSet());
    const CDesignRead read = ReadCDesign(a, WindowValues());
    QVERIFY(!read.error.isSet());
    QVERIFY(!WriteCDesign(read.form, b).isSet());
    QFile fa(a), fb(b);
    QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
    const QByteArray bytes = fa.readAll();
    QCOMPARE(fb.readAll(), bytes);
    QVERIFY(bytes.contains("\r\n"));
    QVERIFY(bytes.contains("CFontName]\r\n0=\x82\x6c\x82\x72 \x96\xbe\x92\xa9\r\n")); // ＭＳ 明朝 in CP932
}

void TestDesignFile::newFileOrder()
{
    const platform::ProfileFile file = written(distinctive());
    QStringList sections;
    for (const QString &l : file.lines())
        if (l.startsWith(QLatin1Char('[')))
            sections << l;
    QCOMPARE(sections,
             (QStringList{"[CFontName]", "[CFontSize]", "[CFontStyle]", "[CFontColor]", "[CFontAlign]", "[CMake]",
                          "[CBun]", "[CLogo]", "[CHeight]", "[CWidth]", "[CPadding]", "[Style]", "[JAN]"}));
    const QStringList &lines = file.lines();
    const qsizetype mk = lines.indexOf(QStringLiteral("[CMake]"));
    QCOMPARE(lines.mid(mk + 1, 10),
             (QStringList{"LG=1", "HB=1", "HM=1", "YM=2", "ZK=1", "ZW=1", "JC=1", "JN=0", "Line=1", "LC=#FF0000"}));
    QCOMPARE(file.value("Style", "M"), QStringLiteral("1"));
    QCOMPARE(file.value("JAN", "CH"), QStringLiteral("25"));
    QCOMPARE(file.value("CPadding", "P3"), QStringLiteral("4"));
}

void TestDesignFile::pointSizesAndMillimetres()
{
    WindowValues f;
    f.fontSize = {QStringLiteral("12pt"), QStringLiteral("5mm"), QStringLiteral("10.5pt"), QStringLiteral("9pt")};
    const platform::ProfileFile file = written(f);
    QCOMPARE(file.value("CFontSize", "0"), QStringLiteral("12"));
    QCOMPARE(file.value("CFontSize", "1"), QStringLiteral("5mm"));
    QCOMPARE(file.value("CFontSize", "2"), QStringLiteral("10.5"));
    QCOMPARE(ReadCDesign(file, WindowValues()).form.fontSize, f.fontSize);
}

void TestDesignFile::colourTexts()
{
    WindowValues f;
    f.fontColor[1] = QStringLiteral("#80ff0a");
    f.borderColor = QStringLiteral("#abcdef");
    const platform::ProfileFile file = written(f);
    QCOMPARE(file.value("CFontColor", "1"), QStringLiteral("#80FF0A"));
    QCOMPARE(file.value("CMake", "LC"), QStringLiteral("#ABCDEF"));
    platform::ProfileFile lower;
    WriteCDesign(f, lower);
    lower.setValue("CFontColor", "2", "#00ff00");
    lower.setValue("CMake", "LC", "#0000ff");
    const CDesignRead r = ReadCDesign(lower, WindowValues());
    QCOMPARE(r.form.fontColor[2], QStringLiteral("#00FF00"));
    QCOMPARE(r.form.borderColor, QStringLiteral("#0000FF"));
}

void TestDesignFile::markOutsideTheListLeavesTheFile()
{
    platform::ProfileFile file = written(distinctive()); // YM=2
    WindowValues f = distinctive();
    f.yMark = QStringLiteral("ドル");
    WriteCDesign(f, file);
    QCOMPARE(file.value("CMake", "YM"), QStringLiteral("2"));
    platform::ProfileFile fresh;
    WriteCDesign(f, fresh);
    QVERIFY(!fresh.hasKey("CMake", "YM"));
}

void TestDesignFile::otherKeysSurvive()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.cdn"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[CMake]\r\nPR=1\r\nHB=0\r\n[Memo]\r\nA=b\r\n");
    f.close();
    QVERIFY(!WriteCDesign(distinctive(), path).isSet());
    platform::ProfileFile file(path);
    QVERIFY(file.load());
    QCOMPARE(file.value("CMake", "PR"), QStringLiteral("1"));
    QCOMPARE(file.value("CMake", "HB"), QStringLiteral("1"));
    QCOMPARE(file.value("Memo", "A"), QStringLiteral("b"));
    QCOMPARE(file.lines().at(1), QStringLiteral("PR=1"));
    QCOMPARE(file.lines().at(2), QStringLiteral("HB=1")); // replaced where it stood
}

void TestDesignFile::nonNumericSizes()
{
    WindowValues f;
    f.cardHeight = QStringLiteral("abc");
    f.cardWidth = QString();
    f.padding = {QStringLiteral("x"), QStringLiteral("1.5"), QString(), QStringLiteral("2")};
    const platform::ProfileFile file = written(f);
    QCOMPARE(file.value("CHeight", "H"), QStringLiteral("45"));
    QCOMPARE(file.value("CWidth", "W"), QStringLiteral("60"));
    QCOMPARE(file.value("CPadding", "P0"), QStringLiteral("0"));
    QCOMPARE(file.value("CPadding", "P1"), QStringLiteral("1.5"));
    QCOMPARE(file.value("CPadding", "P2"), QStringLiteral("0"));
    PriceTagDesign d;
    QVERIFY(!SetCValue(f, d).isSet());
    QCOMPARE(d.cardHeight, QStringLiteral("24"));
    QCOMPARE(d.cardWidth, QStringLiteral("30"));
    QCOMPARE(d.padding, (std::array<QString, 4>{"0", "1.5", "0", "2"}));
}

void TestDesignFile::olderFile()
{
    const CDesignRead r =
        ReadCDesign(QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/old_version.cdn"), distinctive());
    QVERIFY2(!r.error.isSet(), qPrintable(r.error.description));
    const WindowValues &f = r.form;
    QCOMPARE(f.padding, (std::array<QString, 4>{"2", "2", "2", "2"}));
    QCOMPARE(f.check2Dan, false);
    QCOMPARE(f.borderColor, QStringLiteral("#808080"));
    QCOMPARE(f.checkLogo, false);
    QCOMPARE(f.logoFile, QString());
    QCOMPARE(f.logoAlign, QStringLiteral("中央"));
    QCOMPARE(f.logoWidth, QStringLiteral("0"));
    QCOMPARE(f.logoHeight, QStringLiteral("0"));
    QCOMPARE(f.fontName[3], QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(f.fontSize[3], QStringLiteral("9pt"));
    QCOMPARE(f.fontStyle[3], QStringLiteral("通常"));
    QCOMPARE(f.fontColor[3], QStringLiteral("#000000"));
    QCOMPARE(f.fontAlign[3], QStringLiteral("左"));
    QCOMPARE(f.fontSize, (std::array<QString, 4>{"8pt", "10pt", "5mm", "9pt"}));
    QCOMPARE(f.fontName[0], QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(f.yMark, enMarkText());
    QCOMPARE(f.checkCZeikomi, false);
    QCOMPARE(f.optionNum, 0);
    QCOMPARE(f.checkCLine, false);
    QCOMPARE(f.countW, QStringLiteral("4"));
    QCOMPARE(f.countH, QStringLiteral("10"));
    QCOMPARE(f.checkCardHeight, true);
    QCOMPARE(f.cardHeight, QStringLiteral("20"));
    QCOMPARE(f.checkCardWidth, true);
    QCOMPARE(f.cardWidth, QStringLiteral("60"));
    QCOMPARE(f.optionStyle, 0);
    QCOMPARE(f.janImageHeight, QStringLiteral("40"));
    QCOMPARE(f.startPos, distinctive().startPos);
}

void TestDesignFile::missingStyleThree()
{
    platform::ProfileFile file;
    file.setValue("CMake", "HB", "0");
    file.setValue("CMake", "HM", "1");
    file.setValue("CMake", "YM", "0");
    file.setValue("CMake", "JC", "1");
    file.setValue("CMake", "JN", "1");
    file.setValue("CMake", "Line", "1");
    const CDesignRead r = ReadCDesign(file, distinctive());
    QVERIFY(!r.error.isSet());
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(r.form.fontName[i], QString());
        QCOMPARE(r.form.fontSize[i], QString());
        QCOMPARE(r.form.fontStyle[i], QString());
        QCOMPARE(r.form.fontColor[i], QStringLiteral("#000000")); // an empty swatch text is black
        QCOMPARE(r.form.fontAlign[i], QString());
    }
    QCOMPARE(r.form.fontName[3], QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(r.form.fontSize[3], QStringLiteral("9pt"));
    QCOMPARE(r.form.checkCZeikomi, distinctive().checkCZeikomi); // ZK missing: unchanged
    QCOMPARE(r.form.cardHeight, QStringLiteral("45"));
    QCOMPARE(r.form.cardWidth, QStringLiteral("60"));
    QCOMPARE(r.form.checkCardHeight, false);
}

void TestDesignFile::stops_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("number");
    QTest::newRow("HB empty") << "CMake"
                              << "HB"
                              << "" << 13;
    QTest::newRow("HB 5") << "CMake"
                          << "HB"
                          << "5" << 380;
    QTest::newRow("HM letters") << "CMake"
                                << "HM"
                                << "x" << 13;
    QTest::newRow("YM empty") << "CMake"
                              << "YM"
                              << "" << 13;
    QTest::newRow("JC letters") << "CMake"
                                << "JC"
                                << "a" << 13;
    QTest::newRow("JN empty") << "CMake"
                              << "JN"
                              << "" << 13;
    QTest::newRow("JN 2") << "CMake"
                          << "JN"
                          << "2" << 340;
    QTest::newRow("Line empty") << "CMake"
                                << "Line"
                                << "" << 13;
    QTest::newRow("Style 3") << "Style"
                             << "M"
                             << "3" << 340;
    QTest::newRow("Style letters") << "Style"
                                   << "M"
                                   << "B" << 13;
}

void TestDesignFile::stops()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, number);
    const WindowValues stored = distinctive();
    platform::ProfileFile file = written(stored);
    file.setValue(section, key, value);
    const WindowValues current = builtInForm(BuiltInType::A);
    const CDesignRead r = ReadCDesign(file, current);
    QCOMPARE(r.error.number, number);
    QCOMPARE(r.stoppedAt, QStringLiteral("[%1] %2").arg(section, key));
    QVERIFY(r.error.description.endsWith(QStringLiteral(" ([%1] %2)").arg(section, key)));
    // The steps before the failing key were applied, the ones after it were not.
    const QStringList order{"HB", "HM", "YM", "JC", "JN", "Line", "M"};
    const qsizetype at = order.indexOf(key);
    QCOMPARE(r.form.checkHinban, at > 0 ? stored.checkHinban : current.checkHinban);
    QCOMPARE(r.form.fontName[0], at > 1 ? stored.fontName[0] : current.fontName[0]);
    QCOMPARE(r.form.check2Dan, at > 1 ? stored.check2Dan : current.check2Dan);
    QCOMPARE(r.form.yMark, at > 2 ? stored.yMark : current.yMark);
    QCOMPARE(r.form.countW, at > 4 ? stored.countW : current.countW);
    QCOMPARE(r.form.padding, at > 5 ? stored.padding : current.padding);
    QCOMPARE(r.form.janImageHeight, current.janImageHeight);
}

void TestDesignFile::missingLogoStopsTheRead()
{
    platform::ProfileFile file = written(distinctive());
    const QString gone = QStringLiteral(VENNLO_SOURCE_DIR "/resources/no such logo.gif");
    file.setValue("CLogo", "Name", gone);
    const CDesignRead r = ReadCDesign(file, builtInForm(BuiltInType::B));
    QCOMPARE(r.error.number, 53);
    QCOMPARE(r.stoppedAt, QStringLiteral("[CLogo] Name"));
    QCOMPARE(r.form.logoFile, gone); // set before the picture was loaded
    QCOMPARE(r.form.checkLogo, true);
    QCOMPARE(r.form.cardWidth, QStringLiteral("56")); // the steps after it did not run
    file.setValue("CLogo", "Name", "");
    QVERIFY(!ReadCDesign(file, builtInForm(BuiltInType::B)).error.isSet());
}

void TestDesignFile::missingLogoInMemoryIsForgotten()
{
    PriceTagDesign d;
    d.showLogo = true;
    d.logoName = QStringLiteral(VENNLO_SOURCE_DIR "/resources/no such logo.gif");
    d.logoW = 120;
    d.logoH = 40;
    QCOMPARE(forgetMissingLogo(d), logoNotFoundText(QStringLiteral(VENNLO_SOURCE_DIR "/resources/no such logo.gif")));
    QCOMPARE(d.logoName, QString());
    QCOMPARE(d.logoW, 0);
    QCOMPARE(d.logoH, 0);
    QCOMPARE(d.showLogo, 1);
    d.logoName = QStringLiteral(VENNLO_SOURCE_DIR "/resources/sample_logoC.gif");
    QCOMPARE(forgetMissingLogo(d), QString());
    QCOMPARE(d.logoName, QStringLiteral(VENNLO_SOURCE_DIR "/resources/sample_logoC.gif"));
    d.showLogo = false;
    d.logoName = QStringLiteral("/nowhere.gif");
    QCOMPARE(forgetMissingLogo(d), QString());
}

void TestDesignFile::missingFileChangesNothing()
{
    QTemporaryDir dir;
    const CDesignRead r = ReadCDesign(dir.filePath(QStringLiteral("none.cdn")), distinctive());
    QVERIFY(!r.error.isSet());
    QCOMPARE(r.form, distinctive());
}

void TestDesignFile::builtInDesigns_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QString>("cardHeight");
    QTest::addColumn<QString>("cardWidth");
    QTest::newRow("A") << 0 << 5 << 9 << "24"
                       << "30";
    QTest::newRow("B") << 1 << 3 << 14 << "18"
                       << "56";
}

void TestDesignFile::builtInDesigns()
{
    QFETCH(int, type);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QString, cardHeight);
    QFETCH(QString, cardWidth);
    const PriceTagDesign d = builtInDesign(BuiltInType(type));
    QCOMPARE(d.countW, w);
    QCOMPARE(d.countH, h);
    QCOMPARE(d.cardHeight, cardHeight);
    QCOMPARE(d.cardWidth, cardWidth);
    QCOMPARE(d.layoutType, type);
    QCOMPARE(d.priceMark, 0);
    QCOMPARE(d.showItemCode, 0);
    QCOMPARE(d.showName, 1);
    QCOMPARE(d.showTaxNote, 1);
    QCOMPARE(d.twoTier, 0);
    QCOMPARE(d.showBarcode, 1);
    QCOMPARE(d.showDigits, 1);
    QCOMPARE(d.ruledLine, 1);
    QCOMPARE(d.showLogo, 0);
    QCOMPARE(d.lineColor, QStringLiteral("#808080"));
    QCOMPARE(d.fontSize, (std::array<QString, 4>{"9pt", "9pt", "12pt", "9pt"}));
    QCOMPARE(d.fontStyle, (std::array<QString, 4>{"通常", "通常", "太字", "通常"}));
    QCOMPARE(d.fontAlign, (std::array<QString, 4>{"左", "左", "中央", "左"}));
    QCOMPARE(d.barcodeHeight, 40);
    // The menu command's controls give the same design in memory.
    WindowValues edited = distinctive();
    edited.startPos = QStringLiteral("1");
    PriceTagDesign fromForm;
    QVERIFY(!SetCValue(builtInForm(BuiltInType(type), edited), fromForm).isSet());
    QCOMPARE(fromForm, d);
}

void TestDesignFile::loadStepAndSetCValue()
{
    PriceTagDesign d; // the settings-file defaults: 円マーク
    WindowValues f = loadWindowValues(d);
    QCOMPARE(f.yMark, enMarkText());
    QCOMPARE(f.startPos, QStringLiteral("1"));
    PriceTagDesign back;
    back.priceMark = 2;
    QVERIFY(!SetCValue(f, back).isSet());
    QCOMPARE(back, d);

    d.cardHeight = QStringLiteral("x");
    d.cardWidth = QString();
    d.padding[2] = QStringLiteral("?");
    d.priceMark = 7;
    d.showLogo = true;
    d.logoName = QStringLiteral("/tmp/logo.gif");
    d.logoW = 10;
    d.logoH = 5;
    f = loadWindowValues(d);
    QCOMPARE(f.cardHeight, QStringLiteral("24"));
    QCOMPARE(f.cardWidth, QStringLiteral("30"));
    QCOMPARE(f.padding[2], QStringLiteral("0"));
    QCOMPARE(f.yMark, yenMarkText());
    QCOMPARE(f.logoFile, QStringLiteral("/tmp/logo.gif"));
    QCOMPARE(f.logoWidth, QStringLiteral("10"));
    QCOMPARE(logoNotFoundText(QStringLiteral("C:\\a.gif")),
             QStringLiteral("ロゴ用の画像\r\nC:\\a.gif\r\nが見つかりませんでした."));
}

void TestDesignFile::setCValueConversions()
{
    WindowValues f;
    PriceTagDesign d;
    f.yMark = yenMarkText();
    QVERIFY(!SetCValue(f, d).isSet());
    QCOMPARE(d.priceMark, 0);
    f.yMark = QStringLiteral("その他");
    QVERIFY(!SetCValue(f, d).isSet());
    QCOMPARE(d.priceMark, 2);
    f.countW.clear();
    f.optionNum = -1;
    d.showDigits = false;
    f.startPos = QStringLiteral("4");
    QVERIFY(!SetCValue(f, d).isSet());
    QCOMPARE(d.countW, 0);
    QCOMPARE(d.countH, 0);
    QCOMPARE(d.showDigits, 0);
    QCOMPARE(d.startOffset, 3);
    f.janImageHeight = QStringLiteral("abc");
    QCOMPARE(SetCValue(f, d).number, 13);
}

QTEST_GUILESS_MAIN(TestDesignFile)
#include "tst_design_file.moc"
