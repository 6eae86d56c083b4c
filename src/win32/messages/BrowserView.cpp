// The system's web-browser control as the messages window's view, in a minimal container of
// the program's own: client site, in-place site and frame, the document host's interface and
// the control's events. The container tells the control to run no scripts, Java or ActiveX,
// to load no frames or behaviours and to pull nothing by itself; it shows no context menu of
// the control's, cancels every new window and every file download, and lets the view follow
// a link inside itself only to a web page.
#include <windows.h>

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmdid.h>
#include <mshtmhst.h>
#include <mshtml.h>
#include <oleidl.h>

#include <cstring>
#include <string>
#include <type_traits>

#include "win32/system/Encoding.h"
#include "win32/messages/MessageView.h"
#include "messages/MessagesForm.h"

namespace qlx::win {

namespace {

constexpr LONG kDownloadControl = DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS |
                                  DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_FRAMEDOWNLOAD |
                                  DLCTL_NO_BEHAVIORS | DLCTL_NO_CLIENTPULL | DLCTL_SILENT;
constexpr DISPID kDispidFileDownload = 270;
// The HTML document object (the import library lacks it).
constexpr CLSID kClsidHtmlDocument = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

template <typename T> void release(T*& p) {
    if (p) {
        p->Release();
        p = nullptr;
    }
}

// The automation library's string and variant functions, loaded from the system folder when
// a browser view is first made: an import would let Windows look for the library beside the
// program first.
struct Automation {
    decltype(&SysAllocString) allocString = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
    decltype(&SysStringLen) stringLength = nullptr;
    decltype(&VariantClear) clearVariant = nullptr;
    bool loaded() const { return allocString && freeString && stringLength && clearVariant; }
};

const Automation& automation() {
    static const Automation api = [] {
        Automation a;
        if (HMODULE library = LoadLibraryW(L"oleaut32.dll")) {
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

// A BSTR for the call's duration.
class Bstr {
  public:
    explicit Bstr(const std::string& text) : b_(automation().allocString(widen(text).c_str())) {}
    ~Bstr() { automation().freeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return b_; }

  private:
    BSTR b_;
};

std::string fromBstr(BSTR b) {
    return b ? narrow(std::wstring_view(b, automation().stringLength(b))) : std::string();
}

// The event's argument at index (counted from the last, as dispatch passes them), when it
// has the type asked for.
VARIANT* argument(DISPPARAMS* params, UINT fromLast, VARTYPE type) {
    if (!params || fromLast >= params->cArgs) return nullptr;
    VARIANT* v = &params->rgvarg[fromLast];
    return v->vt == type ? v : nullptr;
}

void setCancel(DISPPARAMS* params, UINT fromLast) {
    if (VARIANT* cancel = argument(params, fromLast, VT_BYREF | VT_BOOL))
        if (cancel->pboolVal) *cancel->pboolVal = VARIANT_TRUE;
}

class BrowserView;

// The frame the control's in-place object asks for; it offers nothing of its own.
class BrowserFrame final : public IOleInPlaceFrame {
  public:
    explicit BrowserFrame(HWND window) : window_(window) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
            riid == IID_IOleInPlaceFrame)
            *out = static_cast<IOleInPlaceFrame*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = window_;
        return S_OK;
    }
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

// The control's site in the holder window, and the receiver of its ambient-property
// questions and its events. It outlives the view if the control holds on to it; the view
// detaches it when it goes.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IDocHostUIHandler,
                          public IDispatch {
  public:
    BrowserSite(HWND holder, BrowserView* view) : holder_(holder), view_(view) {}
    void detach() { view_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IDocHostUIHandler)
            *out = static_cast<IDocHostUIHandler*>(this);
        else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2)
            *out = static_cast<IDispatch*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = holder_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override {
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
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override {
        if (!info) return E_POINTER;
        info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DISABLE_HELP_MENU |
                        DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE |
                        DOCHOSTUIFLAG_LOCAL_MACHINE_ACCESS_CHECK;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        info->pchHostCss = nullptr;
        info->pchHostNS = nullptr;
        return S_OK;
    }
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
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override {
        if (key) *key = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override {
        if (target) *target = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetExternal(IDispatch** external) override {
        if (external) *external = nullptr;
        return S_FALSE; // no window.external
    }
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }

    // IDispatch: the ambient download control and the control's events.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

  private:
    LONG refs_ = 1;
    HWND holder_;
    BrowserView* view_;
};

class BrowserBody final : public HtmlBody {
  public:
    explicit BrowserBody(IHTMLElement* body) : body_(body) {}
    ~BrowserBody() override { body_->Release(); }
    bool setInnerHtml(const std::string& html) override {
        return SUCCEEDED(body_->put_innerHTML(Bstr(html).get()));
    }
    void setStyle(const std::string& fontFamily, const std::string& margin) override {
        IHTMLStyle* style = nullptr;
        if (FAILED(body_->get_style(&style)) || !style) return;
        style->put_fontFamily(Bstr(fontFamily).get());
        style->put_margin(Bstr(margin).get());
        style->Release();
    }

  private:
    IHTMLElement* body_;
};

// OLE for the thread while a browser view lives (the drop target has it already; this keeps
// the view independent of that).
class OleScope {
  public:
    OleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (ok_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    bool ok() const { return ok_; }

  private:
    bool ok_;
};

class BrowserView final : public MessageView {
  public:
    BrowserView(HWND holder, MessageViewEvents& events)
        : holder_(holder), events_(events), site_(new BrowserSite(holder, this)) {}

    ~BrowserView() override {
        site_->detach(); // whatever the control still reports goes nowhere
        if (point_) {
            point_->Unadvise(cookie_);
            release(point_);
        }
        release(activeObject_);
        release(browser_);
        if (object_) {
            object_->Close(OLECLOSE_NOSAVE);
            object_->SetClientSite(nullptr);
            release(object_);
        }
        site_->Release();
    }

    bool start() {
        if (!ole_.ok() || !automation().loaded()) return false;
        // The HTML engine itself. Without it the browser control may still be made, but it
        // never yields a document.
        IUnknown* engine = nullptr;
        if (FAILED(CoCreateInstance(kClsidHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                    reinterpret_cast<void**>(&engine))))
            return false;
        engine->Release();
        if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    reinterpret_cast<void**>(&object_))))
            return false;
        // The site answers the download-control question before any page loads.
        if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(site_)))) return false;
        IOleControl* control = nullptr;
        if (SUCCEEDED(
                object_->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&control)))) {
            control->OnAmbientPropertyChange(DISPID_AMBIENT_DLCONTROL);
            control->Release();
        }
        RECT r{};
        GetClientRect(holder_, &r);
        if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                                   static_cast<IOleClientSite*>(site_), 0, holder_, &r)))
            return false;
        if (FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_))))
            return false;
        browser_->put_Silent(VARIANT_TRUE);
        browser_->put_RegisterAsDropTarget(VARIANT_FALSE);
        browser_->put_RegisterAsBrowser(VARIANT_FALSE);

        IConnectionPointContainer* points = nullptr;
        if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                            reinterpret_cast<void**>(&points))))
            return false;
        const HRESULT found = points->FindConnectionPoint(DIID_DWebBrowserEvents2, &point_);
        points->Release();
        if (FAILED(found) || !point_) return false;
        return SUCCEEDED(point_->Advise(static_cast<IDispatch*>(site_), &cookie_));
    }

    void Navigate(const std::string& address) override {
        ownNavigation_ = true;
        VARIANT empty = emptyVariant();
        browser_->Navigate(Bstr(address).get(), &empty, &empty, &empty, &empty);
    }
    bool Busy() override {
        VARIANT_BOOL busy = VARIANT_FALSE;
        return SUCCEEDED(browser_->get_Busy(&busy)) && busy != VARIANT_FALSE;
    }
    std::unique_ptr<HtmlBody> body() override {
        IHTMLDocument2* document = document2();
        if (!document) return nullptr;
        IHTMLElement* body = nullptr;
        const HRESULT got = document->get_body(&body);
        document->Release();
        if (FAILED(got) || !body) return nullptr;
        return std::make_unique<BrowserBody>(body);
    }
    std::string activeElementAttribute(const std::string& name) override {
        std::string value;
        IHTMLDocument2* document = document2();
        if (!document) return value;
        IHTMLElement* active = nullptr;
        if (SUCCEEDED(document->get_activeElement(&active)) && active) {
            VARIANT v = emptyVariant();
            if (SUCCEEDED(active->getAttribute(Bstr(name).get(), 0, &v)) && v.vt == VT_BSTR)
                value = fromBstr(v.bstrVal);
            automation().clearVariant(&v);
            active->Release();
        }
        document->Release();
        return value;
    }
    bool builtIn() const override { return false; }
    void hide() override {
        if (HWND w = controlWindow()) ShowWindow(w, SW_HIDE);
    }
    void resize(int width, int height) override {
        IOleInPlaceObject* inPlace = nullptr;
        if (FAILED(
                object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))))
            return;
        RECT r{0, 0, width, height};
        inPlace->SetObjectRects(&r, &r);
        inPlace->Release();
    }
    bool translateKey(MSG& msg) override {
        // The dialog manager of the control's window first, then the control's own
        // accelerators: that is how Enter reaches a link that has the focus.
        HWND window = controlWindow();
        if (!window || !IsDialogMessageW(window, &msg)) return false;
        if (!activeObject_)
            browser_->QueryInterface(IID_IOleInPlaceActiveObject,
                                     reinterpret_cast<void**>(&activeObject_));
        if (activeObject_) activeObject_->TranslateAccelerator(&msg);
        return true;
    }

    // Events, from the site.
    void beforeNavigate(DISPPARAMS* params) {
        std::string address;
        if (VARIANT* url = argument(params, 5, VT_BYREF | VT_VARIANT))
            if (url->pvarVal && url->pvarVal->vt == VT_BSTR)
                address = fromBstr(url->pvarVal->bstrVal);
        // The blank page the window itself asked for comes first; after it, web pages only.
        const bool own = ownNavigation_ && address.compare(0, 6, "about:") == 0;
        ownNavigation_ = false;
        if (!own && !viewMayNavigateTo(address)) setCancel(params, 0);
    }
    void newWindow(DISPPARAMS* params) {
        bool cancel = true;
        if (events_.newWindow) events_.newWindow(cancel);
        setCancel(params, 0); // never a window of the control's own
    }
    void documentComplete() {
        if (events_.documentComplete) events_.documentComplete();
    }
    void navigateError() {
        if (events_.navigateError) events_.navigateError();
    }

  private:
    IHTMLDocument2* document2() {
        IDispatch* dispatch = nullptr;
        if (FAILED(browser_->get_Document(&dispatch)) || !dispatch) return nullptr;
        IHTMLDocument2* document = nullptr;
        dispatch->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&document));
        dispatch->Release();
        return document;
    }
    HWND controlWindow() {
        IOleWindow* window = nullptr;
        HWND hwnd = nullptr;
        if (object_ &&
            SUCCEEDED(object_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
            window->GetWindow(&hwnd);
            window->Release();
        }
        return hwnd;
    }

    OleScope ole_;
    HWND holder_;
    MessageViewEvents& events_;
    BrowserSite* site_;
    IOleObject* object_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
    IOleInPlaceActiveObject* activeObject_ = nullptr; // fetched on the first key
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
    bool ownNavigation_ = false;
};

