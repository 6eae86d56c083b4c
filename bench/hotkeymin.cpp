// The lookup-latency yardstick: one small window that registers Ctrl+Shift+C and, when it
// arrives, hands a fixed dictionary address to the shell's open action. Nothing else.
#include <windows.h>

#include <shellapi.h>

static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HOTKEY) {
        ShellExecuteW(hwnd, nullptr, L"http://www.lemmary.dk/#ordbog/hus/", nullptr, nullptr,
                      SW_SHOWNORMAL);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = module;
    wc.hbrBackground = CreateSolidBrush(RGB(62, 116, 92));
    wc.lpszClassName = L"HotKeyMin";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"HotKeyMin", WS_POPUP | WS_BORDER,
                             GetSystemMetrics(SM_CXSCREEN) - 164, 0, 82, 32, nullptr, nullptr,
                             module, nullptr);
    if (!RegisterHotKey(w, 2, MOD_CONTROL | MOD_SHIFT, 'C')) return 1;
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
