// The floating panel's fixed geometry.
#include "panel/PanelLayout.h"

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

ControlBox panelControlBox(PanelControl control, int outerHeight) {
    ControlBox box = designBox(control);
    const int base = outerHeight / 2 - 2;
    box.top = base - box.height / 2 + (control == PanelControl::ImageLogo ? 1 : 0);
    return box;
}

std::optional<PanelControl> panelButtonAt(int x, int y, bool buttonsShown, int outerHeight) {
    if (!buttonsShown) return std::nullopt;
    for (PanelControl c : {PanelControl::ImageMenu, PanelControl::ImageOpen})
        if (panelControlBox(c, outerHeight).contains(x, y)) return c;
    return std::nullopt;
}

ClientPoint panelMenuOrigin(int outerHeight) {
    const ControlBox menu = panelControlBox(PanelControl::ImageMenu, outerHeight);
    return {menu.left + menu.left, menu.top + menu.top};
}

std::optional<uint32_t> changedWindowStyle(uint32_t style, uint32_t bitsToClear,
                                           uint32_t bitsToSet) {
    const uint32_t changed = (style & ~bitsToClear) | bitsToSet;
    if (changed == style) return std::nullopt;
    return changed;
}

} // namespace qlx
