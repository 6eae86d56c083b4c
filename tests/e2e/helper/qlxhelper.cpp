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
//   keep                 keep a hidden window (and so Wine's desktop) alive until killed
//   workarea             print the work area and the screen size
//   clipboard TEXT [N]   put TEXT (N times) on the clipboard as Unicode text; in TEXT a
//                        backslash before r, n or t stands for CR, LF or tab
//   poke TEXT [N] [unicode] [SERVICE]  poke TEXT (N times) to the DDE item, as 8-bit
//                        (Windows-1252) or Unicode text; prints "ack", "nack" or "failed"
//   hotkey MODS KEY SECONDS  hold a system-wide hot key for a while; prints "ready" or "taken"
//   drag TEXT            show a window ("QlxDragSource") that starts dragging TEXT as 8-bit
//                        text when the left button goes down on it; prints "ready", then the
//                        drag's result and effect
//   menu                 the open popup menu: "left top right bottom" then one line per item,
//                        "index id separator checked default text" (text in UTF-8)
//   topmost              print 1 when the panel has the topmost style, else 0
//   xid                  print the X window that shows the panel (Wine only)
//   window CLASS         print "hwnd visible left top width height" of a window of that class
//   closewindow CLASS    post WM_CLOSE to a window of that class
#include <windows.h>

#include <ddeml.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

UINT productMessage() { return RegisterWindowMessageW(L"Quiklex application specific message"); }

// Timer 1 ends the window; timer 2 asks for the foreground until the window has had it once
// (the window manager may refuse the first request), then leaves the focus alone.
LRESULT CALLBACK otherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == 1) PostQuitMessage(0);
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) KillTimer(hwnd, 2);
    if (msg == WM_TIMER && wParam == 2) {
        if (GetForegroundWindow() == hwnd) KillTimer(hwnd, 2);
        else SetForegroundWindow(hwnd);
    }
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
    SetTimer(w, 1, static_cast<UINT>(seconds) * 1000u, nullptr);
    SetTimer(w, 2, 200, nullptr); // before showing: the activation may come at once
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

HWND findPanel() { return FindWindowW(L"TFormMain", nullptr); }

std::wstring unescape(const wchar_t* text) {
    std::wstring out;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p != L'\\' || p[1] == L'\0') {
            out += *p;
            continue;
        }
        ++p;
        out += *p == L'n' ? L'\n' : *p == L'r' ? L'\r' : *p == L't' ? L'\t' : *p;
    }
    return out;
}

std::wstring repeated(const wchar_t* text, int argc, wchar_t** argv, int countIndex) {
    std::wstring one = unescape(text);
    long long n = 1;
    if (argc > countIndex) {
        wchar_t* end = nullptr;
        long long v = std::wcstoll(argv[countIndex], &end, 10);
        if (end && *end == L'\0' && v > 0) n = v;
    }
    std::wstring out;
    out.reserve(one.size() * static_cast<size_t>(n));
    for (long long i = 0; i < n; ++i) out += one;
    return out;
}

int setClipboard(const std::wstring& text) {
    for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return 1;
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    const bool ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    return ok ? 0 : 1;
}

HDDEDATA CALLBACK clientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

