// Painting the bevel with its faint lines.
#include "win32/controls/BevelLines.h"

#include "win32/controls/CheckmarkPainter.h"

namespace qlx::win {

TBevelLinesControl::TBevelLinesControl(ControlDesc desc) : GraphicControl(std::move(desc)) {
    model.FaintLines = static_cast<TFaintLines>(this->desc().faintLines & 0x0F);
}

void TBevelLinesControl::paint(HDC dc) {
    paintOps(dc, model.paint(box.width, box.height, buttonFaceColour(), dpi), box.left, box.top);
}

} // namespace qlx::win
