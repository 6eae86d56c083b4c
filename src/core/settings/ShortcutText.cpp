// Shortcut values to and from their text form in the settings file.
#include "settings/ShortcutText.h"

#include "Text.h"

namespace qlx {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

} // namespace

std::string shortcutKeyName(uint8_t key, const KeyNameSource& layout) {
    static const char* const kMoveKeys[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                            "Left",  "Up",   "Right", "Down"};
    if (key == 0) return {};
    if (key == 0x08) return "BkSp";
    if (key == 0x09) return "Tab";
    if (key == 0x0D) return "Enter";
    if (key == 0x1B) return "Esc";
    if (key >= 0x20 && key <= 0x28) return kMoveKeys[key - 0x20];
    if (key == 0x2D) return "Ins";
    if (key == 0x2E) return "Del";
    if (key >= 0x30 && key <= 0x39) return std::string(1, static_cast<char>('0' + key - 0x30));
    if (key >= 0x41 && key <= 0x5A) return std::string(1, static_cast<char>('A' + key - 0x41));
    if (key >= 0x60 && key <= 0x69) return std::string(1, static_cast<char>('0' + key - 0x60));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
    return layout ? layout(key) : std::string();
}

std::string shortcutToText(uint16_t shortcut, const KeyNameSource& layout) {
    const std::string name = shortcutKeyName(static_cast<uint8_t>(shortcut & 0xFF), layout);
    if (name.empty()) return {};
    std::string text;
    if (shortcut & kShortcutShift) text += "Shift+";
    if (shortcut & kShortcutCtrl) text += "Ctrl+";
    if (shortcut & kShortcutAlt) text += "Alt+";
    return text + name;
}

std::string shortcutDisplayText(uint16_t shortcut, const KeyNameSource& layout) {
    const std::string name = shortcutKeyName(static_cast<uint8_t>(shortcut & 0xFF), layout);
    if (name.empty()) return {};
    std::string text;
    if (shortcut & kShortcutCtrl) text += "Ctrl+";
    if (shortcut & kShortcutShift) text += "Shift+";
    if (shortcut & kShortcutAlt) text += "Alt+";
    return text + name;
}

uint16_t textToShortcut(std::string_view text, const KeyNameSource& layout) {
    uint16_t modifiers = 0;
    for (;;) {
        if (startsWithNoCase(text, "Shift+")) {
            modifiers |= kShortcutShift;
            text.remove_prefix(6);
        } else if (startsWithNoCase(text, "Ctrl+")) {
            modifiers |= kShortcutCtrl;
            text.remove_prefix(5);
        } else if (startsWithNoCase(text, "^")) {
            modifiers |= kShortcutCtrl;
            text.remove_prefix(1);
        } else if (startsWithNoCase(text, "Alt+")) {
            modifiers |= kShortcutAlt;
            text.remove_prefix(4);
        } else {
            break;
        }
    }
    if (text.empty()) return 0;
    for (unsigned key = 8; key <= 255; ++key) {
        const std::string name = shortcutKeyName(static_cast<uint8_t>(key), layout);
        if (!name.empty() && equalsNoCase(name, text))
            return static_cast<uint16_t>(modifiers | key);
    }
    return 0;
}

} // namespace qlx
