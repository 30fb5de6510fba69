#include "products/product.h"

#include <algorithm>

namespace products {

ProductList rowsForMakers(const ProductList &all)
{
    const bool anyChecked = std::any_of(all.begin(), all.end(), [](const Product &p) { return p.checked; });
    if (!anyChecked)
        return all;
    ProductList out;
    for (const Product &p : all) {
        if (p.checked)
            out.append(p);
    }
    return out;
}

qsizetype rowCountForMakers(const ProductList &all)
{
    const auto checked = std::count_if(all.begin(), all.end(), [](const Product &p) { return p.checked; });
    return checked > 0 ? qsizetype(checked) : all.size();
}

} // namespace products
