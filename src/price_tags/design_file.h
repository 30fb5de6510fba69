#pragma once

#include "platform/apperror.h"
#include "platform/profile_file.h"
#include "price_tags/window_values.h"

#include <QString>

namespace price_tags {

// WriteCDesign: the controls into a ".cdn" profile, in the order the sections first appear in a new
// file. Keys the program does not write are left as they are.
void WriteCDesign(const WindowValues &form, platform::ProfileFile &file);
// The same into the file at path (read first so its other keys survive), saved atomically.
platform::AppError WriteCDesign(const WindowValues &form, const QString &path);

struct CDesignRead {
    WindowValues form;        // the controls after the read (as far as it got)
    platform::AppError error; // set when a key stopped the read; the steps before it were applied
    QString stoppedAt;        // "[CMake] HB" etc., empty when the read went through
    // Set (type mismatch naming the keys, "[CFontName] 2, [CFontSize] 0") when font names or sizes
    // that could not stand in a page's style sheet took the type A values; the read went on.
    platform::AppError replaced;
};

// ReadCDesign: a ".cdn" profile into the controls, starting from their current values.
CDesignRead ReadCDesign(const platform::ProfileFile &file, const WindowValues &current);
// The same from the file at path; a missing file changes nothing.
CDesignRead ReadCDesign(const QString &path, const WindowValues &current);

} // namespace price_tags
