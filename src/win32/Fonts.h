// The fonts of the program's windows, made once per face, size, weight and style and kept
// for the life of the process.
#pragma once

#include <windows.h>

#include "forms/FormLayout.h"

namespace qlx::win {

// spec's font, in bold when bold is set (a label's bold runs).
HFONT fontFor(const FontSpec& spec, bool bold = false);

} // namespace qlx::win
