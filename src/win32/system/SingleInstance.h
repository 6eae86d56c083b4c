// One instance per logon session: the registered message, the semaphore and the forwarding of
// a second start's request to the running instance.
#pragma once

#include <windows.h>

namespace qlx::win {

// The program's registered window message; 0 until registered.
extern UINT UniqueProductMessage;

bool registerUniqueProductMessage();
// True when another instance holds the semaphore (it has then been signalled).
bool checkForRunningInstance();
BOOL CALLBACK findRunningInstanceProc(HWND window, LPARAM resultSlot);

} // namespace qlx::win
