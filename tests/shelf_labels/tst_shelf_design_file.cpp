#include "platform/apperror.h"
#include "platform/cp932.h"
#include "shelf_labels/design_file.h"
#include "shelf_labels/window_values.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace shelf_labels;

using Edits = QMap<QString, QString>;
using Change = std::function<void(shelf_labels::WindowValues &)>;
Q_DECLARE_METATYPE(Change)

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(VENNLO_TEST_DATA_DIR "/shelf_labels/") + QLatin1String(name);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The hand-written type A file with some keys changed, removed ("Section/Key" → null) or added at the
// end of their section.
QByteArray editedDefaults(const QMap<QString, QString> &edits)
{
    const QString text = platform::cp932::decode(readBytes(dataFile("typeA_defaults.hdn")));
    QStringList out;
    QString section;
    QMap<QString, QString> pending = edits;
    auto flushSection = [&] {
        for (auto it = pending.begin(); it != pending.end();) {
            if (it.key().section(QLatin1Char('/'), 0, 0) == section) {
                if (!it.value().isNull())
                    out << it.key().section(QLatin1Char('/'), 1) + QLatin1Char('=') + it.value();
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
    };
    for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('['))) {
            flushSection();
            section = line.mid(1, line.size() - 2);
            out << line;
            continue;
        }
        const QString id = section + QLatin1Char('/') + line.left(line.indexOf(QLatin1Char('=')));
        if (pending.contains(id)) {
            const QString v = pending.take(id);
            if (!v.isNull())
                out << id.section(QLatin1Char('/'), 1) + QLatin1Char('=') + v;
            continue;
        }
        out << line;
    }
    flushSection();
    return platform::cp932::encode(out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).bytes;
}

QString field(const WindowValues &v, const QString &name)
{
    const ShelfLabelDesign &d = v.design;
    if (name == QLatin1String("padding"))
        return QStringList{d.padding.begin(), d.padding.end()}.join(QLatin1Char(','));
    if (name == QLatin1String("border"))
        return d.borderStyle + QLatin1Char(',') + d.borderWidth + QLatin1Char(',') + d.borderColor;
    if (name == QLatin1String("lineColor"))
        return d.lineColor;
    if (name == QLatin1String("cardHeight"))
        return QString::number(d.cardHeightFixed) + QLatin1Char(',') + d.cardHeight;
    if (name == QLatin1String("cardWidth"))
        return QString::number(d.cardWidthFixed) + QLatin1Char(',') + d.cardWidth;
    if (name == QLatin1String("layout"))
        return QString::number(d.layoutType);
    if (name == QLatin1String("barcodeHeight"))
        return QString::number(d.barcodeHeight);
    if (name == QLatin1String("logo"))
        return QStringList{QString::number(d.showLogo), d.logoName, d.logoAlign, d.logoW, d.logoH}.join(
            QLatin1Char(','));
    if (name == QLatin1String("sizes")) {
        QStringList s;
        for (const AreaStyle &a : d.area)
            s << a.fontSize;
        return s.join(QLatin1Char(','));
    }
    if (name == QLatin1String("colors")) {
        QStringList s;
        for (int i = 0; i < 6; ++i)
            s << d.area[i].color;
        return s.join(QLatin1Char(',')) + QLatin1Char('/') + d.headerColor;
    }
    if (name == QLatin1String("priceMark"))
        return QString::number(d.priceMark);
    if (name == QLatin1String("division"))
        return d.countW + QLatin1Char('x') + d.countH;
    if (name == QLatin1String("tax"))
        return QString::number(v.taxStyle) + QLatin1Char(',') + QString::number(v.zeikomi);
    return QStringLiteral("<unknown field %1>").arg(name);
}

// Start values that differ from the type A file in every field ReadDesign sets.
WindowValues distinctStart()
{
    WindowValues v = SetDefaultB();
    for (AreaStyle &a : v.design.area)
        a = AreaStyle{QStringLiteral("Start"), QStringLiteral("9pt"), QStringLiteral("斜体"), QStringLiteral("#010101"),
                      QStringLiteral("右")};
    // The price mark's style has no colour and alignment of its own.
    v.design.area[6].color.clear();
    v.design.area[6].align.clear();
    v.design.headerText = QStringLiteral("START");
    v.design.cutLine = false;
    v.design.priceMark = 1;
    v.taxStyle = 0;
    v.design.showHeader = true;
    v.zeikomi = 0;
    v.design.showItemCode = true;
    v.design.showRemarks = true;
    v.design.showBarcode = false;
    v.design.showDigits = false;
    v.design.countW = QStringLiteral("7");
    return v;
}

} // namespace

class TestShelfDesignFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void borderWords_data();
    void borderWords();
    void newFileHasTheDesignersLayout();
    void readsTheTypeAFile();
    void roundTrip_data();
    void roundTrip();
    void fallbacks_data();
    void fallbacks();
    void stopsAtMissingNumber_data();
    void stopsAtMissingNumber();
    void existingFileKeepsOtherKeys();
    void missingFileChangesNothing();
    void writeFailures();
    void shippedSample();
    void colorTexts_data();
    void colorTexts();
};

void TestShelfDesignFile::defaults()
{
    const WindowValues a = SetDefaultA();
    QCOMPARE(a.design, ShelfLabelDesign());
    QCOMPARE(a.taxStyle, 2);
    QCOMPARE(a.zeikomi, 1);
    QCOMPARE(a.design.countW, QStringLiteral("3"));
    QCOMPARE(a.design.countH, QStringLiteral("4"));
    const WindowValues b = SetDefaultB();
    QCOMPARE(b.design.countW, QStringLiteral("2"));
    QCOMPARE(b.design.countH, QStringLiteral("8"));
    QCOMPARE(b.design.cardHeight, QStringLiteral("28"));
    QCOMPARE(b.design.cardWidth, QStringLiteral("80"));
    QCOMPARE(b.design.layoutType, 1);
    // Everything else is type A.
    ShelfLabelDesign rest = b.design;
    rest.countW = a.design.countW;
    rest.countH = a.design.countH;
    rest.cardHeight = a.design.cardHeight;
    rest.cardWidth = a.design.cardWidth;
    rest.layoutType = 0;
    QCOMPARE(rest, a.design);
    QCOMPARE(b.taxStyle, 2);
    QCOMPARE(b.zeikomi, 1);
}

void TestShelfDesignFile::borderWords_data()
{
    QTest::addColumn<QString>("css");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("written");
    QTest::newRow("solid") << "solid"
                           << "実線"
                           << "solid";
    QTest::newRow("double") << "double"
                            << "二重線"
                            << "double";
    QTest::newRow("dotted") << "dotted"
                            << "点線"
                            << "dotted";
    QTest::newRow("dashed") << "dashed"
                            << "破線"
                            << "dashed";
    QTest::newRow("ridge") << "ridge"
                           << "稜線"
                           << "ridge";
    QTest::newRow("groove") << "groove"
                            << "溝線"
                            << "groove";
    QTest::newRow("outset") << "outset"
                            << "凸線"
                            << "outset";
    QTest::newRow("inset") << "inset"
                           << "凹線"
                           << "inset";
    QTest::newRow("none") << "none"
                          << "(枠飾りなし)"
                          << "none";
    QTest::newRow("empty") << ""
                           << "(枠飾りなし)"
                           << "none";
    QTest::newRow("unknown") << "wavy"
                             << "(枠飾りなし)"
                             << "none";
    QTest::newRow("case matters") << "Solid"
                                  << "(枠飾りなし)"
                                  << "none";
}

void TestShelfDesignFile::borderWords()
{
    QFETCH(QString, css);
    QFETCH(QString, combo);
    QFETCH(QString, written);
    QCOMPARE(borderComboText(css), combo);
    QCOMPARE(borderCssWord(combo), written);
    QCOMPARE(knownBorderWord(css), written);
}

void TestShelfDesignFile::newFileHasTheDesignersLayout()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.hdn"));
    platform::AppError error;
    QVERIFY2(WriteDesign(SetDefaultA(), path, &error), qPrintable(error.description));
    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes, readBytes(dataFile("typeA_defaults.hdn")));
    QVERIFY(bytes.startsWith(platform::cp932::encode(QStringLiteral("[FontName]\r\n0=ＭＳ Ｐゴシック\r\n")).bytes));
    QVERIFY(bytes.contains("[FontSize]\r\n0=20\r\n1=12\r\n2=12\r\n3=34\r\n4=12\r\n5=12\r\n6=34\r\n"));
    QVERIFY(!bytes.contains("\r\nB="));
}

