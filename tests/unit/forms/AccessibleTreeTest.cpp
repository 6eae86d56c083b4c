// The accessible trees of the panel and the windows (names, roles, states, order, places at
// 100 % and 150 %) and the order Tab walks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/AccessibleTree.h"
#include "forms/SettingsForm.h"
#include "forms/WelcomeForm.h"
#include "messages/MessagesForm.h"

using namespace qlx;

namespace {

// The tree flattened depth first: "control:name:role" per node, the window first.
std::vector<std::string> outline(const AccNode& node, int depth = 0) {
    std::vector<std::string> lines{std::string(static_cast<size_t>(depth), ' ') + node.control +
                                   "|" + node.name + "|" + std::to_string(node.role)};
    for (const AccNode& c : node.children) {
        auto inner = outline(c, depth + 1);
        lines.insert(lines.end(), inner.begin(), inner.end());
    }
    return lines;
}

const std::string kDialog = std::to_string(kRoleDialog);
const std::string kPane = std::to_string(kRolePane);
const std::string kText = std::to_string(kRoleStaticText);
const std::string kButton = std::to_string(kRolePushButton);
const std::string kCheck = std::to_string(kRoleCheckButton);
const std::string kHotKey = std::to_string(kRoleHotKeyField);

} // namespace

TEST(AccessibleTree, SettingsWindowHoldsItsControlsInTableOrderUnderTheirPanels) {
    const AccNode tree = formAccessibleTree(settingsFormLayout(), {});
    const std::vector<std::string> expected{
        "|Om programmet|" + kDialog,
        " PanelTop||" + kPane,
        "  LabelTitle|Quiklex|" + kText,
        "  LabelSubtitle|til hurtigt opslag i Lemmary|" + kText,
        "  LabelVersion|version 0.6.0|" + kText,
        " Label8|Indstillingerne anvendes nu og n\xE5r programmet starter n\xE6ste gang.|" + kText,
        " CheckBoxAlwaysOnTop|Altid over andre vinduer|" + kCheck,
        " CheckBoxSystray|Ikon ved siden af uret|" + kCheck,
        " CheckBoxRunOnStart|Automatisk programstart|" + kCheck,
        " CheckBoxMinimizeOnStart|Start skjult|" + kCheck,
        " CheckBoxUseGCF|Offline i \xE6ldre Internet Explorer (version 7, 8 el. 9)|" + kCheck,
        " Label1|Tastaturgenvej:|" + kText,
        // Named by its label, as a reader should speak it: without the colon.
        " HotKeyField|Tastaturgenvej|" + kHotKey,
        " PanelBottom||" + kPane,
        "  ButtonOK|OK|" + kButton,
        "  ButtonCancel|Annuller|" + kButton,
        "  ButtonReset|Standard|" + kButton,
    };
    EXPECT_EQ(outline(tree), expected);
    // Windows of their own are referred to, once: the panels and the field.
    for (const char* window : {"HotKeyField", "PanelTop", "PanelBottom"})
        EXPECT_TRUE(tree.find(window)->systemObject) << window;
    EXPECT_FALSE(tree.find("CheckBoxSystray")->systemObject);
    // The mnemonic letters as keyboard shortcuts; the label's goes to the field after it.
    struct Shortcut {
        const char* control;
        const char* keys;
    } shortcuts[] = {{"CheckBoxSystray", "Alt+I"}, {"CheckBoxMinimizeOnStart", "Alt+K"},
                     {"HotKeyField", "Alt+T"},     {"Label1", ""},
                     {"ButtonReset", "Alt+S"},     {"ButtonOK", ""}};
    for (const Shortcut& s : shortcuts)
        EXPECT_EQ(tree.find(s.control)->keyboardShortcut, s.keys) << s.control;
    EXPECT_EQ(tree.find("ButtonOK")->defaultAction, "Tryk");
    EXPECT_EQ(tree.find("CheckBoxSystray")->defaultAction, "Tryk");
    EXPECT_EQ(tree.find("Label8")->defaultAction, "");
}

