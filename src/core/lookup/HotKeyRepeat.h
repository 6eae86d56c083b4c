// One lookup per press of the shortcut: a system that repeats the hot key while its keys are
// held (the hot-key service may ignore the no-repeat flag) has its repeats dropped until the
// key is let go.
#pragma once

#include <cstdint>

namespace qlx {

class HotKeyRepeatFilter {
public:
    // Longer than any pause between a held key's repeats: the system's longest keyboard delay
    // before the first repeat is one second. A hot key after such a pause is a new press even
    // when the release was never seen.
    static constexpr uint64_t kRepeatGapMs = 1500;

    // The hot key arrived at nowMs (a clock that only moves forward): true for a new press,
    // which is acted on; false for a repeat of the press still held.
    bool hotKey(uint64_t nowMs);
    // The window layer saw the shortcut's key up.
    void released() { held_ = false; }
    // Whether the window layer should keep watching for the release: a press is held and a
    // repeat of it may still come.
    bool watching(uint64_t nowMs) const { return held_ && nowMs - lastMs_ <= kRepeatGapMs; }

private:
    bool held_ = false;
    uint64_t lastMs_ = 0; // the last hot key, acted on or dropped
};

} // namespace qlx
