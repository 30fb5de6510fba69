#pragma once

#include "common/design_keys.h"

namespace shelf_labels::keys {

using K = common::KeyKind;
using B = common::OnBad;
using common::StoredKey;
using common::keys::Gothic;

// The shelf-label design (settings file and ".hdn" files). Area styles 0 header, 1 item code, 2 name,
// 3 price, 4 tax, 5 remarks, 6 price mark; 6 has no colour and no alignment.
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
inline constexpr StoredKey BarcodeHeight{"JAN", "TH", "40", K::Integer16};
inline constexpr common::StockKeys Stock{
    {"Stock", "Name", "", K::TextOrEmpty}, {"Stock", "PW", "0", K::NumberText}, {"Stock", "PH", "0", K::NumberText},
    {"Stock", "LW", "0", K::NumberText},   {"Stock", "LH", "0", K::NumberText}, {"Stock", "C", "0", K::Integer16},
    {"Stock", "R", "0", K::Integer16},     {"Stock", "L", "0", K::NumberText},  {"Stock", "T", "0", K::NumberText},
    {"Stock", "DX", "0", K::NumberText},   {"Stock", "DY", "0", K::NumberText}};

// The card box, stored under the sections a design file holds it in.
inline constexpr const StoredKey &CardHeightFixed = common::keys::card_box::CardHeightFixed;
inline constexpr const StoredKey &CardHeight = common::keys::card_box::CardHeight;
inline constexpr const StoredKey &CardWidthFixed = common::keys::card_box::CardWidthFixed;
inline constexpr const StoredKey &CardWidth = common::keys::card_box::CardWidth;
inline constexpr const StoredKey &PaddingAll = common::keys::card_box::PaddingAll;
inline constexpr const auto &Padding = common::keys::card_box::Padding;
inline constexpr const StoredKey &LayoutType = common::keys::card_box::LayoutType;
inline constexpr common::CardBoxKeys Box{CardHeightFixed, CardHeight, CardWidthFixed, CardWidth,
                                         Padding,         LayoutType, BarcodeHeight};
} // namespace shelf_labels::keys
