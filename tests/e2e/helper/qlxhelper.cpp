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
//   other SECONDS        show a window of another program ("QlxOther") in front for a while;
//                        prints "ready" once shown and "front" when first activated (in
//                        either order)
//   keep                 keep a hidden window (and so Wine's desktop) alive until killed
//   workarea             print the work area and the screen size
//   clipboard TEXT [N]   put TEXT (N times) on the clipboard as Unicode text; in TEXT a
//                        backslash before r, n or t stands for CR, LF or tab
//   textsize FACE PX WEIGHT TEXT  print "width height" of TEXT in that font (PX the em height in
//                        pixels), then the face the system chose
//   poke TEXT [N] [unicode] [SERVICE]  poke TEXT (N times) to the DDE item, as 8-bit
//                        (Windows-1252) or Unicode text; prints "ack", "nack" or "failed"
//   pokes N PREFIX SERVICE  poke PREFIX1 ... PREFIXN, each in a conversation of its own;
//                        prints how many were acknowledged, then each text that was not with
//                        its answer
//   semaphore SECONDS    hold the single-instance semaphore, with no window, for a while;
//                        prints "ready" or "taken"
//   usage                the panel's process: "kernel-handles windows"
//   hotkey MODS KEY SECONDS  hold a system-wide hot key for a while; prints "ready" or "taken"
//   drag TEXT [unicode]  show a window ("QlxDragSource") that starts dragging TEXT as 8-bit
//                        text (Windows-1252, "?" for what it lacks) and, with "unicode", also
//                        as Unicode text, when the left button goes down on it; prints
//                        "ready", then the drag's result and effect
//   menu                 the open popup menu: "left top right bottom" then one line per item,
//                        "index id separator checked default text" (text in UTF-8)
//   topmost              print 1 when the panel has the topmost style, else 0
//   xid                  print the X window that shows the panel (Wine only)
//   window CLASS         print "hwnd visible left top width height" of a window of that class
//   count CLASS          print how many top-level windows of that class there are
//   append FILE TEXT     append TEXT as a line to FILE (a stand-in handler of an address
//                        scheme)
//   client CLASS         print "left top width height caption" of the client area of a window
//                        of that class (on the screen; caption in UTF-8)
//   closewindow CLASS    post WM_CLOSE to a window of that class
//   hotkeyfield CLASS    print the value of the hot-key field on a window of that class
//                        (low byte the key, high byte 1 Shift, 2 Ctrl, 4 Alt)
//   trayicon             print 1 when the panel has its notification-area icon, else 0
//   dpichanged WHO DPI L T W H  send WM_DPICHANGED with that rectangle to a window of class
//                        WHO (or "panel")
//   dpiscaledsize WHO DPI  print "width height" that a window of class WHO (or "panel")
//                        answers WM_GETDPISCALEDSIZE with
//   framesize CLASS DPI  print "width height" of the frame of a window of that class at a DPI
//   traydelete           delete the panel's notification-area icon, as a restarting taskbar
//                        does; print 1 when there was one, else 0
//   taskbarcreated       broadcast the restarted taskbar's "TaskbarCreated"
//   ping                 send the program's do-nothing message and print how many
//                        milliseconds the answer took, or "hung" after 10 s
//   traytips             the tip of every notification-area icon the shell shows, a line each
//                        (UTF-8), read from the shell's tooltip windows
//   resources            the panel's process: "kernel-handles windows gdi-objects
//                        user-objects" (the last two -1 where the system does not count them)
//   getclipboard         print the clipboard's Unicode text (UTF-8; line breaks become "|")
//   childtext CLASS      the text of every child window of a window of that class that has
//                        one, a line each (UTF-8; line breaks inside a text become "|")
//   count X Y W H RGB    how many pixels of the screen rectangle have the colour 0xRRGGBB
//   rows X Y W H         the bands of rows of the screen rectangle that hold a pixel that is
//                        not near white, a line "top bottom" each
//   sendhandover VALUE   send the definitions download's hand-over message, with VALUE as
//                        its lParam, to the program's message-only hand-over window, as any
//                        other program could; prints "sent" or "not found"
//   protect PATH...      give each file or folder the rights an administrator's folder has for
//                        a plain user (protected: SYSTEM full control, Everyone read and run)
//   acl PATH             print the owner, group and access list as the system reports them
//                        (SDDL), then "addfile 1" or "addfile 0": whether this user without
//                        administrator rights may add files there
//   parent               print the file name of the panel's parent process, or "gone"
#include <windows.h>

