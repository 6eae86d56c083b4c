// A bevel that can draw faint lines, a little darker than the button face, along its edges.
// It is shaped as a spacer: apart from the lines it draws nothing, so they stay visible.
#pragma once

#include "win32/controls/GraphicControl.h"
#include "controls/ButtonCheckmark.h"

namespace qlx::win {

class TBevelLinesControl final : public GraphicControl {
public:
    explicit TBevelLinesControl(ControlDesc desc);
    TBevelLines model;
    void paint(HDC dc) override;
};

} // namespace qlx::win
