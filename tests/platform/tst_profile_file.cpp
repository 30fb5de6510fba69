#include "platform/cp932.h"
#include "platform/profile_file.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using platform::ProfileFile;

namespace {
QByteArray sjis(const QString &text)
{
    return platform::cp932::encode(text).bytes;
}
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
    void rawValue_data();
    void rawValue();
    void untouchedLinesKeepTheirBytes_data();
    void untouchedLinesKeepTheirBytes();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
};

void TestProfileFile::read_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString base = QStringLiteral("[Font]\r\n0=ＭＳ Ｐゴシック\r\nSize = 20 \r\n[Tax]\r\nTax=0.05\r\n");
    QTest::newRow("plain") << base << "Tax"
                           << "Tax"
                           << "0.05";
    QTest::newRow("case-insensitive section") << base << "tAX"
                                              << "tax"
                                              << "0.05";
    QTest::newRow("trimmed") << base << "Font"
                             << "size"
                             << "20";
    QTest::newRow("japanese") << base << "Font"
                              << "0"
                              << "ＭＳ Ｐゴシック";
    QTest::newRow("missing key") << base << "Font"
                                 << "1"
                                 << "";
    QTest::newRow("missing section") << base << "Logo"
                                     << "Name"
                                     << "";
    QTest::newRow("key of another section") << base << "Tax"
                                            << "Size"
                                            << "";
    QTest::newRow("first duplicate section wins") << QStringLiteral("[A]\nk=1\n[A]\nk=2\n") << "A"
                                                  << "k"
                                                  << "1";
    QTest::newRow("first duplicate key wins") << QStringLiteral("[A]\nk=1\nk=2\n") << "A"
                                              << "k"
                                              << "1";
    QTest::newRow("LF only") << QStringLiteral("[A]\nk=v\n") << "A"
                             << "k"
                             << "v";
    QTest::newRow("no final line break") << QStringLiteral("[A]\r\nk=v") << "A"
                                         << "k"
                                         << "v";
    QTest::newRow("empty value") << QStringLiteral("[A]\r\nk=\r\n") << "A"
                                 << "k"
                                 << "";
    QTest::newRow("equals in value") << QStringLiteral("[A]\r\nk=a=b\r\n") << "A"
                                     << "k"
                                     << "a=b";
    QTest::newRow("long value cut") << (QStringLiteral("[A]\r\nk=") + QString(5000, QLatin1Char('x'))) << "A"
                                    << "k" << QString(1023, QLatin1Char('x'));
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

    QTest::newRow("new file") << ""
                              << "A"
                              << "k"
                              << "v"
                              << "[A]\r\nk=v\r\n";
    QTest::newRow("replace in place") << "[A]\r\nx=1\r\nk=old\r\ny=2\r\n"
                                      << "a"
                                      << "K"
                                      << "new"
                                      << "[A]\r\nx=1\r\nk=new\r\ny=2\r\n";
    QTest::newRow("append key to its section") << "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"
                                               << "A"
                                               << "k"
                                               << "v"
                                               << "[A]\r\nx=1\r\nk=v\r\n[B]\r\ny=2\r\n";
    QTest::newRow("append key before blank separator") << "[A]\r\nx=1\r\n\r\n[B]\r\n"
                                                       << "A"
                                                       << "k"
                                                       << "v"
                                                       << "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\n";
    QTest::newRow("append section") << "[A]\r\nx=1\r\n"
                                    << "B"
                                    << "k"
                                    << "v"
                                    << "[A]\r\nx=1\r\n[B]\r\nk=v\r\n";
    QTest::newRow("other lines kept") << "; note\r\n[A]\r\nodd line\r\nx=1\r\n"
                                      << "A"
                                      << "x"
                                      << "2"
                                      << "; note\r\n[A]\r\nodd line\r\nx=2\r\n";
    QTest::newRow("line breaks in value folded") << ""
                                                 << "A"
                                                 << "k"
                                                 << "a\r\nb"
                                                 << "[A]\r\nk=a b\r\n";
    QTest::newRow("NUL ends the written value")
        << ""
        << "A"
        << "k" << (QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << "[A]\r\nk=a\r\n";
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
    QCOMPARE(
        platform::readProfileString(dir.filePath(QStringLiteral("none.ini")), QStringLiteral("A"), QStringLiteral("k")),
        QString());
}

void TestProfileFile::saveIsAtomicAndCp932()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("設定.ini"));
    QVERIFY(platform::writeProfileString(path, QStringLiteral("FontName"), QStringLiteral("0"),
                                         QStringLiteral("ＭＳ Ｐゴシック")));
    QVERIFY(
        platform::writeProfileString(path, QStringLiteral("Header"), QStringLiteral("string"), QStringLiteral("SALE")));
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

using Status = ProfileFile::ValueStatus;

