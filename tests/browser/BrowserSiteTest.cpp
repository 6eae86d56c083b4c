// The browser view's site asked directly what the browser control asks it: its services and
// the security manager behind them, its ambient properties and host information, and the
// control's events. Under Wine there is no HTML engine to ask them, so this program does.
#include <gtest/gtest.h>

#include <windows.h>

#include <exdispid.h>
#include <idispids.h>
#include <mshtmdid.h>
#include <olectl.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "win32/messages/BrowserSite.h"

using namespace qlx::win;

namespace {

struct Events : BrowserSiteEvents {
    struct Navigation {
        IDispatch* frame;
        std::string address;
    };
    std::vector<Navigation> navigations;
    std::vector<std::pair<std::string, bool>> newWindows;
    int completes = 0;
    bool cancel = true;
    bool beforeNavigate(IDispatch* frame, const std::string& address) override {
        navigations.push_back({frame, address});
        return cancel;
    }
    void newWindow(const std::string& address, bool user) override {
        newWindows.emplace_back(address, user);
    }
    void documentComplete() override { ++completes; }
};

class Site : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(automation().loaded());
        window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(window);
        site = new BrowserSite(window, &events);
    }
    void TearDown() override {
        EXPECT_EQ(site->Release(), 0u);
        DestroyWindow(window);
    }

    IInternetSecurityManager* securityManager() {
        IServiceProvider* services = nullptr;
        EXPECT_EQ(site->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services)),
                  S_OK);
        if (!services) return nullptr;
        IInternetSecurityManager* manager = nullptr;
        EXPECT_EQ(services->QueryService(SID_SInternetSecurityManager, IID_IInternetSecurityManager,
                                         reinterpret_cast<void**>(&manager)),
                  S_OK);
        services->Release();
        return manager;
    }

    // Invokes the site's dispatch with the arguments given first to last.
    HRESULT invoke(DISPID id, std::vector<VARIANT> args, VARIANT* result = nullptr) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return static_cast<IDispatch*>(site)->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params,
                                                     result, nullptr, nullptr);
    }

    HWND window = nullptr;
    Events events;
    BrowserSite* site = nullptr;
};

VARIANT bstrVariant(BSTR b) {
    VARIANT v = emptyVariant();
    v.vt = VT_BSTR;
    v.bstrVal = b;
    return v;
}
VARIANT byRefVariant(VARIANT* inner) {
    VARIANT v = emptyVariant();
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = inner;
    return v;
}
VARIANT cancelVariant(VARIANT_BOOL* cancel) {
    VARIANT v = emptyVariant();
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = cancel;
    return v;
}
VARIANT dispatchVariant(IDispatch* d) {
    VARIANT v = emptyVariant();
    v.vt = VT_DISPATCH;
    v.pdispVal = d;
    return v;
}
VARIANT longVariant(VARTYPE type, LONG value) {
    VARIANT v = emptyVariant();
    v.vt = type;
    v.lVal = value;
    return v;
}

const wchar_t* const kAddresses[] = {L"about:<p></p>",
                                     L"about:blank",
                                     L"http://www.lemmary.dk/",
                                     L"https://192.168.1.1/a.css",
                                     L"file://server/share/a.css",
                                     L"\\\\server\\share\\a.css",
                                     L"res://ieframe.dll/x",
                                     L"ms-msdt:/id",
                                     L"javascript:alert(1)",
                                     L""};

} // namespace

