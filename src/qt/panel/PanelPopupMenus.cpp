#include "qt/panel/PanelPopupMenus.h"

#include "qt/system/Encoding.h"

namespace qlx::qt {

void fillPanelMenu(QMenu& menu, std::span<const PanelMenuEntry> entries) {
    menu.clear();
    for (const PanelMenuEntry& e : entries) {
        if (e.item == PanelMenuItem::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(fromCp1252(e.caption));
        action->setData(panelMenuCommandId(e.item));
        action->setCheckable(e.onTopCheck);
        if (e.isDefault) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
    }
}

void setOnTopCheckMarks(QMenu& menu, bool checked) {
    for (QAction* action : menu.actions())
        if (action->isCheckable()) action->setChecked(checked);
}

std::optional<PanelMenuItem> chosenMenuItem(const QAction* action) {
    return action ? panelMenuItemFromCommand(action->data().toInt()) : std::nullopt;
}

} // namespace qlx::qt
