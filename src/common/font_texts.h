#pragma once

#include <QString>

namespace common {

// The font style texts of the designers as CSS font-shorthand prefixes: "通常" → "normal normal normal ",
// "太字" → "normal normal bold ", "斜体" → "italic normal normal ", "両方" → "italic normal bold ";
// the empty text for anything else.
QString cssFontPrefix(const QString &fontStyle);
// "左" → "left", "中央" → "center", "右" → "right"; the empty text for anything else.
QString cssAlign(const QString &align);

} // namespace common
