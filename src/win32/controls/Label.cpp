// Laying out and drawing a label's runs.
#include "win32/controls/Label.h"

#include <algorithm>

#include "win32/system/Encoding.h"
#include "win32/system/Fonts.h"
#include "win32/system/SystemColours.h"

namespace qlx::win {

namespace {
int textWidth(HDC dc, const FontDesc& font, std::string_view text, bool bold) {
    const std::wstring wide = widen(text);
    SelectObject(dc, fontFor(font, bold));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}
} // namespace

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
    const FontDesc& font = desc().font;
    HGDIOBJ oldFont = SelectObject(dc, fontFor(font));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const ColourScheme& scheme = colours();
    if (desc().colour != kNoColour && box.width > 0)
        fillRect(dc, rectOf(box), scheme.background(desc().colour));
    const auto measure = [&](std::string_view text, bool bold) {
        return textWidth(dc, font, text, bold);
    };
    const std::vector<PlacedRun> placed =
        wrapRuns(text_, desc().wordWrap ? box.width : 0, measure);
    int shift = 0;
    if (desc().rightAlign && box.width > 0 && !placed.empty()) {
        int right = 0;
        for (const PlacedRun& p : placed)
            if (p.line == 0) right = std::max(right, p.x + measure(p.text, p.bold));
        shift = box.width - right;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(
        dc, gdiColour(enabled() ? scheme.text(colour_, false) : scheme(ColourRole::disabledText)));
    // A label with a size clips to it; one that sizes itself to its text draws it whole, and
    // so does a right-aligned one, which grows to the left as its text needs.
    RECT clip = rectOf(box);
    const UINT options = box.width > 0 && box.height > 0 && !desc().rightAlign ? ETO_CLIPPED : 0;
    // The mnemonic letter, underlined while Alt is held: its first place in the text.
    bool underline = underlineShown();
    for (const PlacedRun& p : placed) {
        SelectObject(dc, fontFor(font, p.bold));
        const std::wstring wide = widen(p.text);
        const int x = box.left + p.x + shift;
        const int y = box.top + p.line * tm.tmHeight;
        ExtTextOutW(dc, x, y, options, &clip, wide.c_str(), static_cast<UINT>(wide.size()),
                    nullptr);
        const size_t at = underline ? mnemonicIndex(p.text, desc().mnemonic) : std::string::npos;
        if (at == std::string::npos) continue;
        underline = false;
        const int from = x + measure(p.text.substr(0, at), p.bold);
        const int to = from + measure(p.text.substr(at, 1), p.bold);
        RECT line{from, y + tm.tmAscent + 1, to, y + tm.tmAscent + 2};
        fillRect(dc, line, GetTextColor(dc));
    }
    SelectObject(dc, oldFont);
}

} // namespace qlx::win
