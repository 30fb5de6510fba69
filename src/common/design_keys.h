#pragma once

#include <QString>

// The keys of the stored designs, each declared once with its default: the settings file, the design
// files, the designs in memory, the built-in designs and the upgrades all take key and default from here.

namespace common {

// One stored key: its section, its name and the text a new file holds, which is also what a value
// that cannot be used falls back to.
struct StoredKey {
    const char *section;
    const char *key;
    const char *defaultValue;
    QString sectionName() const { return QString::fromUtf8(section); }
    QString keyName() const { return QString::fromUtf8(key); }
    QString defaultText() const { return QString::fromUtf8(defaultValue); }
};

namespace keys {

// Shelf-label card size, in millimetres (settings file and ".hdn" files; ".cdn" files keep the
// price tag's size under the same keys).
inline constexpr StoredKey ShelfCardHeightFixed{"CHeight", "S", "0"};
inline constexpr StoredKey ShelfCardHeight{"CHeight", "H", "45"};
inline constexpr StoredKey ShelfCardWidthFixed{"CWidth", "S", "0"};
inline constexpr StoredKey ShelfCardWidth{"CWidth", "W", "60"};

// Price-tag card size, in millimetres (settings file).
inline constexpr StoredKey TagCardHeightFixed{"CCHeight", "S", "0"};
inline constexpr StoredKey TagCardHeight{"CCHeight", "H", "24"};
inline constexpr StoredKey TagCardWidthFixed{"CCWidth", "S", "0"};
inline constexpr StoredKey TagCardWidth{"CCWidth", "W", "30"};

} // namespace keys

} // namespace common
