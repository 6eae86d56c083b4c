// The start delay's bounds.
#include "settings/StartDelay.h"

namespace qlx {

uint32_t startDelayMilliseconds(int32_t seconds) {
    if (seconds <= 0) return 0;
    if (seconds > kMaxStartDelaySeconds) seconds = kMaxStartDelaySeconds;
    return static_cast<uint32_t>(seconds) * 1000u;
}

} // namespace qlx