void TestShelfDesignFile::readsTheTypeAFile()
{
    const DesignRead r = ReadDesign(dataFile("typeA_defaults.hdn"), distinctStart());
    QVERIFY(r.fileFound);
    QVERIFY2(!r.error.isSet(), qPrintable(r.error.description));
    QCOMPARE(r.values, SetDefaultA());
}

void TestShelfDesignFile::roundTrip_data()
{
    QTest::addColumn<Change>("change");
    using F = Change;
    QTest::newRow("type A") << F([](WindowValues &) {});
    QTest::newRow("type B") << F([](WindowValues &v) { v = SetDefaultB(); });
    QTest::newRow("millimetre size") << F([](WindowValues &v) {
        v.design.area[2].fontSize = QStringLiteral("5mm");
        v.design.area[6].fontSize = QStringLiteral("7.5mm");
    });
    QTest::newRow("everything on") << F([](WindowValues &v) {
        ShelfLabelDesign &d = v.design;
        d.showHeader = true;
        d.headerText = QStringLiteral("本日限り");
        d.headerColor = QStringLiteral("#00FF00");
        d.cutLine = false;
        d.lineColor = QStringLiteral("#123ABC");
        d.countW = QStringLiteral("5");
        d.countH = QStringLiteral("10");
        d.priceMark = 2;
        d.showItemCode = true;
        d.showRemarks = true;
        d.showBarcode = false;
        d.showDigits = false;
        d.showLogo = true;
        d.logoName = QStringLiteral("/home/shop/値札データ/sample_logo.gif");
        d.logoAlign = QStringLiteral("右");
        d.logoW = QStringLiteral("120");
        d.logoH = QStringLiteral("40");
        d.borderStyle = QStringLiteral("groove");
        d.borderWidth = QStringLiteral("2.5");
        d.borderColor = QStringLiteral("#ABCDEF");
        d.cardHeightFixed = true;
        d.cardHeight = QStringLiteral("30.5");
        d.cardWidthFixed = true;
        d.cardWidth = QStringLiteral("55");
        d.padding = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4.5")};
        d.layoutType = 1;
        d.barcodeHeight = 25;
        d.area[1] = AreaStyle{QStringLiteral("IPAGothic"), QStringLiteral("9pt"), QStringLiteral("両方"),
                              QStringLiteral("#FEDCBA"), QStringLiteral("中央")};
        v.taxStyle = 4;
        v.zeikomi = 0;
    });
    QTest::newRow("yen mark, style 0") << F([](WindowValues &v) {
        v.design.priceMark = 1;
        v.taxStyle = 0;
    });
    QTest::newRow("※ after reduced-rate prices") << F([](WindowValues &v) { v.design.reducedMark = true; });
    QTest::newRow("style 3, empty header") << F([](WindowValues &v) {
        v.taxStyle = 3;
        v.design.headerText.clear();
    });
}

void TestShelfDesignFile::roundTrip()
{
    QFETCH(Change, change);
    WindowValues v = SetDefaultA();
    change(v);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.hdn"));
    QVERIFY(WriteDesign(v, path));
    const DesignRead r = ReadDesign(path, distinctStart());
    QVERIFY2(!r.error.isSet(), qPrintable(r.error.description));
    QCOMPARE(r.values, v);
    // Writing what was read gives the same bytes again.
    const QString again = dir.filePath(QStringLiteral("again.hdn"));
    QVERIFY(WriteDesign(r.values, again));
    QCOMPARE(readBytes(again), readBytes(path));
}

