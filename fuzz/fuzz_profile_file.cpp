// libFuzzer harness for the profile (INI) file: no input may crash it, a value read never holds a NUL,
// and writing one key keeps every other line's bytes as they were.
#include "platform/profile_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    platform::ProfileFile f;
    f.setBytes(bytes);
    const QList<QByteArray> before = f.rawLines();
    const QString section = QStringLiteral("Fuzz");
    const QString key = QStringLiteral("K");
    if (f.value(section, key).contains(QChar(0)))
        std::abort();
    (void)f.valueStatus(section, key);

    f.setValue(section, key, QStringLiteral("値"));
    if (f.value(section, key) != QStringLiteral("値"))
        std::abort();
    // Every line that was there before is still there, byte for byte: one replaced in place, one
    // inserted, or a section and its key added at the end.
    const QList<QByteArray> after = f.rawLines();
    const qsizetype n = before.size();
    if (after.size() == n) {
        qsizetype differing = 0;
        for (qsizetype i = 0; i < n; ++i)
            differing += before.at(i) != after.at(i) ? 1 : 0;
        if (differing > 1)
            std::abort();
    } else if (after.size() == n + 1) {
        qsizetype i = 0;
        while (i < n && before.at(i) == after.at(i))
            ++i;
        for (; i < n; ++i) {
            if (before.at(i) != after.at(i + 1))
                std::abort();
        }
    } else if (after.size() != n + 2 || after.mid(0, n) != before) {
        std::abort();
    }
    return 0;
}
