// The panel's two menus (the notification-area icon's menu and the panel's context menu),
// the icon's mouse callbacks, the always-on-top toggles and hiding the panel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace qlx {

// Items of the notification-area icon's menu carry this tag, all but "Afslut"; the settings
// command shows the panel first when its sender has it.
inline constexpr int kTrayMenuTag = 765;
inline bool isTrayMenuSender(int tag) { return tag == kTrayMenuTag; }

// Mouse messages over the notification-area icon that act.
inline constexpr int32_t kTrayLeftButtonUp = 514;
inline constexpr int32_t kTrayRightButtonUp = 517;
// The icon's keyboard, from shells that speak the newer callback (its anchor point comes
// with it): Enter or Space on the focused icon, and its context menu (Shift+F10, the menu
// key; after a right click too, which the release already answered).
inline constexpr int32_t kTraySelect = 0x400;
inline constexpr int32_t kTrayKeySelect = 0x401;
inline constexpr int32_t kTrayContextMenu = 0x7B;

enum class PanelMenuItem {
    TrayMenuItemOpen,
    TrayMenuItemHide,
    TrayMenuItemOnTop,
    TrayMenuItemSettings,
    TrayMenuItemProgramWeb,
    TrayMenuItemTerminate,
    PopupMenuItemHide,
    PopupMenuItemOnTop,
    PopupMenuItemSettings,
    PopupMenuItemProgramWeb,
    PopupMenuItemTerminate,
    Separator,
};

struct PanelMenuEntry {
    PanelMenuItem item;
    const char* caption; // Windows-1252; "-" for a separator
    int tag;
    bool isDefault;  // shown bold
    bool onTopCheck; // carries the always-on-top check mark
};

// In menu order, separators included.
extern const std::array<PanelMenuEntry, 8> kTrayMenuEntries;
extern const std::array<PanelMenuEntry, 7> kPopupMenuEntries;

// Command numbers for the window layer's menus, and back.
inline constexpr int kPanelMenuCommandBase = 0x7100;
int panelMenuCommandId(PanelMenuItem item);
std::optional<PanelMenuItem> panelMenuItemFromCommand(int commandId);
// The entry of an item (not a separator) in whichever menu holds it.
const PanelMenuEntry& panelMenuEntry(PanelMenuItem item);

class PanelMenusPort {
public:
    virtual ~PanelMenusPort() = default;
    // ShowPanel without the clipboard lookup.
    virtual void showPanel() = 0;
    // Minimizes the application: the panel and the program's other windows go away, the
    // notification-area icon stays.
    virtual void hidePanel() = 0;
    // The panel into the topmost band or out of it; the flag itself is not changed.
    virtual void applyOnTop(bool onTop) = 0;
    virtual void setOnTopCheckMarks(bool checked) = 0;
    // The notification-area icon's menu at the mouse cursor, or at a screen point.
    virtual void openTrayMenuAtCursor() = 0;
    virtual void openTrayMenuAt(int32_t x, int32_t y) = 0;
    virtual void showTaskbarButton(bool show) = 0;
    // Commands other parts of the program carry out.
    virtual void menuItemSettingsClick(int senderTag) = 0;
    virtual void menuItemProgramWebClick() = 0;
    virtual void menuItemTerminateClick() = 0;
};

// The main window's flags the menus read and change.
struct PanelMenusFlags {
    bool& OnTopActive;
    const bool& ModalDialogOpen;
    const bool& SysTrayIcon;
};

class PanelMenus {
public:
    PanelMenus(PanelMenusPort& port, PanelMenusFlags flags) : port_(port), flags_(flags) {}

    // Both "Vis altid øverst" items carry the same check mark.
    bool OnTopCheckMarks = true;
    void SetOnTopCheckMarks(bool checked);

    // A menu command from either menu.
    void MenuCommand(PanelMenuItem item);
    // The icon's callback: what happened over the icon (its mouse message, or a keyboard
    // event with the icon's screen point x, y). True when it acted.
    bool TrayIconCallback(int32_t event, int32_t x = 0, int32_t y = 0);

    void PopupMenuItemOnTopClick();
    void TrayMenuItemOnTopClick();
    void MenuItemShowWindowClick();
    void MenuItemHideClick();
    void PopupMenuItemHideClick();

    // The stored always-on-top preference takes over (at start and when the settings window
    // is closed with OK).
    void OnTopSettingApplied(bool alwaysOnTop);

    // With the icon in the notification area the program keeps out of the taskbar.
    void ApplicationEvents1Minimize();
    void ApplicationEvents1Restore();

private:
    PanelMenusPort& port_;
    PanelMenusFlags flags_;
    bool menuOpenedByMouse_ = false; // the context event that follows is the same request
};

} // namespace qlx
