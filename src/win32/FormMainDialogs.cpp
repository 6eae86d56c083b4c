// The message dialog, the work area and opening pages, on the main window.
#include "FormMain.h"

namespace qlx::win {

bool TFormMain::dialogsMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

} // namespace qlx::win
