#pragma once

#include "common/print_calibration.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace cli {

// What every command gets: the global options already parsed, and the two output streams.
struct Context {
    QString settingsPath; // --settings, empty for the defaults of a new installation
    QString outDir;       // --out, the current folder by default
    QTextStream &out;
    QTextStream &err;
    // --tax and --reduced-tax: rates that stand over the settings' [Tax] values; empty when not given.
    QString taxRate;
    QString reducedTaxRate;
    // The printer's shift from the settings, which --pdf hands to vennlo-pdf.
    common::PrintCalibration calibration;
};

// Exit codes shared by every command.
enum ExitCode { Success = 0, Refused = 1, UsageError = 2 };

struct Command {
    QString name;  // "shelf", "preview shelf", "barcode", ...: the words that select it
    QString usage; // one or more lines for --help
    std::function<int(Context &, const QStringList &args)> run;
};

// Each command file registers its commands with a static CommandRegistration.
void registerCommand(Command command);
const QList<Command> &registeredCommands();

struct CommandRegistration {
    explicit CommandRegistration(Command command) { registerCommand(std::move(command)); }
};

} // namespace cli
