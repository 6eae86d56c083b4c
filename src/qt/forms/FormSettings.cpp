#include "qt/forms/FormSettings.h"

#include "qt/controls/FormControls.h"
#include "qt/system/Screens.h"
#include "settings/ShortcutText.h"
#include "state/ProgramState.h"

namespace qlx::qt {

TFormSettingsWindow::TFormSettingsWindow(MessageWinPort& messages,
                                         std::function<Dimension()> panelBounds,
                                         std::function<void(const Dimension&)> movePanel)
    : FormWindow(settingsFormLayout()), panelBounds_(std::move(panelBounds)),
      movePanel_(std::move(movePanel)), core_(*this, messages) {
    build();
    for (const ControlDesc& c : desc().controls)
        if (TSpeedButtonCheckmark* box = core_.checkBox(c.name))
            if (auto* shown = dynamic_cast<CheckmarkButton*>(control(c.name))) shown->bind(*box);
    // Chrome Frame and Internet Explorer are Windows-only.
    if (QWidget* gcf = control("CheckBoxUseGCF")) gcf->hide();
    core_.FormCreate();
}

TFormSettingsWindow::~TFormSettingsWindow() {
    // The boxes go with this object, before the controls that show them.
    for (const ControlDesc& c : desc().controls)
        if (auto* shown = dynamic_cast<CheckmarkButton*>(control(c.name))) shown->unbind();
}

QWidget* TFormSettingsWindow::createWindowedControl(const ControlDesc& desc, QWidget* parent) {
    if (desc.kind != ControlKind::HotKeyField) return nullptr;
    field_ = new HotKeyEdit(parent);
    field_->setShortcut(kDefaultHotkey);
    return field_;
}

uint16_t TFormSettingsWindow::hotKeyField() { return field_ ? field_->shortcut() : 0; }

void TFormSettingsWindow::setHotKeyField(uint16_t shortcut) {
    if (field_) field_->setShortcut(shortcut);
}

MonitorList TFormSettingsWindow::monitors() { return screenMonitors(); }

void TFormSettingsWindow::formShow() { setBounds(core_.FormShow(bounds())); }

bool TFormSettingsWindow::formCloseQuery() {
    core_.ModalResult = result();
    core_.FormCloseQuery();
    setResult(core_.ModalResult);
    return true;
}

bool TFormSettingsWindow::formKeyPress(char key) {
    if (!core_.FormKeyPress(key)) return false;
    // Enter and Esc close without a button: the close query may still ask whether to keep
    // the changes, as it does for the close box.
    setResult(core_.ModalResult);
    formCloseQuery();
    done(result());
    return true;
}

void TFormSettingsWindow::buttonClick(const ControlDesc& button) {
    if (button.name == "ButtonOK") {
        core_.ButtonOKClick();
        done(core_.ModalResult);
    } else if (button.name == "ButtonCancel") {
        core_.ButtonCancelClick();
        done(core_.ModalResult);
    } else if (button.name == "ButtonReset") {
        core_.ButtonResetClick();
    } else {
        core_.checkBoxClick(button.name);
    }
}

} // namespace qlx::qt
