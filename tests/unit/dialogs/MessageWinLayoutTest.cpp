// The message dialog's button sets, size, place and button positions.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/MessageWinLayout.h"

using namespace qlx;

namespace {
const WorkArea kWork{0, 0, 1920, 1040};

// A font 7 pixels wide on average and 16 high: margins 14 and 16, spacings 18 and 20, a
// button row of 28. A dialog frame adds 6 to the width and 29 to the height.
MessageWinMeasures measures(int32_t textWidth, int32_t textHeight) {
    return MessageWinMeasures{{0, 0, 1920, 1080}, 7, 16, textWidth, textHeight, 6, 29};
}

// Each button's caption and result, "Esc" after the one Esc presses.
std::string captions(const ButtonSet& s) {
    const auto button = [](const DialogButton& b) {
        return std::string(b.caption) + "=" + std::to_string(b.result) + (b.cancel ? " Esc" : "");
    };
    std::string out = button(s.left);
    if (s.right) out += " " + button(*s.right);
    return out + " min " + std::to_string(s.minimumWidth);
}
} // namespace

// Buttons, results, minimum width and the key Esc: as the system's message box, Esc cancels
// where there is "Annuller", closes with OK where "OK" is all, and does nothing on Ja/Nej.
TEST(MessageWinLayout, ButtonSetTable) {
    const struct {
        int32_t code;
        const char* buttons;
        std::optional<int32_t> esc;
    } table[] = {
        {0, "OK=1 Esc min 150", kResultOk},
        {1, "OK=1 Annuller=2 Esc min 200", kResultCancel},
        {2, "Ja=6 Annuller=2 Esc min 200", kResultCancel},
        {3, "Ja=6 Nej=7 min 200", std::nullopt},
        {4, "Nej=7 Ja=6 min 200", std::nullopt},
        {5, "Ja=6 Annuller=2 Esc min 200", kResultCancel},
        {6, "Ja=6 Annuller=2 Esc min 200", kResultCancel},
        {1000, "Ja=6 Annuller=2 Esc min 200", kResultCancel},
        {INT32_MAX, "Ja=6 Annuller=2 Esc min 200", kResultCancel},
        {-1, "OK=1 Annuller=2 Esc min 200", kResultCancel},
        {-4, "OK=1 Annuller=2 Esc min 200", kResultCancel},
        {INT32_MIN, "OK=1 Annuller=2 Esc min 200", kResultCancel},
    };
    for (const auto& row : table) {
        EXPECT_EQ(captions(buttonSetFor(row.code)), row.buttons) << row.code;
        EXPECT_EQ(escapeResult(row.code), row.esc) << row.code;
    }
}

TEST(MessageWinLayout, OneWordNoticeGetsOneCentredOkInAtLeast150) {
    const MessageWinLayout l =
        layoutMessageWin(measures(30, 16), TMsgDlgType::warning, 0, std::nullopt, kWork);
    // Body: icon 32 + 18 + text 30 + 2 x 14 = 108 wide; 32 + 28 + 20 + 2 x 16 = 112 high.
    EXPECT_EQ(l.dialog.width, 150);
    EXPECT_EQ(l.dialog.height, 141);
    EXPECT_EQ(l.clientWidth, 144);
    EXPECT_EQ(l.clientHeight, 112);
    EXPECT_EQ(l.icon, (Rect{14, 16, 32, 32}));
    EXPECT_EQ(l.text, (Rect{64, 16, 30, 16}));
    EXPECT_EQ(l.strip, (Rect{0, 84, 144, 28}));
    EXPECT_EQ(l.left.bounds, (Rect{41, 4, 62, 22}));
    EXPECT_EQ(l.left.button.result, kResultOk);
    EXPECT_FALSE(l.right.has_value());
}

TEST(MessageWinLayout, TwoButtonsSplitTheStripAndTheRightOneUsesTheOuterWidth) {
    const MessageWinLayout l =
        layoutMessageWin(measures(30, 16), TMsgDlgType::confirmation, 3, std::nullopt, kWork);
    EXPECT_EQ(l.dialog.width, 200);
    EXPECT_EQ(l.clientWidth, 194);
    EXPECT_EQ(l.left.bounds, (Rect{17, 4, 62, 22}));
    ASSERT_TRUE(l.right.has_value());
    EXPECT_EQ(l.right->bounds, (Rect{119, 4, 62, 22})); // a mirror image would be at 115
    EXPECT_STREQ(l.left.button.caption, "Ja");
    EXPECT_STREQ(l.right->button.caption, "Nej");

    const MessageWinLayout reversed =
        layoutMessageWin(measures(30, 16), TMsgDlgType::confirmation, 4, std::nullopt, kWork);
    EXPECT_EQ(reversed.left.button.result, kResultNo);
    EXPECT_EQ(reversed.right->button.result, kResultYes);
}

