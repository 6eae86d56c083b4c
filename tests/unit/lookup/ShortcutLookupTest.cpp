// The shortcut's text: the selection first where wanted, else the clipboard; and the
// shortcut as a desktop's shortcut service takes it.
#include <gtest/gtest.h>

#include "lookup/LookupHotKey.h"
#include "lookup/ShortcutLookup.h"

using namespace qlx;

namespace {

struct Inputs : LookupInputPort {
    std::optional<std::string> selection, clipboard;
    std::optional<std::string> clipboardText() override { return clipboard; }
    std::optional<std::string> selectionText() override { return selection; }
    void startTextInputs() override {}
};

} // namespace

TEST(ShortcutLookup, TheSelectionElseTheClipboard) {
    using Text = std::optional<std::string>;
    struct Case {
        std::optional<bool> setting; // none: a desktop without a selection (Windows)
        Text selection, clipboard, expected;
    };
    const Case cases[] = {
        {true, "valgt", "kopi", "valgt"},
        {true, std::nullopt, "kopi", "kopi"}, // nothing selected, or no owner
        {true, "", "kopi", "kopi"},
        {true, " \r\n\t ", "kopi", "kopi"}, // nothing the pipeline would look up
        {true, "valgt", std::nullopt, "valgt"},
        {true, std::nullopt, std::nullopt, std::nullopt},
        {false, "valgt", "kopi", "kopi"}, // LookupSelection=0
        {false, "valgt", std::nullopt, std::nullopt},
        {std::nullopt, "valgt", "kopi", "kopi"},
    };
    for (const Case& c : cases) {
        Inputs inputs;
        inputs.selection = c.selection;
        inputs.clipboard = c.clipboard;
        EXPECT_EQ(shortcutLookupText(c.setting, inputs), c.expected)
            << c.setting.value_or(2) << " " << c.selection.value_or("(none)");
    }
}

TEST(ShortcutLookup, TriggerForTheDesktopsShortcutService) {
    const std::pair<uint16_t, std::string> cases[] = {
        {0x6043, "CTRL+SHIFT+c"},
        {0xC051, "CTRL+ALT+q"},
        {0x4000 | '7', "CTRL+7"},
        {0x2000 | 0x71, "SHIFT+F2"},
        {0x4000 | 0x2E, ""}, // Delete: the desktop chooses
        {0, ""},
    };
    for (const auto& [shortcut, trigger] : cases)
        EXPECT_EQ(shortcutTrigger(shortcut), trigger);
}
