// The panel's two popup menus as Windows menus: the notification-area icon's menu and the
// panel's context menu, built from the panel's menu tables.
#pragma once

#include <windows.h>

#include <optional>

#include "panel/PanelMenus.h"

namespace qlx::win {

class PanelPopupMenus {
public:
    PanelPopupMenus() = default;
    PanelPopupMenus(const PanelPopupMenus&) = delete;
    PanelPopupMenus& operator=(const PanelPopupMenus&) = delete;
    ~PanelPopupMenus();

    // Builds both menus once; later calls keep them.
    void create();
    HMENU trayMenu() const { return tray_; }
    HMENU popupMenu() const { return popup_; }

    // Both "Vis altid øverst" items.
    void setOnTopCheckMarks(bool checked);

    // Opens the menu with its corner at a screen point and waits for the choice.
    std::optional<PanelMenuItem> track(HMENU menu, HWND owner, POINT at);

private:
    HMENU tray_ = nullptr;
    HMENU popup_ = nullptr;
};

} // namespace qlx::win
