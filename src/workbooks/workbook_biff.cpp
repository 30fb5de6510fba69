// The cells of an .xls that libfreexl hands out empty: the values a formula had when the workbook was
// saved, and booleans. The compound file is walked to the workbook stream and its records are read
// only as far as needed; anything unexpected ends the walk and leaves those cells empty.
// Layout: [MS-CFB] for the compound file, [MS-XLS] 2.4 for the records.

#include "workbooks/workbook_parts.h"

#include <QBitArray>
#include <QHash>

#include <optional>

namespace products::workbook_parts {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
// One sheet of 65,536 rows and 256 columns.
constexpr qint64 kMaxClaimedCells = qint64(65536) * 256;

quint16 u16(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b.at(at)) | quint8(b.at(at + 1)) << 8);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return quint32(u16(b, at)) | quint32(u16(b, at + 2)) << 16;
}

// The compound file around the workbook stream. Every table and chain is checked against the sectors
// the file really holds: a chain that leaves the file or comes back to a sector it passed is damage,
// so that what is read never grows with what the file claims.
class CompoundFile {
public:
    explicit CompoundFile(const QByteArray &file) : m_file(file) { m_damage = parse(); }

    // Empty when the file's structure holds, else the damaged part.
    const QString &damage() const { return m_damage; }

    // The named stream of the root storage; empty when there is none. Sets damage() when its chain
    // is broken.
    QByteArray stream(const QStringList &names)
    {
        if (!m_damage.isEmpty())
            return {};
        for (const Entry &e : std::as_const(m_entries)) {
            if (e.type != 2 || !names.contains(e.name, Qt::CaseInsensitive))
                continue;
            std::optional<QByteArray> bytes;
            if (e.size < m_miniCutoff)
                bytes = join(e.start, m_miniFat, 64, m_miniStream, 0);
            else
                bytes = join(e.start, m_fat, m_sectorSize, m_file, m_sectorSize);
            if (!bytes || bytes->size() < qsizetype(e.size)) {
                m_damage = damaged(e.name + QStringLiteral(" ストリーム"));
                return {};
            }
            bytes->truncate(qsizetype(e.size));
            return *bytes;
        }
        return {};
    }

private:
    struct Entry {
        QString name;
        int type = 0;
        quint32 start = 0;
        quint32 size = 0;
    };

    static QString damaged(const QString &part) { return QStringLiteral("ファイルの %1 が壊れています。").arg(part); }

    static QList<quint32> toIds(const QByteArray &b)
    {
        QList<quint32> ids;
        ids.reserve(b.size() / 4);
        for (qsizetype at = 0; at + 4 <= b.size(); at += 4)
            ids.append(u32(b, at));
        return ids;
    }

    // The sectors of a chain in order; nullopt when it leaves the table or comes back to a sector.
    static std::optional<QList<quint32>> chainIds(quint32 start, const QList<quint32> &table)
    {
        QList<quint32> ids;
        QBitArray seen(table.size());
        for (quint32 id = start; id != kEndOfChain; id = table.at(id)) {
            if (id >= quint32(table.size()) || seen.testBit(id))
                return std::nullopt;
            seen.setBit(id);
            ids.append(id);
        }
        return ids;
    }

    // The sectors of a chain joined; data sectors lie at id * size + header in `data`.
    static std::optional<QByteArray> join(quint32 start, const QList<quint32> &table, int size, const QByteArray &data,
                                          int header)
    {
        const auto ids = chainIds(start, table);
        if (!ids)
            return std::nullopt;
        QByteArray out;
        out.reserve(ids->size() * size);
        for (quint32 id : *ids) {
            const qint64 at = qint64(id) * size + header;
            if (at + size > data.size())
                return std::nullopt;
            out.append(data.constData() + at, size);
        }
        return out;
    }

