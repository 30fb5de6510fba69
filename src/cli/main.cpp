#include "cli/cli_command.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString usageText()
{
    QString text = QStringLiteral(
        "usage: vennlo-cli [--settings FILE] [--out DIR] COMMAND ...\n"
        "\n"
        "  --settings FILE  load a settings file as the program does at start-up, without ever\n"
        "                   writing to it (default: the settings of a new installation)\n"
        "  --out DIR        folder the pages are written into (default: the current folder)\n"
        "\n"
        "commands:\n");
    for (const cli::Command &c : cli::registeredCommands())
        text += QStringLiteral("  ") + c.usage + QLatin1Char('\n');
    text += QStringLiteral(
        "\n"
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
    QStringList args = app.arguments().mid(1);

    cli::Context ctx{QString(), QDir::currentPath(), out, err};
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--help")) {
            out << usageText();
            return cli::Success;
        }
        if ((opt == QLatin1String("--settings") || opt == QLatin1String("--out")) && !args.isEmpty()) {
            (opt == QLatin1String("--settings") ? ctx.settingsPath : ctx.outDir) = args.takeFirst();
            continue;
        }
        err << "vennlo-cli: unknown or incomplete option " << opt << "\n" << usageText();
        return cli::UsageError;
    }

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
