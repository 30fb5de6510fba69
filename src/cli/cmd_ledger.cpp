// vennlo-cli ledger: the product ledger of the list, made by the same functions as the ledger
// window's make command.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "ledger/sheet.h"
#include "ledger/sheet_painter.h"

#include <QDir>

namespace {

const QString ledgerUsage = QStringLiteral("ledger LIST.csv [--check ROWS] [--start-page N] [--pdf FILE.pdf]");

int runLedger(cli::Context &ctx, const QStringList &args)
{
    QString why;
    const auto parsed = cli::parseArgs(
        args, {QStringLiteral("--check"), QStringLiteral("--start-page"), cli::PdfOption, cli::PdfEngineOption}, &why);
    if (!parsed)
        return cli::usageError(ctx, ledgerUsage, why);
    if (parsed->options.contains(cli::PdfEngineOption) &&
        !cli::isPdfEngine(parsed->options.value(cli::PdfEngineOption)))
        return cli::usageError(ctx, ledgerUsage, QStringLiteral("--pdf-engine is painter or web"));
    if (parsed->positional.size() != 1)
        return cli::usageError(ctx, ledgerUsage,
                               parsed->positional.isEmpty() ? QStringLiteral("ledger needs the product list LIST.csv")
                                                            : QStringLiteral("ledger takes one product list"));
    const auto settings = cli::loadSettings(ctx);
    if (!settings)
        return cli::Refused;
    auto list = cli::readProductList(ctx, parsed->positional.first());
    if (!list)
        return cli::Refused;
    if (parsed->options.contains(QStringLiteral("--check"))) {
        const int checked = cli::applyChecks(ctx, *list, parsed->options.value(QStringLiteral("--check")), ledgerUsage);
        if (checked != cli::Success)
            return checked;
    }
    const QString start = parsed->options.value(QStringLiteral("--start-page"), QStringLiteral("1"));
    const ledger::Inputs in{*list, settings->ledger, settings->tax, start};
    const common::Refusal refusal = ledger::check(in);
    if (refusal.refused())
        return cli::refuse(ctx, refusal.text);
    const QString folder = cli::outputFolder(ctx);
    if (folder.isEmpty())
        return cli::Refused;
    const common::MakeResult outcome = ledger::make(in, folder);
    if (!outcome.ok())
        return cli::refuse(ctx, outcome.text);
    return cli::pageMade(ctx, QDir(folder).filePath(ledger::pageFileName()), parsed->options,
                         [&](const QString &pdf) { return ledger::makePdf(in, pdf, cli::paintOptions(ctx)); });
}

const cli::CommandRegistration ledgerCommand(
    {QStringLiteral("ledger"),
     ledgerUsage +
         QStringLiteral("\n"
                        "                   write DIR/dtemp.html, the product ledger of the checked rows (all rows\n"
                        "                   when none is checked); page numbers, when the settings print them,\n"
                        "                   start at --start-page N (default 1); --pdf FILE.pdf also draws the\n"
                        "                   ledger into that PDF (A4); --pdf-engine web turns the page into it\n"
                        "                   with vennlo-pdf instead"),
     runLedger});

} // namespace
