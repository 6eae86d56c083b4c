// The colour button's kinds on real windows: the close kind closes its window, the help kind
// asks its nearest parent with a help context, Esc clicks the cancel button.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "win32/controls/BitBtnColor.h"

using namespace qlx;
using namespace qlx::win;

namespace {

struct Seen {
    HWND window;
    UINT msg;
    uintptr_t detail; // the help context, or the clicked control's id
};
std::vector<Seen> seen;

LRESULT CALLBACK recorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        seen.push_back({hwnd, msg, 0});
        return 0;
    }
    if (msg == WM_HELP) {
        seen.push_back({hwnd, msg, reinterpret_cast<HELPINFO*>(lParam)->dwContextId});
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        seen.push_back({hwnd, msg, LOWORD(wParam)});
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// A shown window with a panel on it; the buttons sit on the panel.
class Form {
public:
    Form() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = recorder;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QlxClickRecorder";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 300, 100, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        panel = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 100,
                                window, nullptr, wc.hInstance, nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        seen.clear();
    }
    ~Form() {
        for (TBitBtnColor* b : buttons) b->destroy();
        DestroyWindow(window);
        pump();
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void add(TBitBtnColor& button, TBitBtnKind kind, int id) {
        button.setKind(kind);
        button.create(panel, id, "", Rect{id * 60, 0, 60, 22}, nullptr);
        buttons.push_back(&button);
    }
    HWND window = nullptr;
    HWND panel = nullptr;
    std::vector<TBitBtnColor*> buttons;
};

} // namespace

TEST(BitBtnColorClick, CloseKindClosesItsWindow) {
    Form form;
    TBitBtnColor close, ok;
    form.add(close, TBitBtnKind::bkClose, 1);
    form.add(ok, TBitBtnKind::bkOK, 2);
    EXPECT_FALSE(TBitBtnColor::kindClick(ok.handle()));
    EXPECT_TRUE(TBitBtnColor::kindClick(close.handle()));
    pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].window, form.window);
    EXPECT_EQ(seen[0].msg, static_cast<UINT>(WM_CLOSE));
}

TEST(BitBtnColorClick, HelpKindAsksTheNearestParentWithAHelpContext) {
    Form form;
    TBitBtnColor help;
    form.add(help, TBitBtnKind::bkHelp, 1);
    // Nothing has a help context, the window's owner is no parent: the click is taken and
    // does nothing.
    HWND owner = CreateWindowExW(0, L"QlxClickRecorder", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowContextHelpId(owner, 99);
    SetWindowLongPtrW(form.window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    EXPECT_TRUE(TBitBtnColor::kindClick(help.handle()));
    EXPECT_TRUE(seen.empty());
    SetWindowLongPtrW(form.window, GWLP_HWNDPARENT, 0);
    DestroyWindow(owner);

    SetWindowContextHelpId(form.window, 77);
    EXPECT_TRUE(TBitBtnColor::kindClick(help.handle()));
    SetWindowContextHelpId(form.panel, 42);
    EXPECT_TRUE(TBitBtnColor::kindClick(help.handle()));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].window, form.window);
    EXPECT_EQ(seen[0].detail, 77u);
    EXPECT_EQ(seen[1].window, form.panel);
    EXPECT_EQ(seen[1].detail, 42u);
}

TEST(BitBtnColorClick, EscClicksTheCancelButton) {
    Form form;
    TBitBtnColor ok, cancel;
    form.add(ok, TBitBtnKind::bkOK, 1);
    EXPECT_FALSE(TBitBtnColor::pressCancel(form.window)) << "no cancel button yet";
    form.add(cancel, TBitBtnKind::bkCancel, 2);
    EXPECT_EQ(cancel.ModalResult, 2);
    EXPECT_TRUE(TBitBtnColor::pressCancel(form.window));
    pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].window, form.panel);
    EXPECT_EQ(seen[0].detail, 2u);

    EnableWindow(cancel.handle(), FALSE);
    EXPECT_FALSE(TBitBtnColor::pressCancel(form.window)) << "a disabled one is no cancel button";
}
