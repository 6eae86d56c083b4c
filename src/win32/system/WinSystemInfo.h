// What the settings location asks of Windows: the user's and the computer's names, the
// environment and the application-data folder (from the shell or from the registry).
#pragma once

#include "settings/SystemInfoPort.h"

namespace qlx::win {

class WinSystemInfo final : public SystemInfoPort {
public:
    std::optional<std::string> userName() override;
    std::optional<std::string> computerName() override;
    std::optional<std::string> environmentVariable(const std::string& name) override;
    bool hasShellFolders() override;
    std::string shellAppDataFolder() override;
    std::string registryAppDataFolder() override;
};

} // namespace qlx::win
