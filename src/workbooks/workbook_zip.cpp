// .xlsx and .ods workbooks: a zip of XML parts, read part by part with libzip and streamed through
// QXmlStreamReader, so that no part is ever held whole in memory.

#include "workbooks/workbook_import.h"
#include "workbooks/workbook_parts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zip.h>

#include <array>
#include <cmath>

namespace products::workbook_parts {

using platform::AppError;

namespace {

constexpr qint64 kChunk = 256 * 1024;
// QXmlStreamReader hands out a text or a tag only once it has it whole, holding all of it meanwhile.
// The longest a workbook needs is a cell of 32,767 characters written as character references
// (about 300 KB); far more without a token is a text inflated to be large, and reading stops there.
constexpr qint64 kMaxTokenBytes = qint64(4) * 1024 * 1024;
// Shared strings are kept in memory for the whole read: their text is bounded apart from the part.
constexpr qsizetype kMaxSharedCharacters = qsizetype(128) * 1024 * 1024;
constexpr qsizetype kMaxSharedStrings = qsizetype(4) * 1024 * 1024;
// A cell's text is kept to one character more than a cell may hold: the import still refuses it,
// naming the cell, but a text a file inflates or repeats to gigabytes is never held whole.
constexpr qsizetype kMaxKeptText = import_limits::MaxCellLength + 1;

void appendKept(QString &to, QStringView text)
{
    if (to.size() < kMaxKeptText)
        to.append(text.left(kMaxKeptText - to.size()));
}

void appendKept(QString &to, QChar c, qint64 count = 1)
{
    const qsizetype n = qsizetype(std::clamp<qint64>(count, 0, kMaxKeptText - to.size()));
    if (n > 0)
        to.append(QString(n, c));
}

const QString kNsTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kNsOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kNsText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
// LibreOffice marks a formula that ended in an error here (its office value is then 0).
const QString kNsCalcExt = QStringLiteral("urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0");

AppError brokenPart(const QString &part, const QString &why)
{
    return AppError{CannotOpenWorkbook, QStringLiteral("ブックの %1 が壊れています。%2").arg(part, why)};
}

struct ZipCloser {
    void operator()(zip_t *z) const { zip_discard(z); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
    void operator()(zip_file_t *f) const { zip_fclose(f); }
};

bool hasPart(zip_t *z, const QString &name)
{
    return zip_name_locate(z, name.toUtf8().constData(), 0) >= 0;
}

// One XML part streamed from the archive: tokens come from QXmlStreamReader, which is fed chunk by
// chunk; reading stops at the size bound whatever the archive's header says.
class XmlPart {
public:
    XmlPart(zip_t *zip, QString name) : m_zip(zip), m_name(std::move(name)) {}

    // False (and error set) when the part is missing, too large or cannot be opened.
    bool open()
    {
        const zip_int64_t index = zip_name_locate(m_zip, m_name.toUtf8().constData(), 0);
        if (index < 0) {
            m_error = AppError{CannotOpenWorkbook, QStringLiteral("ブックの %1 がありません。").arg(m_name)};
            return false;
        }
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE)) {
            if (st.size > zip_uint64_t(workbook_limits::MaxPartBytes)) {
                m_error = tooLarge(m_name);
                return false;
            }
            m_size = qint64(st.size);
        }
        m_file.reset(zip_fopen_index(m_zip, zip_uint64_t(index), 0));
        if (!m_file) {
            m_error = brokenPart(m_name, QString::fromUtf8(zip_strerror(m_zip)));
            return false;
        }
        return true;
    }

    // The next token; Invalid at a fault (error() tells which) or past the end of the document.
    QXmlStreamReader::TokenType next()
    {
        for (;;) {
            const QXmlStreamReader::TokenType t = xml.readNext();
            if (t != QXmlStreamReader::Invalid) {
                m_fedSinceToken = 0;
                return t;
            }
            if (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || m_eof || !feed())
                return t;
        }
    }

    AppError error() const
    {
        if (m_error.isSet())
            return m_error;
        if (xml.hasError())
            return brokenPart(m_name, QStringLiteral("(%1 行目: %2)").arg(xml.lineNumber()).arg(xml.errorString()));
        return {};
    }

