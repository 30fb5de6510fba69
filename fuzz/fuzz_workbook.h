// What the workbook fuzzers share: the input written as a file (the readers open files by name, as
// libfreexl and libzip do), imported, and the import's promises checked.
#pragma once

#include "workbooks/workbook_import.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <cstdio>
#include <cstdlib>

namespace fuzz_workbook {

inline QString filePath(const char *name)
{
    static QTemporaryDir dir;
    return dir.filePath(QString::fromLatin1(name));
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
}

// A zip of the given parts, stored without compression (the fuzzer's bytes are the parts' bytes).
inline void writeZip(const QString &path, const QList<std::pair<const char *, QByteArray>> &parts)
{
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        std::abort();
    for (const auto &[name, bytes] : parts) {
        zip_source_t *s = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index = zip_file_add(z, name, s, 0);
        if (index < 0)
            std::abort();
        zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(z) != 0)
        std::abort();
}

// A refused import says why and hands out no rows; an accepted one holds no cell longer than a cell
// may be.
inline void importAndCheck(const QString &path)
{
    const products::ImportResult r = products::importWorkbook(path);
    if (!r.ok()) {
        if (r.error.description.isEmpty() || !r.rows.isEmpty()) {
            std::fprintf(stderr, "refused without a reason or with rows\n");
            std::abort();
        }
        return;
    }
    for (const products::Product &p : r.rows) {
        for (const QString *t : {&p.code, &p.name, &p.price, &p.remarks, &p.jan}) {
            if (t->size() > products::import_limits::MaxCellLength) {
                std::fprintf(stderr, "cell of %lld characters accepted\n", qlonglong(t->size()));
                std::abort();
            }
        }
        if (p.name.isEmpty())
            std::abort();
    }
}

} // namespace fuzz_workbook
