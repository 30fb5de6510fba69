// The workbook import: the same products from every format that real spreadsheet programs wrote,
// the text of each kind of cell, the layout rules on workbooks written here, and bad input.

#include "workbooks/workbook.h"
#include "workbooks/workbook_import.h"
#include "workbooks/workbook_parts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <zip.h>

using namespace products;
using platform::AppError;

namespace {

const QString kData = QStringLiteral(VENNLO_TEST_DATA_DIR "/workbooks/");

// Rows written compactly for the tables: fields joined by "|", rows by "/".
QString describe(const ProductList &rows)
{
    QStringList out;
    for (const Product &p : rows)
        out << QStringList{p.code, p.name, p.price, p.remarks, p.jan}.join(QLatin1Char('|'));
    return out.join(QLatin1Char('/'));
}

using Parts = QList<std::pair<QString, QByteArray>>;

// A part whose content is made while the archive is written, so that a huge part needs no memory.
struct Filler {
    qint64 size;
    qint64 done = 0;
};

zip_int64_t fill(void *state, void *data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto *f = static_cast<Filler *>(state);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        f->done = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const qint64 n = std::min<qint64>(qint64(len), f->size - f->done);
        memset(data, ' ', size_t(n));
        f->done += n;
        return n;
    }
    case ZIP_SOURCE_STAT: {
        auto *st = static_cast<zip_stat_t *>(data);
        zip_stat_init(st);
        st->size = zip_uint64_t(f->size);
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(nullptr, data, len);
    default:
        return 0;
    }
}

bool writeZip(const QString &path, const Parts &parts, qint64 hugePartSize = 0)
{
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    for (const auto &[name, bytes] : parts) {
        zip_source_t *s = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) < 0)
            return false;
    }
    Filler filler{hugePartSize};
    if (hugePartSize > 0) {
        zip_source_t *s = zip_source_function(z, fill, &filler);
        const zip_int64_t index = zip_file_add(z, "xl/worksheets/sheet1.xml", s, 0);
        zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    return zip_close(z) == 0;
}

// An .xlsx with the parts a spreadsheet needs and the given sheet data; shared strings when given.
Parts xlsxParts(const QByteArray &sheetData, const QByteArray &sharedStrings = {}, const QByteArray &workbookPr = {})
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    Parts parts{
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types "
                                "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels", "<?xml version=\"1.0\"?><Relationships "
                        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" +
                            rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<?xml version=\"1.0\"?><workbook " + ns + ">" + workbookPr +
                                "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<?xml version=\"1.0\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + rel +
             "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
    };
    if (!sheetData.isNull())
        parts.append({"xl/worksheets/sheet1.xml", "<?xml version=\"1.0\"?><worksheet " + ns + "><sheetData>" +
                                                      sheetData + "</sheetData></worksheet>"});
    if (!sharedStrings.isEmpty())
        parts.append({"xl/sharedStrings.xml", "<?xml version=\"1.0\"?><sst " + ns + ">" + sharedStrings + "</sst>"});
    return parts;
}

Parts odsParts(const QByteArray &rows)
{
    return {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml", "<?xml version=\"1.0\"?><office:document-content "
                            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                            "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\">"
                            "<office:body>"
                            "<office:spreadsheet><table:table table:name=\"S\">" +
                                rows + "</table:table></office:spreadsheet></office:body></office:document-content>"}};
}

