// The program's message dialog worked out in numbers: which buttons a button-set code gives,
// the body's size from the measured text, the minimum width, the place over the owner and
// the bottom strip with its one or two buttons. The window layer measures the text, builds
// the windows at these places and runs the modal loop.
#pragma once

#include <cstdint>
#include <optional>

#include "panel/PanelLayout.h"
#include "panel/Placement.h"

namespace qlx {

// The dialog types; each picks the body's icon (custom has none).
enum class TMsgDlgType : int32_t {
    warning = 0,
    error = 1,
    information = 2,
    confirmation = 3,
    custom = 4,
};

// Modal results; closing the dialog through its frame gives kResultCancel.
inline constexpr int32_t kResultOk = 1;
inline constexpr int32_t kResultCancel = 2;
inline constexpr int32_t kResultYes = 6;
inline constexpr int32_t kResultNo = 7;

inline constexpr uint32_t kDialogColour = 0xFFFFFF;
inline constexpr uint32_t kDialogButtonColour = 0xDDDDDD;
inline constexpr int32_t kStripHeight = 28;
inline constexpr int32_t kDialogButtonWidth = 62;
inline constexpr int32_t kDialogButtonHeight = 22;
inline constexpr int32_t kIconSize = 32;

struct DialogButton {
    const char* caption = ""; // Windows-1252
    int32_t result = 0;
    bool cancel = false; // Esc presses it
};

struct ButtonSet {
    DialogButton left;                 // the only button of code 0
    std::optional<DialogButton> right; // absent for code 0
    int32_t minimumWidth = 0;          // outer width
};

// Codes 0 to 4 as the program's callers use them; codes above 4 behave as 2, negative ones
// as 1. Esc keeps the system message box's contract: it presses "Annuller" where the set has
// one and the only "OK" where that is all there is; with "Ja" and "Nej" it does nothing.
// Enter presses the button with the focus; the close box and Alt+F4 give kResultCancel.
ButtonSet buttonSetFor(int32_t code);
// The result Esc gives with a button set, none where it does nothing.
std::optional<int32_t> escapeResult(int32_t code);

bool hasIcon(TMsgDlgType type);

// The width the text is word-wrapped to before it is measured: half the screen.
int32_t messageTextWrapWidth(int32_t screenWidth);
int32_t messageTextWrapWidth(const ScreenRect& screen);

// The monitor a dialog is shown on: its owner's, or without an owner the panel's, or the
// primary one while there is no panel yet.
Monitor messageWinMonitor(const std::optional<Dimension>& owner,
                          const std::optional<Dimension>& panel, const MonitorList& monitors);

// A rectangle in client pixels: left, top, width, height (the panel's control box).
using Rect = ControlBox;

struct MessageWinMeasures {
    ScreenRect screen;            // the monitor the dialog is shown on (messageWinMonitor)
    int32_t averageCharWidth = 0; // of the dialog font; a horizontal dialog unit is a quarter
    int32_t charHeight = 0;       // a vertical dialog unit is an eighth
    int32_t textWidth = 0;        // the text as drawn wrapped to messageTextWrapWidth
    int32_t textHeight = 0;
    int32_t frameWidth = 0;  // outer width less client width of a dialog-frame window
    int32_t frameHeight = 0; // outer height less client height (caption included)
    int32_t dpi = 96;        // the monitor's: the strip, buttons, icon and minimum widths scale
};

struct ButtonPlace {
    DialogButton button;
    Rect bounds; // in the strip
};

struct MessageWinLayout {
    Dimension dialog;                // outer bounds on the screen
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    std::optional<Rect> icon;        // in the client area
    Rect text;                       // in the client area
    Rect strip;                      // in the client area, along its bottom
    ButtonPlace left;
    std::optional<ButtonPlace> right;
};

// Without an owner the dialog stays centred on the screen, even over the taskbar; with one
// it is centred on the owner and then kept inside the work area (of the owner's monitor).
MessageWinLayout layoutMessageWin(const MessageWinMeasures& m, TMsgDlgType type,
                                  int32_t buttonSetCode, const std::optional<Dimension>& owner,
                                  const WorkArea& work);

} // namespace qlx
