// What assistive technology is told about the program's windows: each window's tree of
// accessible objects (name, role, states, place, default action), derived from its table and
// its controls' state, and the order in which Tab walks its controls. The window layer only
// answers the system's questions from these trees.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "Scale.h"
#include "forms/FormLayout.h"
#include "dialogs/MessageWinLayout.h"

namespace qlx {

// Roles and states as the system's accessibility interface numbers them.
enum AccRole : uint32_t {
    kRoleDialog = 0x12,
    kRolePane = 0x10,
    kRoleStaticText = 0x29,
    kRolePushButton = 0x2B,
    kRoleCheckButton = 0x2C,
    kRoleHotKeyField = 0x32,
    kRoleClient = 0x0A,
};
enum AccState : uint32_t {
    kStateUnavailable = 0x1,
    kStateFocused = 0x4,
    kStateChecked = 0x10,
    kStateInvisible = 0x8000,
    kStateFocusable = 0x100000,
};

// Buttons and check-mark buttons are pressed.
extern const char* const kDefaultActionPress;

struct AccNode {
    std::string control; // the control's name in the table; empty for the window itself
    std::string name;    // Windows-1252
    uint32_t role = kRolePane;
    uint32_t states = 0;
    ControlBox bounds;   // device pixels, in the window's client area
    std::string defaultAction;
    std::string keyboardShortcut; // "Alt+X" for a control with a mnemonic letter
    // A window of its own (a panel, the hot-key field, the HTML view): its parent's object
    // refers to the system's object for that window, so that each window is in the tree once;
    // a panel's window answers for the controls on it (its children here).
    bool systemObject = false;
    // Such a window holds the keyboard focus in a control of its own that the system
    // describes: asked for the focus, its parent answers with the window's object.
    bool focusWithin = false;
    std::vector<AccNode> children;
    // The node of a control, searched depth first; null when there is none.
    const AccNode* find(std::string_view controlName) const;
};

// What a window's controls show now. Controls not listed are enabled, visible and unchecked.
struct ControlState {
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};
struct FormAccState {
    std::map<std::string, ControlState, std::less<>> controls;
    std::string focused; // the control with the keyboard focus; empty: none
    int clientWidth = 0; // at 96 DPI; 0: the table's size
    int clientHeight = 0;
    int dpi = kDesignDpi; // the table's numbers are scaled to it
};

// The controls that take the keyboard focus: buttons, check-mark buttons and the fields.
bool takesFocus(ControlKind kind);

// The window's tree: the window, a dialog named by its caption, holds its panels and the
// controls on its client area; each panel holds its controls. Shapes and lines are left out.
// A field is named by the label just before it in the table (without its colon), or else by
// its hint; the label's mnemonic is the field's keyboard shortcut.
AccNode formAccessibleTree(const FormDesc& form, const FormAccState& state);

// The controls Tab walks, in the order of the table: flat buttons, check-mark buttons and the
// fields. Disabled and hidden ones are passed by (see nextFocus).
std::vector<std::string> focusOrder(const FormDesc& form);
// The control Tab (forward) or Shift+Tab (backward) moves to from current (empty: none),
// passing controls that are disabled or hidden; empty when no control can take the focus.
std::string nextFocus(const FormDesc& form, const FormAccState& state, std::string_view current,
                      bool forward);

// The floating panel: "Quiklex", a pane, with its two buttons, named by their hints.
extern const char* const kPanelAccName;
extern const char* const kPanelMenuButtonName;
extern const char* const kPanelOpenButtonName;
// The buttons answer even while the logo covers them: their default action works from the
// keyboard.
AccNode panelAccessibleTree(bool panelFocused, int dpi);

// The message dialog: a dialog named by its caption, holding the text it draws itself
// (static text, which readers speak as the dialog's text) and the strip along its bottom
// with the buttons, a window of its own whose buttons the system describes.
AccNode messageDialogAccessibleTree(const std::string& caption, const std::string& text,
                                    const MessageWinLayout& layout, bool buttonFocused = false);

} // namespace qlx
