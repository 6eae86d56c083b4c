// What a panel or a form does for the windowless controls on it: draws them over its
// background, back to front, and hands the mouse to the button under it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "win32/controls/GraphicControl.h"

namespace qlx::win {

class GraphicHost {
public:
    void add(std::unique_ptr<GraphicControl> control);
    GraphicControl* find(std::string_view name) const;
    const std::vector<std::unique_ptr<GraphicControl>>& controls() const { return controls_; }

    // The whole client area, without flicker: background (the table's colour, or in high
    // contrast the system's for its part), then every visible control.
    void paint(HWND window, uint32_t background);
    // Mouse messages of the host window; true when handled.
    bool mouse(HWND window, UINT msg, LPARAM lParam);

private:
    GraphicControl* controlAt(int x, int y) const;
    void setHot(HWND window, GraphicControl* control);

    std::vector<std::unique_ptr<GraphicControl>> controls_;
    GraphicControl* hot_ = nullptr;
    GraphicControl* pressed_ = nullptr;
};

// A panel: a child window in one colour whose controls the host draws. Messages its children
// send (commands, notifications) go on to its parent.
class TPanel {
public:
    // Creates the panel window; it lives as long as its parent and frees this object then.
    static TPanel* create(HWND parent, const ControlDesc& desc, const ControlBox& box);
    HWND handle() const { return hwnd_; }
    GraphicHost& host() { return host_; }
    const ControlDesc& desc() const { return desc_; }
    ControlBox designBox; // its place in the window's table, before anchoring
    // Answers WM_GETOBJECT (wParam, lParam); 0 leaves it to the system.
    std::function<LRESULT(WPARAM, LPARAM)> OnGetObject;

private:
    explicit TPanel(const ControlDesc& desc) : desc_(desc) {}
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    ControlDesc desc_;
    GraphicHost host_;
};

} // namespace qlx::win
