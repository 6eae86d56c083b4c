// The panel's popup menus.
#include "win32/panel/PanelPopupMenus.h"

#include <string>

#include "win32/system/Encoding.h"

namespace qlx::win {

namespace {

template <size_t N> HMENU buildMenu(const std::array<PanelMenuEntry, N>& entries) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    for (const PanelMenuEntry& e : entries) {
        if (e.item == PanelMenuItem::Separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT id = static_cast<UINT>(panelMenuCommandId(e.item));
        const std::wstring caption = widen(e.caption);
        AppendMenuW(menu, MF_STRING | (e.onTopCheck ? MF_CHECKED : MF_UNCHECKED), id,
                    caption.c_str());
        if (e.isDefault) SetMenuDefaultItem(menu, id, FALSE);
    }
    return menu;
}

} // namespace

PanelPopupMenus::~PanelPopupMenus() {
    if (tray_) DestroyMenu(tray_);
    if (popup_) DestroyMenu(popup_);
}

void PanelPopupMenus::create() {
    if (!tray_) tray_ = buildMenu(kTrayMenuEntries);
    if (!popup_) popup_ = buildMenu(kPopupMenuEntries);
}

void PanelPopupMenus::setOnTopCheckMarks(bool checked) {
    const UINT state = MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED);
    if (tray_)
        CheckMenuItem(tray_, static_cast<UINT>(panelMenuCommandId(PanelMenuItem::TrayMenuItemOnTop)),
                      state);
    if (popup_)
        CheckMenuItem(popup_,
                      static_cast<UINT>(panelMenuCommandId(PanelMenuItem::PopupMenuItemOnTop)),
                      state);
}

std::optional<PanelMenuItem> PanelPopupMenus::track(HMENU menu, HWND owner, POINT at) {
    if (!menu) return std::nullopt;
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const int command = static_cast<int>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD |
                                 TPM_NONOTIFY,
                       at.x, at.y, 0, owner, nullptr));
    // Lets the menu of a background window go away properly when it is opened again.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (command == 0) return std::nullopt;
    return panelMenuItemFromCommand(command);
}

} // namespace qlx::win
