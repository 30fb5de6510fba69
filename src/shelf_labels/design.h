#pragma once

#include "common/design_keys.h"

#include <QString>

#include <array>

namespace shelf_labels {

// Font, size, style, colour and alignment of one printed item. Sizes carry their unit in memory
// ("20pt", "5mm").
struct AreaStyle {
    QString fontName;
    QString fontSize;
    QString fontStyle; // 通常, 太字, 斜体, 両方
    QString color;     // #RRGGBB; area 6 has none
    QString align;     // 左, 中央, 右; area 6 has none
    bool operator==(const AreaStyle &) const = default;
};

// The shelf-label design as the program holds it (the shelf-label sections of the settings file).
// Values the designer holds as typed text stay text here, so nothing typed is lost.
struct ShelfLabelDesign {
    std::array<AreaStyle, 7> area; // 0 header, 1 item code, 2 name, 3 price, 4 tax, 5 remarks, 6 price mark
    QString headerColor = QStringLiteral("#FF0000");                  // BackColor/H
    QString backColor = QStringLiteral("#FFFFFF");                    // BackColor/B
    QString headerText = QStringLiteral("SALE");                      // Header/string
    int headerCheck = 0;                                              // Header/check
    int line = 1;                                                     // Line/line
    QString lineColor = QStringLiteral("#808080");                    // Line/Color
    QString countW = QStringLiteral("3");                             // Bunkatsu/W, cards per row
    QString countH = QStringLiteral("4");                             // Bunkatsu/H, rows per page
    int yMark = 0;                                                    // YMark/Y
    int makeGN = 0;                                                   // item code printed
    int makeAlt = 0;                                                  // remarks printed
    int makeBC = 1;                                                   // barcode printed
    int makeJN = 1;                                                   // barcode digits printed
    int makeLG = 0;                                                   // logo printed
    QString logoName;                                                 // Logo/Name
    QString logoW = QStringLiteral("0");                              // Logo/W, pixels
    QString logoH = QStringLiteral("0");                              // Logo/H, pixels
    QString logoAlign = QStringLiteral("中央");                       // Logo/Align
    QString borderStyle = QStringLiteral("none");                     // Border/S, CSS word
    QString borderWidth = QStringLiteral("0");                        // Border/W, points
    QString borderColor = QStringLiteral("#FFFFFF");                  // Border/C
    int cardHeightFixed = 0;                                          // CHeight/S
    QString cardHeight = common::keys::ShelfCardHeight.defaultText(); // CHeight/H, mm
    int cardWidthFixed = 0;                                           // CWidth/S
    QString cardWidth = common::keys::ShelfCardWidth.defaultText();   // CWidth/W, mm
    std::array<QString, 4> padding{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                   QStringLiteral("0")}; // CPadding/P0..P3: top, bottom, left, right (mm)
    int layoutType = 0;                                  // Style/M: 0 type A, 1 type B
    int barcodeHeight = 40;                              // JAN/TH, pixels
    int startOffset = 0;                                 // start position − 1 (not stored)

    ShelfLabelDesign();
    bool operator==(const ShelfLabelDesign &) const = default;
};

} // namespace shelf_labels
