// The automatic start: the program's entry "quiklex" in the registry's Run lists, and the
// administrator's lock through the machine-wide list.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "settings/RunListPort.h"
#include "settings/SettingsReporter.h"

namespace qlx {

struct AutostartReading {
    uint16_t state = 0;  // 0 no entry, 1 an entry, 2 an entry that starts hidden
    bool failed = false; // the list could not be read; state is then 0
};

// The entry's data: the program path in double quotes, so that a path with spaces starts
// the right program, followed by " -auto".
std::string autostartCommand(const std::string& programPath);

// Looks for a value named "quiklex" (any letter case) whose data contain the program path;
// " -minimize" in it (written by older versions) means hidden. Values that are not text
// or are empty are passed over.
AutostartReading ReadAutostartState(RunListPort& runLists, RunList list,
                                    const std::string& programPath);

// A value of the program's own: the name "quiklex" (any letter case), or a command that
// starts this very program file (its whole path, in quotation marks or not, any letter
// case). Another program's entry never counts, whatever its name or command contains.
bool isOwnRunEntry(const RunListValue& value, const std::string& programPath);

// Removes the current user's entries of this program (isOwnRunEntry), and for mode 1 or 2
// writes the entry anew. Reports its
// own failure; false then.
bool WriteAutostart(RunListPort& runLists, SettingsReporter& reporter, int mode,
                    const std::string& programPath);

// The main window's autostart state and the steps of the start-up that touch it.
class Autostart {
  public:
    Autostart(RunListPort& runLists, SettingsReporter& reporter, std::string programPath)
        : runLists_(runLists), reporter_(reporter), programPath_(std::move(programPath)) {}

    uint16_t AutostartState = 0;
    bool AutostartLocked = false;

    // While the main window is created: an entry in the machine-wide list locks the
    // automatic start and removes the user's own entries. A list that cannot be read
    // counts as one without the entry, and the start goes on.
    void checkMachineAutostart();
    // At the first start of a new version: writes the user's entry unless the
    // administrator manages the automatic start, the settings location failed or
    // "-noinitmessage" was given.
    void firstStartOfVersion(bool settingsPathFailed, bool noInitMessage);
    // When the settings window opens: the lock taken afresh from the machine-wide list and
    // the state from the list that counts; an entry with minimizeStart counts as hidden (2).
    // A list that cannot be read leaves what was read before it (0 at worst, the lock as it
    // was).
    void readForSettingsWindow(bool minimizeStart);
    // When the settings window is confirmed: the user's entry for the chosen mode (0 none,
    // 1, 2 hidden), written only when it differs from the state and nothing locks it.
    void settingsWindowConfirmed(int mode);

  private:
    RunListPort& runLists_;
    SettingsReporter& reporter_;
    std::string programPath_;
};

} // namespace qlx
