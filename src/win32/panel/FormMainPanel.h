// The main window's panel: its painting, the button display, moving by hand, the
// notification-area icon, the two menus and the always-on-top band.
#pragma once

#include <windows.h>

#include <optional>

#include "win32/panel/PanelAccessible.h"
#include "win32/panel/PanelPainter.h"
#include "win32/panel/PanelPopupMenus.h"
#include "win32/panel/PanelWindow.h"
#include "win32/panel/TrayIconOnPanel.h"
#include "panel/PanelButtons.h"
#include "panel/PanelLayout.h"
#include "panel/PanelMenus.h"
#include "forms/KeyboardCues.h"

namespace qlx::win {

class TFormMain;

class FormMainPanel {
public:
    explicit FormMainPanel(TFormMain& form);

    // The main window's messages that belong to the panel; true when handled, with result set.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The controls, the menus and the caption-less style, in the creation sequence.
    void layoutPanel();
    // The panel into the topmost band or out of it; the flag itself is not changed.
    void applyOnTop(bool onTop);
    // The panel window as the button display and the hand moving see it, and the
    // notification-area icon.
    PanelWindow& panelWindow() { return panelWindow_; }
    TrayIconOnPanel& trayIcon() { return trayIcon_; }
    // The icon's events are the user's input too (keyboard cues).
    void noteTrayInput(UINT event);

    PanelPopupMenus& popupMenus() { return popupMenus_; }
    // Opens a menu at a screen point and carries out the chosen command.
    void openPopupMenu(HMENU menu, POINT screenPoint);

private:
    // What follows the DPI besides the window's size: hit tests, images, the edge band and
    // the accessible bounds.
    void applyDpi(int dpi);
    // The system moved the panel onto a monitor of another scale, suggesting a rectangle.
    void dpiChanged(int dpi, const RECT& suggested);
    void PaintBoxMoveHandlePaint();
    void ImageMenuClick();
    bool panelMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    // Enter, Shift+F10 and the menu key while the panel has the keyboard.
    bool panelKey(UINT msg, WPARAM wParam, LPARAM lParam);
    // The program's button display and menus.
    PanelButtons& buttons();
    PanelMenus& menus();
    // The focus rectangle: shown while the panel has the keyboard, once Tab or an arrow key
    // was used on it; hidden after mouse use, as in the program's other windows.
    void panelCues(UINT msg, WPARAM wParam);

    TFormMain& form_;
    PanelWindow panelWindow_;
    PanelPainter painter_;
    PanelPopupMenus popupMenus_;
    // The button image a left press went to; its click comes with the release over it.
    std::optional<PanelControl> pressedButton_;
    PanelAccessible accessible_;
    TrayIconOnPanel trayIcon_;
    bool f10Down_ = false; // Shift+F10 went down here: its release is ours too
    KeyboardCues cues_;
    int dpi_ = 96;         // the scale the panel is laid out at
};

} // namespace qlx::win
