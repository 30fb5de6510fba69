#include "platform/file_dialog_filter.h"

#include <QStringList>

namespace platform {

QString filterPatterns(const QString &entry)
{
    const qsizetype bar = entry.indexOf(QLatin1Char('|'));
    const QString patterns = bar < 0 ? entry : entry.mid(bar + 1);
    QStringList list;
    for (const QString &p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        if (!t.isEmpty())
            list.append(t);
    }
    return list.join(QLatin1Char(' '));
}

QString qtNameFilter(const QString &entry)
{
    const qsizetype bar = entry.indexOf(QLatin1Char('|'));
    const QString label = bar < 0 ? QString() : entry.left(bar).trimmed();
    QString patterns = filterPatterns(entry);
    if (patterns.isEmpty())
        patterns = QStringLiteral("*");
    if (label.isEmpty())
        return patterns;
    return label + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

QString withDefaultExtension(const QString &path, const QString &extension)
{
    QString ext = extension.trimmed();
    while (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (path.isEmpty() || ext.isEmpty())
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + ext;
}

} // namespace platform
