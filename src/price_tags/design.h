#pragma once

#include "common/design_keys.h"

#include <QString>

#include <array>

namespace price_tags {

// The price-tag design as the program holds it (the C-prefixed sections of the settings file).
struct PriceTagDesign {
    // Area styles 0 item code, 1 name, 2 price, 3 tax note. Sizes carry their unit ("9pt", "5mm").
    std::array<QString, 4> fontName;
    std::array<QString, 4> fontSize;
    std::array<QString, 4> fontStyle;
    std::array<QString, 4> fontColor;
    std::array<QString, 4> fontAlign;
    int hb = 0;                                                     // CMake/HB item code printed
    int hm = 1;                                                     // CMake/HM name printed
    int ym = 1;                                                     // CMake/YM price mark 0 \, 1 円, 2 none
    int zk = 1;                                                     // CMake/ZK tax note printed
    int zw = 0;                                                     // CMake/ZW two-tier price
    int jc = 1;                                                     // CMake/JC barcode printed
    int jn = 1;                                                     // CMake/JN barcode digits printed
    int line = 1;                                                   // CMake/Line ruled line
    QString lineColor = QStringLiteral("#808080");                  // CMake/LC
    int lg = 0;                                                     // CMake/LG logo printed
    int pr = 1;                                                     // CMake/PR (kept, not consulted)
    int countW = 5;                                                 // CBun/W
    int countH = 9;                                                 // CBun/H
    QString logoName;                                               // CLogo/Name
    int logoW = 0;                                                  // CLogo/W
    int logoH = 0;                                                  // CLogo/H
    QString logoAlign = QStringLiteral("中央");                     // CLogo/Align
    int cardHeightFixed = 0;                                        // CCHeight/S
    QString cardHeight = common::keys::TagCardHeight.defaultText(); // CCHeight/H, mm
    int cardWidthFixed = 0;                                         // CCWidth/S
    QString cardWidth = common::keys::TagCardWidth.defaultText();   // CCWidth/W, mm
    std::array<QString, 4> padding{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                   QStringLiteral("0")}; // CCPadding/P0..P3: top, bottom, left, right
    int layoutType = 0;                                  // Style/C: 0 type A, 1 type B
    int barcodeHeight = 40;                              // JAN/CH
    int startOffset = 0;                                 // start position − 1 (not stored)

    PriceTagDesign();
    bool operator==(const PriceTagDesign &) const = default;
};

} // namespace price_tags
