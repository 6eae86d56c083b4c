// The program's state that several features read and change: the settings with their
// defaults, the page templates, the last looked-up text, the modal-dialog mark and the
// start-up facts the features need. The main window owns it and hands it to each feature.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "state/PageTemplates.h"

namespace qlx {

inline constexpr uint16_t kDefaultHotkey = 24643; // Ctrl+Shift+C

struct ProgramState {
    // One of the program's modal windows or dialogs is open.
    bool ModalDialogOpen = false;

    // Start-up facts.
    bool NoInitMessage = false;       // "-noinitmessage": no first-start-of-version step
    bool SettingsPathFailed = false;  // no usable settings location was found
    bool SettingsFileMissing = false; // the settings file was not there (first start)
    std::string StoredProgramVersion; // "PrgVersion" as read from the settings
    std::string ProgramFolder;        // with a trailing separator

    // The panel's moves are remembered as its position (after the start-up settles).
    bool TrackMoves = false;
    // The first new news message has been offered (or there was none).
    bool NewMessagesDone = false;

    // Settings with their defaults.
    bool MinimizeStart = false;
    bool SysTrayIcon = true;
    uint16_t Hotkey = kDefaultHotkey;
    bool AlwaysOnTop = true;
    // Whether the panel is in the topmost band now (the menus toggle it for the session).
    bool OnTopActive = true;
    bool UseChromeFrame = false;
    // Settings only some desktops have (the shell gives their defaults); none where the key is
    // neither read nor written, so the Windows program's settings file stays as it was.
    std::optional<bool> LookupSelection;      // the shortcut looks up the selection first
    std::optional<bool> DesktopLimitsNoticed; // the desktop's limits were explained once

    // The page templates (defaults, possibly replaced by the definitions document) and the
    // text of the last lookup.
    PageTemplates Templates;
    std::string LastSearchText;

    // True when StoredProgramVersion is older than this program.
    bool storedVersionOlder() const;
};

} // namespace qlx