void TestProfileFile::rawValue_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<Status>("status");

    QTest::newRow("NUL cuts the value") << QByteArray("[A]\r\nk=ab\0cd\r\n", 15) << "k"
                                        << "ab" << Status::Valid;
    QTest::newRow("NUL first") << QByteArray("[A]\r\nk=\0cd\r\n", 13) << "k"
                               << "" << Status::Valid;
    QTest::newRow("NUL after blanks") << QByteArray("[A]\r\nk= ab \0\r\n", 14) << "k"
                                      << "ab" << Status::Valid;
    QTest::newRow("CP932 text") << sjis(QStringLiteral("[A]\r\nk=ＭＳ Ｐゴシック\r\n")) << "k"
                                << QStringLiteral("ＭＳ Ｐゴシック") << Status::Valid;
    QTest::newRow("missing key") << QByteArray("[A]\r\nk=1\r\n") << "j"
                                 << "" << Status::Missing;
    QTest::newRow("lone lead byte") << QByteArray("[A]\r\nk=\x81 x\r\n") << "k" << QString() << Status::NotCp932;
    QTest::newRow("byte 0xFF") << QByteArray("[A]\r\nk=\xFF\r\n") << "k" << QString() << Status::NotCp932;
    QTest::newRow("bad bytes in another key only") << QByteArray("[A]\r\nk=left\r\nj=\xFF\r\n") << "k"
                                                   << "left" << Status::Valid;
    // "中央" in UTF-8 happens to be four valid CP932 characters; the file as a whole tells.
    QTest::newRow("UTF-8 file") << QByteArray("[A]\r\nk=\xE4\xB8\xAD\xE5\xA4\xAE\r\n") << "k" << QString()
                                << Status::NotCp932;
    QTest::newRow("UTF-8 file, ASCII value") << QByteArray("[A]\r\nk=center\r\nj=\xE4\xB8\xAD\xE5\xA4\xAE\r\n") << "k"
                                             << "center" << Status::Valid;
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF[A]\r\nk=1\r\n") << "k"
                                           << "1" << Status::Valid;
}

void TestProfileFile::rawValue()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QFETCH(Status, status);
    ProfileFile f;
    f.setBytes(content);
    Status got = Status::Valid;
    const QString v = f.value(QStringLiteral("A"), key, &got);
    QVERIFY(!v.contains(QChar(0)));
    if (!expected.isNull())
        QCOMPARE(v, expected);
    QCOMPARE(got, status);
    QCOMPARE(f.valueStatus(QStringLiteral("a"), key), status);
}

void TestProfileFile::untouchedLinesKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    // Bytes from a user's old file that a decode and re-encode turned into 7F 20 and E3 81 7F.
    const QByteArray mine("[Mine]\r\nx=\x81 \r\nnote=\xE3\x81\x82\r\n");
    QTest::newRow("own section, other key replaced") << mine + "[A]\r\nk=1\r\n"
                                                     << "A"
                                                     << "k" << mine + "[A]\r\nk=v\r\n";
    QTest::newRow("own section, key appended") << mine + "[A]\r\nk=1\r\n"
                                               << "A"
                                               << "j" << mine + "[A]\r\nk=1\r\nj=v\r\n";
    QTest::newRow("own section, section appended") << mine << "B"
                                                   << "k" << mine + "[B]\r\nk=v\r\n";
    QTest::newRow("bad bytes beside the key written")
        << QByteArray("[A]\r\nmine=\x81 \xE3\x81\x82\r\nk=1\r\n\x1A\x1C\x7F\xFF\r\n") << "A"
        << "k" << QByteArray("[A]\r\nmine=\x81 \xE3\x81\x82\r\nk=v\r\n\x1A\x1C\x7F\xFF\r\n");
    QTest::newRow("key spelling with bad bytes kept") << QByteArray("[A]\r\nK=\x81\x20\r\n") << "A"
                                                      << "k" << QByteArray("[A]\r\nK=v\r\n");
    QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[A]\r\nk=1\r\n") << "A"
                                          << "k" << QByteArray("\xEF\xBB\xBF[A]\r\nk=v\r\n");
}

void TestProfileFile::untouchedLinesKeepTheirBytes()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();
    platform::AppError error;
    QVERIFY2(platform::writeProfileString(path, section, key, QStringLiteral("v"), &error),
             qPrintable(error.description));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), after);
}

void TestProfileFile::onlyRegularFilesAreRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");
    QTest::newRow("folder") << "folder" << int(platform::AppError::PermissionDenied);
    QTest::newRow("FIFO without writer") << "fifo" << int(platform::AppError::PermissionDenied);
    QTest::newRow("endless device") << "device" << int(platform::AppError::PermissionDenied);
    QTest::newRow("over the size bound") << "large" << int(platform::AppError::Overflow);
}

void TestProfileFile::onlyRegularFilesAreRead()
{
    QFETCH(QString, kind);
    QFETCH(int, number);
    QTemporaryDir dir;
    QString path = dir.filePath(kind);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(ProfileFile::MaxFileBytes + 1)); // sparse: no disk used
    }
    ProfileFile f(path);
    platform::AppError error;
    QVERIFY(!f.load(&error));
    QCOMPARE(error.number, number);
    QVERIFY(error.description.contains(path));
    if (kind == QLatin1String("large"))
        QVERIFY(error.description.contains(QStringLiteral("16 MiB")));
    QVERIFY(f.lines().isEmpty());
    QCOMPARE(platform::readProfileString(path, QStringLiteral("A"), QStringLiteral("k")), QString());
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profile_file.moc"
