#include "common/helpers.h"
#include "support/fake_ui_services.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

class TestHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colorTextToValue_data();
    void colorTextToValue();
    void colorValueToText_data();
    void colorValueToText();
    void colorRoundTrip();
    void qColor();
    void shortenPath_data();
    void shortenPath();
    void twipsToPixels_data();
    void twipsToPixels();
    void pixelsToTwips_data();
    void pixelsToTwips();
    void screenConversions();
    void windowBounds_data();
    void windowBounds();
    void iniValues();
    void openWithShell_data();
    void openWithShell();
};

void TestHelpers::colorTextToValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("red") << "#FF0000" << 255;
    QTest::newRow("blue, lower case") << "#0000ff" << 16711680;
    QTest::newRow("green") << "#00FF00" << 65280;
    QTest::newRow("white") << "#FFFFFF" << 16777215;
    QTest::newRow("black") << "#000000" << 0;
    QTest::newRow("each digit in its place") << "#123456" << 0x563412;
    QTest::newRow("mixed case") << "#aBcDeF" << 0xEFCDAB;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("short text, missing digits count 0") << "#12" << 0x12;
    QTest::newRow("not hexadecimal counts 0") << "#GZ10XY" << 0x1000;
    QTest::newRow("full-width digit counts 0") << "#１F0000" << 15;
    QTest::newRow("longer text, first six after the mark") << "#FF000012" << 255;
}

void TestHelpers::colorTextToValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(common::ColorTextToValue(text), value);
}

void TestHelpers::colorValueToText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("red") << qint64(255) << "#FF0000";
    QTest::newRow("black") << qint64(0) << "#000000";
    QTest::newRow("white") << qint64(16777215) << "#FFFFFF";
    QTest::newRow("blue") << qint64(16711680) << "#0000FF";
    QTest::newRow("each byte in its place") << qint64(0x563412) << "#123456";
    QTest::newRow("upper case letters") << qint64(0xEFCDAB) << "#ABCDEF";
    QTest::newRow("small value padded") << qint64(1) << "#010000";
    QTest::newRow("negative is no colour") << qint64(-1) << "";
    QTest::newRow("above 24 bits is no colour") << qint64(16777216) << "";
}

void TestHelpers::colorValueToText()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(common::ColorValueToText(value), text);
}

void TestHelpers::colorRoundTrip()
{
    for (qint64 v : {0LL, 1LL, 0x80LL, 0x8000LL, 0x800000LL, 0x808080LL, 0xC0FFEELL, 0xFFFFFFLL}) {
        const QString text = common::ColorValueToText(v);
        QCOMPARE(text.size(), 7);
        QCOMPARE(qint64(common::ColorTextToValue(text)), v);
        QCOMPARE(common::ColorTextToValue(text.toLower()), common::ColorTextToValue(text));
    }
}

void TestHelpers::qColor()
{
    const QColor c = common::colorFromValue(common::ColorTextToValue(QStringLiteral("#123456")));
    QCOMPARE(c, QColor(0x12, 0x34, 0x56));
    QCOMPARE(common::ColorValueToText(common::colorToValue(QColor(0xFF, 0x80, 0x01))), QStringLiteral("#FF8001"));
}

void TestHelpers::shortenPath_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("shortened");

    QTest::newRow("49 characters") << 49 << true << false;
    QTest::newRow("50 characters") << 50 << true << false;
    QTest::newRow("51 characters") << 51 << true << true;
    QTest::newRow("51 characters, file gone") << 51 << false << true;
    QTest::newRow("120 characters") << 120 << true << true;
}

void TestHelpers::shortenPath()
{
    QFETCH(int, length);
    QFETCH(bool, exists);
    QFETCH(bool, shortened);

    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/ロゴ");
    const QString suffix = QStringLiteral(".gif");
    QVERIFY(prefix.size() + suffix.size() < 49);
    const QString name =
        QStringLiteral("ロゴ") + QString(length - prefix.size() - suffix.size(), QLatin1Char('a')) + suffix;
    const QString path = dir.path() + QLatin1Char('/') + name;
    QCOMPARE(path.size(), length);
    if (exists) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    const QString expected =
        shortened ? path.left(23) + QStringLiteral(".....") + QDir::separator() + (exists ? name : QString()) : path;
    QCOMPARE(common::ShortenPath(path), expected);
    QCOMPARE(common::ShortenPath(QString()), QString());
}

void TestHelpers::twipsToPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<double>("tpp");
    QTest::addColumn<int>("pixels");

    QTest::newRow("one pixel") << 15 << 15.0 << 1;
    QTest::newRow("just below one pixel") << 14 << 15.0 << 0;
    QTest::newRow("zero") << 0 << 15.0 << 0;
    QTest::newRow("width floors") << 9492 << 15.0 << 632;
    QTest::newRow("height floors") << 6444 << 15.0 << 429;
    QTest::newRow("120 dpi") << 9492 << 12.0 << 791;
    QTest::newRow("negative floors down") << -1 << 15.0 << -1;
    QTest::newRow("no twips per pixel") << 9492 << 0.0 << 0;
    QTest::newRow("negative twips per pixel") << 9492 << -15.0 << 0;
    QTest::newRow("overflow") << std::numeric_limits<int>::max() << 0.5 << 0;
    QTest::newRow("largest") << std::numeric_limits<int>::max() << 1.0 << std::numeric_limits<int>::max();
}

void TestHelpers::twipsToPixels()
{
    QFETCH(int, twips);
    QFETCH(double, tpp);
    QFETCH(int, pixels);
    QCOMPARE(common::twipsToPixels(twips, tpp), pixels);
}

