// The program's own message dialog, built at run time: icon, word-wrapped text on white, a
// white strip along the bottom with one or two light-grey colour buttons; shown modally.
#pragma once

#include <windows.h>

#include <string>

#include "dialogs/MessageWinLayout.h"

namespace qlx::win {

// Shows the dialog modally, centred on owner and kept inside the work area (no owner:
// centred on the screen), and returns kResultOk, kResultCancel, kResultYes or kResultNo;
// closing it through its frame gives kResultCancel. keepInFront: a timer gives the dialog
// the focus back each second when another program takes it (for dialogs the panel does
// not own). Text and caption are Windows-1252; "\n" breaks lines.
int32_t showMessageWin(HWND owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttonSet, bool keepInFront);

} // namespace qlx::win
