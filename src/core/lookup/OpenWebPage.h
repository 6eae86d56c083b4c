// Opening pages in the user's browser: the address check, the shell's open action and its
// two failure messages, and the main window's page operations built on them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/PageTemplates.h"
#include "lookup/ShellOpenPort.h"
#include "dialogs/MessageWinPort.h"

namespace qlx {

// The message for a shell code, or none when the code means success.
std::optional<std::string> openFailureText(int32_t shellCode);

// Hands a web address to the shell; reports a failure, or an address that is not a web
// page (which is never handed over), in the program's own warning dialog without owner.
// Only the program's own pages in Chrome Frame mode may take the "gcf:" form; a link from a
// message never does.
void openWebPage(ShellOpenPort& shell, MessageWinPort& messages, std::string_view address,
                 bool chromeFrameMode = false);

// Opens pageTemplate (or, when empty, the current mode's lookup template) with the escaped
// search text appended. Failures other than the shell's are dropped silently.
void OpenLookupPage(ShellOpenPort& shell, MessageWinPort& messages,
                    const PageTemplates& templates, bool useChromeFrame,
                    std::string_view searchText, std::string_view pageTemplate);

// The menus' web-information entry: the program's information page of the current mode.
// The caller then hides the panel's buttons.
void MenuItemProgramWebClick(ShellOpenPort& shell, MessageWinPort& messages,
                             const PageTemplates& templates, bool useChromeFrame);

// The panel's open button: forgets the last search text and opens the bare lookup page of
// the current mode. The caller then hides the panel's buttons.
void ImageOpenClick(ShellOpenPort& shell, MessageWinPort& messages,
                    const PageTemplates& templates, bool useChromeFrame,
                    std::string& lastSearchText);

} // namespace qlx
