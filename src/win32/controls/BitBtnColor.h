// TBitBtnColor: a push button drawn by the program with a flat face in a chosen colour and a
// slightly lighter line along its bottom, instead of the system's raised face.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/BitBtnColorPaint.h"

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

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    // For the parent's WM_DRAWITEM: draws the button the item belongs to; false when the
    // item is no colour button.
    static bool drawItem(const DRAWITEMSTRUCT& item);

private:
    static LRESULT CALLBACK subclassProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    // The button's own window procedure for a message.
    LRESULT base(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint(const DRAWITEMSTRUCT& item);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    uint32_t colour_ = 0x80000000u | COLOR_BTNFACE;
    bool isDefault_ = false;
    bool mouseInside_ = false;
    BitBtnHighlight highlight_;
};

} // namespace qlx::win
