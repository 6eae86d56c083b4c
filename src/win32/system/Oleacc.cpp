// Calls into oleacc.dll from the system folder, looked up once.
#include "win32/system/Oleacc.h"

#include "win32/system/Encoding.h"
#include "win32/system/SystemLibrary.h"

namespace qlx::win {

namespace {

using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);

struct Oleacc {
    LresultFromObjectFn lresultFromObject = nullptr;
    CreateStdAccessibleObjectFn createStdAccessibleObject = nullptr;
};

template <typename Fn> Fn entry(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Oleacc& oleacc() {
    static const Oleacc library = [] {
        Oleacc o;
        // The system folder's own, also on a Windows 7 whose loader lacks the search flags
        // (there the flag alone makes the load fail).
        HMODULE module = loadSystemLibrary(L"oleacc.dll");
        if (!module) return o;
        o.lresultFromObject = entry<LresultFromObjectFn>(module, "LresultFromObject");
        o.createStdAccessibleObject =
            entry<CreateStdAccessibleObjectFn>(module, "CreateStdAccessibleObject");
        return o;
    }();
    return library;
}

} // namespace

LRESULT resultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
    const Oleacc& o = oleacc();
    if (!o.lresultFromObject || !object) return 0;
    const LRESULT result = o.lresultFromObject(iid, wParam, object);
    return result < 0 ? 0 : result; // a failure code: nothing was handed over
}

IAccessible* systemAccessible(HWND window, LONG idObject) {
    const Oleacc& o = oleacc();
    if (!o.createStdAccessibleObject || !window) return nullptr;
    void* object = nullptr;
    if (FAILED(o.createStdAccessibleObject(window, idObject, IID_IAccessible, &object))) return nullptr;
    return static_cast<IAccessible*>(object);
}

void notifyAccessibleEvent(DWORD event, HWND window, LONG childId) {
    if (window) NotifyWinEvent(event, window, OBJID_CLIENT, childId);
}

namespace {
// The annotation service lives in oleacc.dll, found through its registered class: nothing
// is imported.
IAccPropServices* propServices() {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services))))
        return nullptr;
    return services;
}
} // namespace

bool annotateWindow(HWND window, const std::string& name, const std::string& shortcut) {
    if (!window) return false;
    IAccPropServices* services = propServices();
    if (!services) return false;
    bool ok = SUCCEEDED(services->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF,
                                                 PROPID_ACC_NAME, widen(name).c_str()));
    if (ok && !shortcut.empty())
        ok = SUCCEEDED(services->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF,
                                                PROPID_ACC_KEYBOARDSHORTCUT,
                                                widen(shortcut).c_str()));
    services->Release();
    return ok;
}

void clearWindowAnnotation(HWND window) {
    if (!window) return;
    IAccPropServices* services = propServices();
    if (!services) return;
    MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_KEYBOARDSHORTCUT};
    services->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, props, 2);
    services->Release();
}

} // namespace qlx::win
