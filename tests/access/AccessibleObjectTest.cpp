// The panel's, the settings window's and the message dialog's accessible objects, asked
// through their interface as a screen reader would ask them once the system has handed them
// over, and what the program tells the system about them.
#include <gtest/gtest.h>

#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win32/forms/FormSettings.h"
#include "win32/dialogs/MessageWin.h"
#include "win32/panel/PanelAccessible.h"

using namespace qlx;
using namespace qlx::win;

namespace {

// The program initialises OLE before its first window; so do the tests.
struct Ole : testing::Environment {
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override { OleUninitialize(); }
};
[[maybe_unused]] testing::Environment* const ole = testing::AddGlobalTestEnvironment(new Ole);

// Runs what has been posted to the thread's windows.
void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// The accessibility library's calls, from the system folder, as the program takes them.
template <typename Fn> Fn oleacc(const char* name) {
    static HMODULE module = LoadLibraryW(L"oleacc.dll");
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The window an object stands for (the system's window objects, the program's own).
HWND windowOf(IDispatch* object) {
    HWND hwnd = nullptr;
    auto fn = oleacc<HRESULT(WINAPI*)(IAccessible*, HWND*)>("WindowFromAccessibleObject");
    IAccessible* accessible = nullptr;
    if (object && SUCCEEDED(object->QueryInterface(__uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&accessible)))) {
        fn(accessible, &hwnd);
        accessible->Release();
    }
    return hwnd;
}

// What a window answers WM_GETOBJECT with for its client area, as a client receives it.
IAccessible* clientObjectOf(HWND window) {
    const LRESULT result = SendMessageW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    if (result <= 0) return nullptr;
    auto fn = oleacc<HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**)>("ObjectFromLresult");
    void* object = nullptr;
    if (FAILED(fn(result, __uuidof(IAccessible), 0, &object))) return nullptr;
    return static_cast<IAccessible*>(object);
}

VARIANT child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// One of the object's texts about a child, "<none>" when it gives none.
std::wstring textOf(IAccessible* object, long id,
                    HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, BSTR*)) {
    BSTR value = nullptr;
    if ((object->*getter)(child(id), &value) != S_OK || !value) return L"<none>";
    std::wstring text(value, SysStringLen(value));
    SysFreeString(value);
    return text;
}

std::wstring nameOf(IAccessible* object, long id) {
    return textOf(object, id, &IAccessible::get_accName);
}

std::wstring actionOf(IAccessible* object, long id) {
    return textOf(object, id, &IAccessible::get_accDefaultAction);
}

std::wstring shortcutOf(IAccessible* object, long id) {
    return textOf(object, id, &IAccessible::get_accKeyboardShortcut);
}

long roleOf(IAccessible* object, long id) {
    VARIANT role;
    VariantInit(&role);
    EXPECT_EQ(object->get_accRole(child(id), &role), S_OK);
    return role.vt == VT_I4 ? role.lVal : -1;
}

long stateOf(IAccessible* object, long id) {
    VARIANT state;
    VariantInit(&state);
    EXPECT_EQ(object->get_accState(child(id), &state), S_OK);
    return state.vt == VT_I4 ? state.lVal : -1;
}

long childCount(IAccessible* object) {
    long count = -1;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    return count;
}

RECT locationOf(IAccessible* object, long id) {
    long left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(object->accLocation(&left, &top, &width, &height, child(id)), S_OK);
    return RECT{left, top, left + width, top + height};
}

struct NoMessages : MessageWinPort {
    int32_t MessageWin(DialogOwner, const std::string&, const std::string&, TMsgDlgType,
                       int32_t) override {
        return kResultOk;
    }
};

} // namespace

