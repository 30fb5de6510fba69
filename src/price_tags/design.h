#pragma once

#include "label_stocks/chosen_stock.h"
#include "price_tags/design_keys.h"

#include <QString>

#include <array>

namespace price_tags {

// The price-tag design as the program holds it (the C-prefixed sections of the settings file), each
// field starting at its key's default.
struct PriceTagDesign {
    // Area styles 0 item code, 1 name, 2 price, 3 tax note. Sizes carry their unit ("9pt", "5mm").
    std::array<QString, 4> fontName;
    std::array<QString, 4> fontSize;
    std::array<QString, 4> fontStyle;
    std::array<QString, 4> fontColor;
    std::array<QString, 4> fontAlign;
    int hb = keys::MakeHB.defaultNumber();     // item code printed
    int hm = keys::MakeHM.defaultNumber();     // name printed
    int ym = keys::MakeYM.defaultNumber();     // price mark 0 \, 1 円, 2 none
    int zk = keys::MakeZK.defaultNumber();     // tax note printed
    int zw = keys::MakeZW.defaultNumber();     // two-tier price
    int km = keys::MakeKM.defaultNumber();     // "※" after the price of reduced-rate products
    int jc = keys::MakeJC.defaultNumber();     // barcode printed
    int jn = keys::MakeJN.defaultNumber();     // barcode digits printed
    int line = keys::MakeLine.defaultNumber(); // ruled line
    QString lineColor = keys::LineColor.defaultText();
    int lg = keys::MakeLG.defaultNumber(); // logo printed
    int pr = keys::MakePR.defaultNumber(); // kept, not consulted
    int countW = keys::CountW.defaultNumber();
    int countH = keys::CountH.defaultNumber();
    QString logoName;
    int logoW = keys::LogoW.defaultNumber();
    int logoH = keys::LogoH.defaultNumber();
    QString logoAlign = keys::LogoAlign.defaultText();
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
    label_stocks::ChosenStock stock;                         // the label sheet the tags stand on; none: the free layout

    PriceTagDesign();
    bool operator==(const PriceTagDesign &) const = default;
};

} // namespace price_tags