void TestShelfDesignFile::fallbacks_data()
{
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    using M = QMap<QString, QString>;
    const QString gone; // null: the key is removed
    const auto noPadding = [&gone](M m) {
        for (int i = 0; i < 4; ++i)
            m.insert(QStringLiteral("CPadding/P%1").arg(i), gone);
        return m;
    };
    QTest::newRow("old padding key") << noPadding({{"CPadding/P", "2"}}) << "padding"
                                     << "2,2,2,2";
    QTest::newRow("P0 and old key") <<
        [&] {
            M m = noPadding({{"CPadding/P", "2"}});
            m.insert("CPadding/P0", "1");
            return m;
        }() << "padding"
                                    << "1,2,2,2";
    QTest::newRow("text paddings") << M{{"CPadding/P0", "a"}, {"CPadding/P1", ""}, {"CPadding/P", "x"}} << "padding"
                                   << "0,0,0,0";
    QTest::newRow("no paddings at all") << noPadding({}) << "padding"
                                        << "0,0,0,0";
    QTest::newRow("border none") << M{{"Border/S", "none"}} << "border"
                                 << "none,0,#FFFFFF";
    QTest::newRow("border unknown word") << M{{"Border/S", "wavy"}} << "border"
                                         << "none,0,#FFFFFF";
    QTest::newRow("border dotted") << M{{"Border/S", "dotted"}, {"Border/W", "3"}, {"Border/C", "#00ff00"}} << "border"
                                   << "dotted,3,#00FF00";
    QTest::newRow("border keys missing") << M{{"Border/S", gone}, {"Border/W", gone}, {"Border/C", gone}} << "border"
                                         << "none,0,#FFFFFF";
    QTest::newRow("border width text") << M{{"Border/S", "solid"}, {"Border/W", "thin"}} << "border"
                                       << "solid,0,#FFFFFF";
    QTest::newRow("line colour missing") << M{{"Line/Color", gone}} << "lineColor"
                                         << "#808080";
    QTest::newRow("line colour lower case") << M{{"Line/Color", "#abcdef"}} << "lineColor"
                                            << "#ABCDEF";
    QTest::newRow("height fixed, text") << M{{"CHeight/S", "1"}, {"CHeight/H", "abc"}} << "cardHeight"
                                        << "1,45";
    QTest::newRow("height flag 2") << M{{"CHeight/S", "2"}, {"CHeight/H", "30"}} << "cardHeight"
                                   << "0,30";
    QTest::newRow("width missing") << M{{"CWidth/S", gone}, {"CWidth/W", gone}} << "cardWidth"
                                   << "0,60";
    QTest::newRow("layout missing") << M{{"Style/M", gone}} << "layout"
                                    << "0";
    QTest::newRow("layout B") << M{{"Style/M", "1"}} << "layout"
                              << "1";
    QTest::newRow("barcode height missing") << M{{"JAN/TH", gone}} << "barcodeHeight"
                                            << "40";
    QTest::newRow("barcode height text") << M{{"JAN/TH", "tall"}} << "barcodeHeight"
                                         << "40";
    QTest::newRow("barcode height 25") << M{{"JAN/TH", "25"}} << "barcodeHeight"
                                       << "25";
    QTest::newRow("logo switch missing")
        << M{{"Make/LG", gone}, {"Logo/Name", "/x/logo.gif"}, {"Logo/Align", "右"}, {"Logo/W", "10"}, {"Logo/H", "20"}}
        << "logo"
        << "0,,中央,0,0";
    QTest::newRow("logo on") << M{{"Make/LG", "1"},
                                  {"Logo/Name", "C:\\ロゴ\\a.gif"},
                                  {"Logo/Align", "左"},
                                  {"Logo/W", "10"},
                                  {"Logo/H", "abc"}}
                             << "logo"
                             << "1,C:\\ロゴ\\a.gif,左,10,abc";
    QTest::newRow("millimetre and point sizes")
        << M{{"FontSize/0", "5mm"}, {"FontSize/6", "20pt"}, {"FontSize/3", ""}} << "sizes"
        << "5mm,12pt,12pt,pt,12pt,12pt,20ptpt";
    QTest::newRow("colour texts") << M{{"FontColor/0", "#ff00aa"}, {"FontColor/1", ""}, {"BackColor/H", "red"}}
                                  << "colors"
                                  << "#FF00AA,#000000,#000000,#FF0000,#000000,#000000/#ED0000";
    QTest::newRow("price mark none") << M{{"YMark/Y", "2"}} << "priceMark"
                                     << "2";
    QTest::newRow("price mark unknown keeps start") << M{{"YMark/Y", "5"}} << "priceMark"
                                                    << "1";
    QTest::newRow("typed division kept as text") << M{{"Bunkatsu/W", "13"}, {"Bunkatsu/H", "abc"}} << "division"
                                                 << "13xabc";
    QTest::newRow("tax style 4, base display") << M{{"Tax/Style", "4"}, {"Tax/Zeikomi", "0"}} << "tax"
                                               << "4,0";
}

void TestShelfDesignFile::fallbacks()
{
    QFETCH(Edits, edits);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edited.hdn"));
    writeBytes(path, editedDefaults(edits));
    const DesignRead r = ReadDesign(path, distinctStart());
    QVERIFY(r.fileFound);
    QVERIFY2(!r.error.isSet(), qPrintable(r.error.description));
    QCOMPARE(::field(r.values, field), expected);
}

