// The user's settings file: sections and keys, load, save, backup.
#include "settings/SettingsStore.h"

#include <limits>
#include <unordered_map>

#include "Text.h"
#include "lookup/LookupHotKey.h"
#include "lookup/TemplateCheck.h"
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"
#include "settings/SettingsText.h"
#include "settings/StartDelay.h"

namespace qlx {

namespace {

// The value that marks a position key as absent when read as an integer.
constexpr int32_t kAbsent = std::numeric_limits<int32_t>::min();

const char* const kMainForm = "MainForm";
const char* const kSettings = "Settings";

std::string trimControls(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::optional<int32_t> readPosition(const IniFile& ini, const char* key) {
    const int32_t value = ini.readInteger(kMainForm, key, kAbsent);
    if (value == kAbsent) return std::nullopt;
    return value;
}

std::string positionText(const std::optional<int32_t>& value) {
    return value ? std::to_string(*value) : std::string();
}

// Every line of the section whose trimmed key is not empty gives the trimmed value of the
// first line with that key; empty values are left out. The first values are gathered in one
// pass: a section of many thousand lines must not make the start quadratic.
std::optional<std::vector<std::string>> readShownTimestamps(const IniFile& ini) {
    const std::vector<std::string>* lines = ini.sectionLines("ShownMessages");
    if (!lines || lines->empty()) return std::nullopt;
    std::unordered_map<std::string, std::string> firstValues;
    std::vector<const std::string*> keyed; // the first value of each keyed line, in order
    keyed.reserve(lines->size());
    for (const std::string& line : *lines) {
        const auto key = iniLineKey(line);
        if (!key) continue;
        std::string name = lowerAscii(trimControls(*key));
        if (name.empty()) continue;
        auto [it, added] = firstValues.try_emplace(std::move(name));
        if (added) it->second = trimControls(std::string_view(line).substr(key->size() + 1));
        keyed.push_back(&it->second);
    }
    std::vector<std::string> stamps;
    for (const std::string* value : keyed)
        if (!value->empty()) stamps.push_back(*value);
    return stamps;
}

// The keys only some desktops use, read and written where the shell gave them a default.
constexpr std::pair<const char*, std::optional<bool> SettingsValues::*> kDesktopKeys[] = {
    {"LookupSelection", &SettingsValues::LookupSelection},
    {"WaylandNoticeShown", &SettingsValues::DesktopLimitsNoticed},
};

void readDesktopKeys(const IniFile& ini, SettingsValues& values) {
    for (const auto& [key, field] : kDesktopKeys)
        if (auto& value = values.*field) value = ini.readBool(kSettings, key, *value);
}

void writeDesktopKeys(IniFile& ini, const SettingsValues& values) {
    for (const auto& [key, field] : kDesktopKeys)
        if (const auto& value = values.*field) ini.writeBool(kSettings, key, *value);
}

} // namespace

std::string makeBackupFileName(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find_first_of("\\:", dot) != std::string::npos)
        return path + ".~";
    return path.substr(0, dot) + ".~" + path.substr(dot + 1);
}

void SettingsStore::LoadSettings(SettingsValues& values) {
    values.SettingsFileMissing = !files_.fileExists(SettingsFilePath);
    SettingsText file;
    if (readSettingsText(files_, SettingsFilePath, file) ==
        SettingsFileSystem::ReadStatus::Failed) {
        reporter_.showMessage("Fejl under indl\xE6sning af dine indstillinger fra filen:  " +
                                  SettingsFilePath,
                              "Fejl", SettingsMessageKind::Error, false);
        return;
    }
    const IniFile ini = IniFile::parse(file.text);

    const std::string version = ini.readString(kSettings, "PrgVersion", "");
    if (!version.empty()) values.StoredProgramVersion = version;

    values.StartDelayMs = startDelayMilliseconds(ini.readInteger("Various", "StartDelay", 0));

    values.Position.FromTop = readPosition(ini, "FromTop");
    values.Position.FromBottom = readPosition(ini, "FromBottom");
    values.Position.FromLeft = readPosition(ini, "FromLeft");
    values.Position.FromRight = readPosition(ini, "FromRight");

    values.MinimizeStart = ini.readBool(kSettings, "MinimizeStart", values.MinimizeStart);
    values.SysTrayIcon = ini.readBool(kSettings, "SysTrayIcon", values.SysTrayIcon);

    // An empty value and a number stored by older versions both mean the default.
    const std::string hotkey = ini.readString(kSettings, "Hotkey", "");
    uint16_t shortcut = 0;
    if (!hotkey.empty() && !(hotkey.front() >= '0' && hotkey.front() <= '9'))
        shortcut = checkedShortcut(textToShortcut(hotkey, keyNames_));
    values.Hotkey = shortcut ? shortcut : kDefaultShortcut;

    values.AlwaysOnTop = ini.readBool(kSettings, "AlwaysOnTop", values.AlwaysOnTop);
    values.OnTopActive = values.AlwaysOnTop;
    values.UseChromeFrame = ini.readBool(kSettings, "UseChromeFrame", values.UseChromeFrame);
    readDesktopKeys(ini, values);

    // A template elsewhere than on the dictionary's domain is not taken: it may have come
    // from a tampered download saved by an older version.
    auto readTemplate = [&](const char* key, std::string& field) {
        std::string text = ini.readString(kSettings, key, "");
        if (!text.empty() && isDictionaryTemplate(text)) field = std::move(text);
    };
    readTemplate("ProgramPageModern", values.ProgramPageModern);
    readTemplate("ProgramPageGCF", values.ProgramPageGCF);
    readTemplate("LookupModern", values.LookupModern);
    readTemplate("LookupGCF", values.LookupGCF);

    values.ShownTimestamps = readShownTimestamps(ini);
}

bool SettingsStore::SaveSettings(const SettingsValues& values) {
    BackupSettingsFileOnce();

    bool ok = false;
    try {
        SettingsText file;
        // A file that exists but cannot be read as text is not overwritten: its other
        // sections would be lost.
        if (readSettingsText(files_, SettingsFilePath, file) !=
            SettingsFileSystem::ReadStatus::Failed) {
            IniFile ini = IniFile::parse(file.text);
            ini.eraseSection(kMainForm);
            ini.writeString(kMainForm, "FromTop", positionText(values.Position.FromTop));
            ini.writeString(kMainForm, "FromBottom", positionText(values.Position.FromBottom));
            ini.writeString(kMainForm, "FromLeft", positionText(values.Position.FromLeft));
            ini.writeString(kMainForm, "FromRight", positionText(values.Position.FromRight));

            ini.eraseSection(kSettings);
            ini.writeString(kSettings, "PrgVersion", programVersion);
            ini.writeBool(kSettings, "MinimizeStart", values.MinimizeStart);
            ini.writeBool(kSettings, "SysTrayIcon", values.SysTrayIcon);
            ini.writeString(kSettings, "Hotkey", shortcutToText(values.Hotkey, keyNames_));
            ini.writeBool(kSettings, "AlwaysOnTop", values.AlwaysOnTop);
            ini.writeBool(kSettings, "UseChromeFrame", values.UseChromeFrame);
            ini.writeString(kSettings, "ProgramPageModern", values.ProgramPageModern);
            ini.writeString(kSettings, "ProgramPageGCF", values.ProgramPageGCF);
            ini.writeString(kSettings, "LookupModern", values.LookupModern);
            ini.writeString(kSettings, "LookupGCF", values.LookupGCF);
            writeDesktopKeys(ini, values);

            ok = writeFileAtomically(files_, SettingsFilePath,
                                     encodeSettingsText(ini.text(), file.encoding));
        }
    } catch (...) {
        ok = false;
    }
    if (!ok)
        reporter_.showMessage("Indstillinger kunne ikke gemmes i filen \n\n" + SettingsFilePath +
                                  "\n\nUnders\xF8g om filkataloget eksisterer og\nom du har ret "
                                  "til at skrive i kataloget.",
                              programTitle, SettingsMessageKind::Warning, false);
    return ok;
}

void SettingsStore::SaveOnExit(const SettingsValues& values) {
    if (saveOnExitDone_) return;
    saveOnExitDone_ = true;
    try {
        SaveSettings(values);
    } catch (...) {
    }
}

void SettingsStore::BackupSettingsFileOnce() {
    if (backupDone_) return;
    try {
        if (files_.fileExists(SettingsFilePath))
            CopySettingsFile(makeBackupFileName(SettingsFilePath));
    } catch (...) {
    }
    backupDone_ = true;
}

bool SettingsStore::CopySettingsFile(const std::string& target) {
    bool ok = false;
    try {
        std::string bytes;
        ok = readSettingsFile(files_, SettingsFilePath, bytes) ==
                 SettingsFileSystem::ReadStatus::Ok &&
             writeFileAtomically(files_, target, bytes);
    } catch (...) {
        ok = false;
    }
    if (!ok)
        reporter_.showMessage("Fejl ved sikkerhedskopiering til filen \n" + target, programTitle,
                              SettingsMessageKind::Warning, false);
    return ok;
}

bool SettingsStore::rewriteSection(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries) {
    try {
        SettingsText file;
        if (readSettingsText(files_, SettingsFilePath, file) ==
            SettingsFileSystem::ReadStatus::Failed)
            return false;
        IniFile ini = IniFile::parse(file.text);
        ini.eraseSection(section);
        for (const auto& [key, value] : entries)
            ini.writeString(section, key, value);
        return writeFileAtomically(files_, SettingsFilePath,
                                   encodeSettingsText(ini.text(), file.encoding));
    } catch (...) {
        return false;
    }
}

} // namespace qlx