STDMETHODIMP BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT*) {
    try {
        switch (id) {
        case DISPID_AMBIENT_DLCONTROL:
            if (!result) return E_POINTER;
            *result = emptyVariant();
            result->vt = VT_I4;
            result->lVal = kDownloadControl;
            return S_OK;
        case DISPID_BEFORENAVIGATE2:
            if (view_)
                view_->beforeNavigate(params);
            else
                setCancel(params, 0);
            return S_OK;
        case DISPID_NEWWINDOW2:
            if (view_)
                view_->newWindow(params);
            else
                setCancel(params, 0);
            return S_OK;
        case DISPID_NEWWINDOW3:
            setCancel(params, 3);
            return S_OK;
        case kDispidFileDownload:
            // Pages themselves come through here too; only real downloads are refused.
            if (VARIANT* page = argument(params, 1, VT_BOOL);
                !page || page->boolVal == VARIANT_FALSE)
                setCancel(params, 0);
            return S_OK;
        case DISPID_DOCUMENTCOMPLETE:
            if (view_) view_->documentComplete();
            return S_OK;
        case DISPID_NAVIGATEERROR:
            if (view_) view_->navigateError();
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace

std::unique_ptr<MessageView> makeBrowserView(HWND holder, MessageViewEvents& events) {
    auto view = std::make_unique<BrowserView>(holder, events);
    if (!view->start()) return nullptr;
    return view;
}

} // namespace qlx::win
