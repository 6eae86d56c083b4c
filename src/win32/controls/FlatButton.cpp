// Drawing a flat button in its states.
#include "win32/controls/FlatButton.h"

#include "win32/system/Encoding.h"
#include "win32/system/Fonts.h"
#include "win32/system/SystemColours.h"

namespace qlx::win {

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
    // The mnemonic letter underlined while Alt is held: drawn with its "&".
    const bool underline = underlineShown();
    const std::wstring caption =
        widen(underline ? prefixedCaption(desc().caption(), desc().mnemonic) : desc().caption());
    HGDIOBJ oldFont = SelectObject(dc, fontFor(desc().font));
    SetBkMode(dc, TRANSPARENT);
    const ColourScheme& scheme = colours();
    SetTextColor(dc, gdiColour(enabled() ? scheme.text(desc().font.colour, true)
                                         : scheme(ColourRole::disabledText)));
    if (down) OffsetRect(&r, 1, 1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | (underline ? 0u : UINT{DT_NOPREFIX}));
    SelectObject(dc, oldFont);
}

} // namespace qlx::win
