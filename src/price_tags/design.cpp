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

} // namespace price_tags
