#include "painting/ideograph_names.h"

#include <QFont>
#include <QFontDatabase>
#include <QMutex>
#include <QRawFont>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace painting {

namespace {

constexpr char32_t RadicalsFirst = 0x2E80;
constexpr char32_t RadicalsLast = 0x2FDF;

bool isRadical(char32_t c)
{
    return c >= RadicalsFirst && c <= RadicalsLast;
}

std::optional<quint32> read16(const QByteArray &b, qint64 at)
{
    if (at < 0 || at + 2 > b.size())
        return std::nullopt;
    return qFromBigEndian<quint16>(b.constData() + at);
}

std::optional<quint32> read32(const QByteArray &b, qint64 at)
{
    if (at < 0 || at + 4 > b.size())
        return std::nullopt;
    return qFromBigEndian<quint32>(b.constData() + at);
}

void put16(QByteArray &b, quint32 v)
{
    char c[2];
    qToBigEndian<quint16>(quint16(v), c);
    b.append(c, 2);
}

void put32(QByteArray &b, quint32 v)
{
    char c[4];
    qToBigEndian<quint32>(v, c);
    b.append(c, 4);
}

using CharacterMap = std::map<char32_t, quint32>;

// The pairs of a format 12 subtable at at.
bool readFormat12(const QByteArray &cmap, qint64 at, CharacterMap &out)
{
    const auto groups = read32(cmap, at + 12);
    if (!groups || qint64(*groups) * 12 + at + 16 > cmap.size())
        return false;
    for (quint32 i = 0; i < *groups; ++i) {
        const qint64 g = at + 16 + qint64(i) * 12;
        const quint32 first = *read32(cmap, g), last = *read32(cmap, g + 4), glyph = *read32(cmap, g + 8);
        if (last < first || last > 0x10FFFF)
            return false;
        for (quint32 c = first; c <= last; ++c)
            out[c] = glyph + (c - first);
    }
    return true;
}

// The pairs of a format 4 subtable at at.
bool readFormat4(const QByteArray &cmap, qint64 at, CharacterMap &out)
{
    const auto segX2 = read16(cmap, at + 6);
    if (!segX2)
        return false;
    const qint64 ends = at + 14, starts = ends + *segX2 + 2, deltas = starts + *segX2, offsets = deltas + *segX2;
    for (quint32 s = 0; s < *segX2 / 2; ++s) {
        const auto end = read16(cmap, ends + 2 * s), start = read16(cmap, starts + 2 * s),
                   delta = read16(cmap, deltas + 2 * s), offset = read16(cmap, offsets + 2 * s);
        if (!end || !start || !delta || !offset)
            return false;
        for (quint32 c = *start; c <= *end && c != 0xFFFF; ++c) {
            quint32 glyph = 0;
            if (*offset == 0) {
                glyph = (c + *delta) & 0xFFFF;
            } else {
                const auto g = read16(cmap, offsets + 2 * s + *offset + 2 * (c - *start));
                if (!g)
                    return false;
                glyph = *g ? (*g + *delta) & 0xFFFF : 0;
            }
            if (glyph)
                out[c] = glyph;
        }
    }
    return true;
}

// A face's Unicode character map, from its fullest Unicode subtable; empty when it has none or it
// cannot be read.
CharacterMap characterMap(const QByteArray &cmap)
{
    CharacterMap out;
    const auto tables = read16(cmap, 2);
    if (!tables)
        return out;
    qint64 format12 = -1, format4 = -1;
    for (quint32 i = 0; i < *tables; ++i) {
        const auto platform = read16(cmap, 4 + 8 * i), encoding = read16(cmap, 6 + 8 * i),
                   offset = read32(cmap, 8 + 8 * i);
        if (!platform || !encoding || !offset)
            return out;
        const auto format = read16(cmap, *offset);
        const bool unicode = *platform == 0 || (*platform == 3 && (*encoding == 1 || *encoding == 10));
        if (!format || !unicode)
            continue;
        if (*format == 12)
            format12 = *offset;
        else if (*format == 4)
            format4 = *offset;
    }
    const bool read =
        format12 >= 0 ? readFormat12(cmap, format12, out) : format4 >= 0 && readFormat4(cmap, format4, out);
    if (!read)
        out.clear();
    return out;
}

// A character map holding map in a format 12 subtable (Windows, full Unicode), after an empty format 4
// one (Windows, BMP): a face of PostScript outlines without a (3, 1) subtable is given one made from
// its glyph names by FreeType, which Qt would take for its character map.
QByteArray cmapTable(const CharacterMap &map)
{
    std::vector<std::array<quint32, 3>> groups;
    for (const auto &[c, glyph] : map) {
        if (!groups.empty() && groups.back()[1] + 1 == c && groups.back()[2] + (c - groups.back()[0]) == glyph)
            groups.back()[1] = c;
        else
            groups.push_back({quint32(c), quint32(c), glyph});
    }
    constexpr quint32 Format4Size = 24;
    QByteArray b;
    put16(b, 0);
    put16(b, 2);
    put16(b, 3);
    put16(b, 1);
    put32(b, 20);
    put16(b, 3);
    put16(b, 10);
    put32(b, 20 + Format4Size);
    // Format 4 with its closing segment only.
    for (const quint32 v : {4u, Format4Size, 0u, 2u, 2u, 0u, 0u, 0xFFFFu, 0u, 0xFFFFu, 1u, 0u})
        put16(b, v);
    put16(b, 12);
    put16(b, 0);
    put32(b, quint32(16 + 12 * groups.size()));
    put32(b, 0);
    put32(b, quint32(groups.size()));
    for (const auto &g : groups) {
        put32(b, g[0]);
        put32(b, g[1]);
        put32(b, g[2]);
    }
    return b;
}

// A naming table that gives the copy a family of its own, so that it is found by that name alone.
QByteArray nameTable(const QString &family, const QString &style)
{
    const QList<std::pair<int, QString>> names{
        {1, family},
        {2, style},
        {4, family + QLatin1Char(' ') + style},
        {6, QString(family + QLatin1Char('-') + style).remove(QLatin1Char(' '))}};
    QByteArray strings;
    QByteArray b;
    put16(b, 0);
    put16(b, quint32(names.size()));
    put16(b, quint32(6 + 12 * names.size()));
    for (const auto &[id, text] : names) {
        QByteArray utf16;
        for (const QChar ch : text)
            put16(utf16, ch.unicode());
        put16(b, 3);
        put16(b, 1);
        put16(b, 0x409);
        put16(b, quint32(id));
        put16(b, quint32(utf16.size()));
        put16(b, quint32(strings.size()));
        strings += utf16;
    }
    return b + strings;
}

quint32 checksum(const QByteArray &table)
{
    quint32 sum = 0;
    const qsizetype whole = table.size() / 4 * 4;
    for (qsizetype i = 0; i < whole; i += 4)
        sum += qFromBigEndian<quint32>(table.constData() + i);
    for (qsizetype i = whole; i < table.size(); ++i)
        sum += quint32(quint8(table[i])) << (24 - 8 * (i - whole));
    return sum;
}

// The face of font as a font file of its own, with table cmap and name replaced. Each table is taken
// from the face once, copied into the file and let go, so that no more than the file and one table
// are held. The table directory is given room for every table asked for; the tables follow it.
QByteArray fontFile(const QRawFont &font, const QByteArray &cmap, const QByteArray &name)
{
    static const char *const tags[] = {
        "BASE", "CFF ", "CFF2", "COLR", "CPAL", "GDEF", "GPOS", "GSUB", "JSTF", "MATH",
        "OS/2", "VORG", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head", "hhea", "hmtx",
        "kern", "loca", "maxp", "name", "post", "prep", "vhea", "vmtx"}; // in the byte order the table directory keeps
    constexpr qsizetype Room = 12 + 16 * qsizetype(std::size(tags));
    QByteArray b(Room, '\0');
    QByteArray directory;
    quint32 n = 0;
    bool cff = false, glyf = false, head = false, maxp = false;
    for (const char *tag : tags) {
        const QByteArray data = std::strcmp(tag, "cmap") == 0   ? cmap
                                : std::strcmp(tag, "name") == 0 ? name
                                                                : font.fontTable(tag);
        if (data.isEmpty())
            continue;
        cff = cff || std::strcmp(tag, "CFF ") == 0;
        glyf = glyf || std::strcmp(tag, "glyf") == 0;
        head = head || std::strcmp(tag, "head") == 0;
        maxp = maxp || std::strcmp(tag, "maxp") == 0;
        directory.append(tag, 4);
        put32(directory, checksum(data));
        put32(directory, quint32(b.size()));
        put32(directory, quint32(data.size()));
        ++n;
        b.append(data);
        b.append(QByteArray((4 - data.size() % 4) % 4, '\0'));
    }
    if (!head || !maxp || !(glyf || cff))
        return {};
    quint32 power = 1, selector = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++selector;
    }
    QByteArray header;
    put32(header, cff ? 0x4F54544F : 0x00010000); // "OTTO" for a face of PostScript outlines
    put16(header, n);
    put16(header, power * 16);
    put16(header, selector);
    put16(header, n * 16 - power * 16);
    b.replace(0, header.size() + directory.size(), header + directory);
    return b;
}

