#include "painting/glyph_names.h"

#include <QFont>
#include <QFontDatabase>
#include <QMutex>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
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

void set16(QByteArray &b, qsizetype at, quint32 v)
{
    qToBigEndian<quint16>(quint16(v), b.data() + at);
}

// A font file of tables (tag and data, in the order of their tags).
QByteArray sfnt(const std::map<QByteArray, QByteArray> &tables)
{
    const quint32 n = quint32(tables.size());
    quint32 power = 1, selector = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++selector;
    }
    QByteArray b;
    put32(b, 0x00010000);
    put16(b, n);
    put16(b, power * 16);
    put16(b, selector);
    put16(b, n * 16 - power * 16);
    quint32 at = 12 + 16 * n;
    for (const auto &[tag, data] : tables) {
        b.append(tag);
        put32(b, checksum(data));
        put32(b, at);
        put32(b, quint32(data.size()));
        at += quint32((data.size() + 3) / 4 * 4);
    }
    for (const auto &[tag, data] : tables) {
        b.append(data);
        b.append(QByteArray((4 - data.size() % 4) % 4, '\0'));
    }
    return b;
}

// A glyph's outline as TrueType contours in font units (y up): on-curve points and the control points
// of quadratic curves, a cubic curve split until one quadratic is within a quarter of a unit of it.
struct Point {
    int x, y;
    bool on;
};
using Contours = std::vector<std::vector<Point>>;

void addCubic(std::vector<Point> &contour, QPointF p0, QPointF c1, QPointF c2, QPointF p3, int depth)
{
    const QPointF d = p3 - 3 * c2 + 3 * c1 - p0;
    if (std::hypot(d.x(), d.y()) * std::sqrt(3.0) / 36 > 0.25 && depth < 6) {
        const QPointF a = (p0 + c1) / 2, b = (c1 + c2) / 2, c = (c2 + p3) / 2, ab = (a + b) / 2, bc = (b + c) / 2,
                      mid = (ab + bc) / 2;
        addCubic(contour, p0, a, ab, mid, depth + 1);
        addCubic(contour, mid, bc, c, p3, depth + 1);
        return;
    }
    const QPointF q = (3 * c1 - p0 + 3 * c2 - p3) / 4;
    contour.push_back({qRound(q.x()), qRound(-q.y()), false});
    contour.push_back({qRound(p3.x()), qRound(-p3.y()), true});
}

Contours contoursOf(const QPainterPath &path)
{
    Contours contours;
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p(e.x, e.y);
        if (e.isMoveTo()) {
            contours.emplace_back();
            contours.back().push_back({qRound(p.x()), qRound(-p.y()), true});
        } else if (contours.empty()) {
            continue;
        } else if (e.isLineTo()) {
            contours.back().push_back({qRound(p.x()), qRound(-p.y()), true});
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), p3 = path.elementAt(i + 2);
            addCubic(contours.back(), last, p, QPointF(c2.x, c2.y), QPointF(p3.x, p3.y), 0);
            last = QPointF(p3.x, p3.y);
            i += 2;
            continue;
        }
        last = p;
    }
    for (std::vector<Point> &c : contours) {
        // A closed contour ends where it began: TrueType closes it by itself.
        if (c.size() > 1 && c.back().on && c.back().x == c.front().x && c.back().y == c.front().y)
            c.pop_back();
    }
    std::erase_if(contours, [](const std::vector<Point> &c) { return c.size() < 2; });
    return contours;
}

// A simple glyph's record; its left side bearing and its point and contour counts are added to the
// face's figures.
QByteArray glyphRecord(const Contours &contours, int &xMin, quint32 &points)
{
    QByteArray b;
    if (contours.empty()) {
        xMin = 0;
        return b;
    }
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    quint32 n = 0;
    for (const auto &c : contours) {
        for (const Point &p : c) {
            x0 = std::min(x0, p.x);
            y0 = std::min(y0, p.y);
            x1 = std::max(x1, p.x);
            y1 = std::max(y1, p.y);
        }
        n += quint32(c.size());
    }
    xMin = x0;
    points = std::max(points, n);
    put16(b, quint32(contours.size()));
    for (const int v : {x0, y0, x1, y1})
        put16(b, quint32(v));
    quint32 end = 0;
    for (const auto &c : contours) {
        end += quint32(c.size());
        put16(b, end - 1);
    }
    put16(b, 0); // no instructions
    for (const auto &c : contours)
        for (const Point &p : c)
            b.append(char(p.on ? 1 : 0));
    for (const bool x : {true, false}) {
        int at = 0;
        for (const auto &c : contours) {
            for (const Point &p : c) {
                const int v = x ? p.x : p.y;
                put16(b, quint32(v - at));
                at = v;
            }
        }
    }
    b.append(QByteArray((4 - b.size() % 4) % 4, '\0'));
    return b;
}