    QString parse()
    {
        if (m_file.size() < 512 || (u16(m_file, 0x1E) != 9 && u16(m_file, 0x1E) != 12))
            return damaged(QStringLiteral("見出し"));
        m_sectorSize = 1 << u16(m_file, 0x1E);
        // Sectors the file holds after its header (a 4096-byte sector file's header takes a whole sector).
        const qint64 sectors = m_file.size() / m_sectorSize - 1;
        if (sectors <= 0)
            return damaged(QStringLiteral("見出し"));
        if (!readFat(sectors))
            return damaged(QStringLiteral("FAT"));
        const auto dir = join(u32(m_file, 0x30), m_fat, m_sectorSize, m_file, m_sectorSize);
        if (!dir)
            return damaged(QStringLiteral("ディレクトリ"));
        m_miniCutoff = u32(m_file, 0x38);
        qsizetype root = -1;
        for (qsizetype at = 0; at + 128 <= dir->size(); at += 128) {
            Entry e;
            const int nameBytes = std::min<int>(u16(*dir, at + 0x40), 64);
            e.name = QString::fromUtf16(reinterpret_cast<const char16_t *>(dir->constData() + at),
                                        std::max(0, nameBytes / 2 - 1));
            e.type = quint8(dir->at(at + 0x42));
            e.start = u32(*dir, at + 0x74);
            e.size = u32(*dir, at + 0x78);
            if (e.type == 5 && root < 0)
                root = m_entries.size();
            m_entries.append(e);
        }
        if (root < 0)
            return damaged(QStringLiteral("ディレクトリ"));
        // The mini stream: the root's chain, and the mini FAT that cuts it into 64-byte sectors.
        const quint32 rootStart = m_entries.at(root).start;
        const quint32 rootSize = m_entries.at(root).size;
        if (rootStart != kEndOfChain) {
            const auto mini = join(rootStart, m_fat, m_sectorSize, m_file, m_sectorSize);
            if (!mini || mini->size() < qsizetype(rootSize))
                return damaged(QStringLiteral("ミニストリーム"));
            m_miniStream = mini->left(rootSize);
        }
        const quint32 miniFatStart = u32(m_file, 0x3C);
        if (miniFatStart != kEndOfChain) {
            const auto miniFat = join(miniFatStart, m_fat, m_sectorSize, m_file, m_sectorSize);
            if (!miniFat)
                return damaged(QStringLiteral("ミニ FAT"));
            m_miniFat = toIds(*miniFat);
            m_miniFat.resize(std::min<qsizetype>(m_miniFat.size(), m_miniStream.size() / 64));
        }
        return {};
    }

    // The FAT from the sectors the header and the DIFAT chain list. Each FAT sector is a sector of the
    // file listed once; entries past the file's last sector are dropped, as nothing can lie there.
    bool readFat(qint64 sectors)
    {
        const int idsPerSector = m_sectorSize / 4;
        const quint32 count = u32(m_file, 0x2C);
        if (count == 0 || count > sectors)
            return false;
        QList<quint32> listed;
        for (int i = 0; i < 109 && listed.size() < qsizetype(count); ++i)
            listed.append(u32(m_file, 0x4C + 4 * i));
        QBitArray seenDifat(sectors);
        for (quint32 difat = u32(m_file, 0x44); listed.size() < qsizetype(count);) {
            if (difat >= quint32(sectors) || seenDifat.testBit(difat))
                return false;
            seenDifat.setBit(difat);
            const qint64 at = (qint64(difat) + 1) * m_sectorSize;
            for (int i = 0; i < idsPerSector - 1 && listed.size() < qsizetype(count); ++i)
                listed.append(u32(m_file, at + 4 * i));
            difat = u32(m_file, at + 4 * (idsPerSector - 1));
        }
        QBitArray seen(sectors);
        QByteArray fat;
        for (quint32 id : std::as_const(listed)) {
            if (id >= quint32(sectors) || seen.testBit(id))
                return false;
            seen.setBit(id);
            if (fat.size() < sectors * 4)
                fat.append(m_file.constData() + (qint64(id) + 1) * m_sectorSize, m_sectorSize);
        }
        m_fat = toIds(fat);
        m_fat.resize(std::min<qsizetype>(m_fat.size(), sectors));
        return true;
    }