void TestShelfDesignFile::stopsAtMissingNumber_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // null: removed
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("readUpTo"); // the last field set before the stop
    const QString head = QStringLiteral("エラーが発生しました(frmTanafuda.ReadDesign)\r\nエラー番号: ");
    const QString mismatch = QStringLiteral("13\r\n内容: 型が一致しません。");
    QTest::newRow("Line/line") << "Line/line" << QString() << head + mismatch + " ([Line] line)"
                               << "header";
    QTest::newRow("YMark/Y") << "YMark/Y" << QString() << head + mismatch + " ([YMark] Y)"
                             << "division";
    QTest::newRow("Tax/Style") << "Tax/Style" << QString() << head + mismatch + " ([Tax] Style)"
                               << "priceMark";
    QTest::newRow("Header/check") << "Header/check" << QString() << head + mismatch + " ([Header] check)"
                                  << "taxStyle";
    QTest::newRow("Tax/Zeikomi") << "Tax/Zeikomi" << QString() << head + mismatch + " ([Tax] Zeikomi)"
                                 << "showHeader";
    QTest::newRow("Make/GN") << "Make/GN" << QString() << head + mismatch + " ([Make] GN)"
                             << "zeikomi";
    QTest::newRow("Make/Alt") << "Make/Alt" << QString() << head + mismatch + " ([Make] Alt)"
                              << "showItemCode";
    QTest::newRow("Make/BC") << "Make/BC" << QString() << head + mismatch + " ([Make] BC)"
                             << "showRemarks";
    QTest::newRow("Make/JN") << "Make/JN" << QString() << head + mismatch + " ([Make] JN)"
                             << "showBarcode";
    QTest::newRow("Make/GN text") << "Make/GN"
                                  << "yes" << head + mismatch + " ([Make] GN)"
                                  << "zeikomi";
    QTest::newRow("tax style 9") << "Tax/Style"
                                 << "9" << head + "340\r\n内容: コントロール配列の要素 9 は存在しません。 ([Tax] Style)"
                                 << "priceMark";
    QTest::newRow("JN 2") << "Make/JN"
                          << "2" << head + "340\r\n内容: コントロール配列の要素 2 は存在しません。 ([Make] JN)"
                          << "showBarcode";
    QTest::newRow("header check 2") << "Header/check"
                                    << "2" << head + "380\r\n内容: プロパティの値が不正です。 ([Header] check)"
                                    << "taxStyle";
}

void TestShelfDesignFile::stopsAtMissingNumber()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, report);
    QFETCH(QString, readUpTo);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.hdn"));
    writeBytes(path, editedDefaults({{key, value}}));
    const WindowValues start = distinctStart();
    const DesignRead r = ReadDesign(path, start);
    QVERIFY(r.fileFound);
    QVERIFY(r.error.isSet());
    QCOMPARE(platform::errorReportText(readDesignLabel(), r.error), report);

    // The fields in reading order; those up to readUpTo come from the file, the rest keep the start values.
    const WindowValues file = SetDefaultA();
    const QList<std::pair<QString, std::function<bool(const WindowValues &, const WindowValues &)>>> order{
        {"header",
         [](auto &a, auto &b) { return a.design.area == b.design.area && a.design.headerText == b.design.headerText; }},
        {"division",
         [](auto &a, auto &b) { return a.design.cutLine == b.design.cutLine && a.design.countW == b.design.countW; }},
        {"priceMark", [](auto &a, auto &b) { return a.design.priceMark == b.design.priceMark; }},
        {"taxStyle", [](auto &a, auto &b) { return a.taxStyle == b.taxStyle; }},
        {"showHeader", [](auto &a, auto &b) { return a.design.showHeader == b.design.showHeader; }},
        {"zeikomi", [](auto &a, auto &b) { return a.zeikomi == b.zeikomi; }},
        {"showItemCode", [](auto &a, auto &b) { return a.design.showItemCode == b.design.showItemCode; }},
        {"showRemarks", [](auto &a, auto &b) { return a.design.showRemarks == b.design.showRemarks; }},
        {"showBarcode", [](auto &a, auto &b) { return a.design.showBarcode == b.design.showBarcode; }},
        {"showDigits", [](auto &a, auto &b) { return a.design.showDigits == b.design.showDigits; }},
    };
    bool fromFile = true;
    for (const auto &[name, same] : order) {
        QVERIFY2(same(r.values, fromFile ? file : start), qPrintable(name));
        if (name == readUpTo)
            fromFile = false;
    }
    QCOMPARE(r.values.design.cardWidth, start.design.cardWidth);
}

