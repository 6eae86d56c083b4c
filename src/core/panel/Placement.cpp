// Work-area limits, centring and the panel's stored position.
#include "panel/Placement.h"

namespace qlx {

namespace {
// Sums and differences are taken in 64 bits: a hostile settings file or a wild rectangle
// must not wrap around; the limits bring every result back into the work area.
int32_t narrow(int64_t v) {
    if (v < INT32_MIN) return INT32_MIN;
    if (v > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(v);
}

struct Box {
    int64_t top, left, height, width;
};

// Shrinks what is larger than the work area to it (at its top or left), then moves the box
// inside; the top may not go above lowestTop.
Box limited(Box b, const WorkArea& work, int64_t lowestTop) {
    if (b.height > int64_t{work.bottom} - work.top) {
        b.height = int64_t{work.bottom} - work.top;
        b.top = work.top;
    }
    if (b.width > int64_t{work.right} - work.left) {
        b.width = int64_t{work.right} - work.left;
        b.left = work.left;
    }
    if (b.top < lowestTop) b.top = lowestTop;
    if (b.top + b.height > work.bottom) b.top = work.bottom - b.height;
    if (b.left < work.left) b.left = work.left;
    if (b.left + b.width > work.right) b.left = work.right - b.width;
    return b;
}
} // namespace

WorkArea workAreaOrFallback(const std::optional<WorkArea>& reported, int32_t screenWidth,
                            int32_t screenHeight) {
    if (reported) return *reported;
    return WorkArea{0, 0, screenWidth, screenHeight - 25};
}

void limitToScreenWorkarea(Dimension& d, const WorkArea& work) {
    const Box b = limited(Box{d.top, d.left, d.height, d.width}, work, work.top);
    d = Dimension{narrow(b.top), narrow(b.left), narrow(b.height), narrow(b.width)};
}

Dimension centredOn(const Dimension& owner, const Dimension& window) {
    Dimension out = window;
    out.left = narrow(owner.left + (int64_t{owner.width} - window.width) / 2);
    out.top = narrow(owner.top + (int64_t{owner.height} - window.height) / 2);
    return out;
}

std::optional<int32_t> positionKeyFromRead(int32_t valueRead) {
    if (valueRead == kAbsentPositionKey) return std::nullopt;
    return valueRead;
}

std::string positionKeyText(const std::optional<int32_t>& value) {
    return value ? std::to_string(*value) : std::string();
}

StoredPosition storedPositionFor(const Dimension& bounds, int32_t screenWidth,
                                 int32_t screenHeight) {
    StoredPosition out;
    const int64_t fromBottom = int64_t{screenHeight} - bounds.top - bounds.height;
    const int64_t fromRight = int64_t{screenWidth} - bounds.left - bounds.width;
    if (fromBottom < bounds.top)
        out.FromBottom = narrow(fromBottom);
    else
        out.FromTop = bounds.top;
    if (fromRight < bounds.left)
        out.FromRight = narrow(fromRight);
    else
        out.FromLeft = bounds.left;
    return out;
}

PanelPlace placeStoredPosition(const StoredPosition& stored, const Dimension& panel,
                               int32_t screenWidth, int32_t screenHeight, const WorkArea& work) {
    const int64_t h = panel.height, w = panel.width;
    int64_t top = panel.top, left = panel.left;
    if (stored.FromTop)
        top = *stored.FromTop;
    else if (stored.FromBottom)
        top = int64_t{screenHeight} - *stored.FromBottom - h;
    if (stored.FromRight)
        left = int64_t{screenWidth} - *stored.FromRight - w;
    else if (stored.FromLeft)
        left = *stored.FromLeft;

    // The reduced sizes only serve the limits; the panel keeps its size.
    const int64_t margin = work.top > 0 ? 4 : 1;
    const Box b = limited(Box{top, left, h, w}, work, int64_t{work.top} - 2 + margin);
    return PanelPlace{narrow(b.top), narrow(b.left)};
}

} // namespace qlx
