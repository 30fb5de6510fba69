#pragma once

#include <QString>

#include <array>

// The keys of the stored designs, each declared once with its default and kind: the settings file,
// the design files, the designs in memory, the built-in designs and the upgrades all take key and
// default from here.

namespace common {

// What a stored value is, which decides the check it must pass when it is read.
enum class KeyKind : unsigned char {
    Byte,        // whole number 0-255 (flags, option indexes)
    Integer16,   // whole number of 16 bits
    Integer32,   // whole number of 32 bits
    Decimal,     // a fixed-point decimal (the tax rate)
    NumberText,  // a number kept as its text (sizes in millimetres, paddings, border width)
    Color,       // "#RRGGBB"
    FontSize,    // a number with an optional unit "pt" or "mm"
    FontName,    // a font family that can stand inside quotes in a style sheet
    BorderWord,  // one of the CSS border words of the designer
    Text,        // any text; empty means the default
    TextOrEmpty, // any text, the empty text included (header text, file paths)
};

// What a value that fails its check costs besides taking the default: Report names the key in the
// reader's report (a missing or empty value too), ReportUnlessEmpty only a value that is there,
// Quiet never (values with a stated fallback for anything but a number).
enum class OnBad : unsigned char { Report, ReportUnlessEmpty, Quiet };

// One stored key: its section, its name, the text a new file holds (which is also what a value that
// cannot be used falls back to), its kind and what a bad value costs.
struct StoredKey {
    const char *section;
    const char *key;
    const char *defaultValue;
    KeyKind kind = KeyKind::Text;
    OnBad onBad = OnBad::Quiet;

    QString sectionName() const { return QString::fromUtf8(section); }
    QString keyName() const { return QString::fromUtf8(key); }
    QString defaultText() const { return QString::fromUtf8(defaultValue); }
    // "[Section] key", as reports name a key.
    QString displayName() const { return QLatin1Char('[') + sectionName() + QStringLiteral("] ") + keyName(); }
    // The default of a whole-number key.
    constexpr int defaultNumber() const
    {
        int n = 0;
        bool negative = false;
        for (const char *c = defaultValue; *c; ++c) {
            if (*c == '-')
                negative = true;
            else
                n = n * 10 + (*c - '0');
        }
        return negative ? -n : n;
    }
};

// True when text passes the check of the key's kind (for TextOrEmpty and Text anything does).
bool fitsKind(KeyKind kind, const QString &text);

// The label stock a design prints on, stored with its geometry (millimetres) so that a design prints
// the same on a machine whose catalogue lacks the stock. Older versions ignore the section.
struct StockKeys {
    StoredKey name; // "BRAND:PART"; empty: no stock, the free layout
    StoredKey pageWidth;
    StoredKey pageHeight;
    StoredKey labelWidth;
    StoredKey labelHeight;
    StoredKey columns;
    StoredKey rows;
    StoredKey left; // page edge to the first label
    StoredKey top;
    StoredKey pitchX; // one label's left edge to the next one's
    StoredKey pitchY;
};

// The card box of a design: card size, paddings, layout and barcode height. Each maker stores it under
// its own sections with its own defaults.
struct CardBoxKeys {
    StoredKey heightFixed;
    StoredKey height; // millimetres
    StoredKey widthFixed;
    StoredKey width;                  // millimetres
    std::array<StoredKey, 4> padding; // top, bottom, left, right, in millimetres
    StoredKey layoutType;             // 0 type A, 1 type B
    StoredKey barcodeHeight;          // pixels
};

namespace keys {

using K = KeyKind;
using B = OnBad;

inline constexpr const char *Gothic = "ＭＳ Ｐゴシック";

// The card box of a design file: card size, paddings and layout. The settings file keeps them for one
// maker under these sections; design files of every maker hold them here.
namespace card_box {
// Card size in millimetres.
inline constexpr StoredKey CardHeightFixed{"CHeight", "S", "0", K::Byte, B::Report};
inline constexpr StoredKey CardHeight{"CHeight", "H", "45", K::NumberText};
inline constexpr StoredKey CardWidthFixed{"CWidth", "S", "0", K::Byte, B::Report};
inline constexpr StoredKey CardWidth{"CWidth", "W", "60", K::NumberText};
// Files of older versions hold one padding for all four sides.
inline constexpr StoredKey PaddingAll{"CPadding", "P", "0", K::NumberText};
// Top, bottom, left, right, in millimetres.
inline constexpr std::array<StoredKey, 4> Padding{{
    {"CPadding", "P0", "0", K::NumberText},
    {"CPadding", "P1", "0", K::NumberText},
    {"CPadding", "P2", "0", K::NumberText},
    {"CPadding", "P3", "0", K::NumberText},
}};
inline constexpr StoredKey LayoutType{"Style", "M", "0", K::Byte, B::ReportUnlessEmpty};
} // namespace card_box

// The printer's shift, measured on the calibration page, in tenths of a millimetre (right and down
// positive). Applied to the PDF and the print, never to a design.
namespace calibration {
inline constexpr StoredKey OffsetX{"Calibration", "X", "0", K::Integer16, B::ReportUnlessEmpty};
inline constexpr StoredKey OffsetY{"Calibration", "Y", "0", K::Integer16, B::ReportUnlessEmpty};
} // namespace calibration

} // namespace keys

} // namespace common
