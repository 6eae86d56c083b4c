// The panel: its painting, buttons, moving, tray icon and menus, on the main window.
#include "win32/panel/FormMainPanel.h"

#include <windowsx.h>

#include "win32/app/Application.h"
#include "win32/app/FormMain.h"
#include "win32/app/ModalLoop.h"
#include "win32/system/WindowFrame.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

namespace {
int outerHeight(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}
} // namespace

FormMainPanel::FormMainPanel(TFormMain& form)
    : form_(form), panelWindow_(form),
      accessible_([this] { ImageMenuClick(); }, [this] { form_.program().imageOpenClick(); }),
      trayIcon_(form) {}

PanelButtons& FormMainPanel::buttons() { return form_.program().buttons(); }
PanelMenus& FormMainPanel::menus() { return form_.program().menus(); }

void FormMainPanel::layoutPanel() {
    const HWND hwnd = form_.handle();
    const auto style = static_cast<uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    if (auto changed = changedWindowStyle(style, kPanelStyleClear, kPanelStyleSet)) {
        SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(*changed));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    // At the scale of the monitor the panel stands on now, its stored place.
    applyDpi(windowDpi(hwnd));
    const PanelSize size = panelOuterSize(dpi_);
    SetWindowPos(hwnd, nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    popupMenus_.create();
    accessible_.attach(hwnd);
    trayIcon_.attach(hwnd);
    // The band itself follows right after, from the creation sequence.
    menus().SetOnTopCheckMarks(form_.state().OnTopActive);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void FormMainPanel::applyDpi(int dpi) {
    dpi_ = dpi;
    buttons().Dpi = dpi;
    accessible_.dpi = dpi;
    painter_.load(Application::instance().module(), dpi);
}

void FormMainPanel::dpiChanged(int dpi, const RECT& suggested) {
    const Dimension before = windowDimension(form_.handle());
    const PanelSize size = panelOuterSize(dpi);
    const Dimension place = panelAfterDpiChange(
        Dimension{suggested.top, suggested.left, suggested.bottom - suggested.top,
                  suggested.right - suggested.left},
        size.width, size.height, systemMonitors());
    buttons().DpiChanged(dpi, before.width, before.height, size.width, size.height);
    applyDpi(dpi);
    form_.setPanelBounds(place.left, place.top, place.width, place.height);
    InvalidateRect(form_.handle(), nullptr, FALSE);
}

void FormMainPanel::applyOnTop(bool onTop) {
    SetWindowPos(form_.handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The icon's events are the user's input too: a window opened from its menu shows keyboard
// cues when the icon was worked with the keyboard.
void FormMainPanel::noteTrayInput(UINT event) {
    constexpr UINT kKeySelect = WM_USER + 1; // NIN_KEYSELECT: Enter or Space on the icon
    if (event == kKeySelect || event == WM_CONTEXTMENU)
        noteInput(WM_KEYDOWN);
    else
        noteInput(event); // the mouse messages
}

void FormMainPanel::PaintBoxMoveHandlePaint() {
    const HWND hwnd = form_.handle();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    painter_.paint(dc, client, buttons().ButtonsShown, outerHeight(hwnd), dpi_,
                   GetFocus() == hwnd && cues_.focusRect(true));
    EndPaint(hwnd, &ps);
}

void FormMainPanel::ImageMenuClick() {
    const HWND hwnd = form_.handle();
    const ClientPoint origin = panelMenuOrigin(outerHeight(hwnd), dpi_);
    POINT p{origin.x, origin.y};
    ClientToScreen(hwnd, &p);
    openPopupMenu(popupMenus_.popupMenu(), p);
}

void FormMainPanel::openPopupMenu(HMENU menu, POINT screenPoint) {
    popupMenus_.create();
    if (auto item = popupMenus_.track(menu, form_.handle(), screenPoint)) menus().MenuCommand(*item);
}

bool FormMainPanel::panelMouse(UINT msg, WPARAM, LPARAM lParam) {
    const HWND hwnd = form_.handle();
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const int height = outerHeight(hwnd);
    POINT screen{x, y};
    ClientToScreen(hwnd, &screen);
    const std::optional<PanelControl> button =
        panelButtonAt(x, y, buttons().ButtonsShown, height, dpi_);

    switch (msg) {
    case WM_MOUSEMOVE: {
        RECT client{};
        GetClientRect(hwnd, &client);
        buttons().WindowMouseMove(LOWORD(lParam), HIWORD(lParam), client.right, client.bottom);
        // Movement over the two buttons belongs to them, unless the panel is being moved.
        if (!buttons().Dragging && (pressedButton_ || button)) return true;
        buttons().FormMouseMove(x, y, screen.x, screen.y);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (buttons().Dragging || pressedButton_) return true; // a second button meanwhile
        if (button) {
            // Presses on the two buttons never move the panel.
            if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
                pressedButton_ = button;
                SetCapture(hwnd);
            }
            return true;
        }
        buttons().FormMouseDown(screen.x, screen.y);
        // The panel follows the mouse even where it runs ahead of the window.
        if (buttons().Dragging) SetCapture(hwnd);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (pressedButton_) {
            if (msg != WM_LBUTTONUP) return true;
            const PanelControl pressed = *pressedButton_;
            pressedButton_.reset();
            ReleaseCapture();
            if (button == pressed) {
                if (pressed == PanelControl::ImageMenu)
                    ImageMenuClick();
                else
                    form_.program().imageOpenClick();
            }
            return true;
        }
        if (buttons().Dragging || !button) buttons().FormMouseUp();
        if (GetCapture() == hwnd) ReleaseCapture();
        // The right button's release goes on to the default handling, which asks for the
        // context menu.
        return msg != WM_RBUTTONUP;
    }
    return false;
}

bool FormMainPanel::panelKey(UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    // A held key repeats its press: one press, one action.
    const bool first = down && (lParam & (1L << 30)) == 0;
    switch (wParam) {
    case VK_RETURN:
        if (msg == WM_KEYDOWN && first) form_.program().imageOpenClick();
        return msg == WM_KEYDOWN || msg == WM_KEYUP;
    case VK_APPS:
        // The menu opens on the press; the release must not ask for it again.
        if (msg == WM_KEYDOWN && first) ImageMenuClick();
        return true;
    case VK_F10:
        if (down && GetKeyState(VK_SHIFT) < 0) {
            f10Down_ = true;
            if (first) ImageMenuClick();
            return true;
        }
        if (!down && f10Down_) {
            f10Down_ = false;
            return true;
        }
        return false;
    }
    return false;
}

void FormMainPanel::panelCues(UINT msg, WPARAM wParam) {
    bool changed = false;
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        changed = cues_.key(msg, static_cast<uint32_t>(wParam));
        break;
    case WM_UPDATEUISTATE:
        changed = cues_.update(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        changed = true;
        break;
    }
    if (changed) InvalidateRect(form_.handle(), nullptr, FALSE);
}

bool FormMainPanel::message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND hwnd = form_.handle();
    if (trayIcon_.message(msg, wParam, lParam, result)) return true;
    result = 0;
    panelCues(msg, wParam); // only looks: the message goes on
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return panelKey(msg, wParam, lParam);
    case WM_GETOBJECT:
        result = accessible_.getObject(wParam, lParam);
        return result != 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return panelMouse(msg, wParam, lParam);
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a menu, a dialog): the move or the click is over.
        if (reinterpret_cast<HWND>(lParam) != hwnd) {
            pressedButton_.reset();
            if (buttons().Dragging) buttons().FormMouseUp();
        }
        return true;
    case WM_CONTEXTMENU: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (p.x == -1 && p.y == -1) { // from the keyboard: at the panel's corner
            p = {0, 0};
            ClientToScreen(hwnd, &p);
        }
        openPopupMenu(popupMenus_.popupMenu(), p);
        return true;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT) {
            SetCursor(panelWindow_.cursor());
            result = TRUE;
            return true;
        }
        return false;
    case WM_TIMER:
        if (wParam == PanelWindow::timerId(PanelTimer::ButtonsDisplay)) {
            buttons().TimerButtonsDisplayTimer();
            return true;
        }
        if (wParam == PanelWindow::timerId(PanelTimer::ButtonsOffSlow)) {
            buttons().TimerButtonsOffSlowTimer();
            return true;
        }
        return false;
    case WM_PAINT:
        PaintBoxMoveHandlePaint();
        return true;
    case WM_DPICHANGED:
        // Moved onto a monitor of another scale: laid out again there.
        if (lParam) dpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return true;
    case kWmGetDpiScaledSize:
        // Asked before such a move: the panel's own size there (its border is part of it).
        if (lParam == 0 || LOWORD(wParam) == 0) return false;
        {
            const PanelSize size = panelOuterSize(LOWORD(wParam));
            *reinterpret_cast<SIZE*>(lParam) = SIZE{size.width, size.height};
        }
        result = TRUE;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    }
    return false;
}

} // namespace qlx::win
