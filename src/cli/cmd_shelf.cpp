// vennlo-cli shelf / preview shelf: the shelf-label sheet and the one-card preview, made by the same
// functions as the designer window's make command and preview tab.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "shelf_labels/design_file.h"
#include "shelf_labels/preview.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/sheet_painter.h"
#include "shelf_labels/window_values.h"

#include <QFileInfo>

namespace {

const QString shelfUsage =
    QStringLiteral("shelf LIST.csv [--design FILE.hdn] [--check ROWS] [--start N] [--pdf FILE.pdf]");
const QString previewUsage = QStringLiteral("preview shelf [--design FILE.hdn]");

// As the price tags do: a logo file that is gone is told and forgotten, and the make goes on.
bool tellMissingLogo(cli::Context &ctx, shelf_labels::ShelfLabelDesign *design)
{
    const QString missing = shelf_labels::forgetMissingLogo(*design);
    if (!missing.isEmpty())
        ctx.err << cli::terminalText(missing) << '\n';
    return true;
}

// The design and the tax settings from the settings, with the design file's values over them.
bool designAndTax(cli::Context &ctx, const settings::Settings &settings, const QString &designFile,
                  shelf_labels::ShelfLabelDesign *design, products::TaxSettings *tax)
{
    *design = settings.shelf;
    *tax = settings.tax;
    if (designFile.isEmpty())
        return tellMissingLogo(ctx, design);
    if (!QFileInfo(designFile).isFile()) {
        cli::refuse(ctx, QStringLiteral("vennlo-cli: design file not found: ") + designFile);
        return false;
    }
    const shelf_labels::DesignRead read =
        shelf_labels::ReadDesign(designFile, shelf_labels::loadWindowValues(settings.shelf, *tax));
    if (read.error.isSet()) {
        cli::reportFailure(ctx, shelf_labels::readDesignLabel(), read.error);
        return false;
    }
    if (read.replaced.isSet())
        ctx.err << cli::terminalText(platform::errorReportText(shelf_labels::readDesignLabel(), read.replaced)) << '\n';
    shelf_labels::storeWindowValues(read.values, *design, *tax);
    return tellMissingLogo(ctx, design);
}

int runShelf(cli::Context &ctx, const QStringList &args)
{
    QString why;
    const auto parsed = cli::parseArgs(args,
                                       {QStringLiteral("--design"), cli::StockOption, QStringLiteral("--check"),
                                        QStringLiteral("--start"), cli::PdfOption, cli::PdfEngineOption},
                                       &why);
    if (!parsed)
        return cli::usageError(ctx, shelfUsage, why);
    if (parsed->options.contains(cli::PdfEngineOption) &&
        !cli::isPdfEngine(parsed->options.value(cli::PdfEngineOption)))
        return cli::usageError(ctx, shelfUsage, QStringLiteral("--pdf-engine is painter or web"));
    if (parsed->positional.size() != 1)
        return cli::usageError(ctx, shelfUsage,
                               parsed->positional.isEmpty() ? QStringLiteral("shelf needs the product list LIST.csv")
                                                            : QStringLiteral("shelf takes one product list"));

    const auto settings = cli::loadSettings(ctx);
    if (!settings)
        return cli::Refused;
    shelf_labels::ShelfLabelDesign design;
    products::TaxSettings tax;
    if (!designAndTax(ctx, *settings, parsed->options.value(QStringLiteral("--design")), &design, &tax))
        return cli::Refused;
    if (parsed->options.contains(cli::StockOption)) {
        const auto stock = cli::stockOption(ctx, parsed->options.value(cli::StockOption));
        if (!stock)
            return cli::Refused;
        shelf_labels::useStock(design, *stock);
    }
    auto list = cli::readProductList(ctx, parsed->positional.first());
    if (!list)
        return cli::Refused;
    if (parsed->options.contains(QStringLiteral("--check"))) {
        const int checked = cli::applyChecks(ctx, *list, parsed->options.value(QStringLiteral("--check")), shelfUsage);
        if (checked != cli::Success)
            return checked;
    }
    const QString start = parsed->options.value(QStringLiteral("--start"), QStringLiteral("1"));

    // The same refusals as the window, before any folder is touched.
    const shelf_labels::Inputs in{*list, design, tax, start};
    if (const common::Refusal refusal = shelf_labels::check(in); refusal.refused())
        return cli::refuse(ctx, refusal.text);
    const QString folder = cli::outputFolder(ctx);
    if (folder.isEmpty())
        return cli::Refused;
    const common::MakeResult outcome = shelf_labels::make(in, folder);
    if (!outcome.ok())
        return cli::refuse(ctx, outcome.text);
    return cli::pageMade(ctx, outcome.path, parsed->options,
                         [&](const QString &pdf) { return shelf_labels::makePdf(in, pdf, cli::paintOptions(ctx)); });
}

int runPreviewShelf(cli::Context &ctx, const QStringList &args)
{
    QString why;
    const auto parsed = cli::parseArgs(args, {QStringLiteral("--design")}, &why);
    if (!parsed)
        return cli::usageError(ctx, previewUsage, why);
    if (!parsed->positional.isEmpty())
        return cli::usageError(ctx, previewUsage, QStringLiteral("preview shelf takes no product list"));
    const auto settings = cli::loadSettings(ctx);
    if (!settings)
        return cli::Refused;
    shelf_labels::ShelfLabelDesign design;
    products::TaxSettings tax;
    if (!designAndTax(ctx, *settings, parsed->options.value(QStringLiteral("--design")), &design, &tax))
        return cli::Refused;
    const QString folder = cli::outputFolder(ctx);
    if (folder.isEmpty())
        return cli::Refused;
    cli::provideBarcodeImages(ctx, folder);
    QString path;
    platform::AppError error;
    if (!shelf_labels::MakePreviewHtml(shelf_labels::settledDesign(design), tax, folder, &path, &error))
        return cli::reportFailure(ctx, shelf_labels::makePreviewHtmlLabel(), error);
    ctx.out << path << '\n';
    return cli::Success;
}

const cli::CommandRegistration shelfCommand(
    {QStringLiteral("shelf"),
     shelfUsage + QStringLiteral(
                      "\n"
                      "                   write DIR/temp.html, the shelf-label sheet of the list's checked rows\n"
                      "                   (all rows when none is checked); --check ROWS checks 1-based rows\n"
                      "                   (\"1,3,5-7\"), --start N is the start position (default 1); --pdf FILE.pdf\n"
                      "                   also draws the sheet into that PDF (A4); --pdf-engine web\n"
                      "                   turns the page into it with vennlo-pdf instead; --stock\n"
                      "                   BRAND:PART puts each card on a label of that stock (see stocks)"),
     runShelf});

const cli::CommandRegistration previewShelfCommand(
    {QStringLiteral("preview shelf"),
     previewUsage + QStringLiteral("\n                   write DIR/tempprev.html, one label of the sample product"),
     runPreviewShelf});

} // namespace
