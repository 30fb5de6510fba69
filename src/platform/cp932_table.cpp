#include "platform/cp932_table.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace platform::cp932_table {

namespace {

constexpr char16_t kNone = 0xFFFF;
constexpr quint16 kNoBytes = 0xFFFF;

bool isLead(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrail(uchar b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

struct Tables {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pair;   // (lead << 8 | trail) -> character, kNone when not plainly mapped
    std::vector<quint16> bytesOf; // character -> 1 or 2 bytes, kNoBytes when not plainly mapped

    Tables() : pair(65536, kNone), bytesOf(65536, kNoBytes)
    {
        for (int b = 0; b < 256; ++b) {
            single[size_t(b)] = kNone;
            if (isLead(uchar(b)))
                continue;
            bool bad = false;
            const QString s = platform::cp932::decode(QByteArray(1, char(b)), &bad);
            if (!bad && s.size() == 1)
                single[size_t(b)] = s.at(0).unicode();
        }
        std::vector<int> sources(65536, 0);
        for (int b = 0; b < 256; ++b) {
            if (single[size_t(b)] != kNone) {
                bytesOf[single[size_t(b)]] = quint16(b);
                ++sources[single[size_t(b)]];
            }
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLead(uchar(lead)))
                continue;
            // One decoder call for all trails of a lead; pair by pair only when that does not line up.
            QByteArray all;
            std::vector<int> trails;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (isTrail(uchar(trail))) {
                    all.append(char(lead)).append(char(trail));
                    trails.push_back(trail);
                }
            }
            const QString s = platform::cp932::decode(all);
            const bool linedUp = s.size() == qsizetype(trails.size()) &&
                                 std::none_of(s.begin(), s.end(), [](QChar c) { return c.isSurrogate(); });
            for (size_t k = 0; k < trails.size(); ++k) {
                const int trail = trails[k];
                char16_t u = kNone;
                if (linedUp) {
                    u = s.at(qsizetype(k)).unicode();
                } else {
                    const char raw[2] = {char(lead), char(trail)};
                    bool bad = false;
                    const QString one = platform::cp932::decode(QByteArray(raw, 2), &bad);
                    if (!bad && one.size() == 1 && !one.at(0).isSurrogate())
                        u = one.at(0).unicode();
                }
                // The decoder's marks for bytes it cannot map.
                if (u == 0x1A || u == 0xFFFD || u < 0x80)
                    u = kNone;
                if (u == kNone)
                    continue;
                pair[size_t(lead << 8 | trail)] = u;
                if (sources[u]++ == 0)
                    bytesOf[u] = quint16(lead << 8 | trail);
            }
        }
        // Characters reached from several byte sequences: ask the encoder which one it writes.
        for (int u = 0; u < 65536; ++u) {
            if (sources[size_t(u)] < 2)
                continue;
            const platform::cp932::Encoded e = platform::cp932::encode(QString(QChar(char16_t(u))));
            if (!e.ok() || e.bytes.isEmpty() || e.bytes.size() > 2)
                bytesOf[size_t(u)] = kNoBytes;
            else if (e.bytes.size() == 1)
                bytesOf[size_t(u)] = uchar(e.bytes.at(0));
            else
                bytesOf[size_t(u)] = quint16(uchar(e.bytes.at(0)) << 8 | uchar(e.bytes.at(1)));
        }
        // Pure ASCII text is stored byte for byte by the platform encoder.
        for (int u = 0; u < 0x80; ++u)
            bytesOf[size_t(u)] = kNoBytes;
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

QString decode(const QByteArray &bytes, bool *hadErrors)
{
    const Tables &t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype o = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const uchar b = p[i];
        char16_t u;
        if (b < 0x80 || !isLead(b)) {
            u = t.single[b];
        } else if (i + 1 < n) {
            u = t.pair[size_t(b << 8 | p[i + 1])];
            ++i;
        } else {
            u = kNone;
        }
        if (u == kNone)
            return platform::cp932::decode(bytes, hadErrors);
        dst[o++] = u;
    }
    out.truncate(o);
    if (hadErrors)
        *hadErrors = false;
    return out;
}

platform::cp932::Encoded encode(const QString &text)
{
    const Tables &t = tables();
    platform::cp932::Encoded result;
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char *dst = out.data();
    qsizetype o = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            dst[o++] = char(u);
            continue;
        }
        const quint16 v = t.bytesOf[u];
        if (v == kNoBytes)
            return platform::cp932::encode(text);
        if (v > 0xFF)
            dst[o++] = char(v >> 8);
        dst[o++] = char(v & 0xFF);
    }
    out.truncate(o);
    result.bytes = std::move(out);
    return result;
}

} // namespace platform::cp932_table
