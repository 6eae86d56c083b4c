// The main window's ways in to a lookup on Windows: the shortcut's registration and repeats,
// the clipboard, the text drop target and the DDE server, all handing their text to the
// program's lookups.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "win32/controls/TextDropTarget.h"
#include "win32/system/DdeServer.h"
#include "lookup/HotKeyRepeat.h"
#include "lookup/LookupHotKeyKeeper.h"
#include "lookup/LookupInputPort.h"

namespace qlx::win {

class TFormMain;

class FormMainLookup final : public LookupInputPort, public LookupHotKeyPort {
public:
    explicit FormMainLookup(TFormMain& form) : form_(form) {}

    // The lookup shortcut's repeats while held, and its timers; true when handled (a repeat
    // is dropped), with result set.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // LookupInputPort: the clipboard; the text drop target and the DDE server, at the end of
    // creation.
    std::optional<std::string> clipboardText() override;
    void startTextInputs() override;

    // LookupHotKeyPort
    bool registerLookupHotKey(uint16_t shortcut) override;
    void unregisterLookupHotKey() override;
    uint64_t clockMs() override;
    void startHotKeyTimer(uint32_t periodMs) override;
    void stopHotKeyTimer() override;
    std::string shortcutText(uint16_t shortcut) override;
    void trayTipChanged(const std::string& tip) override;
    void postHotKeyProblem() override;

private:
    // A hot key of the lookup shortcut (key: its virtual key, 0 when unknown); true when it is
    // a repeat of the press still held, which is dropped.
    bool hotKeyRepeat(UINT key);
    void watchRelease();

    TFormMain& form_;
    std::unique_ptr<TTextDropTarget> textDropTarget_;
    DdeServer ddeServer_;
    HotKeyRepeatFilter repeat_;
    UINT heldKey_ = 0; // the virtual key of the press held
};

} // namespace qlx::win