QByteArray inlineCell(const QByteArray &ref, const QByteArray &text)
{
    return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

QByteArray odsText(const QByteArray &text)
{
    return "<table:table-cell office:value-type=\"string\"><text:p>" + text + "</text:p></table:table-cell>";
}

QByteArray productsXls()
{
    QFile f(kData + QStringLiteral("products.xls"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// products.xls with the last sector of one chain ("root": the mini stream, "directory", "minifat")
// pointing at itself, as a damaged or hostile file may.
QByteArray xlsWithLoop(const QString &chain)
{
    QByteArray b = productsXls();
    const qsizetype fat = 512 * (qsizetype(le32(b, 0x4C)) + 1);
    const quint32 dir = le32(b, 0x30);
    quint32 id = chain == QLatin1String("root")        ? le32(b, 512 * (qsizetype(dir) + 1) + 0x74)
                 : chain == QLatin1String("directory") ? dir
                                                       : le32(b, 0x3C);
    while (le32(b, fat + 4 * id) != 0xFFFFFFFE)
        id = le32(b, fat + 4 * id);
    qToLittleEndian<quint32>(id, b.data() + fat + 4 * id);
    return b;
}

// products.xls whose shared string table (22 strings) claims more strings than it holds, or whose
// first string claims more characters than follow.
QByteArray xlsWithBrokenStrings(bool count)
{
    QByteArray b = productsXls();
    for (qsizetype i = 0; i + 14 < b.size(); ++i) {
        if (b.at(i) == '\xFC' && b.at(i + 1) == 0 && le32(b, i + 8) == 22 && le32(b, i + 4) >= 22) {
            if (count)
                qToLittleEndian<quint32>(0x7FFFFFFF, b.data() + i + 8);
            else
                qToLittleEndian<quint16>(0xFFFF, b.data() + i + 12);
            return b;
        }
    }
    return {};
}

// products.xls whose sheets claim (DIMENSIONS) 65,536 rows of 256 columns each.
QByteArray xlsClaimingFullSheets()
{
    QByteArray b = productsXls();
    const QByteArray dimensions("\x00\x02\x0E\x00", 4);
    for (qsizetype i = b.indexOf(dimensions); i >= 0; i = b.indexOf(dimensions, i + 4)) {
        qToLittleEndian<quint32>(65536, b.data() + i + 8);
        qToLittleEndian<quint16>(256, b.data() + i + 14);
    }
    return b;
}

} // namespace

class TestWorkbook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sameProductsFromEveryFormat_data();
    void sameProductsFromEveryFormat();
    void cellText_data();
    void cellText();
    void dateFormats_data();
    void dateFormats();
    void layout_data();
    void layout();
    void taxClassColumn_data();
    void taxClassColumn();
    void badInput_data();
    void badInput();
    void overlongTextIsNeverHeldWhole_data();
    void overlongTextIsNeverHeldWhole();
    void progressAndCancel();
    void repeatedTextIsHeldOnce();
};

void TestWorkbook::sameProductsFromEveryFormat_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx by LibreOffice") << QStringLiteral("products.xlsx");
    QTest::newRow("ods by LibreOffice") << QStringLiteral("products.ods");
    QTest::newRow("xls by LibreOffice") << QStringLiteral("products.xls");
    QTest::newRow("xls by xlwt") << QStringLiteral("products_xlwt.xls");
}

void TestWorkbook::sameProductsFromEveryFormat()
{
    QFETCH(QString, file);
    const ImportResult r = importWorkbook(kData + file);
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    const QStringList expected{
        QStringLiteral("A-001|りんごジュース 1L|198||4901234567894"), // numeric JAN cell
        QStringLiteral("1002|特選 緑茶|1980|おすすめ|4512345678907"), // JAN text with B
        QStringLiteral("|みかん||産地直送|"),                         // empty price stays empty
        QStringLiteral("X-4|セール品|特価|2024/01/15|49123456"),      // text price, a date
        QStringLiteral("F-5|合計式|2178|396|4901234567894"),          // formulas' cached values
        QStringLiteral("N-6|Coffee, Blend|124|0.1|"),                 // rounded price, a fraction
        QStringLiteral("T-7|日時|1234567|2024/03/05 10:30:00|"),      // date and time
    };
    QCOMPARE(r.rows.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(describe({r.rows.at(i)}), expected.at(i));
}

void TestWorkbook::cellText_data()
{
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("shown");
    QTest::newRow("13-digit number") << Cell::fromNumber(4567890123456.0) << QStringLiteral("4567890123456");
    QTest::newRow("15 digits") << Cell::fromNumber(123456789012345.0) << QStringLiteral("123456789012345");
    QTest::newRow("10^15") << Cell::fromNumber(1e15) << QStringLiteral("1E+15");
    QTest::newRow("float noise") << Cell::fromNumber(0.1 + 0.2) << QStringLiteral("0.3");
    QTest::newRow("negative") << Cell::fromNumber(-3.5) << QStringLiteral("-3.5");
    QTest::newRow("zero") << Cell::fromNumber(-0.0) << QStringLiteral("0");
    QTest::newRow("true") << Cell::fromBoolean(true) << QStringLiteral("TRUE");
    QTest::newRow("false") << Cell::fromBoolean(false) << QStringLiteral("FALSE");
    QTest::newRow("date") << Cell::fromDate(45306) << QStringLiteral("2024/01/15");
    QTest::newRow("date and time") << Cell::fromDate(45356.4375) << QStringLiteral("2024/03/05 10:30:00");
    QTest::newRow("time alone") << Cell::fromDate(0.75) << QStringLiteral("18:00:00");
    QTest::newRow("1900-02-28") << Cell::fromDate(59) << QStringLiteral("1900/02/28");
    QTest::newRow("1900-03-01") << Cell::fromDate(61) << QStringLiteral("1900/03/01");
    QTest::newRow("error") << Cell::fromError(QStringLiteral("#DIV/0!")) << QStringLiteral("#DIV/0!");
    QTest::newRow("empty text") << Cell::fromText(QString()) << QString();
}

void TestWorkbook::cellText()
{
    QFETCH(Cell, cell);
    QFETCH(QString, shown);
    QCOMPARE(cell.shown(), shown);
    if (cell.kind == Cell::Kind::Date && shown.contains(QLatin1Char('/')))
        QCOMPARE(serialFromDateTime(dateTimeFromSerial(cell.number)), cell.number);
}

void TestWorkbook::dateFormats_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("date");
    QTest::newRow("built-in date") << 14 << QString() << true;
    QTest::newRow("built-in Japanese era") << 30 << QString() << true;
    QTest::newRow("built-in thousands") << 3 << QString() << false;
    QTest::newRow("a code given for a built-in id") << 30 << QStringLiteral("0.0") << false;
    QTest::newRow("date code") << 164 << QStringLiteral("yyyy/m/d") << true;
    QTest::newRow("era with quoted words") << 165 << QStringLiteral("[$-411]ggge\"年\"m\"月\"d\"日\"") << true;
    QTest::newRow("elapsed hours") << 166 << QStringLiteral("[h]:mm") << true;
    QTest::newRow("colour and thousands") << 167 << QStringLiteral("[Red]#,##0") << false;
    QTest::newRow("quoted letters") << 168 << QStringLiteral("0\"ml\"") << false;
    QTest::newRow("escaped letter") << 169 << QStringLiteral("0\\m") << false;
    QTest::newRow("exponent") << 170 << QStringLiteral("0.00E+00") << false;
    QTest::newRow("general in Japanese") << 171 << QStringLiteral("G/標準") << false;
    QTest::newRow("currency with padding") << 172 << QStringLiteral("\"¥\"#,##0_);[Red](\"¥\"#,##0)") << false;
}

void TestWorkbook::dateFormats()
{
    QFETCH(int, id);
    QFETCH(QString, code);
    QFETCH(bool, date);
    QCOMPARE(workbook_parts::isDateFormat(id, code), date);
}

void TestWorkbook::layout_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<Parts>("parts");
    QTest::addColumn<QString>("rows");
    QTest::newRow("empty B in row 1: nothing")
        << "xlsx" << xlsxParts(inlineCell("A1", "x") + "<c r=\"C1\"><v>5</v></c>") << QString();
    QTest::newRow("sheet without rows") << "xlsx" << xlsxParts("") << QString();
    QTest::newRow("a missing row ends the data")
        << "xlsx"
        << xlsxParts("<row r=\"1\">" + inlineCell("B1", "one") + "</row><row r=\"3\">" + inlineCell("B3", "three") +
                     "</row>")
        << "|one|||";
    QTest::newRow("shared strings, kana readings left out, prices")
        << "xlsx"
        << xlsxParts(
               "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
               "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"b\"><v>1</v></c><c r=\"E1\" t=\"s\"><v>3</v></c></row>"
               "<row r=\"2\"><c r=\"B2\" t=\"str\"><f>A1</f><v>式</v></c><c r=\"C2\"><v>-2.5</v></c>"
               "<c r=\"D2\" t=\"e\"><v>#N/A</v></c><c r=\"E2\"><v>49123456</v></c></row>",
               "<si><t>c-1</t></si><si><r><t>赤</t></r><r><t>い靴</t></r><rPh sb=\"0\" eb=\"1\"><t>アカ</t></rPh></si>"
               "<si><t> 1,980 </t></si><si><t>B</t></si>")
        << "c-1|赤い靴|1980|TRUE|/|式|-3|#N/A|49123456";
    QTest::newRow("cells without references, 1904 dates")
        << "xlsx"
        << xlsxParts("<row><c t=\"inlineStr\"><is><t>a</t></is></c><c t=\"inlineStr\"><is><t>b</t></is></c>"
                     "<c><v>12</v></c><c t=\"d\"><v>2024-01-15T00:00:00</v></c></row>",
                     {}, "<workbookPr date1904=\"1\"/>")
        << "a|b|12|2024/01/15|";
    QTest::newRow("ods: repeated rows and columns, paragraphs, spaces, booleans, times")
        << "ods"
        << odsParts(
               "<table:table-row table:number-rows-repeated=\"2\">"
               "<table:table-cell table:number-columns-repeated=\"2\" office:value-type=\"string\">"
               "<text:p>a<text:s text:c=\"2\"/>b</text:p><text:p>c</text:p></table:table-cell>"
               "<table:table-cell office:value-type=\"currency\" office:value=\"1500.4\"><text:p>¥1,500</text:p>"
               "</table:table-cell><table:table-cell office:value-type=\"boolean\" office:boolean-value=\"false\"/>"
               "<table:table-cell office:value-type=\"time\" office:time-value=\"PT10H30M00S\"/>"
               "</table:table-row>"
               "<table:table-row table:number-rows-repeated=\"1048574\"><table:table-cell/></table:table-row>"
               "<table:table-row>" +
               odsText("x") + odsText("y") + "</table:table-row>")
        << "a  b\nc|a  b\nc|1500|FALSE|10:30:00/a  b\nc|a  b\nc|1500|FALSE|10:30:00";
    QTest::newRow("ods: a formula that ended in an error, a note left out")
        << "ods"
        << odsParts("<table:table-row>" + odsText("a") +
                    "<table:table-cell office:value-type=\"string\"><office:annotation><text:p>メモ</text:p>"
                    "</office:annotation><text:p>b</text:p></table:table-cell>"
                    "<table:table-cell table:formula=\"of:=1/0\" office:value-type=\"float\" office:value=\"0\" "
                    "calcext:value-type=\"error\"><text:p>#DIV/0!</text:p></table:table-cell></table:table-row>")
        << "a|b|#DIV/0!||";
    // Saved on a Linux desktop: the JIS forms of dashes and signs come in as the CP932 characters.
    QTest::newRow("ods: JIS forms") << "ods"
                                    << odsParts("<table:table-row>" + odsText("A−1") + odsText("9:00〜18:00 — 特価") +
                                                odsText("100") + odsText("¢£¬‖") + "</table:table-row>")
                                    << "A－1|9:00～18:00 ― 特価|100|￠￡￢∥|";
}