#include <commctrl.h>
#include <sddl.h>
#include <tlhelp32.h>
#include <ddeml.h>
#include <ole2.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

UINT productMessage() { return RegisterWindowMessageW(L"Quiklex application specific message"); }

// Timer 1 ends the window; timer 2 asks for the foreground until the window has had it once
// (the window manager may refuse the first request), then leaves the focus alone.
LRESULT CALLBACK otherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static bool told = false;
    if (msg == WM_TIMER && wParam == 1) PostQuitMessage(0);
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        KillTimer(hwnd, 2);
        // A test that waits for this window to come in front reads this line: another window
        // may take the foreground back before a poll from outside could see it.
        if (!told) std::printf("front\n");
        std::fflush(stdout);
        told = true;
    }
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

// Puts the text on the clipboard from a window of its own (a clipboard opened without an owner
// window cannot take data). Opening fails while another program reads the clipboard, so every
// step is retried for a few seconds before the command gives up.
int setClipboard(const std::wstring& text) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"QlxClipboard", WS_POPUP, 0, 0, 1, 1, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    bool ok = false;
    for (int attempt = 0; attempt < 250 && !ok; ++attempt) {
        if (attempt > 0) Sleep(20);
        if (!OpenClipboard(owner)) continue;
        if (EmptyClipboard()) {
            if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
                std::memcpy(GlobalLock(block), text.c_str(), bytes);
                GlobalUnlock(block);
                ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
                if (!ok) GlobalFree(block);
            }
        }
        CloseClipboard();
    }
    if (owner) DestroyWindow(owner);
    return ok ? 0 : 1;
}

// The kernel handles a process holds, counted in the system's handle table (Wine answers the
// per-process count only for the calling process); -1 when the table cannot be read.
long handleCount(DWORD pid) {
    struct Entry {
        PVOID object;
        ULONG_PTR processId;
        ULONG_PTR handle;
        ULONG access;
        USHORT creatorBackTraceIndex;
        USHORT objectType;
        ULONG attributes;
        ULONG reserved;
    };
    struct Table {
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    const ULONG kExtendedHandleInformation = 64;
    std::vector<char> buffer(1 << 20);
    for (int i = 0; i < 6; ++i) {
        ULONG needed = 0;
        LONG status = query(kExtendedHandleInformation, buffer.data(),
                            static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            const auto* table = reinterpret_cast<const Table*>(buffer.data());
            long n = 0;
            for (ULONG_PTR k = 0; k < table->count; ++k)
                if (table->entries[k].processId == pid) ++n;
            return n;
        }
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
    }
    return -1;
}

BOOL CALLBACK countWindow(HWND window, LPARAM state) {
    auto* counts = reinterpret_cast<std::pair<DWORD, long>*>(state);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == counts->first) {
        ++counts->second;
        EnumChildWindows(window, countWindow, state);
    }
    return TRUE;
}

// What the panel's process holds: "kernel-handles windows".
int printUsage() {
    HWND panel = findPanel();
    DWORD pid = 0;
    if (!panel || !GetWindowThreadProcessId(panel, &pid)) return 1;
    std::pair<DWORD, long> windows{pid, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&windows));
    // Message-only windows are no top-level windows to EnumWindows.
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;)
        countWindow(w, reinterpret_cast<LPARAM>(&windows));
    std::printf("%ld %ld\n", handleCount(pid), windows.second);
    return 0;
}

// What the panel's process holds, with the system's counts of its GDI and USER objects.
int printResources() {
    HWND panel = findPanel();
    DWORD pid = 0;
    if (!panel || !GetWindowThreadProcessId(panel, &pid)) return 1;
    std::pair<DWORD, long> windows{pid, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;)
        countWindow(w, reinterpret_cast<LPARAM>(&windows));
    long gdi = -1, user = -1;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)) {
        // A process with windows always holds some of both; 0 means they are not counted.
        const DWORD g = GetGuiResources(process, GR_GDIOBJECTS);
        const DWORD u = GetGuiResources(process, GR_USEROBJECTS);
        if (g != 0) gdi = static_cast<long>(g);
        if (u != 0) user = static_cast<long>(u);
        CloseHandle(process);
    }
    std::printf("%ld %ld %ld %ld\n", handleCount(pid), windows.second, gdi, user);
    return 0;
}

