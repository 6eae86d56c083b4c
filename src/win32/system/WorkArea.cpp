// The work-area query with its fall-backs.
#include "win32/system/WorkArea.h"

namespace qlx::win {

std::optional<WorkArea> reportedWorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return std::nullopt;
    // An empty or inverted rectangle is no answer; the screen serves better.
    if (r.right <= r.left || r.bottom <= r.top) return std::nullopt;
    return WorkArea{static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
                    static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}

WorkArea currentWorkArea() {
    return workAreaOrFallback(reportedWorkArea(), GetSystemMetrics(SM_CXSCREEN),
                              GetSystemMetrics(SM_CYSCREEN));
}

Dimension screenDimension() {
    return Dimension{0, 0, GetSystemMetrics(SM_CYSCREEN), GetSystemMetrics(SM_CXSCREEN)};
}

Dimension windowDimension(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Dimension{static_cast<int32_t>(r.top), static_cast<int32_t>(r.left),
                     static_cast<int32_t>(r.bottom - r.top),
                     static_cast<int32_t>(r.right - r.left)};
}

namespace {
void applyLimited(HWND window, Dimension d) {
    qlx::limitToScreenWorkarea(d, currentWorkArea());
    SetWindowPos(window, nullptr, d.left, d.top, d.width, d.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

void limitToScreenWorkarea(HWND window) { applyLimited(window, windowDimension(window)); }

void centreOnPanelInWorkarea(HWND window, HWND panel) {
    applyLimited(window, CentreOnPanel(windowDimension(panel), windowDimension(window)));
}

} // namespace qlx::win
