// Check-mark buttons: the group rule and what the marks, images and faint lines draw.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "Scale.h"

#include "controls/ButtonCheckmark.h"

using namespace qlx;

namespace {

using Pixels = std::map<std::pair<int, int>, uint32_t>;

// Every pixel a list of primitives sets, with its colour (no polygons).
Pixels pixelsOf(const PaintOps& ops, int width = 120, int height = 30) {
    const ExpectedPixels grid(ops, width, height);
    Pixels pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (grid.at(x, y).kind == ExpectedPixels::Kind::Colour)
                pixels[{x, y}] = grid.at(x, y).colour;
    return pixels;
}

// The small mark as the drawing rule gives it: rows at y = 3 + i from x0 + offset.
Pixels smallMark(int x0, uint32_t main, uint32_t light) {
    const std::pair<int, const char*> rows[] = {
        {11, "x"}, {10, "xx"},  {9, "xx"}, {8, "xxo"}, {7, "xxx"}, {6, "xxx"}, {0, "xx...xxxo"},
        {1, "xx.xxxx"}, {1, "oxxxxx"}, {2, "xxxxo"}, {3, "xxx"}, {4, "x"}};
    Pixels pixels;
    for (int i = 0; i < 12; ++i)
        for (int k = 0; rows[i].second[k]; ++k)
            if (rows[i].second[k] != '.')
                pixels[{x0 + rows[i].first + k, 3 + i}] = rows[i].second[k] == 'x' ? main : light;
    return pixels;
}

struct Box final : TSpeedButtonCheckmark {
    int repaints = 0;
    Box(CheckmarkParent& parent, int32_t group, bool checked) {
        CheckmarkGroup = group;
        SetChecked(checked);
        setParent(&parent);
        OnRepaint = [this] { ++repaints; };
    }
};

// A class of its own: the group rule goes by exact class names.
struct DerivedBox final : TSpeedButtonCheckmark {
    std::string_view className() const override { return "TSpeedButtonCheckmarkPlus"; }
};

} // namespace

TEST(ButtonCheckmark, GroupRule) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, bool>> boxes; // group, checked; box 0 gets checked
        std::vector<bool> after;
    } cases[] = {
        {"other groups stay", {{7, false}, {4, true}, {5, true}, {6, true}, {8, true}},
         {true, true, true, true, true}},
        {"same group is a radio group", {{3, false}, {3, true}, {4, true}}, {true, false, true}},
        {"group 0 clears every box", {{0, false}, {3, true}, {0, true}}, {true, false, false}},
        {"a negative group too", {{-1, false}, {3, true}}, {true, false}},
    };
    for (const Case& c : cases) {
        CheckmarkParent parent;
        std::vector<std::unique_ptr<Box>> boxes;
        for (auto [group, checked] : c.boxes)
            boxes.push_back(std::make_unique<Box>(parent, group, checked));
        boxes[0]->SetChecked(true);
        for (size_t i = 0; i < boxes.size(); ++i)
            EXPECT_EQ(boxes[i]->Checked(), c.after[i]) << c.what << " box " << i;
    }

    // Only the exact class on the same parent: not a derived class, not the toolbar's
    // button, not a box elsewhere.
    CheckmarkParent parent, elsewhere;
    Box box(parent, 0, false);
    DerivedBox derived;
    TToolButtonCheckmark tool;
    Box far(elsewhere, 0, true);
    for (TCheckmarkButton* b : std::initializer_list<TCheckmarkButton*>{&derived, &tool}) {
        b->setParent(&parent);
        b->SetChecked(true);
    }
    box.SetChecked(true);
    EXPECT_TRUE(derived.Checked() && tool.Checked() && far.Checked());
    // The derived class still clears boxes of the base class; the toolbar's clears its own.
    derived.SetChecked(false);
    derived.SetChecked(true);
    EXPECT_FALSE(box.Checked());
}

