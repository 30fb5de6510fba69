#pragma once

#include "platform/apperror.h"
#include "shelf_labels/window_values.h"

#include <QString>

namespace shelf_labels {

// Labels of the error reports of the two file commands.
inline QString writeDesignLabel()
{
    return QStringLiteral("frmTanafuda.WriteDesign");
}
inline QString readDesignLabel()
{
    return QStringLiteral("frmTanafuda.ReadDesign");
}

// Writes the values into the ".hdn" file at path, creating it when missing and keeping every key it
// does not write. A new file gets its sections and keys in the order the designer has always written
// them. False with error set when the file cannot be read or written, or holds a character that
// Shift_JIS cannot store (the previous file then stays as it was).
bool WriteDesign(const WindowValues &values, const QString &path, platform::AppError *error = nullptr);

struct DesignRead {
    WindowValues values; // start values overwritten by every key read so far
    bool fileFound = false;
    platform::AppError error; // set when reading stopped at a key that must be a number
    // Set (type mismatch naming the keys, "[FontName] 2, [FontSize] 0") when font names or sizes that
    // could not stand in a page's style sheet took the type A values; the read went on.
    platform::AppError replaced;
};

// Reads the ".hdn" file at path over the given values. A missing file changes nothing and is no
// failure. The older single padding key, a missing logo switch, unknown border words and missing
// sizes fall back as the designer always did; a missing or non-numeric value of one of the keys the
// designer takes as a number without a fallback stops the reading there, with error set and the
// values read up to that key kept. The logo picture itself is not touched: that is the window's.
DesignRead ReadDesign(const QString &path, const WindowValues &start = SetDefaultA());

// "#" and six upper-case hexadecimal digits, as a colour swatch gives back any colour text: letters of
// either case are taken, every other or missing character counts as 0.
QString normalizedColorText(const QString &text);

} // namespace shelf_labels
