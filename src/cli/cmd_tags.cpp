// vennlo-cli tags / preview tags: the price-tag sheet of up to ten checked products and the one-tag
// preview, made by the same functions as the price-tag designer's make command and preview tab.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "platform/text_file.h"
#include "price_tags/design_file.h"
#include "price_tags/preview.h"
#include "price_tags/product_slots.h"
#include "price_tags/sheet.h"
#include "price_tags/sheet_painter.h"
#include "price_tags/window_values.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString tagsUsage =
    QStringLiteral("tags LIST.csv --check ROWS [--copies N,N,...] [--design FILE.cdn] [--start N] [--pdf FILE.pdf]");
const QString previewUsage = QStringLiteral("preview tags [--design FILE.cdn]");

// The designer's controls as the window opens them: the design of the settings, or a design file
// opened over it.
bool designForm(cli::Context &ctx, const settings::Settings &settings, const QString &designFile,
                price_tags::WindowValues *form)
{
    // As the window opens: a logo file that is gone is told and forgotten, and the window opens all the same.
    price_tags::PriceTagDesign design = settings.tag;
    const QString missing = price_tags::forgetMissingLogo(design);
    if (!missing.isEmpty())
        ctx.err << cli::terminalText(missing) << '\n';
    *form = price_tags::loadWindowValues(design);
    if (designFile.isEmpty())
        return true;
    if (!QFileInfo(designFile).isFile()) {
        cli::refuse(ctx, QStringLiteral("vennlo-cli: design file not found: ") + designFile);
        return false;
    }
    const price_tags::CDesignRead read = price_tags::ReadCDesign(designFile, *form);
    if (read.error.isSet()) {
        cli::reportFailure(ctx, QStringLiteral("ReadCDesign"), read.error);
        return false;
    }
    *form = read.form;
    if (read.replaced.isSet())
        ctx.err << cli::terminalText(platform::errorReportText(QStringLiteral("ReadCDesign"), read.replaced)) << '\n';
    return true;
}

int runTags(cli::Context &ctx, const QStringList &args)
{
    QString why;
    const auto parsed =
        cli::parseArgs(args,
                       {QStringLiteral("--check"), QStringLiteral("--copies"), QStringLiteral("--design"),
                        cli::StockOption, QStringLiteral("--start"), cli::PdfOption, cli::PdfEngineOption},
                       &why);
    if (!parsed)
        return cli::usageError(ctx, tagsUsage, why);
    if (parsed->options.contains(cli::PdfEngineOption) &&
        !cli::isPdfEngine(parsed->options.value(cli::PdfEngineOption)))
        return cli::usageError(ctx, tagsUsage, QStringLiteral("--pdf-engine is painter or web"));
    if (parsed->positional.size() != 1)
        return cli::usageError(ctx, tagsUsage,
                               parsed->positional.isEmpty() ? QStringLiteral("tags needs the product list LIST.csv")
                                                            : QStringLiteral("tags takes one product list"));

    const auto settings = cli::loadSettings(ctx);
    if (!settings)
        return cli::Refused;
    price_tags::WindowValues form;
    if (!designForm(ctx, *settings, parsed->options.value(QStringLiteral("--design")), &form))
        return cli::Refused;
    if (parsed->options.contains(cli::StockOption)) {
        const auto stock = cli::stockOption(ctx, parsed->options.value(cli::StockOption));
        if (!stock)
            return cli::Refused;
        price_tags::useStock(form, *stock);
    }
    auto list = cli::readProductList(ctx, parsed->positional.first());
    if (!list)
        return cli::Refused;
    // Without --check no row is checked, and the slots below refuse as the window does.
    if (parsed->options.contains(QStringLiteral("--check"))) {
        const int checked = cli::applyChecks(ctx, *list, parsed->options.value(QStringLiteral("--check")), tagsUsage);
        if (checked != cli::Success)
            return checked;
    }

    // As the main window opens the designer: at most ten checked products in the slots.
    const price_tags::SlotFill fill = price_tags::fillProductSlots(*list, settings->tax);
    if (!fill.message.isEmpty())
        return cli::refuse(ctx, fill.message);
    int filled = 0;
    while (filled < price_tags::SlotCount && fill.items[filled].filled)
        ++filled;

    price_tags::Inputs in;
    in.copies.fill(QStringLiteral("0"));
    for (int i = 0; i < filled; ++i)
        in.copies[i] = QStringLiteral("1");
    if (parsed->options.contains(QStringLiteral("--copies"))) {
        const QStringList counts = parsed->options.value(QStringLiteral("--copies")).split(QLatin1Char(','));
        if (counts.size() > filled)
            return cli::usageError(
                ctx, tagsUsage,
                QStringLiteral("--copies gives %1 counts for %2 products").arg(counts.size()).arg(filled));
        for (qsizetype i = 0; i < counts.size(); ++i)
            in.copies[i] = counts.at(i).trimmed();
    }
    form.startPos = parsed->options.value(QStringLiteral("--start"), QStringLiteral("1"));
    in.startPos = form.startPos;
    in.logoWidth = form.logoWidth;
    in.logoHeight = form.logoHeight;
    in.cardHeightFixed = form.checkCardHeight;
    in.cardWidthFixed = form.checkCardWidth;
    in.countW = form.countW;
    in.countH = form.countH;

    // The same refusals as the window, before any folder is touched.
    const common::Refusal refusal = price_tags::check(in);
    if (refusal.refused())
        return cli::refuse(ctx, refusal.text);
    in.rows = fill.items;
    in.design = settings->tag;
    const platform::AppError e = price_tags::SetCValue(form, in.design);
    if (e.isSet())
        return cli::reportFailure(ctx, QStringLiteral("SetCValue"), e);

    const QString folder = cli::outputFolder(ctx);
    if (folder.isEmpty())
        return cli::Refused;
    const common::MakeResult outcome = price_tags::make(in, folder);
    if (!outcome.ok())
        return cli::refuse(ctx, outcome.text);
    return cli::pageMade(ctx, QDir(folder).filePath(price_tags::pageFileName()), parsed->options,
                         [&](const QString &pdf) { return price_tags::makePdf(in, pdf, cli::paintOptions(ctx)); });
}

