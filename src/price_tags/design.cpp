#include "price_tags/design.h"

namespace price_tags {

PriceTagDesign::PriceTagDesign() : common::CardBox(keys::Box)
{
    for (std::size_t i = 0; i < fontName.size(); ++i) {
        fontName[i] = keys::FontName[i].defaultText();
        fontSize[i] = keys::FontSize[i].defaultText() + QStringLiteral("pt");
        fontStyle[i] = keys::FontStyle[i].defaultText();
        fontColor[i] = keys::FontColor[i].defaultText();
        fontAlign[i] = keys::FontAlign[i].defaultText();
    }
}

void bindFields(PriceTagDesign &d, common::FieldTable &t)
{
    t.bind(keys::FontName, d.fontName);
    t.bind(keys::FontSize, d.fontSize);
    t.bind(keys::FontStyle, d.fontStyle);
    t.bind(keys::FontColor, d.fontColor);
    t.bind(keys::FontAlign, d.fontAlign);
    t.bind(keys::MakeHB, d.showItemCode);
    t.bind(keys::MakeHM, d.showName);
    t.bind(keys::MakeYM, d.priceMark);
    t.bind(keys::MakeZK, d.showTaxNote);
    t.bind(keys::MakeZW, d.twoTier);
    t.bind(keys::MakeKM, d.reducedMark);
    t.bind(keys::MakeJC, d.showBarcode);
    t.bind(keys::MakeJN, d.showDigits);
    t.bind(keys::MakeLine, d.ruledLine);
    t.bind(keys::LineColor, d.lineColor);
    t.bind(keys::MakeLG, d.showLogo);
    t.bind(keys::MakePR, d.keptPR);
    t.bind(keys::CountW, d.countW);
    t.bind(keys::CountH, d.countH);
    t.bind(keys::LogoName, d.logoName);
    t.bind(keys::LogoW, d.logoW);
    t.bind(keys::LogoH, d.logoH);
    t.bind(keys::LogoAlign, d.logoAlign);
    common::bindFields(d, keys::Box, t);
}

} // namespace price_tags