    const QByteArray &m_file;
    int m_sectorSize = 512;
    quint32 m_miniCutoff = 4096;
    QList<quint32> m_fat;
    QList<quint32> m_miniFat;
    QByteArray m_miniStream;
    QList<Entry> m_entries;
    QString m_damage;
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

QString compoundFileDamage(const QByteArray &file)
{
    CompoundFile cf(file);
    if (!cf.damage().isEmpty())
        return cf.damage();
    const QByteArray wb = cf.stream({QStringLiteral("Workbook"), QStringLiteral("Book")});
    if (!cf.damage().isEmpty())
        return cf.damage();
    // libfreexl sets aside a cell for every place of the range each sheet's DIMENSIONS record claims
    // (16 bytes each). Claims are let through up to one full sheet of the format, and beyond that as
    // far as the records could fill them (a cell takes at least 2 bytes of a record).
    qint64 claimed = 0;
    Records records(wb, 0);
    Record r;
    while (records.next(&r)) {
        if (r.type != 0x0200)
            continue;
        if (r.data.size() >= 14)
            claimed += qint64(u32(r.data, 4)) * u16(r.data, 10);
        else if (r.data.size() >= 8)
            claimed += qint64(u16(r.data, 2)) * u16(r.data, 6);
        if (claimed > kMaxClaimedCells + wb.size() / 2)
            return QStringLiteral("ブックのシートの大きさ (DIMENSIONS) が中身に合いません。");
    }
    return {};
}

namespace {

// Walks the strings of the shared string table (SST and its CONTINUE records) as a reader must;
// false when they do not fit the records. `count` is the number of strings the table holds.
bool sharedStringsFit(const Record &sst, Records &more, quint32 *count)
{
    if (sst.data.size() < 8)
        return false;
    *count = u32(sst.data, 4);
    QByteArray data = sst.data;
    qsizetype at = 8;
    // Moves into the next CONTINUE record when the current one is used up.
    const auto refill = [&]() {
        Record r;
        if (more.peekType() != 0x003C || !more.next(&r))
            return false;
        data = r.data;
        at = 0;
        return true;
    };
    // Skips n bytes that may run over record boundaries.
    const auto skip = [&](qint64 n) {
        while (n > 0) {
            if (at >= data.size() && !refill())
                return false;
            const qint64 step = std::min<qint64>(n, data.size() - at);
            at += step;
            n -= step;
        }
        return true;
    };
    for (quint32 i = 0; i < *count; ++i) {
        if (at + 3 > data.size() && !(at == data.size() && refill()))
            return false;
        if (at + 3 > data.size())
            return false;
        qint64 chars = u16(data, at);
        const quint8 flags = quint8(data.at(at + 2));
        at += 3;
        quint16 runs = 0;
        qint32 ext = 0;
        if (flags & 0x08) {
            if (at + 2 > data.size())
                return false;
            runs = u16(data, at);
            at += 2;
        }
        if (flags & 0x04) {
            if (at + 4 > data.size())
                return false;
            ext = qint32(u32(data, at));
            at += 4;
        }
        if (ext < 0)
            return false;
        bool wide = flags & 0x01;
        while (chars > 0) {
            if (at >= data.size()) {
                // A string cut by a CONTINUE record goes on after one byte that tells its width.
                if (!refill() || data.isEmpty())
                    return false;
                wide = quint8(data.at(0)) & 0x01;
                at = 1;
            }
            const qint64 fit = std::min<qint64>(chars, (data.size() - at) / (wide ? 2 : 1));
            if (fit == 0)
                return false;
            at += fit * (wide ? 2 : 1);
            chars -= fit;
        }
        if (!skip(qint64(runs) * 4 + ext))
            return false;
    }
    return true;
}

} // namespace

QString workbookRecordsDamage(const QByteArray &file)
{
    CompoundFile cf(file);
    const QByteArray wb = cf.stream({QStringLiteral("Workbook"), QStringLiteral("Book")});
    if (!cf.damage().isEmpty())
        return cf.damage();
    const QString broken = QStringLiteral("ブックの Workbook ストリームが壊れています。");
    const QString brokenStrings = QStringLiteral("ブックの共有文字列 (SST) が壊れています。");
    Records records(wb, 0);
    Record r;
    if (!records.next(&r) || r.type != 0x0809)
        return broken;
    std::optional<quint32> strings;
    while (records.next(&r)) {
        if (r.type == 0x00FC) {
            quint32 count = 0;
            if (strings || !sharedStringsFit(r, records, &count))
                return brokenStrings;
            strings = count;
        } else if (r.type == 0x00FD && (r.data.size() < 10 || !strings || u32(r.data, 6) >= *strings)) {
            return brokenStrings; // a cell that names a string the table does not hold
        }
    }
    return broken;
}

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
            formats.insert(u16(r.data, 0), unicodeString(r.data, 2, true, globals).left(255)); // codes are <= 255
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