// The tip of one notification-area icon: the shell keeps it in a tooltip window of its own
// process, so the tool's record and its text are read through a buffer placed there.
std::wstring shellTooltipText(HWND tooltip) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tooltip, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return L"?";
    constexpr size_t kChars = 1024;
    const size_t bytes = sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t);
    std::wstring text;
    if (auto* remote = static_cast<BYTE*>(
            VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
        std::vector<BYTE> local(bytes, 0);
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = reinterpret_cast<LPWSTR>(remote + sizeof info);
        std::memcpy(local.data(), &info, sizeof info);
        DWORD_PTR ok = 0;
        if (WriteProcessMemory(process, remote, local.data(), bytes, nullptr) &&
            SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote),
                                SMTO_ABORTIFHUNG, 5000, &ok) &&
            ok && ReadProcessMemory(process, remote, local.data(), bytes, nullptr)) {
            const auto* chars = reinterpret_cast<const wchar_t*>(local.data() + sizeof info);
            text.assign(chars, wcsnlen(chars, kChars - 1));
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

void printUtf8(const std::wstring& text);

int printTrayTips() {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        // Wine's tray windows (its stand-alone tray, or one window per icon) own the tips.
        wchar_t owner[64] = L"";
        GetClassNameW(GetWindow(tip, GW_OWNER), owner, 64);
        if (!std::wcsstr(owner, L"tray")) continue;
        printUtf8(shellTooltipText(tip));
        std::printf("\n");
    }
    return 0;
}

// The width and height of TEXT drawn in a font of the face, pixel height (the em, as a
// negative font height) and weight; then the face the system chose.
int printTextSize(const wchar_t* face, int pixels, int weight, const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    wchar_t chosen[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, chosen);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    std::printf("%ld %ld\n", size.cx, size.cy);
    std::wprintf(L"%ls\n", chosen);
    return 0;
}

HDDEDATA CALLBACK clientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// One conversation with the program's DDE item, one poke: "ack", "nack", "busy", "timeout"
// (no answer within 20 s) or "failed" (no conversation).
const char* pokeOnce(DWORD inst, HSZ service, HSZ topic, HSZ item, const std::wstring& text,
                     bool unicode) {
    HCONV conv = DdeConnect(inst, service, topic, nullptr);
    if (!conv) return "failed";
    std::string bytes;
    if (unicode) {
        bytes.assign(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
    } else {
        int n = WideCharToMultiByte(1252, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
        bytes.assign(static_cast<size_t>(n) + 1, '\0');
        WideCharToMultiByte(1252, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                            nullptr, nullptr);
    }
    DWORD result = 0;
    HDDEDATA ok = DdeClientTransaction(reinterpret_cast<BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size()), conv, item,
                                       unicode ? CF_UNICODETEXT : CF_TEXT, XTYP_POKE, 20000,
                                       &result);
    const UINT error = ok == nullptr ? DdeGetLastError(inst) : DMLERR_NO_ERROR;
    DdeDisconnect(conv);
    if (ok != nullptr && (result & DDE_FACK) != 0) return "ack";
    return error == DMLERR_POKEACKTIMEOUT ? "timeout" : (result & DDE_FBUSY) != 0 ? "busy" : "nack";
}

// Pokes each text in its own conversation; prints each answer (or, with count, how many of
// the texts were acknowledged) and returns 0 when all were.
int poke(const std::vector<std::wstring>& texts, bool unicode, const wchar_t* service,
         bool count) {
    DWORD inst = 0;
    if (DdeInitializeW(&inst, clientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        std::printf("failed\n");
        return 1;
    }
    HSZ hService = DdeCreateStringHandleW(inst, service, CP_WINUNICODE);
    HSZ hTopic = DdeCreateStringHandleW(inst, L"ddelookup", CP_WINUNICODE);
    HSZ hItem = DdeCreateStringHandleW(inst, L"DDESEARCHTEXT", CP_WINUNICODE);
    size_t acked = 0;
    const char* answer = "failed";
    std::string missed;
    for (const std::wstring& text : texts) {
        answer = pokeOnce(inst, hService, hTopic, hItem, text, unicode);
        if (std::strcmp(answer, "ack") == 0) ++acked;
        else missed += " " + std::string(text.begin(), text.end()) + ":" + answer;
    }
    if (count) std::printf("%zu%s\n", acked, missed.c_str());
    else std::printf("%s\n", answer);
    DdeFreeStringHandle(inst, hService);
    DdeFreeStringHandle(inst, hTopic);
    DdeFreeStringHandle(inst, hItem);
    DdeUninitialize(inst);
    return acked == texts.size() ? 0 : std::strcmp(answer, "failed") == 0 ? 1 : 3;
}

// A data object with one 8-bit text and, optionally, the same text as Unicode text, each in a
// block larger than the text as the system's are.
class TextDataObject final : public IDataObject {
public:
    TextDataObject(std::string text, std::wstring wide, bool offerWide)
        : text_(std::move(text)), wide_(std::move(wide)), offerWide_(offerWide) {}
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
        const bool wide = format->cfFormat == CF_UNICODETEXT;
        const void* bytes = wide ? static_cast<const void*>(wide_.data()) : text_.data();
        const size_t size = wide ? wide_.size() * sizeof(wchar_t) : text_.size();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 64);
        if (!block) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(block), bytes, size);
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        const bool known = f && (f->cfFormat == CF_TEXT || (offerWide_ && f->cfFormat == CF_UNICODETEXT));
        return known && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
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
    std::wstring wide_;
    bool offerWide_;
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

int dragText(const std::wstring& text, bool offerWide) {
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
            auto* data = new TextDataObject(bytes, text, offerWide);
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

// The screen rectangle's pixels, row by row, as 0x00RRGGBB.
std::vector<uint32_t> screenPixels(int x, int y, int w, int h) {
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, x, y, SRCCOPY);
        GdiFlush();
        std::memcpy(pixels.data(), bits, pixels.size() * 4);
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (uint32_t& p : pixels) p &= 0xFFFFFF; // DIB order is blue, green, red: 0xRRGGBB
    return pixels;
}

BOOL CALLBACK printChildText(HWND child, LPARAM) {
    // Sent, not GetWindowText: that gives only captions of other processes' windows.
    wchar_t text[4096] = L"";
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(child, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 5000, &length) &&
        length > 0) {
        for (wchar_t* p = text; *p; ++p)
            if (*p == L'\r' || *p == L'\n') *p = L'|';
        printUtf8(text);
        std::printf("\n");
    }
    return TRUE;
}

