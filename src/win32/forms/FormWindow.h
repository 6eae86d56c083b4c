// The base of the program's secondary windows (welcome, settings, messages): a tool window
// built from its table, with panels, windowless controls and windowed fields, that follows
// its anchors when resized and runs modally the way the program's forms do: a button or
// Enter/Esc sets a modal result, the close query may refuse it, and the window stays.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win32/controls/AccessibleObject.h"
#include "win32/controls/GraphicControl.h"
#include "win32/panel/PanelHost.h"
#include "forms/FormLayout.h"
#include "forms/KeyboardCues.h"
#include "panel/Placement.h"

namespace qlx::win {

class TFormWindow : private AccessibleSource {
public:
    explicit TFormWindow(FormDesc desc) : design_(desc), desc_(std::move(desc)) {}
    virtual ~TFormWindow();
    TFormWindow(const TFormWindow&) = delete;
    TFormWindow& operator=(const TFormWindow&) = delete;

    // Builds the hidden window and its controls; false when that failed.
    bool create();
    HWND handle() const { return hwnd_; }
    // The table at the window's scale (after create; before, as written at 96 DPI).
    const FormDesc& desc() const { return desc_; }
    int dpi() const { return dpi_; }

    // Runs the window modally until a modal result is set and the close query allows it;
    // returns that result.
    int32_t showModal();
    void setModalResult(int32_t result) { modalResult_ = result; }
    int32_t modalResult() const { return modalResult_; }

    GraphicControl* control(std::string_view name) const;
    template <typename T> T* controlAs(std::string_view name) const {
        return dynamic_cast<T*>(control(name));
    }
    HWND window(std::string_view name) const; // a panel or a windowed control
    Dimension bounds() const;                 // outer, on the screen
    void setBounds(const Dimension& d);
    // The outer size that goes with the table's client size at the window's scale.
    Dimension designBounds() const;

    // The keyboard: the control with the focus (empty: none of the window's controls), Tab's
    // move, and Space on a drawn control, which presses it as a click does.
    std::string focusedControl() const;
    void focusControl(const std::string& name);
    void moveFocus(bool forward);
    // A click on a drawn button or check-mark button, told to assistive technology.
    void clickControl(const std::string& name);
    // Alt+letter: presses or focuses the control with that mnemonic letter; false when no
    // control of the window has it (or it cannot act now).
    bool mnemonic(char letter);
    const KeyboardCues& cues() const { return cues_; }

    // The window's accessible tree now, and a new object (reference count 1) for its client
    // area, as the system gets it through WM_GETOBJECT.
    AccNode accessibleTree() override;
    IAccessible* accessibleObject();

protected:
    virtual void formShow() {}
    // False keeps the window open; the modal result is then cleared.
    virtual bool formCloseQuery() { return true; }
    virtual void formClose() {}
    // A character before the controls see it; true when it was taken.
    virtual bool formKeyPress(wchar_t) { return false; }
    // A flat button's click; by default the button's own modal result.
    virtual void buttonClick(const ControlDesc& button);
    // Windowed controls the base does not know (hot-key field, HTML view).
    virtual HWND createWindowedControl(const ControlDesc&, HWND /*parent*/, const ControlBox&) {
        return nullptr;
    }
    // Any other message to the window; true when handled, with result set.
    virtual bool formMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // Every message the modal loop takes from the queue, before anything else sees it; true
    // when it has been dealt with.
    virtual bool formPreTranslate(MSG&) { return false; }
    // The window now draws at another DPI (dpi()); its controls have their new places.
    virtual void formDpiChanged() {}
    // Where the window is created, with the outer size it has at its scale: by default centred
    // on the panel inside the work area of the panel's monitor, as it is placed when shown.
    virtual Dimension initialPlace(const Dimension& outer) const;

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    FormAccState accessibleState() const;
    POINT accessibleOrigin() override;
    void accessibleDefaultAction(const std::string& control) override;
    void accessibleFocus(const std::string& control) override { focusControl(control); }
    IDispatch* accessibleSystemObject(const std::string& control) override;
    IDispatch* accessibleWindowObject() override;
    // The window (the form or a panel) and the child number under which the system knows a
    // control; false for controls outside the tree.
    bool accessibleAddress(const std::string& control, HWND& window, LONG& childId);
    void setGraphicFocus(GraphicControl* control);
    // True when the key was the window's Tab or Space.
    bool focusKey(const MSG& msg);
    // The keyboard cues: the focus rectangle after keyboard use, the underlines while Alt is
    // held; true when the message (Alt+letter) was taken.
    bool cueKey(const MSG& msg);
    void applyCues();
    // The window lost or got back the activation: the control with the focus is kept.
    void activated(WPARAM wParam);
    // Gives the fields whose labels are drawn their names for assistive technology.
    void nameFields();
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    std::unique_ptr<GraphicControl> makeGraphic(const ControlDesc& desc);
    void layout(int clientWidth, int clientHeight);
    // A panel's place in the table at the window's scale, an aligned one along its edge.
    ControlBox panelBox(const ControlDesc& panel) const;
    void changeDpi(int dpi, const RECT& suggested);
    // The outer size at another DPI, for the system's question before such a move.
    bool dpiScaledSize(int dpi, SIZE& size) const;
    bool closeAllowed();
    void createHints();
    void moveHints();

    struct Windowed {
        const ControlDesc* desc;
        HWND hwnd;
    };
    FormDesc design_; // the table as written, at 96 DPI
    FormDesc desc_;   // the table at dpi_
    int dpi_ = 96;
    HWND hwnd_ = nullptr;
    GraphicHost host_; // the controls on the client area itself
    std::vector<TPanel*> panels_;
    std::vector<Windowed> windowed_;
    int32_t modalResult_ = 0;
    bool modal_ = false;
    HWND tooltip_ = nullptr; // the controls' hints
    std::vector<const GraphicControl*> hints_; // windowless controls with a hint
    GraphicControl* focusedGraphic_ = nullptr;
    // Where the keyboard was last: the window itself (a drawn control) or a field.
    HWND lastFocus_ = nullptr;
    KeyboardCues cues_;
    std::shared_ptr<AccessibleLink> accLink_ = std::make_shared<AccessibleLink>();
    class PanelSource;
    std::vector<std::shared_ptr<PanelSource>> panelSources_;
};

} // namespace qlx::win
