#include "painting/glyph_names.h"

#include <QFont>
#include <QFontDatabase>
#include <QMutex>
#include <QRawFont>
#include <QSet>
#include <QtEndian>

#include <fontconfig/fontconfig.h>
#include <hb-subset.h>
#include <hb.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
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

// A naming table that gives the small face a family of its own, so that it is found by that name alone.
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

// The face of font as a font file of its own, put together from its tables: for a face whose file
// cannot be found. Each table is taken from the face once, copied into the file and let go. The table
// directory is given room for every table asked for; the tables follow it.
QByteArray wholeFile(const QRawFont &font)
{
    static const char *const tags[] = {
        "CFF ", "CFF2", "OS/2", "VORG", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head",
        "hhea", "hmtx", "loca", "maxp", "name", "post", "prep", "vhea", "vmtx"}; // in the byte order the table
                                                                                 // directory keeps
    constexpr qsizetype Room = 12 + 16 * qsizetype(std::size(tags));
    QByteArray b(Room, '\0');
    QByteArray directory;
    quint32 n = 0;
    bool cff = false, glyf = false, head = false, maxp = false;
    for (const char *tag : tags) {
        const QByteArray data = font.fontTable(tag);
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

struct HbFaceFree {
    void operator()(hb_face_t *face) const { hb_face_destroy(face); }
};
using HbFace = std::unique_ptr<hb_face_t, HbFaceFree>;

QByteArray tableOf(hb_face_t *face, hb_tag_t tag)
{
    hb_blob_t *blob = hb_face_reference_table(face, tag);
    unsigned int size = 0;
    const char *data = hb_blob_get_data(blob, &size);
    QByteArray table(data, qsizetype(size));
    hb_blob_destroy(blob);
    return table;
}

// The face of font read from its own file (mapped, not read whole), found by fontconfig from its family
// and style and known by its header table; a file put together from its tables when none is found.
HbFace sourceOf(const QRawFont &font)
{
    const QByteArray head = font.fontTable("head");
    const QByteArray family = font.familyName().toUtf8(), style = font.styleName().toUtf8();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.constData()));
    if (!style.isEmpty())
        FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8 *>(style.constData()));
    FcObjectSet *objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    HbFace found;
    for (int i = 0; fonts && i < fonts->nfont && !found && !head.isEmpty(); ++i) {
        FcChar8 *file = nullptr;
        int index = 0;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &index);
        hb_blob_t *blob = hb_blob_create_from_file_or_fail(reinterpret_cast<const char *>(file));
        if (!blob)
            continue;
        HbFace face(hb_face_create(blob, unsigned(index)));
        hb_blob_destroy(blob);
        if (tableOf(face.get(), HB_TAG('h', 'e', 'a', 'd')) == head)
            found = std::move(face);
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    if (found)
        return found;
    auto *whole = new QByteArray(wholeFile(font));
    if (whole->isEmpty()) {
        delete whole;
        return {};
    }
    hb_blob_t *blob = hb_blob_create(whole->constData(), unsigned(whole->size()), HB_MEMORY_MODE_READONLY, whole,
                                     [](void *bytes) { delete static_cast<QByteArray *>(bytes); });
    HbFace face(hb_face_create(blob, 0));
    hb_blob_destroy(blob);
    return face;
}

