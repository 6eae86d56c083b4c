// What the panel's two menus and the notification-area icon's callbacks do to the program.
#pragma once

#include "panel/PanelMenus.h"

namespace qlx::win {

class TFormMain;

class PanelCommands final : public PanelMenusPort {
public:
    explicit PanelCommands(TFormMain& form) : form_(form) {}
    void showPanel() override;
    void hidePanel() override;
    void applyOnTop(bool onTop) override;
    void setOnTopCheckMarks(bool checked) override;
    void openTrayMenuAtCursor() override;
    void openTrayMenuAt(int32_t x, int32_t y) override;
    void showTaskbarButton(bool show) override;
    void menuItemSettingsClick(int senderTag) override;
    void menuItemProgramWebClick() override;
    void menuItemTerminateClick() override;

private:
    TFormMain& form_;
};

} // namespace qlx::win