    int percent() const { return m_size > 0 ? int(std::min<qint64>(100, m_read * 100 / m_size)) : -1; }
    // Whether reading stopped at a text or tag far longer than any a workbook needs.
    bool tokenTooLong() const { return m_tokenTooLong; }
    const QString &name() const { return m_name; }

    QXmlStreamReader xml;

private:
    bool feed()
    {
        QByteArray buffer(kChunk, Qt::Uninitialized);
        const zip_int64_t n = zip_fread(m_file.get(), buffer.data(), zip_uint64_t(buffer.size()));
        if (n < 0) {
            m_error = brokenPart(m_name, QString::fromUtf8(zip_file_strerror(m_file.get())));
            return false;
        }
        if (n == 0) {
            m_eof = true;
            return true;
        }
        m_read += n;
        m_fedSinceToken += n;
        if (m_read > workbook_limits::MaxPartBytes) {
            m_error = tooLarge(m_name);
            return false;
        }
        if (m_fedSinceToken > kMaxTokenBytes) {
            m_tokenTooLong = true;
            m_error = brokenPart(m_name, QStringLiteral("(長すぎるテキストがあります)"));
            return false;
        }
        buffer.truncate(qsizetype(n));
        xml.addData(buffer);
        return true;
    }

    zip_t *m_zip;
    QString m_name;
    std::unique_ptr<zip_file_t, ZipFileCloser> m_file;
    qint64 m_size = 0;
    qint64 m_read = 0;
    qint64 m_fedSinceToken = 0;
    bool m_eof = false;
    bool m_tokenTooLong = false;
    AppError m_error;
};

QString attribute(const QXmlStreamReader &xml, QLatin1StringView name)
{
    return xml.attributes().value(name).toString();
}

// The attribute with this local name in some namespace (r:id, whatever the prefix).
QString namespacedAttribute(const QXmlStreamReader &xml, QLatin1StringView localName)
{
    for (const QXmlStreamAttribute &a : xml.attributes()) {
        if (a.name() == localName && !a.namespaceUri().isEmpty())
            return a.value().toString();
    }
    return {};
}

QString resolvePart(const QString &folder, const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QDir::cleanPath(folder.isEmpty() ? target : folder + QLatin1Char('/') + target);
}

QString folderOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash);
}

struct Relationship {
    QString id, type, target;
};

// The relationships of a part (its _rels/NAME.rels); empty when it has none.
std::optional<QList<Relationship>> readRelationships(zip_t *zip, const QString &part, AppError *error)
{
    const QString folder = folderOf(part);
    const QString relsName = (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") +
                             part.mid(folder.isEmpty() ? 0 : folder.size() + 1) + QStringLiteral(".rels");
    QList<Relationship> rels;
    if (!hasPart(zip, relsName))
        return rels;
    XmlPart xml(zip, relsName);
    if (!xml.open()) {
        *error = xml.error();
        return std::nullopt;
    }
    for (auto t = xml.next(); t != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument; t = xml.next()) {
        if (t == QXmlStreamReader::StartElement && xml.xml.name() == QLatin1String("Relationship")) {
            const QString mode = attribute(xml.xml, QLatin1StringView("TargetMode"));
            if (mode == QLatin1String("External"))
                continue;
            rels.append({attribute(xml.xml, QLatin1StringView("Id")), attribute(xml.xml, QLatin1StringView("Type")),
                         resolvePart(folder, attribute(xml.xml, QLatin1StringView("Target")))});
        }
        if (rels.size() > 100000)
            break;
    }
    if (xml.error().isSet()) {
        *error = xml.error();
        return std::nullopt;
    }
    return rels;
}

QString targetOfType(const QList<Relationship> &rels, QLatin1StringView typeEnd)
{
    for (const Relationship &r : rels) {
        if (r.type.endsWith(typeEnd))
            return r.target;
    }
    return {};
}

// 1-based column of a cell reference such as "AB12"; 0 when it has no letters.
int columnOfReference(QStringView ref)
{
    int col = 0;
    for (QChar c : ref) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            col = col * 26 + (u - u'A' + 1);
        else if (u >= u'a' && u <= u'z')
            col = col * 26 + (u - u'a' + 1);
        else
            break;
        if (col > 1 << 20)
            return 1 << 20;
    }
    return col;
}

