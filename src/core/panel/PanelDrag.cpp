// Moving the panel by hand: the limits a drag keeps to.
#include "panel/PanelDrag.h"

#include <algorithm>


namespace qlx {

WorkArea dragWorkArea(const Monitor& monitor) { return monitor.work.value_or(monitor.bounds); }

DragStep dragStep(DragPoint mouse, DragPoint offset, const WorkArea& work, int32_t outerWidth,
                  int32_t outerHeight) {
    // 64-bit, so that no screen position or offset can overflow on the way.
    const int64_t left = int64_t{mouse.x} - offset.x;
    const int64_t top = int64_t{mouse.y} - offset.y;
    DragStep step;
    if (left >= work.left && left <= int64_t{work.right} - outerWidth)
        step.left = static_cast<int32_t>(left);
    if (top >= int64_t{work.top} - 1 && top <= int64_t{work.bottom} - outerHeight)
        step.top = static_cast<int32_t>(top);
    return step;
}

} // namespace qlx

namespace qlx {

DragStep dragStepAcross(DragPoint mouse, DragPoint offset, const WorkArea& work,
                        const Dimension& panel, bool otherMonitor) {
    DragStep step = dragStep(mouse, offset, work, panel.width, panel.height);
    if (!otherMonitor) return step;
    // Where a range is empty (a work area narrower than the panel) its low end wins.
    const int64_t leftLow = work.left;
    const int64_t leftHigh = std::max<int64_t>(leftLow, int64_t{work.right} - panel.width);
    const int64_t topLow = int64_t{work.top} - 1;
    const int64_t topHigh = std::max<int64_t>(topLow, int64_t{work.bottom} - panel.height);
    if (!step.left)
        step.left = static_cast<int32_t>(std::clamp<int64_t>(panel.left, leftLow, leftHigh));
    if (!step.top)
        step.top = static_cast<int32_t>(std::clamp<int64_t>(panel.top, topLow, topHigh));
    return step;
}

} // namespace qlx
