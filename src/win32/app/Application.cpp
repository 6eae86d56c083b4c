// The hidden application window and the program-wide window operations.
#include "win32/app/Application.h"

#include <algorithm>

#include "win32/app/ModalLoop.h"
#include "win32/system/ProgramIcon.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

Application& Application::instance() {
    static Application app;
    return app;
}

bool Application::initialise(HINSTANCE module) {
    module_ = module;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = module;
    // The icons of the program's taskbar button, at the primary screen's scale; they live as
    // long as the program.
    const int dpi = windowDpi(nullptr);
    wc.hIcon = loadProgramIcon(module, IconKind::Large, dpi);
    wc.hIconSm = loadProgramIcon(module, IconKind::Small, dpi);
    wc.lpszClassName = L"QuiklexApplication";
    if (!RegisterClassExW(&wc)) return false;
    // A zero-sized captioned window: shown, it is the program's taskbar button.
    window_ = CreateWindowExW(0, wc.lpszClassName, L"Quiklex",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, module, nullptr);
    return window_ != nullptr;
}

void Application::addForm(HWND form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.insert(forms_.begin(), form);
}

void Application::removeForm(HWND form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void Application::showTaskbarButton(bool show) {
    taskbarShown_ = show;
    if (!show) {
        ShowWindow(window_, SW_HIDE);
    } else if (minimized_) {
        ShowWindow(window_, SW_SHOWMINNOACTIVE);
    } else {
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    }
}

void Application::minimize() {
    if (minimized_) return;
    minimized_ = true;
    for (HWND form : forms_)
        if (IsWindowVisible(form)) ShowWindow(form, SW_HIDE);
    if (main_ && IsWindowVisible(main_)) ShowWindow(main_, SW_HIDE);
    if (taskbarShown_) ShowWindow(window_, SW_SHOWMINNOACTIVE);
}

void Application::restore() {
    if (!minimized_) return;
    minimized_ = false;
    if (taskbarShown_) {
        ShowWindow(window_, SW_RESTORE);
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE);
    }
    if (main_) ShowWindow(main_, SW_SHOWNA);
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) ShowWindow(*it, SW_SHOWNA);
}

void Application::bringAllToFront() {
    // The window that ends in front: the newest open window, or the panel. When it is in
    // front already, the others are not activated in between (a field keeps its focus).
    HWND front = main_;
    for (HWND form : forms_)
        if (form != main_ && IsWindowVisible(form)) {
            front = form;
            break;
        }
    if (front && GetForegroundWindow() == front) return;
    if (main_) SetForegroundWindow(main_);
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if (*it != main_ && IsWindowVisible(*it)) SetForegroundWindow(*it);
    if (front) flashUnlessInFront(front);
}

void Application::bringToFront(HWND window) {
    SetForegroundWindow(window);
    flashUnlessInFront(window);
}

void Application::flashUnlessInFront(HWND window) {
    // The system's foreground lock refuses a program that the user is not working with; the
    // window then asks for attention instead of waiting unseen behind others. A tool window
    // has no taskbar button of its own: its caption flashes, and the program's button too when
    // it is shown.
    if (GetForegroundWindow() == window) return;
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = window;
    flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
    FlashWindowEx(&flash);
    if (taskbarShown_ && window_ && IsWindowVisible(window_)) {
        flash.hwnd = window_;
        flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
        FlashWindowEx(&flash);
    }
}

void Application::liftOpenWindows() {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        if (*it == main_ || !IsWindowVisible(*it)) continue;
        constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, keep);
        SetWindowPos(*it, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    }
}

int Application::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        noteInput(msg.message);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT CALLBACK Application::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Application& app = instance();
    switch (msg) {
    case WM_SYSCOMMAND:
        // The taskbar button minimises and restores the whole program.
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: app.minimize(); return 0;
        case SC_RESTORE: app.restore(); app.bringAllToFront(); return 0;
        case SC_CLOSE:
            if (app.main_) PostMessageW(app.main_, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // Activating the hidden window (a taskbar click) passes the focus to the panel.
        if (LOWORD(wParam) != WA_INACTIVE && !app.minimized_ && app.main_ &&
            IsWindowVisible(app.main_))
            SetForegroundWindow(app.main_);
        break;
    case WM_CLOSE:
        if (app.main_) PostMessageW(app.main_, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace qlx::win
