// The container side of the messages window's browser control, apart from the view so that a
// test can make it and ask it what the control would ask: the client site with its ambient
// properties, host information and services, the in-place frame, and the security manager
// that puts the message page in the untrusted zone and allows it nothing.
#pragma once

#include <windows.h>

#include <mshtmdid.h>
#include <mshtmhst.h>
#include <oleidl.h>
#include <servprov.h>
#include <urlmon.h>

#include <string>

namespace qlx::win {

// The automation library's string and variant functions, loaded from the system folder on
// first use: an import would let Windows look for the library beside the program first.
struct Automation {
    decltype(&SysAllocString) allocString = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
    decltype(&SysStringLen) stringLength = nullptr;
    decltype(&VariantClear) clearVariant = nullptr;
    bool loaded() const { return allocString && freeString && stringLength && clearVariant; }
};
const Automation& automation();

VARIANT emptyVariant();
std::string fromBstr(BSTR b);

// A BSTR for the call's duration.
class Bstr {
  public:
    explicit Bstr(const std::string& text);
    ~Bstr();
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return b_; }

  private:
    BSTR b_;
};

// What the control may do on its own: no scripts, Java, ActiveX, frames, behaviours, client
// pull or network (the page is the program's own and needs nothing from outside).
inline constexpr LONG kBrowserDownloadControl =
    DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS |
    DLCTL_NO_FRAMEDOWNLOAD | DLCTL_NO_BEHAVIORS | DLCTL_NO_CLIENTPULL | DLCTL_SILENT |
    DLCTL_FORCEOFFLINE;
// The document host's flags: no border or help menu, no scripts while inactive, the local
// machine's lock-down, no protocols outside the safe list, redirects reported as
// navigations so that they meet the same checks, and a page scaled to the DPI with the
// zoom meaning the page's own scale.
inline constexpr DWORD kBrowserHostFlags =
    DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DISABLE_HELP_MENU |
    DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE | DOCHOSTUIFLAG_LOCAL_MACHINE_ACCESS_CHECK |
    DOCHOSTUIFLAG_DISABLE_UNTRUSTEDPROTOCOL | DOCHOSTUIFLAG_ENABLE_REDIRECT_NOTIFICATION |
    DOCHOSTUIFLAG_DPI_AWARE;
// The control's file-download event (exdispid.h of older kits lacks it).
inline constexpr DISPID kDispidFileDownload = 270;

// The control's events as the site reads them.
class BrowserSiteEvents {
  public:
    virtual ~BrowserSiteEvents() = default;
    // A navigation of the control (frame: the browser object that navigates, its own or a
    // frame's); true to cancel it.
    virtual bool beforeNavigate(IDispatch* frame, const std::string& address) = 0;
    // A link or page asks for a new window (which the site always cancels).
    virtual void newWindow(const std::string& address, bool userInitiated) = 0;
    virtual void documentComplete() = 0;
    // A navigation failed.
    virtual void navigateError() {}
};

// Every address is in the untrusted zone and every action is disallowed; nothing is left to
// the system's own zone settings.
class BrowserSecurityManager final : public IInternetSecurityManager {
  public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP SetSecuritySite(IInternetSecurityMgrSite* site) override;
    STDMETHODIMP GetSecuritySite(IInternetSecurityMgrSite** site) override;
    STDMETHODIMP MapUrlToZone(LPCWSTR url, DWORD* zone, DWORD flags) override;
    STDMETHODIMP GetSecurityId(LPCWSTR url, BYTE* id, DWORD* idSize, DWORD_PTR reserved) override;
    STDMETHODIMP ProcessUrlAction(LPCWSTR url, DWORD action, BYTE* policy, DWORD policySize,
                                  BYTE* context, DWORD contextSize, DWORD flags,
                                  DWORD reserved) override;
    STDMETHODIMP QueryCustomPolicy(LPCWSTR url, REFGUID key, BYTE** policy, DWORD* policySize,
                                   BYTE* context, DWORD contextSize, DWORD reserved) override;
    STDMETHODIMP SetZoneMapping(DWORD zone, LPCWSTR pattern, DWORD flags) override;
    STDMETHODIMP GetZoneMappings(DWORD zone, IEnumString** patterns, DWORD flags) override;

  private:
    LONG refs_ = 1;
};

// The frame the control's in-place object asks for; it offers nothing of its own.
class BrowserFrame final : public IOleInPlaceFrame {
  public:
    explicit BrowserFrame(HWND window) : window_(window) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  private:
    LONG refs_ = 1;
    HWND window_;
};

// The control's site in the holder window: the receiver of its ambient-property questions,
// its host-information and service requests, and its events. It outlives the view if the
// control holds on to it; the view detaches it when it goes, and a detached site cancels
// whatever the control still asks for.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IDocHostUIHandler,
                          public IDispatch,
                          public IServiceProvider {
  public:
    BrowserSite(HWND holder, BrowserSiteEvents* events) : holder_(holder), events_(events) {}
    void detach() { events_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
        return S_OK; // handled: no menu
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override {
        return S_OK;
    }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override;
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override;
    STDMETHODIMP GetExternal(IDispatch** external) override;
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override;
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** out) override;

    // IDispatch: the ambient properties and the control's events.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

    // IServiceProvider: the program's own security manager, and nothing else.
    STDMETHODIMP QueryService(REFGUID service, REFIID riid, void** out) override;

  private:
    LONG refs_ = 1;
    HWND holder_;
    BrowserSiteEvents* events_;
};

} // namespace qlx::win
