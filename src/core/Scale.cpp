// The one scale rule from 96-DPI numbers to device pixels.
#include "Scale.h"

namespace qlx {

int32_t scaled(int32_t value, int32_t dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    const int64_t product = int64_t{value} * dpi;
    const int64_t rounded =
        product >= 0 ? (product * 2 + kDesignDpi) / (2 * kDesignDpi)
                     : (product * 2 - kDesignDpi) / (2 * kDesignDpi);
    if (rounded > INT32_MAX) return INT32_MAX;
    if (rounded < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(rounded);
}

} // namespace qlx
