// Qt's keys told to the core's keyboard cues as the system's key messages, and whether the
// user's last input came from the keyboard (a window opened from the keyboard shows its focus
// at once).
#pragma once

#include <QKeyEvent>

#include "forms/KeyboardCues.h"

namespace qlx::qt {

// A key press or release of a window; true when what the window draws changed.
bool cueKey(KeyboardCues& cues, const QKeyEvent& event);
// The letter Alt+key stands for ('a' to 'z', '0' to '9'); 0 for anything else and for AltGr.
char mnemonicLetter(const QKeyEvent& event);

// Starts noting the user's input, once for the program.
void noteInputs();
bool lastInputFromKeyboard();

} // namespace qlx::qt
