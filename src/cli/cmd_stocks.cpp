// vennlo-cli stocks: the label stocks of the template catalogue, one line each, optionally only those
// whose brand, part number and description hold every word of TEXT.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "label_stocks/catalogue.h"

namespace {

const QString stocksUsage = QStringLiteral("stocks [TEXT]");

int runStocks(cli::Context &ctx, const QStringList &args)
{
    for (const QString &a : args)
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1)
            return cli::usageError(ctx, stocksUsage, QStringLiteral("unknown option ") + a);
    const label_stocks::Catalogue catalogue = label_stocks::loadCatalogue();
    const QList<const label_stocks::LabelStock *> found = catalogue.search(args.join(QLatin1Char(' ')));
    for (const label_stocks::LabelStock *s : found)
        ctx.out << s->summary() << '\n';
    if (found.isEmpty()) {
        ctx.err << (catalogue.stocks.isEmpty()
                        ? QStringLiteral("vennlo-cli: no label stocks found (install glabels-data, or set "
                                         "VENNLO_LABEL_TEMPLATES to a folder of templates)\n")
                        : QStringLiteral("vennlo-cli: no label stock matches ") + args.join(QLatin1Char(' ')) +
                              QLatin1Char('\n'));
        return cli::Refused;
    }
    return cli::Success;
}

const cli::CommandRegistration stocksCommand(
    {QStringLiteral("stocks"),
     stocksUsage + QStringLiteral("\n"
                                  "                   list the label stocks of the template catalogue (brand part, "
                                  "label\n"
                                  "                   size, labels per sheet, paper); with TEXT only those whose "
                                  "brand,\n"
                                  "                   part number and description hold every word of it"),
     runStocks});

} // namespace
