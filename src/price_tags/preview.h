#pragma once

#include "price_tags/design.h"
#include "price_tags/sheet.h"

namespace price_tags {

QString cprevFileName(); // "cprev.html"

// MakeCPrevHtml: one card of the design with the fixed sample product, the lines of cprev.html.
PageLines MakeCPrevHtml(const PriceTagDesign &design);

} // namespace price_tags
