// Loading and saving the user's settings file: the values the main window keeps, the
// backup made before the first save of a run, and whole-section rewrites for other units.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsFileSystem.h"
#include "settings/SettingsReporter.h"
#include "settings/ShortcutText.h"

namespace qlx {

inline constexpr uint16_t kDefaultShortcut = 24643; // Shift+Ctrl+C

// The panel's stored distances from the screen edges; an empty optional is an absent key.
// The placement code turns the panel's bounds into these and back.
struct StoredPanelPosition {
    std::optional<int32_t> FromTop;
    std::optional<int32_t> FromBottom;
    std::optional<int32_t> FromLeft;
    std::optional<int32_t> FromRight;
};

// Everything the settings file holds for the main window. The caller fills in the defaults
// (and the built-in page templates) before loading; loading keeps what the file lacks.
struct SettingsValues {
    bool MinimizeStart = false;
    bool SysTrayIcon = true;
    uint16_t Hotkey = kDefaultShortcut;
    bool AlwaysOnTop = true;
    bool OnTopActive = true; // set equal to AlwaysOnTop by loading; never saved
    bool UseChromeFrame = false;
    // Keys of some desktops only: none is neither read nor written.
    std::optional<bool> LookupSelection;
    std::optional<bool> DesktopLimitsNoticed;
    std::string ProgramPageModern;
    std::string ProgramPageGCF;
    std::string LookupModern;
    std::string LookupGCF;
    std::string StoredProgramVersion; // only ever read
    bool SettingsFileMissing = false; // only ever read
    StoredPanelPosition Position;     // read at load, written by every save
    uint32_t StartDelayMs = 0;        // read at load: how long the caller should wait
    // The shown-message timestamps; none when the section has no line.
    std::optional<std::vector<std::string>> ShownTimestamps;
};

// Backup path: the extension's "." becomes ".~" (bruger1.ini -> bruger1.~ini); a path
// without an extension gets ".~" appended.
std::string makeBackupFileName(const std::string& path);

class SettingsStore {
  public:
    SettingsStore(SettingsFileSystem& files, SettingsReporter& reporter,
                  KeyNameSource keyNames = {})
        : files_(files), reporter_(reporter), keyNames_(std::move(keyNames)) {}

    std::string SettingsFilePath;

    // Reads the file into the values; a missing file leaves them as they are. A file that
    // exists but cannot be read is reported.
    void LoadSettings(SettingsValues& values);
    // Backs the file up once per run, then rewrites "MainForm" and "Settings" and keeps
    // every other section. False after a reported failure; the file on disk is then the
    // old one, never a half-written one.
    bool SaveSettings(const SettingsValues& values);
    // SaveSettings, once per run, with every failure swallowed (its report still appears).
    void SaveOnExit(const SettingsValues& values);
    void BackupSettingsFileOnce();
    // Copies the settings file to the target; false after a reported failure.
    bool CopySettingsFile(const std::string& target);
    // Reads the file afresh, replaces one section by the given keys and values (in order)
    // and swaps the file in; no entries erases the section. Reports nothing: false tells the
    // caller to report in its own words.
    bool rewriteSection(const std::string& section,
                        const std::vector<std::pair<std::string, std::string>>& entries);

  private:
    SettingsFileSystem& files_;
    SettingsReporter& reporter_;
    KeyNameSource keyNames_;
    bool saveOnExitDone_ = false;
    bool backupDone_ = false;
};

} // namespace qlx
