// The main window's window procedure, the program's ports on Windows and their composition.
#include "win32/app/FormMain.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/app/Application.h"
#include "win32/system/Encoding.h"
#include "win32/system/ProgramIcon.h"
#include "win32/system/SingleInstance.h"
#include "win32/system/SystemColours.h"
#include "win32/system/WinKeyNames.h"
#include "win32/system/WorkArea.h"
#include "Text.h"

namespace qlx::win {

TFormMain* TFormMain::instance_ = nullptr;

namespace {
constexpr UINT_PTR kTimerStartup = 1;
constexpr UINT_PTR kTimerKeepStartPlace = 2;
constexpr UINT kMsgRestoreStartPlace = WM_APP + 2;
// Posted when an installer or the system asks the program to close: "Afslut" runs once the
// session message has been answered.
constexpr UINT kMsgTerminate = WM_APP + 3;
// The creation steps that come right after the first show.
constexpr UINT kMsgFinishCreation = WM_APP + 4;
constexpr DWORD kPanelStyle = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;

COLORREF toColorRef(uint32_t colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

std::string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return narrow(path.substr(0, slash == std::wstring::npos ? 0 : slash + 1));
}

// The program's own file; long paths need a larger buffer (32767 characters at most).
std::string programFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= 32768) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return narrow(path);
        }
        path.resize(path.size() * 2);
    }
    return {};
}

Dimension windowBounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Dimension{static_cast<int32_t>(r.top), static_cast<int32_t>(r.left),
                     static_cast<int32_t>(r.bottom - r.top), static_cast<int32_t>(r.right - r.left)};
}

std::vector<std::string> userArguments() {
    std::vector<std::string> args;
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        for (int i = 1; i < argc; ++i) args.push_back(narrow(argv[i]));
        LocalFree(argv);
    }
    return args;
}
} // namespace

TFormMain::TFormMain() : program_(ports()) {}

ShellPorts TFormMain::ports() {
    return ShellPorts{*this,          *this,           panel_.panelWindow(), panel_.trayIcon(),
                      dialogs_,       pages_,          lookup_,              lookup_,
                      definitions_,   messagesWindow_, settingsWindow_,      welcomeWindow_,
                      chromeFrame_,   settingsFiles_,  systemInfo_,          runLists_,
                      layoutKeyName,  programFilePath()};
}

bool TFormMain::create(HINSTANCE module, int showCommand) {
    instance_ = this;
    panelBrush_ = CreateSolidBrush(toColorRef(kPanelColour));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = module;
    wc.hIcon = loadProgramIcon(module, IconKind::Large, screenDpi());
    wc.hIconSm = loadProgramIcon(module, IconKind::Small, screenDpi());
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = panelBrush_;
    wc.lpszClassName = L"TFormMain";
    if (!RegisterClassExW(&wc)) return false;

    Application& app = Application::instance();
    // Created at its start place rather than at 0,0: some X window managers take a position
    // hint of 0,0 as "no position" and place the window themselves.
    const PanelSize size = panelOuterSize(screenDpi());
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Quiklex", kPanelStyle,
                            GetSystemMetrics(SM_CXSCREEN) - 2 * size.width, 0, size.width,
                            size.height, app.handle(), nullptr, module, nullptr);
    if (!hwnd_) return false;
    app.setMainWindow(hwnd_);
    pages_.setOwner(hwnd_);

    program_.core().FormCreate(userArguments(), programFolder());

    GetWindowRect(hwnd_, &startPlace_);
    keepStartPlace_ = SetTimer(hwnd_, kTimerKeepStartPlace, 3000, nullptr) != 0;
    ShowWindow(hwnd_, showCommand == SW_SHOWMINNOACTIVE ? SW_SHOWNA : SW_SHOW);
    UpdateWindow(hwnd_);
    program_.core().FormShow();
    return true;
}

void TFormMain::endProgram() { DestroyWindow(hwnd_); }

void TFormMain::restoreApplication() { Application::instance().restore(); }
void TFormMain::bringAllToFront() { Application::instance().bringAllToFront(); }
void TFormMain::liftOpenWindows() { Application::instance().liftOpenWindows(); }
void TFormMain::minimizeApplication() { Application::instance().minimize(); }

void TFormMain::postFinishCreation() { PostMessageW(hwnd_, kMsgFinishCreation, 0, 0); }

void TFormMain::postCommand(uint16_t wParam, int32_t lParam) {
    PostMessageW(hwnd_, UniqueProductMessage, wParam, static_cast<LPARAM>(lParam));
}

void TFormMain::sleepMs(uint32_t ms) { Sleep(ms); }

