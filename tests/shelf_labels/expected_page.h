#pragma once

// Expected pages live in tests/data as UTF-8 text with one page line per line. They were written out
// by hand; running a test with VENNLO_REGENERATE_EXPECTED=1 overwrites them with what the program
// made, and says so loudly, for a deliberate update that is then reviewed in the diff.

#include <QFile>
#include <QStringList>
#include <QtTest>

namespace expected {

inline QString path(const QString &name)
{
    return QStringLiteral(VENNLO_TEST_DATA_DIR "/shelf_labels/") + name;
}

inline QStringList readLines(const QString &name)
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing expected file %1>").arg(name)};
    QString text = QString::fromUtf8(f.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

inline bool regenerating()
{
    return qEnvironmentVariableIntValue("VENNLO_REGENERATE_EXPECTED") == 1;
}

// Compares line by line so that a failure names the first line that differs.
inline void compareLines(const QStringList &actual, const QString &name)
{
    if (regenerating()) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write((actual.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        qWarning("REGENERATED expected page %s: review the diff before committing", qPrintable(name));
        return;
    }
    const QStringList want = readLines(name);
    for (qsizetype i = 0; i < qMin(actual.size(), want.size()); ++i) {
        if (actual.at(i) != want.at(i)) {
            qWarning("first difference in line %lld of %s", qlonglong(i + 1), qPrintable(name));
            QCOMPARE(actual.at(i), want.at(i));
        }
    }
    QCOMPARE(actual.size(), want.size());
}

} // namespace expected
