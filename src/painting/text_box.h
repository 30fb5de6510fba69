#pragma once

// Text as a page's table cell shows it: one face (family, size, weight, slant, colour), wrapped at
// the cell's width where the browser would break, each line aligned left, centre or right, lines
// "line-height: normal" apart.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;
class QTextLine;

namespace painting {

struct TextFace {
    QString family;
    double sizePx = 16; // CSS pixels
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
};

// The face of a style sheet's "font:" shorthand pieces: the style word (通常, 太字, 斜体, 両方), the
// size ("20pt", "5mm") and the family. A size the style sheet cannot take leaves the browser's
// default face (16 px), as the page shows it.
TextFace faceOf(const QString &styleWord, const QString &size, const QString &family, const QString &color,
                const QString &alignWord);
// "左" / "中央" / "右" (and the CSS words) as an alignment; left for anything else.
Qt::Alignment alignOf(const QString &word);

// Measures and draws faces for one device. Fonts and their metrics are made once per face.
class TextPen {
public:
    explicit TextPen(QPaintDevice *device);
    // The font to set on a painter whose unit is the CSS pixel.
    QFont font(const TextFace &face) const;
    // CSS "line-height: normal": the rounded ascent plus the rounded descent, as the browser takes it.
    double lineHeight(const TextFace &face) const;
    double ascent(const TextFace &face) const;
    // The widest unbroken line of text (max-content width).
    double width(const TextFace &face, const QString &text) const;
    // The widest piece of text between two places a line may break (min-content width).
    double minWidth(const TextFace &face, const QString &text) const;
    // The lines text breaks into at width.
    int lineCount(const TextFace &face, const QString &text, double width) const;
    double height(const TextFace &face, const QString &text, double width) const
    {
        return text.isEmpty() ? 0 : lineCount(face, text, width) * lineHeight(face);
    }
    // Draws text from the top of box, wrapped at the box's width and aligned in it; returns the height
    // used. lineShift, when given, moves each line down by its own amount (a line pushed past the
    // paper's edge).
    double draw(QPainter &painter, const QRectF &box, const TextFace &face, const QString &text,
                const std::vector<double> *lineShift = nullptr) const;

private:
    // A line shaped into glyph runs from the layout's top left; ascent is the layout's baseline.
    struct ShapedLine {
        QList<QGlyphRun> runs;
        double ascent = 0;
        double width = 0;   // as drawn
        double measure = 0; // as the web engine lays it out
    };
    const ShapedLine &shaped(const TextFace &face, const QString &text) const;
    // The lines (each trimmed) text breaks into at width; only for text wider than width.
    const QList<QString> &wrapped(const TextFace &face, const QString &text, double width) const;
    void drawLine(QPainter &painter, const QPointF &baseline, const TextFace &face, const QString &text) const;
    struct Resolved {
        QString family;
        double sizePx;
        bool bold, italic;
        QFont font;
        QFontMetricsF metrics;
        double ascent, lineHeight;
        double fit; // the size asked for over the size the font engine gives
        // A slanted face whose font has no italic of its own: its upright glyphs (shapes, the upright
        // font) are drawn under the web engine's shear instead of the PDF writer's steeper one. Lines
        // still break as the slanted font breaks them, its overhang counted.
        bool sheared = false;
        QFont shapes;
        // The texts measured and drawn last, each shaped once: a card's texts are measured for its
        // columns, its lines and its alignment, then drawn, and shaping is the costliest part of a
        // sheet. Two generations: when the newer fills it becomes the older, and a text found in the
        // older is brought back, so that the pieces every card shares (a card's words, the characters
        // a Japanese line may break between) outlive a list of distinct names.
        QHash<QString, ShapedLine> lines, older;
        // A wrapped text is measured for its row and then drawn: its lines are found once, at the
        // width kept beside them.
        struct Wrapped {
            double width;
            QList<QString> lines;
        };
        QHash<QString, Wrapped> wraps;
        // The widths of the pieces texts are measured in (words, Japanese letters), shared by all.
        QHash<QString, double> pieces;
        // For each font the shaper used, what each glyph's advance as the web engine takes it adds to the
        // font engine's (which comes in 64ths of a pixel at a whole pixel size, short by as much as a
        // 64th a glyph: a pixel on a long line, and a whole pixel more or less in a cell's width).
        struct Exact {
            QRawFont font, fine;
            QHash<quint32, double> gain;
        };
        std::vector<Exact> exact;
    };
    // Designs have a handful of faces: a short list searched in order is all the cache needs.
    Resolved &resolve(const TextFace &face) const;
    double pieceWidth(Resolved &r, const QString &piece) const;
    // A line's advance with each glyph's advance as the web engine takes it, kerning kept.
    double exactAdvance(Resolved &r, const QTextLine &line) const;
    QPaintDevice *device_;
    double dpi_;
    mutable std::vector<Resolved> faces_;
};

} // namespace painting
