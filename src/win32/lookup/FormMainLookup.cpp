// Looking words up: the shortcut, the clipboard, DDE pokes and text drops, on the main window.
#include "win32/lookup/FormMainLookup.h"

#include <string>

#include "win32/app/FormMain.h"
#include "win32/panel/TrayIcon.h"
#include "win32/system/Clipboard.h"
#include "win32/system/Encoding.h"
#include "win32/system/WinKeyNames.h"
#include "Text.h"
#include "lookup/DdeNames.h"
#include "lookup/LookupHotKey.h"
#include "settings/ShortcutText.h"
#include "state/ProgramCommands.h"

namespace qlx::win {

namespace {
// The lookup shortcut's quiet retries.
constexpr UINT_PTR kTimerHotKeyRetry = 50;
// Watching for the release of a pressed shortcut, often enough that a quick second press
// after it counts.
constexpr UINT_PTR kTimerHotKeyRelease = 51;
constexpr UINT kReleaseWatchMs = 30;
// Asks the system for no repeats while the keys are held (Windows 7 on).
constexpr UINT kModNoRepeat = 0x4000;

std::wstring programFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

bool FormMainLookup::message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (msg == WM_HOTKEY && wParam == kLookupHotKeyId) return hotKeyRepeat(HIWORD(lParam));
    if (msg != WM_TIMER) return false;
    if (wParam == kTimerHotKeyRetry) {
        form_.program().hotKeys().retryTimer();
        return true;
    }
    if (wParam == kTimerHotKeyRelease) {
        watchRelease();
        return true;
    }
    return false;
}

bool FormMainLookup::hotKeyRepeat(UINT key) {
    if (!repeat_.hotKey(GetTickCount64())) return true;
    heldKey_ = key != 0 ? key : lookupHotKeyRegistration(form_.program().hotKeys().chosen()).key;
    SetTimer(form_.handle(), kTimerHotKeyRelease, kReleaseWatchMs, nullptr);
    return false;
}

void FormMainLookup::watchRelease() {
    if (heldKey_ == 0 || GetAsyncKeyState(static_cast<int>(heldKey_)) >= 0) repeat_.released();
    if (!repeat_.watching(GetTickCount64())) KillTimer(form_.handle(), kTimerHotKeyRelease);
}

bool FormMainLookup::registerLookupHotKey(uint16_t shortcut) {
    const HotKeyRegistration key = lookupHotKeyRegistration(shortcut);
    return RegisterHotKey(form_.handle(), kLookupHotKeyId, key.modifiers | kModNoRepeat,
                          key.key) != 0;
}

void FormMainLookup::unregisterLookupHotKey() { UnregisterHotKey(form_.handle(), kLookupHotKeyId); }

uint64_t FormMainLookup::clockMs() { return GetTickCount64(); }

void FormMainLookup::startHotKeyTimer(uint32_t periodMs) {
    SetTimer(form_.handle(), kTimerHotKeyRetry, periodMs, nullptr);
}

void FormMainLookup::stopHotKeyTimer() { KillTimer(form_.handle(), kTimerHotKeyRetry); }

std::string FormMainLookup::shortcutText(uint16_t shortcut) {
    return shortcutDisplayText(shortcut, layoutKeyName);
}

void FormMainLookup::trayTipChanged(const std::string& tip) {
    if (form_.state().SysTrayIcon) SetTrayIconTip(form_.handle(), tip);
}

void FormMainLookup::postHotKeyProblem() { form_.postCommand(0, kCmdHotKeyProblem); }

std::optional<std::string> FormMainLookup::clipboardText() {
    return clipboardSearchText(form_.handle());
}

void FormMainLookup::startTextInputs() {
    textDropTarget_ = std::make_unique<TTextDropTarget>();
    qlx::TextDropTarget& events = textDropTarget_->events;
    events.OnDragOver = [this](int, int, ShiftState) { form_.program().lookups().TextDropTargetDragOver(); };
    events.OnDragLeave = [this] { form_.program().lookups().TextDropTargetDragLeave(); };
    events.OnDrop = [this](int, int, ShiftState, const std::string& text) {
        form_.program().lookups().TextDropTargetDrop(text);
    };
    textDropTarget_->SetDropTarget(form_.handle());

    ddeServer_.start(ddeServiceName(std::wstring_view(programFile())),
                     [this](const std::string& line) { form_.program().lookups().DdeSearchTextPokeData(line); });
}

} // namespace qlx::win
