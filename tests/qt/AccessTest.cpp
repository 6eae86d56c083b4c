// How the core's accessible roles, states and default actions read in Qt's terms.
#include <gtest/gtest.h>

#include <QAccessibleActionInterface>

#include "forms/AccessibleTree.h"
#include "qt/access/AccessibleRoles.h"

using namespace qlx;
using namespace qlx::qt;

TEST(QtAccess, RolesMapToQtsRoles) {
    const struct {
        uint32_t core;
        QAccessible::Role qt;
    } cases[] = {
        {kRoleDialog, QAccessible::Dialog},         {kRolePane, QAccessible::Pane},
        {kRoleStaticText, QAccessible::StaticText}, {kRolePushButton, QAccessible::Button},
        {kRoleCheckButton, QAccessible::CheckBox},  {kRoleHotKeyField, QAccessible::HotkeyField},
        {kRoleClient, QAccessible::Client},         {0x7777, QAccessible::Client},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qtRole(c.core), c.qt) << c.core;
}

TEST(QtAccess, TheTreesStatesOverrideTheWidgets) {
    QAccessible::State base;
    base.active = true;
    base.focused = true; // the widget's belief; the tree says otherwise
    const QAccessible::State none = qtState(0, kRolePushButton, base);
    EXPECT_TRUE(none.active);
    EXPECT_FALSE(none.focused);
    EXPECT_FALSE(none.checkable);

    const QAccessible::State box = qtState(
        kStateFocusable | kStateFocused | kStateChecked | kStateUnavailable, kRoleCheckButton);
    EXPECT_TRUE(box.focusable && box.focused && box.checkable && box.checked && box.disabled);
    EXPECT_FALSE(box.invisible);

    const QAccessible::State hidden = qtState(kStateInvisible, kRoleCheckButton);
    EXPECT_TRUE(hidden.invisible && hidden.offscreen);
    EXPECT_FALSE(hidden.checked);
}

TEST(QtAccess, ButtonsArePressedCheckMarksToggledUnavailableOnesNeither) {
    const struct {
        uint32_t role;
        bool hasAction;
        uint32_t states;
        QString expected;
    } cases[] = {
        {kRolePushButton, true, 0, QAccessibleActionInterface::pressAction()},
        {kRoleCheckButton, true, kStateChecked, QAccessibleActionInterface::toggleAction()},
        {kRolePushButton, true, kStateUnavailable, {}},
        {kRoleCheckButton, true, kStateInvisible, {}},
        {kRoleStaticText, false, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qtActionName(c.role, c.hasAction, c.states), c.expected) << c.role;
}
