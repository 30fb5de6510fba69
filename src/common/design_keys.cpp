#include "common/design_keys.h"

#include "common/style_values.h"
#include "platform/numbers.h"

#include <cmath>
#include <limits>

namespace common {

namespace {

bool wholeNumberIn(const QString &text, qint64 min, qint64 max)
{
    const auto v = platform::toWholeNumber(text);
    return v && *v >= min && *v <= max;
}

// A CSS keyword: lower-case ASCII letters only, so it can end nothing in a style sheet. Which words
// the card border knows is the makers' business.
bool isCssWord(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c.unicode() < u'a' || c.unicode() > u'z')
            return false;
    }
    return true;
}

} // namespace

bool fitsKind(KeyKind kind, const QString &text)
{
    switch (kind) {
    case KeyKind::Byte:
        return wholeNumberIn(text, 0, 255);
    case KeyKind::Integer16:
        return wholeNumberIn(text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    case KeyKind::Integer32:
        return wholeNumberIn(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    case KeyKind::Decimal: {
        const auto v = platform::numericValue(text);
        return v && std::fabs(*v) < 1e14;
    }
    case KeyKind::NumberText:
        return platform::isNumeric(text);
    case KeyKind::Color:
        return isColorText(text);
    case KeyKind::FontSize:
        return isFontSizeText(text);
    case KeyKind::FontName:
        return isSafeFontName(text);
    case KeyKind::BorderWord:
        return isCssWord(text);
    case KeyKind::Text:
    case KeyKind::TextOrEmpty:
        return true;
    }
    return false;
}

} // namespace common
