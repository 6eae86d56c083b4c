// Keeps the lookup shortcut registered: another program may hold it for a while (programs
// that start together at logon race for it), so a refused shortcut stays the user's choice and
// is tried again quietly until it can be had. The tray icon's tip tells which state it is in.
#pragma once

#include <cstdint>
#include <string>

namespace qlx {

// What keeping the shortcut needs of the window layer.
class LookupHotKeyPort {
public:
    virtual ~LookupHotKeyPort() = default;
    // Registers the shortcut as the program's hot key; true when the system agreed.
    virtual bool registerLookupHotKey(uint16_t shortcut) = 0;
    virtual void unregisterLookupHotKey() = 0;
    // A clock in milliseconds that only moves forward.
    virtual uint64_t clockMs() = 0;
    // Starts (or restarts) the retry timer with this period; the window layer then calls
    // LookupHotKeyKeeper::retryTimer each time it fires.
    virtual void startHotKeyTimer(uint32_t periodMs) = 0;
    virtual void stopHotKeyTimer() = 0;
    // The shortcut as the user reads it ("Ctrl+Shift+C").
    virtual std::string shortcutText(uint16_t shortcut) = 0;
    // The tray icon's tip changed; the icon, when there is one, shows the new text.
    virtual void trayTipChanged(const std::string& tip) = 0;
    // The start-up problem message (with its hint to the settings window) is due; it is
    // posted and shown from the message loop, which clears the modal-dialog flag after it.
    virtual void postHotKeyProblem() = 0;
    // False where the desktop lets no program take a key for the whole desktop (Wayland):
    // the shortcut then stays the user's choice, and nothing is retried or reported.
    virtual bool keyGrabAllowed() { return true; }
};

class LookupHotKeyKeeper {
public:
    // Quiet retries after a refusal at start: this often, for this long after the start.
    static constexpr uint32_t kStartRetryMs = 2000;
    static constexpr uint64_t kStartRetryWindowMs = 30000;
    // After the problem message: one quiet retry this often.
    static constexpr uint32_t kLaterRetryMs = 60000;

    // modalDialogOpen: the program's modal-dialog flag; the start-up message waits while it
    // is set, and sets it while the message is on its way.
    LookupHotKeyKeeper(LookupHotKeyPort& port, bool& modalDialogOpen)
        : port_(port), modalDialogOpen_(modalDialogOpen) {}

    // At creation: registers the chosen shortcut. When that is refused, the shortcut stays
    // chosen and quiet retries begin. Returns whether it is registered now.
    bool start(uint16_t shortcut);
    // The first show: whether the start-up message may show at all (not in the welcome flow
    // of a very first start, which takes precedence).
    void firstShow(bool problemMessageAllowed);
    // The retry timer fired.
    void retryTimer();

    // The settings window was confirmed with `wanted` in its shortcut field while `current`
    // is the chosen one. A new shortcut that is refused gives way to the old one, and when
    // that is refused too there is none. The chosen shortcut unchanged but not registered is
    // tried again and, still refused, stays chosen.
    struct Change {
        uint16_t shortcut; // the chosen shortcut afterwards, for the field and the setting
        bool problem;      // the problem message (without the hint) is due
    };
    Change settingsConfirmed(uint16_t wanted, uint16_t current);

    bool registered() const { return registered_; }
    uint16_t chosen() const { return chosen_; }
    // "Quiklex – Ctrl+Shift+C" while the shortcut works, "Quiklex – genvejen er optaget" while
    // another program holds it, "Quiklex" without a shortcut.
    std::string trayTip();

private:
    enum class Phase { Off, StartRetries, LaterRetries };
    bool tryRegister(uint16_t shortcut);
    void settle(uint16_t shortcut, bool registered, Phase phaseIfRefused);
    void setPhase(Phase phase);
    void tipMayHaveChanged();

    LookupHotKeyPort& port_;
    bool& modalDialogOpen_;
    uint16_t chosen_ = 0;
    bool registered_ = false;
    Phase phase_ = Phase::Off;
    uint64_t startMs_ = 0;
    bool firstShown_ = false;
    bool messageAllowed_ = false;
    std::string tip_;
};

} // namespace qlx
