// A control without a window of its own: the panel or form it sits on draws it and hands it
// the mouse. Labels, shapes and flat buttons are such controls.
#pragma once

#include <windows.h>

#include <functional>

#include "forms/FormLayout.h"

namespace qlx::win {

class GraphicControl {
public:
    explicit GraphicControl(ControlSpec spec) : box(spec.box), spec_(std::move(spec)) {}
    virtual ~GraphicControl() = default;
    GraphicControl(const GraphicControl&) = delete;
    GraphicControl& operator=(const GraphicControl&) = delete;

    const ControlSpec& spec() const { return spec_; }
    const std::string& name() const { return spec_.name; }
    ControlBox box; // where it is now, in the host's client pixels
    HWND host = nullptr;

    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    // Repaints the control's place on its host.
    void invalidate() const;

    virtual void paint(HDC dc) = 0;
    // Whether the mouse is handed to this control (buttons); others let it through.
    virtual bool interactive() const { return false; }
    // Under the mouse, and held down by it.
    virtual void setHot(bool) {}
    virtual void setPressed(bool) {}
    // A press and release of the left button over the control.
    std::function<void()> OnClick;

private:
    ControlSpec spec_;
    bool visible_ = true;
    bool enabled_ = true;
};

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
    std::vector<TextRun> text_ = spec().text;
    uint32_t colour_ = spec().font.colour;
};

// A filled rectangle without outline.
class TShape final : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    void paint(HDC dc) override;
};

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

// The colour as GDI takes it.
inline COLORREF gdiColour(uint32_t colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

} // namespace qlx::win
