// The panel: its controls and painting, button display, moving, tray icon and menus, on the main window.
#include <windowsx.h>

#include "win32/app/Application.h"
#include "win32/app/FormMain.h"
#include "win32/system/SingleInstance.h"
#include "win32/panel/TrayIcon.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

namespace {
// Clear of the start-up timer and of the other features' timers.
constexpr UINT_PTR kTimerButtonsDisplay = 0x7A01;
constexpr UINT_PTR kTimerButtonsOffSlow = 0x7A02;

UINT_PTR timerId(PanelTimer timer) {
    return timer == PanelTimer::ButtonsDisplay ? kTimerButtonsDisplay : kTimerButtonsOffSlow;
}

int outerHeight(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}
} // namespace

// ---- the panel window for the button display and moving

void TFormMain::PanelWindow::startTimer(PanelTimer timer, uint32_t intervalMs) {
    SetTimer(form_.hwnd_, timerId(timer), intervalMs, nullptr);
}

void TFormMain::PanelWindow::stopTimer(PanelTimer timer) { KillTimer(form_.hwnd_, timerId(timer)); }

void TFormMain::PanelWindow::showButtons(bool) {
    // The painting reads the display state, which is settled before the paint message comes.
    InvalidateRect(form_.hwnd_, nullptr, FALSE);
}

void TFormMain::PanelWindow::setCursor(PanelCursor cursor) {
    form_.panelCursor_ =
        LoadCursorW(nullptr, cursor == PanelCursor::SizeAll ? IDC_SIZEALL : IDC_ARROW);
    POINT p{};
    GetCursorPos(&p);
    if (GetCapture() == form_.hwnd_ || WindowFromPoint(p) == form_.hwnd_)
        SetCursor(form_.panelCursor_);
}

Dimension TFormMain::PanelWindow::panelBounds() {
    RECT r{};
    GetWindowRect(form_.hwnd_, &r);
    return Dimension{r.top, r.left, r.bottom - r.top, r.right - r.left};
}

