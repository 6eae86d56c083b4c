// The panel's and the settings window's accessible objects, asked through their interface
// as a screen reader would ask them once the system has handed them over.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <string>

#include "win32/forms/FormSettings.h"
#include "win32/panel/PanelAccessible.h"

using namespace qlx;
using namespace qlx::win;

namespace {

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

// A child that is an object of its own, as IAccessible.
IAccessible* objectChild(IAccessible* object, long id) {
    IDispatch* dispatch = nullptr;
    if (object->get_accChild(child(id), &dispatch) != S_OK || !dispatch) return nullptr;
    IAccessible* accessible = nullptr;
    dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
    dispatch->Release();
    return accessible;
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

    EXPECT_EQ(object->accDoDefaultAction(child(2)), S_OK);
    EXPECT_EQ(object->accDoDefaultAction(child(1)), S_OK);
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
    // The window's creation checks "Ikon ved siden af uret"; pressing it clears the mark.
    EXPECT_TRUE(stateOf(root, 4) & STATE_SYSTEM_CHECKED);
    EXPECT_FALSE(stateOf(root, 3) & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(actionOf(root, 4), L"Tryk");
    EXPECT_EQ(root->accDoDefaultAction(child(4)), S_OK);
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

    // The bottom panel is an object of its own holding the three buttons, placed in the
    // window's client area on the screen.
    IAccessible* bottom = objectChild(root, 10);
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(roleOf(bottom, CHILDID_SELF), ROLE_SYSTEM_PANE);
    ASSERT_EQ(childCount(bottom), 3);
    EXPECT_EQ(nameOf(bottom, 1), L"OK");
    EXPECT_EQ(nameOf(bottom, 2), L"Annuller");
    EXPECT_EQ(nameOf(bottom, 3), L"Standard");
    EXPECT_EQ(roleOf(bottom, 1), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(actionOf(bottom, 1), L"Tryk");
    POINT origin{0, 0};
    ClientToScreen(window.handle(), &origin);
    const RECT ok = locationOf(bottom, 1);
    EXPECT_EQ(ok.left - origin.x, 24);
    EXPECT_EQ(ok.top - origin.y, 266);
    EXPECT_EQ(ok.right - ok.left, 45);
    EXPECT_EQ(ok.bottom - ok.top, 21);
    IDispatch* parent = nullptr;
    ASSERT_EQ(bottom->get_accParent(&parent), S_OK);
    ASSERT_NE(parent, nullptr);
    parent->Release();
    // "OK" pressed through the object closes the window with OK, as its click does.
    EXPECT_EQ(bottom->accDoDefaultAction(child(1)), S_OK);
    EXPECT_EQ(window.modalResult(), kResultOk);
    bottom->Release();
    root->Release();
}