// Texts of an .xlsx carry characters XML cannot hold (control characters) as "_xHHHH_".
QString decodeEscapes(const QString &t)
{
    if (!t.contains(QLatin1String("_x")))
        return t;
    QString out;
    out.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i) == QLatin1Char('_') && i + 6 < t.size() && t.at(i + 1) == QLatin1Char('x') &&
            t.at(i + 6) == QLatin1Char('_')) {
            bool ok = false;
            const uint v = QStringView(t).mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(char16_t(v));
                i += 6;
                continue;
            }
        }
        out += t.at(i);
    }
    return out;
}

// Shared strings, each held once: every cell that refers to one shares its text, so a sheet that
// refers to a long string many times costs no more memory than the string itself.
class SharedStrings {
public:
    qsizetype size() const { return m_strings.size(); }
    const QString &at(qsizetype i) const { return m_strings.at(i); }

    AppError load(zip_t *zip, const QString &name)
    {
        XmlPart xml(zip, name);
        if (!xml.open())
            return xml.error();
        int phoneticDepth = 0;
        bool inText = false;
        QString current;
        qsizetype characters = 0;
        for (auto t = xml.next(); t != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument;
             t = xml.next()) {
            const QStringView n = xml.xml.name();
            if (t == QXmlStreamReader::StartElement) {
                if (n == QLatin1String("rPh"))
                    ++phoneticDepth; // the reading in kana that the spreadsheet keeps beside Japanese text
                else if (n == QLatin1String("t"))
                    inText = true;
            } else if (t == QXmlStreamReader::EndElement) {
                if (n == QLatin1String("rPh"))
                    --phoneticDepth;
                else if (n == QLatin1String("t"))
                    inText = false;
                else if (n == QLatin1String("si")) {
                    if (m_strings.size() >= kMaxSharedStrings)
                        return tooLarge(name);
                    m_strings.append(decodeEscapes(current));
                    current.clear();
                }
            } else if (t == QXmlStreamReader::Characters && inText && phoneticDepth == 0) {
                const qsizetype before = current.size();
                appendKept(current, xml.xml.text());
                characters += current.size() - before;
                if (characters > kMaxSharedCharacters)
                    return tooLarge(name);
            }
        }
        return xml.error();
    }

private:
    QList<QString> m_strings;
};

class XlsxReader : public WorkbookReader {
public:
    XlsxReader(ZipHandle zip, QString sheet, QString sharedStrings, QString styles, bool date1904)
        : m_zip(std::move(zip)), m_sheet(std::move(sheet)), m_sharedName(std::move(sharedStrings)),
          m_stylesName(std::move(styles)), m_date1904(date1904)
    {
    }

    AppError readFirstSheet(int columns, const RowVisitor &visit) override
    {
        if (!m_sharedName.isEmpty() && hasPart(m_zip.get(), m_sharedName)) {
            m_hasShared = true;
            if (AppError e = m_shared.load(m_zip.get(), m_sharedName); e.isSet())
                return e;
        }
        if (!m_stylesName.isEmpty() && hasPart(m_zip.get(), m_stylesName)) {
            if (AppError e = loadStyles(); e.isSet())
                return e;
        }
        XmlPart part(m_zip.get(), m_sheet);
        m_part = &part;
        const AppError e = readSheet(part, columns, visit);
        m_part = nullptr;
        return e;
    }

