// Reading the system's colour scheme and telling windows of its changes.
#include "win32/system/SystemColours.h"

namespace qlx::win {

namespace {
ColourScheme current;
bool read = false;
ColourSchemeSource source = systemColourScheme;

ColourScheme readScheme() { return source ? source() : systemColourScheme(); }

BOOL CALLBACK tellChild(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}
} // namespace

ColourScheme systemColourScheme() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) ||
        !(contrast.dwFlags & HCF_HIGHCONTRASTON))
        return {};
    SystemColours system{};
    for (int i = 0; i < kSystemColourCount; ++i)
        system[static_cast<size_t>(i)] = static_cast<uint32_t>(GetSysColor(i)) & 0xFFFFFF;
    return ColourScheme(ColourMode::highContrast, system);
}

const ColourScheme& colours() {
    if (!read) setColours(readScheme());
    return current;
}

void setColours(const ColourScheme& scheme) {
    current = scheme;
    read = true;
}

void setColourSchemeSource(ColourSchemeSource newSource) { source = newSource; }

bool colourSchemeChanged(UINT msg, WPARAM wParam) {
    if (msg != WM_SYSCOLORCHANGE && !(msg == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST))
        return false;
    setColours(readScheme());
    return true;
}

void passColourSchemeChange(HWND window) {
    EnumChildWindows(window, tellChild, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace qlx::win