void TestWorkbook::layout()
{
    QFETCH(QString, suffix);
    QFETCH(Parts, parts);
    QFETCH(QString, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.") + suffix);
    QVERIFY(writeZip(path, parts));
    const ImportResult r = importWorkbook(path);
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(describe(r.rows), rows);
}

// Column F: the reduced rate as shops write it, anything else the standard rate.
void TestWorkbook::taxClassColumn_data()
{
    QTest::addColumn<QByteArray>("f"); // the F cell of row 1, as sheet XML
    QTest::addColumn<QString>("e");    // the JAN cell's text
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<QString>("jan");
    const auto text = [](const char *t) { return inlineCell("F1", t); };
    QTest::newRow("no F") << QByteArray() << "4901234567894" << false << "4901234567894";
    QTest::newRow("text 8") << text("8") << "4901234567894" << true << "4901234567894";
    QTest::newRow("text 8%") << text("8%") << "" << true << "";
    QTest::newRow("full-width ８％") << text("８％") << "" << true << "";
    QTest::newRow("text 0.08") << text("0.08") << "" << true << "";
    QTest::newRow("軽減") << text("軽減") << "" << true << "";
    QTest::newRow("※") << text(" ※ ") << "" << true << "";
    QTest::newRow("number 8") << QByteArray("<c r=\"F1\"><v>8</v></c>") << "" << true << "";
    QTest::newRow("percentage cell 0.08") << QByteArray("<c r=\"F1\"><v>0.08</v></c>") << "" << true << "";
    QTest::newRow("number 10") << QByteArray("<c r=\"F1\"><v>10</v></c>") << "" << false << "";
    QTest::newRow("text 10%") << text("10%") << "" << false << "";
    QTest::newRow("text 標準") << text("標準") << "" << false << "";
    QTest::newRow("boolean") << QByteArray("<c r=\"F1\" t=\"b\"><v>1</v></c>") << "" << false << "";
    QTest::newRow("K after the JAN code, as the list file")
        << QByteArray() << "4901234567894K" << true << "4901234567894";
}

void TestWorkbook::taxClassColumn()
{
    QFETCH(QByteArray, f);
    QFETCH(QString, e);
    QFETCH(bool, reduced);
    QFETCH(QString, jan);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    QVERIFY(writeZip(path, xlsxParts("<row r=\"1\">" + inlineCell("B1", "煎茶") + inlineCell("E1", e.toUtf8()) + f +
                                     "</row><row r=\"2\">" + inlineCell("B2", "湯呑み") + "</row>")));
    const ImportResult r = importWorkbook(path);
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(r.rows.size(), 2);
    QCOMPARE(r.rows.at(0).reduced, reduced);
    QCOMPARE(r.rows.at(0).jan, jan);
    QVERIFY(!r.rows.at(1).reduced);
}

void TestWorkbook::badInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // the file as it is, when not a zip
    QTest::addColumn<Parts>("parts");
    QTest::addColumn<qint64>("hugePart");
    QTest::addColumn<bool>("cannotOpen");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    const Parts none;
    QTest::newRow("renamed text file") << "list.xlsx" << QByteArray("\"a\",\"b\",1,\"\",\"B\"\r\n") << none << 0LL
                                       << true << CannotOpenWorkbook
                                       << QStringLiteral("list.xlsx はブックとして開けません。");
    QTest::newRow("empty file") << "empty.xls" << QByteArray("") << none << 0LL << true << CannotOpenWorkbook
                                << QStringLiteral("empty.xls はブックとして開けません。");
    QTest::newRow("damaged xls") << "bad.xls" << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1garbage", 15) << none
                                 << 0LL << true << CannotOpenWorkbook
                                 << QStringLiteral("bad.xls はブックとして開けません。");
    const QString xlsBroken = QStringLiteral("bad.xls はブックとして開けません。");
    QTest::newRow("xls: the mini stream's chain loops")
        << "bad.xls" << xlsWithLoop(QStringLiteral("root")) << none << 0LL << true << CannotOpenWorkbook
        << xlsBroken + QStringLiteral("ファイルの ミニストリーム が壊れています。");
    QTest::newRow("xls: the directory's chain loops")
        << "bad.xls" << xlsWithLoop(QStringLiteral("directory")) << none << 0LL << true << CannotOpenWorkbook
        << xlsBroken + QStringLiteral("ファイルの ディレクトリ が壊れています。");
    QTest::newRow("xls: the mini FAT's chain loops")
        << "bad.xls" << xlsWithLoop(QStringLiteral("minifat")) << none << 0LL << true << CannotOpenWorkbook
        << xlsBroken + QStringLiteral("ファイルの ミニ FAT が壊れています。");
    QTest::newRow("xls: string count beyond the table")
        << "bad.xls" << xlsWithBrokenStrings(true) << none << 0LL << true << CannotOpenWorkbook
        << xlsBroken + QStringLiteral("ブックの共有文字列 (SST) が壊れています。");
    QTest::newRow("xls: string longer than its record")
        << "bad.xls" << xlsWithBrokenStrings(false) << none << 0LL << true << CannotOpenWorkbook
        << xlsBroken + QStringLiteral("ブックの共有文字列 (SST) が壊れています。");
    QTest::newRow("xls: sheets claiming more cells than they hold")
        << "bad.xls" << xlsClaimingFullSheets() << none << 0LL << true << CannotOpenWorkbook
        << xlsBroken + QStringLiteral("ブックのシートの大きさ (DIMENSIONS) が中身に合いません。");
    QTest::newRow("zip of something else")
        << "other.xlsx" << QByteArray() << Parts{{"readme.txt", "hello"}} << 0LL << true << CannotOpenWorkbook
        << QStringLiteral("other.xlsx はブックとして開けません。");
    QTest::newRow("text document") << "letter.ods" << QByteArray()
                                   << Parts{{"mimetype", "application/vnd.oasis.opendocument.text"},
                                            {"content.xml", "<x/>"}}
                                   << 0LL << true << CannotOpenWorkbook
                                   << QStringLiteral(
                                          "letter.ods はブックとして開けません。表計算のファイルではありません。");
    QTest::newRow("xlsx without its shared strings")
        << "noshared.xlsx" << QByteArray() << xlsxParts("<row r=\"1\"><c r=\"B1\" t=\"s\"><v>0</v></c></row>") << 0LL
        << false << CannotOpenWorkbook << QStringLiteral("ブックの共有文字列 (xl/sharedStrings.xml) がありません。");
    QTest::newRow("shared string out of range")
        << "short.xlsx" << QByteArray()
        << xlsxParts("<row r=\"1\"><c r=\"B1\" t=\"s\"><v>7</v></c></row>", "<si><t>only</t></si>") << 0LL << false
        << CannotOpenWorkbook
        << QStringLiteral("ブックの共有文字列 (xl/sharedStrings.xml) に 7 番の文字列がありません。");
    QTest::newRow("broken sheet xml") << "broken.xlsx" << QByteArray()
                                      << xlsxParts("<row r=\"1\">" + inlineCell("B1", "x") + "</rw>") << 0LL << false
                                      << CannotOpenWorkbook
                                      << QStringLiteral("ブックの xl/worksheets/sheet1.xml が壊れています。");
    QTest::newRow("zip bomb") << "bomb.xlsx" << QByteArray() << xlsxParts(QByteArray())
                              << workbook_limits::MaxPartBytes + 1 << false << int(AppError::Overflow)
                              << QStringLiteral("xl/worksheets/sheet1.xml が大きすぎます (256 MB まで)。");
    QTest::newRow("1,048,576 rows") << "rows.ods" << QByteArray()
                                    << odsParts("<table:table-row table:number-rows-repeated=\"1048576\">" +
                                                odsText("a") + odsText("b") + "</table:table-row>")
                                    << 0LL << false << int(AppError::Overflow)
                                    << QStringLiteral("行が多すぎます。読み込めるのは 1,000,000 行までです。");
    QTest::newRow("cell of 100,000 characters")
        << "long.xlsx" << QByteArray()
        << xlsxParts("<row r=\"1\">" + inlineCell("B1", "x") + "</row><row r=\"2\">" + inlineCell("B2", "y") +
                     inlineCell("D2", QByteArray(100000, 'z')) + "</row>")
        << 0LL << false << int(AppError::Overflow)
        << QStringLiteral("2 行目 D 列の文字が多すぎます (32767 文字まで)。");
    QTest::newRow("text CP932 cannot hold")
        << "emoji.ods" << QByteArray()
        << odsParts("<table:table-row>" + odsText("a") + odsText("b") + "</table:table-row><table:table-row>" +
                    odsText("c") + odsText("d") + odsText("1") + odsText("e") + odsText("🍎") + "</table:table-row>")
        << 0LL << false << int(AppError::InvalidPropertyValue)
        << QStringLiteral("2 行目 E 列に Shift_JIS で保存できない文字「🍎」があります。");
    QTest::newRow("control character")
        << "control.xlsx" << QByteArray()
        << xlsxParts("<row r=\"1\">" + inlineCell("A1", "a_x0001_") + inlineCell("B1", "b") + "</row>") << 0LL << false
        << int(AppError::InvalidPropertyValue)
        << QStringLiteral("1 行目 A 列に Shift_JIS で保存できない文字「制御文字 U+0001」があります。");
    QTest::newRow("error value as tax class")
        << "class.xlsx" << QByteArray()
        << xlsxParts("<row r=\"1\">" + inlineCell("B1", "b") + "</row><row r=\"2\">" + inlineCell("B2", "c") +
                     "<c r=\"F2\" t=\"e\"><v>#N/A</v></c></row>")
        << 0LL << false << int(AppError::TypeMismatch) << QStringLiteral("2 行目 F 列の値「#N/A」を税区分");
    QTest::newRow("tax class CP932 cannot hold")
        << "class.ods" << QByteArray()
        << odsParts("<table:table-row>" + odsText("a") + odsText("b") + odsText("1") + odsText("") + odsText("") +
                    odsText("🍵") + "</table:table-row>")
        << 0LL << false << int(AppError::InvalidPropertyValue)
        << QStringLiteral("1 行目 F 列に Shift_JIS で保存できない文字「🍵」があります。");
    QTest::newRow("price beyond 32 bits")
        << "price.xlsx" << QByteArray()
        << xlsxParts("<row r=\"1\">" + inlineCell("B1", "b") + "<c r=\"C1\"><v>4901234567894</v></c></row>") << 0LL
        << false << int(AppError::Overflow) << QStringLiteral("1 行目 C 列の価格が大きすぎます。");
}