TEST_F(Site, OffersItsServicesAndTheHostInterfaces) {
    for (REFIID iid : {IID_IUnknown, IID_IOleClientSite, IID_IOleInPlaceSite, IID_IOleWindow,
                       IID_IDocHostUIHandler, IID_IDispatch, IID_IServiceProvider}) {
        IUnknown* p = nullptr;
        EXPECT_EQ(site->QueryInterface(iid, reinterpret_cast<void**>(&p)), S_OK);
        ASSERT_TRUE(p);
        p->Release();
    }
    IUnknown* none = nullptr;
    EXPECT_EQ(site->QueryInterface(IID_IOleContainer, reinterpret_cast<void**>(&none)),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
}

TEST_F(Site, TheOnlyServiceIsTheProgramsSecurityManager) {
    IServiceProvider* services = nullptr;
    ASSERT_EQ(site->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services)),
              S_OK);
    struct Case {
        const GUID& service;
        const IID& iid;
        HRESULT result;
    };
    const Case cases[] = {
        {SID_SInternetSecurityManager, IID_IInternetSecurityManager, S_OK},
        {SID_SInternetSecurityManager, IID_IUnknown, S_OK},
        {SID_SInternetSecurityManager, IID_IInternetSecurityManagerEx, E_NOINTERFACE},
        {SID_SInternetSecurityManagerEx, IID_IInternetSecurityManagerEx, E_NOINTERFACE},
        {IID_IInternetSecurityMgrSite, IID_IInternetSecurityMgrSite, E_NOINTERFACE},
        {IID_IDocHostUIHandler, IID_IDocHostUIHandler, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        IUnknown* p = reinterpret_cast<IUnknown*>(1);
        EXPECT_EQ(services->QueryService(c.service, c.iid, reinterpret_cast<void**>(&p)), c.result);
        EXPECT_EQ(p != nullptr, c.result == S_OK);
        if (p) p->Release();
    }
    services->Release();
}

TEST_F(Site, EveryAddressIsUntrustedAndEveryActionDisallowed) {
    IInternetSecurityManager* manager = securityManager();
    ASSERT_TRUE(manager);
    const DWORD actions[] = {URLACTION_SCRIPT_RUN,
                             URLACTION_ACTIVEX_RUN,
                             URLACTION_HTML_META_REFRESH,
                             URLACTION_HTML_SUBFRAME_NAVIGATE,
                             URLACTION_HTML_FONT_DOWNLOAD,
                             URLACTION_CROSS_DOMAIN_DATA,
                             URLACTION_SHELL_FILE_DOWNLOAD,
                             URLACTION_HTML_SUBMIT_FORMS,
                             URLACTION_JAVA_PERMISSIONS,
                             URLACTION_CREDENTIALS_USE,
                             URLACTION_HTML_MIXED_CONTENT,
                             0x0000FFFF,
                             0};
    for (const wchar_t* address : kAddresses) {
        DWORD zone = URLZONE_LOCAL_MACHINE;
        EXPECT_EQ(manager->MapUrlToZone(address, &zone, 0), S_OK);
        EXPECT_EQ(zone, static_cast<DWORD>(URLZONE_UNTRUSTED));
        for (DWORD action : actions) {
            DWORD policy = URLPOLICY_ALLOW;
            EXPECT_EQ(manager->ProcessUrlAction(address, action, reinterpret_cast<BYTE*>(&policy),
                                                sizeof policy, nullptr, 0, PUAF_DEFAULT, 0),
                      S_FALSE);
            EXPECT_EQ(policy, static_cast<DWORD>(URLPOLICY_DISALLOW)) << action;
        }
        // A buffer too small for the answer is left alone, and still nothing is allowed.
        BYTE small = 0x55;
        EXPECT_EQ(
            manager->ProcessUrlAction(address, URLACTION_SCRIPT_RUN, &small, 1, nullptr, 0, 0, 0),
            S_FALSE);
        EXPECT_EQ(small, 0x55);
        EXPECT_EQ(
            manager->ProcessUrlAction(address, URLACTION_SCRIPT_RUN, nullptr, 0, nullptr, 0, 0, 0),
            S_FALSE);
    }
    manager->Release();
}

