// The shell's open action for web addresses, as the core's page opening asks for it.
#pragma once

#include <windows.h>

#include "lookup/ShellOpenPort.h"

namespace qlx::win {

class ShellOpen final : public ShellOpenPort {
public:
    // owner: the window that owns whatever the shell shows (the panel); may be null.
    void setOwner(HWND owner) { owner_ = owner; }
    int32_t openAddress(const std::string& address) override;

private:
    HWND owner_ = nullptr;
};

} // namespace qlx::win
