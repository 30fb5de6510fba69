#pragma once

#include "price_tags/design.h"
#include "price_tags/sheet.h"

namespace price_tags {

QString cprevFileName(); // "cprev.html"

// MakeCPrevHtml: one card of the design with the fixed sample product, the lines of cprev.html.
PageLines MakeCPrevHtml(const PriceTagDesign &design);

// What the preview card says, in reading order, for assistive technology: the item code, name,
// price with its mark, tax note and JAN digits that the design prints.
QStringList previewCardTexts(const PriceTagDesign &design);

} // namespace price_tags
