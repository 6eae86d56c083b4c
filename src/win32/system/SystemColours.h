// The colours the program draws with, as the system's scheme has them: whether high contrast
// is on and the system's colours its table names, read once and again when the scheme changes.
#pragma once

#include <windows.h>

#include "ColourScheme.h"

namespace qlx::win {

// The scheme to draw with now.
const ColourScheme& colours();
// Draws with this scheme from now on (what reading the system's scheme does).
void setColours(const ColourScheme& scheme);
// The system's scheme now: normal unless high contrast is on.
ColourScheme systemColourScheme();

// Where the scheme is read from: the system (systemColourScheme) unless another source is set;
// null sets the system again.
using ColourSchemeSource = ColourScheme (*)();
void setColourSchemeSource(ColourSchemeSource source);

// True for a message that tells of a change of scheme (WM_SYSCOLORCHANGE, or WM_SETTINGCHANGE
// for high contrast); the scheme is read again then. Every top-level window gets it.
bool colourSchemeChanged(UINT msg, WPARAM wParam);
// Hands a change of scheme on to the child windows of window, which the system does not tell
// (controls that keep colours or brushes take the new ones), and repaints it all.
void passColourSchemeChange(HWND window);

// A fixed colour (0x00BBGGRR) or a system one (kSystemColourBit | index) as GDI takes it.
inline COLORREF resolvedColour(uint32_t colour) {
    if (colour & kSystemColourBit) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

} // namespace qlx::win
