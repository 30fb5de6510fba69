#include "workbooks/workbook_import.h"

#include "platform/cp932.h"
#include "platform/cp932_table.h"
#include "platform/numbers.h"

#include <cmath>
#include <limits>

namespace products {

using platform::AppError;

namespace {

constexpr int kColumns = 5;     // A item code, B name, C price, D remarks, E JAN code
constexpr int kClassColumn = 6; // F the tax class, optional

QString cellNote(qint64 row, int column)
{
    return QStringLiteral("%1 行目 %2 列").arg(row).arg(columnLetter(column));
}

bool isControl(char16_t u)
{
    return (u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n') || u == 0x7F || u == 0xFFFD;
}

// The same checks the list file's reader and writer make, so that what is imported can be saved.
AppError checkText(const QString &text, qint64 row, int column)
{
    if (text.size() > import_limits::MaxCellLength)
        return cellTextTooLong(row, column);
    bool ascii = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        ascii = ascii && u < 0x80;
        if (isControl(u))
            return AppError{AppError::InvalidPropertyValue,
                            QStringLiteral("%1に Shift_JIS で保存できない文字「制御文字 U+%2」があります。")
                                .arg(cellNote(row, column))
                                .arg(QString::number(uint(u), 16).toUpper().rightJustified(4, QLatin1Char('0')))};
    }
    if (ascii)
        return {};
    const platform::cp932::Encoded enc = platform::cp932_table::encode(text);
    if (!enc.ok()) {
        const qsizetype at = enc.firstUnencodable;
        const qsizetype len = (text.at(at).isHighSurrogate() && at + 1 < text.size()) ? 2 : 1;
        return AppError{AppError::InvalidPropertyValue,
                        QStringLiteral("%1に Shift_JIS で保存できない文字「%2」があります。")
                            .arg(cellNote(row, column), text.mid(at, len))};
    }
    return {};
}

// Column C as the spreadsheet's "#,##0" shows it: a number rounded to whole yen, half away from
// zero, as the format does; a text that is no number stays as it is.
AppError priceOf(const Cell &cell, qint64 row, QString *price)
{
    if (cell.kind == Cell::Kind::Empty) {
        price->clear();
        return {};
    }
    const auto v =
        cell.kind == Cell::Kind::Boolean || cell.kind == Cell::Kind::Error ? std::nullopt : cell.numericValue();
    if (!v) {
        *price = cell.shown();
        return {};
    }
    const double r = std::round(*v);
    if (r < double(std::numeric_limits<qint32>::min()) || r > double(std::numeric_limits<qint32>::max()))
        return AppError{AppError::Overflow, QStringLiteral("%1の価格が大きすぎます。").arg(cellNote(row, 3))};
    *price = platform::formatPlain(qint64(r));
    return {};
}

// The JAN code without the class letter of the list file ("B", or "K" for the reduced rate), as a
// list saved by this program and opened in a spreadsheet holds it.
QString janOf(const Cell &cell, bool *reduced)
{
    QString t = cell.shown();
    *reduced = t.endsWith(QLatin1Char('K'));
    if (t.endsWith(QLatin1Char('B')) || *reduced)
        t.chop(1);
    return t;
}

bool isReducedRateValue(double v)
{
    return std::fabs(v - 8.0) < 1e-9 || std::fabs(v - 0.08) < 1e-12;
}

// Column F: "8", "8%", "0.08", "軽減" or "※" (as text or as a number, a percentage cell holding
// 0.08) is the reduced rate, anything else the standard rate. An error value (#N/A, #REF!) is
// refused, naming the cell, like a text that cannot be saved: the user meant something there.
AppError classOf(const Cell &cell, qint64 row, bool *reduced)
{
    *reduced = false;
    switch (cell.kind) {
    case Cell::Kind::Empty:
    case Cell::Kind::Boolean:
    case Cell::Kind::Date:
        return {};
    case Cell::Kind::Error:
        return AppError{AppError::TypeMismatch,
                        QStringLiteral("%1の値「%2」を税区分 (軽減税率なら 8、8%、0.08、軽減、※) "
                                       "として読めません。")
                            .arg(cellNote(row, kClassColumn), cell.shown())};
    case Cell::Kind::Number:
        *reduced = isReducedRateValue(cell.number);
        return {};
    case Cell::Kind::Text:
        break;
    }
    if (const AppError e = checkText(cell.text, row, kClassColumn); e.isSet())
        return e;
    // Full-width digits and signs, as Japanese input gives them, read as their ASCII forms.
    QString t = cell.text.normalized(QString::NormalizationForm_KC).trimmed();
    if (t == QStringLiteral("軽減") || t == QStringLiteral("※")) {
        *reduced = true;
        return {};
    }
    const bool percent = t.endsWith(QLatin1Char('%'));
    if (percent)
        t.chop(1);
    bool ok = false;
    const double v = t.trimmed().toDouble(&ok);
    *reduced = ok && (percent ? std::fabs(v - 8.0) < 1e-9 : isReducedRateValue(v));
    return {};
}

} // namespace

ImportResult importRows(WorkbookReader &reader, const ImportProgressCallback &progress)
{
    ImportResult result;
    qint64 expected = 1;
    AppError failure;
    const auto visit = [&](qint64 row, const QList<Cell> &cells) {
        // A row the sheet does not hold has an empty B: the data ended before it.
        if (row != expected)
            return false;
        const Cell empty;
        const auto at = [&](int k) -> const Cell & { return k < cells.size() ? cells.at(k) : empty; };
        const QString name = at(1).shown();
        if (name.isEmpty())
            return false;
        if (expected > import_limits::MaxRows) {
            failure = AppError{AppError::Overflow, QStringLiteral("行が多すぎます。読み込めるのは %1 行までです。")
                                                       .arg(platform::formatThousands(import_limits::MaxRows))};
            return false;
        }
        Product p;
        p.code = at(0).shown();
        p.name = name;
        p.remarks = at(3).shown();
        p.jan = janOf(at(4), &p.reduced);
        if ((failure = priceOf(at(2), row, &p.price)).isSet())
            return false;
        bool reducedByColumn = false;
        if ((failure = classOf(at(kClassColumn - 1), row, &reducedByColumn)).isSet())
            return false;
        p.reduced = p.reduced || reducedByColumn;
        QString *texts[] = {&p.code, &p.name, &p.price, &p.remarks, &p.jan};
        for (int k = 0; k < kColumns; ++k) {
            // A workbook saved on a Linux or macOS desktop may hold the JIS forms of dashes and signs.
            platform::cp932::mapToCp932Forms(texts[k]);
            if ((failure = checkText(*texts[k], row, k + 1)).isSet())
                return false;
        }
        result.rows.append(std::move(p));
        ++expected;
        if (progress && result.rows.size() % import_limits::ProgressInterval == 0 &&
            !progress(ImportProgress{result.rows.size(), reader.percentDone()})) {
            result.cancelled = true;
            return false;
        }
        return true;
    };
    const AppError e = reader.readFirstSheet(kClassColumn, visit);
    if (e.isSet())
        result.error = e;
    else if (failure.isSet())
        result.error = failure;
    if (!result.ok())
        result.rows.clear();
    return result;
}

ImportResult importWorkbook(const QString &path, const ImportProgressCallback &progress)
{
    OpenedWorkbook opened = openWorkbook(path);
    if (!opened.reader) {
        ImportResult result;
        result.error = opened.error;
        result.cannotOpen = true;
        return result;
    }
    return importRows(*opened.reader, progress);
}

QString importReportText(const ImportResult &result)
{
    QString text = platform::errorReportText(QStringLiteral("ReadExcel"), result.error);
    if (result.cannotOpen)
        text += QStringLiteral("\r\nExcel がインストールされていない可能性があります.");
    return text;
}

QString workbookFileFilter()
{
    return QStringLiteral("Excelファイル(*.xls;*.xlsx;*.ods)|*.xls;*.xlsx;*.ods");
}

QString workbookDialogTitle()
{
    return QStringLiteral("Excelファイルのインポート");
}

QString importWaitText()
{
    return QStringLiteral("しばらくお待ち下さい.\r\nExcelデータをインポート中");
}

AppError cellTextTooLong(qint64 row, int column)
{
    return AppError{AppError::Overflow, QStringLiteral("%1の文字が多すぎます (%2 文字まで)。")
                                            .arg(cellNote(row, column))
                                            .arg(import_limits::MaxCellLength)};
}

QString columnLetter(int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters;
}

} // namespace products
