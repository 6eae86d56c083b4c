// Opening the settings window, applying what it was confirmed with, and the shortcut capture.
#include "settings/SettingsWindowCommand.h"

#include "Text.h"
#include "lookup/LookupHotKey.h"
#include "dialogs/MessageWinLayout.h"
#include "panel/PanelMenus.h"
#include "state/ProgramCommands.h"

namespace qlx {

void SettingsWindowCommand::MenuItemSettingsClick(int senderTag) {
    if (state_.ModalDialogOpen) {
        // A dialog or this very window is open: it only comes forward.
        port_.showPanel();
        return;
    }
    // From the tray the panel may be hidden, and the window is centred on it.
    if (isTrayMenuSender(senderTag)) port_.showPanel();
    state_.ModalDialogOpen = true;
    port_.applyOnTop(false);
    try {
        window_ = port_.createSettingsWindow();
        TFormSettings& form = window_->form();
        fill(form);
        SettingsWindowOpen = true;
        if (window_->showModal() == kResultOk) applyConfirmed(form);
    } catch (...) {
    }
    // Whatever happened above.
    window_.reset();
    port_.applyOnTop(state_.OnTopActive);
    state_.ModalDialogOpen = false;
    port_.requestButtons(false);
    SettingsWindowOpen = false;
}

bool SettingsWindowCommand::HotKeyPressed() {
    if (!SettingsWindowOpen) return false;
    if (window_ && window_->form().Visible()) window_->form().SetHotKeyField(state_.Hotkey);
    return true;
}

void SettingsWindowCommand::fill(TFormSettings& form) {
    form.CheckBoxSystray.SetChecked(state_.SysTrayIcon);
    form.SetHotKeyField(state_.Hotkey);
    form.CheckBoxAlwaysOnTop.SetChecked(state_.AlwaysOnTop);
    try {
        autostart_.readForSettingsWindow(state_.MinimizeStart);
    } catch (...) {
    }
    form.AutostartLocked = autostart_.AutostartLocked;
    form.CheckBoxRunOnStart.SetChecked(autostart_.AutostartState > 0);
    form.CheckBoxMinimizeOnStart.SetChecked(autostart_.AutostartState > 1);
    form.CheckBoxUseGCF.SetChecked(state_.UseChromeFrame);
    form.Shown = SettingsShown{state_.SysTrayIcon,   state_.Hotkey,
                               state_.AlwaysOnTop,   autostart_.AutostartState,
                               state_.MinimizeStart, state_.UseChromeFrame};
}

void SettingsWindowCommand::applyConfirmed(TFormSettings& form) {
    // The notification-area icon, or the taskbar button in its place.
    const bool tray = form.CheckBoxSystray.Checked();
    if (tray && !state_.SysTrayIcon) {
        port_.addTrayIcon();
        port_.showTaskbarButton(false);
    } else if (!tray && state_.SysTrayIcon) {
        port_.removeTrayIcon();
        port_.showTaskbarButton(true);
    }

    // The shortcut: a new one that cannot be registered gives way to the old one, and when
    // that cannot be registered again either there is none. One that another program held
    // until now is asked for again.
    const LookupHotKeyKeeper::Change shortcut =
        port_.lookupHotKey().settingsConfirmed(form.HotKeyField(), state_.Hotkey);
    if (shortcut.shortcut != form.HotKeyField()) form.SetHotKeyField(shortcut.shortcut);
    state_.Hotkey = shortcut.shortcut;
    if (shortcut.problem) {
        // Without the hint to the settings window: the user is just back from it.
        messages_.MessageWin(DialogOwner::none, hotKeyProblemText(false), programTitle,
                             TMsgDlgType::warning, 0);
    }

    // The automatic start; "Start skjult" counts only with it.
    const bool run = form.CheckBoxRunOnStart.Checked();
    const int mode = !run ? 0 : form.CheckBoxMinimizeOnStart.Checked() ? 2 : 1;
    autostart_.settingsWindowConfirmed(mode);

    // The settings themselves; "Start skjult" also when it is disabled.
    state_.SysTrayIcon = tray;
    state_.MinimizeStart = form.CheckBoxMinimizeOnStart.Checked();
    state_.Hotkey = form.HotKeyField();
    state_.AlwaysOnTop = form.CheckBoxAlwaysOnTop.Checked();
    state_.UseChromeFrame = form.CheckBoxUseGCF.Checked();

    port_.onTopSettingApplied(state_.AlwaysOnTop);
    // Every time: the value may have been removed since.
    if (state_.UseChromeFrame) port_.allowChromeFrameUrls();
    port_.postCommand(kSaveSettings, kCmdWithWParam);
}

} // namespace qlx