TEST(ButtonCheckmark, SettingTheSameValueDoesNothing) {
    CheckmarkParent parent;
    Box a(parent, 0, true), b(parent, 0, false);
    a.SetChecked(true);
    b.SetChecked(false);
    EXPECT_EQ(std::pair(a.repaints, b.repaints), std::pair(0, 0));
    EXPECT_TRUE(a.Checked());
    b.Toggle();
    EXPECT_EQ(std::pair(a.Checked(), b.Checked()), std::pair(false, true));
    EXPECT_EQ(std::pair(a.repaints, b.repaints), std::pair(1, 1));
}

TEST(ButtonCheckmark, SmallMarkPatternAndPlace) {
    EXPECT_EQ(pixelsOf(checkmarkPaint({100, true, false, true})),
              smallMark(4, kCheckmarkMain, kCheckmarkLight));
    // Near the right edge of a 100-pixel button the pattern starts at 83.
    EXPECT_EQ(pixelsOf(checkmarkPaint({100, true, false, false})),
              smallMark(83, kCheckmarkMain, kCheckmarkLight));
    // Disabled: one colour for both greys.
    EXPECT_EQ(pixelsOf(checkmarkPaint({100, true, false, true, false})),
              smallMark(4, kCheckmarkDisabled, kCheckmarkDisabled));
    EXPECT_TRUE(checkmarkPaint({100, false, false, true}).empty());
}

TEST(ButtonCheckmark, BigMarkIsTheShiftedPolygon) {
    const std::vector<PaintPoint> shape{{0, 6},  {5, 12}, {12, 4}, {15, 2}, {19, 0},
                                        {18, 0}, {15, 1}, {11, 4}, {5, 9}};
    for (auto [left, enabled, dx, colour] :
         {std::tuple{true, true, 5, kCheckmarkMain}, {false, true, 100 - 23, kCheckmarkMain},
          {true, false, 5, kCheckmarkDisabled}}) {
        const PaintOps ops = checkmarkPaint({100, true, true, left, enabled});
        ASSERT_EQ(ops.size(), 1u);
        EXPECT_EQ(ops[0].kind, PaintOp::Kind::Polygon);
        EXPECT_EQ(ops[0].colour, colour);
        std::vector<PaintPoint> expected;
        for (PaintPoint p : shape) expected.push_back({p.x + dx, p.y + 4});
        EXPECT_EQ(ops[0].points, expected);
    }
}

TEST(ButtonCheckmark, MenuMarkerOnlyWhenEnabledAndUnchecked) {
    const uint32_t m = kCheckmarkMain;
    for (auto [left, a] : {std::pair{true, 5}, {false, 100 - 10}}) {
        Pixels expected{{{a + 2, 4}, m}, {{a, 7}, m}, {{a + 4, 7}, m}, {{a, 13}, m},
                        {{a + 4, 13}, m}, {{a + 2, 16}, m}};
        for (int x = a + 1; x <= a + 3; ++x)
            for (int y : {5, 6, 14, 15}) expected[{x, y}] = m;
        CheckmarkLook look{100, false, false, left, true, true};
        EXPECT_EQ(pixelsOf(checkmarkPaint(look)), expected);
    }
    EXPECT_TRUE(checkmarkPaint({100, false, false, true, false, true}).empty());
    // A check mark wins over the marker.
    EXPECT_EQ(pixelsOf(checkmarkPaint({100, true, false, true, true, true})),
              smallMark(4, kCheckmarkMain, kCheckmarkLight));
}

