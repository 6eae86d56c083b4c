// The program's own message dialog, built at run time: icon, word-wrapped text on white, a
// light-grey strip with one or two colour buttons; shown modally.
#pragma once

#include <windows.h>

#include <string>

#include "panel/MessageWinLayout.h"

namespace qlx::win {

// Shows the dialog modally over owner (null: centred on the screen, and kept in front by a
// timer while open) and returns kResultOk, kResultCancel, kResultYes or kResultNo. Text and
// caption are Windows-1252.
int32_t showMessageWin(HWND owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttonSet);

} // namespace qlx::win
