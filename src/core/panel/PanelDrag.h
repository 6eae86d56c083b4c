// Moving the panel by hand: the limits a drag keeps to. Each axis is decided on its own and
// a position past its limit is not taken at all, so the panel stops where it last was
// allowed instead of being pushed against the edge.
#pragma once

#include <cstdint>
#include <optional>

#include "panel/Placement.h"

namespace qlx {

struct DragPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const DragPoint&) const = default;
};

// The limit a drag keeps to on a monitor: its work area, or the whole monitor when the
// system cannot tell.
WorkArea dragWorkArea(const Monitor& monitor);

struct DragStep {
    std::optional<int32_t> left; // nothing: the left edge stays
    std::optional<int32_t> top;  // nothing: the top edge stays
    bool operator==(const DragStep&) const = default;
};

// Where the mouse at screen (x, y) takes the panel. The left edge may go from the work
// area's left to its right less the panel's outer width; the top from one pixel above the
// work area's top (the border's pixel, at every scale) to its bottom less the panel's outer
// height.
DragStep dragStep(DragPoint mouse, DragPoint offset, const WorkArea& work, int32_t outerWidth,
                  int32_t outerHeight);

// A step while the mouse is over another monitor than the panel: the panel is brought
// inside that monitor's limits, the coordinates the step does not take being pulled to the
// nearest allowed value (so that it never stands half on one monitor, or beside a shorter
// one, when it crosses). Where the panel already is on the mouse's monitor this is dragStep.
DragStep dragStepAcross(DragPoint mouse, DragPoint offset, const WorkArea& work,
                        const Dimension& panel, bool otherMonitor);

} // namespace qlx
