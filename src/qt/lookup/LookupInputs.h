// Looking words up on a Linux desktop: the global shortcut, the clipboard, and the text other
// programs send over the session bus (dropped text arrives at the panel).
#pragma once

#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "lookup/HotKeyRepeat.h"
#include "lookup/LookupHotKeyKeeper.h"
#include "lookup/LookupInputPort.h"
#include "qt/lookup/LookupService.h"
#include "qt/system/PortalShortcut.h"
#include "qt/system/X11HotKey.h"

namespace qlx::qt {

class PanelMain;

class LookupInputs final : public QObject, public LookupInputPort, public LookupHotKeyPort {
public:
    explicit LookupInputs(PanelMain& main);

    // Takes the program's name on the session bus: false when another instance has it.
    bool claimSession();

    // LookupInputPort
    std::optional<std::string> clipboardText() override;
    std::optional<std::string> selectionText() override;
    void startTextInputs() override;

    // LookupHotKeyPort
    bool registerLookupHotKey(uint16_t shortcut) override;
    void unregisterLookupHotKey() override { hotKey_.ungrab(); }
    uint64_t clockMs() override;
    void startHotKeyTimer(uint32_t periodMs) override { retry_.start(static_cast<int>(periodMs)); }
    void stopHotKeyTimer() override { retry_.stop(); }
    std::string shortcutText(uint16_t shortcut) override;
    void trayTipChanged(const std::string& tip) override;
    void postHotKeyProblem() override;
    // Only an X11 desktop lets a program grab a key for the whole desktop; elsewhere the
    // portal's global shortcut is asked for instead.
    bool keyGrabAllowed() override;

private:
    void hotKeyEvent(bool pressed);

    PanelMain& main_;
    X11HotKey hotKey_;
    HotKeyRepeatFilter repeat_;
    QTimer retry_;
    std::unique_ptr<LookupService> service_;
    std::unique_ptr<PortalShortcut> portal_;
    bool takingText_ = false; // from the creation's last steps on, as on Windows
    std::vector<std::string> earlyTexts_; // calls that came before text was taken
};

} // namespace qlx::qt
