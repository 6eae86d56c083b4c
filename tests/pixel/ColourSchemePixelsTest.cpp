// The drawn controls in the colours they are handed: outside high contrast every text in the
// colour fixed with its background (a disabled caption in its fixed grey), in high contrast
// the system's colour for each part. Wine always says high contrast is off, so the scheme is
// handed to the painters directly.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "Canvas.h"
#include "win32/controls/BitBtnColor.h"
#include "win32/controls/FlatButton.h"
#include "win32/controls/Label.h"
#include "win32/controls/Shape.h"
#include "win32/controls/SpeedButtonCheckmark.h"
#include "win32/panel/PanelPainter.h"
#include "win32/system/SystemColours.h"

using namespace qlx;
using namespace qlx::win;

namespace {

// A high-contrast scheme whose parts all have colours of their own, none the program uses.
SystemColours contrastColours() {
    SystemColours s{};
    s.fill(0x010203);
    s[kSysWindow] = 0x200000;
    s[kSysWindowText] = 0x00FFFF;
    s[kSysButtonFace] = 0x002000;
    s[kSysButtonText] = 0xFF00FF;
    s[kSysGrayText] = 0x00FF00;
    s[kSysHighlight] = 0xFFFF00;
    s[kSysHotLight] = 0x0080FF;
    return s;
}
const SystemColours kContrast = contrastColours();

// The colours found in a rectangle of the canvas.
std::set<uint32_t> coloursIn(const Canvas& canvas, int left, int top, int width, int height) {
    std::set<uint32_t> found;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) found.insert(canvas.at(x, y));
    return found;
}