    int percentDone() const override { return m_part ? m_part->percent() : -1; }

private:
    AppError loadStyles()
    {
        XmlPart xml(m_zip.get(), m_stylesName);
        if (!xml.open())
            return xml.error();
        QHash<int, QString> codes;
        QList<int> xfFormats;
        bool inCellXfs = false;
        for (auto t = xml.next(); t != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument;
             t = xml.next()) {
            const QStringView n = xml.xml.name();
            if (t == QXmlStreamReader::StartElement) {
                if (n == QLatin1String("numFmt")) {
                    // Format ids are 16 bits and codes at most 255 characters in the spreadsheets; a
                    // file claiming more cannot make the table grow past that.
                    bool ok = false;
                    const uint id = attribute(xml.xml, QLatin1StringView("numFmtId")).toUInt(&ok);
                    if (ok && id <= 0xFFFF)
                        codes.insert(int(id), attribute(xml.xml, QLatin1StringView("formatCode")).left(255));
                } else if (n == QLatin1String("cellXfs"))
                    inCellXfs = true;
                else if (n == QLatin1String("xf") && inCellXfs && xfFormats.size() < 65536)
                    xfFormats.append(attribute(xml.xml, QLatin1StringView("numFmtId")).toInt());
            } else if (t == QXmlStreamReader::EndElement && n == QLatin1String("cellXfs")) {
                inCellXfs = false;
            }
        }
        for (int id : xfFormats)
            m_dateStyles.append(isDateFormat(id, codes.value(id)));
        return xml.error();
    }

    bool isDateStyle(const QString &s) const
    {
        bool ok = false;
        const int i = s.toInt(&ok);
        return ok && i >= 0 && i < m_dateStyles.size() && m_dateStyles.at(i);
    }

    AppError makeCell(const QString &type, const QString &style, const QString &value, bool hasValue, Cell *out) const
    {
        if (!hasValue) {
            *out = {};
            return {};
        }
        if (type == QLatin1String("s")) {
            bool ok = false;
            const qsizetype i = value.trimmed().toLongLong(&ok);
            if (!m_hasShared)
                return AppError{
                    CannotOpenWorkbook,
                    QStringLiteral("ブックの共有文字列 (%1) がありません。")
                        .arg(m_sharedName.isEmpty() ? QStringLiteral("xl/sharedStrings.xml") : m_sharedName)};
            if (!ok || i < 0 || i >= m_shared.size())
                return AppError{
                    CannotOpenWorkbook,
                    QStringLiteral("ブックの共有文字列 (%1) に %2 番の文字列がありません。").arg(m_sharedName, value)};
            *out = Cell::fromText(m_shared.at(i));
        } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str")) {
            *out = Cell::fromText(decodeEscapes(value));
        } else if (type == QLatin1String("b")) {
            *out = Cell::fromBoolean(value.trimmed() == QLatin1String("1") || value.trimmed() == QLatin1String("true"));
        } else if (type == QLatin1String("e")) {
            *out = Cell::fromError(value);
        } else if (type == QLatin1String("d")) {
            const QDateTime dt = QDateTime::fromString(value.trimmed(), Qt::ISODateWithMs);
            const QDate d = QDate::fromString(value.trimmed(), Qt::ISODate);
            *out = dt.isValid()  ? Cell::fromDate(serialFromDateTime(dt))
                   : d.isValid() ? Cell::fromDate(serialFromDateTime(QDateTime(d, QTime(0, 0))))
                                 : Cell::fromText(value);
        } else {
            bool ok = false;
            const double v = QStringView(value).trimmed().toDouble(&ok);
            if (!ok)
                *out = Cell::fromText(value);
            else if (isDateStyle(style))
                *out = Cell::fromDate(m_date1904 ? v + 1462 : v);
            else
                *out = Cell::fromNumber(v);
        }
        return {};
    }

    AppError readSheet(XmlPart &part, int columns, const RowVisitor &visit)
    {
        if (!part.open())
            return part.error();
        qint64 row = 0;
        int lastColumn = 0;
        int column = 0;
        QString type, style, value;
        bool hasValue = false, inValue = false, inInline = false, inText = false;
        int phoneticDepth = 0;
        QList<Cell> cells;
        bool any = false;
        QXmlStreamReader &xml = part.xml;
        for (auto t = part.next(); t != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument;
             t = part.next()) {
            if (t == QXmlStreamReader::StartElement) {
                const QStringView n = xml.name();
                if (n == QLatin1String("c")) {
                    const QXmlStreamAttributes a = xml.attributes();
                    const QStringView ref = a.value(QLatin1StringView("r"));
                    column = ref.isEmpty() ? lastColumn + 1 : columnOfReference(ref);
                    lastColumn = column;
                    type = a.value(QLatin1StringView("t")).toString();
                    style = a.value(QLatin1StringView("s")).toString();
                    value.clear();
                    hasValue = false;
                } else if (n == QLatin1String("v")) {
                    inValue = hasValue = true;
                } else if (n == QLatin1String("is")) {
                    inInline = hasValue = true;
                } else if (n == QLatin1String("t")) {
                    inText = inInline;
                } else if (n == QLatin1String("rPh")) {
                    ++phoneticDepth;
                } else if (n == QLatin1String("row")) {
                    const QString r = attribute(xml, QLatin1StringView("r"));
                    bool ok = false;
                    const qint64 number = r.toLongLong(&ok);
                    row = ok ? number : row + 1;
                    lastColumn = 0;
                    cells.clear();
                    any = false;
                }
            } else if (t == QXmlStreamReader::EndElement) {
                const QStringView n = xml.name();
                if (n == QLatin1String("v")) {
                    inValue = false;
                } else if (n == QLatin1String("t")) {
                    inText = false;
                } else if (n == QLatin1String("is")) {
                    inInline = false;
                } else if (n == QLatin1String("rPh")) {
                    --phoneticDepth;
                } else if (n == QLatin1String("c")) {
                    if (column >= 1 && column <= columns) {
                        Cell cell;
                        if (AppError e = makeCell(type, style, value, hasValue, &cell); e.isSet())
                            return e;
                        if (cells.size() < column)
                            cells.resize(column);
                        any = any || cell.kind != Cell::Kind::Empty;
                        cells[column - 1] = std::move(cell);
                    }
                    column = 0; // text between cells belongs to none
                } else if (n == QLatin1String("row")) {
                    if (any && !visit(row, cells))
                        return {};
                } else if (n == QLatin1String("sheetData")) {
                    return {};
                }
            } else if (t == QXmlStreamReader::Characters && column >= 1 && column <= columns) {
                if (inValue || (inInline && inText && phoneticDepth == 0))
                    appendKept(value, xml.text());
            }
        }
        if (part.tokenTooLong() && row > 0 && column >= 1 && column <= columns && hasValue)
            return cellTextTooLong(row, column);
        return part.error();
    }

    ZipHandle m_zip;
    QString m_sheet, m_sharedName, m_stylesName;
    bool m_date1904;
    bool m_hasShared = false;
    SharedStrings m_shared;
    QList<bool> m_dateStyles;
    XmlPart *m_part = nullptr;
};

