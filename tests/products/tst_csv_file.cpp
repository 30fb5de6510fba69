#include "platform/cp932.h"
#include "products/csv_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace products;
using platform::AppError;

namespace {

QByteArray sjis(const QString &text)
{
    const auto e = platform::cp932::encode(text);
    Q_ASSERT(e.ok());
    return e.bytes;
}

QByteArray dataFile(const QString &name)
{
    QFile f(QStringLiteral(VENNLO_TEST_DATA_DIR "/products/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return f.readAll();
}

Product make(const QString &code, const QString &name, const QString &price, const QString &remarks, const QString &jan)
{
    Product p;
    p.code = code;
    p.name = name;
    p.price = price;
    p.remarks = remarks;
    p.jan = jan;
    return p;
}

// Rows written compactly for the tables: fields joined by "|", rows by "/".
QString describe(const ProductList &rows)
{
    QStringList out;
    for (const Product &p : rows)
        out << QStringList{p.code, p.name, p.price, p.remarks, p.jan}.join(QLatin1Char('|'));
    return out.join(QLatin1Char('/'));
}

} // namespace

class TestCsvFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleaning_data();
    void cleaning();
    void writeLayout_data();
    void writeLayout();
    void read_data();
    void read();
    void readFaults_data();
    void readFaults();
    void roundTripBytes_data();
    void roundTripBytes();
    void taxClassLetter_data();
    void taxClassLetter();
    void filesFromElsewhere();
    void encodingChoice_data();
    void encodingChoice();
    void spreadsheetUtf8Export();
    void spreadsheetQuotesAndJisForms();
    void unencodableTextRefused_data();
    void unencodableTextRefused();
    void controlCharacterMessage();
    void priceOverflowOnWrite();
    void reportTexts();
    void fileSystemFaults();
    void hugeLine();
    void manyRows();
    void recordsAcrossSlices_data();
    void recordsAcrossSlices();
    void regressionInputs();
    void rowBound_data();
    void rowBound();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
};

void TestCsvFile::cleaning_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("plain") << "りんご"
                           << "りんご";
    QTest::newRow("comma") << "A,B"
                           << "A・B";
    QTest::newRow("two commas") << ",x,"
                                << "・x・";
    QTest::newRow("double quote") << "12\"inch"
                                  << "12inch";
    QTest::newRow("apostrophe") << "it's"
                                << "its";
    QTest::newRow("all") << "a,\"b'c\""
                         << "a・bc";
    QTest::newRow("only quotes") << "\"'\""
                                 << "";
    QTest::newRow("full-width comma kept") << "A，B"
                                           << "A，B";
}

void TestCsvFile::cleaning()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(cleanField(in), out);
}

void TestCsvFile::writeLayout_data()
{
    QTest::addColumn<Product>("product");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("13 digits, empty remarks") << make("A1", "りんご", "198", "", "4901234567894")
                                              << sjis("\"A1\",\"りんご\",198,\"\",\"4901234567894B\"\r\n");
    QTest::newRow("no JAN gives B") << make("", "x", "5", "r", "") << QByteArray("\"\",\"x\",5,\"r\",\"B\"\r\n");
    QTest::newRow("comma in code") << make("A,1", "n", "1", "", "") << sjis("\"A・1\",\"n\",1,\"\",\"B\"\r\n");
    QTest::newRow("quote and apostrophe in name")
        << make("c", "5\"'s", "1", "", "") << QByteArray("\"c\",\"5s\",1,\"\",\"B\"\r\n");
    QTest::newRow("price with separators")
        << make("c", "n", "1,980", "", "") << QByteArray("\"c\",\"n\",1980,\"\",\"B\"\r\n");
    QTest::newRow("non-numeric price is 0")
        << make("c", "n", "abc", "", "") << QByteArray("\"c\",\"n\",0,\"\",\"B\"\r\n");
    QTest::newRow("empty price is 0") << make("c", "n", "", "", "") << QByteArray("\"c\",\"n\",0,\"\",\"B\"\r\n");
    QTest::newRow("negative price") << make("c", "n", "-120", "", "") << QByteArray("\"c\",\"n\",-120,\"\",\"B\"\r\n");
    QTest::newRow("fraction rounds to even")
        << make("c", "n", "12.5", "", "") << QByteArray("\"c\",\"n\",12,\"\",\"B\"\r\n");
    QTest::newRow("8 digits") << make("c", "n", "1", "", "49012342")
                              << QByteArray("\"c\",\"n\",1,\"\",\"49012342B\"\r\n");
}

void TestCsvFile::writeLayout()
{
    QFETCH(Product, product);
    QFETCH(QByteArray, line);
    const WriteResult r = WriteFile({product});
    QVERIFY(r.ok());
    QCOMPARE(r.bytes, line);
}

void TestCsvFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("rows");
    QTest::newRow("zero bytes") << QByteArray() << "";
    QTest::newRow("one record") << sjis("\"A1\",\"りんご\",198,\"\",\"4901234567894B\"\r\n")
                                << "A1|りんご|198||4901234567894";
    QTest::newRow("B alone is no JAN") << QByteArray("\"\",\"x\",5,\"r\",\"B\"\r\n") << "|x|5|r|";
    QTest::newRow("plain digits kept") << QByteArray("\"a\",\"x\",5,\"\",\"49012342\"\r\n") << "a|x|5||49012342";
    QTest::newRow("no final line end") << QByteArray("\"a\",\"x\",5,\"\",\"B\"") << "a|x|5||";
    QTest::newRow("LF only") << QByteArray("\"a\",\"x\",5,\"\",\"B\"\n\"b\",\"y\",6,\"\",\"B\"\n") << "a|x|5||/b|y|6||";
    QTest::newRow("blank lines skipped")
        << QByteArray("\r\n\"a\",\"x\",5,\"\",\"B\"\r\n\r\n  \r\n\"b\",\"y\",6,\"\",\"B\"\r\n\r\n")
        << "a|x|5||/b|y|6||";
    QTest::newRow("unquoted fields trimmed") << QByteArray(" a , x ,  7 , r ,123\r\n") << "a|x|7|r|123";
    QTest::newRow("quoted blanks kept") << QByteArray("\" a \",\"x\",1,\"\",\"B\"\r\n") << " a |x|1||";
    QTest::newRow("quoted comma kept") << QByteArray("\"a,b\",\"x\",1,\"\",\"B\"\r\n") << "a,b|x|1||";
    QTest::newRow("quoted field spans lines") << QByteArray("\"a\",\"x\r\ny\",1,\"\",\"B\"\r\n") << "a|x\r\ny|1||";
    QTest::newRow("empty price reads 0") << QByteArray("\"a\",\"x\",,\"\",\"B\"\r\n") << "a|x|0||";
    QTest::newRow("quoted price") << QByteArray("\"a\",\"x\",\"42\",\"\",\"B\"\r\n") << "a|x|42||";
    QTest::newRow("negative price") << QByteArray("\"a\",\"x\",-42,\"\",\"B\"\r\n") << "a|x|-42||";
    QTest::newRow("largest price") << QByteArray("\"a\",\"x\",2147483647,\"\",\"B\"\r\n") << "a|x|2147483647||";
    QTest::newRow("letter other than B removed")
        << QByteArray("\"a\",\"x\",1,\"\",\"4901234567894X\"\r\n") << "a|x|1||4901234567894";
    QTest::newRow("half-width kana") << sjis("\"ｱｲｳ\",\"ﾃｽﾄ\",1,\"\",\"B\"\r\n") << "ｱｲｳ|ﾃｽﾄ|1||";
    QTest::newRow("DOS end-of-file mark") << QByteArray("\"a\",\"x\",5,\"\",\"B\"\r\n\x1A") << "a|x|5||";
    QTest::newRow("trail byte 0x5C") << sjis("\"表\",\"ソ\",1,\"能\",\"B\"\r\n") << "表|ソ|1|能|";
    // A quote inside a text, as spreadsheets write it: doubled, in both encodings of the list.
    const QString quoted = QStringLiteral("\"A-2\",\"カンマ,入り \"\"引用\"\" 商品\",100,\"\",\"4901234567894B\"\r\n");
    const QString quotedRow = QStringLiteral("A-2|カンマ,入り \"引用\" 商品|100||4901234567894");
    QTest::newRow("doubled quotes, CP932") << sjis(quoted) << quotedRow;
    QTest::newRow("doubled quotes, UTF-8") << quoted.toUtf8() << quotedRow;
    QTest::newRow("doubled quotes, UTF-8 with BOM") << "\xEF\xBB\xBF" + quoted.toUtf8() << quotedRow;
    QTest::newRow("only a doubled quote") << QByteArray("\"\"\"\",\"x\",1,\"\",\"B\"\r\n") << "\"|x|1||";
    QTest::newRow("doubled quotes at both ends") << QByteArray("\"a\",\"\"\"x\"\"\",1,\"\",\"B\"\r\n") << "a|\"x\"|1||";
    QTest::newRow("doubled quote across lines")
        << QByteArray("\"a\",\"x\"\"\r\n\"\"y\",1,\"\",\"B\"\r\n\"b\",\"z\",2,\"\",\"B\"\r\n")
        << "a|x\"\r\n\"y|1||/b|z|2||";
    // Typed on a Linux or macOS desktop: the JIS forms become the CP932 characters meant.
    QTest::newRow("JIS forms in UTF-8") << QStringLiteral("\"−1\",\"1〜3 個—特価\",1,\"¢£¬‖\",\"B\"\r\n").toUtf8()
                                        << "－1|1～3 個―特価|1|￠￡￢∥|";
}

void TestCsvFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, rows);
    const ReadResult r = ReadFile(bytes);
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(describe(r.rows), rows);
    for (const Product &p : r.rows)
        QVERIFY(!p.checked);
}

void TestCsvFile::readFaults_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("kept");
    const QByteArray good("\"a\",\"x\",1,\"\",\"B\"\r\n");
    QTest::newRow("missing field on last line") << good + "\"b\",\"y\",2,\"\"\r\n" << 62 << 2 << "a|x|1||";
    QTest::newRow("missing field mid-file does not shift")
        << good + "\"b\",\"y\",2,\"\"\r\n" + good << 62 << 2 << "a|x|1||";
    QTest::newRow("extra field") << good + good + "\"b\",\"y\",2,\"\",\"B\",\"z\"\r\n" << 62 << 3 << "a|x|1||/a|x|1||";
    QTest::newRow("trailing comma") << QByteArray("\"b\",\"y\",2,\"\",\"B\",\r\n") << 62 << 1 << "";
    QTest::newRow("unterminated quote at end") << good + "\"b\",\"y\",2,\"\",\"B" << 62 << 2 << "a|x|1||";
    QTest::newRow("unterminated quote spanning lines") << good + good + "\"b\",\"y\r\nz,2\r\n"
                                                       << 62 << 3 << "a|x|1||/a|x|1||";
    QTest::newRow("lone lead byte at the end") << good + "\"b\",\"y\",2,\"\",\"B\"\x81" << 13 << 2 << "a|x|1||";
    QTest::newRow("bad byte after a closing quote") << good + good + "\"b\"\xFF,\"y\",2,\"\",\"B\"\r\n"
                                                    << 13 << 3 << "a|x|1||/a|x|1||";
    QTest::newRow("price over 32 bits") << good + "\"b\",\"y\",2147483648,\"\",\"B\"\r\n" << 6 << 2 << "a|x|1||";
    QTest::newRow("price far over 32 bits")
        << QByteArray("\"b\",\"y\",99999999999999999999,\"\",\"B\"\r\n") << 6 << 1 << "";
    QTest::newRow("price not a number") << good + "\"b\",\"y\",12a,\"\",\"B\"\r\n" << 13 << 2 << "a|x|1||";
    QTest::newRow("invalid CP932 lead byte") << good + "\"b\",\"\x81\",2,\"\",\"B\"\r\n" << 13 << 2 << "a|x|1||";
    QTest::newRow("invalid byte 0xFF") << good + good + "\"\xFF\",\"y\",2,\"\",\"B\"\r\n"
                                       << 13 << 3 << "a|x|1||/a|x|1||";
    QTest::newRow("NUL byte") << good + QByteArray("\"b\",\"y\0z\",2,\"\",\"B\"\r\n", 21) << 13 << 2 << "a|x|1||";
    QTest::newRow("control byte 0x1C") << good + "\"b\",\"y\x1C\",2,\"\",\"B\"\r\n" << 13 << 2 << "a|x|1||";
    QTest::newRow("control byte 0x1A mid-file") << good + "\"b\x1A\",\"y\",2,\"\",\"B\"\r\n" << 13 << 2 << "a|x|1||";
    QTest::newRow("single field line") << good + "hello world\r\n" << 62 << 2 << "a|x|1||";
}

void TestCsvFile::readFaults()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    QFETCH(int, line);
    QFETCH(QString, kept);
    const ReadResult r = ReadFile(bytes);
    QVERIFY(!r.ok());
    QVERIFY(r.formatProblem);
    QCOMPARE(r.error.number, number);
    QCOMPARE(r.line, line);
    QVERIFY2(r.error.description.endsWith(QStringLiteral(" (%1 行目)").arg(line)), qPrintable(r.error.description));
    QCOMPARE(describe(r.rows), kept);
}

void TestCsvFile::roundTripBytes_data()
{
    QTest::addColumn<ProductList>("rows");
    QTest::newRow("empty list") << ProductList{};
    QTest::newRow("mixed") << ProductList{
        make("A-1", "りんご（ふじ）", "198", "", "4901234567894"), make("", "ﾊﾞﾅﾅ ①", "1980", "房売り", ""),
        make("X", "髙橋 ∑ ～", "-5", "限定・特価", "49012342"), make("Y", "改行\r\n入り", "0", " 空白 ", "")};
    ProductList many;
    for (int i = 0; i < 500; ++i)
        many << make(QString::number(i), QStringLiteral("商品%1").arg(i), QString::number(i * 37), QString(),
                     i % 2 ? QStringLiteral("4901234567894") : QString());
    QTest::newRow("500 rows") << many;
    ProductList classes{make("T", "煎茶", "1000", "", "4901234567894"), make("C", "湯呑み", "1200", "", "49012342"),
                        make("N", "新聞", "150", "朝刊", ""), make("S", "袋", "5", "", "")};
    classes[0].reduced = classes[2].reduced = true;
    QTest::newRow("both tax classes") << classes;
}

