// libFuzzer harness for the product-list CSV reader: no input may crash or hang it, and a list it
// reads must survive a write and a second read unchanged.
#include "products/csv_file.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const products::ReadResult r = products::ReadFile(bytes);
    if (!r.ok()) {
        if (r.error.description.isEmpty())
            std::abort();
        return 0;
    }
    const products::WriteResult w = products::WriteFile(r.rows);
    if (!w.ok())
        return 0; // a text CP932 cannot hold is refused, which is right
    const products::ReadResult again = products::ReadFile(w.bytes);
    // CP932 bytes that are valid UTF-8 with a character of three or four bytes read as UTF-8, by the
    // reader's choice of encoding: not a fault of the round trip.
    if (again.encoding == products::ListEncoding::Utf8)
        return 0;
    if (!again.ok()) {
        std::fprintf(stderr, "written list does not read back: %s\n", qPrintable(again.error.description));
        std::abort();
    }
    if (products::WriteFile(again.rows).bytes != w.bytes) {
        std::fprintf(stderr, "second write differs\n");
        std::abort();
    }
    return 0;
}
