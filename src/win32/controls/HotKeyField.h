// The system's hot-key entry field as the settings window uses it: Shift+Ctrl for a key
// typed alone or with Shift alone, and a key filter in front of it that keeps Enter and Esc
// from becoming the shortcut.
#pragma once

#include <windows.h>

#include <cstdint>

#include "forms/FormLayout.h"

namespace qlx::win {

// Creates the field on parent at box in the control's font; null when that failed.
HWND createHotKeyField(HWND parent, const ControlDesc& desc, const ControlBox& box);
// The field's value as the program's shortcut (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
uint16_t hotKeyFieldShortcut(HWND field);
void setHotKeyFieldShortcut(HWND field, uint16_t shortcut);

} // namespace qlx::win
