// The start-up and memory yardstick: a Win32 program that only shows one small window.
#include <windows.h>

static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
    wc.lpszClassName = L"MinimalWin";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Minimal", WS_POPUP | WS_BORDER,
                             GetSystemMetrics(SM_CXSCREEN) - 164, 0, 82, 32, nullptr, nullptr,
                             module, nullptr);
    ShowWindow(w, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
