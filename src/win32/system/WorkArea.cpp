// The monitor list with its fall-backs.
#include "win32/system/WorkArea.h"

#include "win32/system/SystemLibrary.h"

namespace qlx::win {

namespace {
ScreenRect toScreenRect(const RECT& r) {
    return ScreenRect{static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
                      static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}

// An empty or inverted rectangle is no answer.
bool usable(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

// The system's DPI, for monitors whose own DPI cannot be asked (before Windows 8.1).
int32_t systemDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

int32_t monitorDpi(HMONITOR monitor) {
    // MDT_EFFECTIVE_DPI; the function is in the system folder from Windows 8.1 on.
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpi =
        systemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (getDpi && SUCCEEDED(getDpi(monitor, 0, &x, &y)) && x > 0) return static_cast<int32_t>(x);
    return systemDpi();
}

BOOL CALLBACK addMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(handle, &info) || !usable(info.rcMonitor)) return TRUE;
    Monitor m;
    m.bounds = toScreenRect(info.rcMonitor);
    if (usable(info.rcWork)) m.work = toScreenRect(info.rcWork);
    m.dpi = monitorDpi(handle);
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    auto& monitors = *reinterpret_cast<MonitorList*>(list);
    if (m.primary)
        monitors.insert(monitors.begin(), m);
    else
        monitors.push_back(m);
    return TRUE;
}
} // namespace

int32_t windowDpi(HWND window) {
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return monitor ? monitorDpi(monitor) : systemDpi();
}

MonitorList systemMonitors() {
    MonitorList monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        Monitor primary;
        primary.bounds = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        RECT r{};
        if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0) && usable(r))
            primary.work = toScreenRect(r);
        primary.dpi = systemDpi();
        primary.primary = true;
        monitors.push_back(primary);
    }
    return monitors;
}

Dimension screenDimension() {
    const ScreenRect b = primaryMonitor(systemMonitors()).bounds;
    return Dimension{0, 0, b.bottom - b.top, b.right - b.left};
}

Dimension windowDimension(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Dimension{static_cast<int32_t>(r.top), static_cast<int32_t>(r.left),
                     static_cast<int32_t>(r.bottom - r.top),
                     static_cast<int32_t>(r.right - r.left)};
}

WorkArea workAreaOfWindow(HWND window) {
    return workAreaOf(windowDimension(window), systemMonitors());
}

namespace {
void applyLimited(HWND window, Dimension d, const WorkArea& work) {
    qlx::limitToScreenWorkarea(d, work);
    SetWindowPos(window, nullptr, d.left, d.top, d.width, d.height, SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

void limitToScreenWorkarea(HWND window) {
    applyLimited(window, windowDimension(window), workAreaOfWindow(window));
}

Dimension placeOnPanel(HWND panel, const Dimension& window) {
    const Dimension panelBounds = windowDimension(panel);
    Dimension d = CentreOnPanel(panelBounds, window);
    qlx::limitToScreenWorkarea(d, workAreaOf(panelBounds, systemMonitors()));
    return d;
}

void centreOnPanelInWorkarea(HWND window, HWND panel) {
    const Dimension d = placeOnPanel(panel, windowDimension(window));
    SetWindowPos(window, nullptr, d.left, d.top, d.width, d.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace qlx::win
