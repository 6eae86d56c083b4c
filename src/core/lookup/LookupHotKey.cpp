// The lookup shortcut's registration values and its problem message.
#include "lookup/LookupHotKey.h"

#include <cctype>

#include "settings/ShortcutText.h"

namespace qlx {

namespace {
constexpr uint16_t kShiftBit = 0x2000;
constexpr uint16_t kCtrlBit = 0x4000;
constexpr uint16_t kAltBit = 0x8000;
constexpr uint16_t kKeyBits = 0x1FFF;

const char* const kProblem = "Windows n\xE6" "gtede at oprette tastaturgenvejen.\n"
                             "Det skyldes normalt at genvejen allerede anvendes\n"
                             "af et andet \xE5" "bent program.";
const char* const kHint = "\n\nEn genvej kan v\xE6" "lges i indstillingsvinduet.";
} // namespace

HotKeyRegistration lookupHotKeyRegistration(uint16_t shortcut) {
    HotKeyRegistration r;
    if (shortcut & kAltBit) r.modifiers |= kModAlt;
    if (shortcut & kCtrlBit) r.modifiers |= kModControl;
    if (shortcut & kShiftBit) r.modifiers |= kModShift;
    r.key = shortcut & kKeyBits;
    return r;
}

std::string shortcutTrigger(uint16_t shortcut) {
    const uint8_t key = static_cast<uint8_t>(shortcut & kKeyBits);
    // Letters, digits of the main block and F keys are named alike in that form (letters in
    // lower case); other keys are left to the desktop.
    const bool plain =
        (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= 0x70 && key <= 0x87);
    if (!plain) return {};
    std::string name = shortcutKeyName(key, {});
    if (name.size() == 1) name[0] = static_cast<char>(std::tolower(name[0]));
    std::string trigger;
    if (shortcut & kCtrlBit) trigger += "CTRL+";
    if (shortcut & kAltBit) trigger += "ALT+";
    if (shortcut & kShiftBit) trigger += "SHIFT+";
    return trigger + name;
}

uint16_t checkedShortcut(uint16_t shortcut) {
    const uint16_t key = shortcut & kKeyBits;
    const uint16_t modifiers = shortcut & (kShiftBit | kCtrlBit | kAltBit);
    if (key == 0 || key == 0x0D || key == 0x1B) return 0;
    if (modifiers == 0 || modifiers == kShiftBit) return key | kShiftBit | kCtrlBit;
    if (modifiers == kCtrlBit) {
        for (const uint16_t editing : {uint16_t{'C'}, uint16_t{'V'}, uint16_t{'X'}, uint16_t{'Z'},
                                       uint16_t{'Y'}, uint16_t{'A'}, uint16_t{0x2D} /* Insert */})
            if (key == editing) return 0;
    }
    return shortcut;
}

std::string hotKeyProblemText(bool withHint) {
    std::string text = kProblem;
    if (withHint) text += kHint;
    return text;
}

} // namespace qlx
