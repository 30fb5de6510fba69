// The files the build puts into the program folder: the BarCode images and the sample files that
// the first start copies into the user's folders.

#include "barcode/barcode.h"
#include "barcode/ean_patterns.h"
#include "platform/cp932.h"
#include "platform/profile_file.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString programDir()
{
    return QStringLiteral(VENNLO_PROGRAM_DIR);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Lines of a CP932 text that must end every line with CR LF and hold no bare CR or LF.
QStringList crlfLines(const QByteArray &bytes)
{
    bool hadErrors = false;
    const QString text = platform::cp932::decode(bytes, &hadErrors);
    if (hadErrors || !text.endsWith(QStringLiteral("\r\n")))
        return {};
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString &l : lines) {
        if (l.contains(u'\r') || l.contains(u'\n'))
            return {};
    }
    return lines;
}

} // namespace

class TestShippedFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void barcodeFolderHoldsExactlyTheImages();
    void barcodeImage_data();
    void barcodeImage();
    void sampleCsv();
    void businessCardDesign();
    void logos_data();
    void logos();
    void readmeAndHelp();
};

void TestShippedFiles::barcodeFolderHoldsExactlyTheImages()
{
    QStringList expected = {"LB.bmp", "CB.bmp", "RB.bmp"};
    for (int d = 0; d < 10; ++d) {
        for (const char *suffix : {"_L1.bmp", "_L2.bmp", "_R.bmp"})
            expected << QString::number(d) + QLatin1String(suffix);
    }
    expected.sort();
    QStringList found = QDir(programDir() + QStringLiteral("/BarCode")).entryList(QDir::Files);
    found.sort();
    QCOMPARE(found, expected);
    QCOMPARE(found.size(), 33);
}

void TestShippedFiles::barcodeImage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("modules");
    QTest::addColumn<int>("width");
    auto modules = [](std::string_view m) { return QString::fromLatin1(m.data(), qsizetype(m.size())); };
    QTest::newRow("LB.bmp") << "LB.bmp"
                            << "0101" << 8;
    QTest::newRow("CB.bmp") << "CB.bmp"
                            << "01010" << 10;
    QTest::newRow("RB.bmp") << "RB.bmp"
                            << "1010" << 8;
    for (int d = 0; d < 10; ++d) {
        const QString digit = QString::number(d);
        QTest::newRow(qPrintable(digit + "_L1.bmp")) << digit + "_L1.bmp" << modules(barcode::ean::setA[d]) << 14;
        QTest::newRow(qPrintable(digit + "_L2.bmp")) << digit + "_L2.bmp" << modules(barcode::ean::setB[d]) << 14;
        QTest::newRow(qPrintable(digit + "_R.bmp")) << digit + "_R.bmp" << modules(barcode::ean::setC[d]) << 14;
    }
}

// Every image is its modules at two pixels each, black bars on white, the same on every row.
void TestShippedFiles::barcodeImage()
{
    QFETCH(QString, name);
    QFETCH(QString, modules);
    QFETCH(int, width);
    const QString path = programDir() + QStringLiteral("/BarCode/") + name;
    QCOMPARE(readAll(path).left(2), QByteArray("BM"));
    const QImage image(path, "BMP");
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.width(), width);
    QCOMPARE(image.width(), int(modules.size()) * 2);
    QVERIFY(image.height() >= 20);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb expected = modules[x / 2] == u'1' ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            if (image.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TestShippedFiles::sampleCsv()
{
    const QStringList lines = crlfLines(readAll(programDir() + QStringLiteral("/sample.csv")));
    QVERIFY(lines.size() >= 10);
    static const QRegularExpression record(
        QStringLiteral("^\"([^\",']*)\",\"([^\",']+)\",(-?[0-9]+),\"([^\",']*)\",\"([0-9]*)B\"$"));
    int with13 = 0, with8 = 0, without = 0;
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = record.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        const QString jan = m.captured(5);
        if (jan.isEmpty()) {
            ++without;
            continue;
        }
        QVERIFY2(jan.size() == 13 || jan.size() == 8, qPrintable(line));
        QCOMPARE(QString::number(barcode::GetCheckDigit(jan.chopped(1))), jan.right(1));
        (jan.size() == 13 ? with13 : with8)++;
        QVERIFY(!barcode::MakeBarCodeHtml(jan, 40).isEmpty());
    }
    QVERIFY(with13 > 0);
    QVERIFY(with8 > 0);
    QVERIFY(without > 0);
}

