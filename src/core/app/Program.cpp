// The program's features composed over the shell's ports, and what they ask of each other.
#include "app/Program.h"

#include <utility>

#include "Text.h"
#include "definitions/DefinitionsDocument.h"
#include "lookup/LookupHotKey.h"
#include "lookup/OpenWebPage.h"
#include "lookup/ShortcutLookup.h"
#include "settings/FormMainSettings.h"
#include "settings/SettingsPath.h"
#include "state/ProgramCommands.h"

namespace qlx {

Program::Program(const ShellPorts& ports) : ports_(ports) {
    state_.LookupSelection = ports.lookupSelection;
    state_.DesktopLimitsNoticed = ports.desktopLimitsNoticed;
}

SearchCapture Program::lookups() {
    return SearchCapture(state_, links_, ports_.pages, ports_.dialogs, links_);
}

void Program::lookupClipboard() {
    // Clipboard trouble of any kind means simply no lookup.
    try {
        if (std::optional<std::string> text = ports_.lookupInputs.clipboardText())
            lookups().lookUp(*text);
    } catch (...) {
    }
}

void Program::lookupShortcutText() {
    try {
        if (std::optional<std::string> text =
                shortcutLookupText(state_.LookupSelection, ports_.lookupInputs))
            lookups().lookUp(*text);
    } catch (...) {
    }
}

void Program::shortcutServiceAnswered(bool bound) {
    desktopNotice_.shortcutServiceAnswered(bound);
    desktopLimitsNoticeStep();
}

void Program::desktopLimitsNoticeStep() {
    if (desktopNotice_.takeDue())
        ports_.application.postCommand(kDesktopLimitsNotice, kCmdWithWParam);
}

void Program::desktopLimitsNotice() {
    if (state_.ModalDialogOpen) {
        // Its turn comes again when the open dialog's flow ends.
        desktopNotice_.deferred();
        return;
    }
    desktopNotice_.shown();
    state_.DesktopLimitsNoticed = true;
    // Remembered as it shows: a session that ends without "Afslut" must not bring it back.
    settingsStore_.SaveSettings(currentSettingsValues());
    state_.ModalDialogOpen = true;
    ports_.dialogs.MessageWin(DialogOwner::none, desktopLimitsText(), programTitle,
                              TMsgDlgType::information, 0);
    state_.ModalDialogOpen = false;
}

void Program::imageOpenClick() {
    ImageOpenClick(ports_.pages, ports_.dialogs, state_.Templates, state_.UseChromeFrame,
                   state_.LastSearchText);
    buttons_.RequestButtons(false);
}

void Program::openProgramInfoPage() {
    MenuItemProgramWebClick(ports_.pages, ports_.dialogs, state_.Templates, state_.UseChromeFrame);
    buttons_.RequestButtons(false);
}

void Program::terminate() {
    if (core_.FormCloseQuery()) ports_.application.endProgram();
}

void Program::showHotKeyProblem(bool withHint) {
    ports_.dialogs.MessageWin(DialogOwner::none, hotKeyProblemText(withHint), programTitle,
                              TMsgDlgType::warning, 0);
}

// The definitions download.

void Program::startReadDefinitions(bool reportErrors) {
    if (!server_) server_ = ports_.definitions.server();
    definitionsRetry_.StartReadDefinitions();
    if (!ports_.definitions.startDownload(*server_, state_.SettingsFileMissing, reportErrors)) {
        // No worker: the download ends here as a general failure, and the timer retries.
        definitionsRetry_.ReadDefinitionsDone(kDefinitionsFailed, false, *server_);
    }
    ports_.definitions.startRetryTimer(DefinitionsRetry::kPeriodMs);
}

void Program::definitionsRetryTimer() {
    if (!definitionsRetry_.timerEnabled() || definitionsRetry_.retriesOver()) {
        ports_.definitions.stopRetryTimer();
        return;
    }
    // Waits while a download runs; at most five retries, none after a broken document.
    if (definitionsRetry_.TimerReadDefinitionsTimer(messageStore_.hasReceived()))
        startReadDefinitions(false);
}

void Program::definitionsDone(DefinitionsDownload& download, bool reportErrors,
                              const DefinitionsServer& server) {
    applyTemplateReplacements(state_.Templates, download.replacements);
    const DefinitionsCompletion done =
        definitionsRetry_.ReadDefinitionsDone(download.status, reportErrors, server);
    if (done.success) {
        ports_.definitions.stopRetryTimer();
        messageStore_.receive(std::move(download.messages));
        download.messages.reset();
        if (messageStore_.hasReceived()) messageStore_.ShowNewMessages();
    } else if (done.showFailure) {
        showMessage(done.failureText);
    }
}

// The panel's remembered bounds.

void Program::panelMoved(const Dimension& bounds) {
    if (!state_.TrackMoves) return;
    normalBounds_.top = bounds.top;
    normalBounds_.left = bounds.left;
}

void Program::panelRestored(const Dimension& bounds) { normalBounds_ = bounds; }

// The main window's steps.

void Program::showMessage(const std::string& text) {
    ports_.dialogs.MessageWin(DialogOwner::none, text, programTitle, TMsgDlgType::warning, 0);
}

void Program::showTaskbarButton(bool show) { trayIcon_.taskbarButtonRequested(show); }

bool Program::determineSettingsLocation() {
    const SettingsLocation location =
        ports_.settingsPlaces == SettingsPlaces::xdg
            ? ResolveXdgSettingsPath(ports_.settingsFiles, ports_.system, links_,
                                     state_.ModalDialogOpen)
            : ResolveSettingsPath(state_.ProgramFolder, ports_.settingsFiles, ports_.system,
                                  links_, state_.ModalDialogOpen);
    settingsStore_.SettingsFilePath = location.SettingsFilePath;
    sharedSettingsUsed_ = location.SharedSettingsUsed;
    return !location.SettingsPathFailed;
}

void Program::checkMachineAutostart() { autostart_.checkMachineAutostart(); }

void Program::loadSettings() {
    SettingsValues values;
    settingsFromFormMain(state_, values);
    settingsStore_.LoadSettings(values);
    if (values.StartDelayMs != 0) ports_.application.sleepMs(values.StartDelayMs);

    const StoredPosition stored{values.Position.FromTop, values.Position.FromBottom,
                                values.Position.FromLeft, values.Position.FromRight};
    loadedPosition_ = values.Position;
    if (ports_.panel.placesItself()) {
        const PanelPlace place =
            placeStoredPosition(stored, ports_.panel.panelBounds(), ports_.panel.monitors());
        ports_.panel.movePanelTo(place.left, place.top);
    }
    normalBounds_ = ports_.panel.panelBounds();

    settingsToFormMain(values, state_);
    desktopNotice_.start(!ports_.hotKey.keyGrabAllowed(),
                         state_.DesktopLimitsNoticed.value_or(false));
    messageStore_.ShownTimestamps = std::move(values.ShownTimestamps);
}

SettingsValues Program::currentSettingsValues() {
    SettingsValues values;
    settingsFromFormMain(state_, values);
    // A maximised panel is stored where it stood before.
    const Dimension bounds =
        ports_.panelWindow.panelZoomed() ? normalBounds_ : ports_.panel.panelBounds();
    const Dimension screen = ports_.panelWindow.screenSize();
    const StoredPosition stored = storedPositionFor(bounds, screen.width, screen.height);
    values.Position = StoredPanelPosition{stored.FromTop, stored.FromBottom, stored.FromLeft,
                                          stored.FromRight};
    // Where the desktop places the panel, the place stored by a desktop that let it choose is
    // kept for the next start there.
    if (!ports_.panel.placesItself()) values.Position = loadedPosition_;
    return values;
}

bool Program::setLookupHotKey(uint16_t hotkey) { return hotKeys_.start(hotkey); }
void Program::lookupHotKeyFirstShow(bool allowed) {
    hotKeys_.firstShow(allowed);
    desktopNotice_.firstShown();
    desktopLimitsNoticeStep();
}
bool Program::addTrayIcon() { return trayIcon_.show() != TrayIconKeeper::Added::Failed; }
void Program::removeTrayIcon() { trayIcon_.hide(); }
void Program::startReadDefinitions() { startReadDefinitions(false); }
void Program::registerDropTarget() { ports_.lookupInputs.startTextInputs(); }

void Program::firstStartOfVersion() {
    autostart_.firstStartOfVersion(state_.SettingsPathFailed, state_.NoInitMessage);
    desktopLimitsNoticeStep();
}

void Program::showHotKeyProblem() { showHotKeyProblem(true); }
bool Program::hasReceivedMessages() { return messageStore_.hasReceived(); }
void Program::showNewMessages() {
    messageStore_.ShowNewMessages();
    desktopLimitsNoticeStep();
}
void Program::openSettingsWindow() { settingsWindow_.MenuItemSettingsClick(0); }
bool Program::shortcutCaptured() { return settingsWindow_.HotKeyPressed(); }

void Program::welcomeFlow() {
    RunFirstStartWelcome(state_.ModalDialogOpen, state_.UseChromeFrame, links_,
                         ports_.chromeFrame, ports_.dialogs);
    desktopLimitsNoticeStep();
}

void Program::saveSettings() { settingsStore_.SaveSettings(currentSettingsValues()); }
void Program::saveOnExit() { settingsStore_.SaveOnExit(currentSettingsValues()); }
void Program::saveShownMessages() { messageStore_.SaveShownMessages(); }
bool Program::shownMessagesChanged() { return messageStore_.ShownMessagesChanged; }

void Program::trayIconCallback(int32_t lParam, uintptr_t wParam) {
    // The event in the low word; the icon's screen point, from shells of the newer callback,
    // as two signed 16-bit halves.
    const auto event = static_cast<uint16_t>(lParam & 0xFFFF);
    const auto x = static_cast<int16_t>(wParam & 0xFFFF);
    const auto y = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
    ports_.panelWindow.trayIconUsed(event);
    menus_.TrayIconCallback(event, x, y);
}

// What the features ask of each other.

void Program::Links::restoreApplication() { p_.ports_.application.restoreApplication(); }
void Program::Links::bringAllToFront() { p_.ports_.application.bringAllToFront(); }
void Program::Links::showPanel() { p_.core_.ShowPanel(false); }
bool Program::Links::hasReceivedMessages() { return p_.messageStore_.hasReceived(); }
void Program::Links::showNewMessages() {
    p_.showNewMessages();
}
void Program::Links::textDragOver() { p_.buttons_.TextDragOver(); }
void Program::Links::textDragEnded() { p_.buttons_.TextDragEnded(); }
bool Program::Links::textDragOverPanel() { return p_.buttons_.TextDragState == 1; }

void Program::Links::runMessagesWindow(int32_t index) {
    p_.ports_.messagesWindow.runMessagesWindow(p_.messageStore_, index);
}

void Program::Links::applyOnTop(bool onTop) { p_.ports_.panelWindow.applyOnTop(onTop); }
void Program::Links::setSaveTimer(bool enabled) { p_.ports_.messagesWindow.setSaveTimer(enabled); }

std::unique_ptr<SettingsWindowHandle> Program::Links::createSettingsWindow() {
    return p_.ports_.settingsWindow.createSettingsWindow();
}

void Program::Links::requestButtons(bool show) { p_.buttons_.RequestButtons(show); }
void Program::Links::addTrayIcon() { p_.trayIcon_.show(); }
void Program::Links::removeTrayIcon() { p_.trayIcon_.hide(); }
void Program::Links::showTaskbarButton(bool show) { p_.trayIcon_.taskbarButtonRequested(show); }
LookupHotKeyKeeper& Program::Links::lookupHotKey() { return p_.hotKeys_; }

void Program::Links::onTopSettingApplied(bool alwaysOnTop) {
    p_.menus_.OnTopSettingApplied(alwaysOnTop);
}

void Program::Links::allowChromeFrameUrls() {
    AllowChromeFrameUrls(p_.ports_.chromeFrame, p_.ports_.dialogs);
}

void Program::Links::postCommand(uint16_t wParam, int32_t lParam) {
    p_.ports_.application.postCommand(wParam, lParam);
}

void Program::Links::hidePanel() {
    p_.ports_.application.minimizeApplication();
    p_.menus_.ApplicationEvents1Minimize();
}

void Program::Links::setOnTopCheckMarks(bool checked) {
    p_.ports_.panelWindow.setOnTopCheckMarks(checked);
}

void Program::Links::openTrayMenuAtCursor() { p_.ports_.panelWindow.openTrayMenuAtCursor(); }
void Program::Links::openTrayMenuAt(int32_t x, int32_t y) {
    p_.ports_.panelWindow.openTrayMenuAt(x, y);
}

void Program::Links::menuItemSettingsClick(int senderTag) {
    p_.settingsWindow_.MenuItemSettingsClick(senderTag);
}

void Program::Links::menuItemProgramWebClick() { p_.openProgramInfoPage(); }
void Program::Links::menuItemTerminateClick() { p_.terminate(); }
Dimension Program::Links::panelBounds() { return p_.ports_.panel.panelBounds(); }

int32_t Program::Links::showWelcomeWindow(const Dimension& panel) {
    return p_.ports_.welcomeWindow.showWelcomeWindow(panel);
}

void Program::Links::showMessage(const std::string& text, const std::string& caption,
                                 SettingsMessageKind kind, bool ownedByMainWindow) {
    p_.ports_.dialogs.MessageWin(
        ownedByMainWindow ? DialogOwner::panel : DialogOwner::none, text, caption,
        kind == SettingsMessageKind::Error ? TMsgDlgType::error : TMsgDlgType::warning, 0);
}

} // namespace qlx
