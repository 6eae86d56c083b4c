// A change of colour scheme reaches the open windows, which repaint in it at once with all
// their panels, strips and buttons. Wine cannot switch high contrast on, so the source of the
// scheme says it is on.
#include <gtest/gtest.h>

#include <windows.h>

#include "win32/forms/FormSettings.h"
#include "win32/dialogs/MessageWin.h"
#include "win32/system/SystemColours.h"

using namespace qlx;
using namespace qlx::win;

namespace {

ColourScheme highContrast() {
    SystemColours s{};
    s[kSysWindow] = 0x200000;
    s[kSysWindowText] = 0x00FFFF;
    s[kSysButtonFace] = 0x002000;
    s[kSysButtonText] = 0xFF00FF;
    s[kSysGrayText] = 0x00FF00;
    s[kSysHighlight] = 0xFFFF00;
    return ColourScheme(ColourMode::highContrast, s);
}
const ColourScheme kContrast = highContrast();

uint32_t pixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return static_cast<uint32_t>(c);
}

// As the system tells a top-level window; what it paints then is on its surface at once.
void tellChange(HWND window, ColourSchemeSource source) {
    setColourSchemeSource(source);
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

struct NoMessages : MessageWinPort {
    int32_t MessageWin(DialogOwner, const std::string&, const std::string&, TMsgDlgType,
                       int32_t) override {
        return kResultOk;
    }
};

// The dialog's background, its button's face, before and after the change.
struct Seen {
    uint32_t background[2] = {};
    uint32_t face[2] = {};
} seen;

void CALLBACK changeAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindWindowW(L"TMessageForm", nullptr);
    HWND strip = FindWindowExW(dialog, nullptr, L"TMessageStrip", nullptr);
    HWND button = FindWindowExW(strip, nullptr, L"Button", nullptr);
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (int i = 0; i < 2; ++i) {
        if (i == 1) tellChange(dialog, highContrast);
        seen.background[i] = pixel(dialog, 3, 3);
        seen.face[i] = pixel(button, 4, 4);
    }
    tellChange(dialog, nullptr);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

} // namespace

TEST(ColourSchemeChange, TheSettingsWindowAndItsPanelsRepaintAtOnce) {
    NoMessages messages;
    TFormSettingsWindow window(messages, nullptr);
    ASSERT_TRUE(window.createForm());
    ShowWindow(window.handle(), SW_SHOWNA);
    const struct {
        HWND window;
        int x, y;
        uint32_t normal, contrast;
    } places[] = {
        {window.handle(), 5, 150, 0xFFFFFF, kContrast(ColourRole::dialogBackground)},
        {window.window("PanelTop"), 5, 5, 0x5C743E, kContrast(ColourRole::header)},
        {window.window("PanelBottom"), 5, 5, 0xFFFFFF, kContrast(ColourRole::dialogBackground)},
        {window.window("PanelBottom"), 28, 8, 0xDDDDDD, kContrast(ColourRole::buttonFace)},
    };
    RedrawWindow(window.handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (const auto& p : places) EXPECT_EQ(pixel(p.window, p.x, p.y), p.normal) << p.x;
    tellChange(window.handle(), highContrast);
    for (const auto& p : places) EXPECT_EQ(pixel(p.window, p.x, p.y), p.contrast) << p.x;
    tellChange(window.handle(), nullptr);
    for (const auto& p : places) EXPECT_EQ(pixel(p.window, p.x, p.y), p.normal) << p.x;
}

TEST(ColourSchemeChange, TheMessageDialogRepaintsAtOnce) {
    SetTimer(nullptr, 0, 300, changeAndClose);
    showMessageWin(nullptr, "Tekst", "Quiklex", TMsgDlgType::information, 0, false);
    EXPECT_EQ(seen.background[0], 0xFFFFFFu);
    EXPECT_EQ(seen.face[0], 0xDDDDDDu);
    EXPECT_EQ(seen.background[1], kContrast(ColourRole::dialogBackground));
    EXPECT_EQ(seen.face[1], kContrast(ColourRole::buttonFace));
}
