// The one scale rule: the window tables and every fixed pixel number are written at 96 DPI
// (100 %) and turned into device pixels for a window's DPI here. Positions, mouse points and
// work areas already are device pixels and are never scaled.
#pragma once

#include <cstdint>

namespace qlx {

inline constexpr int32_t kDesignDpi = 96;

// value x dpi / 96, rounded to the nearest pixel with halves away from zero, as the system's
// MulDiv rounds. A DPI of 0 or less (a failed query) counts as 96; a result beyond 32 bits
// stops at the largest value.
int32_t scaled(int32_t value, int32_t dpi);

} // namespace qlx
