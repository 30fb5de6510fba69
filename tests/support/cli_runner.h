#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QTemporaryDir;

// Runs the built vennlo-cli as a user would and collects what it printed.
namespace cli_runner {

struct Run {
    int exitCode = -1; // -1 timed out, -2 crashed
    QString out;
    QString err;
};

Run runCli(const QStringList &args);
QByteArray readBytes(const QString &path);
// The settings file of a new installation with some keys changed ({section, key, value} each).
QString settingsFile(const QTemporaryDir &dir, const QList<QStringList> &changes);
// CR LF as LF, as the command line prints messages.
QString lf(QString text);

} // namespace cli_runner
