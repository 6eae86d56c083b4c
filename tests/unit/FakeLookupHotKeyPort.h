// A LookupHotKeyPort over a clock the test sets: registrations answer from onHotKey (or are
// all granted), the retry timer and the tips are recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "lookup/LookupHotKeyKeeper.h"

class FakeLookupHotKeyPort : public qlx::LookupHotKeyPort {
public:
    // on false: unregistering.
    std::function<bool(uint16_t, bool)> onHotKey;
    uint64_t clock = 0;
    uint32_t timer = 0;      // its period while it runs
    uint64_t timerSince = 0; // when it was last started
    std::vector<std::string> tips;
    int problemsPosted = 0;
    bool grabAllowed = true;

    bool registerLookupHotKey(uint16_t h) override { return !onHotKey || onHotKey(h, true); }
    void unregisterLookupHotKey() override {
        if (onHotKey) onHotKey(0, false);
    }
    uint64_t clockMs() override { return clock; }
    void startHotKeyTimer(uint32_t ms) override { timer = ms, timerSince = clock; }
    void stopHotKeyTimer() override { timer = 0; }
    std::string shortcutText(uint16_t h) override { return h == 24643 ? "Ctrl+Shift+C" : "?"; }
    void trayTipChanged(const std::string& tip) override { tips.push_back(tip); }
    void postHotKeyProblem() override { ++problemsPosted; }
    bool keyGrabAllowed() override { return grabAllowed; }
};
