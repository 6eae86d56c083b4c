// The keyboard cues of a window: whether it draws the focus rectangle and underlines the
// mnemonic letters. A window used with the mouse shows neither; Tab or an arrow key shows the
// focus rectangle from then on, and the underlines show while Alt is held. Also the mnemonic
// letters of a window's table: which control Alt+letter acts on, and how.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/AccessibleTree.h"
#include "forms/FormLayout.h"

namespace qlx {

// The system's UI-state flags and actions (WM_CHANGEUISTATE, WM_UPDATEUISTATE).
inline constexpr uint16_t kUiHideFocus = 0x1; // UISF_HIDEFOCUS
inline constexpr uint16_t kUiHideAccel = 0x2; // UISF_HIDEACCEL
inline constexpr uint16_t kUiSet = 1;         // UIS_SET
inline constexpr uint16_t kUiClear = 2;       // UIS_CLEAR

class KeyboardCues {
public:
    // The window opens: opened from the keyboard it shows the focus rectangle at once.
    void opened(bool byKeyboard);
    // A key message of the window (WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP with its
    // virtual key); true when what the window draws changed.
    bool key(uint32_t message, uint32_t virtualKey);
    // The system's own change of the window's UI state (WM_UPDATEUISTATE); true when changed.
    bool update(uint16_t action, uint16_t flags);
    // The window lost the activation: an Alt still held went with it (Alt+Tab).
    bool deactivated();
    // The keyboard moved the focus (a mnemonic): the focus rectangle shows from now on.
    bool keyboardFocus();

    // What to draw: the focus rectangle of the control with the focus, the underlines.
    bool focusRect(bool controlFocused) const {
        return controlFocused && !(hidden_ & kUiHideFocus);
    }
    bool underlines() const { return !(hidden_ & kUiHideAccel); }
    // The hidden flags, for telling the system (WM_CHANGEUISTATE).
    uint16_t hidden() const { return hidden_; }

private:
    bool set(uint16_t hidden);
    uint16_t hidden_ = kUiHideFocus | kUiHideAccel;
};

// Where the mnemonic letter stands in a caption: its first occurrence, either case;
// std::string::npos when the caption has none.
size_t mnemonicIndex(std::string_view caption, char mnemonic);
// The caption with "&" before its mnemonic letter and every "&" of its own doubled, as the
// system's text drawing takes it to underline that letter.
std::string prefixedCaption(std::string_view caption, char mnemonic);
// "Alt+X", as assistive technology reports a keyboard shortcut; empty without a mnemonic.
std::string mnemonicShortcut(char mnemonic);

enum class MnemonicAction { None, Press, Focus, FocusAndPress };
struct MnemonicTarget {
    std::string control;
    MnemonicAction action = MnemonicAction::None;
};
// What Alt+letter does in the window: a flat button is pressed as a click presses it, a
// check-mark button takes the focus and is pressed, a field takes the focus; a label's letter
// acts on the control that Tab reaches after it. Disabled and hidden controls do nothing, and
// neither does any letter while the hot-key field has the focus (it takes Alt+letter as a
// shortcut).
MnemonicTarget mnemonicTarget(const FormDesc& form, const FormAccState& state, char letter);

} // namespace qlx
