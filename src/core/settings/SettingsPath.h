// Where the current user's settings file lives: by default the user's name in a "quiklex"
// folder of the application-data folder, or a path template from the shared settings file
// "quiklex.ini" beside the program when the user cannot add files to the program's folder.
#pragma once

#include <string>

#include "settings/SettingsFileSystem.h"
#include "settings/SettingsReporter.h"
#include "settings/SystemInfoPort.h"

namespace qlx {

// Placeholder passes allowed before a template counts as one that never finishes (a
// replacement that brings back its own placeholder), and the longest path it may grow to.
inline constexpr int kMaxPlaceholderPasses = 32;
inline constexpr size_t kMaxExpandedPathLength = 32767;

struct SettingsLocation {
    std::string SettingsFilePath;
    bool SettingsPathFailed = false;
    bool SharedSettingsUsed = false;
};

std::string GetUserNameText(SystemInfoPort& system);
std::string GetComputerNameText(SystemInfoPort& system);
// The user's application-data folder, normally without a trailing backslash; empty when it
// cannot be found.
std::string getAppDataFolder(SystemInfoPort& system);

// The folder part of a path: "C:\a.ini" gives "C:\", "C:\dir\a.ini" gives "C:\dir" and
// "a.ini" gives "".
std::string settingsDirectoryOf(const std::string& path);

// Works the path out and reports any failure to the user itself (modalDialogOpen is set
// while the message is open). After a failure the path holds what it had come to, and
// saves still go there. A shared file with a path in a folder the user may write to (or
// whose rights the system cannot tell) is set aside, and the user is told so.
SettingsLocation ResolveSettingsPath(const std::string& programFolder, SettingsFileSystem& files,
                                     SystemInfoPort& system, SettingsReporter& reporter,
                                     bool& modalDialogOpen);

// The same on a desktop that follows the XDG base directories: the user's file is
// "quiklex/quiklex.ini" in $XDG_CONFIG_HOME (~/.config when that is unset or not absolute);
// an administrator's shared file is the first "quiklex/quiklex.ini" in $XDG_CONFIG_DIRS
// (/etc/xdg when unset), and its "Shared Settings" path redirects the user's file as on
// Windows (placeholders; a relative path lies in the user's folder). A shared file in a
// folder the user may write to is set aside, and the user is told so.
SettingsLocation ResolveXdgSettingsPath(SettingsFileSystem& files, SystemInfoPort& system,
                                        SettingsReporter& reporter, bool& modalDialogOpen);

} // namespace qlx
