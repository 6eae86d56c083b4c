// The check-mark button on a form: a flat, windowless button whose caption starts 18 pixels
// in and which draws the core's check mark (and faint lines) under its frame and caption.
#pragma once

#include "win32/controls/GraphicControl.h"
#include "controls/ButtonCheckmark.h"

namespace qlx::win {

class TSpeedButtonCheckmarkControl final : public GraphicControl {
public:
    // With a state of its own, from the table: flat, its group and faint lines.
    explicit TSpeedButtonCheckmarkControl(ControlDesc desc);
    // Shows a window's own box instead (its logic keeps the state); the control follows its
    // checked and enabled state from then on. The box may go before the control does, but
    // must not change after that.
    void bind(TSpeedButtonCheckmark& model);
    TSpeedButtonCheckmark& model() { return *model_; }

    void paint(HDC dc) override;
    bool checked() const override { return model_->Checked(); }
    bool interactive() const override { return true; }
    void setHot(bool hot) override;
    void setPressed(bool pressed) override;

private:
    void follow();
    void paintButton(HDC dc);
    TSpeedButtonCheckmark own_;
    TSpeedButtonCheckmark* model_ = &own_;
    bool hot_ = false;
    bool pressed_ = false;
};

} // namespace qlx::win
