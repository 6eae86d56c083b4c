// Carries the settings between the program state and the values the settings file
// is loaded into and saved from, page templates included. The panel position is placed by
// the window that owns it.
#pragma once

#include "settings/SettingsStore.h"
#include "state/ProgramState.h"

namespace qlx {

// The program's current settings, as the defaults of a load or the content of a save.
void settingsFromFormMain(const ProgramState& state, SettingsValues& values);
// What a load found, back into the program state (including OnTopActive, the stored version
// and whether the file was missing).
void settingsToFormMain(const SettingsValues& values, ProgramState& state);

} // namespace qlx
