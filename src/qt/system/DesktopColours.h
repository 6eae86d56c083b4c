// The colours the Linux windows draw with: the program's fixed pairs, or, where the desktop
// asks for high contrast, the desktop palette's colours throughout.
#pragma once

#include <QColor>
#include <QEvent>
#include <QPalette>

#include <optional>

#include "ColourScheme.h"

namespace qlx::qt {

// What the desktop says about contrast. The desktop portal's appearance "contrast" (1: higher
// contrast) and GNOME's accessibility switch (read through the same portal) each ask for it;
// QUIKLEX_HIGH_CONTRAST (1 or 0) overrides both, for a desktop without a portal.
struct DesktopContrast {
    std::optional<uint32_t> portalContrast;
    std::optional<bool> gnomeHighContrast;
    std::optional<bool> override;
};
ColourMode desktopColourMode(const DesktopContrast& contrast);

// The palette's colours under the system colour indices the colour table names: the window's
// and the buttons' pairs, grey text, the highlight, links and the frame.
SystemColours paletteColours(const QPalette& palette);

// The scheme now, read at the first use.
const ColourScheme& colours();
void setColours(const ColourScheme& scheme);
// Reads the desktop's contrast and palette again; true when the scheme changed.
bool readColours();
// Asks the desktop portal to say when its appearance changes; each change reads the scheme
// again and repaints every window.
void followDesktopColours();
// What each window is sent when the scheme changed: it takes its colours again.
QEvent::Type coloursChangedEvent();

// A 0x00BBGGRR colour, or a system colour (kSystemColourBit | index) from the scheme's palette.
QColor qtColourOf(uint32_t colour);

} // namespace qlx::qt