void TestWorkbook::badInput()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(Parts, parts);
    QFETCH(qint64, hugePart);
    QFETCH(bool, cannotOpen);
    QFETCH(int, number);
    QFETCH(QString, description);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (parts.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    } else {
        QVERIFY(writeZip(path, parts, hugePart));
    }
    const ImportResult r = importWorkbook(path);
    QVERIFY(!r.ok());
    QVERIFY(r.rows.isEmpty());
    QCOMPARE(r.cannotOpen, cannotOpen);
    QCOMPARE(r.error.number, number);
    QVERIFY2(r.error.description.startsWith(description), qPrintable(r.error.description));
    const QString report = importReportText(r);
    QVERIFY(report.startsWith(QStringLiteral("エラーが発生しました(ReadExcel)\r\nエラー番号: ") +
                              QString::number(number) + QStringLiteral("\r\n内容: ") + r.error.description));
    QCOMPARE(report.endsWith(QStringLiteral("\r\nExcel がインストールされていない可能性があります.")), cannotOpen);
}

// A cell far longer than a cell may be, however the file spells it, is refused naming the cell, and no
// reader holds more of it than the import needs to tell (a few kilobytes of file can inflate or expand
// to gigabytes).
void TestWorkbook::overlongTextIsNeverHeldWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Parts>("parts");
    const QByteArray x100k(100000, 'x');
    const QByteArray x5m(5 * 1024 * 1024, 'x');
    QTest::newRow("xlsx inline text") << "a.xlsx" << xlsxParts("<row r=\"1\">" + inlineCell("B1", x100k) + "</row>");
    QTest::newRow("xlsx formula text") << "a.xlsx"
                                       << xlsxParts("<row r=\"1\"><c r=\"B1\" t=\"str\"><f>A1</f><v>" + x100k +
                                                    "</v></c></row>");
    QTest::newRow("xlsx shared string") << "a.xlsx"
                                        << xlsxParts("<row r=\"1\"><c r=\"B1\" t=\"s\"><v>0</v></c></row>",
                                                     "<si><t>" + x100k + "</t></si>");
    QTest::newRow("xlsx inline text of 5 MiB")
        << "a.xlsx" << xlsxParts("<row r=\"1\">" + inlineCell("B1", x5m) + "</row>");
    QTest::newRow("ods text") << "a.ods"
                              << odsParts("<table:table-row>" + odsText("a") + odsText(x100k) + "</table:table-row>");
    QTest::newRow("ods runs of spaces") << "a.ods"
                                        << odsParts("<table:table-row>" + odsText("a") +
                                                    odsText(QByteArray("<text:s text:c=\"32767\"/>").repeated(100)) +
                                                    "</table:table-row>");
    QTest::newRow("ods string value") << "a.ods"
                                      << odsParts("<table:table-row>" + odsText("a") +
                                                  "<table:table-cell office:value-type=\"string\" "
                                                  "office:string-value=\"" +
                                                  x100k + "\"/></table:table-row>");
    QTest::newRow("ods text of 5 MiB") << "a.ods"
                                       << odsParts("<table:table-row>" + odsText("a") + odsText(x5m) +
                                                   "</table:table-row>");
}

