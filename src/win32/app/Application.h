// The application object: its hidden window (which carries the taskbar button), the list of
// the program's open windows, minimise/restore of the whole program and the message loop.
#pragma once

#include <windows.h>

#include <vector>

namespace qlx::win {

class Application {
public:
    static Application& instance();

    bool initialise(HINSTANCE module);
    HINSTANCE module() const { return module_; }
    HWND handle() const { return window_; }
    HWND mainWindow() const { return main_; }
    void setMainWindow(HWND main) { main_ = main; }

    // Every top-level window of the program but the hidden one registers while it exists.
    void addForm(HWND form);
    void removeForm(HWND form);
    // Newest first.
    const std::vector<HWND>& forms() const { return forms_; }

    void showTaskbarButton(bool show);
    void minimize();
    void restore();
    bool minimized() const { return minimized_; }
    void bringAllToFront();
    // Makes the window the foreground window, or, where the system refuses that, lets it (and
    // the taskbar button) flash until the user comes to it.
    void bringToFront(HWND window);
    void liftOpenWindows();

    int run();

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    void flashUnlessInFront(HWND window);
    HINSTANCE module_ = nullptr;
    HWND window_ = nullptr;
    HWND main_ = nullptr;
    std::vector<HWND> forms_;
    bool minimized_ = false;
    bool taskbarShown_ = false;
};

} // namespace qlx::win
