// The panel's menus: their entries, the on-top toggles, hiding, the tray icon's callbacks.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "panel/PanelMenus.h"

using namespace qlx;
using Calls = std::vector<std::string>;

namespace {

class FakeMenusPort : public PanelMenusPort {
public:
    Calls calls;
    bool throwOnApply = false;
    void showPanel() override { calls.push_back("show"); }
    void hidePanel() override { calls.push_back("hide"); }
    void applyOnTop(bool on) override {
        if (throwOnApply) throw std::runtime_error("band");
        calls.push_back(on ? "ontop+" : "ontop-");
    }
    void setOnTopCheckMarks(bool c) override { calls.push_back(c ? "check+" : "check-"); }
    void openTrayMenuAtCursor() override { calls.push_back("traymenu"); }
    void openTrayMenuAt(int32_t x, int32_t y) override {
        calls.push_back("traymenu at " + std::to_string(x) + "," + std::to_string(y));
    }
    void showTaskbarButton(bool s) override { calls.push_back(s ? "taskbar+" : "taskbar-"); }
    void menuItemSettingsClick(int tag) override { calls.push_back("settings " + std::to_string(tag)); }
    void menuItemProgramWebClick() override { calls.push_back("web"); }
    void menuItemTerminateClick() override { calls.push_back("terminate"); }
};

struct Menus : ::testing::Test {
    bool onTop = true, modal = false, tray = true;
    FakeMenusPort port;
    PanelMenus menus{port, {onTop, modal, tray}};
};

} // namespace

TEST(PanelMenuEntries, CaptionsTagsAndOrder) {
    EXPECT_STREQ(kTrayMenuEntries[2].caption, "Vis altid \xF8verst");
    EXPECT_EQ(std::strlen(kTrayMenuEntries[2].caption), 16u);
    EXPECT_STREQ(kPopupMenuEntries[4].caption, "Information p\xE5 web");
    EXPECT_EQ(std::string(kPopupMenuEntries[4].caption).size(), 18u);

    std::string tray;
    for (const auto& e : kTrayMenuEntries) {
        tray += std::string(e.caption) + "|";
        // Every tray item but the separators and "Afslut" bears the tray mark.
        const bool marked = e.item != PanelMenuItem::Separator &&
                            e.item != PanelMenuItem::TrayMenuItemTerminate;
        EXPECT_EQ(e.tag, marked ? kTrayMenuTag : 0) << e.caption;
        EXPECT_EQ(e.isDefault, e.item == PanelMenuItem::TrayMenuItemOpen);
    }
    EXPECT_EQ(tray, "Vis panel|Skjul panel|Vis altid \xF8verst|-|Indstillinger|"
                    "Information p\xE5 web|-|Afslut|");
    std::string popup;
    for (const auto& e : kPopupMenuEntries) {
        popup += std::string(e.caption) + "|";
        EXPECT_EQ(e.tag, 0);
        EXPECT_EQ(e.onTopCheck, e.item == PanelMenuItem::PopupMenuItemOnTop);
    }
    EXPECT_EQ(popup, "Skjul panel|Vis altid \xF8verst|-|Indstillinger|Information p\xE5 web|-|"
                     "Afslut|");
}

TEST(PanelMenuEntries, CommandNumbersGoBothWays) {
    for (int i = 0; i < static_cast<int>(PanelMenuItem::Separator); ++i) {
        const auto item = static_cast<PanelMenuItem>(i);
        EXPECT_EQ(panelMenuItemFromCommand(panelMenuCommandId(item)), item);
    }
    EXPECT_EQ(panelMenuItemFromCommand(panelMenuCommandId(PanelMenuItem::Separator)), std::nullopt);
    EXPECT_EQ(panelMenuItemFromCommand(kPanelMenuCommandBase - 1), std::nullopt);
    EXPECT_EQ(panelMenuItemFromCommand(0), std::nullopt);
}

TEST_F(Menus, SettingsCommandCarriesTheSendersTag) {
    menus.MenuCommand(PanelMenuItem::TrayMenuItemSettings);
    menus.MenuCommand(PanelMenuItem::PopupMenuItemSettings);
    menus.MenuCommand(PanelMenuItem::TrayMenuItemProgramWeb);
    menus.MenuCommand(PanelMenuItem::PopupMenuItemTerminate);
    EXPECT_EQ(port.calls, (Calls{"settings 765", "settings 0", "web", "terminate"}));
    EXPECT_TRUE(isTrayMenuSender(765));
    EXPECT_FALSE(isTrayMenuSender(0));
}

TEST_F(Menus, PanelMenuToggleFlipsBothMarksAndTheBand) {
    menus.MenuCommand(PanelMenuItem::PopupMenuItemOnTop);
    EXPECT_FALSE(onTop);
    EXPECT_FALSE(menus.OnTopCheckMarks);
    EXPECT_EQ(port.calls, (Calls{"check-", "ontop-"}));
    menus.PopupMenuItemOnTopClick();
    EXPECT_TRUE(onTop);
    EXPECT_EQ(port.calls, (Calls{"check-", "ontop-", "check+", "ontop+"}));

    // Errors are swallowed; the flag keeps what it got.
    port.throwOnApply = true;
    EXPECT_NO_THROW(menus.PopupMenuItemOnTopClick());
    EXPECT_FALSE(onTop);
    EXPECT_FALSE(menus.OnTopCheckMarks);
}

