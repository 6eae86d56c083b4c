// libFuzzer target over the INI text and the settings path: the input is a settings file and
// a shared settings file at once. Its "Fuzz" sections script the fakes: [Fuzz System] user=,
// computer=, appdata=, registry=, nodirs=1, writable=1 (the program's folder; another value: the
// system cannot tell); [Fuzz Env] NAME=value; [Fuzz Write] section/key=value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FakeSettingsPorts.h"
#include "Text.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsText.h"

namespace {

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) __builtin_trap();                                                        \
    } while (0)

std::string withoutLineBreaks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    return out;
}

std::string withoutPercent(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '%') out += c;
    return out;
}

class ScriptedSystem : public qlx::SystemInfoPort {
  public:
    explicit ScriptedSystem(const qlx::IniFile& script) : script_(script) {}
    int lookups = 0;

    std::optional<std::string> userName() override { return script_.value("Fuzz System", "user"); }
    std::optional<std::string> computerName() override {
        return script_.value("Fuzz System", "computer");
    }
    std::optional<std::string> environmentVariable(const std::string& name) override {
        ++lookups;
        return script_.value("Fuzz Env", name);
    }
    bool hasShellFolders() override { return true; }
    // No "%" here, so that whatever placeholder survives the expansion came from it.
    std::string shellAppDataFolder() override {
        return withoutPercent(script_.readString("Fuzz System", "appdata", ""));
    }
    std::string registryAppDataFolder() override {
        return withoutPercent(script_.readString("Fuzz System", "registry", ""));
    }
    std::optional<bool> userCanAddFiles(const std::string&) override {
        const std::optional<std::string> writable = script_.value("Fuzz System", "writable");
        if (!writable || *writable == "0") return false;
        if (*writable == "1") return true;
        return std::nullopt;
    }

  private:
    const qlx::IniFile& script_;
};

class CountingReporter : public qlx::SettingsReporter {
  public:
    int shown = 0;
    void showMessage(const std::string&, const std::string&, qlx::SettingsMessageKind,
                     bool) override {
        ++shown;
    }
};

void checkTextIsStable(const qlx::IniFile& ini) {
    const std::string text = ini.text();
    CHECK(qlx::IniFile::parse(text).text() == text);
}

// Reads back what was written, in memory and after a round trip through the text. In a
// written value "|" stands for a line break and "^" for a zero byte, which must not survive.
// Keys are the program's own names, so only keys that a line can hold are written: one with
// "=" splits elsewhere, and one starting with ";" or "[" would make a comment or a section.
void writeAndReadBack(qlx::IniFile& ini, const qlx::IniFile& script) {
    const std::vector<std::string>* writes = script.sectionLines("Fuzz Write");
    if (!writes) return;
    std::vector<std::pair<std::string_view, std::string_view>> written;
    for (const std::string& line : *writes) {
        const auto key = qlx::iniLineKey(line);
        if (!key) continue;
        std::string value(std::string_view(line).substr(key->size() + 1));
        for (char& c : value)
            c = c == '|' ? '\n' : c == '^' ? '\0' : c;
        std::string_view section = "Fuzz Out", name = *key;
        if (const size_t slash = name.find('/'); slash != std::string_view::npos) {
            section = name.substr(0, slash);
            name = name.substr(slash + 1);
        }
        if (name.find('=') != std::string_view::npos ||
            (!name.empty() && (name.front() == ';' || name.front() == '[')) ||
            qlx::equalsNoCase(name, "n"))
            continue;
        ini.writeString(section, name, value);
        CHECK(ini.value(section, name) == withoutLineBreaks(value));
        ini.writeInteger(section, "n", static_cast<int32_t>(value.size()) - 5);
        CHECK(ini.readInteger(section, "n", 0) == static_cast<int32_t>(value.size()) - 5);
        written.emplace_back(section, name);
    }
    const qlx::IniFile again = qlx::IniFile::parse(ini.text());
    for (const auto& [section, name] : written)
        CHECK(again.value(section, name) == ini.value(section, name));
    checkTextIsStable(ini);
}

