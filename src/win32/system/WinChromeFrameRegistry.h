// The Chrome Frame plug-in's opt-in value under the current user's key, through the wide
// registry API.
#pragma once

#include <windows.h>

#include "lookup/ChromeFrame.h"

namespace qlx::win {

class WinChromeFrameRegistry final : public ChromeFrameRegistryPort {
public:
    WinChromeFrameRegistry() = default;
    ~WinChromeFrameRegistry() override;
    WinChromeFrameRegistry(const WinChromeFrameRegistry&) = delete;
    WinChromeFrameRegistry& operator=(const WinChromeFrameRegistry&) = delete;

    bool openKey() override;
    Existing existingValue() override;
    bool writeNumber(uint32_t value) override;
    bool writeText(const char* value) override;

private:
    HKEY key_ = nullptr;
};

} // namespace qlx::win
