#include "cli/cli_support.h"

#include "barcode/barcode_images.h"
#include "dialogs/page_pdf_time.h"
#include "platform/folders.h"
#include "products/csv_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace cli {

QString terminalText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

int refuse(Context &ctx, const QString &text)
{
    ctx.err << terminalText(text) << '\n';
    ctx.err.flush();
    return Refused;
}

int reportFailure(Context &ctx, const QString &label, const platform::AppError &error)
{
    return refuse(ctx, platform::errorReportText(label, error));
}

int usageError(Context &ctx, const QString &usage, const QString &why)
{
    ctx.err << "vennlo-cli: " << why << '\n' << "usage: vennlo-cli [--settings FILE] [--out DIR] " << usage << '\n';
    ctx.err.flush();
    return UsageError;
}

namespace {

std::optional<products::Currency> rateOf(const QString &text)
{
    if (!common::fitsKind(common::KeyKind::Decimal, text))
        return std::nullopt;
    const auto rate = products::Currency::parse(text.trimmed());
    if (!rate || !products::isRateInRange(*rate))
        return std::nullopt;
    return rate;
}

settings::Settings withRates(const Context &ctx, settings::Settings settings)
{
    if (const auto rate = rateOf(ctx.taxRate))
        settings.tax.rate = *rate;
    if (const auto rate = rateOf(ctx.reducedTaxRate))
        settings.tax.reducedRate = *rate;
    return settings;
}

std::optional<settings::Settings> loadFileSettings(Context &ctx);

} // namespace

bool isRateText(const QString &text)
{
    return rateOf(text).has_value();
}

std::optional<settings::Settings> loadSettings(Context &ctx)
{
    const auto settings = loadFileSettings(ctx);
    if (!settings)
        return std::nullopt;
    ctx.calibration = settings->calibration;
    return withRates(ctx, *settings);
}

namespace {

std::optional<settings::Settings> loadFileSettings(Context &ctx)
{
    if (ctx.settingsPath.isEmpty())
        return settings::Settings{};
    if (!QFileInfo(ctx.settingsPath).isFile()) {
        refuse(ctx, QStringLiteral("vennlo-cli: settings file not found: ") + ctx.settingsPath);
        return std::nullopt;
    }
    const settings::SettingsLoad load = settings::GetInitial(ctx.settingsPath, QString(), /*writeToDisk=*/false);
    for (const settings::SettingsReport &r : load.reports)
        ctx.err << terminalText(settings::settingsReportBox(r).text) << '\n';
    ctx.err.flush();
    return load.settings;
}

} // namespace

std::optional<products::ProductList> readProductList(Context &ctx, const QString &path)
{
    const products::ReadResult r = products::readCsvFile(path);
    if (!r.ok()) {
        refuse(ctx, products::readErrorReportText(QStringLiteral("main.ReadFile"), r));
        return std::nullopt;
    }
    return r.rows;
}

