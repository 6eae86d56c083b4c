// The Chrome Frame mode: the first start's choice between modern browsers and the older
// Internet Explorer versions, the plug-in's opt-in value in the registry, and the yes/no
// question the settings window asks when it goes back to the defaults.
#pragma once

#include <cstdint>

#include "dialogs/MessageWinPort.h"
#include "panel/Placement.h"

namespace qlx {

// "AllowUnsafeURLs" under the current user's "Software\Google\ChromeFrame".
class ChromeFrameRegistryPort {
public:
    enum class Existing { none, text, other };
    virtual ~ChromeFrameRegistryPort() = default;
    // What the value is now; opening or creating the key may fail (false).
    virtual bool openKey() = 0;
    virtual Existing existingValue() = 0;
    virtual bool writeNumber(uint32_t value) = 0;
    virtual bool writeText(const char* value) = 0;
};

// Sets the opt-in value to 1: as a number, or as the text "1" where a text value of that name
// exists. Says "Windows tillod ikke indstilling af Google Chrome Frame" when Windows refuses.
void AllowChromeFrameUrls(ChromeFrameRegistryPort& registry, MessageWinPort& messages);

// "Er din standardbrowser Internet Explorer 7, 8 eller 9?" with "Nej" and "Ja"; true for "Ja".
bool areYouUsingGCFQuestionWin(MessageWinPort& messages, DialogOwner owner);

// Shows the welcome window beside the panel (welcomePlace, then kept inside the work area);
// its modal result; throws when it cannot be built.
class WelcomeWindowPort {
public:
    virtual ~WelcomeWindowPort() = default;
    virtual int32_t showWelcomeWindow(const Dimension& panel) = 0;
};

// What the first-start flow needs of the main window.
class WelcomePort {
public:
    virtual ~WelcomePort() = default;
    virtual void requestButtons(bool show) = 0;
    virtual Dimension panelBounds() = 0;
    // Shows the welcome window beside the panel (welcomePlace, then kept inside the work
    // area) and returns its modal result; throws when it cannot be built.
    virtual int32_t showWelcomeWindow(const Dimension& panel) = 0;
    virtual void postCommand(uint16_t wParam, int32_t lParam) = 0;
};

// The welcome window's place: 20 pixels (at 96 DPI, scaled to the panel's DPI) below the
// panel's top and left of it.
Dimension welcomePlace(const Dimension& panel, int32_t outerWidth, int32_t outerHeight,
                       int32_t dpi);

// The first start: ask, take the answer over, prepare the Chrome Frame mode when chosen, then
// open the program's information page of the chosen mode (posted, in both modes).
void RunFirstStartWelcome(bool& modalDialogOpen, bool& useChromeFrame, WelcomePort& port,
                          ChromeFrameRegistryPort& registry, MessageWinPort& messages);

} // namespace qlx