// office:time-value, an ISO 8601 duration such as "PT10H30M00S", as a fraction of days.
std::optional<double> durationDays(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^(-)?P(?:(\d+)D)?(?:T(?:(\d+)H)?(?:(\d+)M)?(?:(\d+(?:\.\d*)?)S)?)?$)"));
    const QRegularExpressionMatch m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const double days = m.captured(2).toDouble() + m.captured(3).toDouble() / 24 + m.captured(4).toDouble() / 1440 +
                        m.captured(5).toDouble() / 86400;
    return m.captured(1).isEmpty() ? days : -days;
}

class OdsReader : public WorkbookReader {
public:
    explicit OdsReader(ZipHandle zip) : m_zip(std::move(zip)) {}

    AppError readFirstSheet(int columns, const RowVisitor &visit) override
    {
        XmlPart part(m_zip.get(), QStringLiteral("content.xml"));
        m_part = &part;
        const AppError e = read(part, columns, visit);
        m_part = nullptr;
        return e;
    }

    int percentDone() const override { return m_part ? m_part->percent() : -1; }

private:
    static qint64 repeat(const QXmlStreamReader &xml, QLatin1StringView name)
    {
        bool ok = false;
        const qint64 n = xml.attributes().value(kNsTable, name).toLongLong(&ok);
        return ok && n > 0 ? n : 1;
    }

    struct PendingCell {
        QString type, value, dateValue, timeValue, booleanValue, stringValue;
        bool hasStringValue = false;
        bool error = false;
        QString text;
        int paragraphs = 0;
        qint64 repeat = 1;
    };

