// Word wrapping of mixed bold and normal text, and controls following their anchors.
#include <gtest/gtest.h>

#include "forms/FormLayout.h"

using namespace qlx;

namespace {
// Every character is 5 pixels wide, 6 in bold.
int measure(std::string_view text, bool bold) { return static_cast<int>(text.size()) * (bold ? 6 : 5); }
} // namespace

TEST(FormLayout, WrapRunsBreaksAfterBlanksAndKeepsRunsApart) {
    struct Case {
        std::vector<TextRun> runs;
        int width;
        std::vector<PlacedRun> placed;
    } cases[] = {
        // No wrapping: one line, the double blanks kept.
        {{{"ab  cd"}}, 0, {{"ab  cd", false, 0, 0}}},
        // "aa bb" is 25 wide; the third word goes to the next line, its blank dropped.
        {{{"aa bb cc"}}, 25, {{"aa bb", false, 0, 0}, {"cc", false, 0, 1}}},
        // A bold word in the middle is measured in bold: " cc" no longer fits after it.
        {{{"aa "}, {"bb", true}, {" cc dd"}},
         42,
         {{"aa ", false, 0, 0}, {"bb", true, 15, 0}, {" cc", false, 27, 0}, {"dd", false, 0, 1}}},
        {{{"aa "}, {"bb", true}, {" cc dd"}},
         41,
         {{"aa ", false, 0, 0}, {"bb", true, 15, 0}, {"cc dd", false, 0, 1}}},
        // A word wider than the line stands alone; a line feed always breaks.
        {{{"abcdefgh x\ny"}}, 20, {{"abcdefgh", false, 0, 0}, {"x", false, 0, 1}, {"y", false, 0, 2}}},
        // Leading blanks of the text stay.
        {{{"  a"}}, 100, {{"  a", false, 0, 0}}},
    };
    for (const Case& c : cases) EXPECT_EQ(wrapRuns(c.runs, c.width, measure), c.placed);
}

TEST(FormLayout, AnchorsKeepDistancesOrStretch) {
    const ControlBox box{250, 16, 82, 15};
    // A window 100 wider and 50 taller.
    EXPECT_EQ(anchoredBox(box, kAnchorTopLeft, 349, 265, 449, 315), box);
    EXPECT_EQ(anchoredBox(box, kAnchorTop | kAnchorRight, 349, 265, 449, 315),
              (ControlBox{350, 16, 82, 15}));
    EXPECT_EQ(anchoredBox(box, kAnchorLeft | kAnchorRight | kAnchorTop | kAnchorBottom, 349, 265,
                          449, 315),
              (ControlBox{250, 16, 182, 65}));
    EXPECT_EQ(anchoredBox({0, 338, 539, 28}, kAnchorLeft | kAnchorRight | kAnchorBottom, 539, 366,
                          400, 300),
              (ControlBox{0, 272, 400, 28}));
    // Shrinking below zero stops at zero.
    EXPECT_EQ(anchoredBox({10, 10, 20, 20}, kAnchorLeft | kAnchorRight | kAnchorTop, 100, 100, 50,
                          100).width,
              0);
}
