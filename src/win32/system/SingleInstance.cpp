// The single-instance guard and the second start's signal to the first.
#include "win32/system/SingleInstance.h"

#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

#include "win32/system/Encoding.h"
#include "app/CommandLine.h"

namespace qlx::win {

UINT UniqueProductMessage = 0;

namespace {
uint16_t forwardedCommand = 0;
// Each window gets 200 ms to answer; however many windows hang or answer slowly, a second
// start stops asking after this long and ends as it does when nobody answered.
constexpr ULONGLONG kForwardLimitMs = 5000;
ULONGLONG forwardDeadline = 0;

// The running instance brings its windows to the front while it answers. The system lets a
// program do that only when the program in front allows it, which this start, just launched
// by the user, may: it allows the process of the program's panel before asking it.
void allowToComeForward(HWND window) {
    wchar_t name[16] = L"";
    if (GetClassNameW(window, name, 16) == 0 || std::wcscmp(name, L"TFormMain") != 0) return;
    DWORD process = 0;
    if (GetWindowThreadProcessId(window, &process) && process != 0)
        AllowSetForegroundWindow(process);
}
} // namespace

bool registerUniqueProductMessage() {
    UniqueProductMessage = RegisterWindowMessageW(L"Quiklex application specific message");
    return UniqueProductMessage != 0;
}

BOOL CALLBACK findRunningInstanceProc(HWND window, LPARAM resultSlot) {
    if (forwardDeadline != 0 && GetTickCount64() > forwardDeadline) return FALSE;
    allowToComeForward(window);
    DWORD_PTR reply = 0;
    LRESULT ok = SendMessageTimeoutW(window, UniqueProductMessage, forwardedCommand, 0,
                                     SMTO_BLOCK | SMTO_ABORTIFHUNG, 200, &reply);
    if (ok == 0) return TRUE;
    if (reply == UniqueProductMessage) {
        *reinterpret_cast<HWND*>(resultSlot) = window;
        return FALSE;
    }
    return TRUE;
}

bool checkForRunningInstance() {
    try {
        // Held until the process ends; the system releases it then.
        HANDLE semaphore = CreateSemaphoreW(nullptr, 1, 1, L"QuiklexSINGLE.SEMAPHORE");
        if (semaphore == nullptr) return false;
        if (WaitForSingleObject(semaphore, 0) == WAIT_OBJECT_0) return false;

        std::vector<std::string> args;
        int argc = 0;
        if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
            for (int i = 1; i < argc; ++i) args.push_back(narrow(argv[i]));
            LocalFree(argv);
        }
        forwardedCommand = forwardedCommandFromArgs(args);

        HWND found = nullptr;
        forwardDeadline = GetTickCount64() + kForwardLimitMs;
        EnumWindows(findRunningInstanceProc, reinterpret_cast<LPARAM>(&found));
        if (found != nullptr) SetForegroundWindow(found);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace qlx::win