TEST(PanelAccessibleObject, IsQuiklexWithTwoButtonsThatPressAsClicksDo) {
    int menu = 0, open = 0;
    auto panel = std::make_unique<PanelAccessible>([&] { ++menu; }, [&] { ++open; });
    panel->attach(nullptr);
    IAccessible* object = panel->object();
    EXPECT_EQ(nameOf(object, CHILDID_SELF), L"Quiklex");
    EXPECT_EQ(roleOf(object, CHILDID_SELF), ROLE_SYSTEM_PANE);
    // The panel takes the keyboard (Enter, Shift+F10), its buttons do not.
    EXPECT_TRUE(stateOf(object, CHILDID_SELF) & STATE_SYSTEM_FOCUSABLE);
    ASSERT_EQ(childCount(object), 2);
    EXPECT_EQ(nameOf(object, 1), L"Menu");
    EXPECT_EQ(nameOf(object, 2), L"\u00C5bn ordbogen");
    for (long id : {1L, 2L}) {
        EXPECT_EQ(roleOf(object, id), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(actionOf(object, id), L"Tryk");
        IDispatch* none = nullptr;
        EXPECT_EQ(object->get_accChild(child(id), &none), S_FALSE); // simple elements
    }
    const RECT open96 = locationOf(object, 2);
    EXPECT_EQ(open96.left, 48);
    EXPECT_EQ(open96.top, 5);
    EXPECT_EQ(open96.right - open96.left, 25);
    EXPECT_EQ(open96.bottom - open96.top, 19);

    VARIANT hit;
    ASSERT_EQ(object->accHitTest(50, 10, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, 2);
    ASSERT_EQ(object->accHitTest(5, 28, &hit), S_OK);
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
    VARIANT next;
    ASSERT_EQ(object->accNavigate(NAVDIR_NEXT, child(1), &next), S_OK);
    EXPECT_EQ(next.lVal, 2);
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, child(2), &next), S_FALSE);

    // The default actions are answered before they run (a reader's call never waits on the
    // menu they open) and run from the thread's messages, in order.
    EXPECT_EQ(object->accDoDefaultAction(child(2)), S_OK);
    EXPECT_EQ(object->accDoDefaultAction(child(1)), S_OK);
    EXPECT_EQ(menu + open, 0);
    pump();
    EXPECT_EQ(menu, 1);
    EXPECT_EQ(open, 1);
    EXPECT_EQ(object->get_accRole(child(3), &hit), E_INVALIDARG);

    // A client that holds on to the object after the panel is gone is told so.
    panel.reset();
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(child(CHILDID_SELF), &name), static_cast<HRESULT>(0x80010108L));
    EXPECT_EQ(object->Release(), 0u);
}

