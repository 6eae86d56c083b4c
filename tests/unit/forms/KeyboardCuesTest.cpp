// When a window shows its focus rectangle and its underlines, and what Alt+letter does in the
// settings and welcome windows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "forms/KeyboardCues.h"
#include "forms/SettingsForm.h"
#include "forms/WelcomeForm.h"

using namespace qlx;

namespace {
constexpr uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
constexpr uint32_t kTab = 0x09, kAlt = 0x12, kCtrl = 0x11, kSpace = 0x20, kLeft = 0x25,
                   kDown = 0x28, kLetterI = 'I';
} // namespace

TEST(KeyboardCues, FocusRectangleAfterTabOrArrowUnderlinesWhileAltIsDown) {
    struct Event {
        uint32_t message, key;
        bool focus, underlines; // shown afterwards
    };
    struct Case {
        const char* what;
        bool byKeyboard;
        std::vector<Event> events;
    } cases[] = {
        {"mouse, then Space and Ctrl: still nothing",
         false,
         {{kKeyDown, kSpace, false, false}, {kKeyDown, kCtrl, false, false}}},
        {"mouse, then Tab: the rectangle stays",
         false,
         {{kKeyDown, kTab, true, false},
          {kKeyUp, kTab, true, false},
          {kKeyDown, kSpace, true, false}}},
        {"mouse, then an arrow", false, {{kKeyDown, kLeft, true, false}}},
        {"mouse, then Alt+Down", false, {{kSysKeyDown, kDown, true, false}}},
        {"Alt held for a letter, then let go",
         false,
         {{kSysKeyDown, kAlt, false, true},
          {kSysKeyDown, kLetterI, false, true},
          {kSysKeyUp, kLetterI, false, true},
          {kKeyUp, kAlt, false, false}}},
        {"Alt alone, released as a system key",
         false,
         {{kSysKeyDown, kAlt, false, true}, {kSysKeyUp, kAlt, false, false}}},
        // With Ctrl down Alt is AltGr typing a character: no system key, no underlines.
        {"AltGr", false, {{kKeyDown, kCtrl, false, false}, {kKeyDown, kAlt, false, false}}},
        {"opened from the keyboard", true, {{kKeyDown, kSpace, true, false}}},
    };
    for (const Case& c : cases) {
        KeyboardCues cues;
        cues.opened(c.byKeyboard);
        for (const Event& e : c.events) {
            cues.key(e.message, e.key);
            EXPECT_EQ(cues.focusRect(true), e.focus) << c.what << ", key " << e.key;
            EXPECT_EQ(cues.underlines(), e.underlines) << c.what << ", key " << e.key;
        }
        EXPECT_FALSE(cues.focusRect(false)) << c.what; // only the focused control has one
    }
}

TEST(KeyboardCues, FollowsTheSystemAndForgetsAltOnDeactivation) {
    KeyboardCues cues;
    cues.opened(false);
    EXPECT_EQ(cues.hidden(), kUiHideFocus | kUiHideAccel);
    EXPECT_TRUE(cues.update(kUiClear, kUiHideFocus));
    EXPECT_FALSE(cues.update(kUiClear, kUiHideFocus)); // no change, nothing to repaint
    EXPECT_TRUE(cues.focusRect(true));
    EXPECT_TRUE(cues.update(kUiSet, kUiHideFocus | 0x4)); // UISF_ACTIVE is not a cue
    EXPECT_EQ(cues.hidden(), kUiHideFocus | kUiHideAccel);
    // Alt+Tab: the release goes to the other window.
    cues.key(kSysKeyDown, kAlt);
    EXPECT_TRUE(cues.deactivated());
    EXPECT_FALSE(cues.underlines());
    EXPECT_TRUE(cues.keyboardFocus());
    EXPECT_TRUE(cues.focusRect(true));
}

TEST(Mnemonics, LettersAreUniquePerWindowAndStandInTheirCaptions) {
    for (const FormDesc& form : {settingsFormLayout(), welcomeFormLayout()}) {
        std::set<char> seen;
        int count = 0;
        for (const ControlDesc& c : form.controls) {
            if (c.mnemonic == 0) continue;
            ++count;
            const char lower = static_cast<char>(c.mnemonic | 0x20);
            EXPECT_TRUE(seen.insert(lower).second) << form.caption << ": " << c.mnemonic;
            EXPECT_NE(mnemonicIndex(c.caption(), c.mnemonic), std::string::npos)
                << c.name << " has no " << c.mnemonic;
        }
        EXPECT_GT(count, 1) << form.caption;
    }
}

TEST(Mnemonics, AltLetterPressesOrFocusesAsAClickOrTabWould) {
    const FormDesc settings = settingsFormLayout();
    FormAccState state;
    state.controls["CheckBoxMinimizeOnStart"].enabled = false;
    state.focused = "CheckBoxAlwaysOnTop";
    struct Case {
        char letter;
        const char* control;
        MnemonicAction action;
    } cases[] = {
        {'i', "CheckBoxSystray", MnemonicAction::FocusAndPress},
        {'I', "CheckBoxSystray", MnemonicAction::FocusAndPress},
        {'p', "CheckBoxRunOnStart", MnemonicAction::FocusAndPress},
        {'t', "HotKeyField", MnemonicAction::Focus}, // the label's letter
        {'s', "ButtonReset", MnemonicAction::Press},
        {'k', "", MnemonicAction::None}, // "Start skjult" is disabled
        {'z', "", MnemonicAction::None},
    };
    for (const Case& c : cases) {
        const MnemonicTarget t = mnemonicTarget(settings, state, c.letter);
        EXPECT_EQ(t.control, c.control) << c.letter;
        EXPECT_EQ(t.action, c.action) << c.letter;
    }
    // The shortcut field takes Alt+letter as a shortcut.
    state.focused = "HotKeyField";
    EXPECT_EQ(mnemonicTarget(settings, state, 'i').action, MnemonicAction::None);
    const MnemonicTarget modern = mnemonicTarget(welcomeFormLayout(), {}, 'm');
    EXPECT_EQ(modern.control, "ButtonNo");
    EXPECT_EQ(modern.action, MnemonicAction::Press);
}

TEST(Mnemonics, CaptionTextsForDrawingAndForReaders) {
    struct Case {
        const char* caption;
        char mnemonic;
        const char* prefixed;
        const char* shortcut;
    } cases[] = {
        {"Standard", 'S', "&Standard", "Alt+S"},
        {"Start skjult", 'k', "Start s&kjult", "Alt+K"},
        {"A&B", 'b', "A&&&B", "Alt+B"},
        {"OK", 0, "OK", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(prefixedCaption(c.caption, c.mnemonic), c.prefixed);
        EXPECT_EQ(mnemonicShortcut(c.mnemonic), c.shortcut);
    }
}