TEST(MessageWinLayout, WideTextIsNotNarrowedAndCustomHasNoIcon) {
    const MessageWinLayout l =
        layoutMessageWin(measures(400, 48), TMsgDlgType::custom, 1, std::nullopt, kWork);
    EXPECT_FALSE(l.icon.has_value());
    EXPECT_EQ(l.text, (Rect{14, 16, 400, 48}));
    EXPECT_EQ(l.dialog.width, 400 + 28 + 6);
    EXPECT_EQ(l.dialog.height, 48 + 28 + 20 + 32 + 29);
    EXPECT_EQ(l.right->bounds.left, 217 + (217 - 62) / 2);
    EXPECT_EQ(messageTextWrapWidth(1920), 960);
    EXPECT_EQ(messageTextWrapWidth(ScreenRect{-1280, 0, 0, 1024}), 640);
}

TEST(MessageWinLayout, WithoutOwnerStaysCentredOnTheScreenEvenOverTheTaskbar) {
    const MessageWinLayout l = layoutMessageWin(measures(30, 16), TMsgDlgType::warning, 0,
                                                std::nullopt, WorkArea{0, 0, 100, 100});
    // Centred on the body's own width; widening to 150 keeps the left edge.
    EXPECT_EQ(l.dialog, (Dimension{540 - 70, 960 - 57, 141, 150}));
}

TEST(MessageWinLayout, WithOwnerCentredOnItAndKeptInsideTheWorkArea) {
    const Dimension panel{0, 1838, 32, 82}; // the panel in the top right corner
    const MessageWinLayout l =
        layoutMessageWin(measures(30, 16), TMsgDlgType::warning, 3, panel, kWork);
    EXPECT_EQ(l.dialog, (Dimension{0, 1720, 141, 200}));

    const Dimension owner{300, 400, 400, 600};
    const MessageWinLayout centred =
        layoutMessageWin(measures(30, 16), TMsgDlgType::warning, 0, owner, kWork);
    EXPECT_EQ(centred.dialog, (Dimension{300 + 129, 400 + 225, 141, 150}));
}

TEST(MessageWinLayout, DialogLargerThanTheWorkAreaIsShrunkAndTheStripFollows) {
    const WorkArea work{0, 40, 1920, 1080};
    const MessageWinLayout l = layoutMessageWin(measures(960, 2000), TMsgDlgType::error, 0,
                                                Dimension{500, 500, 100, 100}, work);
    EXPECT_EQ(l.dialog.top, 40);
    EXPECT_EQ(l.dialog.height, 1040);
    EXPECT_EQ(l.clientHeight, 1040 - 29);
    EXPECT_EQ(l.strip.top, 1040 - 29 - 28);
}

TEST(MessageWinLayout, OnTheMonitorOfItsOwnerOrOfThePanel) {
    const Monitor primary{{0, 0, 1920, 1080}, WorkArea{0, 0, 1920, 1040}, 96, true};
    const Monitor right{{1920, 0, 3200, 1024}, WorkArea{1920, 0, 3160, 1024}, 144, false};
    const MonitorList both{primary, right};
    const Dimension panel{0, 3200 - 164, 32, 82};
    const Dimension settings{100, 100, 331, 319};
    EXPECT_EQ(messageWinMonitor(settings, panel, both), primary);
    EXPECT_EQ(messageWinMonitor(std::nullopt, panel, both), right);
    EXPECT_EQ(messageWinMonitor(std::nullopt, std::nullopt, both), primary);

    // Without an owner: centred on the panel's monitor.
    MessageWinMeasures m = measures(30, 16);
    m.screen = right.bounds;
    EXPECT_EQ(layoutMessageWin(m, TMsgDlgType::warning, 0, std::nullopt, *right.work).dialog,
              (Dimension{512 - 70, 1920 + 640 - 57, 141, 150}));

    // A panel near its monitor's right edge, beside the taskbar: the dialog centred on it is
    // kept inside that monitor's work area, not pushed onto the primary screen.
    const Dimension nearEdge{300, 3160 - 82, 32, 82};
    EXPECT_EQ(layoutMessageWin(m, TMsgDlgType::warning, 3, nearEdge, workAreaOf(nearEdge, both))
                  .dialog,
              (Dimension{300 - 54, 3160 - 200, 141, 200}));
    const Dimension nearLeftEdge{300, 1920, 32, 82};
    EXPECT_EQ(layoutMessageWin(m, TMsgDlgType::warning, 3, nearLeftEdge,
                               workAreaOf(nearLeftEdge, both))
                  .dialog.left,
              1920);
}

TEST(MessageWinLayout, StripButtonsIconAndMinimumWidthScaleWithTheMonitor) {
    // At 200 % the font is twice as large, and so are the fixed sizes written at 96 DPI.
    MessageWinMeasures m{{0, 0, 3840, 2160}, 14, 32, 60, 32, 12, 58};
    m.dpi = 192;
    const MessageWinLayout l = layoutMessageWin(m, TMsgDlgType::warning, 0, std::nullopt,
                                                WorkArea{0, 0, 3840, 2080});
    EXPECT_EQ(l.dialog.width, 300);
    EXPECT_EQ(l.icon, (Rect{28, 32, 64, 64}));
    EXPECT_EQ(l.text, (Rect{127, 32, 60, 32}));
    EXPECT_EQ(l.strip.height, 56);
    EXPECT_EQ(l.strip.top, l.clientHeight - 56);
    EXPECT_EQ(l.left.bounds, (Rect{82, 8, 124, 44}));
}
