// Program entry: one instance per logon session, then the main window and its message loop.
#include <windows.h>

#include <ole2.h>

#include "win32/app/Application.h"
#include "win32/app/FormMain.h"
#include "win32/system/SingleInstance.h"
#include "win32/system/SystemLibrary.h"

using namespace qlx::win;

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int showCommand) {
    // DLLs load from the system folder only, never from the working directory.
    restrictDllSearchToSystemFolder();

    bool registered = false;
    try {
        registered = registerUniqueProductMessage();
    } catch (...) {
    }
    if (!registered) {
        MessageBoxW(nullptr, L"Fejl i Windows:  Kunne ikke registrere UniqueProductMessage",
                    L"Quiklex", MB_OK | MB_ICONERROR);
        return 1;
    }
    if (checkForRunningInstance()) return 1;

    // OLE for the whole GUI thread before its first window exists: drag and drop, and the
    // accessible objects, which a reader may ask a window for as soon as it is created.
    struct OleScope {
        bool ready = SUCCEEDED(OleInitialize(nullptr));
        ~OleScope() {
            if (ready) OleUninitialize();
        }
    } ole;

    try {
        Application& app = Application::instance();
        if (!app.initialise(module)) return 0;

        wchar_t path[MAX_PATH];
        DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            for (DWORD i = n; i > 0; --i)
                if (path[i - 1] == L'\\' || path[i - 1] == L'/') {
                    path[i] = L'\0';
                    break;
                }
            SetCurrentDirectoryW(path);
        }

        static TFormMain form;
        if (!form.create(module, showCommand)) return 0;
        return app.run();
    } catch (...) {
        MessageBoxW(nullptr, L"Der opstod en uventet fejl.", L"Quiklex", MB_OK | MB_ICONERROR);
        return 0;
    }
}
