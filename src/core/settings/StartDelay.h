// The start delay, from the settings file's "StartDelay" or the command line's "-startdelay":
// seconds, bounded so that a typing slip cannot stall the program for days.
#pragma once

#include <cstdint>

namespace qlx {

// The longest start delay honoured, in seconds; longer ones are cut to this.
inline constexpr int32_t kMaxStartDelaySeconds = 3600;

// Start delays are seconds; negative ones wait not at all, and anything above an hour is
// cut to an hour.
uint32_t startDelayMilliseconds(int32_t seconds);

} // namespace qlx