int poke(const std::wstring& text, bool unicode, const wchar_t* service) {
    DWORD inst = 0;
    if (DdeInitializeW(&inst, clientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        std::printf("failed\n");
        return 1;
    }
    HSZ hService = DdeCreateStringHandleW(inst, service, CP_WINUNICODE);
    HSZ hTopic = DdeCreateStringHandleW(inst, L"ddelookup", CP_WINUNICODE);
    HSZ hItem = DdeCreateStringHandleW(inst, L"DDESEARCHTEXT", CP_WINUNICODE);
    int code = 1;
    if (HCONV conv = DdeConnect(inst, hService, hTopic, nullptr)) {
        std::string bytes;
        if (unicode) {
            bytes.assign(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
        } else {
            int n = WideCharToMultiByte(1252, 0, text.c_str(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
            bytes.assign(static_cast<size_t>(n) + 1, '\0');
            WideCharToMultiByte(1252, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                n, nullptr, nullptr);
        }
        DWORD result = 0;
        HDDEDATA ok = DdeClientTransaction(reinterpret_cast<BYTE*>(bytes.data()),
                                           static_cast<DWORD>(bytes.size()), conv, hItem,
                                           unicode ? CF_UNICODETEXT : CF_TEXT, XTYP_POKE, 20000,
                                           &result);
        const bool acked = ok != nullptr && (result & DDE_FACK) != 0;
        std::printf(acked ? "ack\n" : "nack\n");
        code = acked ? 0 : 3;
        DdeDisconnect(conv);
    } else {
        std::printf("failed\n");
    }
    DdeFreeStringHandle(inst, hService);
    DdeFreeStringHandle(inst, hTopic);
    DdeFreeStringHandle(inst, hItem);
    DdeUninitialize(inst);
    return code;
}

// A data object with one 8-bit text, in a block larger than the text as the system's are.
class TextDataObject final : public IDataObject {
public:
    explicit TextDataObject(std::string text) : text_(std::move(text)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == IID_IUnknown || id == IID_IDataObject) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text_.size() + 64);
        if (!block) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(block), text_.data(), text_.size());
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        return f && f->cfFormat == CF_TEXT && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    LONG refs_ = 1;
    std::string text_;
};

class LeftButtonDropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == IID_IUnknown || id == IID_IDropSource) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

int dragText(const std::wstring& text) {
    OleInitialize(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"QlxDragSource";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"Drag source", WS_POPUP | WS_VISIBLE, 300, 300,
                             200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    std::printf("ready\n");
    std::fflush(stdout);
    int n = WideCharToMultiByte(1252, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(1252, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_LBUTTONDOWN && msg.hwnd == w) {
            auto* data = new TextDataObject(bytes);
            LeftButtonDropSource source;
            DWORD effect = 0;
            HRESULT hr = DoDragDrop(data, &source, DROPEFFECT_COPY, &effect);
            data->Release();
            std::printf("0x%08lX %lu\n", static_cast<unsigned long>(hr),
                        static_cast<unsigned long>(effect));
            break;
        }
        DispatchMessageW(&msg);
    }
    DestroyWindow(w);
    OleUninitialize();
    return 0;
}

int holdHotKey(UINT modifiers, UINT key, int seconds) {
    if (!RegisterHotKey(nullptr, 7, modifiers, key)) {
        std::printf("taken\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000u;
    MSG msg;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    UnregisterHotKey(nullptr, 7);
    return 0;
}

long long number(const wchar_t* text) { return std::wcstoll(text, nullptr, 0); }

void printUtf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// The menu window that is open now (class "#32768"), its place and its items.
int printOpenMenu() {
    HWND popup = nullptr;
    while ((popup = FindWindowExW(nullptr, popup, MAKEINTATOM(0x8000), nullptr)))
        if (IsWindowVisible(popup)) break;
    if (!popup) {
        std::printf("no menu\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(popup, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    int count = menu ? GetMenuItemCount(menu) : -1;
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) break;
        std::printf("%d %u %d %d %d ", i, info.wID, (info.fType & MFT_SEPARATOR) ? 1 : 0,
                    (info.fState & MFS_CHECKED) ? 1 : 0, (info.fState & MFS_DEFAULT) ? 1 : 0);
        printUtf8(text);
        std::printf("\n");
    }
    return 0;
}

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
    if (cmd == L"clipboard" && argc >= 3) return setClipboard(repeated(argv[2], argc, argv, 3));
    if (cmd == L"poke" && argc >= 3) {
        bool unicode = false;
        const wchar_t* service = L"QUIKLEX";
        for (int i = 4; i < argc; ++i) {
            if (std::wstring(argv[i]) == L"unicode") unicode = true;
            else service = argv[i];
        }
        return poke(repeated(argv[2], argc, argv, 3), unicode, service);
    }
    if (cmd == L"drag" && argc == 3) return dragText(unescape(argv[2]));
    if (cmd == L"hotkey" && argc == 5)
        return holdHotKey(static_cast<UINT>(number(argv[2])), static_cast<UINT>(number(argv[3])),
                          static_cast<int>(number(argv[4])));
    if (cmd == L"menu") return printOpenMenu();
    if (cmd == L"window" && argc == 3) {
        HWND w = FindWindowW(argv[2], nullptr);
        if (!w) {
            std::printf("not found\n");
            return 1;
        }
        RECT r{};
        GetWindowRect(w, &r);
        std::printf("%p %d %ld %ld %ld %ld\n", static_cast<void*>(w), IsWindowVisible(w) ? 1 : 0,
                    r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == L"closewindow" && argc == 3) {
        HWND w = FindWindowW(argv[2], nullptr);
        return w && PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (cmd == L"keep") {
        // A hidden window that lives until killed: Wine's desktop process ends whenever the
        // last program's windows are gone, and programs started while it ends can hang.
        HWND w = CreateWindowExW(0, L"STATIC", L"QlxKeeper", WS_POPUP, 0, 0, 1, 1, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        std::printf("%s\n", w ? "ready" : "failed");
        std::fflush(stdout);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        return 0;
    }
    if (cmd == L"workarea") {
        RECT r{};
        BOOL ok = SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        std::printf("%d %ld %ld %ld %ld screen %d %d\n", ok ? 1 : 0, r.left, r.top, r.right,
                    r.bottom, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
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
    if (cmd == L"topmost") {
        std::printf("%d\n", (GetWindowLongW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (cmd == L"xid") {
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(
                                   GetPropW(panel, L"__wine_x11_whole_window"))));
        return 0;
    }
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
