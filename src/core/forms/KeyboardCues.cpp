// When a window shows its keyboard cues, and what its mnemonic letters act on.
#include "forms/KeyboardCues.h"

namespace qlx {

namespace {
constexpr uint32_t kKeyDown = 0x0100;    // WM_KEYDOWN
constexpr uint32_t kKeyUp = 0x0101;      // WM_KEYUP
constexpr uint32_t kSysKeyDown = 0x0104; // WM_SYSKEYDOWN
constexpr uint32_t kSysKeyUp = 0x0105;   // WM_SYSKEYUP
constexpr uint32_t kVkTab = 0x09;
constexpr uint32_t kVkAlt = 0x12; // VK_MENU
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkDown = 0x28;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

ControlState stateOf(const FormAccState& state, std::string_view name) {
    const auto it = state.controls.find(name);
    return it == state.controls.end() ? ControlState{} : it->second;
}
} // namespace

void KeyboardCues::opened(bool byKeyboard) {
    hidden_ = byKeyboard ? kUiHideAccel : static_cast<uint16_t>(kUiHideFocus | kUiHideAccel);
}

bool KeyboardCues::set(uint16_t hidden) {
    if (hidden == hidden_) return false;
    hidden_ = hidden;
    return true;
}

bool KeyboardCues::key(uint32_t message, uint32_t virtualKey) {
    const bool down = message == kKeyDown || message == kSysKeyDown;
    if (down && (virtualKey == kVkTab || (virtualKey >= kVkLeft && virtualKey <= kVkDown)))
        return set(hidden_ & ~kUiHideFocus);
    // Alt alone comes as a system key; with Ctrl (AltGr, typing a character) it does not, and
    // the underlines stay away.
    if (message == kSysKeyDown && virtualKey == kVkAlt) return set(hidden_ & ~kUiHideAccel);
    if ((message == kKeyUp || message == kSysKeyUp) && virtualKey == kVkAlt)
        return set(hidden_ | kUiHideAccel);
    return false;
}

bool KeyboardCues::update(uint16_t action, uint16_t flags) {
    flags &= kUiHideFocus | kUiHideAccel;
    if (action == kUiSet) return set(hidden_ | flags);
    if (action == kUiClear) return set(hidden_ & ~flags);
    return false;
}

bool KeyboardCues::deactivated() {
    return set(hidden_ | kUiHideAccel);
}

bool KeyboardCues::keyboardFocus() {
    return set(hidden_ & ~kUiHideFocus);
}

size_t mnemonicIndex(std::string_view caption, char mnemonic) {
    if (mnemonic == 0) return std::string::npos;
    for (size_t i = 0; i < caption.size(); ++i)
        if (lower(caption[i]) == lower(mnemonic)) return i;
    return std::string::npos;
}

std::string prefixedCaption(std::string_view caption, char mnemonic) {
    const size_t at = mnemonicIndex(caption, mnemonic);
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (i == at) out += '&';
        if (caption[i] == '&') out += '&';
        out += caption[i];
    }
    return out;
}

std::string mnemonicShortcut(char mnemonic) {
    if (mnemonic == 0) return {};
    const char upper =
        mnemonic >= 'a' && mnemonic <= 'z' ? static_cast<char>(mnemonic - 'a' + 'A') : mnemonic;
    return std::string("Alt+") + upper;
}

MnemonicTarget mnemonicTarget(const FormDesc& form, const FormAccState& state, char letter) {
    if (const ControlDesc* focused = form.find(state.focused))
        if (focused->kind == ControlKind::HotKeyField) return {};
    const ControlDesc* found = nullptr;
    for (const ControlDesc& c : form.controls)
        if (c.mnemonic != 0 && lower(c.mnemonic) == lower(letter)) {
            found = &c;
            break;
        }
    if (!found) return {};
    if (found->kind == ControlKind::Label) {
        // The control Tab reaches after the label: the next focusable one in the table.
        const ControlDesc* next = nullptr;
        bool after = false;
        for (const ControlDesc& c : form.controls) {
            if (&c == found)
                after = true;
            else if (after && takesFocus(c.kind)) {
                next = &c;
                break;
            }
        }
        if (!next) return {};
        found = next;
    }
    const ControlState s = stateOf(state, found->name);
    if (!s.enabled || !s.visible) return {};
    switch (found->kind) {
    case ControlKind::FlatButton:
        return {found->name, MnemonicAction::Press};
    case ControlKind::CheckmarkButton:
        return {found->name, MnemonicAction::FocusAndPress};
    case ControlKind::HotKeyField:
    case ControlKind::HtmlView:
        return {found->name, MnemonicAction::Focus};
    default:
        return {};
    }
}

} // namespace qlx
