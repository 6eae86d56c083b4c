// How the settings code tells the user about a failure: the program's message dialog with a
// single "OK" button.
#pragma once

#include <string>

namespace qlx {

enum class SettingsMessageKind { Warning = 0, Error = 1 };

class SettingsReporter {
  public:
    virtual ~SettingsReporter() = default;
    // Modal. ownedByMainWindow: centred on the panel instead of the screen.
    virtual void showMessage(const std::string& text, const std::string& caption,
                             SettingsMessageKind kind, bool ownedByMainWindow) = 0;
};

} // namespace qlx
