// Message-only windows.
#include "win32/system/MessageWindow.h"

namespace qlx::win {

HWND createMessageWindow(const wchar_t* className, WNDPROC procedure) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = module;
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module,
                           nullptr);
}

} // namespace qlx::win
