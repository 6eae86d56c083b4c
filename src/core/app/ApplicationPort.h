// The application as the program's logic asks for it: its windows together, the commands it
// posts to itself through the message loop, the start-up timer and its end.
#pragma once

#include <cstdint>

namespace qlx {

class ApplicationPort {
public:
    virtual ~ApplicationPort() = default;
    virtual void restoreApplication() = 0;
    // The main window to the foreground, then every other visible window of the program,
    // last opened last.
    virtual void bringAllToFront() = 0;
    // Every visible window of the program but the main window: topmost and straight back,
    // without moving, sizing or activating it.
    virtual void liftOpenWindows() = 0;
    virtual void minimizeApplication() = 0;
    // An internal command (see ProgramCommands.h) in the message loop's next turns.
    virtual void postCommand(uint16_t wParam, int32_t lParam) = 0;
    // Runs the creation's last steps (Program::finishCreation) in the message loop's next turn.
    virtual void postFinishCreation() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
    virtual void startStartupTimer() = 0;
    virtual void stopStartupTimer() = 0;
    virtual bool startupTimerRunning() = 0;
    // Closes the main window and ends the message loop (after the program has saved).
    virtual void endProgram() = 0;
};

} // namespace qlx
