// The program's secondary windows as data: each control's kind, parent, place, text, font,
// colours and anchors, in a table that reads like the window and that unit tests check. The
// window layer builds the controls from it; labels, shapes and flat buttons are drawn by the
// panel they sit on, panels and fields are windows of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "panel/PanelLayout.h"

namespace qlx {

enum class ControlKind : uint8_t {
    Panel,           // a window with a background colour that hosts controls
    Label,           // text in runs of bold and normal weight, optionally word-wrapped
    Shape,           // a filled rectangle without outline
    FlatButton,      // a caption that raises a frame under the mouse; drawn over its shape
    CheckmarkButton, // a flat button with a check mark
    HotKeyField,     // the system's hot-key entry field
    HtmlView,        // the view that shows a message's HTML
    BevelLines,      // faint separator lines
};

enum AnchorBits : uint8_t {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
};
inline constexpr uint8_t kAnchorTopLeft = kAnchorLeft | kAnchorTop;

// A panel aligned to an edge takes its parent's full width (and, for Client, what is left).
enum class Align : uint8_t { None, Top, Bottom, Client };

inline constexpr uint32_t kNoColour = 0xFF000000; // transparent: the parent shows through
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kGreyText = 0x808080;
inline constexpr uint32_t kButtonFaceColour = 0xDDDDDD;

struct FontDesc {
    int pixels = 12; // the em height in pixels
    bool bold = false;
    bool italic = false;
    uint32_t colour = kBlack; // 0x00BBGGRR
    const char* face = "Arial";
    // Faces compare by their names: equal literals need not share one address.
    bool operator==(const FontDesc& o) const {
        return pixels == o.pixels && bold == o.bold && italic == o.italic &&
               colour == o.colour && std::string_view(face) == std::string_view(o.face);
    }
};

struct TextRun {
    std::string text; // Windows-1252
    bool bold = false;
    bool operator==(const TextRun&) const = default;
};

struct ControlDesc {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent;   // the hosting panel's name; empty for the form's client area
    ControlBox box;       // in the parent's client pixels; a label of width 0 takes its text's
    Align align = Align::None;
    uint8_t anchors = kAnchorTopLeft;
    std::vector<TextRun> text;
    FontDesc font;
    uint32_t colour = kNoColour; // background
    bool wordWrap = false;
    bool rightAlign = false;
    int32_t modalResult = 0; // a flat button that closes the window with this result
    std::string hint;
    int32_t group = 0;       // check-mark group
    uint8_t faintLines = 0;  // edges with faint lines: 1 top, 2 left, 4 bottom, 8 right
    // The letter of its caption that Alt presses or focuses it with (a label: the control
    // after it); 0: none. Kept apart from the caption, which stays as the window shows it.
    char mnemonic = 0;
    std::string caption() const; // the runs' texts joined
};

struct FormDesc {
    std::string windowClass;
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    int minWidth = 0; // outer size limits while resizing; 0: not resizable
    int minHeight = 0;
    uint32_t colour = kWhite;
    FontDesc font;
    std::vector<ControlDesc> controls; // back to front: later ones are drawn over earlier ones
    const ControlDesc* find(std::string_view name) const;
};

// The green header of the settings, welcome and messages windows: the program's name, the
// subtitle and the version label at versionBox, right-aligned and following the right edge.
std::vector<ControlDesc> headerControls(int height, ControlBox versionBox);

// Adds a label of text runs on parent ("" for the form) and returns it for further settings.
ControlDesc& addLabel(FormDesc& form, const char* name, const char* parent, ControlBox box,
                      std::vector<TextRun> text, bool wordWrap = false);
// Adds a panel in colour aligned to the form's bottom edge.
ControlDesc& addBottomPanel(FormDesc& form, ControlBox box, uint32_t colour);
// Adds a flat button on parent with its shape behind it (a filled rectangle in the button
// colour; the shape may lie a pixel off the button, as in the settings window).
ControlDesc& addShapedButton(FormDesc& form, const char* parent, const char* name,
                             ControlBox shape, ControlBox button, const char* caption,
                             int32_t modalResult, uint8_t anchors);

// Where a control goes when its parent's client area changes from (oldWidth, oldHeight) to
// (newWidth, newHeight): anchored edges keep their distance to that side; a control anchored
// to both sides of an axis stretches; one anchored to neither keeps its centre's share.
ControlBox anchoredBox(const ControlBox& box, uint8_t anchors, int oldWidth, int oldHeight,
                       int newWidth, int newHeight);

// A piece of a label's text on one line: its runs' place after word wrapping.
struct PlacedRun {
    std::string text;
    bool bold = false;
    int x = 0;
    int line = 0;
    bool operator==(const PlacedRun&) const = default;
};

// The table at a window's DPI: every place, size, minimum size and font size is written at
// 96 DPI and scaled here, each number on its own as the system scales them.
ControlBox scaledBox(const ControlBox& box, int dpi);
FormDesc scaledForm(const FormDesc& form, int dpi);

// The smallest outer size a resizable window takes while the user sizes it: its own, but no
// more than the work area it is on, so that a window whose scaled minimum is larger than a
// small screen still fits on it whole.
struct OuterSize {
    int width = 0;
    int height = 0;
    bool operator==(const OuterSize&) const = default;
};
OuterSize minimumOuterSize(const FormDesc& form, int workWidth, int workHeight);

// The outer size a window takes at a new DPI, which the system asks for before it moves the
// window onto a monitor of another scale: the client area of the table (written at 96 DPI) at
// the new DPI, larger or smaller by what the user sized it at the old DPI, in proportion, with
// the frame as it is at the new DPI; no smaller than the window's smallest size there.
OuterSize dpiScaledOuterSize(const FormDesc& design, OuterSize client, int dpi, int newDpi,
                             OuterSize frame);

// Lays text runs out in lines no wider than width (0: no wrapping), breaking after blanks as
// the system's word wrap does: a word that does not fit starts a new line, the blanks at a
// break go, a word wider than the line stands alone on its line. A line feed always breaks.
// measure gives a text's width in its weight.
std::vector<PlacedRun> wrapRuns(const std::vector<TextRun>& runs, int width,
                                const std::function<int(std::string_view, bool bold)>& measure);

} // namespace qlx
