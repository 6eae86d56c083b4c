// Moving the panel by hand: the limits a drag keeps to.
#include "panel/PanelDrag.h"

#include "panel/PanelLayout.h"

namespace qlx {

WorkArea dragWorkArea(const std::optional<WorkArea>& reported, int32_t screenWidth,
                      int32_t screenHeight) {
    if (reported) return *reported;
    return {0, 0, screenWidth, screenHeight};
}

DragStep dragStep(DragPoint mouse, DragPoint offset, const WorkArea& work, int32_t outerHeight) {
    // 64-bit, so that no screen position or offset can overflow on the way.
    const int64_t left = int64_t{mouse.x} - offset.x;
    const int64_t top = int64_t{mouse.y} - offset.y;
    DragStep step;
    if (left >= work.left && left <= int64_t{work.right} - kPanelWidth)
        step.left = static_cast<int32_t>(left);
    if (top >= int64_t{work.top} - 1 && top <= int64_t{work.bottom} - outerHeight)
        step.top = static_cast<int32_t>(top);
    return step;
}

} // namespace qlx
