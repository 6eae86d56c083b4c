// TBitBtnColor: a push button drawn by the program with a flat face in a chosen colour and a
// slightly lighter line along its bottom, instead of the system's raised face, with an optional
// glyph beside its caption and the standard kinds.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/BitBtnColorPaint.h"
#include "controls/BitBtnKind.h"
#include "controls/ButtonGlyph.h"

namespace qlx::win {

class TBitBtnColor {
public:
    TBitBtnColor() = default;
    ~TBitBtnColor();
    TBitBtnColor(const TBitBtnColor&) = delete;
    TBitBtnColor& operator=(const TBitBtnColor&) = delete;

    // Builds the button as a child of parent. The parent must pass WM_DRAWITEM on to
    // drawItem; clicks reach it as WM_COMMAND/BN_CLICKED with the given id.
    bool create(HWND parent, int id, const std::string& caption, const Rect& bounds,
                HFONT font);
    void destroy();
    HWND handle() const { return hwnd_; }

    // The face colour as 0x00BBGGRR; a system colour index with the high bit set
    // (0x80000000 | COLOR_xxx) is resolved at paint time.
    void setColor(uint32_t colour);
    uint32_t color() const { return colour_; }
    // The button shown as the default one while no other button has the focus.
    void setDefault(bool isDefault);
    int32_t ModalResult = 0;
    // Esc clicks the button (see pressCancel).
    bool Cancel = false;

    // A standard kind brings its caption, modal result and glyph (and OK and yes make the
    // button the default one, cancel and no the cancel one); the custom kind keeps them.
    void setKind(TBitBtnKind kind);
    TBitBtnKind kind() const { return kind_; }
    void setCaption(const std::string& caption);
    // The glyph's images side by side (up, disabled, down); setting it takes their number
    // from its shape.
    void setGlyph(GlyphImage glyph);
    const GlyphImage& glyph() const { return glyph_; }
    void setNumGlyphs(int32_t numGlyphs);
    int32_t numGlyphs() const { return numGlyphs_; }
    // Shown at the next repaint.
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    int32_t Margin = kDefaultMargin;
    int32_t Spacing = kDefaultSpacing;
    TButtonStyle Style = TButtonStyle::bsAutoDetect;

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    // For the parent's WM_DRAWITEM: draws the button the item belongs to; false when the
    // item is no colour button.
    static bool drawItem(const DRAWITEMSTRUCT& item);
    // For the parent's BN_CLICKED: the help kind shows the help of its nearest parent with a
    // help context, the close kind closes its window. False for any other click, which the
    // parent handles as usual (ending a modal window with ModalResult).
    static bool kindClick(HWND button);
    // For a window's Esc key (IDCANCEL from the dialog manager): clicks its visible, enabled
    // colour button that has Cancel set; false when there is none.
    static bool pressCancel(HWND window);

private:
    static LRESULT CALLBACK subclassProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    // The button's own window procedure for a message.
    LRESULT base(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint(const DRAWITEMSTRUCT& item);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    uint32_t colour_ = 0x80000000u | COLOR_BTNFACE;
    std::string caption_;
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    GlyphImage glyph_;
    int32_t numGlyphs_ = 1;
    bool isDefault_ = false;
    bool mouseInside_ = false;
    BitBtnHighlight highlight_;
};

} // namespace qlx::win
