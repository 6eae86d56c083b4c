// The fonts of the program's windows, made once per face, size, weight and style and kept
// for the life of the process.
#pragma once

#include <windows.h>

#include "forms/FormLayout.h"

namespace qlx::win {

// desc's font, in bold when bold is set (a label's bold runs).
HFONT fontFor(const FontDesc& desc, bool bold = false);

} // namespace qlx::win
