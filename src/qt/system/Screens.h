// The desktop's monitors as the program's placement rules take them (device-independent
// pixels, so every monitor counts as 96 DPI).
#pragma once

#include "panel/Placement.h"

namespace qlx::qt {

MonitorList screenMonitors();

} // namespace qlx::qt
