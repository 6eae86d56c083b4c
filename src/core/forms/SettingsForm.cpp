// The settings window's table and its handlers' decisions.
#include "forms/SettingsForm.h"

#include "lookup/ChromeFrame.h"
#include "panel/PanelLayout.h"
#include "state/ProgramState.h"

namespace qlx {

namespace {
const char* const kHotKeyHint = "Tryk p\xE5 en tastaturgenvej for at \xE6ndre";
const char* const kSaveQuestion = "Vil du gemme \xE6ndringerne?";
const char* const kLockedText =
    "Automatisk programstart er fastl\xE5st af systemadministratoren.\n"
    "Men du kan \xE6ndre om programmet starter minimeret (skjult).";
const char* const kLockedCaption = "Automatisk programstart";
constexpr uint32_t kLockedCaptionColour = 0x808080;

constexpr uint16_t kShiftBit = 0x2000;
constexpr uint16_t kCtrlBit = 0x4000;
constexpr uint16_t kAltBit = 0x8000;
constexpr uint16_t kFieldShift = 0x01;
constexpr uint16_t kFieldCtrl = 0x02;
constexpr uint16_t kFieldAlt = 0x04;
constexpr uint16_t kFieldExtended = 0x08;

// Keys on the extended part of the keyboard: the field names them only with its flag.
bool extendedKey(uint16_t key) {
    return (key >= 0x21 && key <= 0x28) || key == 0x2D || key == 0x2E;
}

constexpr uint32_t kKeyDownMessage = 0x0100;
constexpr char kEnter = 13;
constexpr char kEsc = 27;
} // namespace

FormDesc settingsFormLayout() {
    FormDesc form;
    form.windowClass = "TFormSettings";
    form.caption = "Om programmet";
    form.clientWidth = kSettingsClientWidth;
    form.clientHeight = kSettingsClientHeight;
    // The version stands on a line of its own below the subtitle, right-aligned to the same
    // edge: beside it, it would run into the subtitle.
    form.controls = headerControls(60, {188, 36, 120, 15});

    addLabel(form, "Label8", "", {16, 69, 264, 30},
             {{"Indstillingerne anvendes nu og n\xE5r programmet starter n\xE6ste gang."}}, true)
        .font.italic = true;

    // Each box with its mnemonic letter, which Alt presses it with.
    auto box = [&](const char* name, ControlBox place, const char* caption, const char* hint,
                   int32_t group, char mnemonic) {
        ControlDesc c{name, ControlKind::CheckmarkButton, "", place};
        c.text = {{caption}};
        c.hint = hint;
        c.group = group;
        c.mnemonic = mnemonic;
        form.controls.push_back(c);
    };
    box("CheckBoxAlwaysOnTop", {13, 107, 157, 22}, "Altid over andre vinduer",
        "Quiklexs panel forbliver oven p\xE5 andre programmers vinduer", 6, 'A');
    box("CheckBoxSystray", {13, 133, 147, 22}, "Ikon ved siden af uret",
        "Knappen i Windows' proceslinje fjernes, og et ikon placeres ved siden af uret", 5, 'I');
    box("CheckBoxRunOnStart", {13, 158, 164, 20}, "Automatisk programstart",
        "Quiklex startes automatisk n\xE5r Windows starter", 7, 'p');
    box("CheckBoxMinimizeOnStart", {47, 179, 87, 20}, "Start skjult",
        "Quiklex startes skjult (minimeret) n\xE5r Windows starter", 8, 'k');
    box("CheckBoxUseGCF", {13, 202, 295, 22},
        "Offline i \xE6ldre Internet Explorer (version 7, 8 el. 9)",
        "Optimering til anvendelse offline med Google Chrome Frame", 4, 'f');

    // The label's letter takes the keyboard to the shortcut field after it.
    ControlDesc& label = addLabel(form, "Label1", "", {30, 233, 84, 15}, {{"Tastaturgenvej:"}});
    label.hint = kHotKeyHint;
    label.mnemonic = 'T';
    ControlDesc field{"HotKeyField", ControlKind::HotKeyField, "", {120, 231, 136, 20}};
    field.hint = kHotKeyHint;
    form.controls.push_back(field);

    addBottomPanel(form, {0, 262, 325, 28}, kWhite);
    addShapedButton(form, "PanelBottom", "ButtonOK", {25, 4, 45, 21}, {24, 4, 45, 21}, "OK",
                    kResultOk, kAnchorTopLeft)
        .hint = "Anvend \xE6ndringerne og luk vinduet";
    addShapedButton(form, "PanelBottom", "ButtonCancel", {75, 4, 66, 21}, {74, 4, 66, 21},
                    "Annuller", kResultCancel, kAnchorTopLeft)
        .hint = "Fortryd \xE6ndringerne og luk vinduet";
    // OK and Annuller have Enter and Esc; "Standard" has a letter of its own.
    ControlDesc& reset =
        addShapedButton(form, "PanelBottom", "ButtonReset", {233, 4, 66, 21}, {233, 4, 66, 21},
                        "Standard", 0, kAnchorTop | kAnchorRight);
    reset.hint = "Anvend de oprindelige indstillinger fra installationen";
    reset.mnemonic = 'S';
    return form;
}

uint16_t hotKeyFieldValue(uint16_t shortcut) {
    const uint16_t key = shortcut & 0xFF;
    uint16_t mods = 0;
    if (shortcut & kShiftBit) mods |= kFieldShift;
    if (shortcut & kCtrlBit) mods |= kFieldCtrl;
    if (shortcut & kAltBit) mods |= kFieldAlt;
    if (key != 0 && extendedKey(key)) mods |= kFieldExtended;
    return static_cast<uint16_t>(mods << 8 | key);
}

uint16_t shortcutFromHotKeyField(uint16_t fieldValue) {
    const uint16_t key = fieldValue & 0xFF;
    if (key == 0) return 0; // modifiers without a key are no shortcut
    const uint16_t mods = fieldValue >> 8;
    uint16_t shortcut = key;
    if (mods & kFieldShift) shortcut |= kShiftBit;
    if (mods & kFieldCtrl) shortcut |= kCtrlBit;
    if (mods & kFieldAlt) shortcut |= kAltBit;
    return shortcut;
}

bool hotKeyFieldDropsMessage(uint32_t message, uint64_t key) {
    return message == kKeyDownMessage && (key == 13 || key == 27);
}

TFormSettings::TFormSettings(SettingsFormPort& port, MessageWinPort& messages)
    : port_(port), messages_(messages) {
    // Every box has a group of its own in the table, so checking one never clears another.
    for (const ControlDesc& c : settingsFormLayout().controls) {
        if (TSpeedButtonCheckmark* b = checkBox(c.name)) {
            b->CheckmarkGroup = c.group;
            b->Flat = true;
            b->setParent(&boxes_);
        }
    }
}

TSpeedButtonCheckmark* TFormSettings::checkBox(std::string_view name) {
    if (name == "CheckBoxAlwaysOnTop") return &CheckBoxAlwaysOnTop;
    if (name == "CheckBoxSystray") return &CheckBoxSystray;
    if (name == "CheckBoxRunOnStart") return &CheckBoxRunOnStart;
    if (name == "CheckBoxMinimizeOnStart") return &CheckBoxMinimizeOnStart;
    if (name == "CheckBoxUseGCF") return &CheckBoxUseGCF;
    return nullptr;
}

void TFormSettings::FormCreate() {
    CheckBoxSystray.SetChecked(true);
    CheckBoxMinimizeOnStart.SetChecked(false);
}

Dimension TFormSettings::FormShow(const Dimension& window) {
    const Dimension panel = port_.panelBounds();
    Dimension place = CentreOnPanel(panel, window);
    limitToScreenWorkarea(place, workAreaOf(panel, port_.monitors()));
    PanelMovedByReset = false;
    PanelBoundsAtShow = panel;
    if (AutostartLocked) CheckBoxRunOnStart.SetFontColour(kLockedCaptionColour);
    if (!CheckBoxRunOnStart.Checked()) CheckBoxMinimizeOnStart.SetChecked(false);
    CheckBoxMinimizeOnStart.SetEnabled(CheckBoxRunOnStart.Checked());
    ClosingByButton = false;
    ResetPressed = false;
    return place;
}

void TFormSettings::ButtonOKClick() {
    ClosingByButton = true;
    ModalResult = kResultOk;
}

void TFormSettings::ButtonCancelClick() {
    ClosingByButton = true;
    ModalResult = kResultCancel;
}

void TFormSettings::ButtonResetClick() {
    ResetPressed = true;
    CheckBoxSystray.SetChecked(true);
    port_.setHotKeyField(kDefaultHotkey);
    CheckBoxAlwaysOnTop.SetChecked(true);
    CheckBoxRunOnStart.SetChecked(true);
    CheckBoxMinimizeOnStart.SetEnabled(true);
    CheckBoxMinimizeOnStart.SetChecked(false);
    CheckBoxUseGCF.SetChecked(port_.chromeFrameOffered() &&
                              areYouUsingGCFQuestionWin(messages_, DialogOwner::form));
    PanelMovedByReset = true;
    // The panel goes to the top right corner of its monitor, one panel width in from the edge.
    Dimension panel = port_.panelBounds();
    const PanelPlace place = standardPanelPlace(panel, port_.monitors());
    panel.top = place.top;
    panel.left = place.left;
    port_.setPanelBounds(panel);
}

void TFormSettings::CheckBoxRunOnStartClick() {
    if (CheckBoxRunOnStart.Checked() && AutostartLocked) {
        messages_.MessageWin(DialogOwner::form, kLockedText, kLockedCaption,
                             TMsgDlgType::information, 0);
        return;
    }
    CheckBoxRunOnStart.Toggle();
    CheckBoxMinimizeOnStart.SetEnabled(CheckBoxRunOnStart.Checked());
}

void TFormSettings::checkBoxClick(std::string_view name) {
    if (name == "CheckBoxRunOnStart") CheckBoxRunOnStartClick();
    else if (TSpeedButtonCheckmark* box = checkBox(name)) CheckBoxToggle(*box);
}

bool TFormSettings::FormKeyPress(char key) {
    if (key != kEnter && key != kEsc) return false;
    // The key's release would otherwise reach whatever window comes forward next. The wait
    // is bounded: a character can come without a release (typed by another program).
    port_.removeNextKeyboardMessage(kKeyReleaseWaitMs);
    ModalResult = key == kEnter ? kResultOk : kResultCancel;
    return true;
}

void TFormSettings::FormCloseQuery() {
    if (!port_.windowVisible() || ClosingByButton) return;
    if (!SettingsChanged() && !ResetPressed) return;
    const int32_t answer =
        messages_.MessageWin(DialogOwner::form, kSaveQuestion, "", TMsgDlgType::confirmation, 3);
    ModalResult = answer == kResultYes ? kResultOk : kResultCancel;
}

void TFormSettings::FormClose() {
    if (ModalResult != kResultOk && PanelMovedByReset) port_.setPanelBounds(PanelBoundsAtShow);
}

bool TFormSettings::SettingsChanged() {
    return CheckBoxSystray.Checked() != Shown.SysTrayIcon ||
           port_.hotKeyField() != Shown.Hotkey ||
           CheckBoxAlwaysOnTop.Checked() != Shown.AlwaysOnTop ||
           CheckBoxRunOnStart.Checked() != (Shown.AutostartState > 0) ||
           CheckBoxMinimizeOnStart.Checked() != Shown.MinimizeStart ||
           CheckBoxUseGCF.Checked() != Shown.UseChromeFrame;
}

} // namespace qlx
