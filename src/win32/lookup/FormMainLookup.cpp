// Looking words up: the shortcut, the clipboard, DDE pokes and text drops, on the main window.
#include "win32/app/FormMain.h"

#include <string>

#include "win32/system/Clipboard.h"
#include "win32/panel/TrayIcon.h"
#include "win32/system/Encoding.h"
#include "win32/system/WinKeyNames.h"
#include "Text.h"
#include "lookup/DdeNames.h"
#include "lookup/LookupHotKey.h"
#include "settings/ShortcutText.h"

namespace qlx::win {

namespace {
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

namespace {
// The lookup shortcut's quiet retries.
constexpr UINT_PTR kTimerHotKeyRetry = 50;
} // namespace

bool TFormMain::lookupMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg == WM_TIMER && wParam == kTimerHotKeyRetry) {
        core_.LookupHotKey.retryTimer();
        result = 0;
        return true;
    }
    return false;
}

SearchCapture TFormMain::searchCapture() {
    return SearchCapture(core_, *this, shellPort(), messagePort(), textDragMark_);
}

bool TFormMain::registerLookupHotKey(uint16_t shortcut) {
    const HotKeyRegistration key = lookupHotKeyRegistration(shortcut);
    return RegisterHotKey(hwnd_, kLookupHotKeyId, key.modifiers, key.key) != 0;
}

void TFormMain::unregisterLookupHotKey() { UnregisterHotKey(hwnd_, kLookupHotKeyId); }

uint64_t TFormMain::clockMs() { return GetTickCount64(); }

void TFormMain::startHotKeyTimer(uint32_t periodMs) {
    SetTimer(hwnd_, kTimerHotKeyRetry, periodMs, nullptr);
}

void TFormMain::stopHotKeyTimer() { KillTimer(hwnd_, kTimerHotKeyRetry); }

std::string TFormMain::shortcutText(uint16_t shortcut) {
    return shortcutDisplayText(shortcut, layoutKeyName);
}

void TFormMain::trayTipChanged(const std::string& tip) {
    if (core_.SysTrayIcon) SetTrayIconTip(hwnd_, tip);
}

void TFormMain::postHotKeyProblem() { postCommand(0, kCmdHotKeyProblem); }

void TFormMain::ShowHotKeyProblem(bool withHint) {
    messagePort().MessageWin(DialogOwner::none, hotKeyProblemText(withHint), programTitle,
                             TMsgDlgType::warning, 0);
}

void TFormMain::lookupClipboard() {
    // Clipboard trouble of any kind means simply no lookup.
    try {
        if (std::optional<std::string> text = clipboardSearchText(hwnd_))
            searchCapture().lookUp(*text);
    } catch (...) {
    }
}

void TFormMain::registerDropTarget() {
    textDropTarget_ = std::make_unique<TTextDropTarget>();
    qlx::TextDropTarget& events = textDropTarget_->events;
    events.OnDragOver = [this](int, int, ShiftState) { searchCapture().TextDropTargetDragOver(); };
    events.OnDragLeave = [this] { searchCapture().TextDropTargetDragLeave(); };
    events.OnDrop = [this](int, int, ShiftState, const std::string& text) {
        searchCapture().TextDropTargetDrop(text);
    };
    textDropTarget_->SetDropTarget(hwnd_);

    ddeServer_.start(ddeServiceName(std::wstring_view(programFile())),
                     [this](const std::string& line) { searchCapture().DdeSearchTextPokeData(line); });
}

} // namespace qlx::win
