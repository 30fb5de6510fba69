// The cells of an .xls that libfreexl hands out empty: the values a formula had when the workbook was
// saved, and booleans. The compound file is walked to the workbook stream and its records are read
// only as far as needed; anything unexpected ends the walk and leaves those cells empty.
// Layout: [MS-CFB] for the compound file, [MS-XLS] 2.4 for the records.

#include "products/workbook_parts.h"

#include <QHash>
#include <QSet>

namespace products::workbook_parts {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFreeSector = 0xFFFFFFFF;

quint16 u16(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b.at(at)) | quint8(b.at(at + 1)) << 8);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return quint32(u16(b, at)) | quint32(u16(b, at + 2)) << 16;
}

class CompoundFile {
public:
    explicit CompoundFile(const QByteArray &file) : m_file(file) {}

    // The named stream of the root storage, or an empty array.
    QByteArray stream(const QStringList &names)
    {
        if (m_file.size() < 512)
            return {};
        const int shift = u16(m_file, 0x1E);
        if (shift != 9 && shift != 12)
            return {};
        m_sectorSize = 1 << shift;
        if (!readFat())
            return {};
        const QByteArray dir = chain(u32(m_file, 0x30), m_fat, m_sectorSize, m_file, m_sectorSize);
        QByteArray root;
        for (qsizetype at = 0; at + 128 <= dir.size(); at += 128) {
            const int nameBytes = std::min<int>(u16(dir, at + 0x40), 64);
            const QString name = QString::fromUtf16(reinterpret_cast<const char16_t *>(dir.constData() + at),
                                                    std::max(0, nameBytes / 2 - 1));
            const int type = quint8(dir.at(at + 0x42));
            const quint32 start = u32(dir, at + 0x74);
            const quint32 size = u32(dir, at + 0x78);
            if (type == 5) {
                root = chain(start, m_fat, m_sectorSize, m_file, m_sectorSize);
            } else if (type == 2 && names.contains(name, Qt::CaseInsensitive)) {
                if (size < u32(m_file, 0x38)) {
                    const QList<quint32> miniFat =
                        toIds(chain(u32(m_file, 0x3C), m_fat, m_sectorSize, m_file, m_sectorSize));
                    return chain(start, miniFat, 64, root, 0).left(size);
                }
                return chain(start, m_fat, m_sectorSize, m_file, m_sectorSize).left(size);
            }
        }
        return {};
    }

private:
    static QList<quint32> toIds(const QByteArray &b)
    {
        QList<quint32> ids;
        ids.reserve(b.size() / 4);
        for (qsizetype at = 0; at + 4 <= b.size(); at += 4)
            ids.append(u32(b, at));
        return ids;
    }

    QByteArray sector(quint32 id) const
    {
        const qint64 at = (qint64(id) + 1) * m_sectorSize;
        return at + m_sectorSize <= m_file.size() ? m_file.mid(at, m_sectorSize) : QByteArray();
    }

    bool readFat()
    {
        QList<quint32> fatSectors;
        for (int i = 0; i < 109; ++i)
            fatSectors.append(u32(m_file, 0x4C + 4 * i));
        quint32 difat = u32(m_file, 0x44);
        QSet<quint32> seen;
        while (difat != kEndOfChain && difat != kFreeSector && !seen.contains(difat)) {
            seen.insert(difat);
            const QByteArray s = sector(difat);
            if (s.isEmpty())
                return false;
            const QList<quint32> ids = toIds(s);
            fatSectors.append(ids.mid(0, ids.size() - 1));
            difat = ids.last();
        }
        QByteArray fat;
        for (quint32 id : fatSectors) {
            if (id == kFreeSector || id == kEndOfChain)
                continue;
            const QByteArray s = sector(id);
            if (s.isEmpty())
                return false;
            fat += s;
        }
        m_fat = toIds(fat);
        return !m_fat.isEmpty();
    }

    // The sectors of a chain joined; data sectors lie at (id + 1) * size in the file, or at id * size
    // in the mini stream (headerSectors 0).
    static QByteArray chain(quint32 start, const QList<quint32> &fat, int size, const QByteArray &data, int header)
    {
        QByteArray out;
        quint32 id = start;
        qsizetype steps = 0;
        while (id != kEndOfChain && id < quint32(fat.size()) && steps++ <= fat.size()) {
            const qint64 at = qint64(id) * size + header;
            if (at + size > data.size())
                break;
            out.append(data.constData() + at, size);
            id = fat.at(id);
        }
        return out;
    }

    const QByteArray &m_file;
    int m_sectorSize = 512;
    QList<quint32> m_fat;
};

struct Record {
    quint16 type = 0;
    QByteArray data;
};

class Records {
public:
    Records(const QByteArray &stream, qsizetype at) : m_s(stream), m_at(at) {}
    bool next(Record *r)
    {
        if (m_at < 0 || m_at + 4 > m_s.size())
            return false;
        r->type = u16(m_s, m_at);
        const quint16 len = u16(m_s, m_at + 2);
        if (m_at + 4 + len > m_s.size())
            return false;
        r->data = m_s.mid(m_at + 4, len);
        m_at += 4 + len;
        return true;
    }
    quint16 peekType() const { return m_at + 2 <= m_s.size() ? u16(m_s, m_at) : 0; }

private:
    const QByteArray &m_s;
    qsizetype m_at;
};