void TestWorkbook::overlongTextIsNeverHeldWhole()
{
    QFETCH(QString, name);
    QFETCH(Parts, parts);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(writeZip(path, parts));
    OpenedWorkbook opened = openWorkbook(path);
    QVERIFY2(opened.reader, qPrintable(opened.error.description));
    qsizetype longest = 0;
    opened.reader->readFirstSheet(5, [&](qint64, const QList<Cell> &cells) {
        for (const Cell &c : cells)
            longest = std::max(longest, c.text.size());
        return true;
    });
    QVERIFY2(longest <= import_limits::MaxCellLength + 1, qPrintable(QString::number(longest)));

    const ImportResult r = importWorkbook(path);
    QVERIFY(!r.ok());
    QVERIFY(r.rows.isEmpty());
    QCOMPARE(r.error.number, int(AppError::Overflow));
    QCOMPARE(r.error.description, QStringLiteral("1 行目 B 列の文字が多すぎます (32767 文字まで)。"));
}

void TestWorkbook::progressAndCancel()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("many.ods"));
    QVERIFY(writeZip(path, odsParts("<table:table-row table:number-rows-repeated=\"2500\">" + odsText("a") +
                                    odsText("b") + "</table:table-row>")));
    QList<qint64> seen;
    ImportResult r = importWorkbook(path, [&](const ImportProgress &p) {
        seen << p.rows;
        return p.percent >= 0 && p.percent <= 100;
    });
    QVERIFY(r.ok());
    QCOMPARE(r.rows.size(), 2500);
    QCOMPARE(seen, (QList<qint64>{1000, 2000}));

    r = importWorkbook(path, [](const ImportProgress &) { return false; });
    QVERIFY(r.cancelled);
    QVERIFY(!r.ok());
    QVERIFY(r.rows.isEmpty());
}

