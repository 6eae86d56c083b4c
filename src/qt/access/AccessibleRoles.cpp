// Core roles and states in Qt's accessibility terms.
#include "qt/access/AccessibleRoles.h"

#include <QAccessibleActionInterface>

#include "forms/AccessibleTree.h"

namespace qlx::qt {

QAccessible::Role qtRole(uint32_t role) {
    switch (role) {
    case kRoleDialog:
        return QAccessible::Dialog;
    case kRolePane:
        return QAccessible::Pane;
    case kRoleStaticText:
        return QAccessible::StaticText;
    case kRolePushButton:
        return QAccessible::Button;
    case kRoleCheckButton:
        return QAccessible::CheckBox;
    case kRoleHotKeyField:
        return QAccessible::HotkeyField;
    default:
        return QAccessible::Client;
    }
}

QAccessible::State qtState(uint32_t states, uint32_t role, QAccessible::State base) {
    QAccessible::State s = base;
    s.focusable = (states & kStateFocusable) != 0;
    s.focused = (states & kStateFocused) != 0;
    s.checkable = role == kRoleCheckButton;
    s.checked = (states & kStateChecked) != 0;
    s.disabled = (states & kStateUnavailable) != 0;
    s.invisible = (states & kStateInvisible) != 0;
    // Hidden, it is nowhere on the screen either.
    if (s.invisible) s.offscreen = true;
    return s;
}

QString qtActionName(uint32_t role, bool hasDefaultAction, uint32_t states) {
    if (!hasDefaultAction || (states & (kStateUnavailable | kStateInvisible))) return {};
    return role == kRoleCheckButton ? QAccessibleActionInterface::toggleAction()
                                    : QAccessibleActionInterface::pressAction();
}

} // namespace qlx::qt
