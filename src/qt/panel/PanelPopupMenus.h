// The panel's two menus as Qt menus, from the core's tables; the chosen item goes to the
// program's menu commands.
#pragma once

#include <QMenu>

#include <span>

#include "panel/PanelMenus.h"

namespace qlx::qt {

// Fills the menu with the entries (the default item bold, the always-on-top item checkable);
// each item carries its command number.
void fillPanelMenu(QMenu& menu, std::span<const PanelMenuEntry> entries);
void setOnTopCheckMarks(QMenu& menu, bool checked);
// The command of a chosen item.
std::optional<PanelMenuItem> chosenMenuItem(const QAction* action);

} // namespace qlx::qt
