#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "products/tax.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace {

QString usageText()
{
    QString text =
        QStringLiteral("usage: vennlo-cli [--settings FILE] [--out DIR] COMMAND ...\n"
                       "\n"
                       "  --settings FILE  load a settings file as the program does at start-up, without ever\n"
                       "                   writing to it (default: the settings of a new installation)\n"
                       "  --out DIR        folder the pages are written into (default: the current folder)\n"
                       "  --tax RATE       the standard consumption-tax rate as a fraction (0.1 for 10 %), over\n"
                       "                   the settings' [Tax] Tax\n"
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The global options stand before the command; everything from the command on is its own.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption settings(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption outDir(QStringLiteral("out"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption taxRate(QStringLiteral("tax"), QString(), QStringLiteral("RATE"));
    const QCommandLineOption reducedTaxRate(QStringLiteral("reduced-tax"), QString(), QStringLiteral("RATE"));
    parser.addOptions({help, settings, outDir, taxRate, reducedTaxRate});
    if (!parser.parse(app.arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString opt = unknown.isEmpty() ? app.arguments().constLast() : QStringLiteral("--") + unknown.first();
        err << "vennlo-cli: unknown or incomplete option " << opt << "\n" << usageText();
        return cli::UsageError;
    }
    if (parser.isSet(help)) {
        out << usageText();
        return cli::Success;
    }
    cli::Context ctx{parser.value(settings),
                     parser.isSet(outDir) ? parser.value(outDir) : QDir::currentPath(),
                     out,
                     err,
                     parser.value(taxRate),
                     parser.value(reducedTaxRate)};
    for (const QCommandLineOption *rate : {&taxRate, &reducedTaxRate}) {
        if (parser.isSet(*rate) && !cli::isRateText(parser.value(*rate))) {
            err << "vennlo-cli: --" << rate->names().first() << ": " << products::rateRangeMessage() << "\n"
                << usageText();
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
