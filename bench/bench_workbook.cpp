// Importing a 100,000-row workbook (.xlsx and .ods written here the way spreadsheet programs write
// them: shared strings, styles, numeric JAN cells), or the workbooks named on the command line.
// Build in Release and run: bench_workbook [runs] [WORKBOOK...]
#include "workbooks/workbook_import.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace products;

namespace {

constexpr int kRows = 100000;

bool writeZip(const QString &path, const QList<std::pair<QByteArray, QByteArray>> &parts)
{
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    for (const auto &[name, bytes] : parts) {
        zip_source_t *s = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (zip_file_add(z, name.constData(), s, ZIP_FL_ENC_UTF_8) < 0)
            return false;
    }
    return zip_close(z) == 0;
}

QByteArray name(int i)
{
    return QStringLiteral("国産りんご（ふじ）特選品 %1 玉入り").arg(i).toUtf8();
}

bool writeXlsx(const QString &path)
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    QByteArray sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet " + ns + "><sheetData>";
    QByteArray shared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst " + ns + ">";
    for (int i = 0; i < kRows; ++i) {
        const QByteArray r = QByteArray::number(i + 1);
        shared += "<si><t>" + name(i) + "</t></si>";
        sheet += "<row r=\"" + r + "\"><c r=\"A" + r + "\" t=\"inlineStr\"><is><t>A-" + r + "</t></is></c><c r=\"B" +
                 r + "\" t=\"s\"><v>" + QByteArray::number(i) + "</v></c><c r=\"C" + r + "\" s=\"1\"><v>" +
                 QByteArray::number(100 + (i * 37) % 99900) + "</v></c><c r=\"D" + r +
                 "\" t=\"str\"><f>\"産地直送\"</f><v>産地直送</v></c><c r=\"E" + r +
                 "\"><v>4901234567894</v></c></row>";
    }
    sheet += "</sheetData></worksheet>";
    shared += "</sst>";
    return writeZip(
        path,
        {{"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
         {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                         "<Relationship Id=\"rId1\" Type=\"" +
                             rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
         {"xl/workbook.xml",
          "<workbook " + ns + "><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
         {"xl/_rels/workbook.xml.rels",
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"" +
              rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + rel +
              "sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship Id=\"rId3\" Type=\"" + rel +
              "styles\" Target=\"styles.xml\"/></Relationships>"},
         {"xl/styles.xml", "<styleSheet " + ns +
                               "><cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"3\"/></cellXfs></styleSheet>"},
         {"xl/sharedStrings.xml", shared},
         {"xl/worksheets/sheet1.xml", sheet}});
}

bool writeOds(const QString &path)
{
    QByteArray content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
                         "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
                         "<office:spreadsheet><table:table table:name=\"S\">";
    for (int i = 0; i < kRows; ++i) {
        const QByteArray price = QByteArray::number(100 + (i * 37) % 99900);
        content +=
            "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>A-" + QByteArray::number(i + 1) +
            "</text:p></table:table-cell><table:table-cell office:value-type=\"string\"><text:p>" + name(i) +
            "</text:p></table:table-cell><table:table-cell office:value-type=\"float\" office:value=\"" + price +
            "\"><text:p>" + price +
            "</text:p></table:table-cell><table:table-cell office:value-type=\"string\"><text:p>産地直送</text:p>"
            "</table:table-cell><table:table-cell office:value-type=\"float\" office:value=\"4901234567894\">"
            "<text:p>4.90123E+12</text:p></table:table-cell><table:table-cell "
            "table:number-columns-repeated=\"1019\"/></table:table-row>";
    }
    content += "</table:table></office:spreadsheet></office:body></office:document-content>";
    return writeZip(path, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
}

// Wall time, and processor time (the machine may be shared: the two differ then).
double importMs(const QString &path, int runs, qsizetype *rows, double *cpuMs)
{
    std::vector<double> t, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t c0 = std::clock();
        qint64 calls = 0;
        const ImportResult r = importWorkbook(path, [&](const ImportProgress &) {
            ++calls;
            return true;
        });
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(double(std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC);
        if (!r.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(importReportText(r)));
            std::exit(1);
        }
        *rows = r.rows.size();
    }
    std::sort(t.begin(), t.end());
    std::sort(cpu.begin(), cpu.end());
    *cpuMs = cpu[cpu.size() / 2];
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QStringList paths;
    for (int i = 2; i < argc; ++i)
        paths << QString::fromLocal8Bit(argv[i]);
    QTemporaryDir dir;
    if (paths.isEmpty()) {
        paths << dir.filePath(QStringLiteral("100000.xlsx")) << dir.filePath(QStringLiteral("100000.ods"));
        if (!writeXlsx(paths.at(0)) || !writeOds(paths.at(1)))
            return 1;
    }
    std::printf("%-40s %10s %9s %10s %8s\n", "workbook", "bytes", "rows", "import ms", "cpu ms");
    for (const QString &path : paths) {
        qsizetype rows = 0;
        double cpuMs = 0;
        const double ms = importMs(path, runs, &rows, &cpuMs);
        std::printf("%-40s %10lld %9lld %10.0f %8.0f\n", qPrintable(path.section(QLatin1Char('/'), -1)),
                    QFile(path).size(), qlonglong(rows), ms, cpuMs);
    }
    return 0;
}