// The letter after the JAN code carries the tax class; a reader that knows one rate drops it as it
// drops "B" and keeps the code.
void TestCsvFile::taxClassLetter_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("jan");
    QTest::addColumn<bool>("reduced");
    QTest::newRow("EAN-13 standard") << "4901234567894B"
                                     << "4901234567894" << false;
    QTest::newRow("EAN-13 reduced") << "4901234567894K"
                                    << "4901234567894" << true;
    QTest::newRow("EAN-8 reduced") << "49012342K"
                                   << "49012342" << true;
    QTest::newRow("no code, standard") << "B" << QString() << false;
    QTest::newRow("no code, reduced") << "K" << QString() << true;
}

void TestCsvFile::taxClassLetter()
{
    QFETCH(QString, field);
    QFETCH(QString, jan);
    QFETCH(bool, reduced);
    const QByteArray bytes = sjis(QStringLiteral("\"c\",\"名\",100,\"\",\"") + field + QStringLiteral("\"\r\n"));
    const ReadResult r = ReadFile(bytes);
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(r.rows.size(), 1);
    QCOMPARE(r.rows.at(0).jan, jan);
    QCOMPARE(r.rows.at(0).reduced, reduced);
    const WriteResult back = WriteFile(r.rows);
    QVERIFY(back.ok());
    QCOMPARE(back.bytes, bytes);
    // An older reader: the field without its last character when that is not a digit.
    const QString last = field.right(1);
    QCOMPARE(last.at(0).isDigit() ? field : field.chopped(1), jan);
}

void TestCsvFile::roundTripBytes()
{
    QFETCH(ProductList, rows);
    const WriteResult first = WriteFile(rows);
    QVERIFY(first.ok());
    const ReadResult back = ReadFile(first.bytes);
    QVERIFY2(back.ok(), qPrintable(back.error.description));
    QCOMPARE(describe(back.rows), describe(rows));
    const WriteResult second = WriteFile(back.rows);
    QVERIFY(second.ok());
    QCOMPARE(second.bytes, first.bytes);
}

void TestCsvFile::filesFromElsewhere()
{
    // Converted with iconv -f UTF-8 -t CP932, including an IBM extension kanji and a circled digit.
    const QByteArray converted = dataFile(QStringLiteral("iconv_converted.csv"));
    ReadResult r = ReadFile(converted);
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(describe(r.rows), QStringLiteral("A-001|りんご（ふじ）|198||4901234567894/"
                                              "B-02|ﾊﾞﾅﾅ・輸入|1980|房売り|/"
                                              "|髙橋の①番茶|12345678|限定|49012342"));
    // Our own writer gives back the same bytes.
    QCOMPARE(WriteFile(r.rows).bytes, converted);

    // A spreadsheet export: unquoted texts and plain digits in the fifth field.
    r = ReadFile(dataFile(QStringLiteral("spreadsheet_export.csv")));
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(describe(r.rows),
             QStringLiteral("A-001|りんご|198||4901234567894/B-02|みかん 箱|2500|特価|49012342/C-3|ぶどう|0||"));

    r = ReadFile(dataFile(QStringLiteral("empty.csv")));
    QVERIFY(r.ok());
    QVERIFY(r.rows.isEmpty());
}