TEST(AccessibleTree, StatesFollowTheControls) {
    FormAccState state;
    state.controls["CheckBoxSystray"].checked = true;
    state.controls["CheckBoxMinimizeOnStart"].enabled = false;
    state.controls["CheckBoxMinimizeOnStart"].checked = true;
    state.focused = "CheckBoxSystray";
    const AccNode tree = formAccessibleTree(settingsFormLayout(), state);
    struct Case {
        const char* control;
        uint32_t states;
    } cases[] = {
        {"CheckBoxSystray", kStateChecked | kStateFocused | kStateFocusable},
        {"CheckBoxAlwaysOnTop", kStateFocusable},
        {"CheckBoxMinimizeOnStart", kStateChecked | kStateUnavailable},
        {"ButtonOK", kStateFocusable},
        {"HotKeyField", kStateFocusable},
        {"Label1", 0},
        {"PanelBottom", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(tree.find(c.control)->states, c.states) << c.control;
}

TEST(AccessibleTree, PlacesAreInTheWindowsClientAreaAtItsScale) {
    struct Case {
        const char* control;
        int dpi;
        ControlBox expected;
    } cases[] = {
        {"", 96, {0, 0, 325, 290}},
        {"CheckBoxSystray", 96, {13, 133, 147, 22}},
        {"PanelBottom", 96, {0, 262, 325, 28}},
        {"ButtonOK", 96, {24, 266, 45, 21}},
        {"ButtonReset", 96, {233, 266, 66, 21}},
        {"LabelVersion", 96, {188, 36, 120, 15}},
        {"HotKeyField", 96, {120, 231, 136, 20}},
        {"", 144, {0, 0, 488, 435}},
        {"CheckBoxSystray", 144, {20, 200, 221, 33}},
        {"PanelBottom", 144, {0, 393, 488, 42}},
        {"ButtonOK", 144, {36, 399, 68, 32}},
        {"ButtonReset", 144, {350, 399, 99, 32}},
        {"HotKeyField", 144, {180, 347, 204, 30}},
    };
    for (const Case& c : cases) {
        FormAccState state;
        state.dpi = c.dpi;
        const AccNode tree = formAccessibleTree(settingsFormLayout(), state);
        EXPECT_EQ(tree.find(c.control)->bounds, c.expected) << c.control << " at " << c.dpi;
    }
}

TEST(AccessibleTree, WelcomeWindowNamesItsButtonsByTheirCaptions) {
    for (int dpi : {96, 144}) {
        FormAccState state;
        state.dpi = dpi;
        const AccNode tree = formAccessibleTree(welcomeFormLayout(), state);
        EXPECT_EQ(tree.name, "Velkommen");
        EXPECT_EQ(tree.role, kRoleDialog);
        const AccNode* bottom = tree.find("PanelBottom");
        ASSERT_NE(bottom, nullptr);
        ASSERT_EQ(bottom->children.size(), 3u);
        EXPECT_EQ(bottom->children[0].name, "Moderne");
        EXPECT_EQ(bottom->children[0].role, kRolePushButton);
        EXPECT_EQ(bottom->children[1].name, "eller");
        EXPECT_EQ(bottom->children[1].role, kRoleStaticText);
        EXPECT_EQ(bottom->children[2].name, "IE 7, 8, 9");
        const ControlBox yes = dpi == 96 ? ControlBox{213, 127, 78, 21}
                                         : ControlBox{320, 191, 117, 32};
        EXPECT_EQ(bottom->children[2].bounds, yes) << dpi;
        // No shapes behind the buttons.
        EXPECT_EQ(tree.find("ButtonNoShape"), nullptr);
    }
}

TEST(AccessibleTree, MessagesWindowFollowsItsSize) {
    FormAccState state;
    state.clientWidth = 639;
    state.clientHeight = 466;
    const AccNode tree = formAccessibleTree(messagesFormLayout(), state);
    EXPECT_EQ(tree.find("ButtonClose")->bounds, (ControlBox{34, 444, 45, 17}));
    EXPECT_EQ(tree.find("ButtonClose")->name, "OK");
    const AccNode* view = tree.find("CppWebBrowser1");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->systemObject);
    EXPECT_EQ(view->bounds, (ControlBox{8, 11, 621, 426}));
    state.dpi = 144;
    EXPECT_EQ(formAccessibleTree(messagesFormLayout(), state).find("ButtonClose")->bounds,
              (ControlBox{51, 666, 68, 26}));
}

TEST(AccessibleTree, PanelIsQuiklexWithItsTwoButtons) {
    struct Case {
        int dpi;
        ControlBox panel, menu, open;
    } cases[] = {
        {96, {0, 0, 80, 30}, {15, 5, 24, 19}, {48, 5, 25, 19}},
        {144, {0, 0, 121, 46}, {23, 7, 36, 29}, {72, 7, 38, 29}},
    };
    for (const Case& c : cases) {
        const AccNode tree = panelAccessibleTree(true, c.dpi);
        EXPECT_EQ(tree.name, "Quiklex");
        EXPECT_EQ(tree.role, kRolePane);
        EXPECT_EQ(tree.states, kStateFocused | kStateFocusable);
        EXPECT_EQ(tree.bounds, c.panel);
        ASSERT_EQ(tree.children.size(), 2u);
        EXPECT_EQ(tree.children[0].name, "Menu");
        EXPECT_EQ(tree.children[0].bounds, c.menu) << c.dpi;
        EXPECT_EQ(tree.children[1].name, "\xC5" "bn ordbogen");
        EXPECT_EQ(tree.children[1].bounds, c.open) << c.dpi;
        for (const AccNode& b : tree.children) {
            EXPECT_EQ(b.role, kRolePushButton);
            EXPECT_EQ(b.defaultAction, "Tryk");
        }
    }
    EXPECT_EQ(panelAccessibleTree(false, 96).states, kStateFocusable);
}

TEST(FocusOrder, TabWalksTheTableAndPassesDisabledControls) {
    const FormDesc settings = settingsFormLayout();
    EXPECT_EQ(focusOrder(settings),
              (std::vector<std::string>{"CheckBoxAlwaysOnTop", "CheckBoxSystray",
                                        "CheckBoxRunOnStart", "CheckBoxMinimizeOnStart",
                                        "CheckBoxUseGCF", "HotKeyField", "ButtonOK",
                                        "ButtonCancel", "ButtonReset"}));
    FormAccState state;
    state.controls["CheckBoxMinimizeOnStart"].enabled = false;
    struct Case {
        const char* from;
        bool forward;
        const char* to;
    } cases[] = {
        {"", true, "CheckBoxAlwaysOnTop"},
        {"", false, "ButtonReset"},
        {"CheckBoxAlwaysOnTop", true, "CheckBoxSystray"},
        {"CheckBoxRunOnStart", true, "CheckBoxUseGCF"},
        {"CheckBoxUseGCF", false, "CheckBoxRunOnStart"},
        {"HotKeyField", true, "ButtonOK"},
        {"ButtonReset", true, "CheckBoxAlwaysOnTop"},
        {"CheckBoxAlwaysOnTop", false, "ButtonReset"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nextFocus(settings, state, c.from, c.forward), c.to)
            << c.from << (c.forward ? " Tab" : " Shift+Tab");
    EXPECT_EQ(focusOrder(welcomeFormLayout()), (std::vector<std::string>{"ButtonNo", "ButtonYes"}));
    FormAccState none;
    for (const std::string& name : focusOrder(welcomeFormLayout()))
        none.controls[name].enabled = false;
    EXPECT_EQ(nextFocus(welcomeFormLayout(), none, "ButtonNo", true), "");
}

TEST(AccessibleTree, MessageDialogReadsItsTextAndLeavesItsButtonsToTheSystem) {
    MessageWinLayout layout;
    layout.clientWidth = 300;
    layout.clientHeight = 120;
    layout.text = {58, 16, 220, 45};
    layout.strip = {0, 92, 300, 28};
    const AccNode tree = messageDialogAccessibleTree("Quiklex", "Vil du gemme \xE6ndringerne?", layout);
    EXPECT_EQ(outline(tree), (std::vector<std::string>{
                                 "|Quiklex|" + kDialog,
                                 " Text|Vil du gemme \xE6ndringerne?|" + kText,
                                 " Strip||" + kPane,
                             }));
    EXPECT_EQ(tree.find("Text")->bounds, (ControlBox{58, 16, 220, 45}));
    EXPECT_TRUE(tree.find("Strip")->systemObject);
    EXPECT_FALSE(tree.find("Strip")->focusWithin);
    EXPECT_TRUE(messageDialogAccessibleTree("", "", layout, true).find("Strip")->focusWithin);
    EXPECT_EQ(tree.bounds, (ControlBox{0, 0, 300, 120}));
}
