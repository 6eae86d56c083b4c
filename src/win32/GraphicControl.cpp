// Painting of labels, shapes and flat buttons.
#include "GraphicControl.h"

#include "Encoding.h"
#include "Fonts.h"

namespace qlx::win {

namespace {
RECT rectOf(const ControlBox& b) { return RECT{b.left, b.top, b.left + b.width, b.top + b.height}; }

void fill(HDC dc, const RECT& r, uint32_t colour) {
    HBRUSH brush = CreateSolidBrush(gdiColour(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

int textWidth(HDC dc, const FontSpec& font, std::string_view text, bool bold) {
    const std::wstring wide = widen(text);
    SelectObject(dc, fontFor(font, bold));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}
} // namespace

void GraphicControl::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    invalidate();
}

void GraphicControl::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    invalidate();
}

void GraphicControl::invalidate() const {
    if (!host) return;
    RECT r = rectOf(box);
    InvalidateRect(host, &r, FALSE);
}

void TLabelRuns::setText(std::vector<TextRun> text) {
    text_ = std::move(text);
    invalidate();
}

void TLabelRuns::setTextColour(uint32_t colour) {
    if (colour_ == colour) return;
    colour_ = colour;
    invalidate();
}

void TLabelRuns::paint(HDC dc) {
    const FontSpec& font = spec().font;
    HGDIOBJ oldFont = SelectObject(dc, fontFor(font));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (spec().colour != kNoColour && box.width > 0) fill(dc, rectOf(box), spec().colour);
    const auto measure = [&](std::string_view text, bool bold) {
        return textWidth(dc, font, text, bold);
    };
    const std::vector<PlacedRun> placed =
        wrapRuns(text_, spec().wordWrap ? box.width : 0, measure);
    int shift = 0;
    if (spec().rightAlign && box.width > 0 && !placed.empty()) {
        int right = 0;
        for (const PlacedRun& p : placed)
            if (p.line == 0) right = std::max(right, p.x + measure(p.text, p.bold));
        shift = box.width - right;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled() ? gdiColour(colour_) : GetSysColor(COLOR_GRAYTEXT));
    // A label with a size clips to it; one that sizes itself to its text draws it whole, and
    // so does a right-aligned one, which grows to the left as its text needs.
    RECT clip = rectOf(box);
    const UINT options = box.width > 0 && box.height > 0 && !spec().rightAlign ? ETO_CLIPPED : 0;
    for (const PlacedRun& p : placed) {
        SelectObject(dc, fontFor(font, p.bold));
        const std::wstring wide = widen(p.text);
        ExtTextOutW(dc, box.left + p.x + shift, box.top + p.line * tm.tmHeight, options, &clip,
                    wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    }
    SelectObject(dc, oldFont);
}

void TShape::paint(HDC dc) { fill(dc, rectOf(box), spec().colour); }

void TFlatButton::setHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    invalidate();
}

void TFlatButton::setPressed(bool pressed) {
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    invalidate();
}

void TFlatButton::paint(HDC dc) {
    RECT r = rectOf(box);
    const bool down = pressed_ && hot_ && enabled();
    if (enabled() && (hot_ || pressed_))
        DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const std::wstring caption = widen(spec().caption());
    HGDIOBJ oldFont = SelectObject(dc, fontFor(spec().font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled() ? gdiColour(spec().font.colour) : GetSysColor(COLOR_GRAYTEXT));
    if (down) OffsetRect(&r, 1, 1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

} // namespace qlx::win
