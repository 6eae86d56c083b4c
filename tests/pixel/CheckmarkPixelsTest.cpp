// The check-mark controls on a real device context: each variant is painted into a bitmap by
// the window layer's own controls and compared, pixel by pixel, with what the core says the
// drawing must leave. Runs under Wine (or Windows) with the cross-built unit tests.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "Canvas.h"
#include "win32/controls/BevelLines.h"
#include "win32/controls/CheckmarkPainter.h"
#include "win32/controls/SpeedButtonCheckmark.h"
#include "win32/controls/ToolButtonCheckmark.h"

using namespace qlx;
using namespace qlx::win;

namespace {

// Every pixel of the canvas against the core's expectation; the first few differences.
std::vector<std::string> differences(const Canvas& canvas, const PaintOps& ops, int width,
                                     int height, int left = 0, int top = 0,
                                     const Canvas* untouched = nullptr) {
    const ExpectedPixels expected(ops, width, height);
    std::vector<std::string> wrong;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const ExpectedPixels::Pixel p = expected.at(x, y);
            if (p.kind == ExpectedPixels::Kind::Any) continue;
            const uint32_t want = p.kind == ExpectedPixels::Kind::Colour ? p.colour
                                  : untouched ? untouched->at(left + x, top + y)
                                              : kBackground;
            const uint32_t got = canvas.at(left + x, top + y);
            if (got != want && wrong.size() < 8) {
                char line[80];
                std::snprintf(line, sizeof line, "(%d,%d) 0x%06X, not 0x%06X", x, y, got, want);
                wrong.push_back(line);
            }
        }
    }
    return wrong;
}

ControlDesc buttonDesc(int width, int height, uint8_t faintLines = 0) {
    ControlDesc desc{"Box", ControlKind::CheckmarkButton, "", {0, 0, width, height}};
    desc.faintLines = faintLines;
    return desc;
}

} // namespace

TEST(CheckmarkPixels, MarksOfTheCheckmarkButton) {
    struct Variant {
        const char* what;
        bool checked, big, left, enabled, menu;
        int16_t image;
    } variants[] = {
        {"small, left", true, false, true, true, false, 0},
        {"small, right", true, false, false, true, false, 0},
        {"small, disabled", true, false, true, false, false, 0},
        {"big, left", true, true, true, true, false, 0},
        {"big, right", true, true, false, true, false, 0},
        {"big, disabled", true, true, true, false, false, 0},
        {"menu marker, left", false, false, true, true, true, 0},
        {"menu marker, right", false, false, false, true, true, 0},
        {"menu marker, disabled: nothing", false, false, true, false, true, 0},
        {"document with pencil", false, false, true, true, false, 1},
        {"document with lines", false, false, false, true, false, 2},
        {"unchecked: nothing", false, false, true, true, false, 0},
    };
    constexpr int kWidth = 100, kHeight = 22;
    Canvas canvas(kWidth, kHeight);
    for (const Variant& v : variants) {
        TSpeedButtonCheckmarkControl box(buttonDesc(kWidth, kHeight));
        TSpeedButtonCheckmark& model = box.model();
        model.SetChecked(v.checked);
        model.BigCheckmark = v.big;
        model.CheckmarkLeft = v.left;
        model.SetEnabled(v.enabled);
        model.MenuMark = v.menu;
        model.SetImageNumber(v.image);
        canvas.clear();
        box.paint(canvas.dc());
        EXPECT_EQ(differences(canvas, model.markPaint(kWidth), kWidth, kHeight),
                  std::vector<std::string>{})
            << v.what;
    }
}

TEST(CheckmarkPixels, FaintLinesOnEveryEdge) {
    constexpr int kWidth = 40, kHeight = 16;
    Canvas canvas(kWidth, kHeight);
    for (uint8_t lines = 0; lines < 16; ++lines) {
        TSpeedButtonCheckmarkControl box(buttonDesc(kWidth, kHeight, lines));
        canvas.clear();
        box.paint(canvas.dc());
        const uint32_t lighter = faintEdgeColour(buttonFaceColour(), kSpeedButtonFaintPercent);
        EXPECT_EQ(differences(canvas,
                              faintLinesPaint(static_cast<TFaintLines>(lines), kWidth, kHeight,
                                              lighter),
                              kWidth, kHeight),
                  std::vector<std::string>{})
            << "button, lines " << int(lines);

        ControlDesc desc{"Bevel", ControlKind::BevelLines, "", {0, 0, kWidth, kHeight}};
        desc.faintLines = lines;
        TBevelLinesControl bevel(desc);
        canvas.clear();
        bevel.paint(canvas.dc());
        EXPECT_EQ(differences(canvas, bevel.model.paint(kWidth, kHeight, buttonFaceColour()),
                              kWidth, kHeight),
                  std::vector<std::string>{})
            << "bevel, lines " << int(lines);
    }
}

