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

} // namespace shelf_labels
