#include "painting/text_box.h"

#include "painting/glyph_names.h"
#include "painting/units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace painting {

namespace {

// The slant the web engine gives a face that has no italic: a quarter of the height above the
// baseline. Qt's PDF writer would slant such a face by 0.3, a millimetre apart at a large price.
constexpr double SyntheticSlant = 0.25;

// Whether the face the font resolves to has an italic or oblique style of its own.
bool hasOwnItalic(const QFont &font)
{
    const QString family = QFontInfo(font).family();
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(),
                       [&](const QString &style) { return QFontDatabase::italic(family, style); });
}

// Whether c is a Japanese letter (kana, ideograph, full-width form), which the web engine measures by
// itself: the face's pairs ("ティ", a pixel narrower at 9pt kerned) are not kerned in its widths.
bool japanese(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFFEF) || c >= 0x20000;
}

} // namespace

Qt::Alignment alignOf(const QString &word)
{
    if (word == QStringLiteral("中央") || word == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (word == QStringLiteral("右") || word == QStringLiteral("右揃え") || word == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

TextFace faceOf(const QString &styleWord, const QString &size, const QString &family, const QString &color,
                const QString &alignWord)
{
    TextFace f;
    f.align = alignOf(alignWord);
    if (QColor c(color); c.isValid())
        f.color = c;
    const auto px = cssLengthPx(size);
    if (!px)
        return f;
    f.sizePx = *px;
    f.family = family;
    f.bold = styleWord == QStringLiteral("太字") || styleWord == QStringLiteral("両方");
    f.italic = styleWord == QStringLiteral("斜体") || styleWord == QStringLiteral("両方");
    return f;
}

TextPen::TextPen(QPaintDevice *device) : device_(device), dpi_(device ? device->logicalDpiY() : 96) {}

TextPen::Resolved &TextPen::resolve(const TextFace &face) const
{
    for (Resolved &r : faces_) {
        if (r.sizePx == face.sizePx && r.bold == face.bold && r.italic == face.italic && r.family == face.family)
            return r;
    }
    // Text that names no face takes the sans-serif face, as the pages' web engine and browsers draw it.
    QFont f(face.family.isEmpty() ? QStringLiteral("sans-serif") : face.family);
    // The painter's unit is the CSS pixel: the point size is taken at the device's resolution and
    // then scaled again by the painter, so it is given here in device points per CSS pixel.
    f.setPointSizeF(face.sizePx * PtPerInch / dpi_);
    f.setBold(face.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    const QFont upright = f;
    f.setItalic(face.italic);
    const bool sheared = face.italic && !hasOwnItalic(upright);
    // At that size the device's metrics are already in CSS pixels.
    const QFontMetricsF m(f, device_);
    double ascent = m.ascent(), descent = m.descent(), gap = 0;
    // The browser takes a line's height from the face's own horizontal header (ascender, descender
    // and line gap, each rounded to whole pixels); the font engine's metrics of a bold face may differ
    // from it by a pixel.
    const QRawFont raw = QRawFont::fromFont(f);
    const QByteArray hhea = raw.fontTable("hhea");
    if (hhea.size() >= 10 && raw.unitsPerEm() > 0) {
        const double unit = face.sizePx / raw.unitsPerEm();
        ascent = qFromBigEndian<qint16>(hhea.constData() + 4) * unit;
        descent = -qFromBigEndian<qint16>(hhea.constData() + 6) * unit;
        gap = qFromBigEndian<qint16>(hhea.constData() + 8) * unit;
    }
    const double asc = std::round(ascent);
    // The font engine gives a face whole pixels (34pt, 45.33 px, comes as 45 px), the browser the exact
    // size: what the engine lays out is scaled by fit to the size asked for.
    const auto givenSize = [&](const QFont &font) {
        QTextLayout probe(QStringLiteral("0"), font, device_);
        probe.beginLayout();
        probe.createLine();
        probe.endLayout();
        const QList<QGlyphRun> runs = probe.glyphRuns();
        return runs.isEmpty() ? 0.0 : runs.first().rawFont().pixelSize();
    };
    const double given = givenSize(f);
    const double fit = given > 0 ? face.sizePx / given : 1;
    Resolved r{face.family, face.sizePx,           face.bold, face.italic, f,  m,  asc, 0, fit,
               sheared,     sheared ? upright : f, {},        {},          {}, {}, {}};
    r.lineHeight = asc + std::round(descent) + std::round(gap);
    faces_.push_back(std::move(r));
    return faces_.back();
}

QFont TextPen::font(const TextFace &face) const
{
    return resolve(face).font;
}

double TextPen::ascent(const TextFace &face) const
{
    return resolve(face).ascent;
}

double TextPen::lineHeight(const TextFace &face) const
{
    return resolve(face).lineHeight;
}

double TextPen::width(const TextFace &face, const QString &text) const
{
    // Shaped once for its width and its drawing alike.
    return shaped(face, text).measure;
}

namespace {

constexpr char16_t WordJoiner = 0x2060;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The page's web engine keeps a number whole ("1,029", "3.5", "12/31"), as the line-breaking rules
// ask; Qt's line breaker lets a line end after the comma of a number that starts the text, and a
// price column would be laid out too narrow for its price. text with a word joiner after each
// separator between two digits, so that no line breaks there; the text itself when it has none (or
// holds a word joiner of its own).
QString numbersJoined(const QString &text)
{
    if (text.size() < 3 || text.contains(QChar(WordJoiner)))
        return text;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        out.append(c);
        if (i > 0 && i + 1 < text.size() && isDigit(text.at(i - 1)) && isDigit(text.at(i + 1)) &&
            (c == u',' || c == u'.' || c == u':' || c == u'/')) {
            if (out.size() == i + 1)
                out.reserve(text.size() + 8);
            out.append(QChar(WordJoiner));
        }
    }
    return out.size() == text.size() ? text : out;
}

// A piece of the joined text as a piece of text.
QString unjoined(QString piece, bool joined)
{
    if (joined)
        piece.remove(QChar(WordJoiner));
    return piece;
}

// Lays text out at width (CSS pixels) in device units of the font; calls each line.
template <typename Each>
int layOut(const QFont &font, QPaintDevice *device, const QString &text, double widthInFont, Each each)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    int n = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(widthInFont);
        each(line, n);
        ++n;
    }
    layout.endLayout();
    return n;
}

} // namespace

namespace {

// The glyph runs of a line in the order of its characters, neighbouring runs of one face joined. A
// text of Latin and Japanese letters in a Latin face has runs of the face and of its fallback, each
// over its own characters.
QList<QGlyphRun> runsInOrder(const QTextLine &line)
{
    QList<QGlyphRun> runs;
    for (const QGlyphRun &run : line.glyphRuns()) {
        if (!runs.isEmpty() && runs.last().rawFont() == run.rawFont() && runs.last().flags() == run.flags()) {
            QGlyphRun &last = runs.last();
            last.setGlyphIndexes(last.glyphIndexes() + run.glyphIndexes());
            last.setPositions(last.positions() + run.positions());
            last.setBoundingRect(last.boundingRect().united(run.boundingRect()));
            continue;
        }
        runs.append(run);
    }
    return runs;
}

} // namespace

namespace {

// A glyph's advance as the web engine's font library gives it at sizePx: the size cut to 64ths of a
// pixel, the scale (16.16) and the advance (in 65536ths of a pixel) each rounded. It stands a hair off
// the exact advance (a 24pt ideograph, 32 px, comes as 32.00006 px; a 16pt one, 21.333 px, as
// 21.328 px), and the engine's table layout rounds a cell's width up to the next whole pixel: text of
// exactly 32 px takes a cell 33 px wide.
double linearAdvance(double units, int unitsPerEm, double sizePx)
{
    if (unitsPerEm <= 0)
        return 0;
    const qint64 size = qint64(float(sizePx) * 64.f);
    const qint64 scale = (size * 65536 + unitsPerEm / 2) / unitsPerEm;
    const qint64 u = qint64(units);
    const qint64 advance = u >= 0 ? (u * scale + 32) / 64 : -((-u * scale + 32) / 64);
    return double(advance) / 65536;
}

// Where the web engine measures text in pieces: a space by itself, a hyphen with what stands before it,
// each Japanese letter by itself. No pair is kerned across such a place ("B-CD"), and a piece of digits
// alone ("B-101", "No. 5") is measured with the digits of no script, narrower in a Mincho face than the
// Latin ones the letters before them give (and that the engine still draws). The ends of the pieces;
// the text's length alone when it is one piece.
QList<qsizetype> pieceEnds(const QString &text)
{
    QList<qsizetype> ends;
    const auto end = [&](qsizetype at) {
        if (at > 0 && (ends.isEmpty() || ends.last() != at))
            ends.append(at);
    };
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const qsizetype n = pair ? 2 : 1;
        if (c == U' ' || c == U'\t' || japanese(c)) {
            end(i);
            end(i + n);
        } else if (c == U'-') {
            end(i + n);
        }
        i += n;
    }
    end(text.size());
    return ends;
}

} // namespace

