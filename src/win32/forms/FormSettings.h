// TFormSettings: the settings window on the window layer. Its logic (the core's
// TFormSettings) keeps the check boxes; this window draws them, holds the shortcut field
// and forwards clicks, keys and closing.
#pragma once

#include <functional>

#include "win32/forms/FormWindow.h"
#include "forms/SettingsForm.h"
#include "settings/SettingsWindowCommand.h"

namespace qlx::win {

class TFormSettingsWindow final : public TFormWindow,
                                  public SettingsFormPort,
                                  public SettingsWindowHandle {
public:
    // messages: the program's message dialog; the window's questions belong to the window.
    // movePanel: gives the panel new bounds ("Standard", and back again).
    TFormSettingsWindow(MessageWinPort& messages,
                        std::function<void(const Dimension&)> movePanel);
    ~TFormSettingsWindow() override;
    // Builds the window and runs its FormCreate; false when that failed.
    bool createForm();

    // SettingsWindowHandle
    TFormSettings& form() override { return core_; }
    int32_t showModal() override { return TFormWindow::showModal(); }

    // SettingsFormPort
    uint16_t hotKeyField() override;
    void setHotKeyField(uint16_t shortcut) override;
    bool windowVisible() override;
    Dimension panelBounds() override;
    void setPanelBounds(const Dimension& bounds) override;
    MonitorList monitors() override;
    bool removeNextKeyboardMessage(uint32_t timeoutMs) override;

private:
    void formShow() override;
    bool formCloseQuery() override;
    void formClose() override { core_.FormClose(); }
    bool formKeyPress(wchar_t key) override;
    void buttonClick(const ControlDesc& button) override;
    HWND createWindowedControl(const ControlDesc& desc, HWND parent,
                               const ControlBox& box) override;

    std::function<void(const Dimension&)> movePanel_;
    TFormSettings core_;
};

} // namespace qlx::win