struct Face {
    QSet<quint32> shared; // glyphs a radical maps to
    bool tried = false;   // the copy was tried for (made, or found not to be possible)
    bool made = false;
    QFont copy;
    // The copy at each pixel size runs were drawn at: a face found through the font database costs
    // as much as shaping a line, and a sheet draws a handful of sizes.
    std::vector<std::pair<double, QRawFont>> sized;
};

QString keyOf(const QRawFont &font)
{
    return font.familyName() + QLatin1Char('\n') + font.styleName() + QLatin1Char('\n') +
           QString::number(font.weight()) + QLatin1Char('\n') + QString::number(int(font.style()));
}

// Faces are few (a design's handful): kept for the program's run, one lock round them. A face's
// glyphs that radicals share are found once; the copy is made when a run first needs it.
QMutex facesLock;
std::map<QString, Face> faces;

Face &faceOf(const QRawFont &font)
{
    // Runs of a sheet come in a few fonts: the last ones seen are known without a name or a lock.
    thread_local std::vector<std::pair<QRawFont, Face *>> seen;
    for (const auto &[known, face] : seen)
        if (known == font)
            return *face;
    if (seen.size() > 64)
        seen.clear();
    QMutexLocker lock(&facesLock);
    auto [at, added] = faces.try_emplace(keyOf(font));
    Face &face = at->second;
    if (added) {
        QString radicals;
        for (char32_t c = RadicalsFirst; c <= RadicalsLast; ++c)
            radicals.append(QChar(char16_t(c)));
        for (const quint32 glyph : font.glyphIndexesForString(radicals))
            if (glyph)
                face.shared.insert(glyph);
    }
    seen.emplace_back(font, &face);
    return face;
}