    static Cell makeCell(const PendingCell &p)
    {
        const QString &t = p.type;
        if (p.error)
            return Cell::fromError(p.text);
        if (t == QLatin1String("float") || t == QLatin1String("percentage") || t == QLatin1String("currency")) {
            bool ok = false;
            const double v = QStringView(p.value).trimmed().toDouble(&ok);
            return ok ? Cell::fromNumber(v) : Cell::fromText(p.text);
        }
        if (t == QLatin1String("date")) {
            const QString v = p.dateValue.trimmed();
            QDateTime dt = QDateTime::fromString(v, Qt::ISODateWithMs);
            if (!dt.isValid())
                dt = QDateTime(QDate::fromString(v, Qt::ISODate), QTime(0, 0));
            return dt.isValid() ? Cell::fromDate(serialFromDateTime(dt)) : Cell::fromText(p.text);
        }
        if (t == QLatin1String("time")) {
            const auto d = durationDays(p.timeValue);
            return d ? Cell::fromDate(*d) : Cell::fromText(p.text);
        }
        if (t == QLatin1String("boolean"))
            return Cell::fromBoolean(p.booleanValue.trimmed() == QLatin1String("true") ||
                                     p.booleanValue.trimmed() == QLatin1String("1"));
        if (t == QLatin1String("string"))
            return Cell::fromText(p.hasStringValue ? p.stringValue : p.text);
        return {};
    }

    AppError read(XmlPart &part, int columns, const RowVisitor &visit)
    {
        if (!part.open())
            return part.error();
        QXmlStreamReader &xml = part.xml;
        bool inTable = false;
        int tableDepth = 0; // tables inside the first one (in a cell's drawing) are skipped
        qint64 row = 0;
        qint64 rowRepeat = 1;
        qint64 column = 0;
        QList<Cell> cells;
        bool any = false;
        bool inCell = false;
        int annotationDepth = 0;
        PendingCell cell;
        for (auto t = part.next(); t != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument;
             t = part.next()) {
            const QStringView ns = xml.namespaceUri();
            const QStringView n = xml.name();
            if (t == QXmlStreamReader::StartElement) {
                if (ns == kNsTable && n == QLatin1String("table")) {
                    if (inTable)
                        ++tableDepth;
                    inTable = true;
                } else if (!inTable || tableDepth > 0) {
                    continue;
                } else if (ns == kNsTable && n == QLatin1String("table-row")) {
                    rowRepeat = repeat(xml, QLatin1StringView("number-rows-repeated"));
                    column = 0;
                    cells.clear();
                    any = false;
                } else if (ns == kNsTable &&
                           (n == QLatin1String("table-cell") || n == QLatin1String("covered-table-cell"))) {
                    const QXmlStreamAttributes a = xml.attributes();
                    cell = PendingCell();
                    cell.repeat = repeat(xml, QLatin1StringView("number-columns-repeated"));
                    inCell = column < columns;
                    if (inCell) {
                        cell.type = a.value(kNsOffice, QLatin1String("value-type")).toString();
                        cell.value = a.value(kNsOffice, QLatin1String("value")).toString();
                        cell.dateValue = a.value(kNsOffice, QLatin1String("date-value")).toString();
                        cell.timeValue = a.value(kNsOffice, QLatin1String("time-value")).toString();
                        cell.booleanValue = a.value(kNsOffice, QLatin1String("boolean-value")).toString();
                        cell.hasStringValue = a.hasAttribute(kNsOffice, QLatin1String("string-value"));
                        cell.stringValue =
                            a.value(kNsOffice, QLatin1String("string-value")).left(kMaxKeptText).toString();
                        cell.error = a.value(kNsCalcExt, QLatin1String("value-type")) == QLatin1String("error");
                    }
                } else if (inCell && ns == kNsOffice && n == QLatin1String("annotation")) {
                    ++annotationDepth;
                } else if (inCell && annotationDepth == 0 && ns == kNsText) {
                    if (n == QLatin1String("p") || n == QLatin1String("h")) {
                        if (cell.paragraphs++ > 0)
                            appendKept(cell.text, QLatin1Char('\n'));
                    } else if (n == QLatin1String("s")) {
                        bool ok = false;
                        const qint64 c = xml.attributes().value(kNsText, QLatin1String("c")).toLongLong(&ok);
                        appendKept(cell.text, QLatin1Char(' '), ok ? c : 1);
                    } else if (n == QLatin1String("tab")) {
                        appendKept(cell.text, QLatin1Char('\t'));
                    } else if (n == QLatin1String("line-break")) {
                        appendKept(cell.text, QLatin1Char('\n'));
                    }
                }
            } else if (t == QXmlStreamReader::EndElement) {
                if (ns == kNsTable && n == QLatin1String("table")) {
                    if (tableDepth == 0)
                        return {};
                    --tableDepth;
                } else if (!inTable || tableDepth > 0) {
                    continue;
                } else if (ns == kNsOffice && n == QLatin1String("annotation") && annotationDepth > 0) {
                    --annotationDepth;
                } else if (ns == kNsTable &&
                           (n == QLatin1String("table-cell") || n == QLatin1String("covered-table-cell"))) {
                    if (inCell) {
                        const Cell c = makeCell(cell);
                        const qint64 end = std::min<qint64>(columns, column + cell.repeat);
                        if (c.kind != Cell::Kind::Empty) {
                            any = true;
                            if (cells.size() < end)
                                cells.resize(end);
                            for (qint64 k = column; k < end; ++k)
                                cells[k] = c;
                        }
                    }
                    column += cell.repeat;
                    inCell = false;
                } else if (ns == kNsTable && n == QLatin1String("table-row")) {
                    if (!any) {
                        row += rowRepeat;
                        continue;
                    }
                    for (qint64 k = 0; k < rowRepeat; ++k) {
                        if (!visit(++row, cells))
                            return {};
                    }
                }
            } else if (t == QXmlStreamReader::Characters && inCell && annotationDepth == 0 && cell.paragraphs > 0) {
                appendKept(cell.text, xml.text());
            }
        }
        if (part.tokenTooLong() && inCell)
            return cellTextTooLong(row + 1, int(column) + 1);
        if (AppError e = part.error(); e.isSet())
            return e;
        return inTable ? AppError{} : brokenPart(part.name(), QStringLiteral("ワークシートがありません。"));
    }

