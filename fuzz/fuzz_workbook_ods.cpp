// libFuzzer harness for the .ods reader: the input is the content.xml part of a spreadsheet document.
// No input may crash or hang the reader, and a refusal always says why.
#include "fuzz_workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz_workbook::filePath("input.ods");
    fuzz_workbook::writeZip(path, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                                   {"content.xml", QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))}});
    fuzz_workbook::importAndCheck(path);
    return 0;
}
