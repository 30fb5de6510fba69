#pragma once

#include "common/design_keys.h"

namespace price_tags::keys {

using K = common::KeyKind;
using B = common::OnBad;
using common::StoredKey;
using common::keys::Gothic;

// The price-tag design (the C-prefixed sections of the settings file; ".cdn" files hold the same
// style and [CMake] keys). Area styles 0 item code, 1 name, 2 price, 3 tax note.
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
// The card box as the settings file holds it (design files hold it under common::keys::card_box).
inline constexpr common::CardBoxKeys Box{CardHeightFixed, CardHeight, CardWidthFixed, CardWidth,
                                         Padding,         LayoutType, BarcodeHeight};
// The settings file and ".cdn" files alike.
inline constexpr common::StockKeys Stock{
    {"CStock", "Name", "", K::TextOrEmpty}, {"CStock", "PW", "0", K::NumberText}, {"CStock", "PH", "0", K::NumberText},
    {"CStock", "LW", "0", K::NumberText},   {"CStock", "LH", "0", K::NumberText}, {"CStock", "C", "0", K::Integer16},
    {"CStock", "R", "0", K::Integer16},     {"CStock", "L", "0", K::NumberText},  {"CStock", "T", "0", K::NumberText},
    {"CStock", "DX", "0", K::NumberText},   {"CStock", "DY", "0", K::NumberText}};

} // namespace price_tags::keys