std::optional<QList<int>> parseRows(const QString &rowsText, int rowCount, QString *error, bool *outOfRange)
{
    if (outOfRange)
        *outOfRange = false;
    QList<int> rows;
    const QStringList parts = rowsText.split(QLatin1Char(','));
    for (const QString &raw : parts) {
        const QString part = raw.trimmed();
        const QStringList ends = part.split(QLatin1Char('-'));
        if (ends.size() > 2 || part.isEmpty()) {
            *error = QStringLiteral("--check takes rows such as 1,3,5-7, not ") + rowsText;
            return std::nullopt;
        }
        bool ok1 = false;
        bool ok2 = true;
        const int first = ends.at(0).trimmed().toInt(&ok1);
        const int last = ends.size() == 2 ? ends.at(1).trimmed().toInt(&ok2) : first;
        if (!ok1 || !ok2 || first < 1 || last < first) {
            *error = QStringLiteral("--check takes rows such as 1,3,5-7, not ") + rowsText;
            return std::nullopt;
        }
        if (last > rowCount) {
            if (outOfRange)
                *outOfRange = true;
            *error = QStringLiteral("--check: row %1 is not in the list (%2 rows)")
                         .arg(qMax(first, rowCount + 1))
                         .arg(rowCount);
            return std::nullopt;
        }
        for (int r = first; r <= last; ++r)
            rows << r - 1;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int applyChecks(Context &ctx, products::ProductList &list, const QString &rowsText, const QString &usage)
{
    QString error;
    bool outOfRange = false;
    const auto rows = parseRows(rowsText, int(list.size()), &error, &outOfRange);
    if (!rows)
        return outOfRange ? refuse(ctx, QStringLiteral("vennlo-cli: ") + error) : usageError(ctx, usage, error);
    for (int r : *rows)
        list[r].checked = true;
    return Success;
}

QString outputFolder(Context &ctx)
{
    const QString folder = QDir(ctx.outDir).absolutePath();
    if (!QDir().mkpath(folder)) {
        refuse(ctx, QStringLiteral("vennlo-cli: cannot create the output folder ") + folder);
        return QString();
    }
    return folder;
}

void provideBarcodeImages(Context &ctx, const QString &folder)
{
    // As the makes do: a missing image is copied and one that differs from the shipped one (a copy
    // cut short) is replaced, each through a temporary file.
    const auto error = barcode::ensureBarcodeImages(platform::programFolder() + QStringLiteral("/BarCode"),
                                                    QDir(folder).filePath(QStringLiteral("BarCode")));
    if (error) {
        ctx.err << "vennlo-cli: warning: " << terminalText(error->description) << "; the page shows broken barcodes\n";
        ctx.err.flush();
    }
}

namespace {

// What vennlo-pdf said about its failure: its own lines when it wrote any, else the end of whatever
// the web engine printed.
QString toolMessage(const QByteArray &stderrBytes)
{
    const QStringList lines = QString::fromUtf8(stderrBytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList own;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("vennlo-pdf:")))
            own << line.trimmed();
    }
    if (!own.isEmpty())
        return own.join(QLatin1Char('\n'));
    return lines.mid(qMax(0, int(lines.size()) - 5)).join(QLatin1Char('\n')).trimmed();
}

} // namespace

std::optional<label_stocks::ChosenStock> stockOption(Context &ctx, const QString &key)
{
    const label_stocks::Catalogue catalogue = label_stocks::loadCatalogue();
    const label_stocks::LabelStock *stock =
        catalogue.find(key.section(QLatin1Char(':'), 0, 0), key.section(QLatin1Char(':'), 1));
    if (!key.contains(QLatin1Char(':')) || !stock) {
        refuse(ctx, QStringLiteral("vennlo-cli: unknown label stock: %1 (vennlo-cli stocks lists them as BRAND:PART)")
                        .arg(key));
        return std::nullopt;
    }
    return label_stocks::chosenStock(*stock);
}

int writePagePdf(Context &ctx, const QString &pagePath, const QString &pdfPath)
{
    const QString tool = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vennlo-pdf"));
    const QString target = QFileInfo(pdfPath).absoluteFilePath();
    const QString notMade = QStringLiteral("vennlo-cli: the PDF %1 was not made: ").arg(target);
    if (pdfPath.isEmpty())
        return refuse(ctx, QStringLiteral("vennlo-cli: --pdf needs a file name"));
    if (QFileInfo(target) == QFileInfo(pagePath))
        return refuse(ctx, notMade + QStringLiteral("it would replace the page itself"));
    if (!QFileInfo(tool).isFile() || !QFileInfo(tool).isExecutable())
        return refuse(ctx, notMade + QStringLiteral("vennlo-pdf is not installed beside vennlo-cli (") + tool +
                               QLatin1Char(')'));

    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    QStringList toolArgs{QFileInfo(pagePath).absoluteFilePath(), target};
    if (!ctx.calibration.isZero())
        toolArgs.prepend(
            QStringLiteral("--offset=%1,%2").arg(ctx.calibration.xTenthsMm).arg(ctx.calibration.yTenthsMm));
    process.start(tool, toolArgs);
    if (!process.waitForStarted())
        return refuse(ctx, notMade + QStringLiteral("vennlo-pdf could not be started (") + tool + QLatin1Char(')'));
    const int timeoutMs = pagePdfToolTimeoutMs(pagePath);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return refuse(
            ctx,
            notMade +
                QStringLiteral("vennlo-pdf did not finish within %1 minutes and was stopped").arg(timeoutMs / 60000));
    }
    const QString said = toolMessage(process.readAllStandardError());
    const QString detail = said.isEmpty() ? QString() : QLatin1Char('\n') + said;
    if (process.exitStatus() == QProcess::CrashExit)
        return refuse(ctx, notMade + QStringLiteral("vennlo-pdf crashed") + detail);
    if (process.exitCode() != 0)
        return refuse(ctx, notMade + QStringLiteral("vennlo-pdf ended with exit status %1").arg(process.exitCode()) +
                               detail);
    ctx.out << target << '\n';
    ctx.out.flush();
    return Success;
}

