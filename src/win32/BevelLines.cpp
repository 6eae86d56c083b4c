// Painting the bevel with its faint lines.
#include "BevelLines.h"

#include "CheckmarkPainter.h"

namespace qlx::win {

TBevelLinesControl::TBevelLinesControl(ControlSpec spec) : GraphicControl(std::move(spec)) {
    model.FaintLines = static_cast<TFaintLines>(this->spec().faintLines & 0x0F);
}

void TBevelLinesControl::paint(HDC dc) {
    paintOps(dc, model.paint(box.width, box.height, buttonFaceColour()), box.left, box.top);
}

} // namespace qlx::win