void TestShelfDesignFile::existingFileKeepsOtherKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.hdn"));
    writeBytes(path, platform::cp932::encode(QStringLiteral("[Style]\r\nM=1\r\nNote=古い版\r\n[CPadding]\r\nP=3\r\n"
                                                            "[BackColor]\r\nB=#000000\r\nH=#0000FF\r\n"))
                         .bytes);
    QVERIFY(WriteDesign(SetDefaultA(), path));
    const QString text = platform::cp932::decode(readBytes(path));
    QVERIFY2(text.startsWith(
                 QStringLiteral("[Style]\r\nM=0\r\nNote=古い版\r\n[CPadding]\r\nP=3\r\nP0=0\r\nP1=0\r\nP2=0\r\nP3=0\r\n"
                                "[BackColor]\r\nB=#000000\r\nH=#FF0000\r\n[FontName]\r\n")),
             qPrintable(text));
    const DesignRead r = ReadDesign(path);
    QVERIFY(!r.error.isSet());
    QCOMPARE(r.values, SetDefaultA());
}

void TestShelfDesignFile::missingFileChangesNothing()
{
    QTemporaryDir dir;
    const WindowValues start = distinctStart();
    DesignRead r = ReadDesign(dir.filePath(QStringLiteral("none.hdn")), start);
    QVERIFY(!r.fileFound);
    QVERIFY(!r.error.isSet());
    QCOMPARE(r.values, start);
    r = ReadDesign(QString(), start);
    QVERIFY(!r.fileFound);
    QCOMPARE(r.values, start);
}

void TestShelfDesignFile::writeFailures()
{
    QTemporaryDir dir;
    platform::AppError error;
    QVERIFY(!WriteDesign(SetDefaultA(), dir.filePath(QStringLiteral("no/such/dir/a.hdn")), &error));
    QCOMPARE(error.number, 76);

    const QString path = dir.filePath(QStringLiteral("a.hdn"));
    QVERIFY(WriteDesign(SetDefaultA(), path));
    const QByteArray before = readBytes(path);
    WindowValues v = SetDefaultA();
    v.design.headerText = QStringLiteral("☕セール");
    error = {};
    QVERIFY(!WriteDesign(v, path, &error));
    QCOMPARE(error.number, 380);
    QCOMPARE(platform::errorReportText(writeDesignLabel(), error),
             QStringLiteral("エラーが発生しました(frmTanafuda.WriteDesign)\r\nエラー番号: 380\r\n"
                            "内容: Shift_JIS で保存できない文字が含まれています。"));
    QCOMPARE(readBytes(path), before);
}

void TestShelfDesignFile::shippedSample()
{
    // The business-card design shipped with the program reads completely and writes back unchanged.
    const QString sample = QStringLiteral(VENNLO_SOURCE_DIR "/resources/名刺カードサンプル.hdn");
    const DesignRead r = ReadDesign(sample);
    QVERIFY(r.fileFound);
    QVERIFY2(!r.error.isSet(), qPrintable(r.error.description));
    QCOMPARE(r.values.design.countW, QStringLiteral("2"));
    QCOMPARE(r.values.design.countH, QStringLiteral("5"));
    QCOMPARE(r.values.design.cardWidth, QStringLiteral("91"));
    QCOMPARE(r.values.design.area[0].fontSize, QStringLiteral("14pt"));
    QCOMPARE(r.values.design.barcodeHeight, 30);
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.hdn"));
    QVERIFY(WriteDesign(r.values, copy));
    QCOMPARE(readBytes(copy), readBytes(sample));
}

void TestShelfDesignFile::colorTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("upper") << "#FF0000"
                           << "#FF0000";
    QTest::newRow("lower") << "#0000ff"
                           << "#0000FF";
    QTest::newRow("empty") << ""
                           << "#000000";
    QTest::newRow("short") << "#12"
                           << "#120000";
    QTest::newRow("not hex") << "#GG00ZZ"
                             << "#000000";
    QTest::newRow("markup") << "\"><script>"
                            << "#000C00";
}

void TestShelfDesignFile::colorTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, normalized);
    QCOMPARE(normalizedColorText(text), normalized);
}

QTEST_GUILESS_MAIN(TestShelfDesignFile)
#include "tst_shelf_design_file.moc"
