#include "shelf_labels/design.h"

namespace shelf_labels {

ShelfLabelDesign::ShelfLabelDesign() : common::CardBox(keys::Box)
{
    for (std::size_t i = 0; i < area.size(); ++i) {
        AreaStyle &a = area[i];
        a.fontName = keys::FontName[i].defaultText();
        a.fontSize = keys::FontSize[i].defaultText() + QStringLiteral("pt");
        a.fontStyle = keys::FontStyle[i].defaultText();
        if (i < keys::FontColor.size()) {
            a.color = keys::FontColor[i].defaultText();
            a.align = keys::FontAlign[i].defaultText();
        }
    }
}

void bindFields(ShelfLabelDesign &d, common::FieldTable &t)
{
    for (std::size_t i = 0; i < d.area.size(); ++i) {
        AreaStyle &a = d.area[i];
        t.bind(keys::FontName[i], a.fontName);
        t.bind(keys::FontSize[i], a.fontSize);
        t.bind(keys::FontStyle[i], a.fontStyle);
        if (i < keys::FontColor.size()) {
            t.bind(keys::FontColor[i], a.color);
            t.bind(keys::FontAlign[i], a.align);
        }
    }
    t.bind(keys::HeaderColor, d.headerColor);
    t.bind(keys::BackColor, d.backColor);
    t.bind(keys::HeaderText, d.headerText);
    t.bind(keys::HeaderCheck, d.showHeader);
    t.bind(keys::Line, d.cutLine);
    t.bind(keys::LineColor, d.lineColor);
    t.bind(keys::CountW, d.countW);
    t.bind(keys::CountH, d.countH);
    t.bind(keys::YMark, d.priceMark);
    t.bind(keys::MakeGN, d.showItemCode);
    t.bind(keys::MakeAlt, d.showRemarks);
    t.bind(keys::MakeBC, d.showBarcode);
    t.bind(keys::MakeJN, d.showDigits);
    t.bind(keys::MakeLG, d.showLogo);
    t.bind(keys::MakeKM, d.reducedMark);
    t.bind(keys::LogoName, d.logoName);
    t.bind(keys::LogoW, d.logoW);
    t.bind(keys::LogoH, d.logoH);
    t.bind(keys::LogoAlign, d.logoAlign);
    t.bind(keys::BorderStyle, d.borderStyle);
    t.bind(keys::BorderWidth, d.borderWidth);
    t.bind(keys::BorderColor, d.borderColor);
    common::bindFields(d, keys::Box, t);
}

} // namespace shelf_labels
