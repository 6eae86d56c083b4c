// The hot-key field, its rules and its key filter.
#include "win32/controls/HotKeyField.h"

#include <commctrl.h>

#include "win32/system/CommonControls.h"
#include "win32/system/Fonts.h"
#include "forms/SettingsForm.h"

namespace qlx::win {

namespace {
const wchar_t* const kFieldProc = L"QuiklexHotKeyFieldProc";

// Enter and Esc never become the shortcut; everything else goes on to the field.
LRESULT CALLBACK keyFilter(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kFieldProc));
    if (!original) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (hotKeyFieldDropsMessage(msg, wParam)) return 0;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(hwnd, kFieldProc);
    }
    return CallWindowProcW(original, hwnd, msg, wParam, lParam);
}
} // namespace

HWND createHotKeyField(HWND parent, const ControlDesc& desc, const ControlBox& box) {
    static const bool initialised = loadCommonControls(ICC_HOTKEY_CLASS | ICC_BAR_CLASSES);
    if (!initialised) return nullptr;
    HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, HOTKEY_CLASSW, L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP, box.left, box.top, box.width,
                                 box.height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!field) return nullptr;
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(desc.font)), FALSE);
    SendMessageW(field, HKM_SETRULES, kHotKeyFieldRefused, MAKELPARAM(kHotKeyFieldReplacement, 0));
    SetPropW(field, kFieldProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(field, GWLP_WNDPROC)));
    SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(keyFilter));
    return field;
}

uint16_t hotKeyFieldShortcut(HWND field) {
    return shortcutFromHotKeyField(static_cast<uint16_t>(SendMessageW(field, HKM_GETHOTKEY, 0, 0)));
}

void setHotKeyFieldShortcut(HWND field, uint16_t shortcut) {
    SendMessageW(field, HKM_SETHOTKEY, hotKeyFieldValue(shortcut), 0);
}

} // namespace qlx::win
