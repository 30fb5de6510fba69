#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "common/version.h"
#include "platform/folders.h"
#include "platform/font_config.h"
#include "products/tax.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <unistd.h>

#include <memory>

namespace {

QString usageText()
{
    QString text =
        QStringLiteral("usage: vennlo-cli [--settings FILE] [--out DIR] COMMAND ...\n"
                       "       vennlo-cli --help | --version\n"
                       "\n"
                       "  --settings FILE  load a settings file as the program does at start-up, without ever\n"
                       "                   writing to it (default: the settings of a new installation)\n"
                       "  --out DIR        folder the pages are written into (default: the current folder)\n"
                       "  --tax RATE       the standard consumption-tax rate as a fraction (0.1 for 10 %), over\n"
                       "                   the settings' [Tax] Tax; before or after the command\n"
                       "  --reduced-tax RATE  the reduced rate (0.08 for 8 %), over the settings' [Tax] ReducedTax\n"
                       "\n"
                       "commands:\n");
    for (const cli::Command &c : cli::registeredCommands())
        text += QStringLiteral("  ") + c.usage + QLatin1Char('\n');
    text += QStringLiteral("\n"
                           "exit status: 0 success; 1 the input was refused or the command failed (the message the\n"
                           "program's window would show is printed on stderr); 2 usage error (usage on stderr)\n");
    return text;
}

struct RateOptions {
    QString tax;
    QString reducedTax;
    QString missingValue; // the option given without its value
};

// The rate options may stand before or after the command, as the settings file stands over every
// command; they are taken out of the arguments wherever they are.
RateOptions takeRateOptions(QStringList &args)
{
    RateOptions rates;
    const std::pair<QString, QString *> names[] = {{QStringLiteral("tax"), &rates.tax},
                                                   {QStringLiteral("reduced-tax"), &rates.reducedTax}};
    for (qsizetype i = 1; i < args.size();) {
        bool taken = false;
        for (const auto &[name, value] : names) {
            const QString &a = args.at(i);
            if (a == QStringLiteral("--") + name || a == QLatin1Char('-') + name) {
                if (i + 1 >= args.size()) {
                    rates.missingValue = QStringLiteral("--") + name;
                    args.remove(i);
                } else {
                    *value = args.at(i + 1);
                    args.remove(i, 2);
                }
                taken = true;
            } else if (a.startsWith(QStringLiteral("--") + name + QLatin1Char('='))) {
                *value = a.mid(name.size() + 3);
                args.remove(i);
                taken = true;
            }
            if (taken)
                break;
        }
        if (!taken)
            ++i;
    }
    return rates;
}

// --pdf without --pdf-engine web: the sheet is drawn in this process.
bool drawsPdf(int argc, char *argv[])
{
    bool pdf = false;
    bool web = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--pdf" || a.startsWith("--pdf="))
            pdf = true;
        else if ((a == "--pdf-engine" && i + 1 < argc && QByteArray(argv[i + 1]) == "web") || a == "--pdf-engine=web")
            web = true;
    }
    return pdf && !web;
}

// The GUI application wants a runtime folder and says so on stderr when the session has none (as in
// a cron job or a container): the one it would fall back to is made and named, quietly.
void provideRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString folder = QDir::tempPath() + QStringLiteral("/runtime-") + QString::number(getuid());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
}

} // namespace

int main(int argc, char *argv[])
{
    // A sheet drawn into a PDF needs fonts, and so the GUI application (without a screen, with the
    // program's fonts); every other command stays a plain core application.
    std::unique_ptr<QCoreApplication> application;
    if (drawsPdf(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        provideRuntimeFolder();
        platform::useProgramFontConfig(platform::programFolderOf(platform::executableFolder()));
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication &app = *application;
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The global options stand before the command; everything from the command on is its own.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption settings(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption outDir(QStringLiteral("out"), QString(), QStringLiteral("DIR"));
    parser.addOptions({help, version, settings, outDir});
    QStringList arguments = app.arguments();
    const RateOptions rates = takeRateOptions(arguments);
    if (!rates.missingValue.isEmpty()) {
        err << "vennlo-cli: option " << rates.missingValue << " needs a value\n" << usageText();
        return cli::UsageError;
    }
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString opt = unknown.isEmpty() ? arguments.constLast() : QStringLiteral("--") + unknown.first();
        err << "vennlo-cli: unknown or incomplete option " << opt << "\n" << usageText();
        return cli::UsageError;
    }
    if (parser.isSet(help)) {
        out << usageText();
        return cli::Success;
    }
    if (parser.isSet(version)) {
        out << "vennlo-cli " << common::applicationVersionText() << "\n";
        return cli::Success;
    }
    cli::Context ctx{
        parser.value(settings), parser.isSet(outDir) ? parser.value(outDir) : QDir::currentPath(), out, err, rates.tax,
        rates.reducedTax};
    const std::pair<const char *, QString> given[] = {{"--tax", rates.tax}, {"--reduced-tax", rates.reducedTax}};
    for (const auto &[name, value] : given) {
        if (!value.isNull() && !cli::isRateText(value)) {
            err << "vennlo-cli: " << name << ": " << products::rateRangeMessage() << "\n" << usageText();
            return cli::UsageError;
        }
    }
    const QStringList args = parser.positionalArguments();

    // The longest registered name that the arguments start with selects the command.
    const cli::Command *chosen = nullptr;
    int chosenWords = 0;
    for (const cli::Command &c : cli::registeredCommands()) {
        const QStringList words = c.name.split(QLatin1Char(' '));
        if (words.size() <= args.size() && args.mid(0, words.size()) == words && words.size() > chosenWords) {
            chosen = &c;
            chosenWords = int(words.size());
        }
    }
    if (!chosen) {
        err << (args.isEmpty() ? QStringLiteral("vennlo-cli: no command given\n")
                               : QStringLiteral("vennlo-cli: unknown command ") + args.first() + QLatin1Char('\n'))
            << usageText();
        return cli::UsageError;
    }
    return chosen->run(ctx, args.mid(chosenWords));
}
