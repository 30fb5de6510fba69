#pragma once

#include "label_stocks/chosen_stock.h"
#include "shelf_labels/design_keys.h"

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

// The shelf-label design as the program holds it (the shelf-label sections of the settings file), each
// field starting at its key's default. Values the designer holds as typed text stay text here, so
// nothing typed is lost.
struct ShelfLabelDesign {
    std::array<AreaStyle, 7> area; // 0 header, 1 item code, 2 name, 3 price, 4 tax, 5 remarks, 6 price mark
    QString headerColor = keys::HeaderColor.defaultText();
    QString backColor = keys::BackColor.defaultText();
    QString headerText = keys::HeaderText.defaultText();
    int headerCheck = keys::HeaderCheck.defaultNumber();
    int line = keys::Line.defaultNumber(); // cut line between the cards
    QString lineColor = keys::LineColor.defaultText();
    QString countW = keys::CountW.defaultText(); // cards per row
    QString countH = keys::CountH.defaultText(); // rows per page
    int yMark = keys::YMark.defaultNumber();
    int makeGN = keys::MakeGN.defaultNumber();   // item code printed
    int makeAlt = keys::MakeAlt.defaultNumber(); // remarks printed
    int makeBC = keys::MakeBC.defaultNumber();   // barcode printed
    int makeJN = keys::MakeJN.defaultNumber();   // barcode digits printed
    int makeLG = keys::MakeLG.defaultNumber();   // logo printed
    int makeKM = keys::MakeKM.defaultNumber();   // "※" after the price of reduced-rate products
    QString logoName;
    QString logoW = keys::LogoW.defaultText(); // pixels
    QString logoH = keys::LogoH.defaultText(); // pixels
    QString logoAlign = keys::LogoAlign.defaultText();
    QString borderStyle = keys::BorderStyle.defaultText(); // CSS word
    QString borderWidth = keys::BorderWidth.defaultText(); // points
    QString borderColor = keys::BorderColor.defaultText();
    int cardHeightFixed = keys::CardHeightFixed.defaultNumber();
    QString cardHeight = keys::CardHeight.defaultText(); // mm
    int cardWidthFixed = keys::CardWidthFixed.defaultNumber();
    QString cardWidth = keys::CardWidth.defaultText(); // mm
    // Top, bottom, left, right (mm).
    std::array<QString, 4> padding{keys::Padding[0].defaultText(), keys::Padding[1].defaultText(),
                                   keys::Padding[2].defaultText(), keys::Padding[3].defaultText()};
    int layoutType = keys::LayoutType.defaultNumber();       // 0 type A, 1 type B
    int barcodeHeight = keys::BarcodeHeight.defaultNumber(); // pixels
    int startOffset = 0;                                     // start position − 1 (not stored)
    label_stocks::ChosenStock stock; // the label sheet the cards stand on; none: the free layout

    ShelfLabelDesign();
    bool operator==(const ShelfLabelDesign &) const = default;
};

} // namespace shelf_labels
