// The colour table and its two modes.
#include "ColourScheme.h"

#include <cstddef>

namespace qlx {

namespace {
// In role order. The green and the light grey are the program's own; white and black pair
// with each other; the disabled grey reads on white and on the light-grey buttons alike.
constexpr ColourEntry kTable[kColourRoleCount] = {
    {0xFFFFFF, kSysWindow},     // dialogBackground
    {0x000000, kSysWindowText}, // dialogText
    {0x6D6D6D, kSysGrayText},   // disabledText
    {0xDDDDDD, kSysButtonFace}, // buttonFace
    {0x000000, kSysButtonText}, // buttonText
    {0x5C743E, kSysButtonFace}, // header
    {0xFFFFFF, kSysButtonText}, // headerText
    {0x5C743E, kSysButtonFace}, // panel
    {0xFFFFFF, kSysButtonText}, // panelSymbols
    {0x000000, kSysHighlight},  // highlight
    {0xFF0000, kSysHotLight},   // link
};

// The grey a locked setting's caption is drawn in.
constexpr uint32_t kLockedGrey = 0x808080;
} // namespace

ColourEntry colourEntry(ColourRole role) {
    const auto i = static_cast<size_t>(role);
    return i < static_cast<size_t>(kColourRoleCount) ? kTable[i] : kTable[0];
}

ColourScheme::ColourScheme(ColourMode mode, const SystemColours& system)
    : mode_(mode), system_(system) {
    if (mode_ == ColourMode::normal) system_ = {};
}

uint32_t ColourScheme::operator()(ColourRole role) const {
    const ColourEntry entry = colourEntry(role);
    if (mode_ == ColourMode::normal) return entry.normal;
    return system_[static_cast<size_t>(entry.highContrast)] & 0xFFFFFF;
}

uint32_t ColourScheme::background(uint32_t tableColour) const {
    return mode_ == ColourMode::normal ? tableColour : (*this)(backgroundRole(tableColour));
}

uint32_t ColourScheme::text(uint32_t tableColour, bool onButton) const {
    return mode_ == ColourMode::normal ? tableColour : (*this)(textRole(tableColour, onButton));
}

ButtonColours buttonColours(const ColourScheme& scheme, uint32_t face, uint32_t caption,
                            bool enabled) {
    if (face & kSystemColourBit)
        return {face, kSystemColourBit | (enabled ? kSysButtonText : kSysGrayText),
                kSystemColourBit | kSysWindowFrame};
    return {scheme.background(face),
            enabled ? scheme.text(caption, true) : scheme(ColourRole::disabledText),
            scheme(ColourRole::highlight)};
}

ColourRole backgroundRole(uint32_t tableColour) {
    if (tableColour == colourEntry(ColourRole::header).normal) return ColourRole::header;
    if (tableColour == colourEntry(ColourRole::buttonFace).normal) return ColourRole::buttonFace;
    return ColourRole::dialogBackground;
}

ColourRole textRole(uint32_t tableColour, bool onButton) {
    if (tableColour == colourEntry(ColourRole::headerText).normal) return ColourRole::headerText;
    if (tableColour == kLockedGrey) return ColourRole::disabledText;
    return onButton ? ColourRole::buttonText : ColourRole::dialogText;
}

} // namespace qlx
