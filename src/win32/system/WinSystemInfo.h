// What the settings location asks of Windows: the user's and the computer's names, the
// environment, the application-data folder (from the shell or from the registry) and whether
// the user may add files to a folder.
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
    std::optional<bool> userCanAddFiles(const std::string& folder) override;
};

} // namespace qlx::win
