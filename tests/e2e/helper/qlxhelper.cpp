// The end-to-end tests' own Windows helper: finds the Quiklex panel and talks to it the way
// other programs and Windows do. Prints results on stdout; exit code 0 on success, 1 when the
// panel was not found, 2 on bad usage.
//   find                 print "hwnd visible iconic left top width height"
//   send W L             SendMessageTimeout of the program's message, prints the reply
//   post W L             PostMessage of the program's message
//   close                post WM_CLOSE to the panel
//   kill                 end the Quiklex process at once
//   foreground           print the class name of the foreground window
//   pixel X Y            print the colour (0xRRGGBB) at a screen point
//   other SECONDS        show a window of another program ("QlxOther") in front for a while
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

UINT productMessage() { return RegisterWindowMessageW(L"Quiklex application specific message"); }

LRESULT CALLBACK otherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int showOtherWindow(int seconds) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = otherProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"QlxOther";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"Other program", WS_OVERLAPPEDWINDOW, 100, 100,
                             300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    SetTimer(w, 1, static_cast<UINT>(seconds) * 1000u, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

HWND findPanel() { return FindWindowW(L"TFormMain", nullptr); }

long long number(const wchar_t* text) { return std::wcstoll(text, nullptr, 0); }

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::wstring cmd = argv[1];
    if (cmd == L"foreground") {
        wchar_t name[256] = L"";
        if (HWND fg = GetForegroundWindow()) GetClassNameW(fg, name, 256);
        std::wprintf(L"%ls\n", name);
        return 0;
    }
    if (cmd == L"pixel" && argc == 4) {
        HDC dc = GetDC(nullptr);
        COLORREF c = GetPixel(dc, static_cast<int>(number(argv[2])), static_cast<int>(number(argv[3])));
        ReleaseDC(nullptr, dc);
        std::printf("0x%02X%02X%02X\n", GetRValue(c), GetGValue(c), GetBValue(c));
        return 0;
    }
    if (cmd == L"other" && argc == 3) return showOtherWindow(static_cast<int>(number(argv[2])));
    HWND panel = findPanel();
    if (!panel) {
        std::printf("not found\n");
        return 1;
    }
    if (cmd == L"find") {
        RECT r{};
        GetWindowRect(panel, &r);
        std::printf("%p %d %d %ld %ld %ld %ld\n", static_cast<void*>(panel),
                    IsWindowVisible(panel) ? 1 : 0, IsIconic(panel) ? 1 : 0, r.left, r.top,
                    r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == L"send" && argc == 4) {
        DWORD_PTR reply = 0;
        LRESULT ok = SendMessageTimeoutW(panel, productMessage(),
                                         static_cast<WPARAM>(number(argv[2])),
                                         static_cast<LPARAM>(number(argv[3])),
                                         SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &reply);
        std::printf("%llu\n", ok ? static_cast<unsigned long long>(reply) : 0ull);
        return ok ? 0 : 1;
    }
    if (cmd == L"post" && argc == 4) {
        return PostMessageW(panel, productMessage(), static_cast<WPARAM>(number(argv[2])),
                            static_cast<LPARAM>(number(argv[3])))
                   ? 0
                   : 1;
    }
    if (cmd == L"close") return PostMessageW(panel, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"kill") {
        DWORD pid = 0;
        GetWindowThreadProcessId(panel, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        if (!process) return 1;
        BOOL ok = TerminateProcess(process, 9);
        CloseHandle(process);
        return ok ? 0 : 1;
    }
    return 2;
}
