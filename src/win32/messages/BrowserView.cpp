// The system's web-browser control as the messages window's view, in the minimal container of
// BrowserSite.h. The page it shows is the program's own, loaded from memory into the blank
// page the window asks for; the control may load nothing else, runs under the program's own
// security manager, and never leaves that page: links go to the user's browser.
#include <windows.h>

#include <exdisp.h>
#include <mshtml.h>
#include <oleidl.h>

#include <algorithm>
#include <string>

#include "win32/messages/BrowserSite.h"
#include "win32/messages/MessageView.h"

namespace qlx::win {

namespace {

// The HTML document object (the import library lacks it).
constexpr CLSID kClsidHtmlDocument = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

template <typename T> void release(T*& p) {
    if (p) {
        p->Release();
        p = nullptr;
    }
}

// The document of the control, which takes the program's page as a whole.
class BrowserBody final : public HtmlBody {
  public:
    explicit BrowserBody(IHTMLDocument2* document) : document_(document) {}
    ~BrowserBody() override { document_->Release(); }
    bool setPage(const std::string& page) override {
        // The page's own bytes (Windows-1252, as its head says) from memory: no address, so
        // no navigation and nothing the network could answer.
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, page.size());
        if (!memory) return false;
        if (void* bytes = GlobalLock(memory)) {
            std::copy(page.begin(), page.end(), static_cast<char*>(bytes));
            GlobalUnlock(memory);
        }
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream)) || !stream) {
            GlobalFree(memory);
            return false;
        }
        bool ok = false;
        IPersistStreamInit* persist = nullptr;
        if (SUCCEEDED(document_->QueryInterface(IID_IPersistStreamInit,
                                                reinterpret_cast<void**>(&persist)))) {
            ok = SUCCEEDED(persist->InitNew()) && SUCCEEDED(persist->Load(stream));
            persist->Release();
        }
        stream->Release();
        return ok;
    }
    // The page carries its own style.
    void setStyle(const std::string&, const std::string&) override {}

  private:
    IHTMLDocument2* document_;
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

class BrowserView final : public MessageView, private BrowserSiteEvents {
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
        // The site answers the download-control and security questions before any page loads.
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
        if (FAILED(document->get_body(&body)) || !body) {
            document->Release();
            return nullptr;
        }
        body->Release();
        return std::make_unique<BrowserBody>(document);
    }
    bool builtIn() const override { return false; }
    // The control scales its page to the system's DPI by itself (the host says it is aware of
    // the DPI); on a monitor of another scale it is asked for that monitor's zoom, again after
    // each page, since a new document may start from the system's.
    void setDpi(int dpi) override {
        dpi_ = dpi > 0 ? dpi : 96;
        applyZoom();
    }
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

  private:
    // The site's events.
    bool beforeNavigate(IDispatch* frame, const std::string& address) override {
        bool cancel = true;
        if (events_.beforeNavigate) events_.beforeNavigate(address, isTopLevel(frame), cancel);
        return cancel;
    }
    void newWindow(const std::string& address, bool userInitiated) override {
        bool cancel = true;
        if (events_.newWindow) events_.newWindow(address, userInitiated, cancel);
    }
    void documentComplete() override {
        applyZoom();
        if (events_.documentComplete) events_.documentComplete();
    }
    void applyZoom() {
        if (!browser_) return;
        int screen = 96;
        if (HDC dc = GetDC(nullptr)) {
            screen = GetDeviceCaps(dc, LOGPIXELSY);
            ReleaseDC(nullptr, dc);
        }
        if (dpi_ == screen && !zoomed_) return;
        VARIANT zoom = emptyVariant();
        zoom.vt = VT_I4;
        zoom.lVal = MulDiv(100, dpi_, 96);
        if (SUCCEEDED(browser_->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &zoom,
                                       nullptr)))
            zoomed_ = true;
    }
    void navigateError() {
        if (events_.navigateError) events_.navigateError();
    }

    // Whether the navigating browser object is the control itself rather than a frame in it:
    // COM identity, compared through IUnknown.
    bool isTopLevel(IDispatch* frame) {
        if (!frame || !browser_) return false;
        IUnknown* theirs = nullptr;
        IUnknown* ours = nullptr;
        bool same = false;
        if (SUCCEEDED(frame->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&theirs))) &&
            SUCCEEDED(browser_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ours))))
            same = theirs == ours;
        if (theirs) theirs->Release();
        if (ours) ours->Release();
        return same;
    }
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
    int dpi_ = 96;
    bool zoomed_ = false; // the page was given a zoom of its own
    IOleInPlaceActiveObject* activeObject_ = nullptr; // fetched on the first key
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
};

} // namespace

std::unique_ptr<MessageView> makeBrowserView(HWND holder, MessageViewEvents& events) {
    auto view = std::make_unique<BrowserView>(holder, events);
    if (!view->start()) return nullptr;
    return view;
}

} // namespace qlx::win
