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

TEST(FormLayout, ScaledFormScalesPlacesSizesLimitsAndFonts) {
    FormDesc form;
    form.clientWidth = 539;
    form.clientHeight = 366;
    form.minWidth = 400;
    form.minHeight = 400;
    ControlDesc label{"L", ControlKind::Label, "", {17, 65, 0, 15}};
    label.font.pixels = 21;
    form.controls.push_back(label);
    struct Case {
        int dpi;
        int width, height, min;
        ControlBox box;
        int font;
    } cases[] = {
        {96, 539, 366, 400, {17, 65, 0, 15}, 21},
        {120, 674, 458, 500, {21, 81, 0, 19}, 26},
        {144, 809, 549, 600, {26, 98, 0, 23}, 32},
        {192, 1078, 732, 800, {34, 130, 0, 30}, 42},
    };
    for (const Case& c : cases) {
        const FormDesc s = scaledForm(form, c.dpi);
        EXPECT_EQ(s.clientWidth, c.width) << c.dpi;
        EXPECT_EQ(s.clientHeight, c.height) << c.dpi;
        EXPECT_EQ(s.minWidth, c.min) << c.dpi;
        EXPECT_EQ(s.minHeight, c.min) << c.dpi;
        EXPECT_EQ(s.controls[0].box, c.box) << c.dpi;
        EXPECT_EQ(s.controls[0].font.pixels, c.font) << c.dpi;
    }
}

TEST(FormLayout, MinimumSizeNeverLargerThanTheWorkArea) {
    FormDesc form;
    form.minWidth = 800;
    form.minHeight = 800;
    struct Case {
        int workWidth, workHeight;
        OuterSize least;
    } cases[] = {
        {1920, 1040, {800, 800}}, // room enough: the window's own
        {1024, 738, {800, 738}},  // a 200 % minimum on a small screen
        {640, 450, {640, 450}},
        {0, -5, {0, 0}},          // no usable work area
    };
    for (const Case& c : cases)
        EXPECT_EQ(minimumOuterSize(form, c.workWidth, c.workHeight), c.least) << c.workWidth;
}

TEST(FormLayout, DpiScaledSizeAnswerFollowsTheTableAndTheUsersSizing) {
    FormDesc fixed;
    fixed.clientWidth = 325;
    fixed.clientHeight = 290;
    FormDesc sizable = fixed;
    sizable.minWidth = 400;
    sizable.minHeight = 300;
    struct Case {
        const FormDesc* form;
        OuterSize client;
        int dpi, newDpi;
        OuterSize frame, answer;
    } cases[] = {
        // As the table gives it: exactly the table at the new DPI, whatever the old rounding.
        {&fixed, {325, 290}, 96, 144, {8, 29}, {488 + 8, 435 + 29}},
        {&fixed, {406, 363}, 120, 96, {6, 25}, {325 + 6, 290 + 25}},
        {&fixed, {650, 580}, 192, 120, {7, 27}, {406 + 7, 363 + 27}},
        // Sized by the user 100 wider and 20 higher at 96: half as much again at 144.
        {&sizable, {425, 310}, 96, 144, {8, 29}, {638 + 8, 465 + 29}},
        // Back down to no less than the window's smallest size there.
        {&sizable, {300, 250}, 192, 96, {6, 25}, {400, 300}},
        // A DPI that could not be asked counts as 96.
        {&fixed, {325, 290}, 0, 96, {6, 25}, {331, 315}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dpiScaledOuterSize(*c.form, c.client, c.dpi, c.newDpi, c.frame), c.answer)
            << c.client.width << " at " << c.dpi << " to " << c.newDpi;
}
