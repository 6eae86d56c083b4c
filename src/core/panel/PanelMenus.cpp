// The panel's menus, the notification-area icon's callbacks and the always-on-top toggles.
#include "panel/PanelMenus.h"

namespace qlx {

namespace {
const char* const kShowCaption = "Vis panel";
const char* const kHideCaption = "Skjul panel";
const char* const kOnTopCaption = "Vis altid \xF8verst";
const char* const kSettingsCaption = "Indstillinger";
const char* const kProgramWebCaption = "Information p\xE5 web";
const char* const kTerminateCaption = "Afslut";
const PanelMenuEntry kSeparator{PanelMenuItem::Separator, "-", 0, false, false};
} // namespace

const std::array<PanelMenuEntry, 8> kTrayMenuEntries{{
    {PanelMenuItem::TrayMenuItemOpen, kShowCaption, kTrayMenuTag, true, false},
    {PanelMenuItem::TrayMenuItemHide, kHideCaption, kTrayMenuTag, false, false},
    {PanelMenuItem::TrayMenuItemOnTop, kOnTopCaption, kTrayMenuTag, false, true},
    kSeparator,
    {PanelMenuItem::TrayMenuItemSettings, kSettingsCaption, kTrayMenuTag, false, false},
    {PanelMenuItem::TrayMenuItemProgramWeb, kProgramWebCaption, kTrayMenuTag, false, false},
    kSeparator,
    {PanelMenuItem::TrayMenuItemTerminate, kTerminateCaption, 0, false, false},
}};

const std::array<PanelMenuEntry, 7> kPopupMenuEntries{{
    {PanelMenuItem::PopupMenuItemHide, kHideCaption, 0, false, false},
    {PanelMenuItem::PopupMenuItemOnTop, kOnTopCaption, 0, false, true},
    kSeparator,
    {PanelMenuItem::PopupMenuItemSettings, kSettingsCaption, 0, false, false},
    {PanelMenuItem::PopupMenuItemProgramWeb, kProgramWebCaption, 0, false, false},
    kSeparator,
    {PanelMenuItem::PopupMenuItemTerminate, kTerminateCaption, 0, false, false},
}};

int panelMenuCommandId(PanelMenuItem item) {
    return kPanelMenuCommandBase + static_cast<int>(item);
}

std::optional<PanelMenuItem> panelMenuItemFromCommand(int commandId) {
    const int index = commandId - kPanelMenuCommandBase;
    if (index < 0 || index >= static_cast<int>(PanelMenuItem::Separator)) return std::nullopt;
    return static_cast<PanelMenuItem>(index);
}

const PanelMenuEntry& panelMenuEntry(PanelMenuItem item) {
    for (const PanelMenuEntry& e : kTrayMenuEntries)
        if (e.item == item) return e;
    for (const PanelMenuEntry& e : kPopupMenuEntries)
        if (e.item == item) return e;
    return kSeparator;
}

void PanelMenus::SetOnTopCheckMarks(bool checked) {
    OnTopCheckMarks = checked;
    port_.setOnTopCheckMarks(checked);
}

void PanelMenus::MenuCommand(PanelMenuItem item) {
    switch (item) {
    case PanelMenuItem::TrayMenuItemOpen: MenuItemShowWindowClick(); break;
    case PanelMenuItem::TrayMenuItemHide: MenuItemHideClick(); break;
    case PanelMenuItem::TrayMenuItemOnTop: TrayMenuItemOnTopClick(); break;
    case PanelMenuItem::PopupMenuItemHide: PopupMenuItemHideClick(); break;
    case PanelMenuItem::PopupMenuItemOnTop: PopupMenuItemOnTopClick(); break;
    case PanelMenuItem::TrayMenuItemSettings:
    case PanelMenuItem::PopupMenuItemSettings:
        port_.menuItemSettingsClick(panelMenuEntry(item).tag);
        break;
    case PanelMenuItem::TrayMenuItemProgramWeb:
    case PanelMenuItem::PopupMenuItemProgramWeb: port_.menuItemProgramWebClick(); break;
    case PanelMenuItem::TrayMenuItemTerminate:
    case PanelMenuItem::PopupMenuItemTerminate: port_.menuItemTerminateClick(); break;
    case PanelMenuItem::Separator: break;
    }
}

bool PanelMenus::TrayIconCallback(int32_t event, int32_t x, int32_t y) {
    const bool afterRightClick = menuOpenedByMouse_;
    menuOpenedByMouse_ = false;
    // Only releases act; a double click shows the panel through its releases.
    switch (event) {
    case kTrayLeftButtonUp:
    case kTrayKeySelect:
        port_.showPanel();
        return true;
    case kTrayRightButtonUp:
        // Set first: the menu's own loop may take the context event in.
        menuOpenedByMouse_ = true;
        port_.openTrayMenuAtCursor();
        return true;
    case kTrayContextMenu:
        if (afterRightClick) return false;
        // From the keyboard: at the icon, wherever the mouse is.
        port_.openTrayMenuAt(x, y);
        return true;
    default:
        return false; // kTraySelect comes with the left release, which acted
    }
}

void PanelMenus::PopupMenuItemOnTopClick() {
    flags_.OnTopActive = !flags_.OnTopActive;
    try {
        SetOnTopCheckMarks(flags_.OnTopActive);
        port_.applyOnTop(flags_.OnTopActive);
    } catch (...) {
        // The state stays as far as it got.
    }
}

void PanelMenus::TrayMenuItemOnTopClick() {
    try {
        const bool on = !OnTopCheckMarks;
        flags_.OnTopActive = on;
        SetOnTopCheckMarks(on);
        if (flags_.ModalDialogOpen) {
            // The modal window's owner brings the band in line when it closes.
            port_.showPanel();
            return;
        }
        if (on) port_.showPanel();
        port_.applyOnTop(on);
    } catch (...) {
        // The state stays as far as it got.
    }
}

void PanelMenus::MenuItemShowWindowClick() { port_.showPanel(); }

void PanelMenus::MenuItemHideClick() {
    // A modal window must stay reachable, so it is brought forward instead.
    if (flags_.ModalDialogOpen)
        port_.showPanel();
    else
        port_.hidePanel();
}

void PanelMenus::PopupMenuItemHideClick() {
    try {
        port_.hidePanel();
    } catch (...) {
    }
}

void PanelMenus::OnTopSettingApplied(bool alwaysOnTop) {
    flags_.OnTopActive = alwaysOnTop;
    SetOnTopCheckMarks(alwaysOnTop);
    port_.applyOnTop(alwaysOnTop);
}

void PanelMenus::ApplicationEvents1Minimize() {
    if (flags_.SysTrayIcon) port_.showTaskbarButton(false);
}

void PanelMenus::ApplicationEvents1Restore() {
    if (flags_.SysTrayIcon) port_.showTaskbarButton(false);
}

} // namespace qlx
