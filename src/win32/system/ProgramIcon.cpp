// The program's icon per DPI.
#include "win32/system/ProgramIcon.h"

#include "win32/system/SystemLibrary.h"
#include "win32/system/WindowFrame.h"

namespace qlx::win {

int programIconSize(IconKind kind, int dpi) {
    const int metric = kind == IconKind::Small ? SM_CXSMICON : SM_CXICON;
    // From Windows 10 (1607) on; looked up, not imported, so that older systems still start.
    using MetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi =
        systemFunction<MetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    int size = forDpi && dpi > 0 ? forDpi(metric, static_cast<UINT>(dpi)) : 0;
    if (size <= 0) size = GetSystemMetrics(metric);
    if (size <= 0) size = kind == IconKind::Small ? 16 : 32;
    return size;
}

HICON loadProgramIcon(HINSTANCE module, IconKind kind, int dpi) {
    return loadIconOfSize(module, L"MAINICON", programIconSize(kind, dpi));
}

} // namespace qlx::win
