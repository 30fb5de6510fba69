#include "platform/cp932.h"
#include "platform/profile_file.h"

#include <QTemporaryDir>
#include <QtTest>

using platform::ProfileFile;

namespace {
QByteArray sjis(const QString &text) { return platform::cp932::encode(text).bytes; }
} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void write_data();
    void write();
    void missingFileReadsEmpty();
    void saveIsAtomicAndCp932();
    void failedSaveKeepsOldFile();
    void unencodableTextIsRefused();
    void cp932RoundTrip();
};

void TestProfileFile::read_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString base = QStringLiteral("[Font]\r\n0=ＭＳ Ｐゴシック\r\nSize = 20 \r\n[Tax]\r\nTax=0.05\r\n");
    QTest::newRow("plain") << base << "Tax" << "Tax" << "0.05";
    QTest::newRow("case-insensitive section") << base << "tAX" << "tax" << "0.05";
    QTest::newRow("trimmed") << base << "Font" << "size" << "20";
    QTest::newRow("japanese") << base << "Font" << "0" << "ＭＳ Ｐゴシック";
    QTest::newRow("missing key") << base << "Font" << "1" << "";
    QTest::newRow("missing section") << base << "Logo" << "Name" << "";
    QTest::newRow("key of another section") << base << "Tax" << "Size" << "";
    QTest::newRow("first duplicate section wins") << QStringLiteral("[A]\nk=1\n[A]\nk=2\n") << "A" << "k" << "1";
    QTest::newRow("first duplicate key wins") << QStringLiteral("[A]\nk=1\nk=2\n") << "A" << "k" << "1";
    QTest::newRow("LF only") << QStringLiteral("[A]\nk=v\n") << "A" << "k" << "v";
    QTest::newRow("no final line break") << QStringLiteral("[A]\r\nk=v") << "A" << "k" << "v";
    QTest::newRow("empty value") << QStringLiteral("[A]\r\nk=\r\n") << "A" << "k" << "";
    QTest::newRow("equals in value") << QStringLiteral("[A]\r\nk=a=b\r\n") << "A" << "k" << "a=b";
    QTest::newRow("long value cut") << (QStringLiteral("[A]\r\nk=") + QString(5000, QLatin1Char('x')))
                                    << "A" << "k" << QString(1023, QLatin1Char('x'));
}

void TestProfileFile::read()
{
    QFETCH(QString, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    ProfileFile f;
    f.setBytes(sjis(content));
    QCOMPARE(f.value(section, key), expected);
}

void TestProfileFile::write_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");

    QTest::newRow("new file") << "" << "A" << "k" << "v" << "[A]\r\nk=v\r\n";
    QTest::newRow("replace in place") << "[A]\r\nx=1\r\nk=old\r\ny=2\r\n" << "a" << "K" << "new"
                                      << "[A]\r\nx=1\r\nk=new\r\ny=2\r\n";
    QTest::newRow("append key to its section") << "[A]\r\nx=1\r\n[B]\r\ny=2\r\n" << "A" << "k" << "v"
                                               << "[A]\r\nx=1\r\nk=v\r\n[B]\r\ny=2\r\n";
    QTest::newRow("append key before blank separator") << "[A]\r\nx=1\r\n\r\n[B]\r\n" << "A" << "k" << "v"
                                                       << "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\n";
    QTest::newRow("append section") << "[A]\r\nx=1\r\n" << "B" << "k" << "v" << "[A]\r\nx=1\r\n[B]\r\nk=v\r\n";
    QTest::newRow("other lines kept") << "; note\r\n[A]\r\nodd line\r\nx=1\r\n" << "A" << "x" << "2"
                                      << "; note\r\n[A]\r\nodd line\r\nx=2\r\n";
    QTest::newRow("line breaks in value folded") << "" << "A" << "k" << "a\r\nb" << "[A]\r\nk=a b\r\n";
}

void TestProfileFile::write()
{
    QFETCH(QString, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, after);
    ProfileFile f;
    f.setBytes(sjis(before));
    f.setValue(section, key, value);
    QCOMPARE(f.toBytes(), sjis(after));
}

void TestProfileFile::missingFileReadsEmpty()
{
    QTemporaryDir dir;
    ProfileFile f(dir.filePath(QStringLiteral("none.ini")));
    QVERIFY(f.load());
    QCOMPARE(f.value(QStringLiteral("A"), QStringLiteral("k")), QString());
    QCOMPARE(platform::readProfileString(dir.filePath(QStringLiteral("none.ini")), QStringLiteral("A"),
                                         QStringLiteral("k")),
             QString());
}

void TestProfileFile::saveIsAtomicAndCp932()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("設定.ini"));
    QVERIFY(platform::writeProfileString(path, QStringLiteral("FontName"), QStringLiteral("0"),
                                         QStringLiteral("ＭＳ Ｐゴシック")));
    QVERIFY(platform::writeProfileString(path, QStringLiteral("Header"), QStringLiteral("string"),
                                         QStringLiteral("SALE")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), sjis(QStringLiteral("[FontName]\r\n0=ＭＳ Ｐゴシック\r\n[Header]\r\nstring=SALE\r\n")));
    QCOMPARE(platform::readProfileString(path, QStringLiteral("fontname"), QStringLiteral("0")),
             QStringLiteral("ＭＳ Ｐゴシック"));
}

void TestProfileFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    ProfileFile f(dir.filePath(QStringLiteral("missing-folder/x.ini")));
    f.setValue(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
    platform::AppError error;
    QVERIFY(!f.save(&error));
    QVERIFY(error.isSet());
}

void TestProfileFile::unencodableTextIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    QVERIFY(platform::writeProfileString(path, QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("old")));
    platform::AppError error;
    QVERIFY(!platform::writeProfileString(path, QStringLiteral("A"), QStringLiteral("k"),
                                          QString::fromUtf8("\xF0\x9F\x98\x80"), &error));
    QVERIFY(error.isSet());
    QCOMPARE(platform::readProfileString(path, QStringLiteral("A"), QStringLiteral("k")), QStringLiteral("old"));
}

void TestProfileFile::cp932RoundTrip()
{
    const QString text = QStringLiteral("ＭＳ Ｐゴシック ①髙﨑 ｱｲｳ \\ ~");
    const auto enc = platform::cp932::encode(text);
    QVERIFY(enc.ok());
    bool errors = true;
    QCOMPARE(platform::cp932::decode(enc.bytes, &errors), text);
    QVERIFY(!errors);
    const auto bad = platform::cp932::encode(QStringLiteral("ab") + QString::fromUtf8("\xF0\x9F\x98\x80") + "c");
    QCOMPARE(bad.firstUnencodable, qsizetype(2));
    platform::cp932::decode(QByteArray("\x81", 1), &errors);
    QVERIFY(errors);
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profile_file.moc"