TEST(ButtonCheckmark, DocumentImages) {
    for (int16_t image : {int16_t{1}, int16_t{2}}) {
        // At the left whatever CheckmarkLeft says.
        const ExpectedPixels grid(checkmarkPaint({100, false, false, false, true, false, image}),
                                  30, 30);
        auto at = [&](int x, int y) { return grid.at(x, y).colour; };
        // Grey top and left edge, blue right and bottom edge, white inside.
        EXPECT_EQ(std::tuple(at(2, 2), at(2, 18), at(13, 2)),
                  std::tuple(0x808080u, 0x808080u, 0x808080u));
        EXPECT_EQ(std::tuple(at(13, 3), at(13, 5), at(3, 18)),
                  std::tuple(0xFF0000u, 0xFF0000u, 0xFF0000u));
        EXPECT_EQ(std::tuple(at(3, 3), at(12, 5), at(9, 4), at(3, 6)),
                  std::tuple(0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu));
        // The text lines stop short of their end points.
        EXPECT_EQ(std::tuple(at(4, 4), at(8, 4), at(11, 6)),
                  std::tuple(0x808080u, 0x808080u, 0x808080u));
        // The pencil's outline, or white paper.
        EXPECT_EQ(at(9, 9), image == 1 ? 0x000000u : 0xFFFFFFu);
    }
    const PaintOps log = checkmarkPaint({100, false, false, true, true, false, 2});
    EXPECT_EQ(log.back(), (PaintOp{PaintOp::Kind::Line, 0x808080, 4, 18, 7, 18, {}}));
    const PaintOps write = checkmarkPaint({100, false, false, true, true, false, 1});
    ASSERT_EQ(write.size(), 6u + 66u);
    // The pencil from its point at (6, 8) to its end at (15, 19), in its colours only.
    EXPECT_EQ(write[6], (PaintOp{PaintOp::Kind::Pixel, 0x000000, 6, 8, 6, 8, {}}));
    EXPECT_EQ(write[7].colour, 0x808080u);
    EXPECT_EQ(std::tuple(write.back().x0, write.back().y0), std::tuple(15, 19));
    std::set<uint32_t> colours;
    for (size_t i = 6; i < write.size(); ++i) colours.insert(write[i].colour);
    EXPECT_EQ(colours, (std::set<uint32_t>{0x000000, 0x808080, 0xFFFFFF, 0xC0C0C0, 0x0000C0,
                                           0x00FFFF}));
    // Menu marker and check mark come first; a disabled image still shows.
    EXPECT_FALSE(checkmarkPaint({100, false, false, true, false, false, 2}).empty());
    EXPECT_TRUE(checkmarkPaint({100, false, false, true, true, false, 0}).empty());
}

TEST(ButtonCheckmark, CheckmarkColorIsStoredOnly) {
    TSpeedButtonCheckmark box;
    box.SetChecked(true);
    const PaintOps before = box.markPaint(100);
    box.CheckmarkColor = 0x0000FF;
    EXPECT_EQ(box.markPaint(100), before);
    EXPECT_EQ(TToolButtonCheckmark().CheckmarkColor, 0xFF0000u);
}

TEST(ButtonCheckmark, FaintLines) {
    // Channel by channel, capped.
    EXPECT_EQ(faintEdgeColour(0xF0F0F0, 120), 0xFFFFFFu);
    EXPECT_EQ(faintEdgeColour(0xC8D4D0, 120), 0xF0FEF9u);
    EXPECT_EQ(faintEdgeColour(0xC8D4D0, 90), 0xB4BEBBu);
    EXPECT_EQ(TBevelLines{TFaintLines::flTop}.paint(10, 5, 0x646464)[0].colour, 0x5A5A5Au);

    // Each edge from its start, the end point left out; a 10 x 5 control.
    const uint32_t c = 0x123456;
    Pixels all;
    for (int x = 0; x < 9; ++x) all[{x, 0}] = c;     // top: (0,0) to (9,0)
    for (int y = 1; y < 5; ++y) all[{0, y}] = c;     // left: (0,4) to (0,0)
    for (int x = 1; x < 10; ++x) all[{x, 4}] = c;    // bottom: (9,4) to (0,4)
    for (int y = 0; y < 4; ++y) all[{9, y}] = c;     // right: (9,0) to (9,4)
    EXPECT_EQ(pixelsOf(faintLinesPaint(TFaintLines::flTopLeftBottomRight, 10, 5, c), 10, 5), all);
    const PaintOps bottomRight = faintLinesPaint(TFaintLines::flBottomRight, 10, 5, c);
    ASSERT_EQ(bottomRight.size(), 2u);
    EXPECT_EQ(std::tuple(bottomRight[0].x0, bottomRight[0].y0, bottomRight[0].x1),
              std::tuple(9, 4, 0));
    EXPECT_EQ(std::tuple(bottomRight[1].x0, bottomRight[1].y0, bottomRight[1].y1),
              std::tuple(9, 0, 4));
    EXPECT_TRUE(faintLinesPaint(TFaintLines::flNone, 10, 5, c).empty());
}

