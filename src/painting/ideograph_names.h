#pragma once

// A PDF's text layer names each glyph by the first character its face's character map gives it, and
// the Japanese faces map the CJK radicals (U+2E80 to U+2FDF) to the glyphs of the ideographs they look
// like: "長" would be copied out of a sheet as "⻑" and "入" as "⼊". A run holding such a glyph is
// drawn in a copy of its face whose character map leaves the radicals out, so that each glyph is
// named by its ideograph.

#include <QGlyphRun>
#include <QStringView>

namespace painting {

// The run (shaped from text) in that copy of its face, where the run needs it and text itself has no
// radical; otherwise, or when no copy can be made, the run as it is.
void nameIdeographs(QGlyphRun &run, QStringView text);

} // namespace painting
