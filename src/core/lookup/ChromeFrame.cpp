// The Chrome Frame mode's first-start flow, registry value and question.
#include "lookup/ChromeFrame.h"

#include "Scale.h"
#include "state/ProgramCommands.h"

namespace qlx {

void AllowChromeFrameUrls(ChromeFrameRegistryPort& registry, MessageWinPort& messages) {
    bool ok = false;
    try {
        if (registry.openKey()) {
            if (registry.existingValue() == ChromeFrameRegistryPort::Existing::text)
                ok = registry.writeText("1");
            else
                ok = registry.writeNumber(1);
        }
    } catch (...) {
        ok = false;
    }
    if (!ok)
        messages.MessageWin(DialogOwner::panel,
                            "Windows tillod ikke indstilling af Google Chrome Frame", "Problem",
                            TMsgDlgType::warning, 0);
}

bool areYouUsingGCFQuestionWin(MessageWinPort& messages, DialogOwner owner) {
    return messages.MessageWin(owner, "Er din standardbrowser Internet Explorer 7, 8 eller 9?", "",
                               TMsgDlgType::confirmation, 4) == kResultYes;
}

Dimension welcomePlace(const Dimension& panel, int32_t outerWidth, int32_t outerHeight,
                       int32_t dpi) {
    const int32_t gap = scaled(20, dpi);
    return Dimension{panel.top + gap, panel.left - outerWidth - gap, outerHeight, outerWidth};
}

void RunFirstStartWelcome(bool& modalDialogOpen, bool& useChromeFrame, WelcomePort& port,
                          ChromeFrameRegistryPort& registry, MessageWinPort& messages) {
    modalDialogOpen = true;
    port.requestButtons(true);
    try {
        const int32_t result = port.showWelcomeWindow(port.panelBounds());
        useChromeFrame = result == kResultOk;
        if (useChromeFrame) AllowChromeFrameUrls(registry, messages);
    } catch (...) {
    }
    modalDialogOpen = false;
    port.requestButtons(false);
    if (useChromeFrame)
        messages.MessageWin(DialogOwner::panel,
                            "NB: F\xF8rste gang skal du v\xE6re online mens der forberedes\n"
                            "til Internet Explorer 7, 8 el. 9. Websiden \xE5" "bnes nu.",
                            "Automatisk forberedelse", TMsgDlgType::information, 0);
    port.postCommand(kOpenInfoPage, kCmdWithWParam);
}

} // namespace qlx
