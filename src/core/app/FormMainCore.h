// The main window's state and decisions: the creation sequence, the first show, the
// program's internal commands, ShowPanel and the close-once rule. The window layer only
// translates messages into these calls.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/FormMainPort.h"
#include "lookup/LookupHotKeyKeeper.h"
#include "lookup/PageTemplates.h"

namespace qlx {

inline constexpr uint32_t kPanelColour = 0x5C743E; // 6059070: red 62, green 116, blue 92
inline constexpr int kPanelWidth = 82;
inline constexpr int kPanelHeight = 32;
inline constexpr uint16_t kDefaultHotkey = 24643; // Ctrl+Shift+C

// lParam values of the program's registered message.
enum ProductCommand : int32_t {
    kCmdInstanceSignal = 0,
    kCmdNothing = 1,
    kCmdFirstStartOfVersion = 2,
    kCmdHotKeyProblem = 3,
    kCmdMinimize = 4,
    kCmdWithWParam = 5, // wParam says what
    kCmdTrayLeftUp = 514,
    kCmdTrayRightUp = 517,
};

// wParam values that go with lParam 5.
enum ProductCommandWParam : uint16_t {
    kShowNewMessages = 1,
    kOpenSettings = 2,
    kWelcomeFlow = 3,
    kOpenInfoPage = 4,
    kSaveSettings = 5,
};

class FormMainCore {
public:
    explicit FormMainCore(FormMainPort& port) : LookupHotKey(port, ModalDialogOpen), port_(port) {}

    // Flags.
    bool FirstShowPending = true;
    bool StartedAutomatically = false;
    bool NoInitMessage = false;
    bool MinimizeAtStart = false;
    bool StartupPending = false;
    bool HotKeyFailed = false; // the shortcut was refused at creation (it stays chosen)
    bool SettingsFileMissing = false;
    bool SettingsPathFailed = false;
    bool ModalDialogOpen = false;
    bool InstanceRequestPending = false;
    bool TrackMoves = false;
    bool NewMessagesDone = false;
    std::string StoredProgramVersion; // "PrgVersion" as read from the settings
    std::string ProgramFolder;        // with a trailing separator

    // Settings with their defaults.
    bool MinimizeStart = false;
    bool SysTrayIcon = true;
    uint16_t Hotkey = kDefaultHotkey;
    bool AlwaysOnTop = true;
    bool OnTopActive = true;
    bool UseChromeFrame = false;

    // The page templates (defaults, possibly replaced by the definitions document) and the
    // text of the last lookup.
    PageTemplates Templates;
    std::string LastSearchText;

    // The lookup shortcut's registration: kept up and retried while another program holds it.
    LookupHotKeyKeeper LookupHotKey;

    // The creation sequence; args are the user's words without the program file. The steps a
    // user cannot see before the panel shows (the tray icon, the definitions download, the
    // drop target with the DDE name) are FinishCreation, which the first show posts.
    void FormCreate(const std::vector<std::string>& args, const std::string& programFolder);
    void FinishCreation();
    void FormShow();
    void FormActivate();
    void TimerStartupTimer();
    void ApplicationEvents1Deactivate();
    // Runs its work once per process and always allows closing.
    bool FormCloseQuery();
    // The registered message; returns the reply.
    intptr_t UniqueProductMessage(uintptr_t wParam, intptr_t lParam, uint32_t messageNumber);
    void ShowPanel(bool lookup);
    // The lookup shortcut was pressed: unless the open settings window takes it, the program
    // comes forward and, without a dialog open, looks the clipboard up.
    void HotKey();

    // True when StoredProgramVersion is older than this program.
    bool storedVersionOlder() const;

private:
    FormMainPort& port_;
    bool closeDone_ = false;
};

} // namespace qlx
