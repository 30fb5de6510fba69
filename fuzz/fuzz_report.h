#pragma once

// What the design-file harnesses print before they stop on a write that is not stable.
#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

// The first line the second write changed, in hex on both sides, then abort.
[[noreturn]] inline void abortOnUnstableWrite(const QByteArray &first, const QByteArray &second)
{
    const QList<QByteArray> a = first.split('\n'), b = second.split('\n');
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a.at(i) != b.at(i)) {
            std::fprintf(stderr, "line %lld: %s | %s\n", qlonglong(i), a.at(i).toHex(' ').constData(),
                         b.at(i).toHex(' ').constData());
            break;
        }
    }
    std::fprintf(stderr, "second write differs\n");
    std::abort();
}