void TFormMain::startStartupTimer() {
    startupTimerOn_ = SetTimer(hwnd_, kTimerStartup, 1000, nullptr) != 0;
}

void TFormMain::stopStartupTimer() {
    KillTimer(hwnd_, kTimerStartup);
    startupTimerOn_ = false;
}

void TFormMain::setPanelBounds(int left, int top, int width, int height) {
    // A place the program gives the panel itself is not undone as a window manager's.
    keepStartPlace_ = false;
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TFormMain::screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int TFormMain::screenDpi() { return windowDpi(nullptr); }
Dimension TFormMain::screenSize() { return screenDimension(); }
bool TFormMain::panelZoomed() { return IsZoomed(hwnd_) != FALSE; }

void TFormMain::setOnTopCheckMarks(bool checked) {
    panel_.popupMenus().setOnTopCheckMarks(checked);
}

void TFormMain::openTrayMenuAtCursor() {
    POINT p{};
    GetCursorPos(&p);
    panel_.openPopupMenu(panel_.popupMenus().trayMenu(), p);
}

void TFormMain::openTrayMenuAt(int32_t x, int32_t y) {
    panel_.openPopupMenu(panel_.popupMenus().trayMenu(), POINT{x, y});
}

void TFormMain::trackBounds(UINT msg, WPARAM wParam) {
    if (hwnd_ == nullptr) return;
    if (msg == WM_MOVE && !IsZoomed(hwnd_) && !IsIconic(hwnd_))
        program_.panelMoved(windowBounds(hwnd_));
    else if (msg == WM_SIZE && wParam == SIZE_RESTORED)
        program_.panelRestored(windowBounds(hwnd_));
}

LRESULT CALLBACK TFormMain::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TFormMain* self = instance_;
    if (self == nullptr || (self->hwnd_ != nullptr && self->hwnd_ != hwnd))
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (self->hwnd_ == nullptr) self->hwnd_ = hwnd;
    // Nothing thrown by a handler may leave the window procedure.
    try {
        return self->handle(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT TFormMain::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    FormMainCore& core = program_.core();
    if (msg == UniqueProductMessage && msg != 0)
        return core.UniqueProductMessage(wParam, lParam, UniqueProductMessage);
    // A new colour scheme (high contrast on or off): the panel draws in it at once.
    if (colourSchemeChanged(msg, wParam)) InvalidateRect(hwnd_, nullptr, FALSE);
    switch (msg) {
    case WM_WINDOWPOSCHANGED:
        if (keepStartPlace_) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE) &&
                (pos->x != startPlace_.left || pos->y != startPlace_.top))
                PostMessageW(hwnd_, kMsgRestoreStartPlace, 0, 0);
        }
        break;
    case kMsgRestoreStartPlace:
        if (keepStartPlace_)
            SetWindowPos(hwnd_, nullptr, startPlace_.left, startPlace_.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        keepStartPlace_ = false;
        break;
    case WM_TIMER:
        if (wParam == kTimerKeepStartPlace) {
            KillTimer(hwnd_, kTimerKeepStartPlace);
            keepStartPlace_ = false;
            return 0;
        }
        break;
    }
    if (msg == WM_MOVE || msg == WM_SIZE) trackBounds(msg, wParam); // and on
    LRESULT result = 0;
    if (panel_.message(msg, wParam, lParam, result) ||
        lookup_.message(msg, wParam, lParam, result) ||
        definitions_.message(msg, wParam, lParam, result) ||
        messagesWindow_.message(msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case WM_HOTKEY:
        core.HotKey();
        return 0;
    case WM_CLOSE:
        // A close request from the system only minimises; "Afslut" really ends the program.
        Application::instance().minimize();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) core.FormActivate();
        break;
    case WM_ACTIVATEAPP:
        if (!wParam) core.ApplicationEvents1Deactivate();
        break;
    case WM_TIMER:
        if (wParam == kTimerStartup) {
            core.TimerStartupTimer();
            return 0;
        }
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows is ending the session: keep the settings as at "Afslut". An installer that
        // replaces the program asks it to close this way too (close-app), and then it ends.
        if (wParam) core.FormCloseQuery();
        if (wParam && (lParam & ENDSESSION_CLOSEAPP)) PostMessageW(hwnd_, kMsgTerminate, 0, 0);
        return 0;
    case kMsgTerminate:
        program_.terminate();
        return 0;
    case kMsgFinishCreation:
        core.FinishCreation();
        return 0;
    case WM_DESTROY:
        Application::instance().setMainWindow(nullptr);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

} // namespace qlx::win