TEST(SettingsAccessibleObject, WalksTheWindowWithItsStatesAndPressesACheckMark) {
    NoMessages messages;
    TFormSettingsWindow window(messages, nullptr);
    ASSERT_TRUE(window.createForm());
    IAccessible* root = window.accessibleObject();
    EXPECT_EQ(nameOf(root, CHILDID_SELF), L"Om programmet");
    EXPECT_EQ(roleOf(root, CHILDID_SELF), ROLE_SYSTEM_DIALOG);
    ASSERT_EQ(childCount(root), 10);
    const wchar_t* names[] = {L"<none>",
                              L"Indstillingerne anvendes nu og n\u00E5r programmet starter "
                              L"n\u00E6ste gang.",
                              L"Altid over andre vinduer",
                              L"Ikon ved siden af uret",
                              L"Automatisk programstart",
                              L"Start skjult",
                              L"Offline i \u00E6ldre Internet Explorer (version 7, 8 el. 9)",
                              L"Tastaturgenvej:"};
    const long roles[] = {ROLE_SYSTEM_PANE,        ROLE_SYSTEM_STATICTEXT,  ROLE_SYSTEM_CHECKBUTTON,
                          ROLE_SYSTEM_CHECKBUTTON, ROLE_SYSTEM_CHECKBUTTON, ROLE_SYSTEM_CHECKBUTTON,
                          ROLE_SYSTEM_CHECKBUTTON, ROLE_SYSTEM_STATICTEXT};
    for (long id = 1; id <= 8; ++id) {
        EXPECT_EQ(nameOf(root, id), names[id - 1]) << id;
        EXPECT_EQ(roleOf(root, id), roles[id - 1]) << id;
    }
    EXPECT_EQ(shortcutOf(root, 4), L"Alt+I");
    EXPECT_EQ(shortcutOf(root, 8), L"<none>"); // the label's letter is the field's
    // The window's creation checks "Ikon ved siden af uret"; pressing it clears the mark once
    // the posted press has run.
    EXPECT_TRUE(stateOf(root, 4) & STATE_SYSTEM_CHECKED);
    EXPECT_FALSE(stateOf(root, 3) & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(actionOf(root, 4), L"Tryk");
    EXPECT_EQ(root->accDoDefaultAction(child(4)), S_OK);
    EXPECT_TRUE(window.form().CheckBoxSystray.Checked());
    pump();
    EXPECT_FALSE(stateOf(root, 4) & STATE_SYSTEM_CHECKED);
    EXPECT_FALSE(window.form().CheckBoxSystray.Checked());

    // A disabled box is unavailable and cannot be pressed.
    window.form().CheckBoxMinimizeOnStart.SetEnabled(false);
    EXPECT_TRUE(stateOf(root, 6) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(stateOf(root, 6) & STATE_SYSTEM_FOCUSABLE);
    EXPECT_NE(root->accDoDefaultAction(child(6)), S_OK);

    // The keyboard focus, as the window moves it.
    window.focusControl("CheckBoxSystray");
    VARIANT focus;
    ASSERT_EQ(root->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, 4);
    EXPECT_TRUE(stateOf(root, 4) & STATE_SYSTEM_FOCUSED);
    window.moveFocus(true);
    EXPECT_EQ(window.focusedControl(), "CheckBoxRunOnStart");
    window.moveFocus(true); // past the disabled "Start skjult"
    EXPECT_EQ(window.focusedControl(), "CheckBoxUseGCF");
    window.moveFocus(false);
    EXPECT_EQ(window.focusedControl(), "CheckBoxRunOnStart");
    root->Release();
}

TEST(SettingsAccessibleObject, EachPanelIsOneObjectThatItsWindowAnswersFor) {
    NoMessages messages;
    TFormSettingsWindow window(messages, nullptr);
    ASSERT_TRUE(window.createForm());
    const HWND panel = window.window("PanelBottom");
    IAccessible* root = window.accessibleObject();
    // The window's tree refers to the panel's window; the buttons are not the window's own.
    IDispatch* panelChild = nullptr;
    ASSERT_EQ(root->get_accChild(child(10), &panelChild), S_OK);
    EXPECT_EQ(windowOf(panelChild), panel);
    panelChild->Release();
    for (long id = 1; id <= childCount(root); ++id)
        EXPECT_NE(nameOf(root, id), L"OK") << id;

    // The panel's window answers with the three buttons, placed in the window's client area.
    IAccessible* bottom = clientObjectOf(panel);
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(roleOf(bottom, CHILDID_SELF), ROLE_SYSTEM_PANE);
    ASSERT_EQ(childCount(bottom), 3);
    EXPECT_EQ(nameOf(bottom, 1), L"OK");
    EXPECT_EQ(nameOf(bottom, 2), L"Annuller");
    EXPECT_EQ(nameOf(bottom, 3), L"Standard");
    EXPECT_EQ(shortcutOf(bottom, 3), L"Alt+S");
    EXPECT_EQ(roleOf(bottom, 1), ROLE_SYSTEM_PUSHBUTTON);
    POINT origin{0, 0};
    ClientToScreen(window.handle(), &origin);
    const RECT ok = locationOf(bottom, 1);
    EXPECT_EQ(ok.left - origin.x, 24);
    EXPECT_EQ(ok.top - origin.y, 266);
    EXPECT_EQ(ok.right - ok.left, 45);
    EXPECT_EQ(ok.bottom - ok.top, 21);
    // Up from the panel is its window, the same one the window's tree refers to.
    IDispatch* parent = nullptr;
    ASSERT_EQ(bottom->get_accParent(&parent), S_OK);
    EXPECT_EQ(windowOf(parent), panel);
    parent->Release();

    // A point on "OK" and the focus on it lead from the window to the panel's window, and
    // there to the button.
    VARIANT hit;
    ASSERT_EQ(root->accHitTest(ok.left + 2, ok.top + 2, &hit), S_OK);
    ASSERT_EQ(hit.vt, VT_DISPATCH);
    EXPECT_EQ(windowOf(hit.pdispVal), panel);
    hit.pdispVal->Release();
    window.focusControl("ButtonOK");
    VARIANT focus;
    ASSERT_EQ(root->get_accFocus(&focus), S_OK);
    ASSERT_EQ(focus.vt, VT_DISPATCH);
    EXPECT_EQ(windowOf(focus.pdispVal), panel);
    focus.pdispVal->Release();
    ASSERT_EQ(bottom->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, 1);
    // The shortcut field, a window of its own, is answered by its object when focused.
    window.focusControl("HotKeyField");
    ASSERT_EQ(root->get_accFocus(&focus), S_OK);
    ASSERT_EQ(focus.vt, VT_DISPATCH);
    EXPECT_EQ(windowOf(focus.pdispVal), window.window("HotKeyField"));
    focus.pdispVal->Release();

    // "OK" pressed through the panel's object closes the window with OK, as its click does.
    EXPECT_EQ(bottom->accDoDefaultAction(child(1)), S_OK);
    pump();
    EXPECT_EQ(window.modalResult(), kResultOk);
    bottom->Release();
    root->Release();
}

namespace {

// The system's annotation service as the program finds it through its class, recording what
// the program gives it.
struct Annotation {
    HWND window;
    DWORD idObject, idChild;
    std::wstring property; // "name", "shortcut", "cleared"
    std::wstring value;
};
std::vector<Annotation> annotations;

class RecordingPropServices final : public IAccPropServices, public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IAccPropServices) {
            *out = static_cast<IAccPropServices*>(this);
            return S_OK;
        }
        if (iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives as long as the test
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
        return QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND hwnd, DWORD idObject, DWORD idChild,
                                             MSAAPROPID id, LPCWSTR value) override {
        const wchar_t* property = id == PROPID_ACC_NAME               ? L"name"
                                  : id == PROPID_ACC_KEYBOARDSHORTCUT ? L"shortcut"
                                                                      : L"other";
        annotations.push_back({hwnd, idObject, idChild, property, value});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND hwnd, DWORD idObject, DWORD idChild,
                                             const MSAAPROPID*, int) override {
        annotations.push_back({hwnd, idObject, idChild, L"cleared", L""});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int,
                                            IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int,
                                                IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**,
                                                        DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*,
                                                          DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int,
                                                 IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*,
                                                           DWORD*) override {
        return E_NOTIMPL;
    }
};

} // namespace

