// Telling a press of the shortcut from the repeats of a held one.
#include "lookup/HotKeyRepeat.h"

namespace qlx {

bool HotKeyRepeatFilter::hotKey(uint64_t nowMs) {
    const bool repeat = held_ && nowMs - lastMs_ <= kRepeatGapMs;
    lastMs_ = nowMs;
    held_ = true;
    return !repeat;
}

} // namespace qlx
