// The browser control's site, frame and security manager.
#include "win32/messages/BrowserSite.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmdid.h>
#include <shobjidl.h>

#include <cstring>
#include <new>
#include <type_traits>

#include "win32/system/Encoding.h"
#include "win32/system/SystemLibrary.h"

namespace qlx::win {

const Automation& automation() {
    static const Automation api = [] {
        Automation a;
        // From the system folder: a library of that name beside the program is never loaded.
        if (HMODULE library = loadSystemLibrary(L"oleaut32.dll")) {
            auto find = [&](auto& function, const char* name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                    reinterpret_cast<void*>(GetProcAddress(library, name)));
            };
            find(a.allocString, "SysAllocString");
            find(a.freeString, "SysFreeString");
            find(a.stringLength, "SysStringLen");
            find(a.clearVariant, "VariantClear");
        }
        return a;
    }();
    return api;
}

VARIANT emptyVariant() {
    VARIANT v;
    std::memset(&v, 0, sizeof v);
    v.vt = VT_EMPTY;
    return v;
}

std::string fromBstr(BSTR b) {
    return b ? narrow(std::wstring_view(b, automation().stringLength(b))) : std::string();
}

Bstr::Bstr(const std::string& text) : b_(automation().allocString(widen(text).c_str())) {}
Bstr::~Bstr() {
    automation().freeString(b_);
}

namespace {

// The event's argument at index (counted from the last, as dispatch passes them), when it
// has the type asked for.
VARIANT* argument(DISPPARAMS* params, UINT fromLast, VARTYPE type) {
    if (!params || fromLast >= params->cArgs) return nullptr;
    VARIANT* v = &params->rgvarg[fromLast];
    return v->vt == type ? v : nullptr;
}

std::string textArgument(DISPPARAMS* params, UINT fromLast) {
    if (VARIANT* v = argument(params, fromLast, VT_BSTR)) return fromBstr(v->bstrVal);
    if (VARIANT* v = argument(params, fromLast, VT_BYREF | VT_VARIANT))
        if (v->pvarVal && v->pvarVal->vt == VT_BSTR) return fromBstr(v->pvarVal->bstrVal);
    return std::string();
}

void setCancel(DISPPARAMS* params, UINT fromLast, bool cancel) {
    if (VARIANT* v = argument(params, fromLast, VT_BYREF | VT_BOOL))
        if (v->pboolVal) *v->pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

template <typename T> HRESULT giveOut(T* object, void** out) {
    *out = object;
    object->AddRef();
    return S_OK;
}

} // namespace

// --- BrowserSecurityManager

STDMETHODIMP BrowserSecurityManager::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IInternetSecurityManager)
        return giveOut(static_cast<IInternetSecurityManager*>(this), out);
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BrowserSecurityManager::Release() {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP BrowserSecurityManager::SetSecuritySite(IInternetSecurityMgrSite*) {
    return S_OK;
}

STDMETHODIMP BrowserSecurityManager::GetSecuritySite(IInternetSecurityMgrSite** site) {
    if (!site) return E_POINTER;
    *site = nullptr;
    return S_OK;
}

STDMETHODIMP BrowserSecurityManager::MapUrlToZone(LPCWSTR, DWORD* zone, DWORD) {
    if (!zone) return E_POINTER;
    *zone = URLZONE_UNTRUSTED;
    return S_OK;
}

STDMETHODIMP BrowserSecurityManager::GetSecurityId(LPCWSTR url, BYTE* id, DWORD* idSize,
                                                   DWORD_PTR) {
    // The scheme and the untrusted zone: every page of the view is the same stranger.
    if (!url || !id || !idSize) return E_INVALIDARG;
    std::string scheme;
    for (const wchar_t* c = url; *c && *c != L':' && scheme.size() < 32; ++c)
        scheme += static_cast<char>(*c < 0x80 ? *c : '_');
    scheme += ':';
    const DWORD zone = URLZONE_UNTRUSTED;
    const DWORD needed = static_cast<DWORD>(scheme.size() + sizeof zone);
    if (*idSize < needed) {
        *idSize = needed;
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(id, scheme.data(), scheme.size());
    std::memcpy(id + scheme.size(), &zone, sizeof zone);
    *idSize = needed;
    return S_OK;
}

STDMETHODIMP BrowserSecurityManager::ProcessUrlAction(LPCWSTR, DWORD, BYTE* policy,
                                                      DWORD policySize, BYTE*, DWORD, DWORD,
                                                      DWORD) {
    if (policy && policySize >= sizeof(DWORD)) {
        const DWORD disallow = URLPOLICY_DISALLOW;
        std::memcpy(policy, &disallow, sizeof disallow);
    }
    return S_FALSE; // disallowed
}

STDMETHODIMP BrowserSecurityManager::QueryCustomPolicy(LPCWSTR, REFGUID, BYTE** policy,
                                                       DWORD* policySize, BYTE*, DWORD, DWORD) {
    if (policy) *policy = nullptr;
    if (policySize) *policySize = 0;
    return E_ACCESSDENIED;
}

STDMETHODIMP BrowserSecurityManager::SetZoneMapping(DWORD, LPCWSTR, DWORD) {
    return E_ACCESSDENIED;
}

STDMETHODIMP BrowserSecurityManager::GetZoneMappings(DWORD, IEnumString** patterns, DWORD) {
    if (patterns) *patterns = nullptr;
    return E_NOTIMPL;
}

// --- BrowserFrame

STDMETHODIMP BrowserFrame::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
        riid == IID_IOleInPlaceFrame)
        return giveOut(static_cast<IOleInPlaceFrame*>(this), out);
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BrowserFrame::Release() {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP BrowserFrame::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
}

// --- BrowserSite

STDMETHODIMP BrowserSite::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        return giveOut(static_cast<IOleClientSite*>(this), out);
    if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        return giveOut(static_cast<IOleInPlaceSite*>(this), out);
    if (riid == IID_IDocHostUIHandler) return giveOut(static_cast<IDocHostUIHandler*>(this), out);
    if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2)
        return giveOut(static_cast<IDispatch*>(this), out);
    if (riid == IID_IServiceProvider) return giveOut(static_cast<IServiceProvider*>(this), out);
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BrowserSite::Release() {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP BrowserSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = holder_;
    return S_OK;
}

