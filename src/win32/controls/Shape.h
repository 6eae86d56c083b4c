// TShape: a filled rectangle without outline.
#pragma once

#include "win32/controls/GraphicControl.h"

namespace qlx::win {

// A filled rectangle without outline.
class TShape final : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    void paint(HDC dc) override;
};

} // namespace qlx::win
