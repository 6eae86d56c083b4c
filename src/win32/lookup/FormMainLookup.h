// The main window's lookups: the shortcut, the clipboard, DDE pokes and text drops, all ending
// in the same pipeline over the program state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "win32/controls/TextDropTarget.h"
#include "win32/lookup/TextDragMark.h"
#include "win32/system/DdeServer.h"
#include "lookup/HotKeyRepeat.h"
#include "lookup/LookupHotKeyKeeper.h"
#include "lookup/SearchCapture.h"

namespace qlx::win {

class TFormMain;

class FormMainLookup final : public SearchCapturePort, public LookupHotKeyPort {
public:
    explicit FormMainLookup(TFormMain& form);

    // The lookup shortcut's repeats while held, and its timers; true when handled (a repeat
    // is dropped), with result set.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The lookup shortcut: registered at creation, kept up while another program holds it.
    LookupHotKeyKeeper& hotKeys() { return hotKeys_; }
    // The shortcut problem message; the hint (start-up) points to the settings window.
    void ShowHotKeyProblem(bool withHint);
    void lookupClipboard();
    // The text drop target and the DDE server, at the end of creation.
    void registerDropTarget();
    // The ways in to a lookup, over the program state and this window's ports.
    SearchCapture searchCapture();

    // SearchCapturePort
    void restoreApplication() override;
    void bringAllToFront() override;
    void showPanel() override;
    bool hasReceivedMessages() override;
    void showNewMessages() override;

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
    TextDragMark textDragMark_;
    std::unique_ptr<TTextDropTarget> textDropTarget_;
    DdeServer ddeServer_;
    LookupHotKeyKeeper hotKeys_;
    HotKeyRepeatFilter repeat_;
    UINT heldKey_ = 0; // the virtual key of the press held
};

} // namespace qlx::win