TEST(ButtonCheckmark, FlatTransparentButtonsDrawTheMarkFirst) {
    using S = CheckmarkPaintStep;
    EXPECT_EQ(speedButtonPaintSteps(true, TFaintLines::flNone),
              (std::vector<S>{S::Mark, S::Button}));
    EXPECT_EQ(speedButtonPaintSteps(false, TFaintLines::flLeft),
              (std::vector<S>{S::FaintLines, S::Button, S::Mark}));
}

// At 96 DPI the marks are their pixel patterns; at whole multiples of it each pixel of the
// pattern becomes the block of device pixels it covers, in its colour, and nothing else is
// drawn; the faint lines follow the control's edges the same way.
TEST(ButtonCheckmark, WholeScalesDrawEveryPixelAsABlock) {
    std::vector<CheckmarkLook> looks;
    for (int16_t image : {0, 1, 2})
        for (bool left : {true, false})
            for (bool enabled : {true, false}) {
                CheckmarkLook look;
                look.width = 40;
                look.checked = image == 0;
                look.left = left;
                look.enabled = enabled;
                look.image = image;
                looks.push_back(look);
            }
    const auto blocks = [](const Pixels& pixels, int k) {
        Pixels expected;
        for (const auto& [at, colour] : pixels)
            for (int y = 0; y < k; ++y)
                for (int x = 0; x < k; ++x) expected[{at.first * k + x, at.second * k + y}] = colour;
        return expected;
    };
    EXPECT_EQ(pixelsOf(checkmarkPaintAt(looks[0], 96)),
              smallMark(4, kCheckmarkMain, kCheckmarkLight));
    for (int k : {1, 2, 3}) {
        for (const CheckmarkLook& look : looks)
            EXPECT_EQ(pixelsOf(checkmarkPaintAt(look, 96 * k), 60 * 3, 30 * 3),
                      blocks(pixelsOf(checkmarkPaint(look), 60, 30), k))
                << k << " image " << look.image;
        const uint32_t c = 0xABCDEF;
        EXPECT_EQ(pixelsOf(faintLinesPaintAt(TFaintLines::flTopLeftBottomRight, 30 * k, 12 * k,
                                             c, 96 * k),
                           60 * 3, 30 * 3),
                  blocks(pixelsOf(faintLinesPaint(TFaintLines::flTopLeftBottomRight, 30, 12, c),
                                  60, 30),
                         k))
            << k;
    }
}

namespace {
constexpr int kOddScales[] = {120, 144, 168, 240};

std::vector<CheckmarkLook> everyMark() {
    std::vector<CheckmarkLook> looks;
    for (bool left : {true, false}) {
        looks.push_back({100, true, false, left});        // small
        looks.push_back({100, true, true, left});         // big
        looks.push_back({100, false, false, left, true, true}); // menu marker
    }
    for (int16_t image : {int16_t{1}, int16_t{2}})
        looks.push_back({100, false, false, true, true, false, image});
    return looks;
}

// The smallest rectangle around what a drawing sets: left, top, right, bottom, the last two
// outside it.
std::tuple<int, int, int, int> extent(const PaintOps& ops) {
    int l = 1 << 20, t = 1 << 20, r = -1, b = -1;
    const auto add = [&](int x0, int y0, int x1, int y1) {
        l = std::min(l, x0), t = std::min(t, y0), r = std::max(r, x1), b = std::max(b, y1);
    };
    for (const PaintOp& op : ops) {
        if (op.kind == PaintOp::Kind::Polygon)
            for (PaintPoint p : op.points) add(p.x, p.y, p.x + 1, p.y + 1);
        else
            for (const auto& [at, colour] : pixelsOf({op}, 300, 300))
                add(at.first, at.second, at.first + 1, at.second + 1);
    }
    return {l, t, r, b};
}
} // namespace

TEST(ButtonCheckmark, LineThicknessFollowsTheScale) {
    for (auto [dpi, one, two] : {std::tuple{96, 1, 2}, {120, 1, 3}, {144, 2, 3}, {168, 2, 4},
                                 {192, 2, 4}, {240, 3, 5}, {0, 1, 2}})
        EXPECT_EQ(std::pair(lineThickness(1, dpi), lineThickness(2, dpi)), std::pair(one, two))
            << dpi;
}