double TextPen::exactAdvance(Resolved &r, const QTextLine &line) const
{
    double advance = line.horizontalAdvance();
    for (const QGlyphRun &run : line.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        auto font = std::find_if(r.exact.begin(), r.exact.end(), [&](const auto &e) { return e.font == raw; });
        if (font == r.exact.end()) {
            r.exact.push_back({raw, raw, {}});
            font = r.exact.end() - 1;
            // At a pixel an em unit, the font's own advances in its units.
            font->fine.setPixelSize(raw.unitsPerEm());
        }
        const QList<quint32> glyphs = run.glyphIndexes();
        QList<quint32> missing;
        for (const quint32 g : glyphs)
            if (!font->gain.contains(g))
                missing.append(g);
        if (!missing.isEmpty()) {
            const QList<QPointF> units = font->fine.advancesForGlyphIndexes(missing, QRawFont::UseDesignMetrics);
            const QList<QPointF> engine = raw.advancesForGlyphIndexes(missing);
            for (qsizetype i = 0; i < missing.size() && i < units.size() && i < engine.size(); ++i) {
                const double web = linearAdvance(std::round(units[i].x()), int(raw.unitsPerEm()), r.sizePx);
                font->gain.insert(missing[i], web / r.fit - engine[i].x());
            }
        }
        for (const quint32 g : glyphs)
            advance += font->gain.value(g);
    }
    return advance;
}

