// libFuzzer harness for the .xls reader (our compound-file and record walk, then libfreexl): no input
// may crash or hang it, and a refusal always says why. Seed with tests/data/workbooks/*.xls.
#include "fuzz_workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz_workbook::filePath("input.xls");
    fuzz_workbook::writeFile(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    fuzz_workbook::importAndCheck(path);
    return 0;
}
