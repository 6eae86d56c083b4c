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

    auto show = [&](const std::string& text) {
        modalDialogOpen = true;
        try {
            reporter.showMessage(text, programTitle, SettingsMessageKind::Warning, false);
        } catch (...) {
        }
        modalDialogOpen = false;
    };
    auto fail = [&] {
        result.SettingsPathFailed = true;
        std::string text = detail;
        if (result.SharedSettingsUsed || detail.empty())
            text = "Fejl ved indl\xE6sning af sti fra fil: " + sharedPath +
                   "\n\n\xC6ndringer vil ikke blive gemt.  Kontakt venligst "
                   "systemadministratoren." +
                   detail;
        show(text);
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
            for (int pass = 0;; ++pass) {
                if (pass >= kMaxPlaceholderPasses || path.size() > kMaxExpandedPathLength) {
                    detail += "\n\nStiens pladsholdere kan ikke udfyldes.";
                    return fail();
                }
                bool replaced = replaceFirst(path, "%user%", GetUserNameText(system));
                replaced =
                    replaceFirst(path, "%computer%", GetComputerNameText(system)) || replaced;

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
                        return fail();
                    }
                    path.insert(p, *value);
                }
                if (!replaced) break;
            }
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

} // namespace qlx