STDMETHODIMP BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip,
                                           LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = new BrowserFrame(holder_);
    *document = nullptr;
    GetClientRect(holder_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(holder_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP BrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info) return E_POINTER;
    info->dwFlags = kBrowserHostFlags;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
}

STDMETHODIMP BrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key) *key = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    if (target) *target = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetExternal(IDispatch** external) {
    if (external) *external = nullptr;
    return S_FALSE; // no window.external
}

STDMETHODIMP BrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
    if (out) *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP BrowserSite::FilterDataObject(IDataObject*, IDataObject** out) {
    if (out) *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP BrowserSite::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP BrowserSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::QueryService(REFGUID service, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (service != SID_SInternetSecurityManager) return E_NOINTERFACE;
    auto* manager = new (std::nothrow) BrowserSecurityManager();
    if (!manager) return E_OUTOFMEMORY;
    const HRESULT result = manager->QueryInterface(riid, out);
    manager->Release();
    return result;
}

STDMETHODIMP BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT*) {
    try {
        switch (id) {
        case DISPID_AMBIENT_DLCONTROL:
            if (!result) return E_POINTER;
            *result = emptyVariant();
            result->vt = VT_I4;
            result->lVal = kBrowserDownloadControl;
            return S_OK;
        case DISPID_BEFORENAVIGATE2: {
            // (frame, address, flags, target frame, post data, headers, cancel)
            // Cancelled first: a failure on the way must not let the navigation through.
            setCancel(params, 0, true);
            IDispatch* frame = nullptr;
            if (VARIANT* v = argument(params, 6, VT_DISPATCH)) frame = v->pdispVal;
            if (events_ && !events_->beforeNavigate(frame, textArgument(params, 5)))
                setCancel(params, 0, false);
            return S_OK;
        }
        case DISPID_NEWWINDOW2:
            // NewWindow3 follows with the address and the user's part in it.
            return S_OK;
        case DISPID_NEWWINDOW3: {
            // (new window, cancel, flags, the opener's address, the address)
            DWORD flags = 0;
            if (VARIANT* v = argument(params, 2, VT_I4)) flags = static_cast<DWORD>(v->lVal);
            if (VARIANT* v = argument(params, 2, VT_UI4)) flags = v->ulVal;
            setCancel(params, 3, true); // never a window of the control's own
            if (events_)
                events_->newWindow(textArgument(params, 0), (flags & NWMF_USERINITED) != 0);
            return S_OK;
        }
        case kDispidFileDownload:
            // Pages themselves come through here too; only real downloads are refused.
            if (VARIANT* page = argument(params, 1, VT_BOOL);
                !page || page->boolVal == VARIANT_FALSE)
                setCancel(params, 0, true);
            return S_OK;
        case DISPID_DOCUMENTCOMPLETE:
            if (events_) events_->documentComplete();
            return S_OK;
        case DISPID_NAVIGATEERROR:
            if (events_) events_->navigateError();
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace qlx::win