void TestCsvFile::encodingChoice_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::addColumn<bool>("alsoValidUtf8");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("error"); // empty when the whole file is read
    const QByteArray bom("\xEF\xBB\xBF");
    const QString apple = QStringLiteral("\"A1\",\"りんご\",198,\"\",\"4901234567894B\"\r\n");
    const QString kana = QStringLiteral("\"001\",\"ﾐｿ\",198,\"\",\"B\"\r\n\"002\",\"ﾅｽ\",98,\"\",\"B\"\r\n");
    QTest::newRow("BOM and Japanese") << bom + apple.toUtf8() << true << true << false << "A1|りんご|198||4901234567894"
                                      << "";
    QTest::newRow("Japanese without BOM") << apple.toUtf8() << true << false << false << "A1|りんご|198||4901234567894"
                                          << "";
    QTest::newRow("emoji without BOM") << QStringLiteral("\"a\",\"りんご🍎\",1,\"\",\"B\"\r\n").toUtf8() << true << false
                                       << false << ""
                                       << "1 行目 B 列に Shift_JIS で保存できない文字「🍎」があります。";
    QTest::newRow("BOM and ASCII only") << bom + "\"a\",\"x\",1,\"\",\"B\"\r\n"
                                        << true << true << false << "a|x|1||"
                                        << "";
    QTest::newRow("BOM alone") << bom << true << true << false << ""
                               << "";
    QTest::newRow("ASCII only") << QByteArray("\"a\",\"x\",1,\"\",\"B\"\r\n") << false << false << false << "a|x|1||"
                                << "";
    QTest::newRow("CP932 Japanese") << sjis(apple) << false << false << false << "A1|りんご|198||4901234567894"
                                    << "";
    // C0 AF ("ﾀｯ") is an overlong UTF-8 form, so no UTF-8.
    QTest::newRow("CP932 half-width kana")
        << sjis(QStringLiteral("\"T\",\"ﾀｯﾁﾍﾟﾝ\",1,\"\",\"B\"\r\n")) << false << false << false << "T|ﾀｯﾁﾍﾟﾝ|1||"
        << "";
    // D0 BF and C5 BD are also UTF-8 for "п" and "Ž": kept as the CP932 they most likely are.
    QTest::newRow("CP932 half-width kana that is valid UTF-8 too")
        << sjis(kana) << false << false << true << "001|ﾐｿ|198||/002|ﾅｽ|98||"
        << "";
    // The same choice for UTF-8 with accented letters only: the bytes stay as they were on saving.
    QTest::newRow("accented UTF-8 that is valid CP932 too")
        << QStringLiteral("\"c\",\"café\",1,\"\",\"B\"\r\n").toUtf8() << false << false << true << "c|cafﾃｩ|1||"
        << "";
    // C3 A0 ("à") is no CP932.
    QTest::newRow("accented UTF-8 that CP932 cannot read")
        << QStringLiteral("\"c\",\"Crème à la carte\",1,\"\",\"B\"\r\n").toUtf8() << true << false << false << ""
        << "1 行目 B 列に Shift_JIS で保存できない文字「è」があります。";
    QTest::newRow("UTF-8 Japanese with a CP932 line")
        << apple.toUtf8() + sjis(QStringLiteral("\"B2\",\"みかん\",1,\"\",\"B\"\r\n")) << true << false << false
        << "A1|りんご|198||4901234567894"
        << "UTF-8 の文字として読めないデータがあります。 (2 行目)";
    QTest::newRow("BOM and a CP932 line")
        << bom + apple.toUtf8() + sjis(QStringLiteral("\"B2\",\"みかん\",1,\"\",\"B\"\r\n")) << true << true << false
        << "A1|りんご|198||4901234567894"
        << "UTF-8 の文字として読めないデータがあります。 (2 行目)";
    QTest::newRow("BOM and a bad byte after a closing quote")
        << bom + apple.toUtf8() + "\"b\"\xFF,\"y\",2,\"\",\"B\"\r\n" + apple.toUtf8() << true << true << false
        << "A1|りんご|198||4901234567894"
        << "UTF-8 の文字として読めないデータがあります。 (2 行目)";
    QTest::newRow("UTF-16 with its byte-order mark")
        << "\xFF\xFE" + QByteArray(reinterpret_cast<const char *>(u"A\tりんご\t198\r\n"), 22) << false << false << false
        << ""
        << "UTF-16 のファイルは読み込めません。UTF-8 か Shift_JIS の CSV ファイルとして保存し直してください。 (1 行目)";
    QTest::newRow("BOM and a surrogate") << bom + "\"a\",\"\xED\xA0\x80\",1,\"\",\"B\"\r\n"
                                         << true << true << false << ""
                                         << "UTF-8 の文字として読めないデータがあります。 (1 行目)";
}

void TestCsvFile::encodingChoice()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QFETCH(bool, byteOrderMark);
    QFETCH(bool, alsoValidUtf8);
    QFETCH(QString, rows);
    QFETCH(QString, error);
    const ReadResult r = ReadFile(bytes);
    QCOMPARE(r.encoding, utf8 ? ListEncoding::Utf8 : ListEncoding::Cp932);
    QCOMPARE(r.byteOrderMark, byteOrderMark);
    QCOMPARE(r.alsoValidUtf8, alsoValidUtf8);
    QCOMPARE(describe(r.rows), rows);
    QCOMPARE(r.error.description, error);
    // A character no save could keep refuses the whole list; it is no fault of the layout.
    QCOMPARE(r.refused, error.contains(QStringLiteral("保存できない")));
    QCOMPARE(r.formatProblem, !error.isEmpty() && !r.refused);
    const QString note = utf8 ? QStringLiteral("UTF-8 で読み込みました（保存は Shift_JIS）")
                         : alsoValidUtf8
                             ? QStringLiteral("Shift_JIS で読み込みました（UTF-8 なら BOM 付きで保存し直してください）")
                             : QString();
    QCOMPARE(encodingNoteText(r), note);
}

