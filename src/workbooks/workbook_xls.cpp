// .xls workbooks (BIFF, the format of the spreadsheet programs of the 1990s and 2000s) through libfreexl.

#include "workbooks/workbook_parts.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

namespace products::workbook_parts {

using platform::AppError;

namespace {

Cell dateCell(const char *text, const QString &format)
{
    const QString t = QString::fromLatin1(text);
    if (format == QLatin1String("HH:mm:ss")) {
        const QTime time = QTime::fromString(t, format);
        return time.isValid() ? Cell::fromDate(QTime(0, 0).msecsTo(time) / 86400000.0) : Cell::fromText(t);
    }
    QDateTime dt = QDateTime::fromString(t, format);
    return dt.isValid() ? Cell::fromDate(serialFromDateTime(dt)) : Cell::fromText(t);
}

// Why libfreexl could not open the file, naming the part it found damaged.
QString openFailure(int rc)
{
    switch (rc) {
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("メモリーが足りません。");
    case FREEXL_BIFF_INVALID_SST:
    case FREEXL_BIFF_ILLEGAL_SST_INDEX:
        return QStringLiteral("ブックの共有文字列 (SST) が壊れています。");
    case FREEXL_BIFF_INVALID_BOF:
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("ブックの Workbook ストリームが壊れています。");
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
        return QStringLiteral("ブックの文字コードが読めません。");
    case FREEXL_CFBF_EMPTY_FAT_CHAIN:
    case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
    case FREEXL_INVALID_MINI_STREAM:
    case FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY:
    case FREEXL_CRAFTED_FILE:
        return QStringLiteral("ファイルの構造が壊れています。");
    default:
        return QString();
    }
}

class XlsReader : public WorkbookReader {
public:
    XlsReader(const void *handle, QByteArray file) : m_handle(handle), m_file(std::move(file)) {}
    ~XlsReader() override { freexl_close(m_handle); }

    AppError readFirstSheet(int columns, const RowVisitor &visit) override
    {
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_select_active_worksheet(m_handle, 0) != FREEXL_OK ||
            freexl_worksheet_dimensions(m_handle, &rows, &cols) != FREEXL_OK)
            return notAWorkbook(QString(), QStringLiteral("最初のワークシートを読めません。"));
        m_rows = rows;
        const char *sheetName = nullptr;
        freexl_get_worksheet_name(m_handle, 0, &sheetName);
        const QHash<quint64, Cell> extra = biffExtraCells(m_file, QString::fromUtf8(sheetName), columns);
        m_file.clear();
        const int width = std::min<int>(columns, cols);
        // Cells of the shared string table point at the same entry: their texts are made once and shared.
        QHash<const char *, QString> shared;
        QList<Cell> cells;
        for (unsigned int r = 0; r < rows; ++r) {
            m_done = r;
            cells.clear();
            bool any = false;
            for (int c = 0; c < width; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(m_handle, r, static_cast<unsigned short>(c), &v) != FREEXL_OK)
                    return AppError{AppError::InvalidPropertyValue,
                                    QStringLiteral("%1 行目のセルを読めません。").arg(r + 1)};
                // Formula results and booleans come from the records themselves.
                const auto found = extra.constFind(quint64(r) << 16 | quint64(c));
                Cell cell = found != extra.constEnd() ? *found : toCell(v, &shared);
                any = any || cell.kind != Cell::Kind::Empty;
                cells.append(std::move(cell));
            }
            if (any && !visit(qint64(r) + 1, cells))
                return {};
        }
        m_done = rows;
        return {};
    }

    int percentDone() const override { return m_rows == 0 ? 100 : int(qint64(m_done) * 100 / m_rows); }

private:
    static Cell toCell(const FreeXL_CellValue &v, QHash<const char *, QString> *shared)
    {
        switch (v.type) {
        case FREEXL_CELL_INT:
            return Cell::fromNumber(v.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return Cell::fromNumber(v.value.double_value);
        case FREEXL_CELL_TEXT:
            return Cell::fromText(QString::fromUtf8(v.value.text_value));
        case FREEXL_CELL_SST_TEXT: {
            auto it = shared->constFind(v.value.text_value);
            if (it == shared->constEnd())
                it = shared->insert(v.value.text_value, QString::fromUtf8(v.value.text_value));
            return Cell::fromText(*it);
        }
        case FREEXL_CELL_DATE:
            return dateCell(v.value.text_value, QStringLiteral("yyyy-MM-dd"));
        case FREEXL_CELL_DATETIME:
            return dateCell(v.value.text_value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case FREEXL_CELL_TIME:
            return dateCell(v.value.text_value, QStringLiteral("HH:mm:ss"));
        default:
            return {};
        }
    }

    const void *m_handle;
    QByteArray m_file;
    unsigned int m_rows = 0;
    unsigned int m_done = 0;
};

} // namespace

std::unique_ptr<WorkbookReader> openXls(const QString &path, AppError *error)
{
    const QString name = QFileInfo(path).fileName();
    // The compound file is checked before libfreexl walks it: its own walk follows what the file
    // claims, and a loop there costs memory the file's size does not bound.
    QFile f(path);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly))
        bytes = f.read(workbook_limits::MaxPartBytes);
    if (const QString damage = compoundFileDamage(bytes); !damage.isEmpty()) {
        *error = notAWorkbook(name, damage);
        return nullptr;
    }
    const void *handle = nullptr;
    const int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (rc != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        *error = notAWorkbook(name, openFailure(rc));
        return nullptr;
    }
    // libfreexl answers success without a handle when the records made it give up.
    if (!handle) {
        *error = notAWorkbook(name, workbookRecordsDamage(bytes));
        return nullptr;
    }
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        freexl_close(handle);
        *error = notAWorkbook(name, QStringLiteral("パスワードで保護されています。"));
        return nullptr;
    }
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0) {
        freexl_close(handle);
        *error = notAWorkbook(name, QStringLiteral("ワークシートがありません。"));
        return nullptr;
    }
    return std::make_unique<XlsReader>(handle, std::move(bytes));
}

} // namespace products::workbook_parts
