// TFlatButton: a flat button drawn over its shape.
#pragma once

#include "win32/controls/GraphicControl.h"

namespace qlx::win {

// A flat button: the caption centred on whatever lies below it (its shape), a raised frame
// while the mouse is over it and a sunken one while it is held down.
class TFlatButton final : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    void paint(HDC dc) override;
    bool interactive() const override { return true; }
    void setHot(bool hot) override;
    void setPressed(bool pressed) override;

private:
    bool hot_ = false;
    bool pressed_ = false;
};

} // namespace qlx::win
