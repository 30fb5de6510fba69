#pragma once

// A PDF's text layer names each glyph by the first character its face's character map gives it, and
// its reader ends a glyph where the face's width of the glyph ends. Two kinds of glyph come out wrong:
// - a glyph the shaper put in for a character whose own glyph in the character map is another one: a
//   Japanese face draws the digits of "B-101" with glyphs of their own (wider and a hair lower than the
//   character map's), which no character maps to, so that they are left out of the text layer; drawn
//   as the character map's glyphs at the shaper's places, they would end short of the next glyph and a
//   bold face's code would be read as "B-1 01";
// - a glyph the character map also gives to a CJK radical (U+2E80 to U+2FDF): "長" would be read as "⻑"
//   and "入" as "⼊".
// Such glyphs are drawn in a small face of their own: a TrueType font made of their outlines and widths
// alone, with the heights and weight of their face, whose character map gives each glyph the character
// it was shaped for.

#include <QGlyphRun>
#include <QList>
#include <QStringView>

namespace painting {

// The runs (shaped from text, their glyphs one for one for its characters in their order) with each
// such glyph in a run of the small face; the runs as they are where no small face can be made.
QList<QGlyphRun> namedRuns(const QList<QGlyphRun> &runs, QStringView text);

} // namespace painting
