// The settings window: its controls bound to its logic, the shortcut field, and the panel it
// is centred on and that "Standard" moves. The Chrome Frame box is Windows-only and hidden.
#pragma once

#include <functional>

#include "forms/SettingsForm.h"
#include "qt/forms/FormWindow.h"
#include "settings/SettingsWindowCommand.h"

namespace qlx::qt {

class HotKeyEdit;

class TFormSettingsWindow final : public FormWindow,
                                  public SettingsWindowHandle,
                                  public SettingsFormPort {
public:
    TFormSettingsWindow(MessageWinPort& messages, std::function<Dimension()> panelBounds,
                        std::function<void(const Dimension&)> movePanel);
    ~TFormSettingsWindow() override;

    // SettingsWindowHandle
    TFormSettings& form() override { return core_; }
    int32_t showModal() override { return FormWindow::showModal(); }

    // SettingsFormPort
    uint16_t hotKeyField() override;
    void setHotKeyField(uint16_t shortcut) override;
    bool windowVisible() override { return isVisible(); }
    Dimension panelBounds() override { return panelBounds_(); }
    void setPanelBounds(const Dimension& bounds) override { movePanel_(bounds); }
    // Qt delivers a key's release to the window that had the press: nothing to take away.
    bool removeNextKeyboardMessage(uint32_t) override { return true; }
    MonitorList monitors() override;
    bool chromeFrameOffered() override { return false; }

private:
    QWidget* createWindowedControl(const ControlDesc& desc, QWidget* parent) override;
    void buttonClick(const ControlDesc& button) override;
    bool formKeyPress(char key) override;
    bool formCloseQuery() override;
    // Closed without saving after "Standard": the panel goes back where it was.
    void formClose() override {
        core_.ModalResult = result();
        core_.FormClose();
    }
    void formShow() override;

    std::function<Dimension()> panelBounds_;
    std::function<void(const Dimension&)> movePanel_;
    TFormSettings core_;
    HotKeyEdit* field_ = nullptr;
};

} // namespace qlx::qt
