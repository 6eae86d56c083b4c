// Loading the common-controls library on first use.
#include "win32/system/CommonControls.h"

#include <commctrl.h>

#include "win32/system/SystemLibrary.h"

namespace qlx::win {

bool loadCommonControls(DWORD classes) {
    // The program's manifest makes the system take the library's current version.
    static HMODULE library = loadSystemLibrary(L"comctl32.dll");
    if (!library) return false;
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto init = reinterpret_cast<Init>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (!init) return false;
    INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    return init(&icc) != FALSE;
}

} // namespace qlx::win
