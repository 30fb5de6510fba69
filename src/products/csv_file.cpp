#include "products/csv_file.h"

#include "platform/cp932.h"
#include "platform/cp932_table.h"
#include "platform/numbers.h"
#include "platform/text_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

namespace products {

using platform::AppError;

namespace {

constexpr int kFields = 5;
// No product text comes near this; a longer field is a file of some other kind, and a list view
// cell of megabytes would stall every repaint.
constexpr qsizetype kMaxFieldLength = 32767;

QString lineNote(int line)
{
    return QStringLiteral(" (%1 行目)").arg(line);
}

AppError withLine(AppError e, int line)
{
    e.description += lineNote(line);
    return e;
}

AppError badBytes(ListEncoding encoding)
{
    return {AppError::TypeMismatch, encoding == ListEncoding::Utf8
                                        ? QStringLiteral("UTF-8 の文字として読めないデータがあります。")
                                        : QStringLiteral("Shift_JIS の文字として読めないデータがあります。")};
}

// What a look over the bytes as UTF-8 found. Overlong forms, surrogates and code points past U+10FFFF
// are invalid, as a strict decoder sees them.
struct Utf8Scan {
    qsizetype firstInvalid = -1; // byte offset of the first invalid sequence, -1 when all are valid
    bool nonAscii = false;
    bool wide = false; // a character of three or four bytes (U+0800 and up)

    bool valid() const { return firstInvalid < 0; }
};

Utf8Scan scanUtf8(const QByteArray &bytes)
{
    Utf8Scan s;
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        s.nonAscii = true;
        qsizetype len = 0;
        uchar lo = 0x80; // the range of the second byte
        uchar hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        }
        bool ok = len > 0 && i + len <= n && p[i + 1] >= lo && p[i + 1] <= hi;
        for (qsizetype k = 2; ok && k < len; ++k)
            ok = (p[i + k] & 0xC0) == 0x80;
        if (!ok) {
            s.firstInvalid = i;
            return s;
        }
        if (len > 2)
            s.wide = true;
        i += len;
    }
    return s;
}

// 1-based line of a byte offset, counting line ends as the reader does (CR LF, LF, or a lone CR).
int lineAt(const QByteArray &bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        const char c = bytes.at(i);
        if (c == '\n' || (c == '\r' && !(i + 1 < bytes.size() && bytes.at(i + 1) == '\n')))
            ++line;
    }
    return line;
}

// The letter after the JAN code tells the tax class: "K" the reduced rate, "B" (or any other
// letter) the standard rate. Readers that know one rate drop whatever letter it is.
constexpr QLatin1Char StandardLetter('B');
constexpr QLatin1Char ReducedLetter('K');

// Removes the trailing letter of the JAN field ("4901234567894B" -> digits, "B" -> empty); plain
// digits, as a spreadsheet writes them, stay as they are. *reduced says whether the letter was "K".
QString janFromField(const QString &field, bool *reduced)
{
    *reduced = false;
    if (field.isEmpty())
        return field;
    const QChar last = field.at(field.size() - 1);
    if (last >= QLatin1Char('0') && last <= QLatin1Char('9'))
        return field;
    *reduced = last == ReducedLetter;
    return field.left(field.size() - 1);
}

// A control character other than tab and line ends is no product text: the decoder puts U+001A
// (or U+FFFD) where bytes are not CP932, and the codec swaps 0x1A, 0x1C and 0x7F with other
// control characters, so such bytes would not survive a save and a second read unchanged.
bool isBadCharacter(char16_t u)
{
    return (u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n') || u == 0x7F || u == 0xFFFD;
}

bool hasBadCharacter(const QString &field)
{
    for (QChar c : field) {
        if (isBadCharacter(c.unicode()))
            return true;
    }
    return false;
}

qsizetype firstBadCharacter(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isBadCharacter(text.at(i).unicode()))
            return i;
    }
    return -1;
}