double TextPen::pieceWidth(Resolved &r, const QString &piece) const
{
    if (const auto known = r.pieces.constFind(piece); known != r.pieces.constEnd())
        return *known;
    if (r.pieces.size() >= 4096)
        r.pieces.clear();
    QTextLayout layout(piece, r.shapes, device_);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return *r.pieces.insert(piece, line.isValid() ? exactAdvance(r, line) * r.fit : 0);
}

const TextPen::ShapedLine &TextPen::shaped(const TextFace &face, const QString &text) const
{
    Resolved &r = resolve(face);
    if (const auto known = r.lines.constFind(text); known != r.lines.constEnd())
        return *known;
    if (r.lines.size() >= 1024) {
        r.older = std::move(r.lines);
        r.lines.clear();
    }
    if (const auto old = r.older.constFind(text); old != r.older.constEnd())
        return *r.lines.insert(text, *old);
    // Japanese letters are drawn unkerned, where the web engine draws them (a text with them is drawn
    // unkerned whole: its Latin pairs move a hair, its words stay in place).
    const bool withJapanese =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate() || japanese(c.unicode()); });
    QFont font = r.shapes;
    if (withJapanese)
        font.setKerning(false);
    QTextLayout layout(text, font, device_);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedLine shapedLine;
    if (line.isValid())
        shapedLine = ShapedLine{runsInOrder(line), line.ascent() * r.fit, line.horizontalAdvance() * r.fit, 0};
    if (std::abs(r.fit - 1) > 1e-9) {
        for (QGlyphRun &run : shapedLine.runs) {
            QRawFont exact = run.rawFont();
            exact.setPixelSize(exact.pixelSize() * r.fit);
            QList<QPointF> at = run.positions();
            for (QPointF &p : at)
                p *= r.fit;
            run.setRawFont(exact);
            run.setPositions(at);
        }
    }
    // The PDF writer names a glyph in its text layer by the character the face's own character map
    // gives it: glyphs the shaper put in for a character (a face of Japanese and Latin letters draws
    // the digits of "A-001" with glyphs of their own) and glyphs a radical shares are drawn in a small
    // face that names them, wherever the glyphs stand one for one for the characters (no ligature, no
    // surrogate pair) in the characters' order (left to right).
    qsizetype glyphs = 0;
    bool inOrder = true;
    for (const QGlyphRun &run : std::as_const(shapedLine.runs)) {
        glyphs += run.glyphIndexes().size();
        inOrder = inOrder && !(run.flags() & QGlyphRun::RightToLeft);
    }
    if (glyphs == text.size() && inOrder)
        shapedLine.runs = namedRuns(shapedLine.runs, text);
    // The width the web engine lays the text out at: the sum of its pieces, each shaped by itself
    // (and kept for the texts to come), while the line is drawn as shaped whole.
    if (const QList<qsizetype> ends = pieceEnds(text); ends.size() == 1) {
        shapedLine.measure = line.isValid() ? exactAdvance(r, line) * r.fit : 0;
    } else {
        double sum = 0;
        qsizetype from = 0;
        for (const qsizetype end : ends) {
            sum += pieceWidth(r, text.mid(from, end - from));
            from = end;
        }
        shapedLine.measure = sum;
    }
    return *r.lines.insert(text, shapedLine);
}

