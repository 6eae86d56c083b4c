// The settings file's location: shared template, placeholders, relative paths and the
// folder check.
#include "settings/SettingsPath.h"

#include "Text.h"
#include "settings/IniFile.h"
#include "settings/SettingsText.h"

namespace qlx {

namespace {

const char* const kSharedFileName = "quiklex.ini";

std::string trimControls(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return text.substr(begin, end - begin);
}

// Replaces the first occurrence of a placeholder found in the lower-case copy.
bool replaceFirst(std::string& path, std::string_view placeholder, const std::string& with) {
    const size_t at = lowerAscii(path).find(placeholder);
    if (at == std::string::npos) return false;
    path.replace(at, placeholder.size(), with);
    return true;
}

// The failure message: the reason alone, or, where the administrator's file was in use (or
// nothing more is known), the file named and the administrator asked for.
std::string pathFailureText(const std::string& sharedPath, const std::string& detail,
                            bool sharedUsed) {
    if (!sharedUsed && !detail.empty()) return detail;
    return "Fejl ved indl\xE6sning af sti fra fil: " + sharedPath +
           "\n\n\xC6ndringer vil ikke blive gemt.  Kontakt venligst systemadministratoren." +
           detail;
}

// A warning the user answers; the modal-dialog mark is set while it is open.
void warn(SettingsReporter& reporter, bool& modalDialogOpen, const std::string& text) {
    modalDialogOpen = true;
    try {
        reporter.showMessage(text, programTitle, SettingsMessageKind::Warning, false);
    } catch (...) {
    }
    modalDialogOpen = false;
}

// Fills in %user%, %computer% and %env(NAME)% until none is left; false with the reason in
// detail when a variable has no value or the placeholders never run out.
bool expandSettingsPlaceholders(std::string& path, SystemInfoPort& system, std::string& detail) {
    for (int pass = 0;; ++pass) {
        if (pass >= kMaxPlaceholderPasses || path.size() > kMaxExpandedPathLength) {
            detail += "\n\nStiens pladsholdere kan ikke udfyldes.";
            return false;
        }
        bool replaced = replaceFirst(path, "%user%", GetUserNameText(system));
        replaced = replaceFirst(path, "%computer%", GetComputerNameText(system)) || replaced;

        const std::string lower = lowerAscii(path);
        const size_t p = lower.find("%env(");
        const size_t q = lower.find(")%");
        if (p != std::string::npos && q != std::string::npos && q > p + 5) {
            replaced = true;
            const std::string name = path.substr(p + 5, q - p - 5);
            path.erase(p, q - p + 2);
            const std::optional<std::string> value = system.environmentVariable(name);
            if (!value || value->empty()) {
                path.insert(p, "error_" + name);
                detail = "\n\nMilj\xF8variablen \"" + name + "\" kunne ikke findes.";
                return false;
            }
            path.insert(p, *value);
        }
        if (!replaced) return true;
    }
}

} // namespace

std::string GetUserNameText(SystemInfoPort& system) {
    return system.userName().value_or("NoUserNameFound");
}

std::string GetComputerNameText(SystemInfoPort& system) {
    return system.computerName().value_or("NoComputerNameFound");
}

std::string getAppDataFolder(SystemInfoPort& system) {
    if (system.hasShellFolders()) {
        std::string folder;
        try {
            folder = system.shellAppDataFolder();
        } catch (...) {
            folder.clear();
        }
        if (!folder.empty()) return folder;
    }
    try {
        return system.registryAppDataFolder();
    } catch (...) {
        return {};
    }
}

std::string settingsDirectoryOf(const std::string& path) {
    const size_t last = path.find_last_of("\\:");
    if (last == std::string::npos) return {};
    size_t keep = last + 1;
    // The backslash stays when it is the root ("C:\") or part of a leading "\\".
    if (path[last] == '\\' && !(last > 0 && (path[last - 1] == ':' || path[last - 1] == '\\')))
        keep = last;
    return path.substr(0, keep);
}

SettingsLocation ResolveSettingsPath(const std::string& programFolder, SettingsFileSystem& files,
                                     SystemInfoPort& system, SettingsReporter& reporter,
                                     bool& modalDialogOpen) {
    SettingsLocation result;
    std::string& path = result.SettingsFilePath;
    const std::string sharedPath = programFolder + kSharedFileName;
    std::string detail;

    auto show = [&](const std::string& text) { warn(reporter, modalDialogOpen, text); };
    auto fail = [&] {
        result.SettingsPathFailed = true;
        show(pathFailureText(sharedPath, detail, result.SharedSettingsUsed));
        return result;
    };
    bool templateIgnored = false;

    try {
        // The shared file counts only where an administrator put the program: in a folder the
        // user cannot add files to. Anywhere else (a copy in Downloads, on a stick) anybody may
        // have dropped it there, and its template could send the settings, and with them the
        // user's network log-on, to any host with any variable's value in the path.
        const bool sharedExists = files.fileExists(sharedPath);
        const bool sharedCounts = sharedExists && system.userCanAddFiles(programFolder) == false;
        if (sharedCounts) result.SharedSettingsUsed = true;
        SettingsText sharedText;
        if (sharedExists && readSettingsText(files, sharedPath, sharedText) ==
                                SettingsFileSystem::ReadStatus::Failed) {
            if (sharedCounts) return fail();
            sharedText = {};
        }
        path = trimControls(
            IniFile::parse(sharedText.text).readString("Shared Settings", "UsersIniFilePath", ""));
        if (!sharedCounts) {
            templateIgnored = !path.empty();
            path.clear();
        }
        detail = "\n(l\xE6st sti: " + path + ").";

        if (path.empty()) {
            path = GetUserNameText(system) + ".ini";
        } else {
            result.SharedSettingsUsed = true;
            if (!expandSettingsPlaceholders(path, system, detail)) return fail();
        }

        if (!path.empty() && path.front() != '\\') {
            std::string drive;
            if (path.size() >= 2 && path[1] == ':') {
                drive = path.substr(0, 2);
                path = path.size() > 2 ? path.substr(2, 999) : std::string();
            }
            if (!path.empty() && path.front() != '\\') {
                if (drive.empty()) {
                    std::string folder = getAppDataFolder(system);
                    if (folder.empty()) {
                        path = programFolder + "_" + path;
                    } else {
                        if (folder.back() != '\\') folder += '\\';
                        path = folder + "quiklex\\" + path;
                        if (!files.directoryExists(folder + "quiklex"))
                            files.createDirectory(folder + "quiklex");
                    }
                } else {
                    path = "\\" + path;
                }
            }
            path = drive + path;
        }

        const std::string directory = settingsDirectoryOf(path);
        if (!directory.empty() && !files.directoryExists(directory)) {
            detail = "\n\nKataloget " + directory + " eksisterer ikke.";
            return fail();
        }
    } catch (...) {
        return fail();
    }
    if (templateIgnored)
        show("Filen " + sharedPath +
             " bruges ikke.\n\nEn f\xE6lles indstillingsfil g\xE6lder kun, n\xE5r programmet "
             "ligger i en mappe, som du ikke selv kan \xE6ndre (fx Programmer). Her kan "
             "hvem som helst have lagt den.\n\nDine indstillinger gemmes i " +
             path + ".");
    return result;
}

SettingsLocation ResolveXdgSettingsPath(SettingsFileSystem& files, SystemInfoPort& system,
                                        SettingsReporter& reporter, bool& modalDialogOpen) {
    SettingsLocation result;
    std::string& path = result.SettingsFilePath;
    auto variable = [&](const char* name) {
        const std::optional<std::string> value = system.environmentVariable(name);
        return value ? *value : std::string();
    };
    auto show = [&](const std::string& text) { warn(reporter, modalDialogOpen, text); };

    // The user's folder: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
    std::string home = variable("XDG_CONFIG_HOME");
    if (home.empty() || home.front() != '/') {
        const std::string user = variable("HOME");
        home = user.empty() ? std::string() : user + "/.config";
    }
    const std::string folder = home + "/quiklex";

    // The shared file: the first one in $XDG_CONFIG_DIRS (absolute entries only).
    std::string sharedPath;
    std::string dirs = variable("XDG_CONFIG_DIRS");
    if (dirs.empty()) dirs = "/etc/xdg";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        start = end + 1;
        if (dir.empty() || dir.front() != '/') continue;
        const std::string candidate = dir + (dir.back() == '/' ? "" : "/") + "quiklex/quiklex.ini";
        if (files.fileExists(candidate)) {
            sharedPath = candidate;
            break;
        }
    }