// At 150 % the marks and lines are drawn from their shapes: what the control leaves in the
// bitmap is exactly the core's rectangles, and the faint lines are two pixels thick along the
// control's own edges.
TEST(CheckmarkPixels, MarksAndLinesAtOneAndAHalfTimes) {
    constexpr int kDpi = 144, kWidth = 150, kHeight = 33;
    struct Variant {
        const char* what;
        bool checked, big, left, menu;
        int16_t image;
        uint8_t lines;
    } variants[] = {
        {"small, left, lines all round", true, false, true, false, 0, 15},
        {"small, right", true, false, false, false, 0, 0},
        {"big", true, true, true, false, 0, 0},
        {"menu marker, top and bottom lines", false, false, false, true, 0, 5},
        {"document with pencil", false, false, true, false, 1, 0},
        {"document with lines", false, false, true, false, 2, 10},
    };
    Canvas canvas(kWidth, kHeight);
    const uint32_t lighter = faintEdgeColour(buttonFaceColour(), kSpeedButtonFaintPercent);
    for (const Variant& v : variants) {
        TSpeedButtonCheckmarkControl box(buttonDesc(kWidth, kHeight, v.lines));
        box.dpi = kDpi;
        TSpeedButtonCheckmark& model = box.model();
        model.SetChecked(v.checked);
        model.BigCheckmark = v.big;
        model.CheckmarkLeft = v.left;
        model.MenuMark = v.menu;
        model.SetImageNumber(v.image);
        canvas.clear();
        box.paint(canvas.dc());
        PaintOps ops = faintLinesPaintAt(static_cast<TFaintLines>(v.lines), kWidth, kHeight,
                                         lighter, kDpi);
        for (PaintOp& op : model.markPaint(100, kDpi)) ops.push_back(std::move(op));
        EXPECT_EQ(differences(canvas, ops, kWidth, kHeight), std::vector<std::string>{})
            << v.what;
        if (v.lines & 1) {
            EXPECT_EQ(std::tuple(canvas.at(60, 0), canvas.at(60, 1), canvas.at(60, 2)),
                      std::tuple(lighter, lighter, kBackground))
                << v.what;
        }
    }

    ControlDesc desc{"Bevel", ControlKind::BevelLines, "", {0, 0, kWidth, kHeight}};
    desc.faintLines = 15;
    TBevelLinesControl bevel(desc);
    bevel.dpi = kDpi;
    canvas.clear();
    bevel.paint(canvas.dc());
    EXPECT_EQ(differences(canvas, bevel.model.paint(kWidth, kHeight, buttonFaceColour(), kDpi),
                          kWidth, kHeight),
              std::vector<std::string>{});
    EXPECT_EQ(std::tuple(canvas.at(kWidth - 3, 10), canvas.at(kWidth - 2, 10)),
              std::tuple(kBackground, faintEdgeColour(buttonFaceColour(), kBevelFaintPercent)));
}

TEST(CheckmarkPixels, MarkAtItsPlaceInsideAForm) {
    // A button placed away from the origin draws at its place and nowhere else.
    constexpr int kWidth = 120, kHeight = 60;
    Canvas canvas(kWidth, kHeight);
    ControlDesc desc = buttonDesc(90, 22);
    desc.box = {13, 30, 90, 22};
    TSpeedButtonCheckmarkControl box(desc);
    box.model().SetChecked(true);
    box.paint(canvas.dc());
    PaintOps ops = box.model().markPaint(90);
    for (PaintOp& op : ops) op.x0 += 13, op.x1 += 13, op.y0 += 30, op.y1 += 30;
    EXPECT_EQ(differences(canvas, ops, kWidth, kHeight), std::vector<std::string>{});
}

namespace {
TToolButtonCheckmarkControl* toolButton = nullptr;

LRESULT CALLBACK toolbarParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (msg == WM_NOTIFY && toolButton &&
        toolButton->customDraw(*reinterpret_cast<NMHDR*>(lParam), result))
        return result;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
} // namespace

TEST(CheckmarkPixels, MarkUnderAToolbarButton) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = toolbarParent;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QlxToolbarParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 120, 40, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE |
                                       CCS_NODIVIDER | CCS_NOPARENTALIGN,
                                   0, 0, 120, 40, parent, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(toolbar, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(40, 24));
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = 7;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    RECT item{};
    ASSERT_TRUE(SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)));

    TToolButtonCheckmarkControl mark(toolbar, 7);
    toolButton = &mark;
    Canvas without(120, 40), with(120, 40);
    SendMessageW(toolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(without.dc()), PRF_CLIENT);
    mark.model.SetChecked(true);
    SendMessageW(toolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(with.dc()), PRF_CLIENT);
    toolButton = nullptr;
    DestroyWindow(parent);

    const int width = item.right - item.left;
    const PaintOps ops = mark.model.markPaint(width);
    ASSERT_FALSE(ops.empty());
    // The mark where the core puts it on the button; the rest as the toolbar draws it alone.
    EXPECT_EQ(differences(with, ops, width, item.bottom - item.top, item.left, item.top, &without),
              std::vector<std::string>{});
}
