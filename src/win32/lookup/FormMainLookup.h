// The main window's lookups: the shortcut, the clipboard, DDE pokes and text drops, all ending
// in the same pipeline over the program state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "win32/controls/TextDropTarget.h"
#include "win32/lookup/TextDragMark.h"
#include "win32/system/DdeServer.h"
#include "lookup/SearchCapture.h"

namespace qlx::win {

class TFormMain;

class FormMainLookup final : public SearchCapturePort {
public:
    explicit FormMainLookup(TFormMain& form) : form_(form), textDragMark_(form) {}

    // Registers (on) or unregisters the lookup shortcut; true when the system agreed.
    bool SetLookupHotKey(uint16_t hotkey, bool on);
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

private:
    TFormMain& form_;
    TextDragMark textDragMark_;
    std::unique_ptr<TTextDropTarget> textDropTarget_;
    DdeServer ddeServer_;
};

} // namespace qlx::win