TEST_F(Menus, PanelMenuToggleWithAModalWindowAppliesTheBandAtOnce) {
    modal = true;
    menus.PopupMenuItemOnTopClick();
    EXPECT_EQ(port.calls, (Calls{"check-", "ontop-"}));
}

TEST_F(Menus, TrayToggleShowsThePanelOnlyWhenTurningOn) {
    menus.MenuCommand(PanelMenuItem::TrayMenuItemOnTop);
    EXPECT_FALSE(onTop);
    EXPECT_EQ(port.calls, (Calls{"check-", "ontop-"}));
    port.calls.clear();
    menus.TrayMenuItemOnTopClick();
    EXPECT_TRUE(onTop);
    EXPECT_EQ(port.calls, (Calls{"check+", "show", "ontop+"}));
}

TEST_F(Menus, TrayToggleWithAModalWindowWaitsForItToClose) {
    modal = true;
    menus.TrayMenuItemOnTopClick();
    menus.TrayMenuItemOnTopClick();
    EXPECT_TRUE(onTop);
    EXPECT_EQ(port.calls, (Calls{"check-", "show", "check+", "show"}));
}

TEST_F(Menus, TrayToggleFollowsTheCheckMarkNotTheFlag) {
    // Both toggles share one mark, so they stay together whichever menu is used.
    menus.PopupMenuItemOnTopClick();
    menus.TrayMenuItemOnTopClick();
    EXPECT_TRUE(onTop);
    EXPECT_TRUE(menus.OnTopCheckMarks);
}

TEST_F(Menus, StoredPreferenceTakesOverAgain) {
    menus.PopupMenuItemOnTopClick();
    port.calls.clear();
    menus.OnTopSettingApplied(true);
    EXPECT_TRUE(onTop);
    EXPECT_EQ(port.calls, (Calls{"check+", "ontop+"}));
}

TEST_F(Menus, HidingFromTheTrayMenuKeepsAModalWindowReachable) {
    menus.MenuCommand(PanelMenuItem::TrayMenuItemHide);
    modal = true;
    menus.MenuCommand(PanelMenuItem::TrayMenuItemHide);
    menus.MenuCommand(PanelMenuItem::PopupMenuItemHide);
    menus.MenuCommand(PanelMenuItem::TrayMenuItemOpen);
    EXPECT_EQ(port.calls, (Calls{"hide", "show", "hide", "show"}));
}

TEST_F(Menus, OnlyButtonReleasesOverTheTrayIconAct) {
    EXPECT_FALSE(menus.TrayIconCallback(512)); // move
    EXPECT_FALSE(menus.TrayIconCallback(513)); // left press
    EXPECT_FALSE(menus.TrayIconCallback(515)); // left double click
    EXPECT_FALSE(menus.TrayIconCallback(516)); // right press
    EXPECT_TRUE(port.calls.empty());
    EXPECT_TRUE(menus.TrayIconCallback(514));
    EXPECT_TRUE(menus.TrayIconCallback(517));
    EXPECT_EQ(port.calls, (Calls{"show", "traymenu"}));
}

TEST_F(Menus, TrayIconAnswersTheKeyboard) {
    // Enter or Space on the focused icon; Shift+F10 or the menu key opens the menu at the
    // icon, not at the mouse.
    EXPECT_TRUE(menus.TrayIconCallback(kTrayKeySelect, 1000, 750));
    EXPECT_TRUE(menus.TrayIconCallback(kTrayContextMenu, 1000, 750));
    // A left click also brings the select event: the release has already shown the panel.
    EXPECT_TRUE(menus.TrayIconCallback(514));
    EXPECT_FALSE(menus.TrayIconCallback(kTraySelect, 1000, 750));
    EXPECT_EQ(port.calls, (Calls{"show", "traymenu at 1000,750", "show"}));
}

TEST_F(Menus, RightClickOnTheTrayIconOpensItsMenuOnce) {
    // The newer shells follow the right release with the context event.
    EXPECT_TRUE(menus.TrayIconCallback(517));
    EXPECT_FALSE(menus.TrayIconCallback(kTrayContextMenu, 1000, 750));
    // Later, the keyboard's context event opens it again.
    EXPECT_TRUE(menus.TrayIconCallback(kTrayContextMenu, 1000, 750));
    EXPECT_EQ(port.calls, (Calls{"traymenu", "traymenu at 1000,750"}));
}

TEST_F(Menus, TaskbarEntryStaysHiddenWithTheTrayIcon) {
    menus.ApplicationEvents1Minimize();
    menus.ApplicationEvents1Restore();
    tray = false;
    menus.ApplicationEvents1Minimize();
    menus.ApplicationEvents1Restore();
    EXPECT_EQ(port.calls, (Calls{"taskbar-", "taskbar-"}));
}