// A TrueType font of the glyphs of glyphs (numbered from 1 in their order) drawn from font, with the
// widths, heights and weight of its face, the character map map and the names family and style;
// empty when font lacks a table it needs.
QByteArray smallFile(const QRawFont &font, const std::vector<quint32> &glyphs, const CharacterMap &map,
                     const QString &family, const QString &style)
{
    QByteArray head = font.fontTable("head"), hhea = font.fontTable("hhea");
    const QByteArray os2 = font.fontTable("OS/2"), post = font.fontTable("post");
    if (head.size() < 54 || hhea.size() < 36 || font.unitsPerEm() <= 0)
        return {};
    QRawFont design = font;
    design.setPixelSize(font.unitsPerEm());
    const QList<QPointF> advances =
        design.advancesForGlyphIndexes(QList<quint32>(glyphs.begin(), glyphs.end()), QRawFont::UseDesignMetrics);
    QByteArray glyf, loca, hmtx;
    put32(loca, 0); // the empty glyph 0
    put32(loca, 0);
    put16(hmtx, 0);
    put16(hmtx, 0);
    quint32 points = 0, contours = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Contours outline = contoursOf(design.pathForGlyph(glyphs[i]));
        int xMin = 0;
        glyf += glyphRecord(outline, xMin, points);
        contours = std::max(contours, quint32(outline.size()));
        put32(loca, quint32(glyf.size()));
        put16(hmtx, quint32(qRound(i < size_t(advances.size()) ? advances[i].x() : 0)));
        put16(hmtx, quint32(xMin));
    }
    const quint32 count = quint32(glyphs.size() + 1);
    set16(head, 8, 0); // checkSumAdjustment, left at nought
    set16(head, 10, 0);
    set16(head, 50, 1); // long offsets
    set16(hhea, 34, count);
    QByteArray maxp;
    put32(maxp, 0x00010000);
    put16(maxp, count);
    put16(maxp, points);
    put16(maxp, contours);
    for (const quint32 v : {0u, 0u, 2u, 0u, 0u, 0u, 0u, 0u, 0u, 0u, 0u})
        put16(maxp, v);
    QByteArray postScript = post.size() >= 32 ? post.left(32) : QByteArray(32, '\0');
    set16(postScript, 0, 3); // version 3: no glyph names
    set16(postScript, 2, 0);
    std::map<QByteArray, QByteArray> tables{
        {"cmap", cmapTable(map)}, {"glyf", glyf}, {"head", head}, {"hhea", hhea},
        {"hmtx", hmtx},           {"loca", loca}, {"maxp", maxp}, {"name", nameTable(family, style)},
        {"post", postScript}};
    if (os2.size() >= 78)
        tables.emplace("OS/2", os2);
    return sfnt(tables);
}

// A small face: the characters it maps to the glyphs of its face, the numbers those glyphs have in it,
// and the font to draw it with.
struct Small {
    CharacterMap map;
    std::map<quint32, quint32> number;
    QFont font;
};

struct Face {
    QSet<quint32> shared; // glyphs a radical maps to
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

// A small face of font's face holding wanted; none when it cannot be made.
std::optional<Small> smallFace(const QRawFont &font, Face &face, const CharacterMap &wanted)
{
    QMutexLocker lock(&facesLock);
    for (const Small &small : face.smalls)
        if (holds(small.map, wanted))
            return small;
    auto joined = std::find_if(face.smalls.begin(), face.smalls.end(),
                               [&](const Small &small) { return joins(small.map, wanted); });
    Small small{wanted, {}, {}};
    if (joined != face.smalls.end())
        small.map.insert(joined->map.begin(), joined->map.end());
    std::vector<quint32> glyphs;
    CharacterMap numbered;
    for (const auto &[c, glyph] : small.map) {
        glyphs.push_back(glyph);
        small.number[glyph] = quint32(glyphs.size());
        numbered[c] = quint32(glyphs.size());
    }
    static int made = 0;
    const QString family = QStringLiteral("Vennlo Glyphs %1").arg(++made);
    const QString style = font.styleName().isEmpty() ? QStringLiteral("Regular") : font.styleName();
    const QByteArray file = smallFile(font, glyphs, numbered, family, style);
    if (file.isEmpty())
        return std::nullopt;
    const int id = QFontDatabase::addApplicationFontFromData(file);
    if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family))
        return std::nullopt;
    small.font = QFont(family);
    small.font.setWeight(QFont::Weight(font.weight()));
    small.font.setStyle(font.style());
    small.font.setHintingPreference(QFont::PreferNoHinting);
    if (joined != face.smalls.end())
        *joined = small;
    else
        face.smalls.push_back(small);
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
        std::vector<bool> latin(ids.size(), false); // a Latin glyph the text layer names rightly
        for (qsizetype i = 0; i < ids.size() && i < chars.size() && i < own.size(); ++i) {
            const char32_t c = chars[i].unicode();
            if (chars[i].isSurrogate() || ids[i] == 0 || own[i] == 0)
                continue;
            const bool variant = ids[i] != own[i];
            if (!variant && (!face.shared.contains(ids[i]) || isRadical(c))) {
                latin[i] = c < 0x80;
                continue;
            }
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
        // The Latin letters, digits and signs next to them go into the small face too, so that a code
        // like "A-001" stays one run.
        const auto absorb = [&](qsizetype i, qsizetype next) {
            if (!latin[i] || next < 0 || next >= ids.size() || !named[next])
                return;
            if (const auto [where, added] = wanted.try_emplace(chars[i].unicode(), ids[i]);
                added || where->second == ids[i])
                named[i] = true;
        };
        for (qsizetype i = 1; i < ids.size(); ++i)
            absorb(i, i - 1);
        for (qsizetype i = ids.size() - 2; i >= 0; --i)
            absorb(i, i + 1);
        const std::optional<Small> small = smallFace(font, face, wanted);
        const QRawFont smallRaw = small ? rawFontOf(small->font, font.pixelSize()) : QRawFont();
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
            QList<quint32> glyphs = ids.mid(from, to - from);
            if (named[from]) {
                for (quint32 &glyph : glyphs)
                    glyph = small->number.at(glyph);
                piece.setRawFont(smallRaw);
            }
            piece.setGlyphIndexes(glyphs);
            piece.setPositions(positions.mid(from, to - from));
            out.append(piece);
            from = to;
        }
    }
    return out;
}

} // namespace painting