void TFormMain::PanelWindow::movePanelTo(int32_t left, int32_t top) {
    SetWindowPos(form_.hwnd_, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<WorkArea> TFormMain::PanelWindow::workArea() { return reportedWorkArea(); }
int32_t TFormMain::PanelWindow::screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t TFormMain::PanelWindow::screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// ---- what the menus do

void TFormMain::PanelCommands::showPanel() { form_.core_.ShowPanel(false); }

void TFormMain::PanelCommands::hidePanel() {
    form_.minimizeApplication();
    form_.menus_.ApplicationEvents1Minimize();
}

void TFormMain::PanelCommands::applyOnTop(bool onTop) { form_.applyOnTop(onTop); }

void TFormMain::PanelCommands::setOnTopCheckMarks(bool checked) {
    form_.popupMenus_.setOnTopCheckMarks(checked);
}

void TFormMain::PanelCommands::openTrayMenuAtCursor() {
    POINT p{};
    GetCursorPos(&p);
    form_.openPopupMenu(form_.popupMenus_.trayMenu(), p);
}

void TFormMain::PanelCommands::showTaskbarButton(bool show) { form_.showTaskbarButton(show); }

void TFormMain::PanelCommands::menuItemSettingsClick(int senderTag) {
    form_.settingsWindow_.MenuItemSettingsClick(senderTag);
}

void TFormMain::PanelCommands::menuItemProgramWebClick() { form_.openProgramInfoPage(); }

void TFormMain::PanelCommands::menuItemTerminateClick() { form_.MenuItemTerminateClick(); }

// ---- TFormMain

void TFormMain::layoutPanel() {
    const auto style = static_cast<uint32_t>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    if (auto changed = changedWindowStyle(style, kPanelStyleClear, kPanelStyleSet)) {
        SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(*changed));
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SetWindowPos(hwnd_, nullptr, 0, 0, kPanelWidth, kPanelHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    painter_.load(Application::instance().module());
    popupMenus_.create();
    // The band itself follows right after, from the creation sequence.
    menus_.SetOnTopCheckMarks(core_.OnTopActive);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TFormMain::applyOnTop(bool onTop) {
    SetWindowPos(hwnd_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TFormMain::addTrayIcon() {
    AddTrayIcon(hwnd_, UniqueProductMessage, Application::instance().module(),
                core_.LookupHotKey.trayTip());
    return true;
}

void TFormMain::removeTrayIcon() { RemoveTrayIcon(hwnd_); }

void TFormMain::trayIconCallback(int32_t lParam) { menus_.TrayIconCallback(lParam); }

void TFormMain::onTopSettingApplied(bool alwaysOnTop) { menus_.OnTopSettingApplied(alwaysOnTop); }

void TFormMain::requestButtons(bool show) { buttons_.RequestButtons(show); }
void TFormMain::textDragOver() { buttons_.TextDragOver(); }
void TFormMain::textDragEnded() { buttons_.TextDragEnded(); }

void TFormMain::PaintBoxMoveHandlePaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    painter_.paint(dc, client, panelBrush_, buttons_.ButtonsShown, outerHeight(hwnd_));
    EndPaint(hwnd_, &ps);
}

void TFormMain::ImageMenuClick() {
    const ClientPoint origin = panelMenuOrigin(outerHeight(hwnd_));
    POINT p{origin.x, origin.y};
    ClientToScreen(hwnd_, &p);
    openPopupMenu(popupMenus_.popupMenu(), p);
}

void TFormMain::openPopupMenu(HMENU menu, POINT screenPoint) {
    popupMenus_.create();
    if (auto item = popupMenus_.track(menu, hwnd_, screenPoint)) menus_.MenuCommand(*item);
}

bool TFormMain::panelMouse(UINT msg, WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const int height = outerHeight(hwnd_);
    POINT screen{x, y};
    ClientToScreen(hwnd_, &screen);
    const std::optional<PanelControl> button = panelButtonAt(x, y, buttons_.ButtonsShown, height);

    switch (msg) {
    case WM_MOUSEMOVE: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        buttons_.WindowMouseMove(LOWORD(lParam), HIWORD(lParam), client.right, client.bottom);
        // Movement over the two buttons belongs to them, unless the panel is being moved.
        if (!buttons_.Dragging && (pressedButton_ || button)) return true;
        buttons_.FormMouseMove(x, y, screen.x, screen.y);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (buttons_.Dragging || pressedButton_) return true; // a second button meanwhile
        if (button) {
            // Presses on the two buttons never move the panel.
            if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
                pressedButton_ = button;
                SetCapture(hwnd_);
            }
            return true;
        }
        buttons_.FormMouseDown(screen.x, screen.y);
        // The panel follows the mouse even where it runs ahead of the window.
        if (buttons_.Dragging) SetCapture(hwnd_);
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
                    imageOpenClick();
            }
            return true;
        }
        if (buttons_.Dragging || !button) buttons_.FormMouseUp();
        if (GetCapture() == hwnd_) ReleaseCapture();
        // The right button's release goes on to the default handling, which asks for the
        // context menu.
        return msg != WM_RBUTTONUP;
    }
    return false;
}

bool TFormMain::panelMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
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
        if (reinterpret_cast<HWND>(lParam) != hwnd_) {
            pressedButton_.reset();
            if (buttons_.Dragging) buttons_.FormMouseUp();
        }
        return true;
    case WM_CONTEXTMENU: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (p.x == -1 && p.y == -1) { // from the keyboard: at the panel's corner
            p = {0, 0};
            ClientToScreen(hwnd_, &p);
        }
        openPopupMenu(popupMenus_.popupMenu(), p);
        return true;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(panelCursor_);
            result = TRUE;
            return true;
        }
        return false;
    case WM_TIMER:
        if (wParam == kTimerButtonsDisplay) {
            buttons_.TimerButtonsDisplayTimer();
            return true;
        }
        if (wParam == kTimerButtonsOffSlow) {
            buttons_.TimerButtonsOffSlowTimer();
            return true;
        }
        return false;
    case WM_PAINT:
        PaintBoxMoveHandlePaint();
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    }
    return false;
}

} // namespace qlx::win
