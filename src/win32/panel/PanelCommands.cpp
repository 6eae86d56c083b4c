// The menus' commands, carried out by the main window and its features.
#include "win32/panel/PanelCommands.h"

#include "win32/app/FormMain.h"

namespace qlx::win {

void PanelCommands::showPanel() { form_.core().ShowPanel(false); }

void PanelCommands::hidePanel() {
    form_.minimizeApplication();
    form_.panel().menus().ApplicationEvents1Minimize();
}

void PanelCommands::applyOnTop(bool onTop) { form_.panel().applyOnTop(onTop); }

void PanelCommands::setOnTopCheckMarks(bool checked) {
    form_.panel().popupMenus().setOnTopCheckMarks(checked);
}

void PanelCommands::openTrayMenuAtCursor() {
    POINT p{};
    GetCursorPos(&p);
    form_.panel().openPopupMenu(form_.panel().popupMenus().trayMenu(), p);
}

void PanelCommands::openTrayMenuAt(int32_t x, int32_t y) {
    form_.panel().openPopupMenu(form_.panel().popupMenus().trayMenu(), POINT{x, y});
}

void PanelCommands::showTaskbarButton(bool show) { form_.showTaskbarButton(show); }

void PanelCommands::menuItemSettingsClick(int senderTag) {
    form_.settingsWindow().MenuItemSettingsClick(senderTag);
}

void PanelCommands::menuItemProgramWebClick() { form_.dialogs().openProgramInfoPage(); }

void PanelCommands::menuItemTerminateClick() { form_.MenuItemTerminateClick(); }

} // namespace qlx::win
