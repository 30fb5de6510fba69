#include "cli_runner.h"

#include "platform/profile_file.h"
#include "settings/settings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace cli_runner {

Run runCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VENNLO_PROGRAM_DIR "/vennlo-cli"), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString settingsFile(const QTemporaryDir &dir, const QList<QStringList> &changes)
{
    platform::ProfileFile f(dir.filePath(QStringLiteral("vennlo.ini")));
    f.setBytes(settings::defaultSettingsBytes());
    for (const QStringList &c : changes)
        f.setValue(c.at(0), c.at(1), c.at(2));
    f.save();
    return f.path();
}

QString lf(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace cli_runner
