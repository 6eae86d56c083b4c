// The program's message dialog as every feature asks for it. With the panel as owner it keeps
// the panel out of the topmost band and marks it busy while open.
#pragma once

#include "dialogs/MessageWinPort.h"

namespace qlx::win {

class TFormMain;

class PanelMessages final : public MessageWinPort {
public:
    explicit PanelMessages(TFormMain& form) : form_(form) {}
    int32_t MessageWin(DialogOwner owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttonSet) override;

private:
    TFormMain& form_;
};

} // namespace qlx::win