// A sheet that refers to one long text in every row must not copy it per row (a few kilobytes of
// workbook would otherwise become gigabytes of list).
void TestWorkbook::repeatedTextIsHeldOnce()
{
    QTemporaryDir dir;
    const QByteArray longText(32000, 'x');
    QByteArray rows;
    for (int r = 1; r <= 3; ++r)
        rows += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"B" + QByteArray::number(r) +
                "\" t=\"s\"><v>0</v></c></row>";
    const QString xlsx = dir.filePath(QStringLiteral("shared.xlsx"));
    QVERIFY(writeZip(xlsx, xlsxParts(rows, "<si><t>" + longText + "</t></si>")));
    const QString ods = dir.filePath(QStringLiteral("repeated.ods"));
    QVERIFY(writeZip(ods, odsParts("<table:table-row table:number-rows-repeated=\"3\">"
                                   "<table:table-cell table:number-columns-repeated=\"5\" office:value-type=\"string\">"
                                   "<text:p>" +
                                   longText + "</text:p></table:table-cell></table:table-row>")));
    for (const QString &path : {xlsx, ods}) {
        const ImportResult r = importWorkbook(path);
        QVERIFY2(r.ok(), qPrintable(r.error.description));
        QCOMPARE(r.rows.size(), 3);
        QCOMPARE(r.rows.at(2).name.size(), longText.size());
        QCOMPARE(r.rows.at(2).name.constData(), r.rows.at(0).name.constData());
    }
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
