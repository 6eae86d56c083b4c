// The command line at a first start (the main window's options) and at a second start
// (the command word forwarded to the running instance).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/StartDelay.h"

namespace qlx {

// Command words a second start sends to the running instance.
inline constexpr uint16_t kForwardShow = 0;
inline constexpr uint16_t kForwardLookupClipboard = 0xFFFF;

struct StartOptions {
    bool startedAutomatically = false; // "-a", "-auto"
    bool noInitMessage = false;        // "-noinitmessage"
    bool minimizeAtStart = false;      // "-m", "-minimize"
    // One entry per "-startdelay n" with n a number other than 0, in milliseconds, in the
    // order given; each is slept there and then.
    std::vector<uint32_t> delaysMs;
};

// Reads the user's words (argument 1 to N, without the program file) at a first start.
StartOptions parseStartOptions(const std::vector<std::string>& args);

// The command word a second start forwards (argument 1 to N, without the program file).
uint16_t forwardedCommandFromArgs(const std::vector<std::string>& args);

} // namespace qlx
