// Work-area limits, centring and the panel's stored position.
#include "panel/Placement.h"

#include <algorithm>

#include "Scale.h"
#include "panel/PanelLayout.h"

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

namespace {
// How far a box lies outside a rectangle along one axis; 0 where they overlap.
int64_t gap(int64_t from, int64_t to, int64_t lo, int64_t hi) {
    if (to <= lo) return lo - to + 1;
    if (from >= hi) return from - hi + 1;
    return 0;
}

int64_t overlap(int64_t from, int64_t to, int64_t lo, int64_t hi) {
    return std::max<int64_t>(0, std::min(to, hi) - std::max(from, lo));
}

// The monitor that best holds the box [left, right) x [top, bottom): the largest overlap,
// else the smallest distance (horizontal plus vertical gap).
Monitor bestMonitor(int64_t left, int64_t top, int64_t right, int64_t bottom,
                    const MonitorList& monitors) {
    if (monitors.empty()) return Monitor{};
    const Monitor* best = nullptr;
    int64_t bestArea = 0;
    for (const Monitor& m : monitors) {
        const ScreenRect& b = m.bounds;
        const int64_t area =
            overlap(left, right, b.left, b.right) * overlap(top, bottom, b.top, b.bottom);
        if (area > bestArea) best = &m, bestArea = area;
    }
    if (best) return *best;
    int64_t bestDistance = INT64_MAX;
    for (const Monitor& m : monitors) {
        const ScreenRect& b = m.bounds;
        const int64_t distance =
            gap(left, right, b.left, b.right) + gap(top, bottom, b.top, b.bottom);
        if (distance < bestDistance) best = &m, bestDistance = distance;
    }
    return *best;
}
} // namespace

Monitor primaryMonitor(const MonitorList& monitors) {
    for (const Monitor& m : monitors)
        if (m.primary) return m;
    return monitors.empty() ? Monitor{} : monitors.front();
}

Monitor monitorOf(const Dimension& rect, const MonitorList& monitors) {
    // An empty rectangle counts as its top left pixel.
    const int64_t width = std::max<int64_t>(rect.width, 1);
    const int64_t height = std::max<int64_t>(rect.height, 1);
    return bestMonitor(rect.left, rect.top, int64_t{rect.left} + width,
                       int64_t{rect.top} + height, monitors);
}

Monitor monitorAt(int32_t x, int32_t y, const MonitorList& monitors) {
    return bestMonitor(x, y, int64_t{x} + 1, int64_t{y} + 1, monitors);
}

WorkArea workAreaOrFallback(const Monitor& monitor) {
    if (monitor.work) return *monitor.work;
    const ScreenRect& b = monitor.bounds;
    return WorkArea{b.left, b.top, b.right, narrow(int64_t{b.bottom} - 25)};
}

WorkArea workAreaOf(const Dimension& rect, const MonitorList& monitors) {
    return workAreaOrFallback(monitorOf(rect, monitors));
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
                               const MonitorList& monitors) {
    // The distances are kept from the primary screen's edges, whichever monitor the panel
    // was on: files written before there were several monitors read as they always did.
    const ScreenRect primary = primaryMonitor(monitors).bounds;
    const int64_t screenWidth = int64_t{primary.right} - primary.left;
    const int64_t screenHeight = int64_t{primary.bottom} - primary.top;
    int64_t h = panel.height, w = panel.width;
    int64_t top = 0, left = 0;
    auto place = [&] {
        top = panel.top, left = panel.left;
        if (stored.FromTop)
            top = *stored.FromTop;
        else if (stored.FromBottom)
            top = screenHeight - *stored.FromBottom - h;
        if (stored.FromRight)
            left = screenWidth - *stored.FromRight - w;
        else if (stored.FromLeft)
            left = *stored.FromLeft;
    };
    place();
    const Monitor monitor = bestMonitor(left, top, left + std::max<int64_t>(w, 1),
                                        top + std::max<int64_t>(h, 1), monitors);
    // The panel is laid out at the scale of the monitor it lands on: distances from the
    // bottom and right edges count with the size it has there, as they were stored with it.
    const PanelSize there = panelOuterSize(monitor.dpi);
    if (there.width != w || there.height != h) {
        w = there.width;
        h = there.height;
        place();
    }
    const WorkArea work = workAreaOrFallback(monitor);
    // The reduced sizes only serve the limits; the panel keeps its size.
    const int64_t margin = work.top > monitor.bounds.top ? 4 : 1;
    const Box b = limited(Box{top, left, h, w}, work, int64_t{work.top} - 2 + margin);
    return PanelPlace{narrow(b.top), narrow(b.left)};
}

PanelPlace standardPanelPlace(const Dimension& panel, const MonitorList& monitors) {
    const Monitor monitor = monitorOf(panel, monitors);
    const ScreenRect screen = monitor.bounds;
    return PanelPlace{screen.top, narrow(int64_t{screen.right} - panel.width -
                                         scaled(kStandardRightMargin, monitor.dpi))};
}

Dimension panelAfterDpiChange(const Dimension& suggested, int32_t width, int32_t height,
                              const MonitorList& monitors) {
    const WorkArea work = workAreaOf(suggested, monitors);
    const int64_t fromTop = int64_t{suggested.top} - work.top;
    const int64_t fromBottom = int64_t{work.bottom} - suggested.top - suggested.height;
    const int64_t fromLeft = int64_t{suggested.left} - work.left;
    const int64_t fromRight = int64_t{work.right} - suggested.left - suggested.width;
    const int64_t top = fromBottom < fromTop ? work.bottom - fromBottom - height : suggested.top;
    const int64_t left = fromRight < fromLeft ? work.right - fromRight - width : suggested.left;
    Dimension d{narrow(top), narrow(left), height, width};
    // Kept inside, but never shrunk: the panel has one size at each scale.
    const Box b = limited(Box{top, left, height, width}, work, work.top);
    d.top = narrow(height > int64_t{work.bottom} - work.top ? work.top : b.top);
    d.left = narrow(width > int64_t{work.right} - work.left ? work.left : b.left);
    return d;
}

} // namespace qlx
