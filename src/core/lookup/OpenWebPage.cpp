// Opening pages through the shell and the main window's page operations.
#include "lookup/OpenWebPage.h"

#include "Text.h"
#include "lookup/LookupAddress.h"
#include "lookup/PageAddressCheck.h"

namespace qlx {

namespace {
const char* const kNoBrowser = "Windows' web-browser er ikke tilg\xE6" "ngelig";
const char* const kPageNotShown = "Kunne ikke vise websiden i Windows' webbrowser!";

std::string failureMessage(const char* reason) { return std::string("Fejl:  ") + reason; }
} // namespace

std::optional<std::string> openFailureText(int32_t shellCode) {
    if (shellCode > kShellOpenOk) return std::nullopt;
    if (shellCode == kShellNoAssociation || shellCode == kShellAssociationIncomplete)
        return failureMessage(kNoBrowser);
    return failureMessage(kPageNotShown);
}

void openWebPage(ShellOpenPort& shell, MessageWinPort& messages, std::string_view address,
                 bool chromeFrameMode) {
    std::optional<std::string> failure;
    if (isAllowedPageAddress(address) || (chromeFrameMode && isAllowedChromeFrameAddress(address)))
        failure = openFailureText(shell.openAddress(std::string(address)));
    else
        failure = failureMessage(kPageNotShown);
    if (failure)
        messages.MessageWin(DialogOwner::none, *failure, programTitle, TMsgDlgType::warning, 0);
}

void OpenLookupPage(ShellOpenPort& shell, MessageWinPort& messages,
                    const PageTemplates& templates, bool useChromeFrame,
                    std::string_view searchText, std::string_view pageTemplate) {
    try {
        const std::string address =
            lookupAddress(searchText, pageTemplate, templates, useChromeFrame);
        // Once more on the finished address: the search text must not have changed the host
        // the template names, whichever way the template got here.
        const std::string_view used =
            pageTemplate.empty() ? std::string_view(templates.lookup(useChromeFrame)) : pageTemplate;
        const std::optional<std::string> host = pageAddressHost(address);
        if (!host || host != pageAddressHost(used)) {
            messages.MessageWin(DialogOwner::none, failureMessage(kPageNotShown), programTitle,
                                TMsgDlgType::warning, 0);
            return;
        }
        openWebPage(shell, messages, address, useChromeFrame);
    } catch (...) {
    }
}

void MenuItemProgramWebClick(ShellOpenPort& shell, MessageWinPort& messages,
                             const PageTemplates& templates, bool useChromeFrame) {
    OpenLookupPage(shell, messages, templates, useChromeFrame, {},
                   templates.programPage(useChromeFrame));
}

void ImageOpenClick(ShellOpenPort& shell, MessageWinPort& messages,
                    const PageTemplates& templates, bool useChromeFrame,
                    std::string& lastSearchText) {
    lastSearchText.clear();
    OpenLookupPage(shell, messages, templates, useChromeFrame, lastSearchText, {});
}

} // namespace qlx
