// The lookup shortcut's registration, its quiet retries and the tray icon's tip.
#include "lookup/LookupHotKeyKeeper.h"

#include "Text.h"

namespace qlx {

namespace {
const char* const kTipSeparator = " \x96 "; // an en dash between spaces
const char* const kTipTaken = "genvejen er optaget";
} // namespace

bool LookupHotKeyKeeper::tryRegister(uint16_t shortcut) {
    if (!port_.keyGrabAllowed()) return false;
    try {
        return port_.registerLookupHotKey(shortcut);
    } catch (...) {
        return false;
    }
}

bool LookupHotKeyKeeper::start(uint16_t shortcut) {
    startMs_ = port_.clockMs();
    const bool ok = tryRegister(shortcut);
    settle(shortcut, ok, port_.keyGrabAllowed() ? Phase::StartRetries : Phase::Off);
    return ok;
}

void LookupHotKeyKeeper::firstShow(bool problemMessageAllowed) {
    firstShown_ = true;
    messageAllowed_ = problemMessageAllowed;
}

void LookupHotKeyKeeper::retryTimer() {
    if (phase_ == Phase::Off) {
        port_.stopHotKeyTimer();
        return;
    }
    if (tryRegister(chosen_)) {
        settle(chosen_, true, Phase::Off);
        return;
    }
    if (phase_ != Phase::StartRetries || port_.clockMs() - startMs_ < kStartRetryWindowMs) return;
    // The start-up window is over and the shortcut is still held elsewhere. The message waits
    // for the first show and for an open dialog to close, trying on meanwhile.
    if (!firstShown_) return;
    if (messageAllowed_) {
        if (modalDialogOpen_) return;
        modalDialogOpen_ = true;
        port_.postHotKeyProblem();
    }
    setPhase(Phase::LaterRetries);
}

LookupHotKeyKeeper::Change LookupHotKeyKeeper::settingsConfirmed(uint16_t wanted,
                                                                 uint16_t current) {
    if (!port_.keyGrabAllowed()) {
        settle(wanted, false, Phase::Off);
        return {wanted, false};
    }
    if (wanted == current) {
        if (current == 0 || registered_) return {current, false};
        // The user's shortcut, which another program held until now: asked for once more, and
        // when it is still held it stays chosen and the quiet retries go on.
        const bool ok = tryRegister(current);
        settle(current, ok, Phase::LaterRetries);
        return {current, !ok};
    }
    port_.unregisterLookupHotKey();
    registered_ = false;
    if (wanted == 0) {
        settle(0, false, Phase::Off);
        return {0, false};
    }
    if (tryRegister(wanted)) {
        settle(wanted, true, Phase::Off);
        return {wanted, false};
    }
    if (current != 0 && tryRegister(current)) {
        settle(current, true, Phase::Off);
        return {current, true};
    }
    settle(0, false, Phase::Off);
    return {0, true};
}

void LookupHotKeyKeeper::settle(uint16_t shortcut, bool registered, Phase phaseIfRefused) {
    chosen_ = shortcut;
    registered_ = registered;
    setPhase(registered || shortcut == 0 ? Phase::Off : phaseIfRefused);
    tipMayHaveChanged();
}

void LookupHotKeyKeeper::setPhase(Phase phase) {
    if (phase == phase_) return; // a running timer keeps its rhythm
    phase_ = phase;
    switch (phase) {
    case Phase::Off: port_.stopHotKeyTimer(); break;
    case Phase::StartRetries: port_.startHotKeyTimer(kStartRetryMs); break;
    case Phase::LaterRetries: port_.startHotKeyTimer(kLaterRetryMs); break;
    }
}

std::string LookupHotKeyKeeper::trayTip() {
    if (chosen_ == 0 || !port_.keyGrabAllowed()) return programTitle;
    if (!registered_) return std::string(programTitle) + kTipSeparator + kTipTaken;
    const std::string text = port_.shortcutText(chosen_);
    return text.empty() ? std::string(programTitle) : programTitle + (kTipSeparator + text);
}

void LookupHotKeyKeeper::tipMayHaveChanged() {
    std::string tip = trayTip();
    if (tip == tip_) return;
    tip_ = std::move(tip);
    port_.trayTipChanged(tip_);
}

} // namespace qlx