void TestCsvFile::spreadsheetUtf8Export()
{
    // Saved by a spreadsheet program as UTF-8 CSV: byte-order mark, CR LF, quotes only around fields
    // with a comma, plain digits in the fifth field.
    const ReadResult r = readCsvFile(QStringLiteral(VENNLO_TEST_DATA_DIR "/products/utf8_export.csv"));
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(r.encoding, ListEncoding::Utf8);
    QVERIFY(r.byteOrderMark);
    const QString expected = QStringLiteral("A-001|りんご（ふじ）|198||4901234567894/"
                                            "B-02|みかん, 箱|2500|特価|49012342/"
                                            "C-3|髙橋の①番茶|1280|新茶, 限定|/"
                                            "D-4|ﾊﾞﾅﾅ|98|房売り|4901234567894");
    QCOMPARE(describe(r.rows), expected);
    QCOMPARE(encodingNoteText(r), QStringLiteral("UTF-8 で読み込みました（保存は Shift_JIS）"));
    // Saved as CP932, it reads back as the same list but for the cleaned commas.
    const WriteResult w = WriteFile(r.rows);
    QVERIFY(w.ok());
    const ReadResult back = ReadFile(w.bytes);
    QCOMPARE(back.encoding, ListEncoding::Cp932);
    QCOMPARE(describe(back.rows), QString(expected).replace(QStringLiteral(", "), QStringLiteral("・ ")));
}

// A UTF-8 export with quotes, commas and text typed on a Linux desktop: read as the spreadsheet
// showed it, and saved as glibc's iconv -t CP932 turns the cleaned text into bytes.
void TestCsvFile::spreadsheetQuotesAndJisForms()
{
    const ReadResult r = readCsvFile(QStringLiteral(VENNLO_TEST_DATA_DIR "/products/spreadsheet_quotes_utf8.csv"));
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(r.encoding, ListEncoding::Utf8);
    QCOMPARE(describe(r.rows), QStringLiteral("A-2|カンマ,入り \"引用\" 商品|100||4901234567894/"
                                              "B－3|営業日 9:00～18:00|1980|“限定”―数量,少|49012342/"
                                              "C-4|①㈱ﾊﾝｶｸ ﾃｽﾄ|398|1\"2\"3|"));
    const WriteResult w = WriteFile(r.rows);
    QVERIFY(w.ok());
    const QByteArray saved = dataFile(QStringLiteral("spreadsheet_quotes_saved.csv"));
    QCOMPARE(w.bytes, saved);
    // And the saved list goes round unchanged.
    const ReadResult back = ReadFile(saved);
    QVERIFY(back.ok());
    QCOMPARE(WriteFile(back.rows).bytes, saved);
}

void TestCsvFile::unencodableTextRefused_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("emoji in name") << 1 << QStringLiteral("りんご🍎") << "商品名";
    QTest::newRow("rare kanji in code") << 0 << QStringLiteral("𠮷野") << "品番等";
    QTest::newRow("hangul in remarks") << 3 << QStringLiteral("한글") << "備考";
    QTest::newRow("accented in JAN") << 4 << QStringLiteral("é") << "JANコード";
    QTest::newRow("control character in name") << 1 << QStringLiteral("a\x1Cb") << "商品名";
    QTest::newRow("NUL in remarks") << 3 << QString(QChar(0)) << "備考";
}

void TestCsvFile::unencodableTextRefused()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    ProductList rows{make("a", "b", "1", "", ""), make("c", "d", "2", "", ""), make("e", "f", "3", "", "")};
    Product &p = rows[1];
    QString *targets[] = {&p.code, &p.name, &p.price, &p.remarks, &p.jan};
    *targets[field] = text;
    const WriteResult r = WriteFile(rows);
    QVERIFY(!r.ok());
    QVERIFY(r.bytes.isEmpty());
    QCOMPARE(r.badRow, 1);
    QCOMPARE(r.badField, caption);
    QCOMPARE(r.error.number, AppError::InvalidPropertyValue);
    QVERIFY2(r.error.description.startsWith(QStringLiteral("No.2 の") + caption), qPrintable(r.error.description));
    QVERIFY(!r.badCharacter.isEmpty() && text.contains(r.badCharacter));
}

void TestCsvFile::controlCharacterMessage()
{
    const WriteResult r = WriteFile({make("a", QStringLiteral("x\x1Cy"), "1", "", "")});
    QCOMPARE(r.error.description,
             QStringLiteral("No.1 の商品名に Shift_JIS で保存できない文字「制御文字 U+001C」があります。"));
    const WriteResult e = WriteFile({make("a", "b", "1", "", ""), make("a", QStringLiteral("りんご🍎"), "1", "", "")});
    QCOMPARE(e.error.description, QStringLiteral("No.2 の商品名に Shift_JIS で保存できない文字「🍎」があります。"));
}

