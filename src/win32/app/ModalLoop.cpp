// Disabling the other windows and registering a modal window with the application.
#include "win32/app/ModalLoop.h"

#include "win32/app/Application.h"

namespace qlx::win {

DisabledWindows::DisabledWindows(HWND dialog) : dialog_(dialog) {
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(this));
}

DisabledWindows::~DisabledWindows() {
    for (HWND w : windows_)
        if (IsWindow(w)) EnableWindow(w, TRUE);
}

BOOL CALLBACK DisabledWindows::collect(HWND w, LPARAM self) {
    auto* me = reinterpret_cast<DisabledWindows*>(self);
    if (w != me->dialog_ && w != Application::instance().handle() && IsWindowVisible(w) &&
        IsWindowEnabled(w)) {
        EnableWindow(w, FALSE);
        me->windows_.push_back(w);
    }
    return TRUE;
}

namespace {
bool keyboardLast = false;
} // namespace

void noteInput(UINT message) {
    // Presses, not moves: the system sends moves also when a window comes under the mouse.
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        keyboardLast = true;
    else if ((message > WM_MOUSEMOVE && message <= WM_MOUSELAST) ||
             (message > WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK))
        keyboardLast = false;
}

bool lastInputFromKeyboard() {
    return keyboardLast;
}

void tellUiState(HWND window, const KeyboardCues& cues) {
    const uint16_t hidden = cues.hidden();
    const uint16_t shown = (kUiHideFocus | kUiHideAccel) & ~hidden;
    if (hidden) SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, hidden), 0);
    if (shown) SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, shown), 0);
}

RegisteredForm::RegisteredForm(HWND form) : form_(form) { Application::instance().addForm(form); }

RegisteredForm::~RegisteredForm() { Application::instance().removeForm(form_); }

} // namespace qlx::win
