// The start-up floor: a program that does, before its window shows, only what the panel must
// offer at once: the single-instance semaphore, the registered message, the tray icon, an OLE
// drop target, a DDE name, the hot key and Winsock on a thread; then one 82 x 32 window.
#include <winsock2.h>
#include <windows.h>

#include <ddeml.h>
#include <ole2.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A drop target that takes nothing.
struct Target final : IDropTarget {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == IID_IUnknown || id == IID_IDropTarget) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* e) override {
        *e = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* e) override {
        *e = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* e) override {
        *e = DROPEFFECT_NONE;
        return S_OK;
    }
};

HDDEDATA CALLBACK ddeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

DWORD WINAPI network(void*) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) == 0) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (s != INVALID_SOCKET) closesocket(s);
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int) {
    HANDLE semaphore = CreateSemaphoreW(nullptr, 1, 1, L"QuiklexFloorSINGLE.SEMAPHORE");
    if (semaphore) WaitForSingleObject(semaphore, 0);
    RegisterWindowMessageW(L"Quiklex floor message");

    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = module;
    wc.hbrBackground = CreateSolidBrush(RGB(62, 116, 92));
    wc.lpszClassName = L"FloorWin";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Floor", WS_POPUP | WS_BORDER,
                             GetSystemMetrics(SM_CXSCREEN) - 164, 0, 82, 32, nullptr, nullptr,
                             module, nullptr);

    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = w;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(icon.szTip, L"Floor");
    Shell_NotifyIconW(NIM_ADD, &icon);

    static Target target;
    OleInitialize(nullptr);
    RegisterDragDrop(w, &target);

    DWORD dde = 0;
    if (DdeInitializeW(&dde, ddeCallback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) ==
        DMLERR_NO_ERROR) {
        HSZ service = DdeCreateStringHandleW(dde, L"floorwin", CP_WINUNICODE);
        DdeNameService(dde, service, nullptr, DNS_REGISTER);
    }
    RegisterHotKey(w, 1, MOD_CONTROL | MOD_SHIFT, 'F');
    CloseHandle(CreateThread(nullptr, 0, network, nullptr, 0, nullptr));

    ShowWindow(w, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
