#include "platform/cp932_table.h"

#include <QtTest>

using namespace platform;

// The table codec must give exactly what platform::cp932 gives, bytes and error flags alike.
class TestCp932Table : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTwoBytes();
    void everyCharacter();
    void samples_data();
    void samples();
    void controlsKeptAsTheyAre_data();
    void controlsKeptAsTheyAre();
};

void TestCp932Table::everyTwoBytes()
{
    int differences = 0;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const char raw[3] = {char(a), char(b), 'x'};
            for (int len : {2, 3}) {
                const QByteArray bytes(raw, len);
                bool e1 = false;
                bool e2 = false;
                const QString s1 = platform::cp932::decode(bytes, &e1);
                const QString s2 = cp932_table::decode(bytes, &e2);
                if (s1 != s2 || e1 != e2)
                    ++differences;
            }
        }
    }
    QCOMPARE(differences, 0);
}

void TestCp932Table::everyCharacter()
{
    int differences = 0;
    for (int u = 0; u < 0x10000; ++u) {
        if (QChar(char16_t(u)).isSurrogate())
            continue;
        for (const QString &s : {QString(QChar(char16_t(u))), QString(QChar(char16_t(u))) + QStringLiteral("あ")}) {
            const auto e1 = platform::cp932::encode(s);
            const auto e2 = cp932_table::encode(s);
            if (e1.bytes != e2.bytes || e1.firstUnencodable != e2.firstUnencodable)
                ++differences;
        }
    }
    QCOMPARE(differences, 0);
}

void TestCp932Table::samples_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << "\"A-1\",198\r\n";
    QTest::newRow("kanji and kana") << "国産りんご（ふじ）ﾊﾞﾅﾅ";
    QTest::newRow("NEC and IBM extensions") << "①髙﨑∑～￢";
    QTest::newRow("emoji") << "りんご🍎";
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
}

void TestCp932Table::samples()
{
    QFETCH(QString, text);
    const auto e1 = platform::cp932::encode(text);
    const auto e2 = cp932_table::encode(text);
    QCOMPARE(e2.bytes, e1.bytes);
    QCOMPARE(e2.firstUnencodable, e1.firstUnencodable);
    if (e1.ok())
        QCOMPARE(cp932_table::decode(e1.bytes), platform::cp932::decode(e1.bytes));
}

// Bytes 1A, 1C and 7F are the controls of the same code in both directions, beside kanji or not, so
// that a value holding one reads and saves back byte for byte.
void TestCp932Table::controlsKeptAsTheyAre_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("alone") << QByteArray("\x1a\x1c\x7f") << QStringLiteral("\x1a\x1c\x7f");
    QTest::newRow("in ASCII") << QByteArray("A\x1a"
                                            "B")
                              << QStringLiteral("A\x1a"
                                                "B");
    QTest::newRow("between kana") << QByteArray("\x82\xa0\x1a\x82\xa0\x7f") << QStringLiteral("あ\x1aあ\x7f");
    QTest::newRow("after kanji") << QByteArray("\x93\xfa\x1c") << QStringLiteral("日\x1c");
}

void TestCp932Table::controlsKeptAsTheyAre()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    bool bad = true;
    QCOMPARE(platform::cp932::decode(bytes, &bad), text);
    QVERIFY(!bad);
    QCOMPARE(cp932_table::decode(bytes), text);
    QCOMPARE(platform::cp932::encode(text).bytes, bytes);
    QCOMPARE(cp932_table::encode(text).bytes, bytes);
}

QTEST_GUILESS_MAIN(TestCp932Table)
#include "tst_cp932_table.moc"
