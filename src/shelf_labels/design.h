#pragma once

#include "common/card_box.h"
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
// field starting at its key's default. Flags are stored as 0 and 1 and only 1 counts as on. Values the
// designer holds as typed text stay text here, so nothing typed is lost.
struct ShelfLabelDesign : common::CardBox {
    std::array<AreaStyle, 7> area; // 0 header, 1 item code, 2 name, 3 price, 4 tax, 5 remarks, 6 price mark
    QString headerColor = keys::HeaderColor.defaultText();
    QString backColor = keys::BackColor.defaultText();
    QString headerText = keys::HeaderText.defaultText();
    bool showHeader = keys::HeaderCheck.defaultNumber() == 1;
    bool cutLine = keys::Line.defaultNumber() == 1; // cut line between the cards
    QString lineColor = keys::LineColor.defaultText();
    QString countW = keys::CountW.defaultText(); // cards per row, as typed
    QString countH = keys::CountH.defaultText(); // rows per page, as typed
    int priceMark = keys::YMark.defaultNumber(); // 0 "¥", 1 "円", 2 none
    bool showItemCode = keys::MakeGN.defaultNumber() == 1;
    bool showRemarks = keys::MakeAlt.defaultNumber() == 1;
    bool showBarcode = keys::MakeBC.defaultNumber() == 1;
    bool showDigits = keys::MakeJN.defaultNumber() == 1; // the barcode's digits
    bool showLogo = keys::MakeLG.defaultNumber() == 1;
    bool reducedMark = keys::MakeKM.defaultNumber() == 1; // "※" after the price of reduced-rate products
    QString logoName;
    QString logoW = keys::LogoW.defaultText(); // pixels, as typed
    QString logoH = keys::LogoH.defaultText(); // pixels, as typed
    QString logoAlign = keys::LogoAlign.defaultText();
    QString borderStyle = keys::BorderStyle.defaultText(); // CSS word
    QString borderWidth = keys::BorderWidth.defaultText(); // points
    QString borderColor = keys::BorderColor.defaultText();
    label_stocks::ChosenStock stock; // the label sheet the cards stand on; none: the free layout

    ShelfLabelDesign();
    bool operator==(const ShelfLabelDesign &) const = default;
};

// Each stored field of the design bound to its key, once for the settings file and the design files
// (the stock has its own reader and writer).
void bindFields(ShelfLabelDesign &design, common::FieldTable &table);

} // namespace shelf_labels