// Every key of a shelf-label design file, in the order the designer writes a new file.
void TestShippedFiles::businessCardDesign()
{
    const QString path = programDir() + QString::fromUtf8("/名刺カードサンプル.hdn");
    const QStringList lines = crlfLines(readAll(path));
    QVERIFY(!lines.isEmpty());

    const QList<QPair<QString, QStringList>> layout = {
        {"FontName", {"0", "1", "2", "3", "4", "5", "6"}},
        {"FontSize", {"0", "1", "2", "3", "4", "5", "6"}},
        {"FontStyle", {"0", "1", "2", "3", "4", "5", "6"}},
        {"FontColor", {"0", "1", "2", "3", "4", "5"}},
        {"FontAlign", {"0", "1", "2", "3", "4", "5"}},
        {"BackColor", {"H"}},
        {"Header", {"string", "check"}},
        {"Line", {"line", "Color"}},
        {"Bunkatsu", {"H", "W"}},
        {"YMark", {"Y"}},
        {"Tax", {"Style", "Zeikomi"}},
        {"Make", {"GN", "Alt", "BC", "JN", "LG"}},
        {"Logo", {"Name", "Align", "W", "H"}},
        {"Border", {"S", "W", "C"}},
        {"CHeight", {"S", "H"}},
        {"CWidth", {"S", "W"}},
        {"CPadding", {"P0", "P1", "P2", "P3"}},
        {"Style", {"M"}},
        {"JAN", {"TH"}},
    };
    QStringList expectedShape;
    for (const auto &[section, keys] : layout) {
        expectedShape << u'[' + section + u']';
        for (const QString &key : keys)
            expectedShape << key + u'=';
    }
    QStringList shape;
    for (const QString &line : lines)
        shape << (line.startsWith(u'[') ? line : line.left(line.indexOf(u'=') + 1));
    QCOMPARE(shape, expectedShape);

    platform::ProfileFile design(path);
    QVERIFY(design.load());
    QCOMPARE(design.value("CWidth", "S"), QStringLiteral("1"));
    QCOMPARE(design.value("CWidth", "W"), QStringLiteral("91"));
    QCOMPARE(design.value("CHeight", "S"), QStringLiteral("1"));
    QCOMPARE(design.value("CHeight", "H"), QStringLiteral("55"));
    static const QRegularExpression colour(QStringLiteral("^#[0-9A-F]{6}$"));
    for (int i = 0; i < 6; ++i) {
        QVERIFY(colour.match(design.value("FontColor", QString::number(i))).hasMatch());
        QVERIFY(QStringList({"左", "中央", "右"}).contains(design.value("FontAlign", QString::number(i))));
    }
    for (int i = 0; i < 7; ++i) {
        QVERIFY(!design.value("FontName", QString::number(i)).isEmpty());
        QVERIFY(!design.value("FontSize", QString::number(i)).contains(QStringLiteral("pt")));
        QVERIFY(QStringList({"通常", "太字", "斜体", "両方"}).contains(design.value("FontStyle", QString::number(i))));
    }
    QVERIFY(colour.match(design.value("BackColor", "H")).hasMatch());
    QVERIFY(colour.match(design.value("Line", "Color")).hasMatch());
    QVERIFY(colour.match(design.value("Border", "C")).hasMatch());
    const int th = design.value("JAN", "TH").toInt();
    QVERIFY(th >= 15 && th <= 40);
    QVERIFY(!design.hasKey("BackColor", "B"));
}

void TestShippedFiles::logos_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("sample_logo.gif") << "sample_logo.gif";
    QTest::newRow("sample_logoC.gif") << "sample_logoC.gif";
}

void TestShippedFiles::logos()
{
    QFETCH(QString, name);
    const QString path = programDir() + u'/' + name;
    QVERIFY(readAll(path).startsWith("GIF8"));
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QVERIFY(image.width() > 0 && image.width() <= 400);
}

void TestShippedFiles::readmeAndHelp()
{
    const QString readme = QString::fromUtf8(readAll(programDir() + QStringLiteral("/readme.txt")));
    QVERIFY(readme.contains(QStringLiteral("Ver 3.07")));
    QVERIFY(readme.contains(QString::fromUtf8("ぽらね値札作成")));
    const QString help = QString::fromUtf8(readAll(programDir() + QStringLiteral("/vennlo_help.html")));
    QVERIFY(help.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    for (const char *topic :
         {"棚札作成", "貼付用値札作成", "商品台帳作成", "チェックディジット一括挿入", "消費税率・価格基準"})
        QVERIFY2(help.contains(QString::fromUtf8(topic)), topic);
}

QTEST_MAIN(TestShippedFiles)
#include "tst_shipped_files.moc"
