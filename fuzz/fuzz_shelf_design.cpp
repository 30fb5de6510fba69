// libFuzzer harness for the shelf-label design file (.hdn): no input may crash the reader, and what
// it read must come back unchanged through a write and a second read (the write is stable).
#include "shelf_labels/design_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#include "fuzz_report.h"

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Written into a new file each time: a write keeps the keys of a file that is already there.
bool writeFresh(const shelf_labels::WindowValues &values, const QString &path)
{
    QFile::remove(path);
    return shelf_labels::WriteDesign(values, path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input.hdn"));
    const QString first = dir.filePath(QStringLiteral("first.hdn"));
    const QString second = dir.filePath(QStringLiteral("second.hdn"));
    QFile f(input);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    f.close();
    const shelf_labels::DesignRead r = shelf_labels::ReadDesign(input);
    if (!r.fileFound || r.error.isSet())
        return 0;
    if (!writeFresh(r.values, first))
        return 0; // a text Shift_JIS cannot hold is refused, which is right
    const shelf_labels::DesignRead again = shelf_labels::ReadDesign(first);
    if (again.error.isSet()) {
        std::fprintf(stderr, "written design does not read back: %s\n", qPrintable(again.error.description));
        std::abort();
    }
    if (!writeFresh(again.values, second) || readAll(second) != readAll(first)) {
        abortOnUnstableWrite(readAll(first), readAll(second));
    }
    if (shelf_labels::ReadDesign(second).values != again.values) {
        std::fprintf(stderr, "second read differs\n");
        std::abort();
    }
    return 0;
}
