// The settings window: its controls bound to its logic, the shortcut field, and the panel it
// is centred on and that "Standard" moves.
#include "win32/forms/FormSettings.h"

#include "win32/app/Application.h"
#include "win32/controls/HotKeyField.h"
#include "win32/controls/SpeedButtonCheckmark.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

namespace {
// Key-down to dead-system-character: the messages a key press and its release bring.
constexpr UINT kLastKeyboardMessage = 0x0108;
} // namespace

TFormSettingsWindow::TFormSettingsWindow(MessageWinPort& messages,
                                         std::function<void(const Dimension&)> movePanel)
    : TFormWindow(settingsFormLayout()), movePanel_(std::move(movePanel)), core_(*this, messages) {}

TFormSettingsWindow::~TFormSettingsWindow() {
    // The boxes go with this object, before the controls that show them.
    for (const ControlDesc& c : desc().controls)
        if (TSpeedButtonCheckmark* box = core_.checkBox(c.name)) box->OnRepaint = nullptr;
}

bool TFormSettingsWindow::createForm() {
    if (!create()) return false;
    for (const ControlDesc& c : desc().controls) {
        TSpeedButtonCheckmark* box = core_.checkBox(c.name);
        auto* shown = controlAs<TSpeedButtonCheckmarkControl>(c.name);
        if (box && shown) shown->bind(*box);
    }
    core_.FormCreate();
    return true;
}

HWND TFormSettingsWindow::createWindowedControl(const ControlDesc& desc, HWND parent,
                                                const ControlBox& box) {
    if (desc.kind != ControlKind::HotKeyField) return nullptr;
    HWND field = createHotKeyField(parent, desc, box);
    if (field) setHotKeyFieldShortcut(field, kDefaultHotkey);
    return field;
}

uint16_t TFormSettingsWindow::hotKeyField() {
    HWND field = window("HotKeyField");
    return field ? hotKeyFieldShortcut(field) : 0;
}

void TFormSettingsWindow::setHotKeyField(uint16_t shortcut) {
    if (HWND field = window("HotKeyField")) setHotKeyFieldShortcut(field, shortcut);
}

bool TFormSettingsWindow::windowVisible() { return handle() && IsWindowVisible(handle()); }

Dimension TFormSettingsWindow::panelBounds() {
    return windowDimension(Application::instance().mainWindow());
}

void TFormSettingsWindow::setPanelBounds(const Dimension& d) {
    if (movePanel_) movePanel_(d);
}

MonitorList TFormSettingsWindow::monitors() { return systemMonitors(); }

bool TFormSettingsWindow::removeNextKeyboardMessage(uint32_t timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, WM_KEYFIRST, kLastKeyboardMessage, PM_REMOVE)) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_KEY,
                                    MWMO_INPUTAVAILABLE);
    }
}

void TFormSettingsWindow::formShow() {
    setBounds(core_.FormShow(bounds()));
}

bool TFormSettingsWindow::formCloseQuery() {
    core_.ModalResult = modalResult();
    core_.FormCloseQuery();
    setModalResult(core_.ModalResult);
    return true;
}

bool TFormSettingsWindow::formKeyPress(wchar_t key) {
    if (key > 0x7F || !core_.FormKeyPress(static_cast<char>(key))) return false;
    setModalResult(core_.ModalResult);
    return true;
}

void TFormSettingsWindow::buttonClick(const ControlDesc& button) {
    if (button.name == "ButtonOK") {
        core_.ButtonOKClick();
        setModalResult(core_.ModalResult);
    } else if (button.name == "ButtonCancel") {
        core_.ButtonCancelClick();
        setModalResult(core_.ModalResult);
    } else if (button.name == "ButtonReset") {
        core_.ButtonResetClick();
    } else {
        core_.checkBoxClick(button.name);
    }
}

} // namespace qlx::win