    ZipHandle m_zip;
    XmlPart *m_part = nullptr;
};

std::unique_ptr<WorkbookReader> openXlsx(ZipHandle zip, const QString &fileName, AppError *error)
{
    const auto packageRels = readRelationships(zip.get(), QString(), error);
    if (!packageRels)
        return nullptr;
    // The package relationships live in "_rels/.rels": readRelationships("") names it "_rels/.rels".
    QString workbookPart = targetOfType(*packageRels, QLatin1StringView("/officeDocument"));
    if (workbookPart.isEmpty())
        workbookPart = QStringLiteral("xl/workbook.xml");
    if (!hasPart(zip.get(), workbookPart)) {
        *error = notAWorkbook(fileName, QStringLiteral("ブックの %1 がありません。").arg(workbookPart));
        return nullptr;
    }
    QString sheetId;
    bool date1904 = false;
    {
        XmlPart xml(zip.get(), workbookPart);
        if (!xml.open()) {
            *error = xml.error();
            return nullptr;
        }
        for (auto t = xml.next(); t != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument;
             t = xml.next()) {
            if (t != QXmlStreamReader::StartElement)
                continue;
            if (xml.xml.name() == QLatin1String("workbookPr")) {
                const QString v = attribute(xml.xml, QLatin1StringView("date1904"));
                date1904 = v == QLatin1String("1") || v == QLatin1String("true");
            } else if (xml.xml.name() == QLatin1String("sheet")) {
                sheetId = namespacedAttribute(xml.xml, QLatin1StringView("id"));
                break;
            }
        }
        if (xml.error().isSet()) {
            *error = xml.error();
            return nullptr;
        }
    }
    const auto rels = readRelationships(zip.get(), workbookPart, error);
    if (!rels)
        return nullptr;
    QString sheetPart;
    for (const Relationship &r : *rels) {
        if (r.id == sheetId)
            sheetPart = r.target;
    }
    if (sheetId.isEmpty() || sheetPart.isEmpty()) {
        *error = notAWorkbook(fileName, QStringLiteral("ワークシートがありません。"));
        return nullptr;
    }
    const QString shared = targetOfType(*rels, QLatin1StringView("/sharedStrings"));
    const QString styles = targetOfType(*rels, QLatin1StringView("/styles"));
    return std::make_unique<XlsxReader>(std::move(zip), sheetPart, shared, styles, date1904);
}

} // namespace

