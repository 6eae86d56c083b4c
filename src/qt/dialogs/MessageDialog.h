// The program's own message dialog: its text, its icon and its buttons as the core's button
// sets give them, Esc and the close box as on Windows.
#pragma once

#include "dialogs/MessageWinPort.h"

namespace qlx::qt {

class PanelMain;

class MessageDialog final : public MessageWinPort {
public:
    explicit MessageDialog(PanelMain& main) : main_(main) {}
    int32_t MessageWin(DialogOwner owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttonSet) override;

private:
    PanelMain& main_;
};

} // namespace qlx::qt