// 1-based line of the first bytes that are not CP932, for faults the field check cannot see (a lone
// lead byte swallowed at the end, bytes after a closing quote).
int firstUndecodableLine(const QByteArray &bytes)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        bool bad = false;
        platform::cp932::decode(bytes.mid(start, end - start), &bad);
        if (bad)
            return line;
        start = end + 1;
        ++line;
    }
    return line;
}

// The first character of a field that CP932 cannot hold (a surrogate pair whole), empty when none.
QString unstorableCharacter(const QString &field)
{
    if (std::all_of(field.begin(), field.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return QString();
    const platform::cp932::Encoded enc = platform::cp932_table::encode(field);
    if (enc.ok())
        return QString();
    const qsizetype at = enc.firstUnencodable;
    return field.mid(at, field.at(at).isHighSurrogate() && at + 1 < field.size() ? 2 : 1);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Digits as the list writes them: an optional minus, no leading zero, within 32 bits. Most prices
// are like this, and they need no conversion.
bool isPlainWhole(const QString &t)
{
    const qsizetype n = t.size();
    qsizetype i = (n > 0 && t.at(0) == QLatin1Char('-')) ? 1 : 0;
    const qsizetype digits = n - i;
    if (digits < 1 || digits > 10 || (digits > 1 && t.at(i) == QLatin1Char('0')) ||
        (i == 1 && t.at(1) == QLatin1Char('0')))
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const char16_t c = t.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
    }
    return t.at(0) == QLatin1Char('-') ? -v >= std::numeric_limits<qint32>::min()
                                       : v <= std::numeric_limits<qint32>::max();
}

AppError tooManyRows(qsizetype maxRows)
{
    return {AppError::Overflow, QStringLiteral("データの件数が多すぎます。読み込めるのは %1 件までです。")
                                    .arg(platform::formatThousands(maxRows))};
}

// Bytes decoded at a time. The list is decoded and parsed slice by slice, so that besides the file's
// bytes only one slice of text is held, never the whole file as UTF-16.
constexpr qsizetype SliceBytes = 1 << 20;

// The list's bytes, a slice at a time: each slice ends after a line feed (a byte that is never part of
// a double-byte character) or at the end of the list.
class Slices {
public:
    virtual ~Slices() = default;
    // The next slice, of at least atLeast bytes where the list has that many; false at the end.
    virtual bool next(qsizetype atLeast, QByteArray *slice) = 0;
};

// Slices of bytes in memory, as views.
class MemorySlices : public Slices {
public:
    explicit MemorySlices(const QByteArray &bytes) : m_bytes(bytes) {}
    bool next(qsizetype atLeast, QByteArray *slice) override
    {
        if (m_pos >= m_bytes.size())
            return false;
        qsizetype end = m_pos + atLeast;
        if (end >= m_bytes.size()) {
            end = m_bytes.size();
        } else {
            const qsizetype lf = m_bytes.indexOf('\n', end);
            end = lf < 0 ? m_bytes.size() : lf + 1;
        }
        *slice = QByteArray::fromRawData(m_bytes.constData() + m_pos, end - m_pos);
        m_pos = end;
        return true;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

// Slices read from an open file, so that the file's bytes are never all held at once. A read that
// fails, or a file grown past maxBytes since it was opened, ends the slices with fault set.
class FileSlices : public Slices {
public:
    // skip: bytes at the start that are not part of the list (a byte-order mark).
    FileSlices(QFile &file, qint64 maxBytes, qsizetype skip = 0) : m_file(file), m_maxBytes(maxBytes), m_skip(skip) {}
    bool next(qsizetype atLeast, QByteArray *slice) override
    {
        QByteArray buf = std::move(m_carry);
        m_carry = QByteArray();
        qsizetype lf = -1;
        while (!m_eof) {
            lf = buf.size() > atLeast ? buf.indexOf('\n', atLeast) : -1;
            if (lf >= 0)
                break;
            const qsizetype had = buf.size();
            buf.resize(had + ReadBlock);
            const qint64 n = m_file.read(buf.data() + had, ReadBlock);
            buf.resize(had + qMax<qint64>(n, 0));
            if (n < 0) {
                fault = platform::ReadFault::Unreadable;
                m_eof = true;
            } else if (n == 0) {
                m_eof = true;
            } else if ((m_read += n) > m_maxBytes) {
                fault = platform::ReadFault::TooLarge;
                m_eof = true;
            }
        }
        if (fault != platform::ReadFault::None)
            return false;
        if (m_skip > 0) {
            const qsizetype cut = qMin(m_skip, buf.size());
            buf.remove(0, cut);
            lf -= cut;
            m_skip -= cut;
        }
        if (lf >= 0) {
            m_carry = buf.mid(lf + 1);
            buf.truncate(lf + 1);
        } else if (buf.endsWith('\x1A')) {
            // Files from old editors may end with the DOS end-of-file mark.
            buf.chop(1);
        }
        if (buf.isEmpty())
            return false;
        *slice = std::move(buf);
        return true;
    }

    platform::ReadFault fault = platform::ReadFault::None;

private:
    static constexpr qsizetype ReadBlock = 256 * 1024;
    QFile &m_file;
    qint64 m_maxBytes;
    qint64 m_read = 0;
    qsizetype m_skip;
    QByteArray m_carry;
    bool m_eof = false;
};

class Reader {
public:
    Reader(Slices &slices, qsizetype maxRows, qsizetype expectedRows, ListEncoding encoding)
        : m_slices(slices), m_maxRows(maxRows), m_expectedRows(expectedRows), m_encoding(encoding)
    {
    }

    ReadResult run()
    {
        ReadResult r;
        // The rows are reserved once instead of grown step by step, when their number is known.
        r.rows.reserve(qMin(m_maxRows, m_expectedRows));
        while (true) {
            skipBlanks();
            if (m_i >= m_n) {
                if (!refill(m_n))
                    break;
                continue;
            }
            if (isLineEnd(m_p[m_i])) {
                takeLineEnd();
                continue;
            }
            if (r.rows.size() >= m_maxRows) {
                fail(r, tooManyRows(m_maxRows), m_line);
                return r;
            }
            const qsizetype recordStart = m_i;
            const int recordLine = m_line;
            Product p;
            int lastLine = 0;
            AppError e = takeRecord(&p, &lastLine);
            // A record that reached the end of the slice may go on in the next one: read it again
            // with more text behind it.
            for (qsizetype from = recordStart; m_i >= m_n && refill(from); from = 0) {
                m_line = recordLine;
                p = Product();
                e = takeRecord(&p, &lastLine);
            }
            if (e.isSet() && m_unstorableColumn > 0) {
                // Refused whole, as a workbook is: the list in the window stays as it was.
                r.rows.clear();
                r.error = AppError{AppError::InvalidPropertyValue,
                                   QStringLiteral("%1 行目 %2 列に Shift_JIS で保存できない文字「%3」があります。")
                                       .arg(recordLine)
                                       .arg(QChar(u'A' + m_unstorableColumn - 1))
                                       .arg(m_unstorableCharacter)};
                r.line = recordLine;
                r.refused = true;
                return r;
            }
            if (e.isSet()) {
                fail(r, e, recordLine);
                return r;
            }
            r.rows.append(std::move(p));
            m_lastLines.push_back(lastLine);
        }
        return r;
    }

    // The first line holding bytes the encoding cannot read (1-based), 0 when there is none. For UTF-8
    // lists the caller tells it.
    int firstUndecodableLine() const { return m_firstBadLine; }
    void setFirstUndecodableLine(int line) { m_firstBadLine = line; }

    // The last line of each record read.
    std::vector<int> m_lastLines;

private:
    // Keeps the text from keepFrom on and appends the next slice of the file, which ends after a line
    // feed (a byte that is never part of a double-byte character) or at the end. The position moves to
    // the start of the kept text. False when the file has no more.
    bool refill(qsizetype keepFrom)
    {
        // A record that spans slices takes at least as much again, so that reading it again stays linear.
        QByteArray bytes;
        if (!m_slices.next(qMax(SliceBytes, 2 * (m_n - keepFrom)), &bytes))
            return false;
        QString slice;
        if (m_encoding == ListEncoding::Utf8) {
            // Faults were found by the first look over the list (ListShape).
            slice = QString::fromUtf8(bytes);
        } else {
            bool bad = false;
            slice = platform::cp932_table::decode(bytes, &bad);
            if (bad && m_firstBadLine == 0)
                m_firstBadLine = m_linesBefore + products::firstUndecodableLine(bytes);
            m_linesBefore += int(bytes.count('\n'));
        }
        m_text = QStringView(m_text).mid(keepFrom).toString() + slice;
        m_p = m_text.constData();
        m_n = m_text.size();
        m_i = 0;
        return true;
    }

    // One record from the position on: its five fields, read into a product. lastLine gets the line
    // the record ends on.
    AppError takeRecord(Product *p, int *lastLine)
    {
        m_unstorableColumn = 0;
        QString fields[kFields + 1];
        int count = 0;
        while (true) {
            QString field;
            if (!takeField(&field))
                return AppError::inputPastEnd();
            if (field.size() > kMaxFieldLength)
                return AppError{AppError::Overflow, QStringLiteral("項目が長すぎます。")};
            if (count <= kFields)
                fields[count] = std::move(field);
            ++count;
            if (m_i < m_n && m_p[m_i] == QLatin1Char(',')) {
                ++m_i;
                continue;
            }
            *lastLine = m_line;
            if (m_i < m_n)
                takeLineEnd();
            break;
        }
        if (count != kFields) {
            AppError e = AppError::inputPastEnd();
            e.description = QStringLiteral("1 行の項目の数が %1 個です。5 個必要です。").arg(count);
            return e;
        }
        for (int k = 0; k < kFields; ++k) {
            if (hasBadCharacter(fields[k]))
                return badBytes(m_encoding);
        }
        // A CP932 list holds only what CP932 can; a UTF-8 one may hold the JIS forms of a Linux or
        // macOS desktop, meant as their CP932 characters, and characters no save could keep.
        if (m_encoding == ListEncoding::Utf8) {
            for (int k = 0; k < kFields; ++k) {
                platform::cp932::mapToCp932Forms(&fields[k]);
                if (QString bad = unstorableCharacter(fields[k]); !bad.isEmpty()) {
                    m_unstorableColumn = k + 1;
                    m_unstorableCharacter = std::move(bad);
                    return AppError::invalidPropertyValue();
                }
            }
        }
        const QString &priceText = fields[2];
        if (priceText.isEmpty()) {
            p->price = QStringLiteral("0");
        } else if (isPlainWhole(priceText)) {
            p->price = priceText;
        } else {
            const auto v = platform::toWholeNumber(priceText);
            if (!v)
                return platform::isNumeric(priceText) ? AppError::overflow() : AppError::typeMismatch();
            p->price = platform::formatPlain(*v);
        }
        p->code = std::move(fields[0]);
        p->name = std::move(fields[1]);
        p->remarks = std::move(fields[3]);
        p->jan = janFromField(fields[4], &p->reduced);
        return {};
    }

    void fail(ReadResult &r, const AppError &e, int line)
    {
        r.error = withLine(e, line);
        r.formatProblem = true;
        r.line = line;
    }

    void skipBlanks()
    {
        while (m_i < m_n && isBlank(m_p[m_i]))
            ++m_i;
    }

    void takeLineEnd()
    {
        if (m_p[m_i] == QLatin1Char('\r') && m_i + 1 < m_n && m_p[m_i + 1] == QLatin1Char('\n'))
            ++m_i;
        ++m_i;
        ++m_line;
    }

    // One field up to (not including) its comma or line end. False for a quote never closed. Inside
    // quotes, two double quotes are one, as spreadsheets write a quote within a text. A slice ends
    // after a line feed or at the end of the list, so a quote at its end is never half of a pair.
    bool takeField(QString *out)
    {
        skipBlanks();
        if (m_i < m_n && m_p[m_i] == QLatin1Char('"')) {
            qsizetype start = ++m_i;
            out->clear();
            while (true) {
                while (m_i < m_n && m_p[m_i] != QLatin1Char('"')) {
                    if (m_p[m_i] == QLatin1Char('\n'))
                        ++m_line;
                    else if (m_p[m_i] == QLatin1Char('\r') && !(m_i + 1 < m_n && m_p[m_i + 1] == QLatin1Char('\n')))
                        ++m_line;
                    ++m_i;
                }
                if (m_i >= m_n)
                    return false;
                if (m_i + 1 < m_n && m_p[m_i + 1] == QLatin1Char('"')) {
                    out->append(m_p + start, m_i + 1 - start);
                    m_i += 2;
                    start = m_i;
                    continue;
                }
                break;
            }
            if (out->isEmpty())
                *out = QString(m_p + start, m_i - start);
            else
                out->append(m_p + start, m_i - start);
            ++m_i;
            // Anything between the closing quote and the next separator is ignored.
            while (m_i < m_n && m_p[m_i] != QLatin1Char(',') && !isLineEnd(m_p[m_i]))
                ++m_i;
            return true;
        }
        const qsizetype start = m_i;
        while (m_i < m_n && m_p[m_i] != QLatin1Char(',') && !isLineEnd(m_p[m_i]))
            ++m_i;
        qsizetype end = m_i;
        while (end > start && isBlank(m_p[end - 1]))
            --end;
        *out = QString(m_p + start, end - start);
        return true;
    }

    Slices &m_slices;
    int m_unstorableColumn = 0; // 1-based column of a character CP932 cannot hold, 0 when none
    QString m_unstorableCharacter;
    int m_linesBefore = 0; // line feeds of the slices read so far
    int m_firstBadLine = 0;
    QString m_text; // the slice being read, with the unfinished record before it
    const QChar *m_p = nullptr;
    qsizetype m_n = 0;
    qsizetype m_i = 0;
    qsizetype m_maxRows;
    qsizetype m_expectedRows;
    ListEncoding m_encoding;
    int m_line = 1;
};

QString fieldCaption(int k)
{
    switch (k) {
    case 0:
        return QStringLiteral("品番等");
    case 1:
        return QStringLiteral("商品名");
    case 2:
        return QStringLiteral("価格");
    case 3:
        return QStringLiteral("備考");
    default:
        return QStringLiteral("JANコード");
    }
}

QString priceForFile(const QString &listPrice, bool *overflow)
{
    *overflow = false;
    if (isPlainWhole(listPrice))
        return listPrice;
    QString t = listPrice;
    t.remove(QLatin1Char(','));
    if (!platform::isNumeric(t))
        return QStringLiteral("0");
    const auto v = platform::toWholeNumber(t);
    if (!v) {
        *overflow = true;
        return {};
    }
    return platform::formatPlain(*v);
}

// What a first look over the whole list finds: whether it is valid UTF-8 (and where its first fault
// is), whether it has characters beyond ASCII, of three or four bytes, and how many line feeds (to
// reserve the rows).
struct Utf8Look {
    bool valid = true;
    bool nonAscii = false;
    bool wide = false;
    int badLine = 0; // 1-based line of the first invalid sequence, 0 when valid
    qsizetype lineFeeds = 0;

    // The cases where only a look at the list as CP932 decides.
    bool doubtful() const { return (valid && nonAscii && !wide) || (!valid && wide); }
};

Utf8Look lookAtUtf8(Slices &slices)
{
    Utf8Look look;
    int linesBefore = 0;
    QByteArray slice;
    while (slices.next(SliceBytes, &slice)) {
        look.lineFeeds += slice.count('\n');
        if (!look.valid)
            continue;
        const Utf8Scan scan = scanUtf8(slice);
        look.nonAscii = look.nonAscii || scan.nonAscii;
        look.wide = look.wide || scan.wide;
        if (!scan.valid()) {
            look.valid = false;
            look.badLine = linesBefore + lineAt(slice, scan.firstInvalid);
            continue;
        }
        // Slices end after a line feed, so a lone CR never ends one: lines add up.
        linesBefore += lineAt(slice, slice.size()) - 1;
    }
    return look;
}

// How the list is read.
struct ListShape {
    ListEncoding encoding = ListEncoding::Cp932;
    bool alsoValidUtf8 = false;
    int utf8BadLine = 0;
    qsizetype lineFeeds = 0;
};

// A list is UTF-8 when it starts with a byte-order mark, or when its bytes are valid UTF-8 holding a
// character of three or four bytes (every Japanese character is one). Valid UTF-8 of two-byte
// characters only is also half-width katakana in CP932, as old tills write it: UTF-8 only when CP932
// cannot read it. A list of UTF-8 Japanese up to a fault that CP932 cannot read either is a UTF-8
// list with a bad part (a line added in another encoding, say), reported at that part. Everything else
// is CP932. cp932Undecodable matters only when the look is doubtful().
ListShape shapeOf(const Utf8Look &look, bool byteOrderMark, bool cp932Undecodable)
{
    ListShape shape;
    shape.utf8BadLine = look.badLine;
    shape.lineFeeds = look.lineFeeds;
    if (byteOrderMark || (look.valid && look.wide))
        shape.encoding = ListEncoding::Utf8;
    else if (look.valid && look.nonAscii && cp932Undecodable)
        shape.encoding = ListEncoding::Utf8;
    else if (look.valid && look.nonAscii)
        shape.alsoValidUtf8 = true;
    else if (!look.valid && look.wide && cp932Undecodable)
        shape.encoding = ListEncoding::Utf8;
    return shape;
}

// Whether some slice is not CP932.
bool undecodableAsCp932(Slices &slices)
{
    QByteArray slice;
    while (slices.next(SliceBytes, &slice)) {
        bool bad = false;
        platform::cp932_table::decode(slice, &bad);
        if (bad)
            return true;
    }
    return false;
}

// Reads the slices in the list's encoding; the rows of records that end before a line with bytes the
// encoding cannot read are kept.
ReadResult readSlices(Slices &slices, qsizetype maxRows, const ListShape &shape)
{
    Reader reader(slices, maxRows, shape.lineFeeds + 1, shape.encoding);
    if (shape.encoding == ListEncoding::Utf8)
        reader.setFirstUndecodableLine(shape.utf8BadLine);
    ReadResult r = reader.run();
    r.encoding = shape.encoding;
    r.alsoValidUtf8 = shape.alsoValidUtf8;
    if (const int bad = reader.firstUndecodableLine(); bad > 0 && r.ok()) {
        qsizetype keep = 0;
        while (keep < r.rows.size() && reader.m_lastLines[size_t(keep)] < bad)
            ++keep;
        r.rows.resize(keep);
        r.error = withLine(badBytes(shape.encoding), bad);
        r.formatProblem = true;
        r.line = bad;
    }
    return r;
}

// One pass over the file from its start, the byte-order mark skipped; fault keeps the first failure.
template <typename Read> auto overFile(QFile &file, qsizetype skip, platform::ReadFault &fault, const Read &read)
{
    using Result = decltype(read(std::declval<FileSlices &>()));
    if (fault == platform::ReadFault::None && !file.seek(0))
        fault = platform::ReadFault::Unreadable;
    if (fault != platform::ReadFault::None)
        return Result();
    FileSlices slices(file, MaxListFileBytes, skip);
    Result result = read(slices);
    if (slices.fault != platform::ReadFault::None)
        fault = slices.fault;
    return result;
}

bool isUtf16(const QByteArray &start)
{
    return start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF");
}

// A spreadsheet's "Unicode text": tab-separated UTF-16, no list of ours. Said plainly, rather than as
// bytes that are no Shift_JIS.
ReadResult utf16Refused()
{
    ReadResult r;
    r.error = withLine(
        AppError{AppError::TypeMismatch, QStringLiteral("UTF-16 のファイルは読み込めません。UTF-8 か Shift_JIS の CSV "
                                                        "ファイルとして保存し直してください。")},
        1);
    r.formatProblem = true;
    r.line = 1;
    return r;
}

} // namespace

QString cleanField(const QString &text)
{
    const auto needsCleaning = [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\'');
    };
    if (std::none_of(text.begin(), text.end(), needsCleaning))
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char(','))
            out += QChar(0x30FB); // ・
        else if (c != QLatin1Char('"') && c != QLatin1Char('\''))
            out += c;
    }
    return out;
}

