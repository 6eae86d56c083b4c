// The floating panel's fixed geometry.
#include "panel/PanelLayout.h"

#include "Scale.h"

namespace qlx {

namespace {
ControlBox designBox(PanelControl control) {
    switch (control) {
    case PanelControl::ImageLogo: return {12, 3, 60, 24};
    case PanelControl::ImageMenu: return {15, 5, 24, 19};
    case PanelControl::ImageOpen: return {48, 5, 25, 19};
    case PanelControl::PaintBoxMoveHandle: return {4, 5, 2, 19};
    }
    return {};
}
} // namespace

PanelSize panelOuterSize(int dpi) { return {scaled(kPanelWidth, dpi), scaled(kPanelHeight, dpi)}; }

ControlBox panelControlBox(PanelControl control, int outerHeight, int dpi) {
    const ControlBox design = designBox(control);
    ControlBox box{scaled(design.left, dpi), 0, scaled(design.width, dpi),
                   scaled(design.height, dpi)};
    const int base = outerHeight / 2 - scaled(2, dpi);
    box.top = base - box.height / 2 + (control == PanelControl::ImageLogo ? scaled(1, dpi) : 0);
    return box;
}

std::optional<PanelControl> panelButtonAt(int x, int y, bool buttonsShown, int outerHeight,
                                          int dpi) {
    if (!buttonsShown) return std::nullopt;
    for (PanelControl c : {PanelControl::ImageMenu, PanelControl::ImageOpen})
        if (panelControlBox(c, outerHeight, dpi).contains(x, y)) return c;
    return std::nullopt;
}

ClientPoint panelMenuOrigin(int outerHeight, int dpi) {
    const ControlBox menu = panelControlBox(PanelControl::ImageMenu, outerHeight, dpi);
    return {menu.left + menu.left, menu.top + menu.top};
}

ControlBox moveHandleLines(const ControlBox& handle, int dpi) {
    const int gap = scaled(kMoveHandleGap, dpi);
    return {handle.left, handle.top + gap, handle.width, handle.height - 2 * gap};
}

std::optional<uint32_t> changedWindowStyle(uint32_t style, uint32_t bitsToClear,
                                           uint32_t bitsToSet) {
    const uint32_t changed = (style & ~bitsToClear) | bitsToSet;
    if (changed == style) return std::nullopt;
    return changed;
}

} // namespace qlx
