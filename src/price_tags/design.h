#pragma once

#include "common/card_box.h"
#include "label_stocks/chosen_stock.h"
#include "price_tags/design_keys.h"

#include <QString>

#include <array>

namespace price_tags {

// The price-tag design as the program holds it (the C-prefixed sections of the settings file), each
// field starting at its key's default. Flags are stored as 0 and 1 and only 1 counts as on.
struct PriceTagDesign : common::CardBox {
    // Area styles 0 item code, 1 name, 2 price, 3 tax note. Sizes carry their unit ("9pt", "5mm").
    std::array<QString, 4> fontName;
    std::array<QString, 4> fontSize;
    std::array<QString, 4> fontStyle;
    std::array<QString, 4> fontColor;
    std::array<QString, 4> fontAlign;
    bool showItemCode = keys::MakeHB.defaultNumber() == 1;
    bool showName = keys::MakeHM.defaultNumber() == 1;
    int priceMark = keys::MakeYM.defaultNumber(); // 0 "¥" mark, 1 "円", 2 none
    bool showTaxNote = keys::MakeZK.defaultNumber() == 1;
    bool twoTier = keys::MakeZW.defaultNumber() == 1;     // price before and after tax
    bool reducedMark = keys::MakeKM.defaultNumber() == 1; // "※" after the price of reduced-rate products
    bool showBarcode = keys::MakeJC.defaultNumber() == 1;
    bool showDigits = keys::MakeJN.defaultNumber() == 1; // the barcode's digits
    bool ruledLine = keys::MakeLine.defaultNumber() == 1;
    QString lineColor = keys::LineColor.defaultText();
    bool showLogo = keys::MakeLG.defaultNumber() == 1;
    int keptPR = keys::MakePR.defaultNumber(); // stored as read, not consulted
    int countW = keys::CountW.defaultNumber();
    int countH = keys::CountH.defaultNumber();
    QString logoName;
    int logoW = keys::LogoW.defaultNumber();
    int logoH = keys::LogoH.defaultNumber();
    QString logoAlign = keys::LogoAlign.defaultText();
    label_stocks::ChosenStock stock; // the label sheet the tags stand on; none: the free layout

    PriceTagDesign();
    bool operator==(const PriceTagDesign &) const = default;
};

// Each stored field of the design bound to its settings key, once for the settings reader and writer
// (the stock has its own reader and writer).
void bindFields(PriceTagDesign &design, common::FieldTable &table);

} // namespace price_tags
