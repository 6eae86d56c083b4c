// The user, the machine and the environment as the settings location needs them.
#pragma once

#include "settings/SystemInfoPort.h"

namespace qlx::qt {

class XdgSystemInfo final : public SystemInfoPort {
public:
    std::optional<std::string> userName() override;
    std::optional<std::string> computerName() override;
    std::optional<std::string> environmentVariable(const std::string& name) override;
    // No shell folders or registry here: the settings follow the XDG base directories.
    bool hasShellFolders() override { return false; }
    std::string shellAppDataFolder() override { return {}; }
    std::string registryAppDataFolder() override { return {}; }
    // Whether the user may create files in the folder (its permissions for this process).
    std::optional<bool> userCanAddFiles(const std::string& folder) override;
};

} // namespace qlx::qt
