// The floating panel's fixed geometry: where its controls sit, which presses belong to its
// two buttons, the window-style change that takes its caption away, and the move handle.
#pragma once

#include <cstdint>
#include <optional>

namespace qlx {

// The panel's colour and its outer size at 96 DPI.
inline constexpr uint32_t kPanelColour = 0x5C743E; // 6059070: red 62, green 116, blue 92
inline constexpr int kPanelWidth = 82;
inline constexpr int kPanelHeight = 32;

// Client area inside the one-pixel border of the 82 x 32 panel. The border stays one pixel
// at every scale.
inline constexpr int kPanelClientWidth = 80;
inline constexpr int kPanelClientHeight = 30;
inline constexpr int kPanelBorder = 1;

struct PanelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PanelSize&) const = default;
};
// The panel's outer size at a DPI: 82 x 32, 103 x 40, 123 x 48, 164 x 64 at 96, 120, 144
// and 192.
PanelSize panelOuterSize(int dpi);

// Caption and sizing frame go, a thin border comes in their place.
inline constexpr uint32_t kPanelStyleClear = 0x00C40000;
inline constexpr uint32_t kPanelStyleSet = 0x00800000;

enum class PanelControl { ImageLogo, ImageMenu, ImageOpen, PaintBoxMoveHandle };

struct ControlBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ControlBox&) const = default;
    bool contains(int x, int y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

// A control's place in client pixels on a panel of the given outer height at a DPI: its
// left and size scaled, its top centred vertically (the logo one scaled pixel lower than
// the others).
ControlBox panelControlBox(PanelControl control, int outerHeight, int dpi);

// The button under a press at client (x, y): the menu or the open image while the buttons
// are shown. Presses anywhere else (the logo and the handle included) belong to the panel
// and may start a move.
std::optional<PanelControl> panelButtonAt(int x, int y, bool buttonsShown, int outerHeight,
                                          int dpi);

// Where the panel menu opens, in the panel's client pixels. The menu image's own corner is
// mapped from the image's coordinates, so the menu lands as far right of and below the
// image as the image lies from the panel's corner.
struct ClientPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ClientPoint&) const = default;
};
ClientPoint panelMenuOrigin(int outerHeight, int dpi);

// The style to write for the caption-less panel, or nothing when the style already has it
// (then the window is left alone and the frame is not re-applied).
std::optional<uint32_t> changedWindowStyle(uint32_t style, uint32_t bitsToClear,
                                           uint32_t bitsToSet);

// The move handle is two white vertical lines side by side filling its box's width, with a
// gap of one (scaled) pixel above and below: at 96 DPI the lines at x = 0 and 1 of the
// 2 x 19 box, from y = 1 up to but not including y = 18.
inline constexpr uint32_t kMoveHandleColour = 0xFFFFFF;
inline constexpr int kMoveHandleGap = 1;
ControlBox moveHandleLines(const ControlBox& handle, int dpi);

} // namespace qlx
