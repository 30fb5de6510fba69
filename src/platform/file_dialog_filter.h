#pragma once

#include <QString>

namespace platform {

// The program writes a file-dialog filter as one entry "label|patterns" with the patterns separated
// by ";" ("画像ファイル(GIF,JPG,BMP)|*.gif;*.bmp;*.jpg;*.jpeg"); Qt wants "label (patterns)" with
// the patterns separated by blanks. A text without "|" is taken as patterns alone.
QString qtNameFilter(const QString &entry);

// The patterns of an entry as Qt lists them, e.g. "*.gif *.bmp".
QString filterPatterns(const QString &entry);

// A file name typed without an extension receives the default one; a name with any extension keeps it.
QString withDefaultExtension(const QString &path, const QString &extension);

} // namespace platform
