// Keeps the program's windows on the visible desktop: the work-area limits, centring on the
// panel, and the panel's remembered position as distances from the nearer screen edges.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qlx {

// A window's rectangle in screen pixels, in the order the program builds it.
struct Dimension {
    int32_t top = 0;
    int32_t left = 0;
    int32_t height = 0;
    int32_t width = 0;
    bool operator==(const Dimension&) const = default;
};

// The desktop without the taskbar; right and bottom are exclusive.
struct WorkArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const WorkArea&) const = default;
};

// The work area the system reports, or, when it cannot tell, the whole screen less a
// 25-pixel strip at the bottom where the taskbar usually is.
WorkArea workAreaOrFallback(const std::optional<WorkArea>& reported, int32_t screenWidth,
                            int32_t screenHeight);

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

// Where the panel goes at start: the stored distances turned back into a position (FromTop
// before FromBottom, FromRight before FromLeft, the current place where neither is there),
// then kept inside the work area. A work area that starts below the screen's top keeps the
// panel two pixels under it; one at the screen's top lets it stand one pixel above.
// The panel's size is not changed.
PanelPlace placeStoredPosition(const StoredPosition& stored, const Dimension& panel,
                               int32_t screenWidth, int32_t screenHeight, const WorkArea& work);

} // namespace qlx