bool isDateFormat(int id, const QString &code)
{
    // Built-in formats have no code in the file; 27-36 and 50-58 are the Japanese era and date formats.
    if (code.isEmpty())
        return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (quoted) {
            quoted = c != QLatin1Char('"');
            continue;
        }
        if (bracket) {
            // [h], [mm], [ss]: elapsed time; [Red], [$-411] and the like are no date parts.
            if (c == QLatin1Char(']'))
                bracket = false;
            else if (i > 0 && code.at(i - 1) == QLatin1Char('[') && QStringLiteral("hHmMsS").contains(c) &&
                     code.indexOf(QLatin1Char(']'), i) > i) {
                const QStringView inside = QStringView(code).mid(i, code.indexOf(QLatin1Char(']'), i) - i);
                if (std::all_of(inside.begin(), inside.end(), [c](QChar d) { return d.toLower() == c.toLower(); }))
                    return true;
            }
            continue;
        }
        switch (c.unicode()) {
        case u'"':
            quoted = true;
            break;
        case u'[':
            bracket = true;
            break;
        case u'\\':
        case u'_':
        case u'*':
            ++i;
            break;
        case u'y':
        case u'Y':
        case u'm':
        case u'M':
        case u'd':
        case u'D':
        case u'h':
        case u'H':
        case u's':
        case u'S':
            return true;
        case u';':
            return false; // the first section decides
        default:
            break;
        }
    }
    return false;
}

AppError notAWorkbook(const QString &fileName, const QString &why)
{
    QString text = fileName.isEmpty() ? QStringLiteral("このファイルはブックとして開けません。")
                                      : QStringLiteral("%1 はブックとして開けません。").arg(fileName);
    if (!why.isEmpty())
        text += why;
    return AppError{CannotOpenWorkbook, text};
}

AppError tooLarge(const QString &name)
{
    return AppError{AppError::Overflow, QStringLiteral("%1 が大きすぎます (%2 MB まで)。")
                                            .arg(name)
                                            .arg(workbook_limits::MaxPartBytes / (1024 * 1024))};
}

std::unique_ptr<WorkbookReader> openZipWorkbook(const QString &path, AppError *error)
{
    const QString fileName = QFileInfo(path).fileName();
    int code = 0;
    ZipHandle zip(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code));
    if (!zip) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, code);
        *error = notAWorkbook(fileName, QStringLiteral("(%1)").arg(QString::fromUtf8(zip_error_strerror(&ze))));
        zip_error_fini(&ze);
        return nullptr;
    }
    if (hasPart(zip.get(), QStringLiteral("mimetype")) || hasPart(zip.get(), QStringLiteral("content.xml"))) {
        QByteArray mime;
        if (zip_file_t *f = zip_fopen(zip.get(), "mimetype", 0)) {
            mime.resize(128);
            const zip_int64_t n = zip_fread(f, mime.data(), zip_uint64_t(mime.size()));
            mime.resize(n > 0 ? qsizetype(n) : 0);
            zip_fclose(f);
        }
        if (!mime.isEmpty() && !mime.startsWith("application/vnd.oasis.opendocument.spreadsheet")) {
            *error = notAWorkbook(fileName, QStringLiteral("表計算のファイルではありません。"));
            return nullptr;
        }
        if (!hasPart(zip.get(), QStringLiteral("content.xml"))) {
            *error = notAWorkbook(fileName, QStringLiteral("ブックの content.xml がありません。"));
            return nullptr;
        }
        return std::make_unique<OdsReader>(std::move(zip));
    }
    if (hasPart(zip.get(), QStringLiteral("[Content_Types].xml")) ||
        hasPart(zip.get(), QStringLiteral("xl/workbook.xml")))
        return openXlsx(std::move(zip), fileName, error);
    *error = notAWorkbook(fileName);
    return nullptr;
}

} // namespace products::workbook_parts
