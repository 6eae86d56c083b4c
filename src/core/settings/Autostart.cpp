// Reading and writing the program's entry in the Run lists.
#include "settings/Autostart.h"

#include "Text.h"

namespace qlx {

namespace {

const char* const kEntryName = "quiklex";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

bool isOwnRunEntry(const RunListValue& value, const std::string& programPath) {
    if (!value.isText) return false;
    if (equalsNoCase(value.name, kEntryName)) return true;
    if (programPath.empty()) return false;
    std::string_view command = value.data;
    while (!command.empty() && (command.front() == ' ' || command.front() == '\t'))
        command.remove_prefix(1);
    if (!command.empty() && command.front() == '"') {
        command.remove_prefix(1);
        const size_t close = command.find('"');
        if (close == std::string_view::npos) return false;
        return equalsNoCase(command.substr(0, close), programPath);
    }
    // Unquoted: the path, then the end or the blank before the arguments.
    return command.size() >= programPath.size() &&
           equalsNoCase(command.substr(0, programPath.size()), programPath) &&
           (command.size() == programPath.size() || command[programPath.size()] == ' ');
}

std::string autostartCommand(const std::string& programPath) {
    return "\"" + programPath + "\" -auto";
}

AutostartReading ReadAutostartState(RunListPort& runLists, RunList list,
                                    const std::string& programPath) {
    AutostartReading reading;
    const std::string path = lowerAscii(programPath);
    std::optional<std::vector<RunListValue>> values;
    try {
        values = runLists.values(list, false);
    } catch (...) {
        values.reset();
    }
    if (!values) {
        reading.failed = true;
        return reading;
    }
    for (const RunListValue& value : *values) {
        if (!value.isText || value.data.empty()) continue;
        const std::string line = lowerAscii(value.name + "=" + value.data);
        // The path is found with or without quotation marks around it.
        if (startsWith(line, "quiklex=") && line.find(path) != std::string::npos) {
            reading.state = line.find(" -minimize") != std::string::npos ? 2 : 1;
            break;
        }
    }
    return reading;
}

bool WriteAutostart(RunListPort& runLists, SettingsReporter& reporter, int mode,
                    const std::string& programPath) {
    bool ok = false;
    try {
        if (const auto values = runLists.values(RunList::CurrentUser, true)) {
            ok = true;
            for (const RunListValue& value : *values) {
                if (isOwnRunEntry(value, programPath)) {
                    ok = runLists.deleteValue(RunList::CurrentUser, value.name);
                    if (!ok) break;
                }
            }
            if (ok && mode > 0)
                ok = runLists.writeText(RunList::CurrentUser, kEntryName,
                                        autostartCommand(programPath));
        }
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        try {
            reporter.showMessage("Windows tillod ikke indstilling af automatisk start", "Problem",
                                 SettingsMessageKind::Warning, true);
        } catch (...) {
        }
    }
    return ok;
}

void Autostart::checkMachineAutostart() {
    const AutostartReading machine = ReadAutostartState(runLists_, RunList::Machine, programPath_);
    AutostartState = machine.state;
    if (machine.state > 0) {
        AutostartLocked = true;
        if (ReadAutostartState(runLists_, RunList::CurrentUser, programPath_).state > 0)
            WriteAutostart(runLists_, reporter_, 0, programPath_);
    }
}

void Autostart::firstStartOfVersion(bool settingsPathFailed, bool noInitMessage) {
    if (settingsPathFailed || noInitMessage) return;
    if (ReadAutostartState(runLists_, RunList::Machine, programPath_).state == 0)
        WriteAutostart(runLists_, reporter_, 1, programPath_);
    else
        AutostartLocked = true;
}

void Autostart::readForSettingsWindow(bool minimizeStart) {
    AutostartState = 0;
    const AutostartReading machine = ReadAutostartState(runLists_, RunList::Machine, programPath_);
    if (!machine.failed) {
        AutostartState = machine.state;
        AutostartLocked = machine.state > 0;
        if (!AutostartLocked)
            AutostartState = ReadAutostartState(runLists_, RunList::CurrentUser, programPath_).state;
    }
    if (AutostartState > 0 && minimizeStart) AutostartState = 2;
}

void Autostart::settingsWindowConfirmed(int mode) {
    if (mode != AutostartState && !AutostartLocked)
        WriteAutostart(runLists_, reporter_, mode, programPath_);
}

} // namespace qlx
