// The panel's accessible object.
#include "win32/panel/PanelAccessible.h"

#include "win32/system/Oleacc.h"

namespace qlx::win {

AccNode PanelAccessible::accessibleTree() {
    const bool focused = window_ && GetFocus() == window_;
    // The panel is laid out at 96 DPI; the system scales it as a whole.
    return panelAccessibleTree(focused, kDesignDpi);
}

POINT PanelAccessible::accessibleOrigin() {
    POINT origin{0, 0};
    if (window_) ClientToScreen(window_, &origin);
    return origin;
}

void PanelAccessible::accessibleDefaultAction(const std::string& control) {
    if (control == "ImageMenu" && menuClick_) menuClick_();
    if (control == "ImageOpen" && openClick_) openClick_();
}

void PanelAccessible::accessibleFocus(const std::string&) {
    if (window_) SetFocus(window_);
}

IDispatch* PanelAccessible::accessibleWindowObject() {
    return systemAccessible(window_, OBJID_WINDOW);
}

} // namespace qlx::win
