// The panel as assistive technology sees it: "Quiklex" with its menu and open buttons, whose
// default actions do what their clicks do.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "win32/controls/AccessibleObject.h"

namespace qlx::win {

class PanelAccessible final : private AccessibleSource {
public:
    PanelAccessible(std::function<void()> menuClick, std::function<void()> openClick)
        : menuClick_(std::move(menuClick)), openClick_(std::move(openClick)) {}
    ~PanelAccessible() override { link_->source = nullptr; }
    PanelAccessible(const PanelAccessible&) = delete;
    PanelAccessible& operator=(const PanelAccessible&) = delete;

    void attach(HWND window) {
        window_ = window;
        link_->source = this;
    }
    // The DPI the panel is laid out at.
    int dpi = 96;
    // The answer to the panel window's WM_GETOBJECT; 0 leaves it to the system.
    LRESULT getObject(WPARAM wParam, LPARAM lParam) { return answerGetObject(link_, {}, wParam, lParam); }
    // A new object (reference count 1) for the panel's client area.
    IAccessible* object() { return createAccessibleObject(link_); }

private:
    AccNode accessibleTree() override;
    POINT accessibleOrigin() override;
    void accessibleDefaultAction(const std::string& control) override;
    void accessibleFocus(const std::string&) override;
    IDispatch* accessibleWindowObject() override;

    std::function<void()> menuClick_;
    std::function<void()> openClick_;
    HWND window_ = nullptr;
    std::shared_ptr<AccessibleLink> link_ = std::make_shared<AccessibleLink>();
};

} // namespace qlx::win