int runPreviewTags(cli::Context &ctx, const QStringList &args)
{
    QString why;
    const auto parsed = cli::parseArgs(args, {QStringLiteral("--design")}, &why);
    if (!parsed)
        return cli::usageError(ctx, previewUsage, why);
    if (!parsed->positional.isEmpty())
        return cli::usageError(ctx, previewUsage, QStringLiteral("preview tags takes no product list"));
    const auto settings = cli::loadSettings(ctx);
    if (!settings)
        return cli::Refused;
    price_tags::WindowValues form;
    if (!designForm(ctx, *settings, parsed->options.value(QStringLiteral("--design")), &form))
        return cli::Refused;
    price_tags::PriceTagDesign design = settings->tag;
    platform::AppError e = price_tags::SetCValue(form, design);
    if (e.isSet())
        return cli::reportFailure(ctx, QStringLiteral("SetCValue"), e);
    const QString folder = cli::outputFolder(ctx);
    if (folder.isEmpty())
        return cli::Refused;
    cli::provideBarcodeImages(ctx, folder);
    const price_tags::PageLines page = price_tags::MakeCPrevHtml(design);
    const QString path = QDir(folder).filePath(price_tags::cprevFileName());
    if (page.error.isSet())
        return cli::reportFailure(ctx, QStringLiteral("MakeCPrevHtml"), page.error);
    if (!platform::writeCp932Lines(path, page.lines, &e))
        return cli::reportFailure(ctx, QStringLiteral("MakeCPrevHtml"), e);
    ctx.out << path << '\n';
    return cli::Success;
}

const cli::CommandRegistration tagsCommand(
    {QStringLiteral("tags"),
     tagsUsage +
         QStringLiteral("\n"
                        "                   write DIR/ctemp.html, the price tags of the rows of --check (1-based,\n"
                        "                   \"1,3,5-7\", at most ten) in list order; --copies gives the tags per\n"
                        "                   product in that order (default 1 each), --start N the start position;\n"
                        "                   --pdf FILE.pdf also draws the sheet into that PDF (A4); --pdf-engine web\n"
                        "                   turns the page into it with vennlo-pdf instead; --stock BRAND:PART\n"
                        "                   puts each tag on a label of that stock (see stocks)"),
     runTags});

const cli::CommandRegistration previewTagsCommand(
    {QStringLiteral("preview tags"),
     previewUsage + QStringLiteral("\n                   write DIR/cprev.html, one price tag of the sample product"),
     runPreviewTags});

} // namespace