// A font file of the glyphs of map alone, under their own numbers, its character map map and its
// names family and style; empty when it cannot be made.
QByteArray smallFile(hb_face_t *source, const CharacterMap &map, const QString &family, const QString &style)
{
    hb_subset_input_t *input = hb_subset_input_create_or_fail();
    if (!input)
        return {};
    hb_set_t *glyphs = hb_subset_input_glyph_set(input);
    for (const auto &[c, glyph] : map)
        hb_set_add(glyphs, glyph);
    // The glyphs are placed already: the small face needs their outlines and widths, no layout.
    hb_set_t *dropped = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const hb_tag_t tag : {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
                               HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'), HB_TAG('k', 'e', 'r', 'n')})
        hb_set_add(dropped, tag);
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS);
    hb_face_t *subset = hb_subset_or_fail(source, input);
    hb_subset_input_destroy(input);
    if (!subset)
        return {};
    hb_blob_t *subsetFile = hb_face_reference_blob(subset);
    hb_face_destroy(subset);
    HbFace read(hb_face_create(subsetFile, 0));
    hb_blob_destroy(subsetFile);
    // Its tables again, with the character map and the names of its own.
    hb_face_t *out = hb_face_builder_create();
    const hb_tag_t cmapTag = HB_TAG('c', 'm', 'a', 'p'), nameTag = HB_TAG('n', 'a', 'm', 'e');
    std::array<hb_tag_t, 32> tags{};
    for (unsigned int from = 0;;) {
        unsigned int count = unsigned(tags.size());
        hb_face_get_table_tags(read.get(), from, &count, tags.data());
        for (unsigned int i = 0; i < count; ++i) {
            if (tags[i] == cmapTag || tags[i] == nameTag)
                continue;
            hb_blob_t *table = hb_face_reference_table(read.get(), tags[i]);
            hb_face_builder_add_table(out, tags[i], table);
            hb_blob_destroy(table);
        }
        if (count < tags.size())
            break;
        from += count;
    }
    for (const auto &[tag, table] :
         {std::pair(cmapTag, cmapTable(map)), std::pair(nameTag, nameTable(family, style))}) {
        hb_blob_t *blob =
            hb_blob_create(table.constData(), unsigned(table.size()), HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr);
        hb_face_builder_add_table(out, tag, blob);
        hb_blob_destroy(blob);
    }
    hb_blob_t *file = hb_face_reference_blob(out);
    hb_face_destroy(out);
    unsigned int size = 0;
    const char *data = hb_blob_get_data(file, &size);
    QByteArray bytes(data, qsizetype(size));
    hb_blob_destroy(file);
    return bytes;
}

// A small face: the characters it maps and the font to draw it with.
struct Small {
    CharacterMap map;
    QFont font;
};

struct Face {
    QSet<quint32> shared; // glyphs a radical maps to
    bool sourceTried = false;
    HbFace source;
    // The small faces made; a character map that one of them holds is drawn with it, one that could
    // join one of them replaces it with a face of both.
    std::vector<Small> smalls;
};

QString keyOf(const QRawFont &font)
{
    return font.familyName() + QLatin1Char('\n') + font.styleName() + QLatin1Char('\n') +
           QString::number(font.weight()) + QLatin1Char('\n') + QString::number(int(font.style()));
}

// Faces are few (a design's handful): kept for the program's run, one lock round them. A face's
// glyphs that radicals share are found once; a small face is made when a run first needs it.
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

bool holds(const CharacterMap &map, const CharacterMap &wanted)
{
    return std::all_of(wanted.begin(), wanted.end(), [&](const auto &pair) {
        const auto at = map.find(pair.first);
        return at != map.end() && at->second == pair.second;
    });
}

// Whether map and wanted together still give each character one glyph and each glyph one character.
bool joins(const CharacterMap &map, const CharacterMap &wanted)
{
    QSet<quint32> glyphs;
    for (const auto &[c, glyph] : map)
        glyphs.insert(glyph);
    return std::all_of(wanted.begin(), wanted.end(), [&](const auto &pair) {
        const auto at = map.find(pair.first);
        return at != map.end() ? at->second == pair.second : !glyphs.contains(pair.second);
    });
}

