// The settings window: its layout, its check boxes and shortcut field, and what its handlers
// decide: the lock of the automatic start, "Standard" and the panel's way back, the keys
// Enter and Esc, and the question whether to keep the changes.
#pragma once

#include <cstdint>
#include <string_view>

#include "controls/ButtonCheckmark.h"
#include "forms/FormLayout.h"
#include "dialogs/MessageWinPort.h"
#include "panel/Placement.h"

namespace qlx {

inline constexpr int kSettingsClientWidth = 325;
inline constexpr int kSettingsClientHeight = 290;

FormDesc settingsFormLayout();

// The system's hot-key field keeps the key in its low byte and Shift (1), Ctrl (2), Alt (4)
// and "extended key" (8) in its high byte; the program's shortcut keeps the modifiers at
// 0x2000, 0x4000 and 0x8000.
uint16_t hotKeyFieldValue(uint16_t shortcut);
uint16_t shortcutFromHotKeyField(uint16_t fieldValue);
// The field refuses a key alone and a key with Shift alone, and gives it Shift+Ctrl instead.
inline constexpr uint16_t kHotKeyFieldRefused = 0x01 | 0x02; // no modifier; Shift alone
inline constexpr uint16_t kHotKeyFieldReplacement = 0x01 | 0x02; // Shift+Ctrl
// The field's key filter: the key-down messages of Enter and Esc never reach it, so these
// keys never become the shortcut; their characters still reach the window.
bool hotKeyFieldDropsMessage(uint32_t message, uint64_t key);

// After Enter or Esc the window waits this long at most for the key's next keyboard message
// (normally its release) before it closes.
inline constexpr uint32_t kKeyReleaseWaitMs = 500;

// The main window's settings that the window is filled from and compared with.
struct SettingsShown {
    bool SysTrayIcon = true;
    uint16_t Hotkey = 0;
    bool AlwaysOnTop = true;
    uint16_t AutostartState = 0;
    bool MinimizeStart = false;
    bool UseChromeFrame = false;
};

// What the window's logic needs of the window layer while the window is open.
class SettingsFormPort : public MonitorsPort {
public:
    virtual ~SettingsFormPort() = default;
    // The shortcut field's value, as a shortcut.
    virtual uint16_t hotKeyField() = 0;
    virtual void setHotKeyField(uint16_t shortcut) = 0;
    virtual bool windowVisible() = 0;
    virtual Dimension panelBounds() = 0;
    virtual void setPanelBounds(const Dimension& bounds) = 0;
    // Takes the next keyboard message off the thread's queue, waiting at most timeoutMs for
    // one; false when none came.
    virtual bool removeNextKeyboardMessage(uint32_t timeoutMs) = 0;
    // Whether the browser question of the Chrome Frame box belongs here: only Windows has
    // that browser, so elsewhere "Standard" leaves the box off without asking.
    virtual bool chromeFrameOffered() { return true; }
};

class TFormSettings {
public:
    // messages: the question and the lock message belong to this window (DialogOwner::form).
    TFormSettings(SettingsFormPort& port, MessageWinPort& messages);

    TSpeedButtonCheckmark CheckBoxAlwaysOnTop;
    TSpeedButtonCheckmark CheckBoxSystray;
    TSpeedButtonCheckmark CheckBoxRunOnStart;
    TSpeedButtonCheckmark CheckBoxMinimizeOnStart;
    TSpeedButtonCheckmark CheckBoxUseGCF;
    // A box by its name in the table; null for other names.
    TSpeedButtonCheckmark* checkBox(std::string_view name);

    bool ClosingByButton = false;
    bool ResetPressed = false;
    bool PanelMovedByReset = false;
    Dimension PanelBoundsAtShow;
    int32_t ModalResult = 0;
    // Set by the opener before the window is shown.
    bool AutostartLocked = false;
    SettingsShown Shown;

    void FormCreate();
    // Returns the window's place: centred on the panel, then inside the work area of the
    // monitor the panel is on.
    Dimension FormShow(const Dimension& window);
    void ButtonOKClick();
    void ButtonCancelClick();
    void ButtonResetClick();
    void CheckBoxRunOnStartClick();
    void CheckBoxToggle(TSpeedButtonCheckmark& box) { box.Toggle(); }
    // A click on the box of that name.
    void checkBoxClick(std::string_view name);
    // A character before the controls see it; true when it was Enter or Esc, which close the
    // window (OK or Cancel) without counting as a button, so the close question still comes.
    bool FormKeyPress(char key);
    // Closing is always allowed; a change (or "Standard") made without "OK" or "Annuller"
    // brings the question whose answer decides the result.
    void FormCloseQuery();
    void FormClose();

    // Any control differs from the main window's value.
    bool SettingsChanged();

    // The shortcut field, as a shortcut, and whether the window is on the screen.
    uint16_t HotKeyField() { return port_.hotKeyField(); }
    void SetHotKeyField(uint16_t shortcut) { port_.setHotKeyField(shortcut); }
    bool Visible() { return port_.windowVisible(); }

private:
    SettingsFormPort& port_;
    MessageWinPort& messages_;
    CheckmarkParent boxes_;
};

} // namespace qlx