int protect(int count, wchar_t** paths) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;WD)", SDDL_REVISION_1, &sd, nullptr))
        return 1;
    int failed = 0;
    for (int i = 0; i < count; ++i)
        if (!SetFileSecurityW(paths[i],
                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, sd))
            ++failed;
    LocalFree(sd);
    std::printf(failed ? "failed\n" : "ok\n");
    return failed ? 1 : 0;
}

// The same question the program asks: may this user, Administrators set aside as under UAC,
// add a file to the folder?
int printAccess(const wchar_t* path) {
    const SECURITY_INFORMATION parts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityW(path, parts, nullptr, 0, &needed);
    std::vector<BYTE> sd(needed ? needed : 1);
    if (!needed || !GetFileSecurityW(path, parts, sd.data(), needed, &needed)) return 1;
    LPWSTR text = nullptr;
    if (ConvertSecurityDescriptorToStringSecurityDescriptorW(sd.data(), SDDL_REVISION_1, parts,
                                                             &text, nullptr)) {
        printUtf8(text);
        std::printf("\n");
        LocalFree(text);
    }
    HANDLE process = nullptr, restricted = nullptr, token = nullptr;
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size);
    SID_AND_ATTRIBUTES denyOnly{administrators, 0};
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    BYTE privileges[256];
    DWORD privilegesSize = sizeof privileges, granted = 0;
    BOOL allowed = FALSE;
    const bool ok =
        OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY,
                         &process) &&
        CreateRestrictedToken(process, 0, 1, &denyOnly, 0, nullptr, 0, nullptr, &restricted) &&
        DuplicateToken(restricted, SecurityImpersonation, &token) &&
        AccessCheck(sd.data(), token, FILE_ADD_FILE, &mapping,
                    reinterpret_cast<PRIVILEGE_SET*>(privileges), &privilegesSize, &granted,
                    &allowed);
    for (HANDLE h : {process, restricted, token})
        if (h) CloseHandle(h);
    std::printf("addfile %d\n", ok && allowed ? 1 : 0);
    return ok ? 0 : 1;
}