TEST_F(Site, TheSecurityManagerLeavesNothingToTheSystem) {
    IInternetSecurityManager* manager = securityManager();
    ASSERT_TRUE(manager);
    BYTE* policy = reinterpret_cast<BYTE*>(1);
    DWORD size = 7;
    const HRESULT custom =
        manager->QueryCustomPolicy(L"http://x/", GUID_NULL, &policy, &size, nullptr, 0, 0);
    EXPECT_EQ(custom, E_ACCESSDENIED);
    EXPECT_EQ(policy, nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(manager->SetZoneMapping(URLZONE_TRUSTED, L"http://evil.example", SZM_CREATE),
              E_ACCESSDENIED);
    IEnumString* mappings = reinterpret_cast<IEnumString*>(1);
    EXPECT_NE(manager->GetZoneMappings(URLZONE_TRUSTED, &mappings, 0), INET_E_DEFAULT_ACTION);
    EXPECT_EQ(mappings, nullptr);
    EXPECT_EQ(manager->SetSecuritySite(nullptr), S_OK);
    IInternetSecurityMgrSite* securitySite = reinterpret_cast<IInternetSecurityMgrSite*>(1);
    EXPECT_EQ(manager->GetSecuritySite(&securitySite), S_OK);
    EXPECT_EQ(securitySite, nullptr);

    // The security id: the scheme and the untrusted zone, for every address alike.
    BYTE id[64] = {};
    DWORD idSize = 3;
    EXPECT_EQ(manager->GetSecurityId(L"http://www.lemmary.dk/", id, &idSize, 0),
              HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(idSize, 9u);
    idSize = sizeof id;
    ASSERT_EQ(manager->GetSecurityId(L"http://www.lemmary.dk/", id, &idSize, 0), S_OK);
    ASSERT_EQ(idSize, 9u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(id), 5), "http:");
    DWORD zone = 0;
    memcpy(&zone, id + 5, sizeof zone);
    EXPECT_EQ(zone, static_cast<DWORD>(URLZONE_UNTRUSTED));
    manager->Release();
}

TEST_F(Site, AmbientDownloadControlLoadsNothingAndRunsNothing) {
    VARIANT result = emptyVariant();
    ASSERT_EQ(invoke(DISPID_AMBIENT_DLCONTROL, {}, &result), S_OK);
    ASSERT_EQ(result.vt, VT_I4);
    const LONG flags = result.lVal;
    for (LONG required : {DLCTL_NO_SCRIPTS, DLCTL_NO_JAVA, DLCTL_NO_RUNACTIVEXCTLS,
                          DLCTL_NO_DLACTIVEXCTLS, DLCTL_NO_FRAMEDOWNLOAD, DLCTL_NO_BEHAVIORS,
                          DLCTL_NO_CLIENTPULL, DLCTL_SILENT, DLCTL_FORCEOFFLINE})
        EXPECT_EQ(flags & required, required) << std::hex << required;
    for (DWORD never : std::initializer_list<DWORD>{DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS,
                                                    DLCTL_OFFLINEIFNOTCONNECTED,
                                                    DLCTL_RESYNCHRONIZE, DLCTL_PRAGMA_NO_CACHE})
        EXPECT_EQ(static_cast<DWORD>(flags) & never, 0u) << std::hex << never;

    // Other ambient properties are the control's defaults.
    for (DISPID other : std::initializer_list<DISPID>{
             DISPID_AMBIENT_USERMODE, DISPID_AMBIENT_USERAGENT, DISPID_AMBIENT_SILENT,
             DISPID_AMBIENT_OFFLINEIFNOTCONNECTED}) {
        VARIANT v = emptyVariant();
        EXPECT_EQ(invoke(other, {}, &v), DISP_E_MEMBERNOTFOUND) << other;
        EXPECT_EQ(v.vt, VT_EMPTY);
    }
    EXPECT_EQ(invoke(DISPID_AMBIENT_DLCONTROL, {}, nullptr), E_POINTER);
}

TEST_F(Site, HostInformationLocksTheDocumentDown) {
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(site->GetHostInfo(&info), S_OK);
    for (DWORD required :
         {DOCHOSTUIFLAG_DISABLE_UNTRUSTEDPROTOCOL, DOCHOSTUIFLAG_ENABLE_REDIRECT_NOTIFICATION,
          DOCHOSTUIFLAG_LOCAL_MACHINE_ACCESS_CHECK, DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE,
          DOCHOSTUIFLAG_DISABLE_HELP_MENU, DOCHOSTUIFLAG_NO3DBORDER, DOCHOSTUIFLAG_DPI_AWARE})
        EXPECT_EQ(info.dwFlags & required, required) << std::hex << required;
    EXPECT_EQ(info.dwFlags & DOCHOSTUIFLAG_ENABLE_ACTIVEX_INACTIVATE_MODE, 0u);
    EXPECT_EQ(info.pchHostCss, nullptr);

    IDispatch* external = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(site->GetExternal(&external), S_FALSE);
    EXPECT_EQ(external, nullptr);
    POINT at{0, 0};
    EXPECT_EQ(site->ShowContextMenu(0, &at, nullptr, nullptr), S_OK); // no menu
}

TEST_F(Site, NavigationsAreTheViewsToAllowAndCancelledWithoutIt) {
    BSTR address = automation().allocString(L"http://www.lemmary.dk/nyt");
    VARIANT url = bstrVariant(address);
    IDispatch* frame = static_cast<IDispatch*>(site); // any browser object will do
    auto navigate = [&](VARIANT_BOOL& cancel) {
        VARIANT empty = emptyVariant();
        return invoke(DISPID_BEFORENAVIGATE2,
                      {dispatchVariant(frame), byRefVariant(&url), byRefVariant(&empty),
                       byRefVariant(&empty), byRefVariant(&empty), byRefVariant(&empty),
                       cancelVariant(&cancel)});
    };
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(navigate(cancel), S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    ASSERT_EQ(events.navigations.size(), 1u);
    EXPECT_EQ(events.navigations[0].address, "http://www.lemmary.dk/nyt");
    EXPECT_EQ(events.navigations[0].frame, frame);

    events.cancel = false;
    cancel = VARIANT_TRUE;
    navigate(cancel);
    EXPECT_EQ(cancel, VARIANT_FALSE);

    // Once the view has gone, everything is cancelled.
    site->detach();
    cancel = VARIANT_FALSE;
    navigate(cancel);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(events.navigations.size(), 2u);
    automation().freeString(address);
}

TEST_F(Site, NewWindowsAreAlwaysCancelledAndReportTheirAddressAndTheUsersPart) {
    BSTR address = automation().allocString(L"http://www.lemmary.dk/nyt");
    BSTR opener = automation().allocString(L"about:<p></p>");
    struct Case {
        VARTYPE type;
        LONG flags;
        bool user;
    };
    const Case cases[] = {{VT_I4, NWMF_USERINITED | NWMF_FIRST, true},
                          {VT_UI4, NWMF_USERINITED, true},
                          {VT_I4, NWMF_FIRST, false},
                          {VT_I4, 0, false}};
    for (const Case& c : cases) {
        events.newWindows.clear();
        IDispatch* newWindow = nullptr;
        VARIANT windowArg = emptyVariant();
        windowArg.vt = VT_BYREF | VT_DISPATCH;
        windowArg.ppdispVal = &newWindow;
        VARIANT_BOOL cancel = VARIANT_FALSE;
        EXPECT_EQ(invoke(DISPID_NEWWINDOW3,
                         {windowArg, cancelVariant(&cancel), longVariant(c.type, c.flags),
                          bstrVariant(opener), bstrVariant(address)}),
                  S_OK);
        EXPECT_EQ(cancel, VARIANT_TRUE);
        EXPECT_EQ(newWindow, nullptr);
        ASSERT_EQ(events.newWindows.size(), 1u);
        EXPECT_EQ(events.newWindows[0],
                  (std::pair<std::string, bool>{"http://www.lemmary.dk/nyt", c.user}));
    }
    automation().freeString(address);
    automation().freeString(opener);
}

TEST_F(Site, DownloadsAreRefusedAndTheDocumentCompleteReported) {
    for (VARIANT_BOOL page : {VARIANT_FALSE, VARIANT_TRUE}) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        VARIANT pageArg = emptyVariant();
        pageArg.vt = VT_BOOL;
        pageArg.boolVal = page;
        EXPECT_EQ(invoke(kDispidFileDownload, {pageArg, cancelVariant(&cancel)}), S_OK);
        EXPECT_EQ(cancel, page ? VARIANT_FALSE : VARIANT_TRUE);
    }
    EXPECT_EQ(invoke(DISPID_DOCUMENTCOMPLETE, {}), S_OK);
    EXPECT_EQ(events.completes, 1);
}
