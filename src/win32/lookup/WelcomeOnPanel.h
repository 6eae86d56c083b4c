// The first start's welcome window beside the panel.
#pragma once

#include "lookup/ChromeFrame.h"

namespace qlx::win {

class WelcomeOnPanel final : public WelcomeWindowPort {
public:
    int32_t showWelcomeWindow(const Dimension& panel) override;
};

} // namespace qlx::win