int printParent(HWND window) {
    DWORD pid = 0, parent = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !parent;
         more = Process32NextW(snapshot, &entry))
        if (entry.th32ProcessID == pid) parent = entry.th32ParentProcessID;
    CloseHandle(snapshot);
    // The parent's own process, not a list entry: a process that is gone no longer answers.
    wchar_t name[MAX_PATH] = L"";
    DWORD length = MAX_PATH;
    HANDLE process =
        parent ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parent) : nullptr;
    const bool known = process && QueryFullProcessImageNameW(process, 0, name, &length);
    if (process) CloseHandle(process);
    const wchar_t* base = std::wcsrchr(name, L'\\');
    if (known) printUtf8(base ? base + 1 : name);
    else std::printf("gone");
    std::printf("\n");
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
    if (cmd == L"dpi") {
        // The screen's DPI as a program that declares no awareness sees it under Wine.
        HDC dc = GetDC(nullptr);
        std::wprintf(L"%d\n", GetDeviceCaps(dc, LOGPIXELSX));
        ReleaseDC(nullptr, dc);
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
    if (cmd == L"textsize" && argc == 6)
        return printTextSize(argv[2], static_cast<int>(number(argv[3])),
                             static_cast<int>(number(argv[4])), argv[5]);
    if (cmd == L"poke" && argc >= 3) {
        bool unicode = false;
        const wchar_t* service = L"QUIKLEX";
        for (int i = 4; i < argc; ++i) {
            if (std::wstring(argv[i]) == L"unicode") unicode = true;
            else service = argv[i];
        }
        return poke({repeated(argv[2], argc, argv, 3)}, unicode, service, false);
    }
    if (cmd == L"pokes" && argc == 5) {
        std::vector<std::wstring> texts;
        for (long long i = 1; i <= number(argv[2]); ++i)
            texts.push_back(std::wstring(argv[3]) + std::to_wstring(i));
        return poke(texts, false, argv[4], true);
    }
    if (cmd == L"semaphore" && argc == 3) {
        // A holder of the single-instance semaphore that has no window at all.
        HANDLE semaphore = CreateSemaphoreW(nullptr, 1, 1, L"QuiklexSINGLE.SEMAPHORE");
        if (!semaphore || WaitForSingleObject(semaphore, 0) != WAIT_OBJECT_0) {
            std::printf("taken\n");
            return 1;
        }
        std::printf("ready\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(number(argv[2]) * 1000));
        return 0;
    }
    if (cmd == L"usage") return printUsage();
    if (cmd == L"resources") return printResources();
    if (cmd == L"traytips") return printTrayTips();
    if (cmd == L"drag" && (argc == 3 || argc == 4))
        return dragText(unescape(argv[2]), argc == 4 && std::wstring(argv[3]) == L"unicode");
    if (cmd == L"hotkey" && argc == 5)
        return holdHotKey(static_cast<UINT>(number(argv[2])), static_cast<UINT>(number(argv[3])),
                          static_cast<int>(number(argv[4])));
    if (cmd == L"menu") return printOpenMenu();
    if (cmd == L"sendhandover" && argc == 3) {
        HWND w = FindWindowExW(HWND_MESSAGE, nullptr, L"TReadDefinitionsHandOver", nullptr);
        if (!w) {
            std::printf("not found\n");
            return 1;
        }
        DWORD_PTR reply = 0;
        SendMessageTimeoutW(w, WM_APP + 40, 0, static_cast<LPARAM>(number(argv[2])),
                            SMTO_ABORTIFHUNG, 5000, &reply);
        std::printf("sent\n");
        return 0;
    }
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
    if (cmd == L"count" && argc == 3) {
        int n = 0;
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, argv[2], nullptr)) != nullptr;) ++n;
        std::printf("%d\n", n);
        return 0;
    }
    if (cmd == L"append" && argc == 4) {
        // A stand-in handler for an address scheme: the address as a line of the file.
        if (FILE* f = _wfopen(argv[2], L"ab")) {
            int n = WideCharToMultiByte(CP_UTF8, 0, argv[3], -1, nullptr, 0, nullptr, nullptr);
            std::string line(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
            WideCharToMultiByte(CP_UTF8, 0, argv[3], -1, line.data(), n, nullptr, nullptr);
            std::fprintf(f, "%s\n", line.c_str());
            std::fclose(f);
            return 0;
        }
        return 1;
    }
    if (cmd == L"client" && argc == 3) {
        HWND w = FindWindowW(argv[2], nullptr);
        if (!w) {
            std::printf("not found\n");
            return 1;
        }
        RECT r{};
        GetClientRect(w, &r);
        POINT origin{0, 0};
        ClientToScreen(w, &origin);
        wchar_t caption[256] = L"";
        GetWindowTextW(w, caption, 256);
        std::printf("%ld %ld %ld %ld ", origin.x, origin.y, r.right, r.bottom);
        printUtf8(caption);
        std::printf("\n");
        return 0;
    }
    if (cmd == L"hotkeyfield" && argc == 3) {
        HWND w = FindWindowW(argv[2], nullptr);
        HWND field = nullptr;
        EnumChildWindows(
            w,
            [](HWND child, LPARAM found) {
                wchar_t name[64] = L"";
                GetClassNameW(child, name, 64);
                if (std::wcscmp(name, HOTKEY_CLASSW) != 0) return TRUE;
                *reinterpret_cast<HWND*>(found) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&field));
        if (!field) {
            std::printf("not found\n");
            return 1;
        }
        std::printf("0x%04X\n", static_cast<unsigned>(SendMessageW(field, HKM_GETHOTKEY, 0, 0)));
        return 0;
    }
    if (cmd == L"getclipboard") {
        for (int attempt = 0; attempt < 250; ++attempt) {
            if (attempt > 0) Sleep(20);
            if (!OpenClipboard(nullptr)) continue;
            std::wstring text;
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                    text = chars;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
            for (wchar_t& c : text)
                if (c == L'\r' || c == L'\n') c = L'|';
            printUtf8(text);
            std::printf("\n");
            return 0;
        }
        return 1;
    }
    if (cmd == L"childtext" && argc == 3) {
        HWND w = FindWindowW(argv[2], nullptr);
        if (!w) return 1;
        EnumChildWindows(w, printChildText, 0);
        return 0;
    }
    if ((cmd == L"count" && argc == 7) || (cmd == L"rows" && argc == 6)) {
        const int x = static_cast<int>(number(argv[2])), y = static_cast<int>(number(argv[3]));
        const int w = static_cast<int>(number(argv[4])), h = static_cast<int>(number(argv[5]));
        if (w <= 0 || h <= 0) return 2;
        const std::vector<uint32_t> pixels = screenPixels(x, y, w, h);
        if (cmd == L"count") {
            const auto colour = static_cast<uint32_t>(std::wcstoul(argv[6], nullptr, 16));
            std::printf("%lld\n", static_cast<long long>(
                                      std::count(pixels.begin(), pixels.end(), colour)));
            return 0;
        }
        int bandTop = -1;
        for (int row = 0; row <= h; ++row) {
            bool marked = false;
            for (int col = 0; row < h && col < w && !marked; ++col) {
                const uint32_t p = pixels[static_cast<size_t>(row) * w + col];
                marked = ((p >> 16) & 0xFF) < 200 || ((p >> 8) & 0xFF) < 200 || (p & 0xFF) < 200;
            }
            if (marked && bandTop < 0) bandTop = row;
            if (!marked && bandTop >= 0) {
                std::printf("%d %d\n", y + bandTop, y + row - 1);
                bandTop = -1;
            }
        }
        return 0;
    }
    if (cmd == L"dpichanged" && argc == 8) {
        // What the system sends a window moved onto a monitor of another scale: the new DPI
        // in both halves of wParam and the suggested window rectangle. The rectangle is
        // written into the window's process, since a pointer of this process means nothing
        // there. "panel" names the panel.
        HWND w = std::wstring(argv[2]) == L"panel" ? findPanel() : FindWindowW(argv[2], nullptr);
        DWORD pid = 0;
        if (!w || !GetWindowThreadProcessId(w, &pid)) {
            std::printf("not found\n");
            return 1;
        }
        const auto dpi = static_cast<WORD>(number(argv[3]));
        RECT r{static_cast<LONG>(number(argv[4])), static_cast<LONG>(number(argv[5])), 0, 0};
        r.right = r.left + static_cast<LONG>(number(argv[6]));
        r.bottom = r.top + static_cast<LONG>(number(argv[7]));
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
        void* remote = process ? VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT | MEM_RESERVE,
                                                PAGE_READWRITE)
                               : nullptr;
        DWORD_PTR reply = 0;
        const bool ok = remote && WriteProcessMemory(process, remote, &r, sizeof r, nullptr) &&
                        SendMessageTimeoutW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                            reinterpret_cast<LPARAM>(remote),
                                            SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &reply);
        if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
        return ok ? 0 : 1;
    }
    if (cmd == L"dpiscaledsize" && argc == 4) {
        // What the system asks a window before it moves it onto a monitor of another scale:
        // its size at that DPI. The answer comes back through memory of the window's process.
        HWND w = std::wstring(argv[2]) == L"panel" ? findPanel() : FindWindowW(argv[2], nullptr);
        DWORD pid = 0;
        if (!w || !GetWindowThreadProcessId(w, &pid)) {
            std::printf("not found\n");
            return 1;
        }
        const auto dpi = static_cast<WORD>(number(argv[3]));
        SIZE size{0, 0};
        HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        void* remote = process ? VirtualAllocEx(process, nullptr, sizeof size,
                                                MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                               : nullptr;
        DWORD_PTR reply = 0;
        const bool ok =
            remote && WriteProcessMemory(process, remote, &size, sizeof size, nullptr) &&
            SendMessageTimeoutW(w, 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi,
                                reinterpret_cast<LPARAM>(remote), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                                5000, &reply) &&
            reply != 0 && ReadProcessMemory(process, remote, &size, sizeof size, nullptr);
        if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
        if (ok) std::printf("%ld %ld\n", size.cx, size.cy);
        return ok ? 0 : 1;
    }
    if (cmd == L"framesize" && argc == 4) {
        // The frame (outer less client size) of a window of that class's style at a DPI, as
        // the system measures it for that DPI where it can.
        HWND w = FindWindowW(argv[2], nullptr);
        if (!w) {
            std::printf("not found\n");
            return 1;
        }
        using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
        const auto adjust = reinterpret_cast<AdjustFn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE));
        RECT r{0, 0, 0, 0};
        if (!(adjust && adjust(&r, style, FALSE, exStyle, static_cast<UINT>(number(argv[3])))))
            AdjustWindowRectEx(&r, style, FALSE, exStyle);
        std::printf("%ld %ld\n", r.right - r.left, r.bottom - r.top);
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
    if (cmd == L"protect" && argc >= 3) return protect(argc - 2, argv + 2);
    if (cmd == L"acl" && argc == 3) return printAccess(argv[2]);
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
    if (cmd == L"ping") {
        // The program's message that does nothing (lParam 1), timed here: no process start
        // in the figure.
        LARGE_INTEGER frequency{}, before{}, after{};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&before);
        DWORD_PTR reply = 0;
        const LRESULT ok = SendMessageTimeoutW(panel, productMessage(), 0, 1,
                                               SMTO_BLOCK | SMTO_ABORTIFHUNG, 10000, &reply);
        QueryPerformanceCounter(&after);
        const double ms = static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                          static_cast<double>(frequency.QuadPart);
        if (ok) std::printf("%.1f\n", ms);
        else std::printf("hung\n");
        return ok ? 0 : 1;
    }
    if (cmd == L"post" && argc == 4) {
        return PostMessageW(panel, productMessage(), static_cast<WPARAM>(number(argv[2])),
                            static_cast<LPARAM>(number(argv[3])))
                   ? 0
                   : 1;
    }
    if (cmd == L"close") return PostMessageW(panel, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"parent") return printParent(panel);
    if (cmd == L"trayicon") {
        // Changing nothing succeeds only for an icon that is there.
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V2_SIZE;
        data.hWnd = panel;
        data.uID = 0;
        std::printf("%d\n", Shell_NotifyIconW(NIM_MODIFY, &data) ? 1 : 0);
        return 0;
    }
    if (cmd == L"traydelete") {
        // What a restarting taskbar does to every icon: the panel's is gone.
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V2_SIZE;
        data.hWnd = panel;
        data.uID = 0;
        std::printf("%d\n", Shell_NotifyIconW(NIM_DELETE, &data) ? 1 : 0);
        return 0;
    }
    if (cmd == L"taskbarcreated") {
        // What a restarted taskbar announces to every top-level window.
        const UINT created = RegisterWindowMessageW(L"TaskbarCreated");
        return created && PostMessageW(HWND_BROADCAST, created, 0, 0) ? 0 : 1;
    }
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
