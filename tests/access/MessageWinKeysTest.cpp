// The message dialog's keys on its own modal loop, for every kind of button set, also those
// none of the program's callers shows ("OK"/"Annuller"): the keys arrive in the thread's queue
// as a user's would.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "win32/dialogs/MessageWin.h"

using namespace qlx;
using namespace qlx::win;

namespace {

// What a timer does, one step per tick, while the dialog's loop runs.
struct Script {
    WPARAM key = 0;            // pressed on the first tick
    bool openAfterKey = false; // seen on the second tick
    bool sawDialog = false;
    int tick = 0;
};
Script script;

HWND dialog() { return FindWindowW(L"TMessageForm", nullptr); }

void press(WPARAM key) {
    HWND focus = GetFocus();
    if (!focus) focus = dialog();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

void CALLBACK step(HWND, UINT, UINT_PTR, DWORD) {
    HWND d = dialog();
    switch (script.tick++) {
    case 0:
        script.sawDialog = d && IsWindowVisible(d);
        press(script.key);
        break;
    case 1:
        // Still open: the key did nothing. Closed through the frame, as Alt+F4 does.
        script.openAfterKey = d && IsWindowVisible(d);
        if (d) PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    default:
        if (d) PostMessageW(d, WM_CLOSE, 0, 0);
    }
}

// The result of a dialog with that button set after the key; whether the key left it open.
std::pair<int32_t, bool> showAndPress(int32_t buttonSet, WPARAM key) {
    script = Script{key};
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, step);
    const int32_t result =
        showMessageWin(nullptr, "Tekst", "Quiklex", TMsgDlgType::warning, buttonSet, false);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(script.sawDialog) << buttonSet;
    return {result, script.openAfterKey};
}

} // namespace

TEST(MessageWinKeys, EscAsTheSystemsMessageBoxEnterPressesTheFocusedButton) {
    const struct {
        int32_t buttonSet;
        WPARAM key;
        int32_t result;
        bool staysOpen;
    } table[] = {
        {0, VK_ESCAPE, kResultOk, false},      // "OK" alone: Esc closes with OK
        {1, VK_ESCAPE, kResultCancel, false},  // "OK", "Annuller": Esc cancels
        {-3, VK_ESCAPE, kResultCancel, false}, // as 1
        {2, VK_ESCAPE, kResultCancel, false},  // "Ja", "Annuller"
        {7, VK_ESCAPE, kResultCancel, false},  // as 2
        {3, VK_ESCAPE, kResultCancel, true},   // "Ja", "Nej": nothing; the frame gives Cancel
        {4, VK_ESCAPE, kResultCancel, true},
        {3, VK_RETURN, kResultYes, false}, // the focus starts on the left button
        {4, VK_RETURN, kResultNo, false},
        {1, VK_RETURN, kResultOk, false},
    };
    for (const auto& row : table) {
        const auto [result, open] = showAndPress(row.buttonSet, row.key);
        EXPECT_EQ(result, row.result) << row.buttonSet << " key " << row.key;
        EXPECT_EQ(open, row.staysOpen) << row.buttonSet << " key " << row.key;
    }
}