void TestHelpers::pixelsToTwips_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<double>("tpp");
    QTest::addColumn<int>("twips");

    QTest::newRow("one pixel") << 1 << 15.0 << 15;
    QTest::newRow("zero") << 0 << 15.0 << 0;
    QTest::newRow("window") << 632 << 15.0 << 9480;
    QTest::newRow("half rounds to even, down") << 3 << 7.5 << 22;
    QTest::newRow("half rounds to even, up") << 5 << 7.5 << 38;
    QTest::newRow("below half") << 1 << 7.4 << 7;
    QTest::newRow("negative") << -2 << 15.0 << -30;
    QTest::newRow("no twips per pixel") << 10 << 0.0 << 0;
    QTest::newRow("overflow") << std::numeric_limits<int>::max() << 15.0 << 0;
}

void TestHelpers::pixelsToTwips()
{
    QFETCH(int, pixels);
    QFETCH(double, tpp);
    QFETCH(int, twips);
    QCOMPARE(common::pixelsToTwips(pixels, tpp), twips);
}

void TestHelpers::screenConversions()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const double tppX = 1440.0 / screen->logicalDotsPerInchX();
    const double tppY = 1440.0 / screen->logicalDotsPerInchY();
    QCOMPARE(common::twipsPerPixelX(), tppX);
    QCOMPARE(common::twipsPerPixelY(), tppY);
    QCOMPARE(common::TwipsToPixelsX(9492), common::twipsToPixels(9492, tppX));
    QCOMPARE(common::TwipsToPixelsY(6444), common::twipsToPixels(6444, tppY));
    QCOMPARE(common::PixelsToTwipsX(633), common::pixelsToTwips(633, tppX));
    QCOMPARE(common::PixelsToTwipsY(430), common::pixelsToTwips(430, tppY));
    const common::WindowSizeBounds b = common::mainWindowSizeBounds();
    QCOMPARE(b.minimum, common::mainWindowSizeBounds(tppX, tppY, screen->size()).minimum);
    QCOMPARE(b.maximum, screen->size().expandedTo(b.minimum));
}

void TestHelpers::windowBounds_data()
{
    QTest::addColumn<double>("tpp");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QSize>("maximum");

    QTest::newRow("96 dpi") << 15.0 << QSize(1920, 1080) << QSize(633, 430) << QSize(1920, 1080);
    QTest::newRow("120 dpi") << 12.0 << QSize(1920, 1080) << QSize(791, 537) << QSize(1920, 1080);
    QTest::newRow("144 dpi") << 10.0 << QSize(2560, 1440) << QSize(949, 644) << QSize(2560, 1440);
    QTest::newRow("screen smaller than the minimum") << 15.0 << QSize(600, 400) << QSize(633, 430) << QSize(633, 430);
}

void TestHelpers::windowBounds()
{
    QFETCH(double, tpp);
    QFETCH(QSize, screen);
    QFETCH(QSize, minimum);
    QFETCH(QSize, maximum);
    const common::WindowSizeBounds b = common::mainWindowSizeBounds(tpp, tpp, screen);
    QCOMPARE(b.minimum, minimum);
    QCOMPARE(b.maximum, maximum);
}

void TestHelpers::iniValues()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.hdn"));
    QCOMPARE(common::GetIniValue(path, QStringLiteral("Header"), QStringLiteral("string")), QString());
    QVERIFY(common::PutIniValue(path, QStringLiteral("Header"), QStringLiteral("string"), QStringLiteral("特売")) != 0);
    QVERIFY(common::PutIniValue(path, QStringLiteral("Header"), QStringLiteral("check"), QStringLiteral("1")) != 0);
    QCOMPARE(common::GetIniValue(path, QStringLiteral("header"), QStringLiteral("STRING")), QStringLiteral("特売"));
    QCOMPARE(common::GetIniValue(path, QStringLiteral("Header"), QStringLiteral("other")), QString());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Header]\r\nstring=\x93\xc1\x94\x84\r\ncheck=1\r\n"));
    f.close();

    // Failures give 0 and leave the file as it was.
    QCOMPARE(common::PutIniValue(dir.filePath(QStringLiteral("gone/x.ini")), QStringLiteral("A"), QStringLiteral("k"),
                                 QStringLiteral("v")),
             0);
    QCOMPARE(common::PutIniValue(path, QStringLiteral("Header"), QStringLiteral("string"), QStringLiteral("🎉")), 0);
    QCOMPARE(common::GetIniValue(path, QStringLiteral("Header"), QStringLiteral("string")), QStringLiteral("特売"));
}

void TestHelpers::openWithShell_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("shellSucceeds");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<bool>("result");

    QTest::newRow("address trimmed") << "  https://example.invalid/  " << true
                                     << QStringList{"https://example.invalid/"} << true;
    QTest::newRow("file") << "/tmp/readme.txt" << true << QStringList{"/tmp/readme.txt"} << true;
    QTest::newRow("empty does nothing") << "" << true << QStringList{} << false;
    QTest::newRow("blanks do nothing") << " \t " << true << QStringList{} << false;
    QTest::newRow("shell refuses") << "x.chm" << false << QStringList{"x.chm"} << false;
}

void TestHelpers::openWithShell()
{
    QFETCH(QString, target);
    QFETCH(bool, shellSucceeds);
    QFETCH(QStringList, opened);
    QFETCH(bool, result);
    FakeUiServices ui;
    ui.shellSucceeds = shellSucceeds;
    QCOMPARE(common::OpenWithShell(ui, target), result);
    QCOMPARE(ui.opened, opened);
}

QTEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