// At 125, 150, 175 and 250 % every line of a mark is drawn from its shape, not stretched:
// each row it crosses (each column, for a line flatter than 45 degrees) has the same number of
// pixels, and the faint lines are that thick all along.
TEST(ButtonCheckmark, LinesKeepOneThicknessAtOtherScales) {
    for (int dpi : kOddScales) {
        for (const CheckmarkLook& look : everyMark()) {
            for (const MarkShape& shape : checkmarkShapes(look)) {
                if (shape.kind != MarkShape::Kind::Stroke) continue;
                const bool flat = std::abs(shape.points[1].x - shape.points[0].x) >
                                  std::abs(shape.points[1].y - shape.points[0].y);
                const PaintOps ops = drawShapes({shape}, dpi);
                ASSERT_FALSE(ops.empty());
                for (const PaintOp& op : ops)
                    EXPECT_EQ(flat ? op.y1 - op.y0 + 1 : op.x1 - op.x0 + 1,
                              lineThickness(shape.width, dpi))
                        << dpi << " image " << look.image;
            }
        }
        const int t = lineThickness(1, dpi);
        const PaintOps lines =
            faintLinesPaintAt(TFaintLines::flTopLeftBottomRight, 61, 23, 0x123456, dpi);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(std::tuple(lines[0].y1 - lines[0].y0, lines[1].x1 - lines[1].x0,
                             lines[2].y1 - lines[2].y0, lines[3].x1 - lines[3].x0),
                  std::tuple(t - 1, t - 1, t - 1, t - 1));
        // Along the control's own edges, together a closed frame.
        Pixels frame;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 61; ++x)
                if (x < t || y < t || x >= 61 - t || y >= 23 - t) frame[{x, y}] = 0x123456;
        EXPECT_EQ(pixelsOf(lines, 61, 23), frame) << dpi;
    }
}

TEST(ButtonCheckmark, MarksStayInsideTheirScaledPlace) {
    for (int dpi : kOddScales) {
        for (const CheckmarkLook& look : everyMark()) {
            const auto [l, t, r, b] = extent(checkmarkPaint(look));
            const PaintOps ops = checkmarkPaintAt(look, dpi);
            ASSERT_FALSE(ops.empty());
            for (const PaintOp& op : ops) {
                ASSERT_EQ(op.kind, PaintOp::Kind::FillRect);
                EXPECT_TRUE(op.x0 >= scaled(l, dpi) && op.y0 >= scaled(t, dpi) &&
                            op.x1 < scaled(r, dpi) && op.y1 < scaled(b, dpi))
                    << dpi << " big " << look.big << " menu " << look.menuMark << " image "
                    << look.image << " at " << op.x0 << "," << op.y0;
            }
        }
    }
}

// The document's edge and its text lines lie side by side at 96 DPI; at every other scale
// they stay apart, each as thick as a line, with the page's white between them.
TEST(ButtonCheckmark, DocumentLinesStayApart) {
    for (int dpi : kOddScales) {
        const int t = lineThickness(1, dpi);
        const Pixels pixels =
            pixelsOf(checkmarkPaintAt({100, false, false, true, true, false, 2}, dpi), 60, 60);
        const int column = 11 * dpi / 192; // inside every line: they start at 4 and pass 6
        std::vector<std::pair<uint32_t, int>> runs; // colour, length, down the column
        for (int y = 0; y < 60; ++y) {
            const auto it = pixels.find({column, y});
            if (it == pixels.end()) continue;
            if (runs.empty() || runs.back().first != it->second) runs.push_back({it->second, 0});
            ++runs.back().second;
        }
        // Grey edge, then white and a grey line in turn, the last line on the blue edge.
        ASSERT_EQ(runs.size(), 17u) << dpi;
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].first, i % 2 ? 0xFFFFFFu : 0x808080u) << dpi << " run " << i;
            if (i % 2 == 0) {
                EXPECT_EQ(runs[i].second, t) << dpi << " run " << i;
            }
        }
    }
}