void TestCsvFile::priceOverflowOnWrite()
{
    const WriteResult r = WriteFile({make("a", "b", "1", "", ""), make("a", "b", "3000000000", "", "")});
    QVERIFY(!r.ok());
    QCOMPARE(r.error.number, AppError::Overflow);
    QCOMPARE(r.badRow, 1);
    QCOMPARE(r.error.description, QStringLiteral("オーバーフローしました。 (No.2 の価格)"));
}

void TestCsvFile::reportTexts()
{
    ReadResult r = ReadFile("\"a\",\"x\",1,\"\"\r\n");
    QCOMPARE(readErrorReportText(QStringLiteral("main.ReadFile"), r),
             QStringLiteral("エラーが発生しました(main.ReadFile)\r\n"
                            "読み込んだデータが「ぽらね値札作成」のデータ形式を満たしているか確認してください.\r\n"
                            "\r\n"
                            "エラー番号: 62\r\n"
                            "内容: 1 行の項目の数が 4 個です。5 個必要です。 (1 行目)"));
    r = ReadResult{};
    r.error = AppError::fileNotFound(QStringLiteral("/x/y.csv"));
    QCOMPARE(
        readErrorReportText(QStringLiteral("main.ReadFile"), r),
        QStringLiteral(
            "エラーが発生しました(main.ReadFile)\r\nエラー番号: 53\r\n内容: ファイルが見つかりません。 (/x/y.csv)"));
}

void TestCsvFile::fileSystemFaults()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ReadResult r = readCsvFile(dir.path());
    QVERIFY(!r.ok());
    QVERIFY(!r.formatProblem);
    QCOMPARE(r.error.number, 75);
    r = readCsvFile(dir.filePath(QStringLiteral("none.csv")));
    QCOMPARE(r.error.number, AppError::FileNotFound);
    r = readCsvFile(dir.filePath(QStringLiteral("no/such/folder/x.csv")));
    QCOMPARE(r.error.number, AppError::PathNotFound);

    // A write into a missing folder fails and creates nothing.
    const WriteResult w = writeCsvFile(dir.filePath(QStringLiteral("no/x.csv")), {make("a", "b", "1", "", "")});
    QVERIFY(!w.ok());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("no/x.csv"))));

    // A refused text leaves the existing file as it was.
    const QString path = dir.filePath(QStringLiteral("keep.csv"));
    QVERIFY(writeCsvFile(path, {make("a", "b", "1", "", "")}).ok());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    QVERIFY(!writeCsvFile(path, {make("a", "🍎", "1", "", "")}).ok());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestCsvFile::hugeLine()
{
    // 50 MB on one line: a clear format report, no hang.
    QByteArray line(50 * 1024 * 1024, 'A');
    ReadResult r = ReadFile(QByteArray("\"a\",\"x\",1,\"\",\"B\"\r\n") + line + "\r\n");
    QVERIFY(!r.ok());
    QVERIFY(r.formatProblem);
    QCOMPARE(r.line, 2);
    QCOMPARE(r.rows.size(), 1);
    // The same length as one quoted name with all five fields: refused as too long.
    r = ReadFile("\"a\",\"" + line + "\",1,\"\",\"B\"\r\n");
    QVERIFY(!r.ok());
    QCOMPARE(r.error.number, AppError::Overflow);
    QVERIFY(r.rows.isEmpty());
}

void TestCsvFile::manyRows()
{
    // More than the 32,766 records the old 16-bit counter allowed.
    ProductList rows;
    rows.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        rows << make(QStringLiteral("C%1").arg(i), QStringLiteral("商品 %1").arg(i), QString::number(i), QString(),
                     QString());
    const WriteResult w = WriteFile(rows);
    QVERIFY(w.ok());
    const ReadResult r = ReadFile(w.bytes);
    QVERIFY(r.ok());
    QCOMPARE(r.rows.size(), 100000);
    QCOMPARE(r.rows.at(32766).code, QStringLiteral("C32766"));
    QCOMPARE(r.rows.last().price, QStringLiteral("99999"));
}

void TestCsvFile::recordsAcrossSlices_data()
{
    QTest::addColumn<int>("before"); // bytes of the cut record before the first megabyte's end
    for (int before : {1, 4, 9, 17, 30, 60})
        QTest::newRow(qPrintable(QString::number(before))) << before;
}