ReadResult ReadFile(const QByteArray &bytes, qsizetype maxRows)
{
    if (bytes.isEmpty())
        return {};
    if (isUtf16(bytes))
        return utf16Refused();
    // The byte-order mark and the DOS end-of-file mark of old editors are cut off in a view, not a copy,
    // as the list may be a hundred megabytes.
    const bool byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    const qsizetype from = byteOrderMark ? 3 : 0;
    const qsizetype size = bytes.size() - from - (bytes.endsWith('\x1A') && bytes.size() > from ? 1 : 0);
    const QByteArray body = QByteArray::fromRawData(bytes.constData() + from, size);

    MemorySlices first(body);
    const Utf8Look look = lookAtUtf8(first);
    MemorySlices again(body);
    const ListShape shape = shapeOf(look, byteOrderMark, look.doubtful() && undecodableAsCp932(again));
    MemorySlices slices(body);
    ReadResult r = readSlices(slices, maxRows, shape);
    r.byteOrderMark = byteOrderMark;
    return r;
}

WriteResult WriteFile(const ProductList &rows)
{
    WriteResult result;
    QString text;
    std::vector<qsizetype> rowStart;
    rowStart.reserve(rows.size());
    qsizetype estimate = 0;
    for (const Product &p : rows)
        estimate += p.code.size() + p.name.size() + p.remarks.size() + p.jan.size() + 32;
    text.reserve(estimate);
    const QLatin1String quoteComma("\",\"");
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Product &p = rows.at(i);
        bool overflow = false;
        const QString price = priceForFile(p.price, &overflow);
        if (overflow) {
            result.error = AppError::overflow();
            result.error.description += QStringLiteral(" (No.%1 の価格)").arg(i + 1);
            result.badRow = int(i);
            result.badField = fieldCaption(2);
            return result;
        }
        rowStart.push_back(text.size());
        text += QLatin1Char('"');
        text += cleanField(p.code);
        text += quoteComma;
        text += cleanField(p.name);
        text += QLatin1String("\",");
        text += price;
        text += QLatin1String(",\"");
        text += cleanField(p.remarks);
        text += quoteComma;
        text += cleanField(p.jan); // the class letter needs no cleaning
        text += p.reduced ? ReducedLetter : StandardLetter;
        text += QLatin1String("\"\r\n");
    }
    platform::cp932::Encoded enc = platform::cp932_table::encode(text);
    const qsizetype control = firstBadCharacter(text);
    if (enc.ok() && control < 0) {
        result.bytes = std::move(enc.bytes);
        return result;
    }
    // Name the row and the field that hold the character, so the user can mend it.
    qsizetype at = enc.ok() ? control : enc.firstUnencodable;
    if (control >= 0 && control < at)
        at = control;
    const auto it = std::upper_bound(rowStart.begin(), rowStart.end(), at);
    const int row = int(std::distance(rowStart.begin(), it)) - 1;
    const qsizetype len = (text.at(at).isHighSurrogate() && at + 1 < text.size()) ? 2 : 1;
    result.badCharacter = text.mid(at, len);
    result.badRow = row;
    const Product &p = rows.at(row);
    const QString texts[] = {p.code, p.name, p.price, p.remarks, p.jan};
    int field = 4;
    for (int k = 0; k < 5; ++k) {
        const QString cleaned = cleanField(texts[k]);
        if (!platform::cp932::canEncode(cleaned) || firstBadCharacter(cleaned) >= 0) {
            field = k;
            break;
        }
    }
    result.badField = fieldCaption(field);
    const QString shown = result.badCharacter.at(0).unicode() < 0x80
                              ? QStringLiteral("制御文字 U+%1")
                                    .arg(QString::number(uint(result.badCharacter.at(0).unicode()), 16)
                                             .toUpper()
                                             .rightJustified(4, QLatin1Char('0')))
                              : result.badCharacter;
    result.error = AppError{AppError::InvalidPropertyValue,
                            QStringLiteral("No.%1 の%2に Shift_JIS で保存できない文字「%3」があります。")
                                .arg(row + 1)
                                .arg(result.badField, shown)};
    return result;
}

