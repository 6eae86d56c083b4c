// What the core asks of the program's message dialog: show it modally and say which button
// closed it. The window layer builds it from MessageWinLayout.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/MessageWinLayout.h"

namespace qlx {

// The dialog is centred on its owner; with the panel as owner the panel also leaves the
// topmost band while the dialog is open. Without one it stays centred on the screen. A form
// owner is the program's modal window that is open (the settings window asking a question).
enum class DialogOwner { none, panel, form };

class MessageWinPort {
public:
    virtual ~MessageWinPort() = default;
    // Returns kResultOk, kResultCancel, kResultYes or kResultNo.
    virtual int32_t MessageWin(DialogOwner owner, const std::string& text,
                               const std::string& caption, TMsgDlgType type,
                               int32_t buttonSet) = 0;
};

} // namespace qlx