// The font of a small face of font's face holding wanted; none when it cannot be made.
std::optional<QFont> smallFont(const QRawFont &font, Face &face, const CharacterMap &wanted)
{
    QMutexLocker lock(&facesLock);
    for (const Small &small : face.smalls)
        if (holds(small.map, wanted))
            return small.font;
    if (!face.sourceTried) {
        face.sourceTried = true;
        face.source = sourceOf(font);
    }
    if (!face.source)
        return std::nullopt;
    auto joined = std::find_if(face.smalls.begin(), face.smalls.end(),
                               [&](const Small &small) { return joins(small.map, wanted); });
    CharacterMap map = wanted;
    if (joined != face.smalls.end())
        map.insert(joined->map.begin(), joined->map.end());
    static int made = 0;
    const QString family = QStringLiteral("Vennlo Glyphs %1").arg(++made);
    const QString style = font.styleName().isEmpty() ? QStringLiteral("Regular") : font.styleName();
    const QByteArray file = smallFile(face.source.get(), map, family, style);
    if (file.isEmpty())
        return std::nullopt;
    const int id = QFontDatabase::addApplicationFontFromData(file);
    if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family))
        return std::nullopt;
    QFont small(family);
    small.setWeight(QFont::Weight(font.weight()));
    small.setStyle(font.style());
    small.setHintingPreference(QFont::PreferNoHinting);
    if (joined != face.smalls.end())
        *joined = Small{std::move(map), small};
    else
        face.smalls.push_back(Small{std::move(map), small});
    return small;
}

// font at a pixel size, each size made once per thread.
QRawFont rawFontOf(const QFont &font, double pixelSize)
{
    thread_local std::vector<std::pair<std::pair<QString, double>, QRawFont>> made;
    const std::pair key(font.family(), pixelSize);
    for (const auto &[known, raw] : made)
        if (known == key)
            return raw;
    if (made.size() > 64)
        made.clear();
    QFont sized = font;
    sized.setPixelSize(1);
    QRawFont raw = QRawFont::fromFont(sized);
    if (!raw.isValid() || raw.familyName() != font.family())
        raw = QRawFont();
    else
        raw.setPixelSize(pixelSize);
    made.emplace_back(key, raw);
    return raw;
}

} // namespace

QList<QGlyphRun> namedRuns(const QList<QGlyphRun> &runs, QStringView text)
{
    QList<QGlyphRun> out;
    qsizetype at = 0;
    for (const QGlyphRun &run : runs) {
        QList<quint32> ids = run.glyphIndexes();
        const QString chars = text.mid(at, ids.size()).toString();
        at += ids.size();
        const QRawFont font = run.rawFont();
        Face &face = faceOf(font);
        const QList<quint32> own = font.glyphIndexesForString(chars);
        // The glyphs the text layer would name wrongly, and the characters they stand for.
        std::vector<bool> named(ids.size(), false);
        CharacterMap wanted;
        for (qsizetype i = 0; i < ids.size() && i < chars.size() && i < own.size(); ++i) {
            const char32_t c = chars[i].unicode();
            if (chars[i].isSurrogate() || ids[i] == 0 || own[i] == 0)
                continue;
            const bool variant = ids[i] != own[i];
            if (!variant && (!face.shared.contains(ids[i]) || isRadical(c)))
                continue;
            // One glyph for a character in a small face: a second glyph of it is drawn as the character
            // map's own glyph.
            if (const auto [where, added] = wanted.try_emplace(c, ids[i]); added || where->second == ids[i]) {
                named[i] = true;
            } else if (variant) {
                ids[i] = own[i];
            }
        }
        if (wanted.empty()) {
            out.append(run);
            continue;
        }
        const std::optional<QFont> small = smallFont(font, face, wanted);
        const QRawFont smallRaw = small ? rawFontOf(*small, font.pixelSize()) : QRawFont();
        if (!smallRaw.isValid()) {
            // Without a small face, each glyph is drawn as its character's own glyph, at the shaper's
            // place: read back, if not always whole.
            for (qsizetype i = 0; i < ids.size() && i < own.size(); ++i)
                if (named[i] && own[i] != 0)
                    ids[i] = own[i];
            QGlyphRun drawn = run;
            drawn.setGlyphIndexes(ids);
            out.append(drawn);
            continue;
        }
        const QList<QPointF> positions = run.positions();
        for (qsizetype from = 0; from < ids.size();) {
            qsizetype to = from + 1;
            while (to < ids.size() && named[to] == named[from])
                ++to;
            QGlyphRun piece = run;
            piece.setGlyphIndexes(ids.mid(from, to - from));
            piece.setPositions(positions.mid(from, to - from));
            if (named[from])
                piece.setRawFont(smallRaw);
            out.append(piece);
            from = to;
        }
    }
    return out;
}

} // namespace painting