    std::string detail;
    auto fail = [&] {
        result.SettingsPathFailed = true;
        show(pathFailureText(sharedPath, detail, result.SharedSettingsUsed));
        return result;
    };

    bool templateIgnored = false;
    try {
        std::string redirect;
        if (!sharedPath.empty()) {
            // As beside a Windows program: only a file the user cannot have put there counts.
            const std::string sharedFolder = sharedPath.substr(0, sharedPath.size() - 11);
            const bool counts = system.userCanAddFiles(sharedFolder) == false;
            SettingsText text;
            const bool failed = readSettingsText(files, sharedPath, text) ==
                                SettingsFileSystem::ReadStatus::Failed;
            if (counts) result.SharedSettingsUsed = true;
            if (failed && counts) return fail();
            if (!failed)
                redirect = trimControls(IniFile::parse(text.text)
                                            .readString("Shared Settings", "UsersIniFilePath", ""));
            if (!counts) {
                templateIgnored = !redirect.empty();
                redirect.clear();
            }
        }
        detail = "\n(l\xE6st sti: " + redirect + ").";
        if (home.empty()) {
            detail = "\n\nMilj\xF8variablen \"HOME\" kunne ikke findes.";
            return fail();
        }
        if (!files.directoryExists(home)) files.createDirectory(home);
        if (!files.directoryExists(folder)) files.createDirectory(folder);
        if (redirect.empty()) {
            path = folder + "/quiklex.ini";
        } else {
            path = redirect;
            if (!expandSettingsPlaceholders(path, system, detail)) return fail();
            if (path.front() != '/') path = folder + "/" + path;
        }
        const std::string directory = path.substr(0, path.find_last_of('/'));
        if (!directory.empty() && !files.directoryExists(directory)) {
            detail = "\n\nKataloget " + directory + " eksisterer ikke.";
            return fail();
        }
    } catch (...) {
        return fail();
    }
    if (templateIgnored)
        show("Filen " + sharedPath +
             " bruges ikke.\n\nEn f\xE6lles indstillingsfil g\xE6lder kun, n\xE5r ingen "
             "andre end systemadministratoren kan \xE6ndre dens mappe.\n\nDine indstillinger "
             "gemmes i " +
             path + ".");
    return result;
}

} // namespace qlx
