#include "platform/numbers.h"
#include "platform/text_file.h"

#include <QTemporaryDir>
#include <QtTest>

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numeric_data();
    void numeric();
    void thousands_data();
    void thousands();
    void pageLinesRefuseUnencodable();
};

void TestNumbers::numeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<int>("whole"); // -999999 when not a 32-bit whole number
    QTest::newRow("digits") << "123" << true << 123;
    QTest::newRow("blanks") << " 45 " << true << 45;
    QTest::newRow("sign") << "-7" << true << -7;
    QTest::newRow("separators") << "1,280" << true << 1280;
    QTest::newRow("half to even down") << "2.5" << true << 2;
    QTest::newRow("half to even up") << "3.5" << true << 4;
    QTest::newRow("exponent") << "1e3" << true << 1000;
    QTest::newRow("empty") << "" << false << -999999;
    QTest::newRow("letters") << "12a" << false << -999999;
    QTest::newRow("lone point") << "." << false << -999999;
    QTest::newRow("two points") << "1.2.3" << false << -999999;
    QTest::newRow("mm size") << "5mm" << false << -999999;
    QTest::newRow("over 32 bits") << "4294967296" << true << -999999;
    // Plain whole numbers take a short path; its edges must read as the long one does.
    QTest::newRow("plus sign") << "+12" << true << 12;
    QTest::newRow("sign alone") << "-" << false << -999999;
    QTest::newRow("leading separator") << ",12" << false << -999999;
    QTest::newRow("trailing separator") << "12," << true << 12;
    QTest::newRow("separators anywhere after a digit") << "1,2,,3" << true << 123;
    QTest::newRow("largest 32-bit") << "2147483647" << true << 2147483647;
    QTest::newRow("sixteen digits") << "0000000000000012" << true << 12;
    QTest::newRow("full-width digits") << "１２" << false << -999999;
}

void TestNumbers::numeric()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(int, whole);
    QCOMPARE(platform::isNumeric(text), numeric);
    const auto w = platform::toWholeNumber(text);
    QCOMPARE(w.has_value(), whole != -999999);
    if (w)
        QCOMPARE(*w, whole);
}

void TestNumbers::thousands_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0";
    QTest::newRow("999") << qint64(999) << "999";
    QTest::newRow("1000") << qint64(1000) << "1,000";
    QTest::newRow("1234567") << qint64(1234567) << "1,234,567";
    QTest::newRow("negative") << qint64(-1000) << "-1,000";
}

void TestNumbers::thousands()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(platform::formatThousands(value), text);
}

void TestNumbers::pageLinesRefuseUnencodable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QVERIFY(platform::writeCp932Lines(path, {QStringLiteral("<html>"), QStringLiteral("値札")}));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("<html>\r\n\x92\x6c\x8e\x44\r\n"));
    f.close();
    platform::AppError error;
    QVERIFY(!platform::writeCp932Lines(path, {QStringLiteral("a"), QString::fromUtf8("\xF0\x9F\x98\x80")}, &error));
    // Named by the character, which the user can find, not by a line of a page the user never sees.
    QCOMPARE(error.description, QStringLiteral("ページに Shift_JIS で保存できない文字「😀」があります。"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().size(), 14); // the earlier page is still there
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
