// Puts the check-mark controls' drawing primitives, worked out by the core, on a device
// context.
#pragma once

#include <windows.h>

#include "controls/ButtonCheckmark.h"

namespace qlx::win {

// Draws ops with the control's client origin at (left, top) of dc.
void paintOps(HDC dc, const PaintOps& ops, int left, int top);
// The system's button face (the colour the faint lines start from), as 0x00BBGGRR.
uint32_t buttonFaceColour();

} // namespace qlx::win
