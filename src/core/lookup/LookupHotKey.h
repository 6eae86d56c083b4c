// The lookup shortcut as the system's hot-key service takes it, and the message shown when
// the system refuses it.
#pragma once

#include <cstdint>
#include <string>

namespace qlx {

// The main window's one system-wide hot key.
inline constexpr int kLookupHotKeyId = 2;

// Modifier flags of the hot-key service.
inline constexpr uint32_t kModAlt = 1;
inline constexpr uint32_t kModControl = 2;
inline constexpr uint32_t kModShift = 4;

struct HotKeyRegistration {
    uint32_t modifiers = 0;
    uint32_t key = 0; // virtual-key code
    bool operator==(const HotKeyRegistration&) const = default;
};

// A 16-bit shortcut (key in bits 0-12, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt) as modifiers
// and key. 0 asks for key 0 without modifiers.
HotKeyRegistration lookupHotKeyRegistration(uint16_t shortcut);

// A shortcut read from the settings file, held to what the settings window's shortcut field
// lets a user choose: a key alone or with Shift alone gets Shift+Ctrl (as the field gives
// it), and Enter or Esc (which the field never takes) is no shortcut (0). One that would take
// the editing keys every program uses (Ctrl with C, V, X, Z, Y, A or Insert) is no shortcut
// either: registered, it would stop copying and pasting everywhere else.
uint16_t checkedShortcut(uint16_t shortcut);

// The shortcut as a desktop's shortcut service takes a preferred trigger (the freedesktop
// shortcuts form: "CTRL+SHIFT+c"); empty for a key that form has no plain name for, which
// leaves the choice to the desktop.
std::string shortcutTrigger(uint16_t shortcut);

// The text of the shortcut problem message; the hint points to the settings window.
std::string hotKeyProblemText(bool withHint);

} // namespace qlx
