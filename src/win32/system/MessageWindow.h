// Message-only windows: hidden, never broadcast to, owned by the thread that makes them.
#pragma once

#include <windows.h>

namespace qlx::win {

// Registers the class (once per process) and makes a message-only window of it on this
// thread; null when either fails.
HWND createMessageWindow(const wchar_t* className, WNDPROC procedure);

} // namespace qlx::win
