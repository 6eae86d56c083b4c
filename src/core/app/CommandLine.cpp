// Command-line rules of the first and the second start.
#include "app/CommandLine.h"

#include "Text.h"

namespace qlx {

StartOptions parseStartOptions(const std::vector<std::string>& args) {
    StartOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string arg = lowerAscii(args[i]);
        if (arg == "-a" || arg == "-auto") {
            options.startedAutomatically = true;
        } else if (arg == "-noinitmessage") {
            options.noInitMessage = true;
        } else if (arg == "-m" || arg == "-minimize") {
            options.minimizeAtStart = true;
        } else if (arg == "-startdelay") {
            if (i + 1 >= args.size()) break;
            ++i; // the delay is never taken as an option, number or not
            if (auto n = parseInteger(args[i]); n && *n != 0) {
                if (uint32_t ms = startDelayMilliseconds(*n)) options.delaysMs.push_back(ms);
            }
        }
        // "-c", "-compact", "-clipboard", "-help" and other words: no effect here.
    }
    return options;
}

uint16_t forwardedCommandFromArgs(const std::vector<std::string>& args) {
    if (args.size() == 2 && lowerAscii(args[0]) == "-help") {
        auto n = parseInteger(args[1]);
        if (!n || *n == 0) return kForwardShow;
        return static_cast<uint16_t>(static_cast<uint32_t>(*n) & 0xFFFFu);
    }
    for (const auto& arg : args)
        if (lowerAscii(arg) == "-clipboard") return kForwardLookupClipboard;
    return kForwardShow;
}

} // namespace qlx