// An XLUnicodeString of BIFF8 starting at `at` (16-bit count when wide, else 8-bit), continued in
// CONTINUE records when it does not fit.
QString unicodeString(const QByteArray &first, qsizetype at, bool wideCount, Records &more)
{
    if (at + (wideCount ? 3 : 2) > first.size())
        return {};
    qsizetype count = wideCount ? u16(first, at) : quint8(first.at(at));
    at += wideCount ? 2 : 1;
    QByteArray data = first;
    QString out;
    bool high = quint8(data.at(at++)) & 1;
    for (;;) {
        while (count > 0 && at + (high ? 2 : 1) <= data.size()) {
            out += high ? QChar(u16(data, at)) : QChar(quint8(data.at(at)));
            at += high ? 2 : 1;
            --count;
        }
        Record r;
        if (count == 0 || more.peekType() != 0x003C || !more.next(&r) || r.data.isEmpty())
            return out;
        data = r.data;
        high = quint8(data.at(0)) & 1;
        at = 1;
    }
}

QString errorText(int code)
{
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    default:
        return QStringLiteral("#N/A");
    }
}

} // namespace

QHash<quint64, Cell> biffExtraCells(const QByteArray &file, const QString &sheetName, int columns)
{
    QHash<quint64, Cell> cells;
    CompoundFile cf(file);
    const QByteArray wb = cf.stream({QStringLiteral("Workbook"), QStringLiteral("Book")});
    Records globals(wb, 0);
    Record r;
    if (!globals.next(&r) || r.type != 0x0809 || r.data.size() < 2 || u16(r.data, 0) != 0x0600)
        return cells; // BIFF8 only; older files keep their formula cells empty
    QHash<int, QString> formats;
    QList<int> xfFormats;
    bool date1904 = false;
    qsizetype sheetAt = -1;
    while (globals.next(&r) && r.type != 0x000A) {
        if (r.type == 0x002F) // FILEPASS: the rest is encrypted
            return cells;
        if (r.type == 0x0022 && r.data.size() >= 2)
            date1904 = u16(r.data, 0) != 0;
        else if (r.type == 0x041E && r.data.size() >= 5)
            formats.insert(u16(r.data, 0), unicodeString(r.data, 2, true, globals));
        else if (r.type == 0x00E0 && r.data.size() >= 4 && xfFormats.size() < 65536)
            xfFormats.append(u16(r.data, 2));
        else if (r.type == 0x0085 && r.data.size() >= 8) {
            const QString name = unicodeString(r.data, 6, false, globals);
            if (sheetAt < 0 || name == sheetName)
                sheetAt = u32(r.data, 0);
            if (name == sheetName)
                break;
        }
    }
    // Formats and XF records come before the sheet list, so they are all known here.
    const auto numberCell = [&](int xf, double v) {
        const int id = xf >= 0 && xf < xfFormats.size() ? xfFormats.at(xf) : 0;
        return isDateFormat(id, formats.value(id)) ? Cell::fromDate(date1904 ? v + 1462 : v) : Cell::fromNumber(v);
    };
    Records sheet(wb, sheetAt);
    if (!sheet.next(&r) || r.type != 0x0809)
        return cells;
    while (sheet.next(&r) && r.type != 0x000A) {
        if (r.data.size() < 6 || (r.type != 0x0006 && r.type != 0x0205))
            continue;
        const quint64 row = u16(r.data, 0);
        const int col = u16(r.data, 2);
        if (col >= columns)
            continue;
        const quint64 key = row << 16 | quint64(col);
        if (r.type == 0x0205 && r.data.size() >= 8) { // BOOLERR
            cells.insert(key, r.data.at(7) ? Cell::fromError(errorText(quint8(r.data.at(6))))
                                           : Cell::fromBoolean(r.data.at(6) != 0));
            continue;
        }
        if (r.type != 0x0006 || r.data.size() < 14)
            continue;
        const QByteArray value = r.data.mid(6, 8);
        if (u16(value, 6) != 0xFFFF) {
            double v = 0;
            memcpy(&v, value.constData(), sizeof v);
            cells.insert(key, numberCell(u16(r.data, 4), v));
            continue;
        }
        switch (quint8(value.at(0))) {
        case 0: { // the text follows in a STRING record
            Record s;
            // Shared and array formulas put their definition between the cell and its text.
            while ((sheet.peekType() == 0x04BC || sheet.peekType() == 0x0221 || sheet.peekType() == 0x0236) &&
                   sheet.next(&s)) {
            }
            if (sheet.peekType() == 0x0207 && sheet.next(&s))
                cells.insert(key, Cell::fromText(unicodeString(s.data, 0, true, sheet)));
            break;
        }
        case 1:
            cells.insert(key, Cell::fromBoolean(value.at(2) != 0));
            break;
        case 2:
            cells.insert(key, Cell::fromError(errorText(quint8(value.at(2)))));
            break;
        default:
            break;
        }
    }
    return cells;
}

} // namespace products::workbook_parts
