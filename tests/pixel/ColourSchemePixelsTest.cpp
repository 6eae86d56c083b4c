// The drawn controls in the colours they are handed: outside high contrast every text in the
// colour fixed with its background (a disabled caption in its fixed grey), in high contrast
// the system's colour for each part. Wine always says high contrast is off, so the scheme is
// handed to the painters directly.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Canvas.h"
#include "win32/controls/BitBtnColor.h"
#include "win32/controls/FlatButton.h"
#include "win32/controls/Label.h"
#include "win32/controls/Shape.h"
#include "win32/controls/SpeedButtonCheckmark.h"
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

TEST(ColourSchemePixels, CheckmarkButtonCaptionAndMark) {
    const struct {
        const char* what;
        ColourScheme scheme;
        bool enabled;
        uint32_t caption, mark;
    } variants[] = {
        {"normal", ColourScheme{}, true, 0x000000, kCheckmarkMain},
        {"normal, disabled", ColourScheme{}, false, 0x6D6D6D, kCheckmarkDisabled},
        {"high contrast", ColourScheme(ColourMode::highContrast, kContrast), true,
         kContrast[kSysWindowText], kContrast[kSysWindowText]},
        {"high contrast, disabled", ColourScheme(ColourMode::highContrast, kContrast), false,
         kContrast[kSysGrayText], kContrast[kSysGrayText]},
    };
    constexpr int kWidth = 120, kHeight = 22;
    Canvas canvas(kWidth, kHeight);
    for (const auto& v : variants) {
        Drawing drawing(v.scheme);
        ControlDesc desc{"CheckBoxMinimizeOnStart", ControlKind::CheckmarkButton, "",
                         {0, 0, kWidth, kHeight}};
        desc.text = {{"Start skjult"}};
        TSpeedButtonCheckmarkControl box(desc);
        box.model().SetChecked(true);
        box.model().SetEnabled(v.enabled);
        canvas.clear();
        box.paint(canvas.dc());
        // The mark's first full pixel: row 6 of the pattern, at its left.
        EXPECT_EQ(canvas.at(4, 3 + 6), v.mark) << v.what;
        const std::set<uint32_t> caption = coloursIn(canvas, 18, 0, kWidth - 18, kHeight);
        EXPECT_TRUE(caption.count(v.caption)) << v.what;
        if (v.scheme.highContrast()) {
            EXPECT_FALSE(caption.count(0x000000)) << v.what;
        }
    }
}

TEST(ColourSchemePixels, LabelsShapesAndFlatButtons) {
    const ColourScheme contrast(ColourMode::highContrast, kContrast);
    constexpr int kWidth = 100, kHeight = 24;
    Canvas canvas(kWidth, kHeight);
    const struct {
        const char* what;
        ControlKind kind;
        uint32_t fontColour;
        const ColourScheme& scheme;
        uint32_t ink;
    } variants[] = {
        {"label", ControlKind::Label, 0x000000, ColourScheme{}, 0x000000},
        {"label, high contrast", ControlKind::Label, 0x000000, contrast,
         kContrast[kSysWindowText]},
        {"header label, high contrast", ControlKind::Label, 0xFFFFFF, contrast,
         kContrast[kSysButtonText]},
        {"flat button, high contrast", ControlKind::FlatButton, 0x000000, contrast,
         kContrast[kSysButtonText]},
    };
    for (const auto& v : variants) {
        Drawing drawing(v.scheme);
        ControlDesc desc{"Control", v.kind, "", {0, 0, kWidth, kHeight}};
        desc.text = {{"Indstillinger"}};
        desc.font.colour = v.fontColour;
        canvas.clear();
        if (v.kind == ControlKind::Label) TLabelRuns(desc).paint(canvas.dc());
        else TFlatButton(desc).paint(canvas.dc());
        EXPECT_TRUE(coloursIn(canvas, 0, 0, kWidth, kHeight).count(v.ink)) << v.what;
    }

    Drawing drawing(contrast);
    ControlDesc shape{"ButtonOKShape", ControlKind::Shape, "", {0, 0, kWidth, kHeight}};
    shape.colour = 0xDDDDDD;
    canvas.clear();
    TShape(shape).paint(canvas.dc());
    EXPECT_EQ(canvas.at(kWidth / 2, kHeight / 2), kContrast[kSysButtonFace]);
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
