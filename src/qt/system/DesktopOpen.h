// Opening an address through the desktop: the user's chosen browser, by xdg-open or the portal.
#pragma once

#include "lookup/ShellOpenPort.h"

namespace qlx::qt {

class DesktopOpen final : public ShellOpenPort {
public:
    // A code above kShellOpenOk when the desktop took the address; kShellNoAssociation when
    // it has no way to open it (no xdg-open, no portal).
    int32_t openAddress(const std::string& address) override;
};

} // namespace qlx::qt
