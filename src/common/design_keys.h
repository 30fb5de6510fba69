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

namespace keys {

using K = KeyKind;
using B = OnBad;

inline constexpr const char *Gothic = "ＭＳ Ｐゴシック";

// The shelf-label design (settings file and ".hdn" files). Area styles 0 header, 1 item code, 2 name,
// 3 price, 4 tax, 5 remarks, 6 price mark; 6 has no colour and no alignment.
namespace shelf {
inline constexpr std::array<StoredKey, 7> FontName{{
    {"FontName", "0", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"FontName", "1", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"FontName", "2", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"FontName", "3", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"FontName", "4", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"FontName", "5", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"FontName", "6", Gothic, K::FontName, B::ReportUnlessEmpty},
}};
// Stored without "pt"; in memory a point size carries its unit.
inline constexpr std::array<StoredKey, 7> FontSize{{
    {"FontSize", "0", "20", K::FontSize, B::ReportUnlessEmpty},
    {"FontSize", "1", "12", K::FontSize, B::ReportUnlessEmpty},
    {"FontSize", "2", "12", K::FontSize, B::ReportUnlessEmpty},
    {"FontSize", "3", "34", K::FontSize, B::ReportUnlessEmpty},
    {"FontSize", "4", "12", K::FontSize, B::ReportUnlessEmpty},
    {"FontSize", "5", "12", K::FontSize, B::ReportUnlessEmpty},
    {"FontSize", "6", "34", K::FontSize, B::ReportUnlessEmpty},
}};
inline constexpr std::array<StoredKey, 7> FontStyle{{
    {"FontStyle", "0", "太字"},
    {"FontStyle", "1", "通常"},
    {"FontStyle", "2", "太字"},
    {"FontStyle", "3", "太字"},
    {"FontStyle", "4", "通常"},
    {"FontStyle", "5", "通常"},
    {"FontStyle", "6", "太字"},
}};
inline constexpr std::array<StoredKey, 6> FontColor{{
    {"FontColor", "0", "#FFFFFF", K::Color, B::ReportUnlessEmpty},
    {"FontColor", "1", "#000000", K::Color, B::ReportUnlessEmpty},
    {"FontColor", "2", "#000000", K::Color, B::ReportUnlessEmpty},
    {"FontColor", "3", "#FF0000", K::Color, B::ReportUnlessEmpty},
    {"FontColor", "4", "#000000", K::Color, B::ReportUnlessEmpty},
    {"FontColor", "5", "#000000", K::Color, B::ReportUnlessEmpty},
}};
inline constexpr std::array<StoredKey, 6> FontAlign{{
    {"FontAlign", "0", "中央"},
    {"FontAlign", "1", "左"},
    {"FontAlign", "2", "左"},
    {"FontAlign", "3", "中央"},
    {"FontAlign", "4", "右"},
    {"FontAlign", "5", "左"},
}};
inline constexpr StoredKey HeaderColor{"BackColor", "H", "#FF0000", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey BackColor{"BackColor", "B", "#FFFFFF", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey HeaderText{"Header", "string", "SALE", K::TextOrEmpty};
inline constexpr StoredKey HeaderCheck{"Header", "check", "0", K::Byte, B::Report};
inline constexpr StoredKey Line{"Line", "line", "1", K::Byte, B::Report};
inline constexpr StoredKey LineColor{"Line", "Color", "#808080", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey CountW{"Bunkatsu", "W", "3", K::Integer16, B::Report};
inline constexpr StoredKey CountH{"Bunkatsu", "H", "4", K::Integer16, B::Report};
inline constexpr StoredKey YMark{"YMark", "Y", "0", K::Byte, B::Report};
inline constexpr StoredKey MakeGN{"Make", "GN", "0", K::Byte};
inline constexpr StoredKey MakeAlt{"Make", "Alt", "0", K::Byte};
inline constexpr StoredKey MakeBC{"Make", "BC", "1", K::Byte};
inline constexpr StoredKey MakeJN{"Make", "JN", "1", K::Byte};
inline constexpr StoredKey MakeLG{"Make", "LG", "0", K::Byte};
// "※" after the price of a product taxed at the reduced rate.
inline constexpr StoredKey MakeKM{"Make", "KM", "0", K::Byte};
inline constexpr StoredKey LogoName{"Logo", "Name", "", K::TextOrEmpty};
inline constexpr StoredKey LogoW{"Logo", "W", "0", K::Integer32};
inline constexpr StoredKey LogoH{"Logo", "H", "0", K::Integer32};
inline constexpr StoredKey LogoAlign{"Logo", "Align", "中央"};
inline constexpr StoredKey BorderStyle{"Border", "S", "none", K::BorderWord, B::ReportUnlessEmpty};
inline constexpr StoredKey BorderWidth{"Border", "W", "0", K::NumberText};
inline constexpr StoredKey BorderColor{"Border", "C", "#FFFFFF", K::Color, B::ReportUnlessEmpty};
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
inline constexpr StoredKey BarcodeHeight{"JAN", "TH", "40", K::Integer16};
inline constexpr StockKeys Stock{
    {"Stock", "Name", "", K::TextOrEmpty}, {"Stock", "PW", "0", K::NumberText}, {"Stock", "PH", "0", K::NumberText},
    {"Stock", "LW", "0", K::NumberText},   {"Stock", "LH", "0", K::NumberText}, {"Stock", "C", "0", K::Integer16},
    {"Stock", "R", "0", K::Integer16},     {"Stock", "L", "0", K::NumberText},  {"Stock", "T", "0", K::NumberText},
    {"Stock", "DX", "0", K::NumberText},   {"Stock", "DY", "0", K::NumberText}};
} // namespace shelf

// The price-tag design (the C-prefixed sections of the settings file; ".cdn" files hold the same
// style and [CMake] keys). Area styles 0 item code, 1 name, 2 price, 3 tax note.
namespace tag {
inline constexpr std::array<StoredKey, 4> FontName{{
    {"CFontName", "0", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"CFontName", "1", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"CFontName", "2", Gothic, K::FontName, B::ReportUnlessEmpty},
    {"CFontName", "3", Gothic, K::FontName, B::ReportUnlessEmpty},
}};
inline constexpr std::array<StoredKey, 4> FontSize{{
    {"CFontSize", "0", "9", K::FontSize, B::ReportUnlessEmpty},
    {"CFontSize", "1", "9", K::FontSize, B::ReportUnlessEmpty},
    {"CFontSize", "2", "12", K::FontSize, B::ReportUnlessEmpty},
    {"CFontSize", "3", "9", K::FontSize, B::ReportUnlessEmpty},
}};
inline constexpr std::array<StoredKey, 4> FontStyle{{
    {"CFontStyle", "0", "通常"},
    {"CFontStyle", "1", "通常"},
    {"CFontStyle", "2", "太字"},
    {"CFontStyle", "3", "通常"},
}};
inline constexpr std::array<StoredKey, 4> FontColor{{
    {"CFontColor", "0", "#000000", K::Color, B::ReportUnlessEmpty},
    {"CFontColor", "1", "#000000", K::Color, B::ReportUnlessEmpty},
    {"CFontColor", "2", "#000000", K::Color, B::ReportUnlessEmpty},
    {"CFontColor", "3", "#000000", K::Color, B::ReportUnlessEmpty},
}};
inline constexpr std::array<StoredKey, 4> FontAlign{{
    {"CFontAlign", "0", "左"},
    {"CFontAlign", "1", "左"},
    {"CFontAlign", "2", "中央"},
    {"CFontAlign", "3", "左"},
}};
inline constexpr StoredKey MakeLG{"CMake", "LG", "0", K::Byte, B::Report};
inline constexpr StoredKey MakeHB{"CMake", "HB", "0", K::Byte, B::Report};
inline constexpr StoredKey MakeHM{"CMake", "HM", "1", K::Byte, B::Report};
// PR is kept but not consulted by the maker.
inline constexpr StoredKey MakePR{"CMake", "PR", "1", K::Byte};
inline constexpr StoredKey MakeYM{"CMake", "YM", "1", K::Byte, B::Report};
inline constexpr StoredKey MakeZK{"CMake", "ZK", "1", K::Byte, B::Report};
inline constexpr StoredKey MakeJC{"CMake", "JC", "1", K::Byte, B::Report};
inline constexpr StoredKey MakeJN{"CMake", "JN", "1", K::Byte, B::Report};
inline constexpr StoredKey MakeLine{"CMake", "Line", "1", K::Byte, B::Report};
inline constexpr StoredKey MakeZW{"CMake", "ZW", "0", K::Byte, B::ReportUnlessEmpty};
// "※" after the price of a product taxed at the reduced rate.
inline constexpr StoredKey MakeKM{"CMake", "KM", "0", K::Byte};
inline constexpr StoredKey LineColor{"CMake", "LC", "#808080", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey CountW{"CBun", "W", "5", K::Integer16, B::Report};
inline constexpr StoredKey CountH{"CBun", "H", "9", K::Integer16, B::Report};
inline constexpr StoredKey LogoName{"CLogo", "Name", "", K::TextOrEmpty};
inline constexpr StoredKey LogoW{"CLogo", "W", "0", K::Integer32, B::Report};
inline constexpr StoredKey LogoH{"CLogo", "H", "0", K::Integer32, B::Report};
inline constexpr StoredKey LogoAlign{"CLogo", "Align", "中央"};
// Card size in millimetres (settings file; ".cdn" files keep it under the shelf label's keys).
inline constexpr StoredKey CardHeightFixed{"CCHeight", "S", "0", K::Byte, B::ReportUnlessEmpty};
inline constexpr StoredKey CardHeight{"CCHeight", "H", "24", K::NumberText};
inline constexpr StoredKey CardWidthFixed{"CCWidth", "S", "0", K::Byte, B::ReportUnlessEmpty};
inline constexpr StoredKey CardWidth{"CCWidth", "W", "30", K::NumberText};
inline constexpr std::array<StoredKey, 4> Padding{{
    {"CCPadding", "P0", "0", K::NumberText},
    {"CCPadding", "P1", "0", K::NumberText},
    {"CCPadding", "P2", "0", K::NumberText},
    {"CCPadding", "P3", "0", K::NumberText},
}};
inline constexpr StoredKey LayoutType{"Style", "C", "0", K::Byte, B::ReportUnlessEmpty};
inline constexpr StoredKey BarcodeHeight{"JAN", "CH", "40", K::Integer16};
// The settings file and ".cdn" files alike.
inline constexpr StockKeys Stock{
    {"CStock", "Name", "", K::TextOrEmpty}, {"CStock", "PW", "0", K::NumberText}, {"CStock", "PH", "0", K::NumberText},
    {"CStock", "LW", "0", K::NumberText},   {"CStock", "LH", "0", K::NumberText}, {"CStock", "C", "0", K::Integer16},
    {"CStock", "R", "0", K::Integer16},     {"CStock", "L", "0", K::NumberText},  {"CStock", "T", "0", K::NumberText},
    {"CStock", "DX", "0", K::NumberText},   {"CStock", "DY", "0", K::NumberText}};
} // namespace tag

// The printer's shift, measured on the calibration page, in tenths of a millimetre (right and down
// positive). Applied to the PDF and the print, never to a design.
namespace calibration {
inline constexpr StoredKey OffsetX{"Calibration", "X", "0", K::Integer16, B::ReportUnlessEmpty};
inline constexpr StoredKey OffsetY{"Calibration", "Y", "0", K::Integer16, B::ReportUnlessEmpty};
} // namespace calibration

// The ledger options.
namespace ledger {
inline constexpr StoredKey RowsPerPage{"DC", "LIP", "12", K::Integer16};
inline constexpr StoredKey LineColor{"DC", "LC", "#000000", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey BackColor{"DC", "BC", "#FFFF00", K::Color, B::ReportUnlessEmpty};
inline constexpr StoredKey PageNumbers{"DC", "PN", "0", K::Byte};
inline constexpr StoredKey FontName{"DC", "FN", Gothic, K::FontName, B::ReportUnlessEmpty};
inline constexpr StoredKey FontSize{"DC", "FS", "11", K::Integer16};
inline constexpr StoredKey Padding{"DC", "PD", "2", K::Integer16};
inline constexpr StoredKey BarcodeHeight{"JAN", "DH", "40", K::Integer16};
} // namespace ledger

// The tax settings; [Tax] Style and Zeikomi are also stored in ".hdn" files.
namespace tax {
inline constexpr StoredKey Style{"Tax", "Style", "2", K::Byte, B::Report};
inline constexpr StoredKey Rate{"Tax", "Tax", "0.05", K::Decimal, B::Report};
inline constexpr StoredKey Indicate{"Tax", "Indicate", "0", K::Byte, B::Report};
inline constexpr StoredKey Zeikomi{"Tax", "Zeikomi", "1", K::Byte, B::Report};
inline constexpr StoredKey KS{"Tax", "KS", "0", K::Byte};
// The reduced rate of food, drink and newspapers; files of older versions lack it.
inline constexpr StoredKey ReducedRate{"Tax", "ReducedTax", "0.08", K::Decimal, B::ReportUnlessEmpty};
} // namespace tax

// The names the makers use for the card sizes.
inline constexpr const StoredKey &ShelfCardHeightFixed = shelf::CardHeightFixed;
inline constexpr const StoredKey &ShelfCardHeight = shelf::CardHeight;
inline constexpr const StoredKey &ShelfCardWidthFixed = shelf::CardWidthFixed;
inline constexpr const StoredKey &ShelfCardWidth = shelf::CardWidth;
inline constexpr const StoredKey &TagCardHeightFixed = tag::CardHeightFixed;
inline constexpr const StoredKey &TagCardHeight = tag::CardHeight;
inline constexpr const StoredKey &TagCardWidthFixed = tag::CardWidthFixed;
inline constexpr const StoredKey &TagCardWidth = tag::CardWidth;

} // namespace keys

} // namespace common
