// The shortcut as the settings file stores it: "Shift+Ctrl+C" and back. The 16-bit value
// holds the virtual-key code in its low byte, 0x2000 Shift, 0x4000 Ctrl and 0x8000 Alt.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qlx {

inline constexpr uint16_t kShortcutShift = 0x2000;
inline constexpr uint16_t kShortcutCtrl = 0x4000;
inline constexpr uint16_t kShortcutAlt = 0x8000;

// Names the keys outside the fixed list as the keyboard layout does; an empty text means
// the key has no name. The Windows side asks the layout, tests pass their own.
using KeyNameSource = std::function<std::string(uint8_t virtualKey)>;

// The name of one key: letters, digits (main block and keypad alike), F1 to F24, the
// editing and moving keys by fixed names, any other key by the layout's name.
std::string shortcutKeyName(uint8_t virtualKey, const KeyNameSource& layout);

// Modifiers as "Shift+", "Ctrl+", "Alt+" in that order, then the key's name; a shortcut
// whose key has no name gives an empty text.
std::string shortcutToText(uint16_t shortcut, const KeyNameSource& layout);

// The shortcut as the user reads it, in the order the system's hot-key field shows it:
// "Ctrl+", "Shift+", "Alt+", then the key's name; empty when the key has no name.
std::string shortcutDisplayText(uint16_t shortcut, const KeyNameSource& layout);

// Leading "Shift+", "Ctrl+" or "^", and "Alt+" in any order and letter case, then a key
// name matched without letter case against key codes 8 to 255 in that order; 0 when no key
// has that name.
uint16_t textToShortcut(std::string_view text, const KeyNameSource& layout);

} // namespace qlx
