// The hot-key field, its rules and its key filter.
#include "HotKeyField.h"

#include <commctrl.h>

#include "Fonts.h"
#include "forms/SettingsForm.h"

namespace qlx::win {

namespace {
constexpr UINT_PTR kKeyFilterId = 1;

LRESULT CALLBACK keyFilter(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    if (hotKeyFieldDropsMessage(msg, wParam)) return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, keyFilter, kKeyFilterId);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}
} // namespace

HWND createHotKeyField(HWND parent, const ControlSpec& spec, const ControlBox& box) {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_HOTKEY_CLASS | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)initialised;
    HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, HOTKEY_CLASSW, L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP, box.left, box.top, box.width,
                                 box.height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!field) return nullptr;
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(spec.font)), FALSE);
    SendMessageW(field, HKM_SETRULES, kHotKeyFieldRefused, MAKELPARAM(kHotKeyFieldReplacement, 0));
    SetWindowSubclass(field, keyFilter, kKeyFilterId, 0);
    return field;
}

uint16_t hotKeyFieldShortcut(HWND field) {
    return shortcutFromHotKeyField(static_cast<uint16_t>(SendMessageW(field, HKM_GETHOTKEY, 0, 0)));
}

void setHotKeyFieldShortcut(HWND field, uint16_t shortcut) {
    SendMessageW(field, HKM_SETHOTKEY, hotKeyFieldValue(shortcut), 0);
}

} // namespace qlx::win
