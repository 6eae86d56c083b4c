// Drawing a shape.
#include "win32/controls/Shape.h"

namespace qlx::win {

void TShape::paint(HDC dc) { fillRect(dc, rectOf(box), desc().colour); }

} // namespace qlx::win
