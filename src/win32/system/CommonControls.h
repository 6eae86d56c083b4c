// The system's common-controls library (hot-key field, tooltips, toolbars), loaded from the
// system folder when a window first needs one of its controls rather than at the program's
// start: the panel shows sooner and uses less memory.
#pragma once

#include <windows.h>

namespace qlx::win {

// Registers the given ICC_* control classes; false when the library or its classes cannot
// be had.
bool loadCommonControls(DWORD classes);

} // namespace qlx::win
