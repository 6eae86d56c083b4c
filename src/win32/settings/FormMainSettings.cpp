// The settings file, the registry's automatic start and the panel's stored position, on the
// main window.
#include "win32/settings/FormMainSettings.h"

#include "win32/app/FormMain.h"
#include "win32/system/Encoding.h"
#include "win32/system/WinKeyNames.h"
#include "win32/system/WorkArea.h"
#include "settings/FormMainSettings.h"
#include "settings/SettingsPath.h"

namespace qlx::win {

namespace {

Dimension windowBounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Dimension{static_cast<int32_t>(r.top), static_cast<int32_t>(r.left),
                     static_cast<int32_t>(r.bottom - r.top), static_cast<int32_t>(r.right - r.left)};
}

} // namespace

FormMainSettings::FormMainSettings(TFormMain& form)
    : form_(form), settingsMessages_(form),
      settingsStore_(settingsFiles_, settingsMessages_, layoutKeyName),
      autostart_(runLists_, settingsMessages_, programFilePath()) {}

std::string FormMainSettings::programFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    // Long paths need a larger buffer; 32767 characters is the most Windows gives.
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

bool FormMainSettings::determineSettingsLocation() {
    const SettingsLocation location =
        ResolveSettingsPath(form_.state().ProgramFolder, settingsFiles_, systemInfo_,
                            settingsMessages_, form_.state().ModalDialogOpen);
    settingsStore_.SettingsFilePath = location.SettingsFilePath;
    SharedSettingsUsed = location.SharedSettingsUsed;
    return !location.SettingsPathFailed;
}

void FormMainSettings::checkMachineAutostart() { autostart_.checkMachineAutostart(); }

void FormMainSettings::firstStartOfVersion() {
    autostart_.firstStartOfVersion(form_.state().SettingsPathFailed, form_.state().NoInitMessage);
}

void FormMainSettings::loadSettings() {
    const HWND hwnd = form_.handle();
    SettingsValues values;
    settingsFromFormMain(form_.state(), values);

    settingsStore_.LoadSettings(values);
    if (values.StartDelayMs != 0) form_.sleepMs(values.StartDelayMs);

    const StoredPosition stored{values.Position.FromTop, values.Position.FromBottom,
                                values.Position.FromLeft, values.Position.FromRight};
    const PanelPlace place = placeStoredPosition(stored, windowBounds(hwnd), systemMonitors());
    SetWindowPos(hwnd, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    NormalBounds = windowBounds(hwnd);

    settingsToFormMain(values, form_.state());
    form_.messages().store().ShownTimestamps = std::move(values.ShownTimestamps);
}

SettingsValues FormMainSettings::currentSettingsValues() {
    const HWND hwnd = form_.handle();
    SettingsValues values;
    settingsFromFormMain(form_.state(), values);

    // A maximised panel is stored where it stood before.
    const Dimension bounds = IsZoomed(hwnd) ? NormalBounds : windowBounds(hwnd);
    const Dimension screen = screenDimension();
    const StoredPosition stored = storedPositionFor(bounds, screen.width, screen.height);
    values.Position = StoredPanelPosition{stored.FromTop, stored.FromBottom, stored.FromLeft,
                                          stored.FromRight};
    return values;
}

void FormMainSettings::saveSettings() { settingsStore_.SaveSettings(currentSettingsValues()); }

void FormMainSettings::saveOnExit() { settingsStore_.SaveOnExit(currentSettingsValues()); }

bool FormMainSettings::message(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    const HWND hwnd = form_.handle();
    // The panel's bounds are only remembered here; the messages go on to their other handling.
    switch (msg) {
    case WM_MOVE:
        if (form_.state().TrackMoves && hwnd && !IsZoomed(hwnd) && !IsIconic(hwnd)) {
            const Dimension now = windowBounds(hwnd);
            NormalBounds.top = now.top;
            NormalBounds.left = now.left;
        }
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED && hwnd) NormalBounds = windowBounds(hwnd);
        break;
    default:
        break;
    }
    return false;
}

} // namespace qlx::win