void TestCsvFile::recordsAcrossSlices()
{
    // A list is read a megabyte at a time: a record cut by that boundary, in a quoted field spanning
    // lines or in a double-byte character, reads whole, and a fault two megabytes on names its line.
    QFETCH(int, before);
    const QByteArray filler = sjis("\"F\",\"詰め物\",1,\"\",\"B\"\r\n");
    QByteArray bytes;
    QStringList expected;
    auto fill = [&](qsizetype upTo) {
        while (bytes.size() + filler.size() <= upTo) {
            bytes += filler;
            expected << QStringLiteral("F|詰め物|1||");
        }
    };
    fill((1 << 20) - before);
    bytes += QByteArray((1 << 20) - before - bytes.size(), ' ');
    bytes += sjis("\"M\",\"一行目\r\n二行目\",2,\"備考\",\"4901234567894B\"\r\n");
    expected << QStringLiteral("M|一行目\r\n二行目|2|備考|4901234567894");
    fill(3 << 20);
    const ReadResult r = ReadFile(bytes);
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(describe(r.rows), expected.join(QLatin1Char('/')));

    const int line = int(bytes.count('\n')) + 1;
    bytes += QByteArray("\"X\",\"\x81\x20\",1,\"\",\"B\"\r\n") + filler;
    const ReadResult bad = ReadFile(bytes);
    QVERIFY(!bad.ok());
    QCOMPARE(bad.line, line);
    QCOMPARE(bad.rows.size(), expected.size());
}

void TestCsvFile::regressionInputs()
{
    // Inputs found by the fuzzer (fuzz/), each once a crash or a hang; each must give a clean result.
    const QDir dir(QStringLiteral(VENNLO_TEST_DATA_DIR "/products/fuzz"));
    const QStringList files = dir.entryList(QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const ReadResult r = ReadFile(f.readAll());
        QVERIFY2(r.ok() || (r.formatProblem && r.line > 0), qPrintable(name));
        if (!r.ok())
            continue;
        const WriteResult w = WriteFile(r.rows);
        if (!w.ok()) {
            QVERIFY(!w.badField.isEmpty());
            continue;
        }
        const ReadResult again = ReadFile(w.bytes);
        QVERIFY2(again.ok(), qPrintable(name));
        QVERIFY2(WriteFile(again.rows).bytes == w.bytes, qPrintable(name));
    }
}

void TestCsvFile::rowBound_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("maxRows");
    QTest::addColumn<int>("faultLine"); // 0: read whole
    QTest::newRow("at the bound") << 3 << QByteArray() << 3 << 0;
    QTest::newRow("blank lines after the bound") << 3 << QByteArray("\r\n  \r\n") << 3 << 0;
    QTest::newRow("one past the bound") << 4 << QByteArray() << 3 << 4;
    QTest::newRow("far past the bound") << 50 << QByteArray() << 10 << 11;
    QTest::newRow("past the bound after a blank line") << 3 << QByteArray("\r\n\"z\",\"z\",1,\"\",\"B\"\r\n") << 3 << 5;
}

void TestCsvFile::rowBound()
{
    QFETCH(int, rows);
    QFETCH(QByteArray, tail);
    QFETCH(int, maxRows);
    QFETCH(int, faultLine);
    QByteArray bytes;
    for (int i = 0; i < rows; ++i)
        bytes += "\"c" + QByteArray::number(i) + "\",\"n\",1,\"\",\"B\"\r\n";
    const ReadResult r = ReadFile(bytes + tail, maxRows);
    if (faultLine == 0) {
        QVERIFY(r.ok());
        QCOMPARE(r.rows.size(), rows);
        return;
    }
    QVERIFY(!r.ok());
    QCOMPARE(r.error.number, AppError::Overflow);
    QCOMPARE(r.line, faultLine);
    QCOMPARE(r.rows.size(), maxRows);
    QCOMPARE(r.error.description, QStringLiteral("データの件数が多すぎます。読み込めるのは %1 件までです。 (%2 行目)")
                                      .arg(maxRows)
                                      .arg(faultLine));
}

void TestCsvFile::onlyRegularFilesAreRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("FIFO without writer") << "fifo" << 75 << "通常のファイルではありません。";
    QTest::newRow("endless device") << "device" << 75 << "通常のファイルではありません。";
    QTest::newRow("over the size bound")
        << "large" << int(AppError::Overflow)
        << "ファイルが大きすぎます。読み込めるのは 128 MiB (134,217,728 バイト) までです。";
}

void TestCsvFile::onlyRegularFilesAreRead()
{
    QFETCH(QString, kind);
    QFETCH(int, number);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QString path = dir.filePath(kind + QStringLiteral(".csv"));
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(MaxListFileBytes + 1)); // sparse: no disk used, and never read
    }
    const ReadResult r = readCsvFile(path);
    QVERIFY(!r.ok());
    QVERIFY(!r.formatProblem);
    QVERIFY(r.rows.isEmpty());
    QCOMPARE(r.error.number, number);
    QCOMPARE(r.error.description, text + QStringLiteral(" (") + path + QLatin1Char(')'));
}

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csv_file.moc"
