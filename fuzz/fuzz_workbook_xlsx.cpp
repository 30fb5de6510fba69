// libFuzzer harness for the .xlsx reader: the input is the worksheet part, and after a NUL byte the
// shared strings, put into a workbook with the other parts a spreadsheet writes. No input may crash or
// hang the reader, and a refusal always says why.
#include "fuzz_workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype nul = input.indexOf('\0');
    const QByteArray sheet = nul < 0 ? input : input.left(nul);
    const QByteArray shared = nul < 0 ? QByteArray() : input.mid(nul + 1);
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    QList<std::pair<const char *, QByteArray>> parts{
        {"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" +
                            rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                            "xmlns:r=\"" +
                                rel.chopped(1) +
                                "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/>"
                                "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + rel +
             "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", sheet},
    };
    if (nul >= 0)
        parts.append({"xl/sharedStrings.xml", shared});
    const QString path = fuzz_workbook::filePath("input.xlsx");
    fuzz_workbook::writeZip(path, parts);
    fuzz_workbook::importAndCheck(path);
    return 0;
}
