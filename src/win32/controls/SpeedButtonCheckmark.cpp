// Painting the check-mark button: faint lines, mark, frame and caption in the core's order.
#include "win32/controls/SpeedButtonCheckmark.h"

#include "win32/controls/CheckmarkPainter.h"
#include "win32/system/Encoding.h"
#include "win32/system/Fonts.h"
#include "win32/system/SystemColours.h"
#include "Scale.h"

namespace qlx::win {

TSpeedButtonCheckmarkControl::TSpeedButtonCheckmarkControl(ControlDesc desc)
    : GraphicControl(std::move(desc)) {
    own_.Flat = true;
    own_.CheckmarkGroup = this->desc().group;
    own_.FaintLines = static_cast<TFaintLines>(this->desc().faintLines & 0x0F);
    own_.FontColour = this->desc().font.colour;
    follow();
}

void TSpeedButtonCheckmarkControl::bind(TSpeedButtonCheckmark& model) {
    model_->OnRepaint = nullptr;
    model_ = &model;
    follow();
    setEnabled(model_->Enabled());
    invalidate();
}

void TSpeedButtonCheckmarkControl::follow() {
    model_->OnRepaint = [this] {
        setEnabled(model_->Enabled());
        invalidate();
    };
}

void TSpeedButtonCheckmarkControl::setHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    invalidate();
}

void TSpeedButtonCheckmarkControl::setPressed(bool pressed) {
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    invalidate();
}

void TSpeedButtonCheckmarkControl::paint(HDC dc) {
    // The mark is placed on the client width at 96 DPI and drawn at the window's scale; the
    // faint lines follow the control's edges in device pixels.
    const int width = MulDiv(box.width, kDesignDpi, dpi);
    for (CheckmarkPaintStep step : model_->paintSteps()) {
        switch (step) {
        case CheckmarkPaintStep::FaintLines:
            paintOps(dc,
                     faintLinesPaintAt(model_->FaintLines, box.width, box.height,
                                       faintEdgeColour(buttonFaceColour(),
                                                       kSpeedButtonFaintPercent),
                                       dpi),
                     box.left, box.top);
            break;
        case CheckmarkPaintStep::Mark:
            paintOps(dc, model_->markPaint(width, dpi, checkmarkColours(colours())), box.left,
                     box.top);
            break;
        case CheckmarkPaintStep::Button: paintButton(dc); break;
        }
    }
}

// The flat button itself: a raised frame under the mouse, a sunken one while held down, and
// the caption after the mark's room.
void TSpeedButtonCheckmarkControl::paintButton(HDC dc) {
    RECT r{box.left, box.top, box.left + box.width, box.top + box.height};
    const bool enabled = model_->Enabled();
    const bool down = pressed_ && hot_ && enabled;
    if (enabled && (hot_ || pressed_))
        DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const bool underline = underlineShown();
    const std::wstring caption =
        widen(underline ? prefixedCaption(desc().caption(), desc().mnemonic) : desc().caption());
    if (caption.empty()) return;
    HGDIOBJ oldFont = SelectObject(dc, fontFor(desc().font));
    SetBkMode(dc, TRANSPARENT);
    const ColourScheme& scheme = colours();
    SetTextColor(dc, gdiColour(enabled ? scheme.text(model_->FontColour, false)
                                       : scheme(ColourRole::disabledText)));
    RECT text{r.left + scaled(kCheckmarkCaptionMargin, dpi), r.top, r.right, r.bottom};
    if (down) OffsetRect(&text, scaled(1, dpi), scaled(1, dpi));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | (underline ? 0u : UINT{DT_NOPREFIX}));
    SelectObject(dc, oldFont);
}

} // namespace qlx::win
