// The colour button and the coloured speed button with glyphs on a real device context: each
// variant is painted into a bitmap by the window layer and compared, pixel by pixel, with the
// core's placement of glyph and caption and its glyph images against the face colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Canvas.h"
#include "win32/controls/BitBtnColor.h"
#include "win32/controls/ButtonGlyphPainter.h"
#include "win32/controls/SpeedButtonPlus.h"
#include "win32/system/Encoding.h"
#include "win32/system/Fonts.h"

using namespace qlx;
using namespace qlx::win;

namespace {

constexpr uint32_t kTransparentKey = 0xFF00FF; // the glyph bitmaps' transparent magenta

bool inside(const Rect& r, int x, int y) {
    return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

GlyphColours coloursOn(uint32_t face) {
    return {face, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
}

// What the core says a button's content must look like, offset by the button's place.
struct Expected {
    GlyphImage glyph;
    GlyphAndCaption place;
};

Expected expectedContent(HDC dc, HFONT font, const Rect& content, const GlyphImage& bitmap,
                         int32_t numGlyphs, GlyphState state, uint32_t face,
                         const std::wstring& caption, TButtonLayout layout, int32_t margin,
                         int32_t spacing) {
    Expected e;
    e.glyph = renderGlyph(bitmap, numGlyphs, state, coloursOn(face));
    HGDIOBJ old = SelectObject(dc, font);
    const Size text = captionSize(dc, caption);
    SelectObject(dc, old);
    e.place = layoutGlyphAndCaption(content, Size{e.glyph.width, e.glyph.height}, text, layout,
                                    margin, spacing);
    return e;
}

// Checks the content rectangle: the glyph's pixels where the core puts it, something drawn
// in the caption's place, the face everywhere else, and nowhere the transparent colour.
std::vector<std::string> contentDifferences(const Canvas& canvas, const Rect& content,
                                            const Expected& e, uint32_t face) {
    std::vector<std::string> wrong;
    const Rect glyph{e.place.glyphLeft, e.place.glyphTop, e.glyph.width, e.glyph.height};
    int captionInk = 0, glyphInk = 0;
    for (int y = content.top; y < content.top + content.height; ++y) {
        for (int x = content.left; x < content.left + content.width; ++x) {
            const uint32_t got = canvas.at(x, y);
            uint32_t want = face;
            if (inside(glyph, x, y)) {
                want = e.glyph.at(x - glyph.left, y - glyph.top);
                if (want != face) ++glyphInk;
            } else if (inside(e.place.caption, x, y)) {
                if (got != face) ++captionInk;
                continue;
            }
            if ((got != want || got == kTransparentKey) && wrong.size() < 8) {
                char line[80];
                std::snprintf(line, sizeof line, "(%d,%d) 0x%06X, not 0x%06X", x, y, got, want);
                wrong.push_back(line);
            }
        }
    }
    if (e.glyph.width > 0 && glyphInk == 0) wrong.push_back("the glyph shows nothing");
    if (e.place.caption.width > 0 && captionInk == 0) wrong.push_back("no caption drawn");
    return wrong;
}

// A hidden window for the buttons to be children of.
HWND host() {
    static HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

} // namespace

TEST(ButtonGlyphPixels, ColourButtonGlyphPerLayoutAgainstItsFace) {
    struct Variant {
        const char* what;
        TBitBtnKind kind;
        TButtonLayout layout;
        int32_t margin;
        uint32_t face;
        bool enabled, pressed;
        bool oneImage; // the glyph's up image alone, so that disabled is greyed
    } variants[] = {
        {"left", TBitBtnKind::bkOK, TButtonLayout::blGlyphLeft, -1, 0xDDDDDD, true, false},
        {"right", TBitBtnKind::bkOK, TButtonLayout::blGlyphRight, -1, 0xDDDDDD, true, false},
        {"top", TBitBtnKind::bkCancel, TButtonLayout::blGlyphTop, -1, 0xDDDDDD, true, false},
        {"bottom", TBitBtnKind::bkCancel, TButtonLayout::blGlyphBottom, -1, 0xDDDDDD, true,
         false},
        {"right, margin 4, dark face", TBitBtnKind::bkRetry, TButtonLayout::blGlyphRight, 4,
         0x5C743E, true, false},
        {"pressed", TBitBtnKind::bkAll, TButtonLayout::blGlyphLeft, -1, 0xDDDDDD, true, true},
        {"disabled image", TBitBtnKind::bkAbort, TButtonLayout::blGlyphLeft, -1, 0xDDDDDD,
         false, false},
        {"disabled, greyed", TBitBtnKind::bkHelp, TButtonLayout::blGlyphLeft, 2, 0xDDDDDD, false,
         false, true},
    };
    constexpr int kWidth = 90, kHeight = 48;
    Canvas canvas(kWidth, kHeight);
    for (const Variant& v : variants) {
        TBitBtnColor button;
        button.setKind(v.kind);
        ASSERT_TRUE(button.create(host(), 1, "", Rect{0, 0, kWidth, kHeight}, guiFont()));
        ASSERT_EQ(button.numGlyphs(), 2) << v.what;
        if (v.oneImage) {
            GlyphImage up{18, 18, {}};
            for (int y = 0; y < 18; ++y)
                for (int x = 0; x < 18; ++x) up.pixels.push_back(button.glyph().at(x, y));
            button.setGlyph(up);
            ASSERT_EQ(button.numGlyphs(), 1);
        }
        button.setColor(v.face);
        button.Layout = v.layout;
        button.Margin = v.margin;
        EnableWindow(button.handle(), v.enabled);

        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button.handle();
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, kWidth, kHeight};
        item.itemState = (v.enabled ? 0 : ODS_DISABLED) | (v.pressed ? ODS_SELECTED : 0);
        canvas.clear();
        ASSERT_TRUE(TBitBtnColor::drawItem(item));

        // OK is the default button, shown as such while nothing else has the focus.
        const bool asDefault = v.kind == TBitBtnKind::bkOK;
        const BitBtnPaint plan =
            planBitBtnPaint({kWidth, kHeight, v.enabled, v.pressed, asDefault, false});
        const GlyphState state = !v.enabled ? GlyphState::disabled
                                 : v.pressed ? GlyphState::down
                                             : GlyphState::up;
        const Expected e = expectedContent(
            canvas.dc(), guiFont(), plan.content, button.glyph(), button.numGlyphs(), state,
            v.face, widen(bitBtnKindInfo(v.kind).caption), v.layout, v.margin, kDefaultSpacing);
        // The content rectangle stops above the highlight line when not pressed.
        Rect content = plan.content;
        content.height = std::min(content.height, plan.lineY - content.top);
        content.width = std::min(content.width, plan.fill.left + plan.fill.width - content.left);
        EXPECT_EQ(contentDifferences(canvas, content, e, v.face), std::vector<std::string>{})
            << v.what;
        EXPECT_EQ(canvas.at(plan.lineLeft, plan.lineY), highlightColour(v.face)) << v.what;
    }
}

TEST(ButtonGlyphPixels, SpeedButtonPlusInItsColour) {
    struct Variant {
        const char* what;
        bool flat, down;
        TButtonLayout layout;
    } variants[] = {
        {"3-D, up, glyph top", false, false, TButtonLayout::blGlyphTop},
        {"3-D, down, glyph left", false, true, TButtonLayout::blGlyphLeft},
        {"flat, up, glyph bottom", true, false, TButtonLayout::blGlyphBottom},
        {"flat, down, glyph right", true, true, TButtonLayout::blGlyphRight},
    };
    constexpr uint32_t kFace = 0x3080C0;
    constexpr int kLeft = 10, kTop = 5, kWidth = 80, kHeight = 50;
    Canvas canvas(120, 70);
    const GlyphImage retry = loadGlyph(GetModuleHandleW(nullptr), "BBRETRY");
    ASSERT_EQ(retry.width, 36);
    for (const Variant& v : variants) {
        ControlDesc desc{"Speed", ControlKind::FlatButton, "", {kLeft, kTop, kWidth, kHeight}};
        desc.text = {{"Igen"}};
        TSpeedButtonPlus button(desc);
        button.SetColor(kFace);
        button.SetGlyph(retry);
        button.Flat = v.flat;
        button.SetDown(v.down);
        button.Layout = v.layout;
        canvas.clear();
        button.paint(canvas.dc());

        const SpeedButtonPaint plan =
            planSpeedButtonPaint({kWidth, kHeight, v.flat, true, false, false, v.down});
        Rect content = plan.content;
        content.left += kLeft;
        content.top += kTop;
        const Expected e = expectedContent(canvas.dc(), fontFor(desc.font), content, retry, 2,
                                           plan.glyph, kFace, L"Igen", v.layout, kDefaultMargin,
                                           kDefaultSpacing);
        // Inside the edges: the content moved by a pushed button stays clear of them.
        Rect clear = v.down ? Rect{content.left, content.top, content.width - 1, content.height - 1}
                            : content;
        EXPECT_EQ(contentDifferences(canvas, clear, e, kFace), std::vector<std::string>{})
            << v.what;
        EXPECT_EQ(canvas.at(kLeft - 1, kTop - 1), kBackground) << v.what << ": outside";
        EXPECT_EQ(canvas.at(kLeft + kWidth, kTop + kHeight), kBackground) << v.what;
    }
}
