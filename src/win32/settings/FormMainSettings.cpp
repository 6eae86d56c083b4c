// The settings file, the registry's automatic start and the panel's stored position, on the
// main window.
#include "win32/app/FormMain.h"

#include "win32/system/Encoding.h"
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

std::string TFormMain::programFilePath() {
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

void TFormMain::SettingsMessages::showMessage(const std::string& text, const std::string& caption,
                                              SettingsMessageKind kind, bool ownedByMainWindow) {
    form_.messagePort().MessageWin(ownedByMainWindow ? DialogOwner::panel : DialogOwner::none,
                                   text, caption,
                                   kind == SettingsMessageKind::Error ? TMsgDlgType::error
                                                                      : TMsgDlgType::warning,
                                   0);
}

bool TFormMain::determineSettingsLocation() {
    const SettingsLocation location =
        ResolveSettingsPath(core_.ProgramFolder, settingsFiles_, systemInfo_, settingsMessages_,
                            core_.ModalDialogOpen);
    settingsStore_.SettingsFilePath = location.SettingsFilePath;
    SharedSettingsUsed = location.SharedSettingsUsed;
    return !location.SettingsPathFailed;
}

void TFormMain::checkMachineAutostart() { autostart_.checkMachineAutostart(); }

void TFormMain::firstStartOfVersion() {
    autostart_.firstStartOfVersion(core_.SettingsPathFailed, core_.NoInitMessage);
}

void TFormMain::loadSettings() {
    SettingsValues values;
    settingsFromFormMain(core_, values);

    settingsStore_.LoadSettings(values);
    if (values.StartDelayMs != 0) sleepMs(values.StartDelayMs);

    const StoredPosition stored{values.Position.FromTop, values.Position.FromBottom,
                                values.Position.FromLeft, values.Position.FromRight};
    const PanelPlace place = placeStoredPosition(stored, windowBounds(hwnd_), systemMonitors());
    SetWindowPos(hwnd_, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    NormalBounds = windowBounds(hwnd_);

    settingsToFormMain(values, core_);
    messageStore_.ShownTimestamps = std::move(values.ShownTimestamps);
}

SettingsValues TFormMain::currentSettingsValues() {
    SettingsValues values;
    settingsFromFormMain(core_, values);

    // A maximised panel is stored where it stood before.
    const Dimension bounds = IsZoomed(hwnd_) ? NormalBounds : windowBounds(hwnd_);
    const Dimension screen = screenDimension();
    const StoredPosition stored = storedPositionFor(bounds, screen.width, screen.height);
    values.Position = StoredPanelPosition{stored.FromTop, stored.FromBottom, stored.FromLeft,
                                          stored.FromRight};
    return values;
}

void TFormMain::saveSettings() { settingsStore_.SaveSettings(currentSettingsValues()); }

void TFormMain::saveOnExit() { settingsStore_.SaveOnExit(currentSettingsValues()); }

bool TFormMain::settingsMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    // The panel's bounds are only remembered here; the messages go on to their other handling.
    switch (msg) {
    case WM_MOVE:
        if (core_.TrackMoves && hwnd_ && !IsZoomed(hwnd_) && !IsIconic(hwnd_)) {
            const Dimension now = windowBounds(hwnd_);
            NormalBounds.top = now.top;
            NormalBounds.left = now.left;
        }
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED && hwnd_) NormalBounds = windowBounds(hwnd_);
        break;
    default:
        break;
    }
    return false;
}

} // namespace qlx::win
