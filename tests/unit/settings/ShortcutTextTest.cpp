// The shortcut's text form in both directions.
#include <gtest/gtest.h>

#include "settings/ShortcutText.h"

using namespace qlx;

namespace {
std::string layoutNames(uint8_t key) {
    if (key == 0xBB) return "+";
    if (key == 0xDE) return "\xC6"; // a Danish layout's key beside "L"
    return {};
}
} // namespace

TEST(ShortcutTextTest, WritesModifiersInFixedOrderAndEveryFixedKeyName) {
    EXPECT_EQ(shortcutToText(24643, layoutNames), "Shift+Ctrl+C");
    EXPECT_EQ(shortcutToText(kShortcutAlt | kShortcutShift | 0x70, layoutNames), "Shift+Alt+F1");
    EXPECT_EQ(shortcutToText(0x87, layoutNames), "F24");
    EXPECT_EQ(shortcutToText(0x65, layoutNames), "5");
    EXPECT_EQ(shortcutToText(0x35, layoutNames), "5");
    const std::pair<uint8_t, const char*> fixed[] = {
        {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
        {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
        {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"}};
    for (auto [key, name] : fixed) {
        EXPECT_EQ(shortcutKeyName(key, nullptr), name);
        EXPECT_EQ(textToShortcut(name, nullptr), key);
    }
}

TEST(ShortcutTextTest, OtherKeysTakeTheLayoutsNameAndNoNameGivesEmptyText) {
    EXPECT_EQ(shortcutToText(kShortcutCtrl | 0xDE, layoutNames), "Ctrl+\xC6");
    EXPECT_EQ(textToShortcut("ctrl+\xC6", layoutNames), kShortcutCtrl | 0xDE);
    EXPECT_EQ(shortcutToText(kShortcutCtrl | 0xDE, nullptr), "");
    EXPECT_EQ(shortcutToText(0, layoutNames), "");
    EXPECT_EQ(shortcutToText(kShortcutCtrl, layoutNames), "");
}

TEST(ShortcutTextTest, ReadsModifierWordsInAnyOrderAndCase) {
    EXPECT_EQ(textToShortcut("ctrl+alt+q", layoutNames), kShortcutCtrl | kShortcutAlt | 'Q');
    EXPECT_EQ(textToShortcut("ALT+SHIFT+f12", layoutNames), kShortcutAlt | kShortcutShift | 0x7B);
    EXPECT_EQ(textToShortcut("^C", layoutNames), kShortcutCtrl | 'C');
    // A layout name that looks like a modifier's "+" still reads back.
    EXPECT_EQ(textToShortcut("Ctrl++", layoutNames), kShortcutCtrl | 0xBB);
    // Digits read as the main block's keys, the first in code order.
    EXPECT_EQ(textToShortcut("Shift+7", layoutNames), kShortcutShift | 0x37);
}

TEST(ShortcutTextTest, UnknownOrMissingKeyReadsAsNoShortcut) {
    EXPECT_EQ(textToShortcut("Ctrl+Nothing", layoutNames), 0);
    EXPECT_EQ(textToShortcut("Ctrl+", layoutNames), 0);
    EXPECT_EQ(textToShortcut("", layoutNames), 0);
    EXPECT_EQ(textToShortcut(" C", layoutNames), 0);
}

TEST(ShortcutTextTest, EveryNamedKeyRoundTripsWithEveryModifierSet) {
    for (unsigned key = 8; key <= 255; ++key) {
        for (uint16_t mods : {0, 0x2000, 0x4000, 0x8000, 0xE000}) {
            const uint16_t shortcut = static_cast<uint16_t>(mods | key);
            const std::string text = shortcutToText(shortcut, layoutNames);
            if (text.empty()) continue;
            const uint16_t back = textToShortcut(text, layoutNames);
            // The keypad digits share their names with the main block's digits.
            const uint16_t expected =
                key >= 0x60 && key <= 0x69 ? static_cast<uint16_t>(mods | (key - 0x30)) : shortcut;
            EXPECT_EQ(back, expected) << text;
        }
    }
}

TEST(ShortcutTextTest, DisplayTextPutsCtrlFirstAsTheHotKeyFieldDoes) {
    EXPECT_EQ(shortcutDisplayText(24643, layoutNames), "Ctrl+Shift+C");
    EXPECT_EQ(shortcutDisplayText(0xE000 | 0x74, layoutNames), "Ctrl+Shift+Alt+F5");
    EXPECT_EQ(shortcutDisplayText(kShortcutAlt | 0xDE, layoutNames), "Alt+\xC6");
    EXPECT_EQ(shortcutDisplayText(kShortcutCtrl | 0xDE, nullptr), "");
}
