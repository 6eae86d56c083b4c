// Looking words up: the shortcut, the clipboard, DDE pokes and text drops, on the main window.
#include "FormMain.h"

namespace qlx::win {

bool TFormMain::lookupMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

} // namespace qlx::win
