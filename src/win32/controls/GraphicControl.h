// A control without a window of its own: the panel or form it sits on draws it and hands it
// the mouse. Labels, shapes, flat buttons and check-mark buttons are such controls.
#pragma once

#include <windows.h>

#include <functional>

#include "forms/FormLayout.h"
#include "forms/KeyboardCues.h"

namespace qlx::win {

class GraphicControl {
public:
    explicit GraphicControl(ControlDesc desc) : box(desc.box), desc_(std::move(desc)) {}
    virtual ~GraphicControl() = default;
    GraphicControl(const GraphicControl&) = delete;
    GraphicControl& operator=(const GraphicControl&) = delete;

    const ControlDesc& desc() const { return desc_; }
    // Its table entry at another scale (its window moved onto another monitor): place, size
    // and font change, its state (text, colours, check mark) stays.
    void rescale(const ControlDesc& desc, int newDpi) {
        desc_ = desc;
        box = desc.box;
        dpi = newDpi;
    }
    const std::string& name() const { return desc_.name; }
    ControlBox box; // where it is now, in the host's client pixels
    int dpi = 96;   // the scale its fixed pixel numbers are drawn at
    HWND host = nullptr;

    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    // Repaints the control's place on its host.
    void invalidate() const;

    virtual void paint(HDC dc) = 0;
    // Whether its check mark is on (check-mark buttons).
    virtual bool checked() const { return false; }
    // Has the keyboard focus: its host draws the focus rectangle over it while its window
    // has the keyboard and shows its keyboard cues.
    bool focused = false;
    // Its window's keyboard cues; null: always shown.
    const KeyboardCues* cues = nullptr;
    bool focusRectShown() const { return cues ? cues->focusRect(focused) : focused; }
    // Its caption's mnemonic letter is underlined now (while Alt is held).
    bool underlineShown() const { return desc_.mnemonic != 0 && cues && cues->underlines(); }
    // Whether the mouse is handed to this control (buttons); others let it through.
    virtual bool interactive() const { return false; }
    // Under the mouse, and held down by it.
    virtual void setHot(bool) {}
    virtual void setPressed(bool) {}
    // A press and release of the left button over the control.
    std::function<void()> OnClick;

private:
    ControlDesc desc_;
    bool visible_ = true;
    bool enabled_ = true;
};

// The colour as GDI takes it.
inline COLORREF gdiColour(uint32_t colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }
// A control's box as a GDI rectangle.
inline RECT rectOf(const ControlBox& b) { return RECT{b.left, b.top, b.left + b.width, b.top + b.height}; }
// Fills a rectangle with a colour.
void fillRect(HDC dc, const RECT& r, uint32_t colour);

} // namespace qlx::win
