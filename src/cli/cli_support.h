#pragma once

// What the page commands of vennlo-cli share: settings, the product list, output checks, the BarCode
// folder beside the pages, and how a refusal or failure is told.

#include "cli/cli_command.h"
#include "common/maker.h"
#include "label_stocks/chosen_stock.h"
#include "painting/page_stream.h"
#include "platform/apperror.h"
#include "products/product.h"
#include "settings/settings.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace cli {

// The settings as start-up loads them (upgrades and fallbacks in memory only, nothing written), from
// --settings, or those of a new installation without it. The reports start-up would show are printed
// on err; a missing settings file is refused (nullopt).
// --tax and --reduced-tax stand over the file's rates.
std::optional<settings::Settings> loadSettings(Context &ctx);
// A rate --tax and --reduced-tax take: a number as the settings file holds it, from 0 up to, not
// including, 1, as the tax dialog takes it.
bool isRateText(const QString &text);

// The product list in a CSV file, as 開く reads it. A file that cannot be read completely is refused
// with the error report the main window shows (nullopt).
std::optional<products::ProductList> readProductList(Context &ctx, const QString &path);

// 1-based rows and ranges, "1,3,5-7", as 0-based row indexes in ascending order; nullopt when the text
// is not of that form (outOfRange false) or names a row beyond rowCount (outOfRange true).
std::optional<QList<int>> parseRows(const QString &rowsText, int rowCount, QString *error, bool *outOfRange = nullptr);
// Sets the output check on the rows of --check. Success, or UsageError for a text that is no row list,
// Refused for a row the list does not have (told on err).
int applyChecks(Context &ctx, products::ProductList &list, const QString &rowsText, const QString &usage);

// The folder the pages go to, created when missing; the empty text (and told on err) when it cannot be.
QString outputFolder(Context &ctx);
// Copies the program's BarCode images into folder/BarCode when that folder is missing, so that the
// page shows its barcodes. A missing source or a failed copy is told on err but stops nothing.
void provideBarcodeImages(Context &ctx, const QString &folder);

// The text of a message box for a terminal: line breaks as "\n".
QString terminalText(const QString &text);
// Prints the text on err and gives Refused.
int refuse(Context &ctx, const QString &text);
// Prints the error report of label on err and gives Refused.
int reportFailure(Context &ctx, const QString &label, const platform::AppError &error);
// Prints why and the command's usage on err and gives UsageError.
int usageError(Context &ctx, const QString &usage, const QString &why);

// --pdf FILE of the page commands: turns the page just made into FILE with vennlo-pdf, the program
// found beside vennlo-cli (so that the command line itself needs no web engine), and prints FILE's
// path on out. Success, or Refused with the reason on err; the page stays as it was made either way.
int writePagePdf(Context &ctx, const QString &pagePath, const QString &pdfPath);
// Draws the sheet of a page command straight into a PDF file (the maker's makePdf).
using PdfPainter = std::function<common::MakeResult(const QString &pdfPath)>;
// The end of a page command: the page's path on out, then the PDF when the options hold --pdf, drawn
// by painter, or turned from the page by vennlo-pdf under --pdf-engine web (or without a painter).
int pageMade(Context &ctx, const QString &pagePath, const QMap<QString, QString> &options,
             const PdfPainter &painter = {});
// What the painter takes of the settings: the printer's calibration.
painting::PaintOptions paintOptions(const Context &ctx);
inline const QString PdfOption = QStringLiteral("--pdf");
inline const QString StockOption = QStringLiteral("--stock");
// The stock --stock BRAND:PART names, from the template catalogue; nullopt, with the refusal on
// stderr, when the catalogue has no such stock.
std::optional<label_stocks::ChosenStock> stockOption(Context &ctx, const QString &key);
inline const QString PdfEngineOption = QStringLiteral("--pdf-engine");
// The engine --pdf-engine names: "painter" (the default) or "web"; false for anything else (told as a
// usage error by the command).
bool isPdfEngine(const QString &name);
// How long vennlo-pdf may take before it is stopped: a minute more than its own bound for the page,
// so that its own message about a page too slow to load wins.
int pagePdfToolTimeoutMs(const QString &pagePath);

// Options of a command: "--name value" pairs among the positional arguments. Only the names given
// are accepted; an unknown option or one without its value is a usage error (error says which).
struct ParsedArgs {
    QStringList positional;
    QMap<QString, QString> options;
};
std::optional<ParsedArgs> parseArgs(const QStringList &args, const QStringList &optionNames, QString *error);

} // namespace cli
