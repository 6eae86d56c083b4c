// The first start's welcome window asks whether the browser is an old Internet Explorer (for
// Chrome Frame): a Windows-only question. On Linux the answer is no, without a window.
#pragma once

#include "dialogs/MessageWinLayout.h"
#include "lookup/ChromeFrame.h"

namespace qlx::qt {

class WelcomeOnPanel final : public WelcomeWindowPort {
public:
    int32_t showWelcomeWindow(const Dimension&) override { return kResultNo; }
};

} // namespace qlx::qt