// Draws with a scheme for the life of the object, then with the system's again.
class Drawing {
public:
    explicit Drawing(const ColourScheme& scheme) { setColours(scheme); }
    ~Drawing() { setColours(systemColourScheme()); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;
};

HWND host() {
    static HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

} // namespace

// Each drawn control's text (and a check-mark button's mark, a shape's fill) in the colour
// its part has: fixed outside high contrast, the system's in it.
TEST(ColourSchemePixels, CaptionsMarksAndShapes) {
    const ColourScheme normal;
    const ColourScheme contrast(ColourMode::highContrast, kContrast);
    const struct {
        const char* what;
        ControlKind kind;
        uint32_t tableColour; // the font's, a shape's fill
        bool enabled;
        const ColourScheme& scheme;
        uint32_t ink, mark;
    } variants[] = {
        {"box", ControlKind::CheckmarkButton, 0x000000, true, normal, 0x000000, kCheckmarkMain},
        {"box, disabled", ControlKind::CheckmarkButton, 0x000000, false, normal, 0x6D6D6D,
         kCheckmarkDisabled},
        {"box, locked", ControlKind::CheckmarkButton, 0x808080, true, contrast,
         kContrast[kSysGrayText], kContrast[kSysWindowText]},
        {"box, high contrast", ControlKind::CheckmarkButton, 0x000000, true, contrast,
         kContrast[kSysWindowText], kContrast[kSysWindowText]},
        {"box, high contrast, disabled", ControlKind::CheckmarkButton, 0x000000, false, contrast,
         kContrast[kSysGrayText], kContrast[kSysGrayText]},
        {"label, disabled", ControlKind::Label, 0x000000, false, normal, 0x6D6D6D, 0},
        {"label, high contrast", ControlKind::Label, 0x000000, true, contrast,
         kContrast[kSysWindowText], 0},
        {"header label, high contrast", ControlKind::Label, 0xFFFFFF, true, contrast,
         kContrast[kSysButtonText], 0},
        {"flat button, high contrast", ControlKind::FlatButton, 0x000000, true, contrast,
         kContrast[kSysButtonText], 0},
        {"shape, high contrast", ControlKind::Shape, 0xDDDDDD, true, contrast,
         kContrast[kSysButtonFace], 0},
    };
    constexpr int kWidth = 120, kHeight = 22;
    Canvas canvas(kWidth, kHeight);
    for (const auto& v : variants) {
        Drawing drawing(v.scheme);
        ControlDesc desc{"Control", v.kind, "", {0, 0, kWidth, kHeight}};
        desc.text = {{"Start skjult"}};
        desc.font.colour = v.tableColour;
        if (v.kind == ControlKind::Shape) desc.colour = v.tableColour;
        canvas.clear();
        if (v.kind == ControlKind::CheckmarkButton) {
            TSpeedButtonCheckmarkControl box(desc);
            box.model().SetChecked(true);
            box.model().SetEnabled(v.enabled);
            box.paint(canvas.dc());
            // The mark's first full pixel: row 6 of the pattern, at its left.
            EXPECT_EQ(canvas.at(4, 3 + 6), v.mark) << v.what;
        } else {
            std::unique_ptr<GraphicControl> control;
            if (v.kind == ControlKind::Label) control = std::make_unique<TLabelRuns>(desc);
            else if (v.kind == ControlKind::FlatButton) control = std::make_unique<TFlatButton>(desc);
            else control = std::make_unique<TShape>(desc);
            control->setEnabled(v.enabled);
            control->paint(canvas.dc());
        }
        const std::set<uint32_t> drawn = coloursIn(canvas, 18, 0, kWidth - 18, kHeight);
        EXPECT_TRUE(drawn.count(v.ink)) << v.what;
        // Nothing of the normal black is left in high contrast.
        if (v.scheme.highContrast()) {
            EXPECT_FALSE(drawn.count(0x000000)) << v.what;
        }
    }
}

TEST(ColourSchemePixels, DialogButtonFaceCaptionAndFrame) {
    const ColourScheme contrast(ColourMode::highContrast, kContrast);
    const struct {
        const char* what;
        const ColourScheme& scheme;
        uint32_t face, caption, frame;
    } variants[] = {
        {"normal", ColourScheme{}, 0xDDDDDD, 0x000000, 0x000000},
        {"high contrast", contrast, kContrast[kSysButtonFace], kContrast[kSysButtonText],
         kContrast[kSysHighlight]},
    };
    constexpr int kWidth = 62, kHeight = 22;
    Canvas canvas(kWidth, kHeight);
    for (const auto& v : variants) {
        Drawing drawing(v.scheme);
        TBitBtnColor button;
        ASSERT_TRUE(button.create(host(), 1, "OK", Rect{0, 0, kWidth, kHeight},
                                  static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
        button.setColor(0xDDDDDD);
        button.setDefault(true); // shown as the default button: framed
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button.handle();
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, kWidth, kHeight};
        canvas.clear();
        ASSERT_TRUE(TBitBtnColor::drawItem(item));
        EXPECT_EQ(canvas.at(0, kHeight / 2), v.frame) << v.what;
        EXPECT_EQ(canvas.at(3, 3), v.face) << v.what;
        EXPECT_TRUE(coloursIn(canvas, 2, 2, kWidth - 4, kHeight - 5).count(v.caption)) << v.what;
    }
}

TEST(ColourSchemePixels, PanelAndItsMoveHandle) {
    const ColourScheme contrast(ColourMode::highContrast, kContrast);
    Canvas canvas(80, 30);
    const RECT client{0, 0, 80, 30};
    const ControlBox handle =
        moveHandleLines(panelControlBox(PanelControl::PaintBoxMoveHandle, 32, 96), 96);
    for (const ColourScheme* scheme : {&contrast, static_cast<const ColourScheme*>(nullptr)}) {
        Drawing drawing(scheme ? *scheme : ColourScheme{});
        PanelPainter painter; // without its images: the colour and the handle
        painter.paint(canvas.dc(), client, true, 32, 96);
        EXPECT_EQ(canvas.at(40, 1), scheme ? kContrast[kSysButtonFace] : 0x5C743Eu);
        EXPECT_EQ(canvas.at(handle.left, handle.top),
                  scheme ? kContrast[kSysButtonText] : 0xFFFFFFu);
    }
}
