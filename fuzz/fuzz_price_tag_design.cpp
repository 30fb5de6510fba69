// libFuzzer harness for the price-tag design file (.cdn): no input may crash the reader, and what it
// read must come back unchanged through a write and a second read (the write is stable).
#include "price_tags/design_file.h"

#include <cstdio>
#include <cstdlib>

#include "fuzz_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    platform::ProfileFile input;
    input.setBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const price_tags::CDesignRead r = price_tags::ReadCDesign(input, price_tags::WindowValues());
    if (r.error.isSet())
        return 0;
    platform::ProfileFile first;
    price_tags::WriteCDesign(r.form, first);
    platform::AppError e;
    const QByteArray firstBytes = first.toBytes(&e);
    if (e.isSet())
        return 0; // a text Shift_JIS cannot hold is refused, which is right
    const price_tags::CDesignRead again = price_tags::ReadCDesign(first, price_tags::WindowValues());
    if (again.error.isSet()) {
        std::fprintf(stderr, "written design does not read back: %s\n", qPrintable(again.error.description));
        std::abort();
    }
    platform::ProfileFile second;
    price_tags::WriteCDesign(again.form, second);
    if (second.toBytes() != firstBytes) {
        abortOnUnstableWrite(firstBytes, second.toBytes());
    }
    if (price_tags::ReadCDesign(second, price_tags::WindowValues()).form != again.form) {
        std::fprintf(stderr, "second read differs\n");
        std::abort();
    }
    return 0;
}