// The field's label is drawn, not a window, so the system cannot find the field's name; the
// program gives it through the system's annotation service, and takes it back when the
// window goes. (Wine's service does not keep annotations, so the test stands in for it.)
TEST(SettingsAccessibleObject, ShortcutFieldIsNamedTastaturgenvej) {
    RecordingPropServices services;
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_AccPropServices, static_cast<IClassFactory*>(&services),
                                    CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    annotations.clear();
    HWND field = nullptr;
    {
        NoMessages messages;
        TFormSettingsWindow window(messages, nullptr);
        ASSERT_TRUE(window.createForm());
        field = window.window("HotKeyField");
    }
    CoRevokeClassObject(cookie);
    ASSERT_EQ(annotations.size(), 3u);
    for (const Annotation& a : annotations) {
        EXPECT_EQ(a.window, field);
        EXPECT_EQ(a.idObject, static_cast<DWORD>(OBJID_CLIENT));
        EXPECT_EQ(a.idChild, static_cast<DWORD>(CHILDID_SELF));
    }
    EXPECT_EQ(annotations[0].property, L"name");
    EXPECT_EQ(annotations[0].value, L"Tastaturgenvej");
    EXPECT_EQ(annotations[1].property, L"shortcut");
    EXPECT_EQ(annotations[1].value, L"Alt+T");
    EXPECT_EQ(annotations[2].property, L"cleared");
}

namespace {
struct AlertSeen {
    int count = 0;
    LONG idObject = 0;
    long role = 0;
    std::wstring name, text;
    bool focusInStrip = false; // the focus, asked of the dialog, leads to its button strip
} alert;

// The reader's side: on the alert it asks the dialog for its object, then closes it.
void CALLBACK onAlert(HWINEVENTHOOK, DWORD, HWND hwnd, LONG idObject, LONG, DWORD, DWORD) {
    ++alert.count;
    alert.idObject = idObject;
    if (IAccessible* dialog = clientObjectOf(hwnd)) {
        alert.role = roleOf(dialog, CHILDID_SELF);
        alert.name = nameOf(dialog, CHILDID_SELF);
        alert.text = nameOf(dialog, 1);
        VARIANT focus;
        if (dialog->get_accFocus(&focus) == S_OK && focus.vt == VT_DISPATCH) {
            alert.focusInStrip = GetParent(windowOf(focus.pdispVal)) == hwnd;
            focus.pdispVal->Release();
        }
        dialog->Release();
    }
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

// Should no alert come, the dialog is closed all the same.
void CALLBACK closeDialogs(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = FindWindowW(L"TMessageForm", nullptr)) PostMessageW(dialog, WM_CLOSE, 0, 0);
}
} // namespace

// Readers speak a dialog by its caption and its text; its showing is an alert, as the
// system's message box is.
TEST(MessageDialogAccessibleObject, IsADialogWithItsTextAndRaisesAnAlert) {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, onAlert,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, closeDialogs);
    const int32_t result = showMessageWin(nullptr, "Indstillingerne kunne ikke gemmes.", "Quiklex",
                                          TMsgDlgType::warning, 0, false);
    KillTimer(nullptr, guard);
    UnhookWinEvent(hook);
    EXPECT_EQ(result, kResultCancel); // closed through its frame
    EXPECT_EQ(alert.count, 1);
    EXPECT_EQ(alert.idObject, OBJID_CLIENT);
    EXPECT_EQ(alert.role, ROLE_SYSTEM_DIALOG);
    EXPECT_EQ(alert.name, L"Quiklex");
    EXPECT_EQ(alert.text, L"Indstillingerne kunne ikke gemmes.");
    EXPECT_TRUE(alert.focusInStrip);
}
