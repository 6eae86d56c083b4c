// The desktop's work area (the screen without the taskbar) and the screen's size.
#pragma once

#include <optional>

#include "panel/Placement.h"

namespace qlx::win {

// What the system reports, or none when it cannot tell.
std::optional<WorkArea> reportedWorkArea();
// The reported work area, or the screen less the usual taskbar strip.
WorkArea currentWorkArea();
// The primary screen as a Dimension at (0, 0).
Dimension screenDimension();

} // namespace qlx::win
