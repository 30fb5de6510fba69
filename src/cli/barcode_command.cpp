// vennlo-cli barcode / check-digit: the image sequence and the check digit exactly as the pages and
// the entry form get them, so that scripts can check them against a real barcode reader.

#include "barcode/barcode.h"
#include "cli/cli_command.h"

#include "platform/numbers.h"

namespace {

int runBarcode(cli::Context &ctx, const QStringList &given)
{
    // "--height H" is the documented spelling; a bare HEIGHT after the code is taken too.
    QStringList args = given;
    const qsizetype opt = args.indexOf(QStringLiteral("--height"));
    if (opt >= 0 && opt + 1 < args.size()) {
        const QString h = args.takeAt(opt + 1);
        args.removeAt(opt);
        args.append(h);
    }
    if (args.isEmpty() || args.size() > 2 || args.contains(QStringLiteral("--height"))) {
        ctx.err << "usage: vennlo-cli barcode CODE [--height H]\n";
        return cli::UsageError;
    }
    int height = 40;
    if (args.size() == 2) {
        const std::optional<qint16> h = platform::toInteger16(args[1]);
        if (!h) {
            ctx.err << "vennlo-cli barcode: the height must be a whole number from -32768 to 32767\n";
            return cli::UsageError;
        }
        height = *h;
    }
    const QString html = barcode::MakeBarCodeHtml(args[0], height);
    if (html.isEmpty()) {
        ctx.err << "vennlo-cli barcode: " << args[0] << " is not a JAN code of 13 or 8 digits\n";
        return cli::Refused;
    }
    ctx.out << html << "\n";
    return cli::Success;
}

int runCheckDigit(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 1) {
        ctx.err << "usage: vennlo-cli check-digit DIGITS\n";
        return cli::UsageError;
    }
    const int digit = barcode::GetCheckDigit(args[0]);
    if (digit < 0) {
        ctx.err << "vennlo-cli check-digit: " << args[0] << " is not 12 or 7 digits\n";
        return cli::Refused;
    }
    ctx.out << digit << "\n";
    return cli::Success;
}

const cli::CommandRegistration barcodeCommand(
    {QStringLiteral("barcode"),
     QStringLiteral("barcode CODE [--height H]  print the img tags of a 13- or 8-digit JAN code (height 40)"),
     runBarcode});

const cli::CommandRegistration checkDigitCommand(
    {QStringLiteral("check-digit"), QStringLiteral("check-digit DIGITS      print the check digit of 12 or 7 digits"),
     runCheckDigit});

} // namespace
