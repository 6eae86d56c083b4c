// The message dialog's button sets and geometry.
#include "dialogs/MessageWinLayout.h"

#include "Scale.h"

#include <algorithm>

namespace qlx {

namespace {
const DialogButton kOk{"OK", kResultOk};
const DialogButton kOnlyOk{"OK", kResultOk, true};
const DialogButton kCancel{"Annuller", kResultCancel, true};
const DialogButton kYes{"Ja", kResultYes};
const DialogButton kNo{"Nej", kResultNo};

// Dialog units to pixels, rounded to the nearest pixel.
int32_t unitsToPixels(int32_t units, int32_t fontMeasure, int32_t unitsPerMeasure) {
    return (units * fontMeasure + unitsPerMeasure / 2) / unitsPerMeasure;
}
} // namespace

ButtonSet buttonSetFor(int32_t code) {
    if (code == 0) return ButtonSet{kOnlyOk, std::nullopt, 150};
    if (code < 0 || code == 1) return ButtonSet{kOk, kCancel, 200};
    if (code == 3) return ButtonSet{kYes, kNo, 200};
    if (code == 4) return ButtonSet{kNo, kYes, 200};
    return ButtonSet{kYes, kCancel, 200};
}

std::optional<int32_t> escapeResult(int32_t code) {
    const ButtonSet set = buttonSetFor(code);
    if (set.left.cancel) return set.left.result;
    if (set.right && set.right->cancel) return set.right->result;
    return std::nullopt;
}

bool hasIcon(TMsgDlgType type) { return type != TMsgDlgType::custom; }

int32_t messageTextWrapWidth(int32_t screenWidth) { return screenWidth / 2; }

int32_t messageTextWrapWidth(const ScreenRect& screen) {
    return static_cast<int32_t>((int64_t{screen.right} - screen.left) / 2);
}

Monitor messageWinMonitor(const std::optional<Dimension>& owner,
                          const std::optional<Dimension>& panel, const MonitorList& monitors) {
    if (owner) return monitorOf(*owner, monitors);
    if (panel) return monitorOf(*panel, monitors);
    return primaryMonitor(monitors);
}

MessageWinLayout layoutMessageWin(const MessageWinMeasures& m, TMsgDlgType type,
                                  int32_t buttonSetCode, const std::optional<Dimension>& owner,
                                  const WorkArea& work) {
    const int32_t horzMargin = unitsToPixels(8, m.averageCharWidth, 4);
    const int32_t vertMargin = unitsToPixels(8, m.charHeight, 8);
    const int32_t horzSpacing = unitsToPixels(10, m.averageCharWidth, 4);
    const int32_t vertSpacing = unitsToPixels(10, m.charHeight, 8);
    const int32_t buttonRowHeight = unitsToPixels(14, m.charHeight, 8);

    const int32_t iconSize = scaled(kIconSize, m.dpi);
    const int32_t stripHeight = scaled(kStripHeight, m.dpi);
    const int32_t buttonWidth = scaled(kDialogButtonWidth, m.dpi);
    const int32_t buttonHeight = scaled(kDialogButtonHeight, m.dpi);

    MessageWinLayout out;
    int32_t iconTextWidth = m.textWidth;
    int32_t iconTextHeight = m.textHeight;
    int32_t textLeft = horzMargin;
    if (hasIcon(type)) {
        out.icon = Rect{horzMargin, vertMargin, iconSize, iconSize};
        textLeft += iconSize + horzSpacing;
        iconTextWidth += iconSize + horzSpacing;
        iconTextHeight = std::max(iconTextHeight, iconSize);
    }
    out.text = Rect{textLeft, vertMargin, m.textWidth, m.textHeight};

    // The body: sized to icon and text with room for a button row, centred on the screen.
    Dimension& d = out.dialog;
    d.width = iconTextWidth + 2 * horzMargin + m.frameWidth;
    d.height = iconTextHeight + buttonRowHeight + vertSpacing + 2 * vertMargin + m.frameHeight;
    d.left = static_cast<int32_t>(m.screen.left + (int64_t{m.screen.right} - m.screen.left) / 2 -
                                  d.width / 2);
    d.top = static_cast<int32_t>(m.screen.top + (int64_t{m.screen.bottom} - m.screen.top) / 2 -
                                 d.height / 2);

    const ButtonSet set = buttonSetFor(buttonSetCode);
    d.width = std::max(d.width, scaled(set.minimumWidth, m.dpi));

    if (owner) {
        d = centredOn(*owner, d);
        limitToScreenWorkarea(d, work);
    }

    out.clientWidth = d.width - m.frameWidth;
    out.clientHeight = d.height - m.frameHeight;
    out.strip = Rect{0, out.clientHeight - stripHeight, out.clientWidth, stripHeight};

    const int32_t buttonTop = (stripHeight - buttonHeight) / 2 + scaled(1, m.dpi);
    const int32_t leftButtonLeft = set.right
                                       ? (out.clientWidth / 2 - buttonWidth) / 2
                                       : (out.clientWidth - buttonWidth) / 2;
    out.left = ButtonPlace{
        set.left, Rect{leftButtonLeft, buttonTop, buttonWidth, buttonHeight}};
    if (set.right) {
        // Measured on the outer width, so it sits half a frame further right than a mirror
        // image of the left button would.
        const int32_t rightLeft = d.width / 2 + (d.width / 2 - buttonWidth) / 2;
        out.right = ButtonPlace{
            *set.right, Rect{rightLeft, buttonTop, buttonWidth, buttonHeight}};
    }
    return out;
}

} // namespace qlx