int pagePdfToolTimeoutMs(const QString &pagePath)
{
    return dialogs::pagePdfTimeoutMs(pagePath) + 60 * 1000;
}

bool isPdfEngine(const QString &name)
{
    return name == QLatin1String("painter") || name == QLatin1String("web");
}

painting::PaintOptions paintOptions(const Context &ctx)
{
    painting::PaintOptions options;
    options.offsetMm = QPointF(ctx.calibration.xMm(), ctx.calibration.yMm());
    return options;
}

int pageMade(Context &ctx, const QString &pagePath, const QMap<QString, QString> &options, const PdfPainter &painter)
{
    ctx.out << pagePath << '\n';
    ctx.out.flush();
    if (!options.contains(PdfOption))
        return Success;
    const QString pdfPath = options.value(PdfOption);
    if (!painter || options.value(PdfEngineOption) == QLatin1String("web"))
        return writePagePdf(ctx, pagePath, pdfPath);
    const QString target = QFileInfo(pdfPath).absoluteFilePath();
    if (pdfPath.isEmpty())
        return refuse(ctx, QStringLiteral("vennlo-cli: --pdf needs a file name"));
    if (QFileInfo(target) == QFileInfo(pagePath))
        return refuse(
            ctx, QStringLiteral("vennlo-cli: the PDF %1 was not made: it would replace the page itself").arg(target));
    const common::MakeResult made = painter(target);
    if (!made.ok())
        return refuse(ctx,
                      QStringLiteral("vennlo-cli: the PDF %1 was not made: ").arg(target) + terminalText(made.text));
    ctx.out << target << '\n';
    ctx.out.flush();
    return Success;
}

std::optional<ParsedArgs> parseArgs(const QStringList &args, const QStringList &optionNames, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString &name : optionNames)
        parser.addOption(QCommandLineOption(name.mid(2), QString(), QStringLiteral("value")));
    // The parser expects the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("vennlo-cli")} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            QString named = QStringLiteral("--") + unknown.first();
            for (const QString &a : args) {
                const QString option = a.section(QLatin1Char('='), 0, 0);
                if (a.startsWith(QLatin1Char('-')) &&
                    QString(option).remove(QRegularExpression(QStringLiteral("^-+"))) == unknown.first()) {
                    named = option;
                    break;
                }
            }
            *error = QStringLiteral("unknown option ") + named;
        } else {
            // The only other failure is a value option at the very end.
            QString last = args.isEmpty() ? QString() : args.last();
            *error =
                QStringLiteral("option ") + last.section(QLatin1Char('='), 0, 0) + QStringLiteral(" needs a value");
        }
        return std::nullopt;
    }
    ParsedArgs parsed;
    parsed.positional = parser.positionalArguments();
    for (const QString &name : optionNames) {
        if (parser.isSet(name.mid(2)))
            parsed.options.insert(name, parser.value(name.mid(2)));
    }
    return parsed;
}

} // namespace cli
