// What the settings location needs to know about the user and the system.
#pragma once

#include <optional>
#include <string>

namespace qlx {

class SystemInfoPort {
  public:
    virtual ~SystemInfoPort() = default;
    // None when the system cannot tell.
    virtual std::optional<std::string> userName() = 0;
    virtual std::optional<std::string> computerName() = 0;
    // The whole value, however long; none (or empty) when the variable has no value.
    virtual std::optional<std::string> environmentVariable(const std::string& name) = 0;
    // True on systems that have the shell's folder query (NT family, version 5 and later);
    // decided once when the program starts.
    virtual bool hasShellFolders() = 0;
    // The shell's current application-data folder; empty when the query fails.
    virtual std::string shellAppDataFolder() = 0;
    // "AppData" of the current user's "Shell Folders" key, read-only; empty on any failure.
    virtual std::string registryAppDataFolder() = 0;
    // Whether the user, with the rights of an everyday (not elevated) session, may add files
    // to the folder (given with its trailing backslash); none when the system cannot tell.
    virtual std::optional<bool> userCanAddFiles(const std::string& folder) = 0;
};

} // namespace qlx