void TextPen::drawLine(QPainter &painter, const QPointF &baseline, const TextFace &face, const QString &text) const
{
    const ShapedLine &line = shaped(face, text);
    const bool sheared = resolve(face).sheared;
    if (sheared) {
        // Sheared about the baseline, so that every glyph keeps its place on it.
        painter.save();
        painter.translate(0, baseline.y());
        painter.shear(-SyntheticSlant, 0);
        painter.translate(0, -baseline.y());
    }
    const QPointF origin(baseline.x(), baseline.y() - line.ascent);
    for (const QGlyphRun &run : line.runs)
        painter.drawGlyphRun(origin, run);
    if (sheared)
        painter.restore();
}

const QList<QString> &TextPen::wrapped(const TextFace &face, const QString &text, double width) const
{
    Resolved &r = resolve(face);
    if (const auto known = r.wraps.constFind(text); known != r.wraps.constEnd() && known->width == width)
        return known->lines;
    if (r.wraps.size() > 512)
        r.wraps.clear();
    Resolved::Wrapped w{width, {}};
    const QString laid = numbersJoined(text);
    const bool joined = laid.size() != text.size();
    // Laid out at the engine's size: the width is taken back by fit.
    layOut(r.font, device_, laid, width / r.fit, [&](QTextLine &line, int) {
        w.lines.append(unjoined(laid.mid(line.textStart(), line.textLength()).trimmed(), joined));
    });
    return r.wraps.insert(text, std::move(w))->lines;
}

double TextPen::minWidth(const TextFace &face, const QString &text) const
{
    // Japanese text breaks between any two characters; spaces at a piece's end hang.
    const QString laid = numbersJoined(text);
    const bool joined = laid.size() != text.size();
    double widest = 0;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, laid);
    qsizetype from = 0;
    while (breaks.toNextBoundary() > 0) {
        const qsizetype to = breaks.position();
        qsizetype end = to;
        while (end > from && laid.at(end - 1) == QLatin1Char(' '))
            --end;
        if (end > from)
            widest = std::max(
                widest, width(face, end - from == laid.size() ? text : unjoined(laid.mid(from, end - from), joined)));
        from = to;
    }
    return widest;
}

int TextPen::lineCount(const TextFace &face, const QString &text, double width) const
{
    if (text.isEmpty())
        return 0;
    if (this->width(face, text) <= width + 0.01)
        return 1;
    return int(wrapped(face, text, width).size());
}

double TextPen::draw(QPainter &painter, const QRectF &box, const TextFace &face, const QString &text,
                     const std::vector<double> *lineShift) const
{
    if (text.isEmpty())
        return 0;
    const double lh = lineHeight(face);
    const double asc = ascent(face);
    painter.setPen(face.color);
    auto xFor = [&](double w) {
        if (face.align & Qt::AlignHCenter)
            return box.left() + (box.width() - w) / 2;
        if (face.align & Qt::AlignRight)
            return box.right() - w;
        return box.left();
    };
    const double whole = width(face, text);
    if (whole <= box.width() + 0.01) {
        const double shift = lineShift && !lineShift->empty() ? lineShift->front() : 0;
        drawLine(painter, QPointF(xFor(whole), box.top() + shift + asc), face, text);
        return lh;
    }
    // Wrapped: each line is drawn by itself so that it takes the painter's CSS-pixel unit.
    double y = box.top();
    size_t i = 0;
    for (const QString &shown : wrapped(face, text, box.width())) {
        const double shift = lineShift && i < lineShift->size() ? (*lineShift)[i] : 0;
        drawLine(painter, QPointF(xFor(width(face, shown)), y + shift + asc), face, shown);
        y += lh;
        ++i;
    }
    return y - box.top();
}

} // namespace painting