// What a load finds, a save writes and the next load finds again; a file that is not text the
// program can keep is reported once and never written over.
void loadSaveLoad(std::string_view text) {
    FakeFileSystem files;
    files.allDirectoriesExist = true;
    CountingReporter reporter;
    qlx::SettingsStore store(files, reporter);
    store.SettingsFilePath = "C:\\Data\\quiklex\\bruger1.ini";
    files.files[store.SettingsFilePath] = std::string(text);

    qlx::SettingsValues first;
    // A default that the load would take from the file too (the dictionary's domain).
    first.ProgramPageModern = "http://www.lemmary.dk/default/";
    store.LoadSettings(first);
    if (!qlx::decodeSettingsText(text)) {
        CHECK(reporter.shown == 1);
        CHECK(!store.SaveSettings(first));
        CHECK(files.files[store.SettingsFilePath] == text);
        return;
    }
    CHECK(store.SaveSettings(first));
    qlx::SettingsValues second;
    store.LoadSettings(second);
    CHECK(reporter.shown == 0);
    CHECK(second.MinimizeStart == first.MinimizeStart && second.SysTrayIcon == first.SysTrayIcon &&
          second.Hotkey == first.Hotkey && second.AlwaysOnTop == first.AlwaysOnTop &&
          second.UseChromeFrame == first.UseChromeFrame);
    CHECK(second.ProgramPageModern == first.ProgramPageModern &&
          second.ProgramPageGCF == first.ProgramPageGCF &&
          second.LookupModern == first.LookupModern && second.LookupGCF == first.LookupGCF);
    CHECK(second.Position.FromTop == first.Position.FromTop &&
          second.Position.FromBottom == first.Position.FromBottom &&
          second.Position.FromLeft == first.Position.FromLeft &&
          second.Position.FromRight == first.Position.FromRight);
    CHECK(second.StartDelayMs == first.StartDelayMs &&
          second.ShownTimestamps == first.ShownTimestamps);
}

qlx::SettingsLocation resolveWith(std::optional<std::string_view> shared,
                                  const qlx::IniFile& script, ScriptedSystem& system,
                                  CountingReporter& reporter) {
    FakeFileSystem files;
    files.allDirectoriesExist = !script.readBool("Fuzz System", "nodirs", false);
    if (shared) files.files["C:\\Prog\\quiklex.ini"] = std::string(*shared);
    bool modal = false;
    const qlx::SettingsLocation where =
        qlx::ResolveSettingsPath("C:\\Prog\\", files, system, reporter, modal);
    CHECK(!modal);
    return where;
}

void resolvePath(std::string_view text, const qlx::IniFile& script) {
    ScriptedSystem system(script);
    CountingReporter reporter;
    const qlx::SettingsLocation where = resolveWith(text, script, system, reporter);

    const std::string pathTemplate = script.readString("Shared Settings", "UsersIniFilePath", "");
    const bool expanded = std::any_of(pathTemplate.begin(), pathTemplate.end(),
                                      [](char c) { return static_cast<unsigned char>(c) > 32; });
    // A shared file in a folder the user may write to changes nothing but a notice.
    const bool setAside = system.userCanAddFiles("C:\\Prog\\") != false;
    if (setAside) {
        CountingReporter alone;
        const qlx::SettingsLocation without = resolveWith(std::nullopt, script, system, alone);
        CHECK(where.SettingsFilePath == without.SettingsFilePath);
        CHECK(where.SettingsPathFailed == without.SettingsPathFailed);
        CHECK(!where.SharedSettingsUsed);
    }
    // The notice of a file set aside is the one message that comes without a failure.
    CHECK(setAside ? reporter.shown <= 1 : reporter.shown == (where.SettingsPathFailed ? 1 : 0));
    CHECK(system.lookups <= qlx::kMaxPlaceholderPasses);
    CHECK(where.SettingsFilePath.size() <= qlx::kMaxExpandedPathLength + 4 * text.size() + 64);
    // An expanded template keeps no placeholder (without a template, or with one set aside, the
    // path is the user name as it is).
    if (expanded && !setAside && !where.SettingsPathFailed) {
        const std::string lower = qlx::lowerAscii(where.SettingsFilePath);
        CHECK(lower.find("%user%") == std::string::npos);
        CHECK(lower.find("%computer%") == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qlx::IniFile script = qlx::IniFile::parse(text);

    qlx::IniFile ini = script;
    checkTextIsStable(ini);
    (void)ini.readInteger("Various", "StartDelay", 0);
    writeAndReadBack(ini, script);
    ini.eraseSection("Fuzz Write");
    checkTextIsStable(ini);

    loadSaveLoad(text);
    resolvePath(text, script);
    return 0;
}
