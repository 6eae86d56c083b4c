// Drawing a shape.
#include "win32/controls/Shape.h"

#include "win32/system/SystemColours.h"

namespace qlx::win {

void TShape::paint(HDC dc) { fillRect(dc, rectOf(box), colours().background(desc().colour)); }

} // namespace qlx::win
