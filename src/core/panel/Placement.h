// Keeps the program's windows on the visible desktop: the work-area limits, centring on the
// panel, and the panel's remembered position as distances from the nearer screen edges.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qlx {

// A window's rectangle in screen pixels, in the order the program builds it.
struct Dimension {
    int32_t top = 0;
    int32_t left = 0;
    int32_t height = 0;
    int32_t width = 0;
    bool operator==(const Dimension&) const = default;
};

// A rectangle on the desktop in screen pixels; right and bottom are exclusive.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};
// The desktop of one monitor without the taskbar.
using WorkArea = ScreenRect;

// One monitor as the system reports it. The primary monitor has its top left corner at
// (0, 0); the others may lie at negative coordinates or beyond it.
struct Monitor {
    ScreenRect bounds;
    std::optional<WorkArea> work; // nothing when the system does not report it
    int32_t dpi = 96;
    bool primary = false;
    bool operator==(const Monitor&) const = default;
};
// Never empty: the window layer reports at least the primary screen.
using MonitorList = std::vector<Monitor>;

// What the core asks of the system about the monitors; read afresh each time, since
// monitors come and go while the program runs.
class MonitorsPort {
public:
    virtual ~MonitorsPort() = default;
    virtual MonitorList monitors() = 0;
};

// The primary monitor (the first one when none is marked).
Monitor primaryMonitor(const MonitorList& monitors);
// The monitor a rectangle is on: the one it overlaps most, or, off every monitor, the
// nearest one. Ties go to the earlier monitor in the list.
Monitor monitorOf(const Dimension& rect, const MonitorList& monitors);
// The monitor under a point, or the nearest one.
Monitor monitorAt(int32_t x, int32_t y, const MonitorList& monitors);

// A monitor's work area, or, when the system cannot tell, the whole monitor less a 25-pixel
// strip at the bottom where the taskbar usually is.
WorkArea workAreaOrFallback(const Monitor& monitor);
// The work area of the monitor a window (or the panel it belongs to) is on.
WorkArea workAreaOf(const Dimension& rect, const MonitorList& monitors);

// Moves d inside the work area, shrinking it first where it is larger than the area.
void limitToScreenWorkarea(Dimension& d, const WorkArea& work);

// Where window goes when centred on owner (size unchanged); halves truncate toward zero.
Dimension centredOn(const Dimension& owner, const Dimension& window);
// The settings and messages windows are centred on the panel before they are limited.
inline Dimension CentreOnPanel(const Dimension& panel, const Dimension& window) {
    return centredOn(panel, window);
}

// The value the settings reader returns for a position key that is missing, empty or not a
// number; a stored value equal to it counts as absent as well.
inline constexpr int32_t kAbsentPositionKey = INT32_MIN;

// The panel's position in the settings: of each pair one key has a number, the other none.
struct StoredPosition {
    std::optional<int32_t> FromTop;
    std::optional<int32_t> FromBottom;
    std::optional<int32_t> FromLeft;
    std::optional<int32_t> FromRight;
    bool operator==(const StoredPosition&) const = default;
};

// A key value as read with kAbsentPositionKey as its default.
std::optional<int32_t> positionKeyFromRead(int32_t valueRead);
// A key's text as written: the number, or empty when the key has none.
std::string positionKeyText(const std::optional<int32_t>& value);

// The distances to store for the panel's bounds (its normal bounds when maximized): the
// nearer edge of each pair, the top or left one when both are equally near. The screen is
// the whole screen, not the work area.
StoredPosition storedPositionFor(const Dimension& bounds, int32_t screenWidth,
                                 int32_t screenHeight);

struct PanelPlace {
    int32_t top = 0;
    int32_t left = 0;
    bool operator==(const PanelPlace&) const = default;
};

// Where the panel goes at start: the stored distances turned back into a position from the
// primary screen's edges (FromTop before FromBottom, FromRight before FromLeft, the current
// place where neither is there), then kept inside the work area of the monitor that position
// is on, or of the nearest monitor when it is on none (a monitor that has gone). A work area
// that starts below its monitor's top keeps the panel two pixels under it; one at the
// monitor's top lets it stand one pixel above. The panel's size is not changed here, but the
// distances and limits count with the size it takes at that monitor's scale.
PanelPlace placeStoredPosition(const StoredPosition& stored, const Dimension& panel,
                               const MonitorList& monitors);

// "Standard" leaves this much room (at 96 DPI) between the panel and its monitor's right
// edge.
inline constexpr int32_t kStandardRightMargin = 82;
// "Standard" puts the panel at the top right of the monitor it is on, one panel width (at
// that monitor's DPI) in from the right edge.
PanelPlace standardPanelPlace(const Dimension& panel, const MonitorList& monitors);

// Where the panel goes when the system moves it onto a monitor of another scale with a
// suggested rectangle, at its new outer size: onto the monitor of the suggested rectangle,
// the corner of the suggested rectangle nearer to that monitor's work-area edges keeping its
// distances to them (top before bottom, left before right when equally near), then kept
// inside that work area.
Dimension panelAfterDpiChange(const Dimension& suggested, int32_t width, int32_t height,
                              const MonitorList& monitors);

} // namespace qlx
