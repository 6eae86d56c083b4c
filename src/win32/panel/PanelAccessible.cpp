// The panel's accessible object.
#include "win32/panel/PanelAccessible.h"

#include "win32/system/Oleacc.h"

namespace qlx::win {

AccNode PanelAccessible::accessibleTree() {
    const bool focused = window_ && GetFocus() == window_;
    return panelAccessibleTree(focused, dpi);
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