ReadResult readCsvFile(const QString &path)
{
    ReadResult r;
    const QFileInfo info(path);
    if (info.isDir()) {
        r.error = AppError{AppError::PathFileAccessError,
                           QStringLiteral("ファイルではなくフォルダーです。 (") + path + QLatin1Char(')')};
        return r;
    }
    QFile file;
    platform::ReadFault fault = platform::openRegularFile(path, MaxListFileBytes, &file);
    if (fault == platform::ReadFault::None) {
        // Read a slice at a time: besides the rows, only a slice of the file is held. A first look
        // decides the encoding and counts the lines, so that the rows are reserved once.
        const QByteArray start = file.peek(3);
        if (isUtf16(start))
            return utf16Refused();
        const bool byteOrderMark = start.startsWith("\xEF\xBB\xBF");
        const qsizetype skip = byteOrderMark ? 3 : 0;
        auto pass = [&](const auto &read) { return overFile(file, skip, fault, read); };
        const Utf8Look look = pass(lookAtUtf8);
        const bool undecodable = look.doubtful() && pass(undecodableAsCp932);
        const ListShape shape = shapeOf(look, byteOrderMark, undecodable);
        r = pass([&](FileSlices &slices) { return readSlices(slices, MaxListRows, shape); });
        if (fault == platform::ReadFault::None) {
            r.byteOrderMark = byteOrderMark;
            return r;
        }
        r = ReadResult();
    }
    switch (fault) {
    case platform::ReadFault::None:
        break;
    case platform::ReadFault::NotFound:
        r.error = QFileInfo(info.absolutePath()).isDir() ? AppError::fileNotFound(path) : AppError::pathNotFound(path);
        break;
    case platform::ReadFault::NotRegular:
        r.error = AppError{AppError::PathFileAccessError,
                           QStringLiteral("通常のファイルではありません。 (") + path + QLatin1Char(')')};
        break;
    case platform::ReadFault::TooLarge:
        r.error = AppError{AppError::Overflow,
                           QStringLiteral("ファイルが大きすぎます。読み込めるのは %1 MiB (%2 バイト) までです。 (%3)")
                               .arg(MaxListFileBytes / (1024 * 1024))
                               .arg(platform::formatThousands(MaxListFileBytes), path)};
        break;
    case platform::ReadFault::Unreadable:
        r.error = AppError{info.exists() && !info.isReadable() ? AppError::PermissionDenied : AppError::DeviceIoError,
                           QStringLiteral("ファイルを読み込めません。 (") + path + QLatin1Char(')')};
        break;
    }
    return r;
}

WriteResult writeCsvFile(const QString &path, const ProductList &rows)
{
    WriteResult r = WriteFile(rows);
    if (!r.ok())
        return r;
    AppError e;
    if (!platform::writeFileAtomically(path, r.bytes, &e))
        r.error = e;
    return r;
}

QString encodingNoteText(const ReadResult &result)
{
    if (result.encoding == ListEncoding::Utf8)
        return QStringLiteral("UTF-8 で読み込みました（保存は Shift_JIS）");
    if (result.alsoValidUtf8)
        return QStringLiteral("Shift_JIS で読み込みました（UTF-8 なら BOM 付きで保存し直してください）");
    return {};
}

QString formatHintText()
{
    return QStringLiteral("読み込んだデータが「ぽらね値札作成」のデータ形式を満たしているか確認してください.");
}

QString readErrorReportText(const QString &label, const ReadResult &result)
{
    QString text = platform::errorReportText(label, result.error);
    if (result.formatProblem) {
        const qsizetype firstBreak = text.indexOf(QLatin1String("\r\n"));
        text.insert(firstBreak + 2, formatHintText() + QLatin1String("\r\n\r\n"));
    }
    return text;
}

} // namespace products
