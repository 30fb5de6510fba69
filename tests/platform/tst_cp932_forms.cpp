#include "platform/cp932.h"

#include <QtTest>

using namespace platform;

// Text from a Linux or macOS desktop: the JIS forms CP932 stores under other code points.
class TestCp932Forms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void jisForms_data();
    void jisForms();
    void unencodableCharacter_data();
    void unencodableCharacter();
};

void TestCp932Forms::jisForms_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("bytes"); // as glibc's iconv -t CP932 writes the typed text
    QTest::newRow("wave dash") << QStringLiteral("1〜3") << QStringLiteral("1～3")
                               << QByteArray("1\x81\x60"
                                             "3");
    QTest::newRow("minus sign") << QStringLiteral("−5") << QStringLiteral("－5")
                                << QByteArray("\x81\x7C"
                                              "5");
    QTest::newRow("em dash") << QStringLiteral("a—b") << QStringLiteral("a―b")
                             << QByteArray("a\x81\x5C"
                                           "b");
    QTest::newRow("cent, pound, not") << QStringLiteral("¢£¬") << QStringLiteral("￠￡￢")
                                      << QByteArray("\x81\x91\x81\x92\x81\xCA");
    QTest::newRow("double vertical line") << QStringLiteral("‖") << QStringLiteral("∥") << QByteArray("\x81\x61");
    QTest::newRow("CP932 forms stay") << QStringLiteral("～－―∥") << QStringLiteral("～－―∥")
                                      << QByteArray("\x81\x60\x81\x7C\x81\x5C\x81\x61");
    QTest::newRow("NEC and half-width stay")
        << QStringLiteral("①㈱ﾊﾝｶｸ") << QStringLiteral("①㈱ﾊﾝｶｸ") << QByteArray("\x87\x40\x87\x8A\xCA\xDD\xB6\xB8");
    QTest::newRow("hyphen-minus stays") << QStringLiteral("A-2") << QStringLiteral("A-2") << QByteArray("A-2");
}

void TestCp932Forms::jisForms()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QByteArray, bytes);
    const QString mapped = cp932::toCp932Forms(typed);
    QCOMPARE(mapped, stored);
    const cp932::Encoded enc = cp932::encode(mapped);
    QVERIFY(enc.ok());
    QCOMPARE(enc.bytes, bytes);
    QCOMPARE(cp932::decode(bytes), stored);
    QString inPlace = typed;
    QCOMPARE(cp932::mapToCp932Forms(&inPlace), typed != stored);
    QCOMPARE(inPlace, stored);
}

void TestCp932Forms::unencodableCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("character");
    QTest::newRow("storable") << QStringLiteral("髙橋①ﾊﾞﾅﾅ") << QString();
    QTest::newRow("surrogate pair kept whole") << QStringLiteral("𠮷野家") << QStringLiteral("𠮷");
    QTest::newRow("emoji after text") << QStringLiteral("りんご🍎") << QStringLiteral("🍎");
    QTest::newRow("hangul") << QStringLiteral("a한") << QStringLiteral("한");
    QTest::newRow("JIS form before mapping") << QStringLiteral("1〜3") << QStringLiteral("〜");
}

void TestCp932Forms::unencodableCharacter()
{
    QFETCH(QString, text);
    QFETCH(QString, character);
    QCOMPARE(cp932::firstUnencodableCharacter(text), character);
}

QTEST_GUILESS_MAIN(TestCp932Forms)
#include "tst_cp932_forms.moc"
