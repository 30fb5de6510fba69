// vennlo-cli import: the first worksheet of a workbook as a product-list file, read as the main
// window's import reads it and written as its save writes the list.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "platform/apperror.h"
#include "products/csv_file.h"
#include "workbooks/workbook_import.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString importUsage = QStringLiteral("import WORKBOOK [-o LIST.csv]");

int runImport(cli::Context &ctx, const QStringList &args)
{
    QStringList positional;
    QString output;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("-o")) {
            if (i + 1 >= args.size())
                return cli::usageError(ctx, importUsage, QStringLiteral("option -o needs a value"));
            output = args.at(++i);
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return cli::usageError(ctx, importUsage, QStringLiteral("unknown option ") + a);
        } else {
            positional << a;
        }
    }
    if (positional.size() != 1)
        return cli::usageError(ctx, importUsage,
                               positional.isEmpty() ? QStringLiteral("import needs the workbook WORKBOOK")
                                                    : QStringLiteral("import takes one workbook"));
    const QString workbook = positional.first();
    if (output.isEmpty()) {
        const QString folder = cli::outputFolder(ctx);
        if (folder.isEmpty())
            return cli::Refused;
        output = QDir(folder).filePath(QFileInfo(workbook).completeBaseName() + QStringLiteral(".csv"));
    }

    const products::ImportResult imported = products::importWorkbook(workbook);
    if (!imported.ok())
        return cli::refuse(ctx, products::importReportText(imported));

    const products::WriteResult written = products::writeCsvFile(output, imported.rows);
    if (!written.ok()) {
        if (written.error.number == platform::AppError::PermissionDenied)
            return cli::refuse(ctx, QStringLiteral("上書きできませんでした.当該ファイル( ") +
                                        QDir::toNativeSeparators(output) +
                                        QStringLiteral(" )を\r\n他のソフトで編集中でないか確認してください."));
        return cli::reportFailure(ctx, QStringLiteral("main.WriteFile"), written.error);
    }
    ctx.out << output << '\n';
    return cli::Success;
}

const cli::CommandRegistration importCommand(
    {QStringLiteral("import"),
     importUsage +
         QStringLiteral("\n"
                        "                   read the first worksheet of an .xls, .xlsx or .ods workbook as the\n"
                        "                   window's import does (columns A-E: item code, name, price, remarks,\n"
                        "                   JAN code; F, optional: 8, 8%, 0.08, 軽減 or ※ for the reduced tax\n"
                        "                   rate; up to the first row with an empty B) and write it as a\n"
                        "                   product-list file (Shift_JIS) to -o, or to DIR/WORKBOOK-NAME.csv"),
     runImport});

} // namespace
