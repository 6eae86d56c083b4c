// Painting the bevel with its faint lines.
#include "win32/controls/BevelLines.h"

#include "win32/controls/CheckmarkPainter.h"
#include "Scale.h"

namespace qlx::win {

TBevelLinesControl::TBevelLinesControl(ControlDesc desc) : GraphicControl(std::move(desc)) {
    model.FaintLines = static_cast<TFaintLines>(this->desc().faintLines & 0x0F);
}

void TBevelLinesControl::paint(HDC dc) {
    // Worked out at 96 DPI, drawn in blocks at the window's scale.
    const int width = MulDiv(box.width, kDesignDpi, dpi);
    const int height = MulDiv(box.height, kDesignDpi, dpi);
    paintOps(dc, scaledPaint(model.paint(width, height, buttonFaceColour()), dpi), box.left,
             box.top);
}

} // namespace qlx::win
