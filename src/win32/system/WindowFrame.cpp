// Frames and icons at a window's own DPI.
#include "win32/system/WindowFrame.h"

#include "win32/system/SystemLibrary.h"

namespace qlx::win {

SIZE outerSizeForDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    RECT r{0, 0, clientWidth, clientHeight};
    // From Windows 10 (1607) on; looked up, not imported, so that older systems still start.
    // Without it the system's DPI is the only one there is, and the plain call measures at it.
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        systemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!(adjustForDpi && dpi > 0 &&
          adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HICON loadIconOfSize(HINSTANCE module, const wchar_t* name, int size) {
    // Comctl32 6, which the program's manifest asks for (Windows Vista on).
    using ScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const auto scaleDown =
        systemFunction<ScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (scaleDown && SUCCEEDED(scaleDown(module, name, size, size, &icon)) && icon) return icon;
    // Not shared: a shared icon is the first size the system cached, whatever size is asked.
    if (module) return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, 0));
    // The system's own icons load only shared; a copy at the size is the caller's to destroy.
    HICON shared = LoadIconW(nullptr, name);
    return shared ? static_cast<HICON>(CopyImage(shared, IMAGE_ICON, size, size, 0)) : nullptr;
}

} // namespace qlx::win