// Makes the copy of the face of font; false when it cannot be made.
bool makeCopy(const QRawFont &font, Face &face)
{
    CharacterMap map = characterMap(font.fontTable("cmap"));
    if (map.empty())
        return false;
    for (auto at = map.begin(); at != map.end();)
        at = isRadical(at->first) ? map.erase(at) : std::next(at);
    static int copies = 0;
    const QString family = QStringLiteral("Vennlo Ideographs %1").arg(++copies);
    const QString style = font.styleName().isEmpty() ? QStringLiteral("Regular") : font.styleName();
    const QByteArray file = fontFile(font, cmapTable(map), nameTable(family, style));
    if (file.isEmpty())
        return false;
    const int id = QFontDatabase::addApplicationFontFromData(file);
    if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family))
        return false;
    face.copy = QFont(family);
    face.copy.setWeight(QFont::Weight(font.weight()));
    face.copy.setStyle(font.style());
    face.copy.setHintingPreference(QFont::PreferNoHinting);
    return true;
}

} // namespace

void nameIdeographs(QGlyphRun &run, QStringView text)
{
    const QRawFont font = run.rawFont();
    Face &face = faceOf(font);
    const QList<quint32> glyphs = run.glyphIndexes();
    if (face.shared.isEmpty() ||
        std::none_of(glyphs.begin(), glyphs.end(), [&](quint32 g) { return face.shared.contains(g); }))
        return;
    for (const char32_t c : text.toUcs4())
        if (isRadical(c))
            return;
    QMutexLocker lock(&facesLock);
    if (!face.tried) {
        face.tried = true;
        face.made = makeCopy(font, face);
    }
    if (!face.made)
        return;
    const double pixelSize = font.pixelSize();
    for (const auto &[size, known] : face.sized) {
        if (size == pixelSize) {
            run.setRawFont(known);
            return;
        }
    }
    QFont sized = face.copy;
    sized.setPixelSize(1);
    QRawFont copy = QRawFont::fromFont(sized);
    if (!copy.isValid() || copy.familyName() != sized.family())
        return;
    copy.setPixelSize(pixelSize);
    if (face.sized.size() < 32)
        face.sized.emplace_back(pixelSize, copy);
    run.setRawFont(copy);
}

} // namespace painting
