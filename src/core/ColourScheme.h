// The program's colours by what they are for. Outside high contrast every text colour is fixed
// together with its background, so that no system scheme can put white text on the fixed white
// of a dialog; in high contrast every role takes the system's colour for it instead.
#pragma once

#include <array>
#include <cstdint>

namespace qlx {

enum class ColourRole : uint8_t {
    dialogBackground, // dialogs, the secondary windows and their bottom strips
    dialogText,       // text on them
    disabledText,     // the caption of a disabled control, on either of them or on a button
    buttonFace,       // the light-grey buttons
    buttonText,
    header,           // the green strip at the top of the secondary windows
    headerText,       // on it
    panel,            // the floating panel
    panelSymbols,     // its logo, its two buttons and its move handle
    highlight,        // the frame of the button shown as the default one
    link,             // a link in a message
};
inline constexpr int kColourRoleCount = 11;

enum class ColourMode : uint8_t { normal, highContrast };

// The system's colour indices that the high-contrast entries name (the system's COLOR_
// numbers).
enum SystemColourIndex : int {
    kSysWindow = 5,
    kSysWindowText = 8,
    kSysHighlight = 13,
    kSysButtonFace = 15,
    kSysGrayText = 17,
    kSysButtonText = 18,
    kSysHotLight = 26,
};
inline constexpr int kSystemColourCount = 31;

struct ColourEntry {
    uint32_t normal = 0;  // fixed, 0x00BBGGRR
    int highContrast = 0; // a system colour index
};
ColourEntry colourEntry(ColourRole role);

// The system's colours by index, 0x00BBGGRR, as the shell reads them.
using SystemColours = std::array<uint32_t, kSystemColourCount>;

// The colours to draw with now: the table in one mode, its system entries resolved.
class ColourScheme {
public:
    ColourScheme() = default; // normal: nothing depends on the system's colours
    ColourScheme(ColourMode mode, const SystemColours& system);
    ColourMode mode() const { return mode_; }
    bool highContrast() const { return mode_ == ColourMode::highContrast; }
    uint32_t operator()(ColourRole role) const;

    // A colour that a window's table gives a background or a text: outside high contrast as
    // the table has it, in high contrast the system's colour of the role it plays there. A
    // text on a button is the button's text.
    uint32_t background(uint32_t tableColour) const;
    uint32_t text(uint32_t tableColour, bool onButton) const;

    bool operator==(const ColourScheme&) const = default;

private:
    ColourMode mode_ = ColourMode::normal;
    SystemColours system_{};
};

// A colour with this bit set is the system's colour of that index (0x80000000 | index).
inline constexpr uint32_t kSystemColourBit = 0x80000000;
inline constexpr int kSysWindowFrame = 6;

// A push button's colours: its face as its property has it, with the caption and the frame of
// the default button that go with it. A system face (the default) goes with the system's
// button text and frame, whatever the mode; a fixed one with the scheme's. Each result is
// fixed or a system colour.
struct ButtonColours {
    uint32_t face = 0;
    uint32_t text = 0;
    uint32_t frame = 0;
    bool operator==(const ButtonColours&) const = default;
};
ButtonColours buttonColours(const ColourScheme& scheme, uint32_t face, uint32_t caption,
                            bool enabled);

// The role a table's fixed colour plays: as a background the green of the header and the grey
// of the buttons are theirs, anything else is a dialog's; as a text white stands on the green,
// the locked caption's grey is a disabled text's, anything else is a dialog's (or a button's).
ColourRole backgroundRole(uint32_t tableColour);
ColourRole textRole(uint32_t tableColour, bool onButton);

} // namespace qlx
