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

} // namespace products
