// TLabelRuns: a label of text runs in normal and bold weight.
#pragma once

#include "win32/controls/GraphicControl.h"

namespace qlx::win {

// Draws text in runs of normal and bold weight at the box, word-wrapped when the control
// asks for it; a label without a width is as wide as its text. Text colour, background (or
// none) and right alignment come from the control's description.
class TLabelRuns final : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    void paint(HDC dc) override;
    void setText(std::vector<TextRun> text);
    void setTextColour(uint32_t colour);

private:
    std::vector<TextRun> text_ = desc().text;
    uint32_t colour_ = desc().font.colour;
};

} // namespace qlx::win
